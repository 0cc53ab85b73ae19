#include <gtest/gtest.h>

#include <map>
#include <string>

#include "fakes/FakePlatform.h"
#include "install/TForm1.h"
#include "install/TForm2.h"
#include "install/TForm3.h"
#include "lang/ApplyLanguage.h"
#include "lang/LicenceTexts.h"
#include "lang/TForm_Sprache.h"
#include "program/Program.h"
#include "uninstall/TForm4.h"

namespace vlt {
namespace {

enum class Mode { Setup, Uninstall };

// A whole run's pages on the headless host: in setup mode the uninstall page
// is missing, in uninstall mode all five exist (no language stored).
struct PageRun {
  explicit PageRun(Mode mode) {
    if (mode == Mode::Uninstall) platform.app.arguments = {"-remove"};
    program.Form_Sprache = program.CreatePage<TForm_Sprache>();
    if (mode == Mode::Uninstall) program.Form4 = program.CreatePage<TForm4>();
    program.Form1 = program.CreatePage<TForm1>();
    program.Form2 = program.CreatePage<TForm2>();
    program.Form3 = program.CreatePage<TForm3>();
  }

  std::vector<Form*> Pages() const {
    std::vector<Form*> pages;
    for (Form* page : {static_cast<Form*>(program.Form_Sprache),
                       static_cast<Form*>(program.Form1),
                       static_cast<Form*>(program.Form2),
                       static_cast<Form*>(program.Form3),
                       static_cast<Form*>(program.Form4)}) {
      if (page != nullptr) pages.push_back(page);
    }
    return pages;
  }

  // Every text the user can see: page titles, control texts, message texts
  // and dialog captions.
  struct Texts {
    std::map<std::string, std::string> pages;
    MessageTexts msg;
    DialogCaptions captions;
    bool operator==(const Texts&) const = default;
  };
  Texts Snapshot() const {
    Texts texts{{}, program.msg, program.captions};
    for (const Form* page : Pages()) {
      const std::string prefix = std::string(page->ClassName()) + ".";
      texts.pages[prefix + "Caption"] = page->Caption();
      for (const auto& control : page->Controls()) {
        texts.pages[prefix + std::string(control->Name())] = control->Text();
      }
    }
    return texts;
  }

  std::string Text(std::string_view key) const { return Snapshot().pages.at(std::string(key)); }

