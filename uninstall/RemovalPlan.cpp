#include "uninstall/RemovalPlan.h"

#include "common/Paths.h"
#include "install/ProductFiles.h"
#include "platform/Shell.h"
#include "uninstall/Presence.h"

namespace vlt {

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
