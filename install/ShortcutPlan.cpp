#include "install/ShortcutPlan.h"

#include "common/Paths.h"
#include "install/ProductFiles.h"
#include "program/RunMode.h"

namespace vlt {

ShortcutPlan PlanShortcuts(const std::string& installDir, const MessageTexts& texts,
                           const std::string& webSite, const std::string& programsFolder,
                           const std::string& desktopFolder) {
  const std::string exe = JoinPath(installDir, product::kExeFile);
  ShortcutPlan plan;
  if (!programsFolder.empty()) {
    const std::string folder = JoinPath(programsFolder, product::kStartMenuGroup) + "\\";
    const auto link = [&folder](const std::string& name) { return folder + name; };
    const std::string lnk = product::kLinkExtension;
    plan.startMenu = StartMenuGroup{
        .folder = folder,
        .shortcuts = {
            {link(texts.LinkNameRun + lnk), exe, ""},
            {link(texts.LinkNameUninstall + lnk), JoinPath(installDir, product::kUninstallerFile),
             kRemoveArgument},
            {link(texts.LinkNameHelp + lnk), JoinPath(installDir, product::kHelpFile), ""},
            {link(product::kHomepageLink), webSite, ""},
        }};
  }
  if (!desktopFolder.empty()) {
    plan.desktop = Shortcut{JoinPath(desktopFolder, product::kDesktopLink), exe, ""};
  }
  return plan;
}

}  // namespace vlt
