#include "install/InstallPlan.h"

#include "common/Paths.h"
#include "install/InstallDirRule.h"
#include "install/InstallPayload.h"
#include "install/ProductFiles.h"
#include "lang/Language.h"

namespace vlt {

InstallPlan BuildInstallPlan(const InstallChoices& choices, const std::string& setupExe,
                             const ShortcutPlan& shortcuts) {
  using Kind = InstallStep::Kind;
  using OnFailure = InstallStep::OnFailure;
  const std::string& dir = choices.typedDir;
  const InstallStep progress{.kind = Kind::Progress, .onFailure = OnFailure::Ignored};
  InstallPlan plan;

  plan.push_back(progress);  // 10
  if (IsAcceptableInstallDir(dir)) {
    plan.push_back({.kind = Kind::CreateDirectory,
                    .onFailure = OnFailure::Ignored,
                    .path = ExcludeTrailingBackslash(dir)});
  }
  // An entry that is not acceptable is never made, so it is not found either.
  plan.push_back({.kind = Kind::ConfirmDirectory,
                  .onFailure = OnFailure::EndsRun,
                  .path = dir,
                  .message = &MessageTexts::MsgCreateDirError});
  plan.push_back(progress);  // 20
  plan.push_back({.kind = Kind::WriteLanguage,
                  .onFailure = OnFailure::Escapes,
                  .path = JoinPath(dir, product::kConfigFile),
                  .value = LanguageId(choices.english ? Language::English : Language::Deutsch)});

  const char* const payloadFiles[kInstalledEntryCount] = {
      product::kExeFile, product::kHelpFile, product::kHelpContentsFile};
  for (int entry = 0; entry < kInstalledEntryCount; ++entry) {
    plan.push_back(progress);  // 30, 40, 50
    plan.push_back({.kind = Kind::ExtractEntry,
                    .onFailure = OnFailure::Warns,
                    .path = JoinPath(dir, payloadFiles[entry]),
                    .entry = entry,
                    .message = &MessageTexts::MsgExtractError});
  }

  plan.push_back(progress);  // 60
  // A cut or missing uninstaller would leave an entry that cannot remove
  // anything: the user is told, and nothing is registered that names it.
  plan.push_back({.kind = Kind::CopyUninstaller,
                  .onFailure = OnFailure::Warns,
                  .path = JoinPath(dir, product::kUninstallerFile),
                  .value = setupExe,
                  .message = &MessageTexts::MsgCopyUninstallerError});
  plan.push_back({.kind = Kind::WriteRegistryEntries,
                  .onFailure = OnFailure::RegistryWarning,
                  .autoStart = choices.autoStart});
  plan.push_back(progress);  // 70: the bar is full

  if (choices.startMenuGroup && shortcuts.startMenu) {
    // The shortcuts then fail silently when the folder cannot be made.
    plan.push_back({.kind = Kind::CreateFolder,
                    .onFailure = OnFailure::Ignored,
                    .path = shortcuts.startMenu->folder});
    for (const Shortcut& link : shortcuts.startMenu->shortcuts) {
      plan.push_back(
          {.kind = Kind::CreateShortcut, .onFailure = OnFailure::Escapes, .shortcut = link});
    }
  }
  plan.push_back(progress);  // the eighth step runs past the end; the bar starts over
  if (choices.desktopShortcut && shortcuts.desktop) {
    plan.push_back({.kind = Kind::CreateShortcut,
                    .onFailure = OnFailure::Escapes,
                    .shortcut = *shortcuts.desktop});
  }

  plan.push_back({.kind = Kind::ReportRegistryFailure,
                  .onFailure = OnFailure::Escapes,
                  .message = &MessageTexts::MsgRegistryError});
  plan.push_back({.kind = Kind::ShowFinishPage,
                  .onFailure = OnFailure::Escapes,
                  .path = JoinPath(dir, product::kExeFile)});
  return plan;
}

}  // namespace vlt
