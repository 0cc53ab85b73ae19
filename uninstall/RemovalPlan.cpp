#include "uninstall/RemovalPlan.h"

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
  const std::string installDirSlash = paths.installDir + "\\";

  if (chosen.DelUninst) plan.push_back({Kind::WriteSelfRemovalScript});
  if (chosen.DelRegistry) plan.push_back({Kind::RemoveRegistryEntries});
  if (chosen.DelHilfe && haveInstallDir) {
    for (std::string_view name : product::kHelpFiles) {
      plan.push_back({Kind::DeleteFile, inInstallDir(name)});
    }
  }
  if (chosen.DelExe && haveInstallDir) {
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
  if (chosen.DelCfg && haveInstallDir) {
    plan.push_back({Kind::DeleteFile, inInstallDir(product::kConfigFile)});
  }
  if (chosen.DelPufferText && haveInstallDir) {
    plan.push_back({Kind::DeleteMatchingFiles, installDirSlash,
                    product::kTextEntriesRemovalMask});
  }
  if (chosen.DelPufferBild && haveInstallDir) {
    plan.push_back({Kind::DeleteMatchingFiles, installDirSlash,
                    product::kPictureEntriesRemovalMask});
  }
  if (chosen.DelSontiges && haveInstallDir && !IsVolumeRoot(paths.installDir)) {
    plan.push_back(
        {Kind::DeleteOtherFiles, installDirSlash, FileSystem::kEveryName});
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

RemovalPaths MakeRemovalPaths(Shell& shell, FileSystem& fs, const std::string& exePath) {
  RemovalPaths paths{.installDir = InstallDirectoryOf(exePath),
                     .programsFolder = SpecialFolderPath(shell, csidl::kPrograms),
                     .desktopDirectory = SpecialFolderPath(shell, csidl::kDesktopDirectory)};
  paths.installDirIsLink = IsLinkedFolder(fs, paths.installDir);
  paths.startMenuGroupIsLink =
      !paths.programsFolder.empty() &&
      IsLinkedFolder(fs, JoinPath(paths.programsFolder, product::kStartMenuGroup));
  return paths;
}

}  // namespace vlt
