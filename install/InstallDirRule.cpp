#include "install/InstallDirRule.h"

#include <cctype>
#include <string_view>

#include "common/Paths.h"

namespace vlt {
namespace {

bool IsAbsolutePath(std::string_view path) {
  const bool drive = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
                     path[1] == ':' && path[2] == '\\';
  const bool unc = path.size() >= 3 && path[0] == '\\' && path[1] == '\\' && path[2] != '\\';
  return drive || unc;
}

bool EndsInBlankOrDot(std::string_view part) {
  return !part.empty() && (part.back() == ' ' || part.back() == '.');
}

}  // namespace

bool IsAcceptableInstallDir(const std::string& typed) {
  if (!IsAbsolutePath(typed) || IsVolumeRoot(typed)) return false;
  // Past the drive ("C:") or the share's two leading backslashes.
  std::string_view rest = std::string_view(typed).substr(2);
  while (!rest.empty()) {
    const std::size_t end = rest.find('\\');
    const std::string_view part = rest.substr(0, end);
    if (EndsInBlankOrDot(part)) return false;
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  return true;
}

}  // namespace vlt
