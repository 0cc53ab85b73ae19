#include "startup/Startup.h"

#include "common/Paths.h"
#include "install/InstallPayload.h"
#include "install/ProductFiles.h"
#include "install/RegistryEntries.h"
#include "install/TForm1.h"
#include "install/TForm2.h"
#include "install/TForm3.h"
#include "lang/ApplyLanguage.h"
#include "lang/Language.h"
#include "lang/TForm_Sprache.h"
#include "lang/TextTables.h"
#include "program/Program.h"
#include "startup/ProcessKiller.h"
#include "uninstall/TForm4.h"

namespace vlt {

std::string ReadStoredLanguage(ProfileFile& profile, const std::string& exePath) {
  const std::string configPath = JoinPath(ExtractFileDir(exePath), product::kConfigFile);
  profile.Flush(configPath);
  std::string language = profile.ReadString(configPath, entries::kLanguageSection,
                                            entries::kLanguageKey, kNoLanguage);
  profile.Flush(configPath);
  return language;
}

void CreatePages(Program& program) {
  if (program.UninstallMode()) {
    // A stored value that names no language (damaged or edited by hand)
    // counts as none: the user chooses again, instead of getting pages whose
    // questions and messages would have no text.
    if (!ParseLanguage(program.StoredLanguage)) {
      program.Form_Sprache = program.CreatePage<TForm_Sprache>();
    }
    program.Form4 = program.CreatePage<TForm4>();
  } else {
    program.Form_Sprache = program.CreatePage<TForm_Sprache>();
  }
  program.Form1 = program.CreatePage<TForm1>();
  program.Form2 = program.CreatePage<TForm2>();
  program.Form3 = program.CreatePage<TForm3>();
}

bool LoadCheckedPayload(Program& program) {
  Result<std::unique_ptr<TFileArrayBinder>> payload = LoadInstallPayload(program.sys.resources);
  if (payload.Ok()) {
    program.CheckedPayload = std::move(payload.Value());
    return true;
  }
  // A broken download cannot install anything: say so and end before a
  // single file is written. No page exists yet, so nothing can be closed or
  // cancelled while the message is shown.
  program.ShowMessage(std::string(kMsgDamagedSetup), MsgKind::Error, {MsgButton::Ok});
  program.sys.app.Terminate();
  return false;
}

void StartProgram(Program& program) {
  Services& services = program.sys;
  services.app.SetTitle(kApplicationTitle);
  // Best effort: a copy that cannot be ended keeps its program file open,
  // and the install then names that file among those it could not write.
  [[maybe_unused]] const bool lastEnded =
      KillProcessesByExeName(services.processes, product::kExeFile);
  if (program.UninstallMode()) {
    program.StoredLanguage = ReadStoredLanguage(services.profile, services.app.ExeName());
  } else if (!LoadCheckedPayload(program)) {
    return;
  }
  CreatePages(program);
  ApplyLanguage(program, program.StoredLanguage);
}

void RunProgram(Program& program) {
  StartProgram(program);
  if (Form* mainForm = program.MainForm()) program.sys.app.Run(*mainForm);
}

void RunProgram(Services& services) {
  Program program(services);
  RunProgram(program);
}

}  // namespace vlt
