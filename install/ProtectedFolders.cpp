#include "install/ProtectedFolders.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "common/Paths.h"
#include "platform/Shell.h"

namespace vlt {
namespace {

// Every shell folder of the user's or the machine's own folders (their
// numbers fit a byte).
constexpr std::uint8_t kShellFolders[] = {
    csidl::kDesktop,           csidl::kPrograms,          csidl::kPersonal,
    csidl::kFavorites,         csidl::kStartup,           csidl::kRecent,
    csidl::kSendTo,            csidl::kStartMenu,         csidl::kMyMusic,
    csidl::kMyVideo,           csidl::kDesktopDirectory,  csidl::kNetHood,
    csidl::kFonts,             csidl::kTemplates,         csidl::kCommonStartMenu,
    csidl::kCommonPrograms,    csidl::kCommonStartup,     csidl::kCommonDesktopDirectory,
    csidl::kAppData,           csidl::kPrintHood,         csidl::kLocalAppData,
    csidl::kCommonFavorites,   csidl::kInternetCache,     csidl::kCookies,
    csidl::kHistory,           csidl::kCommonAppData,     csidl::kWindows,
    csidl::kSystem,            csidl::kProgramFiles,      csidl::kMyPictures,
    csidl::kProfile,           csidl::kSystemX86,         csidl::kProgramFilesX86,
    csidl::kProgramFilesCommon, csidl::kProgramFilesCommonX86, csidl::kCommonTemplates,
    csidl::kCommonDocuments,   csidl::kCommonAdminTools,  csidl::kAdminTools,
    csidl::kCommonMusic,       csidl::kCommonPictures,    csidl::kCommonVideo,
    csidl::kResources,         csidl::kCdBurnArea};

// The folders every profile has, under the names Windows gives them on
// disk whatever the display language.
constexpr std::string_view kProfileFolders[] = {
    "Desktop",  "Documents", "Downloads",   "Music",    "Pictures",         "Videos",
    "Favorites", "Links",    "Contacts",    "Saved Games", "Searches",      "AppData",
    "AppData\\Roaming", "AppData\\Local", "AppData\\LocalLow", "3D Objects", "OneDrive"};

}  // namespace

void ProtectedFolders::Add(const std::string& path) {
  if (path.empty()) return;
  if (const std::optional<FileIdentity> id = fs_.Identity(path)) {
    folders_.push_back(*id);
  } else if (!fs_.Gone(path)) {
    // There, or perhaps there, but nothing to compare with.
    unidentified_ = true;
  }
}

void ProtectedFolders::AddProfile(const std::string& profile,
                                  const std::vector<std::string>& inProfile) {
  if (fs_.Gone(profile)) return;  // a stale entry of the profile list
  Add(profile);
  for (std::string_view name : kProfileFolders) {
    const std::string folder = JoinPath(profile, name);
    if (!fs_.Gone(folder)) Add(folder);
  }
  for (const std::string& relative : inProfile) {
    const std::string folder = JoinPath(profile, relative);
    if (!fs_.Gone(folder)) Add(folder);
  }
}

ProtectedFolders::ProtectedFolders(Shell& shell, FileSystem& fs) : fs_(fs) {
  const std::string profile = SpecialFolderPath(shell, csidl::kProfile);
  // Where the shell puts this user's folders in the profile ("Desktop",
  // "AppData\Roaming"): both texts come from the shell in the same form.
  std::vector<std::string> inProfile;
  auto add = [&](const std::string& path) {
    Add(path);
    const std::string_view head = std::string_view(path).substr(0, profile.size() + 1);
    if (!profile.empty() && path.size() > profile.size() + 1 &&
        AsciiEqualNoCase(head, profile + "\\")) {
      inProfile.push_back(path.substr(profile.size() + 1));
    }
  };
  for (const int number : kShellFolders) add(SpecialFolderPath(shell, number));
  for (KnownFolder known : kKnownFolders) {
    add(ExcludeTrailingBackslash(shell.KnownFolderPath(known)));
  }

  // Every profile: those the machine lists, wherever they lie, and every
  // folder in the profiles' folder, by what the folder holds rather than by
  // the names of users.
  std::vector<std::string> profiles = shell.UserProfiles();
  if (!profile.empty()) profiles.push_back(profile);
  std::string profilesFolder = ExcludeTrailingBackslash(shell.KnownFolderPath(KnownFolder::UserProfiles));
  if (profilesFolder.empty() && !profile.empty()) profilesFolder = ExtractFileDir(profile);
  if (!profilesFolder.empty() && !IsVolumeRoot(profilesFolder)) {
    Add(profilesFolder);
    const std::vector<DirEntry> entries = fs_.Find(JoinPath(profilesFolder, "*"));
    // It always holds Public or Default at least: nothing listed means that
    // it could not be read.
    if (entries.empty() && !fs_.Gone(profilesFolder)) unidentified_ = true;
    for (const DirEntry& entry : entries) {
      if (entry.isDirectory && entry.name != "." && entry.name != "..") {
        profiles.push_back(JoinPath(profilesFolder, entry.name));
      }
    }
  }
  for (const std::string& each : profiles) AddProfile(ExcludeTrailingBackslash(each), inProfile);
}

bool ProtectedFolders::Contains(const std::string& folder) const {
  if (IsVolumeRoot(folder)) return true;
  const std::optional<FileIdentity> id = fs_.Identity(folder);
  if (!id) return !fs_.Gone(folder);
  return unidentified_ || std::ranges::find(folders_, *id) != folders_.end();
}

}  // namespace vlt
