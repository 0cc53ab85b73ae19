#include "uninstall/Presence.h"

#include <optional>
#include <string_view>

#include "common/Concat.h"
#include "common/Paths.h"
#include "install/ProductFiles.h"
#include "install/ProtectedFolders.h"
#include "platform/Shell.h"

namespace vlt {

const std::vector<std::string>& KeepPrefixes() {
  // "." keeps the folder's own entries and hidden files such as ".settings".
  static const std::vector<std::string> kPrefixes = {
      product::kExeFile,          product::kConfigFile,       product::kUninstallerFile,
      product::kPictureEntryPrefix, product::kTextEntryPrefix, ".",
      product::kHelpFile,         product::kHelpContentsFile, product::kHelpSearchFile,
      product::kHelpIndexFile,    product::kHelpStateFile};
  return kPrefixes;
}

bool StartsWithAny(const std::string& name, const std::vector<std::string>& prefixes) {
  for (const std::string& prefix : prefixes) {
    const std::string_view head = std::string_view(name).substr(0, prefix.size());
    if (AsciiEqualNoCase(head, prefix)) return true;
  }
  return false;
}

bool HasOtherFiles(FileSystem& fs, const std::string& directory, const std::string& mask,
                   const std::vector<std::string>& prefixes) {
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
  // A copy outside the registered installation: its folder's files, the
  // entries and the shortcuts are that installation's or the user's.
  if (query.registered.OnlyElsewhere()) return offered;
  const bool registeredHere = query.registered.AnyHere();

  // The install directory's items delete inside it. Through a junction or a
  // symbolic link that would be inside its target, another folder: nothing
  // there is offered. The uninstaller itself (the running program) still is.
  const std::string installDir =
      IsLinkedFolder(fs, InstallDirectoryOf(query.exePath)) ? "" : InstallDirectoryOf(query.exePath);
  offered.DelExe = FileExistsIn(fs, installDir, product::kExeFile);
  offered.DelHilfe = AnyHelpFileExists(fs, installDir);
  offered.DelRegistry = query.registryEntriesExist && registeredHere;
  offered.DelDesktopLnk = FileExistsIn(fs, query.desktopFolder, product::kDesktopLink) &&
                          (!registeredHere || query.desktopLinkLeadsHere);
  offered.DelStartmenue =
      !query.programsFolder.empty() &&
      fs.DirectoryExists(JoinPath(query.programsFolder, product::kStartMenuGroup) + "\\") &&
      (!registeredHere || query.startMenuGroupLeadsHere);
  offered.DelCfg = FileExistsIn(fs, installDir, product::kConfigFile);
  // Offered for stored entries with any extension; the removal masks are
  // narrower (install/ProductFiles.h).
  offered.DelPufferText = FileExistsIn(
      fs, installDir, Concat({product::kTextEntryPrefix, FileSystem::kEveryName}));
  offered.DelPufferBild = FileExistsIn(
      fs, installDir, Concat({product::kPictureEntryPrefix, FileSystem::kEveryName}));

  // The other-files item deletes whatever in the folder is not the product's.
  // That is right for an install directory and ruinous anywhere else, for
  // instance on a desktop to which the uninstaller was copied. So the folder
  // must hold the files the install writes there (the uninstaller's own name
  // proves nothing), and be no folder of Windows or of the users as a whole,
  // into which a product may have been installed by mistake.
  offered.InstallDirIsProducts = (offered.DelExe || offered.DelCfg || offered.DelHilfe) &&
                                 !query.installDirIsProtected && !IsVolumeRoot(installDir);
  offered.DelSontiges =
      offered.InstallDirIsProducts &&
      HasOtherFiles(fs, installDir + "\\", FileSystem::kEveryName, KeepPrefixes());
  return offered;
}

namespace {

// A shortcut whose target lies in `folder`.
bool LeadsInto(Shell& shell, FileSystem& fs, const std::string& linkFile,
               const std::string& folder) {
  const std::optional<std::string> target = shell.ShellLinkTarget(linkFile);
  return target && SameFile(fs, ExtractFileDir(*target), folder);
}

bool GroupLeadsInto(Shell& shell, FileSystem& fs, const std::string& group,
                    const std::string& folder) {
  const std::string mask = Concat({"*", product::kLinkExtension});
  for (const DirEntry& entry : fs.Find(JoinPath(group, mask))) {
    if (!entry.isDirectory && LeadsInto(shell, fs, JoinPath(group, entry.name), folder)) {
      return true;
    }
  }
  return false;
}

}  // namespace

PresenceQuery MakePresenceQuery(Shell& shell, FileSystem& fs, Registry& registry,
                                const std::string& exePath) {
  const std::string installDir = InstallDirectoryOf(exePath);
  PresenceQuery query{.exePath = exePath,
                      .desktopFolder = SpecialFolderPath(shell, csidl::kDesktop),
                      .programsFolder = SpecialFolderPath(shell, csidl::kPrograms),
                      .registryEntriesExist = RegistryEntriesExist(registry),
                      .registered = LocateRegisteredEntries(registry, fs, installDir),
                      .installDirIsProtected = ProtectedFolders(shell, fs).Contains(installDir)};
  if (query.registered.AnyHere()) {
    query.desktopLinkLeadsHere =
        !query.desktopFolder.empty() &&
        LeadsInto(shell, fs, JoinPath(query.desktopFolder, product::kDesktopLink), installDir);
    query.startMenuGroupLeadsHere =
        !query.programsFolder.empty() &&
        GroupLeadsInto(shell, fs, JoinPath(query.programsFolder, product::kStartMenuGroup),
                       installDir);
  }
  return query;
}

}  // namespace vlt
