#include "install/InstallPayload.h"

#include <string>

#include "common/Concat.h"
#include "payload/BinderRecord.h"
#include "payload/PayloadCheck.h"

namespace vlt {

Result<std::unique_ptr<TFileArrayBinder>> LoadInstallPayload(Resources& resources) {
  const auto record = resources.Data(kPayloadResource);
  if (!record) return Fault("the payload record is missing");
  Result<std::unique_ptr<TFileArrayBinder>> loaded = LoadFileArrayBinder(*record);
  if (!loaded.Ok()) return loaded;
  const TFileArrayBinder& binder = *loaded.Value();
  if (const auto checked = CheckPayload(binder); !checked.Ok()) return checked.Error();
  if (const int count = binder.DateiSammlung().Count(); count < kInstalledEntryCount) {
    return Fault(Concat({"the payload holds ", std::to_string(count),
                           " entries, the install needs ", std::to_string(kInstalledEntryCount)}));
  }
  return loaded;
}

std::unique_ptr<TFileArrayBinder> LoadPayloadOrEmpty(Resources& resources) {
  if (const auto record = resources.Data(kPayloadResource)) {
    Result<std::unique_ptr<TFileArrayBinder>> loaded = LoadFileArrayBinder(*record);
    if (loaded.Ok()) return std::move(loaded.Value());
  }
  return std::make_unique<TFileArrayBinder>();
}

}  // namespace vlt
