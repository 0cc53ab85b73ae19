#include "uninstall/RemovalPlan.h"

#include <span>
#include <string_view>

#include "common/Paths.h"
#include "install/ProductFiles.h"
#include "platform/Shell.h"
#include "uninstall/Presence.h"
#include "uninstall/Removal.h"

namespace vlt {
using Kind = RemovalAction::Kind;

RemovalPlan BuildRemovalPlan(const ChosenItems& chosen, const RemovalPaths& paths) {
  RemovalPlan plan;
  // Every action below needs its base folder; an unknown one drops the item.
  const bool haveInstallDir = !paths.installDir.empty() && !paths.installDirIsLink;
  const auto inInstallDir = [&](std::string_view name) { return JoinPath(paths.installDir, name); };

  if (chosen.DelUninst) plan.push_back({Kind::WriteSelfRemovalScript});
  if (chosen.DelRegistry) plan.push_back({Kind::RemoveRegistryEntries});
  // Outside the registered installation a file goes only where it is ours.
  const auto ours = [&](bool OursByContent::*file) {
    return !paths.onlyOurs || (*paths.onlyOurs).*file;
  };
  if (chosen.DelHilfe && haveInstallDir) {
    for (std::string_view name : product::kHelpFiles) {
      if (ours(name == product::kHelpContentsFile ? &OursByContent::helpContents
                                                   : &OursByContent::helpFile)) {
        plan.push_back({Kind::DeleteFile, inInstallDir(name)});
      }
    }
  }
  if (chosen.DelExe && haveInstallDir && ours(&OursByContent::exe)) {
    plan.push_back({Kind::DeleteFile, inInstallDir(product::kExeFile)});
  }
  if (chosen.DelStartmenue && !paths.programsFolder.empty()) {
    const std::string group = JoinPath(paths.programsFolder, product::kStartMenuGroup) + "\\";
    if (!paths.startMenuGroupIsLink) {
      plan.push_back({Kind::DeleteMatchingFiles, group, FileSystem::kEveryName});
    }
    plan.push_back({Kind::RemoveDirectory, group});
  }
  if (chosen.DelDesktopLnk && !paths.desktopDirectory.empty()) {
    plan.push_back({Kind::DeleteFile, JoinPath(paths.desktopDirectory, product::kDesktopLink)});
  }
  // The product's own data, where it was written and where Windows
  // redirected it.
  const std::string* const folders[] = {&paths.installDir, &paths.virtualStore};
  const std::span<const std::string* const> dataFolders(
      folders, !haveInstallDir ? 0 : paths.virtualStore.empty() ? 1 : 2);
  if (chosen.DelCfg && ours(&OursByContent::config)) {
    for (const std::string* folder : dataFolders) {
      plan.push_back({Kind::DeleteFile, JoinPath(*folder, product::kConfigFile)});
    }
  }
  for (const auto& [item, mask] : {std::pair{&ChosenItems::DelPufferText,
                                             product::kTextEntriesRemovalMask},
                                   std::pair{&ChosenItems::DelPufferBild,
                                             product::kPictureEntriesRemovalMask}}) {
    if (!(chosen.*item) || paths.onlyOurs) continue;
    for (const std::string* folder : dataFolders) {
      plan.push_back({Kind::DeleteMatchingFiles, *folder + "\\", mask});
    }
  }
  if (chosen.DelSontiges && haveInstallDir && !paths.onlyOurs &&
      !IsVolumeRoot(paths.installDir)) {
    plan.push_back({Kind::DeleteOtherFiles, paths.installDir + "\\", FileSystem::kEveryName});
  }
  return plan;
}

Status ApplyRemovalPlan(FileSystem& fs, const RemovalPlan& plan, const RemovalSteps& steps) {
  for (const RemovalAction& action : plan) {
    switch (action.kind) {
      case Kind::RemoveRegistryEntries: steps.removeRegistryEntries(); break;
      case Kind::DeleteFile: fs.DeleteFile(action.path); break;
      case Kind::DeleteMatchingFiles: DeleteMatchingFiles(fs, action.path, action.mask); break;
      case Kind::RemoveDirectory: fs.RemoveDirectory(action.path); break;
      case Kind::DeleteOtherFiles:
        DeleteOtherFiles(fs, action.path, action.mask, KeepPrefixes());
        break;
      case Kind::WriteSelfRemovalScript:
        if (Status written = steps.writeSelfRemovalScript(); !written.Ok()) return written;
        break;
    }
  }
  return {};
}

RemovalPaths MakeRemovalPaths(Shell& shell, FileSystem& fs, const PresenceQuery& query) {
  RemovalPaths paths{.installDir = InstallDirectoryOf(query.exePath),
                     .programsFolder = query.programsFolder,
                     .desktopDirectory = SpecialFolderPath(shell, csidl::kDesktopDirectory),
                     .virtualStore = query.virtualStore};
  paths.installDirIsLink = IsLinkedFolder(fs, paths.installDir);
  paths.startMenuGroupIsLink =
      !paths.programsFolder.empty() &&
      IsLinkedFolder(fs, JoinPath(paths.programsFolder, product::kStartMenuGroup));
  if (query.registered.OnlyElsewhere()) paths.onlyOurs = query.oursByContent;
  return paths;
}

}  // namespace vlt
