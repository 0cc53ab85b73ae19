// Moving through the wizard: the language page's hand-over in both modes, the
// licence page, the settings page's folder browser, the finish page, and a
// setup program whose payload cannot be loaded.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "install/ProductFiles.h"
#include "lang/TextTables.h"
#include "payload/BinderRecord.h"
#include "wizard_support.h"

namespace vlt {
namespace {

using wizard::kDefaultDir;
using wizard::Wizard;

TEST(LanguagePage, NextInSetupModeShowsTheLicenceInTheChosenLanguage) {
  struct Case {
    const char* language;
    const char* licenceCaption;
    const char* installButton;
  } const cases[] = {
      {"Deutsch", "VelTori Advanced Setup (Schritt 2/4)", "&Installieren >>"},
      {"English", "VelTori Advanced Setup (Step 2/4)", "&Install >>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    Wizard w;
    w.Start();
    ASSERT_TRUE(w.Sprache().Visible());
    w.ChooseLanguage(c.language);
    EXPECT_TRUE(w.Licence().Visible());
    EXPECT_EQ(w.Licence().Caption(), c.licenceCaption);
    EXPECT_EQ(w.Licence().BitBtn_Install.Text(), c.installButton);
    EXPECT_EQ(w.Licence().Image1.Picture(), PictureId::SideBanner);
    EXPECT_FALSE(w.Sprache().Visible());
    EXPECT_EQ(w.Sprache().Caption(), "VelTori Advanced Setup (Schritt 1/4)");
    // The radio buttons keep the choice for the install procedure.
    EXPECT_EQ(w.Sprache().RadioButton_English.Checked(), c.language == std::string("English"));
    EXPECT_FALSE(w.Settings().Visible());
    EXPECT_TRUE(w.p.dialog.shown.empty());
  }
}

TEST(LanguagePage, NextInUninstallModeShowsTheUninstallPageInTheChosenLanguage) {
  struct Case {
    const char* language;
    const char* caption;
    const char* removeButton;
  } const cases[] = {
      {"Deutsch", "VelTori Advanced Deinstallation", "&Deinstallieren"},
      {"English", "VelTori Advanced Uninstall", "&Uninstall"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    Wizard w;
    w.StartUninstaller();  // nothing stored: the language is asked first
    EXPECT_EQ(w.Sprache().Caption(), "VelTori Advanced Setup");
    EXPECT_FALSE(w.Uninstall().Visible());
    w.ChooseLanguage(c.language);
    EXPECT_TRUE(w.Uninstall().Visible());
    EXPECT_EQ(w.Uninstall().Caption(), c.caption);
    EXPECT_EQ(w.Uninstall().BitBtn_Deinstallieren.Text(), c.removeButton);
    EXPECT_FALSE(w.Licence().Visible());
    EXPECT_FALSE(w.Sprache().Visible());
    EXPECT_EQ(w.Sprache().Caption(), "VelTori Advanced Setup");
  }
}

TEST(LicencePage, InstallShowsTheSettingsPageWithThePicture) {
  Wizard w;
  w.Start();
  w.ChooseLanguage("English");
  w.Licence().Memo_Lizentext.SetText("the user typed over the licence");
  w.Licence().SimulateClickForTesting("BitBtn_Install");
  EXPECT_TRUE(w.Settings().Visible());
  EXPECT_FALSE(w.Licence().Visible());
  EXPECT_EQ(w.Settings().Image1.Picture(), PictureId::SideBanner);
  EXPECT_EQ(w.Settings().Caption(), "VelTori Advanced Setup (Step 3/4)");
  EXPECT_EQ(w.Settings().Edit_InstallVerz.Text(), "C:\\Program Files (x86)\\VelTori Advanced");
  EXPECT_TRUE(w.p.dialog.shown.empty());
}

// Where the machine's entries name an installation that is there, an
// upgrade goes to it; a registered folder that is gone proposes nothing.
TEST(LicencePage, TheSettingsPageProposesTheRegisteredInstallation) {
  for (bool there : {true, false}) {
    Wizard w;
    w.p.fs.AddDrive("D:");
    if (there) w.p.fs.AddFile("D:\\Tools\\VelTori\\vltsetup.exe");
    ASSERT_TRUE(w.p.registry
                    .WriteString(wizard::kUninstallKey, "UninstallString",
                                 "\"D:\\Tools\\VelTori\\vltsetup.exe\" -remove")
                    .Ok());
    w.Start();
    w.ChooseLanguage("English");
    w.Licence().SimulateClickForTesting("BitBtn_Install");
    EXPECT_EQ(w.Settings().Edit_InstallVerz.Text(),
              there ? "D:\\Tools\\VelTori" : "C:\\Program Files (x86)\\VelTori Advanced");
  }
}

TEST(SettingsPage, BrowseProposesTheProductFolderBelowTheChosenOne) {
  struct Case {
    std::optional<std::string> chosen;  // nullopt: the user cancelled the browser
    const char* field;
  } const cases[] = {
      {"D:\\Tools\\", "D:\\Tools\\VelTori Advanced"},
      {"D:\\Tools", "D:\\Tools\\VelTori Advanced"},
      {"D:\\", "D:\\VelTori Advanced"},
      {"\\\\server\\apps", "\\\\server\\apps\\VelTori Advanced"},
      {std::nullopt, "E:\\Mine\\VelTori"},  // the hand-edited text stays
      {"", "E:\\Mine\\VelTori"},
  };
  for (const char* language : {"Deutsch", "English"}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(language) + " " + c.chosen.value_or("(cancelled)"));
      Wizard w;
      TForm2& page = w.ToSettings(language);
      page.Edit_InstallVerz.SetText("E:\\Mine\\VelTori");
      w.p.shell.browseResult = c.chosen;
      page.SimulateClickForTesting("BitBtn_Suchen");
      EXPECT_EQ(page.Edit_InstallVerz.Text(), c.field);
      const std::string title = language == std::string("English") ? "Choose directory"
                                                                    : "Ordner auswählen";
      using Calls = std::vector<std::pair<int, std::string>>;
      EXPECT_EQ(w.p.shell.browseCalls, (Calls{{17, title}}));
    }
  }
}

TEST(SettingsPage, BrowsingAgainStartsFromTheNewChoiceNotTheField) {
  Wizard w;
  TForm2& page = w.ToSettings();
  w.p.shell.browseResult = "D:\\Tools\\";
  page.SimulateClickForTesting("BitBtn_Suchen");
  w.p.shell.browseResult = "E:\\";
  page.SimulateClickForTesting("BitBtn_Suchen");
  EXPECT_EQ(page.Edit_InstallVerz.Text(), "E:\\VelTori Advanced");
}

TEST(FinishPage, StartsWhatIsCheckedThenEndsTheRun) {
  const std::string typed = "D:\\Werkzeug\\VelTori Advanced\\";
  const ShellExecuteRequest product{.verb = "open",
                                    .file = "D:\\Werkzeug\\VelTori Advanced\\veltori.exe",
                                    .parameters = "",
                                    .directory = typed,
                                    .showCommand = 1};
  const ShellExecuteRequest site{.verb = "open",
                                 .file = product::kWebSite,
                                 .parameters = std::nullopt,
                                 .directory = std::nullopt,
                                 .showCommand = 5};
  struct Case {
    bool start, visit;
    std::vector<ShellExecuteRequest> expected;
  } const cases[] = {
      {true, true, {product, site}},
      {true, false, {product}},
      {false, true, {site}},
      {false, false, {}},
  };
  for (const bool closeBox : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(::testing::Message() << "start " << c.start << ", visit " << c.visit
                                        << (closeBox ? ", close box" : ", button"));
      Wizard w;
      w.p.fs.AddDrive("D:");
      w.InstallProduct(typed);
      TForm3& page = w.Finish();
      ASSERT_TRUE(page.Visible());
      if (!c.start) page.SimulateClickForTesting("CheckBox_VelToriJetztStarten");
      if (!c.visit) page.SimulateClickForTesting("CheckBox_WebseiteBesuchen");
      const std::size_t boxes = w.p.dialog.shown.size();

      if (closeBox) {
        EXPECT_TRUE(page.UserClose());
        EXPECT_FALSE(page.Visible());
      } else {
        page.SimulateClickForTesting("BitBtn_FertigStellen");
      }

      ASSERT_EQ(w.p.shell.executed.size(), c.expected.size());
      for (std::size_t i = 0; i < c.expected.size(); ++i) {
        const ShellExecuteRequest& got = w.p.shell.executed[i];
        const ShellExecuteRequest& want = c.expected[i];
        EXPECT_EQ(got.verb, want.verb) << i;
        EXPECT_EQ(got.file, want.file) << i;
        EXPECT_EQ(got.parameters, want.parameters) << i;
        EXPECT_EQ(got.directory, want.directory) << i;
        EXPECT_EQ(got.showCommand, want.showCommand) << i;
      }
      EXPECT_TRUE(w.p.app.terminated);
      EXPECT_EQ(w.p.dialog.shown.size(), boxes);  // no question on the way out
    }
  }
}

// A broken download says so before it writes anything: the record, and the
// block inside a sound record, are checked before any page exists.
TEST(Payload, ASetupProgramWithADamagedPayloadEndsBeforeAnyPageExists) {
  using Record = std::vector<std::uint8_t>;
  using Resources = std::map<std::string, Record>;
  const auto sound = samples::MakeBinder(wizard::DefaultFiles());
  const auto soundBytes = sound->DateiSammlung().SammlungsDaten().Bytes();
  const samples::Bytes block(soundBytes.begin(), soundBytes.end());
  struct Case {
    const char* name;
    std::function<void(Resources&)> damage;
  } const cases[] = {
      {"missing", [](Resources& r) { r.erase(kPayloadResource); }},
      {"cut short", [](Resources& r) { r[kPayloadResource].resize(r[kPayloadResource].size() / 2); }},
      {"trailing bytes", [](Resources& r) { r[kPayloadResource].push_back(0); }},
      {"empty", [](Resources& r) { r[kPayloadResource].clear(); }},
      {"a flipped byte in the middle of the block",
       [&](Resources& r) {
         samples::Bytes flipped = block;
         flipped[flipped.size() / 2] ^= 0x01;
         r[kPayloadResource] = wizard::PayloadRecord(wizard::DefaultFiles(), flipped);
       }},
      {"a flipped checksum byte",
       [&](Resources& r) {
         samples::Bytes flipped = block;
         flipped.back() ^= 0x01;
         r[kPayloadResource] = wizard::PayloadRecord(wizard::DefaultFiles(), flipped);
       }},
      {"an entry beyond the block",
       [](Resources& r) {
         auto binder = samples::MakeBinder(wizard::DefaultFiles());
         binder->DateiSammlung().Items(2).DateiGroesse += 1;
         r[kPayloadResource] = samples::StoreRecord(*binder);
       }},
      {"an entry of start 1 and size -1",
       [](Resources& r) {
         auto binder = samples::MakeBinder(wizard::DefaultFiles());
         binder->DateiSammlung().Items(1).DateiStart = 1;
         binder->DateiSammlung().Items(1).DateiGroesse = -1;
         r[kPayloadResource] = samples::StoreRecord(*binder);
       }},
      {"two entries where the install extracts three",
       [](Resources& r) {
         auto files = wizard::DefaultFiles();
         files.pop_back();
         r[kPayloadResource] = wizard::PayloadRecord(files);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Wizard w;
    c.damage(w.p.resources.data);
    const std::vector<std::string> files = w.p.fs.AllPaths();
    // A close or cancel while the box is up would need a page to reach.
    bool pagesWhileShown = true;
    w.p.dialog.onShow = [&](const MessageBoxRequest&) {
      pagesWhileShown = w.program->MainForm() != nullptr || w.program->Form2 != nullptr;
    };
    w.Start();

    ASSERT_EQ(w.p.dialog.shown.size(), 1u);
    const MessageBoxRequest& box = w.p.dialog.shown[0];
    EXPECT_EQ(box.text, kMsgDamagedSetup);
    EXPECT_EQ(box.kind, MsgKind::Error);
    EXPECT_EQ(box.buttons.size(), 1u);
    EXPECT_FALSE(pagesWhileShown);
    EXPECT_TRUE(w.p.app.terminated);
    EXPECT_EQ(w.p.app.runCount, 0);  // no event loop without pages
    EXPECT_EQ(w.program->MainForm(), nullptr);
    for (const bool created : {w.program->Form_Sprache != nullptr, w.program->Form1 != nullptr,
                               w.program->Form2 != nullptr, w.program->Form3 != nullptr}) {
      EXPECT_FALSE(created);
    }
    EXPECT_EQ(w.p.fs.AllPaths(), files);
    EXPECT_TRUE(w.p.registry.Keys().empty());
  }
}

TEST(Payload, TheUninstallerNeedsNoneAndGoesOn) {
  Wizard w;
  w.InstallProduct();
  w.p.resources.data[kPayloadResource].resize(10);
  w.StartUninstaller();
  EXPECT_TRUE(w.p.dialog.shown.empty());
  EXPECT_FALSE(w.p.app.terminated);
  ASSERT_TRUE(w.Uninstall().Visible());
  w.Uninstall().SimulateClickForTesting("BitBtn_Deinstallieren");
  EXPECT_EQ(w.BoxTexts(),
            std::vector<std::string>{"Die gewünschte Deinstallation von VelTori ist abgeschlossen."});
  EXPECT_TRUE(w.p.app.terminated);
  EXPECT_FALSE(w.p.fs.Exists(kDefaultDir + "\\veltori.exe"));
}

}  // namespace
}  // namespace vlt
