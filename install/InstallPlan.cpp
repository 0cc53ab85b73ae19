#include "install/InstallPlan.h"

#include "common/Paths.h"
#include "install/InstallDirRule.h"
#include "install/InstallPayload.h"
#include "install/ProductFiles.h"
#include "lang/Language.h"

namespace vlt {

InstallPlan BuildInstallPlan(const InstallChoices& choices, const std::string& setupExe,
                             const ShortcutPlan& shortcuts) {
  const std::string& dir = choices.typedDir;
  InstallPlan plan;
  plan.push_back(step::Progress{});  // 10
  // An entry that is not acceptable is never made, so it is not found either.
  if (IsAcceptableInstallDir(dir)) plan.push_back(step::CreateDirectory{ExcludeTrailingBackslash(dir)});
  plan.push_back(step::ConfirmDirectory{dir});
  plan.push_back(step::Progress{});  // 20
  plan.push_back(step::WriteLanguage{
      JoinPath(dir, product::kConfigFile),
      LanguageId(choices.english ? Language::English : Language::Deutsch)});
  const char* const payloadFiles[kInstalledEntryCount] = {
      product::kExeFile, product::kHelpFile, product::kHelpContentsFile};
  for (int entry = 0; entry < kInstalledEntryCount; ++entry) {
    plan.push_back(step::Progress{});  // 30, 40, 50
    plan.push_back(step::ExtractEntry{entry, JoinPath(dir, payloadFiles[entry])});
  }
  plan.push_back(step::Progress{});  // 60
  // A cut or missing uninstaller would leave an entry that cannot remove
  // anything: the user is told, and nothing is registered that names it.
  plan.push_back(step::CopyUninstaller{setupExe, JoinPath(dir, product::kUninstallerFile)});
  plan.push_back(step::WriteRegistryEntries{choices.autoStart});
  plan.push_back(step::Progress{});  // 70: the bar is full
  if (choices.startMenuGroup && shortcuts.startMenu) {
    // The shortcuts then fail silently when the folder cannot be made.
    plan.push_back(step::CreateFolder{shortcuts.startMenu->folder});
    for (const Shortcut& link : shortcuts.startMenu->shortcuts) {
      plan.push_back(step::CreateShortcut{link});
    }
  }
  plan.push_back(step::Progress{});  // the eighth step runs past the end; the bar starts over
  if (choices.desktopShortcut && shortcuts.desktop) {
    plan.push_back(step::CreateShortcut{*shortcuts.desktop});
  }
  plan.push_back(step::ReportRegistryFailure{});
  plan.push_back(step::ShowFinishPage{JoinPath(dir, product::kExeFile)});
  return plan;
}

}  // namespace vlt
