#include "install/FinishStarts.h"

#include "common/Paths.h"
#include "install/ProductFiles.h"

namespace vlt {
namespace {

// Show commands of the shell (SW_SHOWNORMAL, SW_SHOW).
constexpr int kShowNormal = 1;
constexpr int kShow = 5;

}  // namespace

ShellExecuteRequest ProductStartRequest(const std::string& installVerz) {
  return {.verb = "open",
          .file = JoinPath(installVerz, product::kExeFile),
          .parameters = "",
          .directory = installVerz,
          .showCommand = kShowNormal};
}

ShellExecuteRequest WebSiteRequest(const std::string& address) {
  return {.verb = "open",
          .file = address,
          .parameters = std::nullopt,
          .directory = std::nullopt,
          .showCommand = kShow};
}

}  // namespace vlt
