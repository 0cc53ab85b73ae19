#include "install/InstallDirRule.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "common/Paths.h"
#include "install/ProductFiles.h"
#include "platform/portable/Utf16.h"

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

// What Windows counts: UTF-16 code units, not the bytes of the UTF-8 text.
std::size_t WindowsLength(std::string_view path) { return win32::Utf8ToWide(path).size(); }

bool FitsWindowsLimits(const std::string& typed) {
  const std::string dir = ExcludeTrailingBackslash(typed);
  const std::string_view names[] = {product::kExeFile, product::kHelpFile,
                                    product::kHelpContentsFile, product::kUninstallerFile,
                                    product::kConfigFile};
  const std::size_t longestName =
      std::ranges::max(names, {}, &std::string_view::size).size();
  return WindowsLength(dir) <= kMaxDirectoryPathLength &&
         WindowsLength(dir) + 1 + longestName <= kMaxFilePathLength;
}

}  // namespace

bool IsAcceptableInstallDir(const std::string& typed) {
  if (!IsAbsolutePath(typed) || IsVolumeRoot(typed) || !FitsWindowsLimits(typed)) return false;
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
