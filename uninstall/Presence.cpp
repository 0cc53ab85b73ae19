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

OfferedItems FindOfferedItems(FileSystem& fs, const PresenceQuery& query) {
  OfferedItems offered;
  const RegisteredPlaces& registered = query.registered;
  const bool registeredHere = registered.AnyHere();
  const bool foreign = registered.OnlyElsewhere();
  offered.DelRegistry =
      query.registryEntriesExist && (registeredHere || registered.AnyStale());
  // A shortcut is this installation's where it leads here; a stale one is
  // anybody's to clear; with nothing registered, presence decides.
  auto offersLink = [&](LinkPlace place) {
    if (place == LinkPlace::Missing) return false;
    if (place == LinkPlace::Stale) return true;
    return foreign ? false : !registeredHere || place == LinkPlace::Here;
  };
  offered.DelDesktopLnk =
      offersLink(query.desktopLink) &&
      FileExistsIn(fs, query.desktopFolder, product::kDesktopLink);
  offered.DelStartmenue =
      offersLink(query.startMenuGroup) && !query.programsFolder.empty() &&
      fs.DirectoryExists(JoinPath(query.programsFolder, product::kStartMenuGroup) + "\\");

  // The install directory's items delete inside it. Through a junction or a
  // symbolic link that would be inside its target, another folder: nothing
  // there is offered. The uninstaller itself (the running program) still is.
  const std::string folder = InstallDirectoryOf(query.exePath);
  if (IsLinkedFolder(fs, folder)) return offered;
  const bool mayHoldInstallation = !query.installDirIsProtected && !IsVolumeRoot(folder);

  if (foreign) {
    // A copy outside the registered installation: of its folder's files,
    // only those that hold what this setup writes are an installation's.
    const OursByContent& ours = query.oursByContent;
    offered.DelExe = ours.exe;
    offered.DelHilfe = ours.helpFile || ours.helpContents;
    offered.DelCfg = ours.config;
    offered.InstallDirIsProducts = ours.Any() && mayHoldInstallation;
    return offered;
  }

  const std::string& store = query.virtualStore;
  offered.DelExe = FileExistsIn(fs, folder, product::kExeFile);
  offered.DelHilfe = AnyHelpFileExists(fs, folder);
  offered.DelCfg = FileExistsIn(fs, folder, product::kConfigFile) ||
                   FileExistsIn(fs, store, product::kConfigFile);
  // Offered for stored entries with any extension; the removal masks are
  // narrower (install/ProductFiles.h).
  const std::string textEntries = Concat({product::kTextEntryPrefix, FileSystem::kEveryName});
  const std::string pictureEntries =
      Concat({product::kPictureEntryPrefix, FileSystem::kEveryName});
  offered.DelPufferText =
      FileExistsIn(fs, folder, textEntries) || FileExistsIn(fs, store, textEntries);
  offered.DelPufferBild =
      FileExistsIn(fs, folder, pictureEntries) || FileExistsIn(fs, store, pictureEntries);

  // The other-files item deletes whatever in the folder is not the product's.
  // That is right for an install directory and ruinous anywhere else, for
  // instance on a desktop to which the uninstaller was copied. So the folder
  // must hold the files the install writes there (the uninstaller's own name
  // proves nothing), and be no folder of Windows or of the users as a whole,
  // into which a product may have been installed by mistake.
  offered.InstallDirIsProducts =
      (offered.DelExe || FileExistsIn(fs, folder, product::kConfigFile) || offered.DelHilfe) &&
      mayHoldInstallation;
  offered.DelSontiges =
      offered.InstallDirIsProducts &&
      HasOtherFiles(fs, folder + "\\", FileSystem::kEveryName, KeepPrefixes());
  return offered;
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
