#include "install/InstallPayload.h"

#include <string>

#include "common/Concat.h"
#include "payload/BinderRecord.h"
#include "payload/PayloadCheck.h"

namespace vlt {

std::unique_ptr<TFileArrayBinder> LoadInstallPayload(Resources& resources) {
  const auto record = resources.Data(kPayloadResource);
  if (!record) throw RecordError("the payload record is missing");
  std::unique_ptr<TFileArrayBinder> binder = LoadFileArrayBinder(*record);
  CheckPayload(*binder);
  if (const int count = binder->DateiSammlung().Count(); count < kInstalledEntryCount) {
    throw PayloadError(Concat({"the payload holds ", std::to_string(count),
                               " entries, the install needs ",
                               std::to_string(kInstalledEntryCount)}));
  }
  return binder;
}

}  // namespace vlt