  fake::FakePlatform platform;
  Program program{platform.services};
};

TEST(ApplyLanguage, UnknownIdentifiersChangeNothing) {
  for (const char* identifier : {"deutsch", "DEUTSCH", "English ", " English", "Englisch", "",
                                 "ERROR"}) {
    SCOPED_TRACE(identifier);
    for (const char* before : {"", "Deutsch", "English"}) {
      PageRun run(Mode::Uninstall);
      ApplyLanguage(run.program, before);
      const PageRun::Texts expected = run.Snapshot();
      ApplyLanguage(run.program, identifier);
      EXPECT_TRUE(run.Snapshot() == expected) << "after " << before;
    }
  }
}

TEST(ApplyLanguage, EachCallReplacesEveryTextOfTheLastOne) {
  for (Mode mode : {Mode::Setup, Mode::Uninstall}) {
    PageRun germanOnly(mode);
    ApplyLanguage(germanOnly.program, "Deutsch");

    PageRun both(mode);
    ApplyLanguage(both.program, "English");
    both.program.Form2->Edit_InstallVerz.SetText("D:\\Tools\\VelTori Advanced");
    ApplyLanguage(both.program, "Deutsch");

    EXPECT_TRUE(both.Snapshot() == germanOnly.Snapshot());
    EXPECT_EQ(both.program.Form2->Edit_InstallVerz.Text(),
              "C:\\Program Files (x86)\\VelTori Advanced");
  }
}

TEST(ApplyLanguage, TheProposedFolderLiesInTheProgramFilesFolderTheShellNames) {
  const struct {
    std::optional<std::string> programFiles;  // nullopt: the shell cannot resolve it
    const char* deutsch;
    const char* english;
  } cases[] = {
      // A 32-bit program on 64-bit Windows, and on 32-bit Windows.
      {"C:\\Program Files (x86)", "C:\\Program Files (x86)\\VelTori Advanced",
       "C:\\Program Files (x86)\\VelTori Advanced"},
      {"D:\\Programme\\", "D:\\Programme\\VelTori Advanced", "D:\\Programme\\VelTori Advanced"},
      {std::nullopt, "C:\\Programme\\VelTori Advanced", "C:\\Programs\\VelTori Advanced"},
  };
  for (const auto& c : cases) {
    PageRun run(Mode::Setup);
    if (c.programFiles) {
      run.platform.shell.folders[csidl::kProgramFiles] = *c.programFiles;
    } else {
      run.platform.shell.folders.erase(csidl::kProgramFiles);
    }
    ApplyLanguage(run.program, "Deutsch");
    EXPECT_EQ(run.program.Form2->Edit_InstallVerz.Text(), c.deutsch);
    ApplyLanguage(run.program, "English");
    EXPECT_EQ(run.program.Form2->Edit_InstallVerz.Text(), c.english);
  }
}

TEST(ApplyLanguage, GermanDiffersFromTheStoredTextsWhereTheTablesSay) {
  PageRun run(Mode::Uninstall);
  EXPECT_EQ(run.Text("TForm3.Label_VielSpass"), "Viel Spaß!");
  EXPECT_EQ(run.Text("TForm2.Caption"), "VelTori Advanced Setup (Schritt 4/4)");
  EXPECT_EQ(run.Text("TForm1.Memo_Lizentext"), "");
  ApplyLanguage(run.program, "Deutsch");
  EXPECT_EQ(run.Text("TForm3.Label_VielSpass"), "Viel Spaß");
  EXPECT_EQ(run.Text("TForm2.Caption"), "VelTori Advanced Setup (Schritt 3/4)");
  EXPECT_EQ(run.Text("TForm4.CheckBox_DelExe"), "VelTori.Exe");
  EXPECT_EQ(run.Text("TForm1.Memo_Lizentext"), LicenceText(Language::Deutsch));
}

TEST(ApplyLanguage, SetupModeSkipsTheMissingUninstallPage) {
  PageRun run(Mode::Setup);
  ASSERT_EQ(run.program.Form4, nullptr);
  ApplyLanguage(run.program, "English");
  EXPECT_EQ(run.Text("TForm1.Caption"), "VelTori Advanced Setup (Step 2/4)");
  EXPECT_EQ(run.program.msg.MsgConfirmCancel, "Do you really want exit Setup?");
  EXPECT_EQ(run.program.msg.MsgUninstallDone, "");
}

TEST(ApplyLanguage, UninstallPageControlsFollowOnlyInUninstallMode) {
  PageRun uninstall(Mode::Uninstall);
  ApplyLanguage(uninstall.program, "English");
  EXPECT_EQ(uninstall.Text("TForm4.Caption"), "VelTori Advanced Uninstall");
  EXPECT_EQ(uninstall.Text("TForm4.CheckBox_DelHilfe"), "Help");
  EXPECT_EQ(uninstall.Text("TForm4.BitBtn_Deinstallieren"), "&Uninstall");
  EXPECT_EQ(uninstall.program.msg.MsgUninstallDone, "Deinstallation completed!");

  // Were the page ever to exist in setup mode, only its title would change.
  PageRun setup(Mode::Setup);
  setup.program.Form4 = setup.program.CreatePage<TForm4>();
  ApplyLanguage(setup.program, "English");
  EXPECT_EQ(setup.Text("TForm4.Caption"), "VelTori Advanced Uninstall");
  EXPECT_EQ(setup.Text("TForm4.CheckBox_DelHilfe"), "Hilfe");
  EXPECT_EQ(setup.Text("TForm4.BitBtn_Deinstallieren"), "&Deinstallieren");
}

TEST(ApplyLanguage, LeavesTheLanguagePageAndEveryControlStateAlone) {
  PageRun run(Mode::Uninstall);
  run.program.Form_Sprache->RadioButton_English.SetChecked(true);
  run.program.Form2->CheckBox_automatischstarten.SetChecked(false);
  run.program.Form2->BitBtn_Weiter.SetEnabled(false);
  run.program.Form2->ProgressBar1.SetVisible(true);
  run.program.Form2->ProgressBar1.SetPosition(30);
  run.program.Form4->CheckBox_DelCfg.SetEnabled(false);
  run.program.Form4->CheckBox_DelCfg.SetChecked(false);
  run.program.Form2->Image1.SetPicture(PictureId::SideBanner);

  struct State {
    bool checked, enabled, visible;
    int position;
    PictureId picture;
    bool operator==(const State&) const = default;
  };
  auto states = [&] {
    std::map<std::string, State> all;
    for (const Form* page : run.Pages()) {
      for (const auto& c : page->Controls()) {
        all[std::string(page->ClassName()) + "." + std::string(c->Name())] =
            State{c->Checked(), c->Enabled(), c->Visible(), c->Position(), c->Picture()};
      }
    }
    return all;
  };
  const auto before = states();
  const PageRun::Texts languagePage = run.Snapshot();

  for (const char* language : {"English", "Deutsch"}) {
    ApplyLanguage(run.program, language);
    EXPECT_TRUE(states() == before) << language;
    const PageRun::Texts now = run.Snapshot();
    for (const auto& [key, text] : languagePage.pages) {
      if (key.starts_with("TForm_Sprache.")) {
        EXPECT_EQ(now.pages.at(key), text) << key;
      }
    }
  }
}

TEST(ApplyLanguage, CancelQuestionBoxSpeaksTheLanguage) {
  struct Case {
    const char* language;
    const char* text;
    const char* title;
    const char* yes;
    const char* no;
  } const cases[] = {
      {"", "", "Confirm", "&Yes", "&No"},
      {"Deutsch", "Setup wirklich abbrechen?", "Bestätiung", "&Ja", "&Nein"},
      {"English", "Do you really want exit Setup?", "Confirmation", "&Yes", "&No"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    PageRun run(Mode::Setup);
    ApplyLanguage(run.program, c.language);
    run.program.ShowMessage(run.program.msg.MsgConfirmCancel, MsgKind::Confirmation,
                            {MsgButton::Yes, MsgButton::No});
    ASSERT_EQ(run.platform.dialog.shown.size(), 1u);
    const MessageBoxRequest& box = run.platform.dialog.shown.front();
    EXPECT_EQ(box.text, c.text);
    EXPECT_EQ(box.title, c.title);
    using Buttons = std::vector<std::pair<MsgButton, std::string>>;
    EXPECT_EQ(box.buttons, (Buttons{{MsgButton::Yes, c.yes}, {MsgButton::No, c.no}}));
  }
}

}  // namespace
}  // namespace vlt
