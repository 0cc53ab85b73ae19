// The uninstaller on a machine that the real install procedure set up: the
// checklist it offers, what each choice removes, and the self-removal script.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "common/Paths.h"
#include "wizard_support.h"

namespace vlt {
namespace {

using namespace wizard;

// The first name the fake's unforeseeable numbers give the script.
const std::string kScript = "C:\\Windows\\Temp\\vltsetup-00000001.bat";
const char* const kItems[] = {
    "CheckBox_DelExe",        "CheckBox_DelHilfe",      "CheckBox_DelRegistry",
    "CheckBox_DelStartmenue", "CheckBox_DelDesktopLnk", "CheckBox_DelCfg",
    "CheckBox_DelPufferText", "CheckBox_DelPufferBild", "CheckBox_DelSontiges",
    "CheckBox_DelUninst"};

// Installs with the real procedure, lets the product leave a stored text and
// picture entry and a log file, and ends the setup run.
void InstallAndUse(Wizard& w, const std::string& language = "Deutsch", InstallOptions options = {}) {
  w.InstallProduct(kDefaultDir, language, options);
  ASSERT_TRUE(w.Finish().Visible());
  w.Finish().SimulateClickForTesting("CheckBox_VelToriJetztStarten");
  w.Finish().SimulateClickForTesting("CheckBox_WebseiteBesuchen");
  w.Finish().SimulateClickForTesting("BitBtn_FertigStellen");
  w.p.fs.AddFile(kDefaultDir + "\\VelToriTextEintrag1.txt", "note");
  w.p.fs.AddFile(kDefaultDir + "\\VelToriBildEintrag1.bmp", "BM");
  w.p.fs.AddFile(kDefaultDir + "\\hotkeys.log", "log");
}

std::set<std::string> FilesInInstallDir(const Wizard& w) {
  std::set<std::string> names;
  for (const std::string& path : w.p.fs.AllPaths()) {
    if (w.p.fs.IsFile(path) && ExtractFileDir(path) == kDefaultDir) names.insert(ExtractFileName(path));
  }
  return names;
}

const std::set<std::string> kEverythingInstalled = {
    "VelToriBildEintrag1.bmp", "VelToriTextEintrag1.txt", "config.vlt", "hotkeys.log",
    "veltori.cnt", "veltori.exe", "veltori.hlp", "vltsetup.exe"};

TEST(UninstallPage, OffersAndChecksEverythingTheInstallationLeft) {
  Wizard w;
  InstallAndUse(w);
  w.StartUninstaller();
  EXPECT_EQ(w.program->Form_Sprache, nullptr);  // the stored language is used
  ASSERT_TRUE(w.Uninstall().Visible());
  EXPECT_EQ(w.Uninstall().Caption(), "VelTori Advanced Deinstallation");
  for (const char* item : kItems) {
    EXPECT_TRUE(w.Uninstall().Ctl(item).Enabled()) << item;
    // Deleting files that are not the product's is offered, never preset.
    EXPECT_EQ(w.Uninstall().Ctl(item).Checked(), std::string(item) != "CheckBox_DelSontiges")
        << item;
  }
}

TEST(UninstallPage, WhatIsNotThereIsGreyedAndUnchecked) {
  struct Case {
    const char* name;
    void (*prepare)(Wizard&);
    std::string exe;
    std::set<std::string> greyed;
  } const cases[] = {
      {"bare product set",
       [](Wizard& w) { w.InstallProduct(); },
       kInstalledUninstaller,
       {"CheckBox_DelPufferText", "CheckBox_DelPufferBild", "CheckBox_DelSontiges"}},
      {"installed without autostart: the uninstall entry is still there",
       [](Wizard& w) { InstallAndUse(w, "Deutsch", {.autostart = false}); },
       kInstalledUninstaller,
       {}},
      {"neither the autostart value nor the uninstall entry",
       [](Wizard& w) {
         InstallAndUse(w, "Deutsch", {.autostart = false});
         ASSERT_TRUE(w.p.registry.DeleteKeyTree(kUninstallParentKey, "VelToriAdvanced").Ok());
       },
       kInstalledUninstaller,
       {"CheckBox_DelRegistry"}},
      {"installed without shortcuts",
       [](Wizard& w) { InstallAndUse(w, "English", {.desktop = false, .startMenu = false}); },
       kInstalledUninstaller,
       {"CheckBox_DelStartmenue", "CheckBox_DelDesktopLnk"}},
      {"product and help deleted by hand",
       [](Wizard& w) {
         InstallAndUse(w);
         for (const char* name : {"veltori.exe", "veltori.hlp", "veltori.cnt"}) {
           ASSERT_TRUE(w.p.fs.DeleteFile(kDefaultDir + "\\" + name).Ok());
         }
       },
       kInstalledUninstaller,
       {"CheckBox_DelExe", "CheckBox_DelHilfe"}},
      {"no rights on the machine's registry",
       [](Wizard& w) {
         InstallAndUse(w);
         w.p.registry.readOnly = true;
       },
       kInstalledUninstaller,
       {"CheckBox_DelRegistry"}},
      {"started with -remove from the download folder of a clean machine",
       [](Wizard&) {},
       kSetupExe,
       {"CheckBox_DelExe", "CheckBox_DelHilfe", "CheckBox_DelRegistry", "CheckBox_DelStartmenue",
        "CheckBox_DelDesktopLnk", "CheckBox_DelCfg", "CheckBox_DelPufferText",
        "CheckBox_DelPufferBild", "CheckBox_DelSontiges"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Wizard w;
    c.prepare(w);
    w.StartUninstaller(c.exe);
    if (w.program->Form_Sprache) w.ChooseLanguage("Deutsch");
    ASSERT_TRUE(w.Uninstall().Visible());
    for (const char* item : kItems) {
      const bool offered = c.greyed.count(item) == 0;
      EXPECT_EQ(w.Uninstall().Ctl(item).Enabled(), offered) << item;
      EXPECT_EQ(w.Uninstall().Ctl(item).Checked(),
                offered && std::string(item) != "CheckBox_DelSontiges")
          << item;
    }
  }
}

TEST(UninstallPage, RemovingEverythingLeavesNothingOfTheProduct) {
  struct Case {
    const char* language;
    const char* done;
  } const cases[] = {
      {"Deutsch", "Die gewünschte Deinstallation von VelTori ist abgeschlossen."},
      {"English", "Deinstallation completed!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    Wizard w;
    std::vector<std::string> expected = w.p.fs.AllPaths();
    InstallAndUse(w, c.language);
    w.StartUninstaller();
    w.Uninstall().SimulateClickForTesting("CheckBox_DelSontiges");  // the user asks for it
    // The script is written before the box, but starts only once the box is
    // closed: its bounded wait must not run out while the box stays open.
    bool scriptWrittenBeforeTheBox = false, startedBeforeTheBox = true, endedBeforeTheBox = true;
    w.p.dialog.onShow = [&](const MessageBoxRequest&) {
      scriptWrittenBeforeTheBox = w.p.fs.IsFile(kScript);
      startedBeforeTheBox = !w.p.shell.executed.empty();
      endedBeforeTheBox = w.p.app.terminated;
    };
    w.Uninstall().SimulateClickForTesting("BitBtn_Deinstallieren");

    ASSERT_EQ(w.p.dialog.shown.size(), 1u);
    EXPECT_EQ(w.p.dialog.shown[0].text, c.done);
    EXPECT_EQ(w.p.dialog.shown[0].kind, MsgKind::Information);
    EXPECT_EQ(w.p.dialog.shown[0].buttons.size(), 1u);
    EXPECT_TRUE(scriptWrittenBeforeTheBox);
    EXPECT_FALSE(startedBeforeTheBox);
    EXPECT_FALSE(endedBeforeTheBox);
    EXPECT_TRUE(w.p.app.terminated);

    // Left behind: the running uninstaller in its folder, which the script
    // erases once the program has ended, and the script itself.
    for (const std::string& path : {std::string("C:\\Programme"), kDefaultDir,
                                    kInstalledUninstaller, kScript}) {
      expected.push_back(path);
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(w.p.fs.AllPaths(), expected);
    EXPECT_EQ(w.p.registry.Value(kRunKey, "VelToriAutoStart"), std::nullopt);
    EXPECT_FALSE(w.p.registry.HasKey(kUninstallKey));

    ASSERT_EQ(w.p.shell.executed.size(), 1u);
    const ShellExecuteRequest& script = w.p.shell.executed[0];
    EXPECT_EQ(script.verb, "open");
    EXPECT_EQ(script.file, "C:\\Windows\\system32\\cmd.exe");
    EXPECT_EQ(script.parameters, "/d /c \"\"" + kScript + "\"\"");
    EXPECT_EQ(script.directory, "C:\\Windows\\Temp");
    EXPECT_EQ(script.showCommand, 0);
    EXPECT_NE(w.p.fs.ReadFile(kScript).value_or("").find("Erase \"" + kInstalledUninstaller + "\""),
              std::string::npos);
  }
}

TEST(UninstallPage, UntickedItemsStayExactly) {
  const std::set<std::string> none;
  struct Case {
    const char* name;
    std::set<std::string> unticked;
    std::set<std::string> remaining;  // files in the install directory
    bool entriesAndShortcutsStay;
    bool scriptStarted;
  } const cases[] = {
      {"only the uninstaller",
       {"CheckBox_DelExe", "CheckBox_DelHilfe", "CheckBox_DelRegistry", "CheckBox_DelStartmenue",
        "CheckBox_DelDesktopLnk", "CheckBox_DelCfg", "CheckBox_DelPufferText",
        "CheckBox_DelPufferBild", "CheckBox_DelSontiges"},
       kEverythingInstalled, true, true},
      {"everything but the configuration file", {"CheckBox_DelCfg"},
       {"config.vlt", "vltsetup.exe"}, false, true},
      {"everything but the uninstaller", {"CheckBox_DelUninst"}, {"vltsetup.exe"}, false, false},
      {"nothing", std::set<std::string>(std::begin(kItems), std::end(kItems)), kEverythingInstalled,
       true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Wizard w;
    InstallAndUse(w);
    w.StartUninstaller();
    w.Uninstall().SimulateClickForTesting("CheckBox_DelSontiges");  // the one item not preset
    for (const std::string& item : c.unticked) w.Uninstall().Ctl(item).SetChecked(false);
    w.Uninstall().SimulateClickForTesting("BitBtn_Deinstallieren");

    EXPECT_EQ(FilesInInstallDir(w), c.remaining);
    EXPECT_EQ(w.p.registry.Value(kRunKey, "VelToriAutoStart").has_value(), c.entriesAndShortcutsStay);
    EXPECT_EQ(w.p.registry.HasKey(kUninstallKey), c.entriesAndShortcutsStay);
    EXPECT_EQ(w.p.fs.Exists(kGroup), c.entriesAndShortcutsStay);
    EXPECT_EQ(w.p.fs.Exists(kDesktopLink), c.entriesAndShortcutsStay);
    EXPECT_EQ(w.p.shell.executed.size(), c.scriptStarted ? 1u : 0u);
    EXPECT_EQ(w.BoxTexts(),
              std::vector<std::string>{"Die gewünschte Deinstallation von VelTori ist abgeschlossen."});
    EXPECT_TRUE(w.p.app.terminated);
  }
  // The registry item ran before the configuration file was spared.
  Wizard w;
  InstallAndUse(w);
  w.StartUninstaller();
  w.Uninstall().SimulateClickForTesting("CheckBox_DelCfg");
  w.Uninstall().SimulateClickForTesting("BitBtn_Deinstallieren");
  EXPECT_EQ(w.p.fs.ReadFile(kDefaultDir + "\\config.vlt"),
            "[Sprache]\r\nSprache=Deutsch\r\n[Allgemein]\r\nAutostart=nein\r\n");
}

TEST(UninstallPage, AnUnwritableScriptFolderIsReportedAndThePageStaysUsable) {
  Wizard w;
  InstallAndUse(w);
  w.StartUninstaller();
  w.p.fs.DenyCreate("C:\\Windows\\Temp");
  w.Uninstall().SimulateClickForTesting("BitBtn_Deinstallieren");

  ASSERT_EQ(w.p.dialog.shown.size(), 1u);
  const MessageBoxRequest& report = w.p.dialog.shown[0];
  EXPECT_EQ(report.kind, MsgKind::Error);
  EXPECT_EQ(report.title, "VelTori Advanced Setup");
  EXPECT_NE(report.text.find(kScript), std::string::npos) << report.text;
  EXPECT_FALSE(w.p.app.terminated);
  EXPECT_TRUE(w.p.shell.executed.empty());
  EXPECT_TRUE(w.Uninstall().Visible());
  EXPECT_TRUE(w.Uninstall().BitBtn_Deinstallieren.Enabled());
  EXPECT_TRUE(w.Uninstall().BitBtn_Abbrechen.Enabled());
  // The script comes first: nothing is removed without it.
  EXPECT_EQ(FilesInInstallDir(w), kEverythingInstalled);
  EXPECT_TRUE(w.p.registry.HasKey(kUninstallKey));

  w.p.fs.DenyCreate("C:\\Windows\\Temp", false);
  w.Uninstall().SimulateClickForTesting("BitBtn_Deinstallieren");
  EXPECT_EQ(w.p.dialog.shown.back().text,
            "Die gewünschte Deinstallation von VelTori ist abgeschlossen.");
  EXPECT_EQ(w.p.shell.executed.size(), 1u);
  EXPECT_TRUE(w.p.app.terminated);
}

// The page stood open while the machine changed; the removal acts on what
// is there at the click. Another install (to C:\\B) took the entries and the
// shortcuts: they stay, and of this folder only what is ours by content
// goes. The install folder replaced by a link to the user's folder: nothing
// in that folder is deleted or written.
TEST(UninstallPage, WhatLeadsWhereIsJudgedAgainAtTheClick) {
  const std::string b = "C:\\B";
  {
    Wizard w;
    InstallAndUse(w);
    w.StartUninstaller();
    for (const char* name : {"veltori.exe", "veltori.hlp", "veltori.cnt", "vltsetup.exe"}) {
      w.p.fs.AddFile(b + "\\" + name, *w.p.fs.ReadFile(kDefaultDir + "\\" + name));
    }
    ASSERT_TRUE(w.p.registry.WriteString(kRunKey, "VelToriAutoStart", b + "\\veltori.exe").Ok());
    ASSERT_TRUE(
        w.p.registry.WriteString(kUninstallKey, "UninstallString", b + "\\vltsetup.exe -remove").Ok());
    for (const fake::SavedLink& link : std::vector<fake::SavedLink>(w.p.shell.links)) {
      ShellLinkData data = link.data;
      if (data.target.starts_with(kDefaultDir)) data.target = b + data.target.substr(kDefaultDir.size());
      ASSERT_TRUE(w.p.shell.SaveShellLink(link.linkFile, data).Ok());
    }
    w.Uninstall().SimulateClickForTesting("BitBtn_Deinstallieren");

    EXPECT_EQ(w.p.registry.Value(kRunKey, "VelToriAutoStart"), b + "\\veltori.exe");
    EXPECT_TRUE(w.p.registry.HasKey(kUninstallKey));
    EXPECT_TRUE(w.p.fs.Exists(kDesktopLink));
    EXPECT_TRUE(w.p.fs.Exists(kGroup + "\\Veltori Advanced ausführen.lnk"));
    EXPECT_EQ(FilesInInstallDir(w), (std::set<std::string>{"VelToriBildEintrag1.bmp",
                                                           "VelToriTextEintrag1.txt",
                                                           "hotkeys.log", "vltsetup.exe"}));
  }
  Wizard w;
  InstallAndUse(w);
  w.StartUninstaller();
  const std::string mine = "C:\\Users\\Anna\\Documents\\Mine";
  const std::string config = "[Allgemein]\r\nAutostart=ja\r\n";
  w.p.fs.AddFile(mine + "\\config.vlt", config);
  w.p.fs.AddFile(mine + "\\veltori.exe", "my build");
  w.p.fs.AddFile(mine + "\\Brief.doc", "a letter");
  for (const std::string& name : FilesInInstallDir(w)) {
    ASSERT_TRUE(w.p.fs.DeleteFile(JoinPath(kDefaultDir, name)).Ok());
  }
  ASSERT_TRUE(w.p.fs.RemoveDirectory(kDefaultDir).Ok());
  w.p.fs.AddDirectoryLink(kDefaultDir, mine);
  w.Uninstall().SimulateClickForTesting("CheckBox_DelSontiges");
  w.Uninstall().SimulateClickForTesting("BitBtn_Deinstallieren");

  EXPECT_EQ(w.p.fs.ReadFile(mine + "\\config.vlt"), config);
  EXPECT_EQ(w.p.fs.ReadFile(mine + "\\veltori.exe"), "my build");
  EXPECT_EQ(w.p.fs.ReadFile(mine + "\\Brief.doc"), "a letter");
  EXPECT_TRUE(w.p.app.terminated);
}

}  // namespace
}  // namespace vlt
