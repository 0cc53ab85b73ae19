#include "uninstall/ShellFolders.h"

#include <string_view>

#include "common/Paths.h"
#include "platform/Shell.h"

namespace vlt {
namespace {

// Every shell folder number of the user's or the machine's own folders.
constexpr int kShellFolders[] = {
    0x00, 0x02, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0b, 0x0d, 0x0e, 0x10, 0x13, 0x14, 0x15,
    0x16, 0x17, 0x18, 0x19, 0x1a, 0x1b, 0x1c, 0x1f, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25,
    0x26, 0x27, 0x28, 0x29, 0x2a, 0x2b, 0x2c, 0x2d, 0x2e, 0x2f, 0x30, 0x35, 0x36, 0x37,
    0x38, 0x3b};

bool SameFolder(std::string_view a, std::string_view b) {
  return !a.empty() && AsciiEqualNoCase(ExcludeTrailingBackslash(a), ExcludeTrailingBackslash(b));
}

}  // namespace

bool IsShellFolder(Shell& shell, const std::string& folder) {
  if (IsVolumeRoot(folder)) return true;
  for (int csidl : kShellFolders) {
    if (SameFolder(SpecialFolderPath(shell, csidl), folder)) return true;
  }
  const std::string profile = SpecialFolderPath(shell, csidl::kProfile);
  const std::string parent = ExtractFileDir(ExcludeTrailingBackslash(folder));
  return SameFolder(ExtractFileDir(profile), folder) || SameFolder(profile, parent);
}

}  // namespace vlt
