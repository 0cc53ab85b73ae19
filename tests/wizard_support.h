#pragma once
// Whole runs of the setup program on the fake platform, for tests that drive
// the real pages: a run starts as the program starts itself, then the test
// clicks through it. One Wizard is one machine; a second run on it (the
// installed uninstaller) sees everything the first one left behind.
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "fakes/FakePlatform.h"
#include "install/TForm1.h"
#include "install/TForm2.h"
#include "install/TForm3.h"
#include "lang/ApplyLanguage.h"
#include "lang/TForm_Sprache.h"
#include "payload/BinderRecord.h"
#include "payload_data/PayloadSamples.h"
#include "program/Program.h"
#include "startup/Startup.h"
#include "uninstall/TForm4.h"

namespace vlt::wizard {

// The downloaded setup program and its bytes.
inline const std::string kSetupExe = "C:\\Downloads\\VelToriSetup.exe";
inline const std::string kSetupBytes = "MZ setup program";
inline const std::string kDefaultDir = "C:\\Programme\\VelTori Advanced";
inline const std::string kInstalledUninstaller = kDefaultDir + "\\vltsetup.exe";
// The fake shell's folders.
inline const std::string kDesktop = "C:\\Users\\Anna\\Desktop";
inline const std::string kPrograms =
    "C:\\Users\\Anna\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs";
inline const std::string kGroup = kPrograms + "\\VelTori Advanced";
inline const std::string kDesktopLink = kDesktop + "\\Veltori Advanced.lnk";
inline const std::string kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline const std::string kUninstallParentKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
inline const std::string kUninstallKey = kUninstallParentKey + "\\VelToriAdvanced";

// The fake program's payload files, and a record of files (over another
// block, when given) as the packing tool would store it.
inline std::vector<samples::SampleFile> DefaultFiles() {
  std::vector<samples::SampleFile> files;
  for (const auto& [name, content] : fake::FakeResources::DefaultPayloadFiles()) {
    files.push_back({name, samples::Bytes(content.begin(), content.end())});
  }
  return files;
}
inline std::vector<std::uint8_t> PayloadRecord(std::vector<samples::SampleFile> files,
                                               std::optional<samples::Bytes> block = std::nullopt) {
  auto binder = samples::MakeBinder(files);
  if (block && !binder->DateiSammlung().SetSammlungsDaten(*block)) {
    throw std::runtime_error("no memory for the block");
  }
  return samples::StoreRecord(*binder);
}

// Everything a user could see change on a page.
struct ControlState {
  std::string text;
  bool checked, enabled, visible;
  int position;
  PictureId picture;
  bool operator==(const ControlState&) const = default;
};
struct PageState {
  std::string caption;
  bool visible;
  std::vector<ControlState> controls;
  bool operator==(const PageState&) const = default;
};
inline PageState StateOf(const Form& page) {
  PageState state{page.Caption(), page.Visible(), {}};
  for (const auto& c : page.Controls()) {
    state.controls.push_back(
        {c->Text(), c->Checked(), c->Enabled(), c->Visible(), c->Position(), c->Picture()});
  }
  return state;
}

struct InstallOptions {
  bool autostart = true;
  bool desktop = true;
  bool startMenu = true;
};

class Wizard {
 public:
  Wizard() {
    p.app.exeName = kSetupExe;
    p.fs.AddFile(kSetupExe, kSetupBytes);
  }

  // Starts a run as the program does: title, stored language (uninstall
  // mode), pages, language, event loop. The loop shows the main page unless
  // the run has already ended.
  Program& Start() {
    program = std::make_unique<Program>(p.services);
    RunProgram(*program);
    return *program;
  }

  // Ends the current run and starts `exe -remove` on the same machine. The
  // records of boxes, starts and links begin afresh.
  Program& StartUninstaller(const std::string& exe = kInstalledUninstaller) {
    program.reset();
    p.app.terminated = false;
    p.app.exeName = exe;
    p.app.arguments = {"-remove"};
    p.dialog.shown.clear();
    p.shell.executed.clear();
    p.shell.links.clear();
    return Start();
  }

  TForm_Sprache& Sprache() const { return *program->Form_Sprache; }
  TForm1& Licence() const { return *program->Form1; }
  TForm2& Settings() const { return *program->Form2; }
  TForm3& Finish() const { return *program->Form3; }
  TForm4& Uninstall() const { return *program->Form4; }

  // Language page: choose `language` ("Deutsch" or "English") and press Next.
  void ChooseLanguage(const std::string& language) {
    Sprache().SimulateClickForTesting(language == "English" ? "RadioButton_English" : "RadioButton_Deutsch");
    Sprache().SimulateClickForTesting("BitBtn_Next");
  }

  // A new setup run up to the settings page.
  TForm2& ToSettings(const std::string& language = "Deutsch") {
    Start();
    ChooseLanguage(language);
    Licence().SimulateClickForTesting("BitBtn_Install");
    return Settings();
  }

  // On the settings page: type `dir`, set the options, press Next.
  void Install(const std::string& dir, InstallOptions options = {}) {
    TForm2& page = Settings();
    page.Edit_InstallVerz.SetText(dir);
    const std::pair<Control*, bool> boxes[] = {
        {&page.CheckBox_automatischstarten, options.autostart},
        {&page.CheckBox_VerknupfungAufDesktop, options.desktop},
        {&page.CheckBox_EintragInsStartmenu, options.startMenu}};
    for (const auto& [box, wanted] : boxes) {
      if (box->Checked() != wanted) page.SimulateClickForTesting(box->Name());
    }
    page.SimulateClickForTesting("BitBtn_Weiter");
  }

  // A whole setup run up to the finish page.
  void InstallProduct(const std::string& dir = kDefaultDir, const std::string& language = "Deutsch",
                      InstallOptions options = {}) {
    ToSettings(language);
    Install(dir, options);
  }

  // The texts of every box shown so far.
  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const MessageBoxRequest& box : p.dialog.shown) texts.push_back(box.text);
    return texts;
  }

  fake::FakePlatform p;
  std::unique_ptr<Program> program;
};

}  // namespace vlt::wizard
