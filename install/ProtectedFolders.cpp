#include "install/ProtectedFolders.h"

#include <algorithm>
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

}  // namespace

ProtectedFolders::ProtectedFolders(Shell& shell, FileSystem& fs) : fs_(fs) {
  std::vector<std::string> paths;
  for (int csidl : kShellFolders) paths.push_back(SpecialFolderPath(shell, csidl));
  for (KnownFolder known : kKnownFolders) {
    paths.push_back(ExcludeTrailingBackslash(shell.KnownFolderPath(known)));
  }
  const std::string profile = SpecialFolderPath(shell, csidl::kProfile);
  if (!profile.empty()) paths.push_back(ExtractFileDir(profile));

  for (const std::string& path : paths) {
    if (path.empty()) continue;
    if (const std::optional<FileIdentity> id = fs_.Identity(path)) folders_.push_back(*id);
    // Where the shell puts this user's folders in the profile; both texts
    // come from the shell in the same form.
    const std::string_view head = std::string_view(path).substr(0, profile.size() + 1);
    if (!profile.empty() && AsciiEqualNoCase(head, profile + "\\") &&
        path.size() > profile.size() + 1) {
      inProfile_.push_back(path.substr(profile.size() + 1));
    }
  }
  if (!profile.empty()) profiles_ = fs_.Identity(ExtractFileDir(profile));
}

bool ProtectedFolders::Contains(const std::string& folder) const {
  if (IsVolumeRoot(folder)) return true;
  const std::optional<FileIdentity> id = fs_.Identity(folder);
  if (!id) return false;
  if (std::ranges::find(folders_, *id) != folders_.end()) return true;
  if (!profiles_) return false;
  // Up from the folder to the profile it lies in, if it lies in one.
  std::string level = ExcludeTrailingBackslash(folder);
  while (!IsVolumeRoot(level)) {
    const std::string parent = ExtractFileDir(level);
    if (parent.empty() || parent.size() >= level.size()) break;
    if (fs_.Identity(parent) == profiles_) {
      if (fs_.Identity(level) == id) return true;  // a profile itself
      return std::ranges::any_of(inProfile_, [&](const std::string& relative) {
        return fs_.Identity(JoinPath(level, relative)) == id;
      });
    }
    level = parent;
  }
  return false;
}

}  // namespace vlt
