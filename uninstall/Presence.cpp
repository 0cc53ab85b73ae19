#include "uninstall/Presence.h"

#include <optional>
#include <string_view>

#include "common/Concat.h"
#include "common/Paths.h"
#include "install/ProductFiles.h"
#include "install/ProtectedFolders.h"
#include "platform/Shell.h"
#include "uninstall/OursByContent.h"

namespace vlt {

std::span<const std::string_view> KeepPrefixes() {
  // "." keeps the folder's own entries and hidden files such as ".settings".
  static constexpr std::string_view kPrefixes[] = {
      product::kExeFile,          product::kConfigFile,       product::kUninstallerFile,
      product::kPictureEntryPrefix, product::kTextEntryPrefix, ".",
      product::kHelpFile,         product::kHelpContentsFile, product::kHelpSearchFile,
      product::kHelpIndexFile,    product::kHelpStateFile};
  return kPrefixes;
}

bool StartsWithAny(std::string_view name, std::span<const std::string_view> prefixes) {
  for (std::string_view prefix : prefixes) {
    if (AsciiEqualNoCase(name.substr(0, prefix.size()), prefix)) return true;
  }
  return false;
}

bool HasOtherFiles(FileSystem& fs, const std::string& directory, const std::string& mask,
                   std::span<const std::string_view> prefixes) {
  for (const DirEntry& entry : fs.Find(directory + mask)) {
    if (!StartsWithAny(entry.name, prefixes)) return true;
  }
  return false;
}

std::string InstallDirectoryOf(const std::string& exePath) { return ExtractFileDir(exePath); }

bool IsLinkedFolder(FileSystem& fs, const std::string& folder) {
  return !folder.empty() && fs.IsReparsePoint(folder);
}

namespace {

// A file inside a folder the shell may not know: without the folder the
// name would resolve against the current drive's root, so it counts as absent.
bool FileExistsIn(FileSystem& fs, const std::string& folder, std::string_view name) {
  return !folder.empty() && FileExists(fs, JoinPath(folder, name));
}

bool AnyHelpFileExists(FileSystem& fs, const std::string& installDir) {
  for (std::string_view name : product::kHelpFiles) {
    if (FileExistsIn(fs, installDir, name)) return true;
  }
  return false;
}

}  // namespace

Findings FindWhatIsThere(FileSystem& fs, const PresenceQuery& query) {
  Findings found;
  const RegisteredPlaces& registered = query.registered;
  found.registeredHere = registered.AnyHere();
  found.foreign = registered.OnlyElsewhere();
  found.registryEntries =
      query.registryEntriesExist && (found.registeredHere || registered.AnyStale());
  if (FileExistsIn(fs, query.desktopFolder, product::kDesktopLink)) {
    found.desktopLink = query.desktopLink;
  }
  if (!query.programsFolder.empty() &&
      fs.DirectoryExists(JoinPath(query.programsFolder, product::kStartMenuGroup) + "\\")) {
    found.startMenuGroup = query.startMenuGroup;
  }

  // The install directory's items delete inside it. Through a junction or a
  // symbolic link that would be inside its target, another folder.
  const std::string folder = InstallDirectoryOf(query.exePath);
  found.linked = IsLinkedFolder(fs, folder);
  if (found.linked) return found;
  const bool mayHoldInstallation = !query.installDirIsProtected && !IsVolumeRoot(folder);
  found.ours = query.oursByContent;
  if (found.foreign) {
    found.installation = found.ours.Any() && mayHoldInstallation;
    return found;
  }

  const std::string& store = query.virtualStore;
  const bool configHere = FileExistsIn(fs, folder, product::kConfigFile);
  found.exe = FileExistsIn(fs, folder, product::kExeFile);
  found.help = AnyHelpFileExists(fs, folder);
  found.config = configHere || FileExistsIn(fs, store, product::kConfigFile);
  // Stored entries with any extension; the removal masks are narrower
  // (install/ProductFiles.h).
  const std::string text = Concat({product::kTextEntryPrefix, FileSystem::kEveryName});
  const std::string picture = Concat({product::kPictureEntryPrefix, FileSystem::kEveryName});
  found.textEntries = FileExistsIn(fs, folder, text) || FileExistsIn(fs, store, text);
  found.pictureEntries = FileExistsIn(fs, folder, picture) || FileExistsIn(fs, store, picture);
  // Other files are looked for only where they could be offered: in a
  // folder of the product's files that is nobody else's.
  found.installation = (found.exe || configHere || found.help) && mayHoldInstallation;
  found.otherFiles = found.installation &&
                     HasOtherFiles(fs, folder + "\\", FileSystem::kEveryName, KeepPrefixes());
  return found;
}

namespace {

LinkPlace PlaceOfTarget(FileSystem& fs, const std::optional<std::string>& target,
                        const std::string& folder) {
  if (!target) return LinkPlace::Elsewhere;  // unreadable: perhaps another's
  if (SameFile(fs, ExtractFileDir(*target), folder)) return LinkPlace::Here;
  return IsFullPath(*target) && fs.Gone(*target) ? LinkPlace::Stale : LinkPlace::Elsewhere;
}

LinkPlace PlaceOfLink(Shell& shell, FileSystem& fs, const std::string& linkFile,
                      const std::string& folder) {
  if (!FileExists(fs, linkFile)) return LinkPlace::Missing;
  return PlaceOfTarget(fs, shell.ShellLinkTarget(linkFile), folder);
}

// The group leads here when one of its shortcuts does; it is stale when
// every shortcut to a file leads to one that is gone (its web-site shortcut
// leads nowhere on the machine).
LinkPlace PlaceOfGroup(Shell& shell, FileSystem& fs, const std::string& group,
                       const std::string& folder) {
  if (!fs.DirectoryExists(group + "\\")) return LinkPlace::Missing;
  LinkPlace place = LinkPlace::Stale;
  const std::string mask = Concat({"*", product::kLinkExtension});
  for (const DirEntry& entry : fs.Find(JoinPath(group, mask))) {
    if (entry.isDirectory) continue;
    const std::string link = JoinPath(group, entry.name);
    const std::optional<std::string> target = shell.ShellLinkTarget(link);
    if (!target && AsciiEqualNoCase(entry.name, product::kHomepageLink)) continue;
    switch (PlaceOfTarget(fs, target, folder)) {
      case LinkPlace::Here: return LinkPlace::Here;
      case LinkPlace::Elsewhere: place = LinkPlace::Elsewhere; break;
      default: break;
    }
  }
  return place;
}

// The running user's VirtualStore mirror of `folder`, where it exists and
// no link lies on the way from the store to it.
std::string VirtualStoreOf(Shell& shell, FileSystem& fs, const std::string& folder) {
  const std::string localAppData = SpecialFolderPath(shell, csidl::kLocalAppData);
  if (localAppData.empty() || folder.size() < 4 || folder[1] != ':' || folder[2] != '\\') {
    return {};
  }
  std::string level = JoinPath(localAppData, "VirtualStore");
  if (IsLinkedFolder(fs, level)) return {};
  for (std::size_t start = 3; start < folder.size();) {
    const std::size_t end = std::min(folder.find('\\', start), folder.size());
    level = JoinPath(level, folder.substr(start, end - start));
    if (IsLinkedFolder(fs, level)) return {};
    start = end + 1;
  }
  return fs.DirectoryExists(level) ? level : std::string();
}

}  // namespace

PresenceQuery MakePresenceQuery(Services& sys, const TDateiSammlung& payload,
                                const std::string& exePath) {
  const std::string installDir = InstallDirectoryOf(exePath);
  PresenceQuery query{.exePath = exePath,
                      .desktopFolder = SpecialFolderPath(sys.shell, csidl::kDesktop),
                      .programsFolder = SpecialFolderPath(sys.shell, csidl::kPrograms),
                      .registryEntriesExist = RegistryEntriesExist(sys.registry),
                      .registered = LocateRegisteredEntries(sys.registry, sys.fs, installDir),
                      .installDirIsProtected =
                          ProtectedFolders(sys.shell, sys.fs).Contains(installDir),
                      .oursByContent = FindOursByContent(sys.fs, sys.profile, payload, installDir),
                      .virtualStore = VirtualStoreOf(sys.shell, sys.fs, installDir)};
  if (!query.desktopFolder.empty()) {
    query.desktopLink = PlaceOfLink(sys.shell, sys.fs,
                                    JoinPath(query.desktopFolder, product::kDesktopLink), installDir);
  }
  if (!query.programsFolder.empty()) {
    query.startMenuGroup = PlaceOfGroup(
        sys.shell, sys.fs, JoinPath(query.programsFolder, product::kStartMenuGroup), installDir);
  }
  return query;
}

}  // namespace vlt
