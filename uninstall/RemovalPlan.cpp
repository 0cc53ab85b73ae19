#include "uninstall/RemovalPlan.h"

#include <span>
#include <string_view>

#include "common/Paths.h"
#include "install/ProductFiles.h"
#include "platform/Shell.h"
#include "uninstall/Presence.h"

namespace vlt {

RemovalPlan BuildRemovalPlan(const ChosenItems& chosen, const RemovalPaths& paths) {
  using namespace removal;
  RemovalPlan plan;
  // Every action below needs its base folder; an unknown one drops the item.
  const bool haveInstallDir = !paths.installDir.empty() && !paths.installDirIsLink;
  const auto inInstallDir = [&](std::string_view name) { return JoinPath(paths.installDir, name); };

  if (chosen.DelUninst) {
    plan.push_back(WriteSelfRemovalScript{paths.exePath, paths.removeFolderWhenEmpty});
  }
  if (chosen.DelRegistry) {
    plan.push_back(RemoveRegistryEntries{paths.installDir, paths.configIsOurs});
  }
  // Outside the registered installation a file goes only where it is ours.
  const auto ours = [&](bool OursByContent::*file) {
    return !paths.onlyOurs || (*paths.onlyOurs).*file;
  };
  if (chosen.DelHilfe && haveInstallDir) {
    for (std::string_view name : product::kHelpFiles) {
      if (ours(name == product::kHelpContentsFile ? &OursByContent::helpContents
                                                   : &OursByContent::helpFile)) {
        plan.push_back(DeleteFile{inInstallDir(name)});
      }
    }
  }
  if (chosen.DelExe && haveInstallDir && ours(&OursByContent::exe)) {
    plan.push_back(DeleteFile{inInstallDir(product::kExeFile)});
  }
  if (chosen.DelStartmenue && !paths.programsFolder.empty()) {
    const std::string group = JoinPath(paths.programsFolder, product::kStartMenuGroup) + "\\";
    if (!paths.startMenuGroupIsLink) {
      plan.push_back(DeleteMatchingFiles{group, FileSystem::kEveryName});
    }
    plan.push_back(RemoveDirectory{group});
  }
  if (chosen.DelDesktopLnk && !paths.desktopDirectory.empty()) {
    plan.push_back(DeleteFile{JoinPath(paths.desktopDirectory, product::kDesktopLink)});
  }
  // The product's own data, where it was written and where Windows
  // redirected it.
  const std::string* const folders[] = {&paths.installDir, &paths.virtualStore};
  const std::span<const std::string* const> dataFolders(
      folders, !haveInstallDir ? 0 : paths.virtualStore.empty() ? 1 : 2);
  if (chosen.DelCfg && ours(&OursByContent::config)) {
    for (const std::string* folder : dataFolders) {
      plan.push_back(DeleteFile{JoinPath(*folder, product::kConfigFile)});
    }
  }
  for (const auto& [item, mask] : {std::pair{&ChosenItems::DelPufferText,
                                             product::kTextEntriesRemovalMask},
                                   std::pair{&ChosenItems::DelPufferBild,
                                             product::kPictureEntriesRemovalMask}}) {
    if (!(chosen.*item) || paths.onlyOurs) continue;
    for (const std::string* folder : dataFolders) {
      plan.push_back(DeleteMatchingFiles{*folder + "\\", mask});
    }
  }
  if (chosen.DelSontiges && haveInstallDir && !paths.onlyOurs &&
      !IsVolumeRoot(paths.installDir)) {
    plan.push_back(DeleteOtherFiles{paths.installDir + "\\", FileSystem::kEveryName});
  }
  return plan;
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
