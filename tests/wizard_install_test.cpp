// The install procedure behind the settings page's Next button, run on the
// real pages: what lands where, in which order, and what each failure leaves.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "common/Paths.h"
#include "install/ProductFiles.h"
#include "payload/BinderRecord.h"
#include "payload_data/PayloadSamples.h"
#include "wizard_support.h"

namespace vlt {
namespace {

using namespace wizard;

const char kCreateDirError[] =
    "Fehler beim Anlegen des Verzeichnisses.\rBitte überprüfen Sie Ihre Eingaben.";
const char kExtractError[] =
    "Fehler beim entpacken der Dateien. \rMöglicherweise ist die Anwendung bereits installiert.";

std::string PayloadContent(int index) { return fake::FakeResources::DefaultPayloadFiles()[index].second; }

// What the settings page looked like while a box was up.
struct SeenAtBox {
  std::string text;
  bool nextEnabled, cancelEnabled, barVisible;
  int barPosition;
  std::size_t linksSaved;
  bool finishShown;
};

// Records the settings page's state at every box while it lives.
class BoxWatch {
 public:
  explicit BoxWatch(Wizard& w) : w_(w) {
    w.p.dialog.onShow = [this](const MessageBoxRequest& box) {
      const TForm2& page = w_.Settings();
      seen.push_back({box.text, page.BitBtn_Weiter.Enabled(), page.BitBtn_Abbrechen.Enabled(),
                      page.ProgressBar1.Visible(), page.ProgressBar1.Position(),
                      w_.p.shell.links.size(), w_.Finish().Visible()});
    };
  }
  ~BoxWatch() { w_.p.dialog.onShow = nullptr; }
  BoxWatch(const BoxWatch&) = delete;
  BoxWatch& operator=(const BoxWatch&) = delete;
  std::vector<SeenAtBox> seen;

 private:
  Wizard& w_;
};

std::string Content(const Wizard& w, const std::string& path) {
  return w.p.fs.ReadFile(path).value_or("(missing)");
}

struct Link {
  std::string linkFile, target, arguments, workingDirectory;
  bool operator==(const Link&) const = default;
};
std::vector<Link> SavedLinks(const Wizard& w) {
  std::vector<Link> links;
  for (const fake::SavedLink& l : w.p.shell.links) {
    links.push_back({l.linkFile, l.data.target, l.data.arguments, l.data.workingDirectory});
  }
  return links;
}

void ExpectIdleAfterSuccess(const Wizard& w) {
  EXPECT_TRUE(w.Finish().Visible());
  EXPECT_EQ(w.Finish().Image1.Picture(), PictureId::SideBanner);
  EXPECT_FALSE(w.Settings().Visible());
  EXPECT_TRUE(w.Settings().BitBtn_Weiter.Enabled());
  EXPECT_TRUE(w.Settings().BitBtn_Abbrechen.Enabled());
  // Eight steps of 10 on a bar of 0 to 70: the last one starts it over.
  EXPECT_TRUE(w.Settings().ProgressBar1.Visible());
  EXPECT_EQ(w.Settings().ProgressBar1.Position(), 10);
}

TEST(InstallProcedure, PutsEveryFileEntryAndShortcutInTheTypedDirectory) {
  struct Case {
    const char* typed;
    const char* dir;  // the directory without a trailing backslash
    const char* language;
    std::vector<std::string> linkNames;  // run, uninstall, help
  } const cases[] = {
      {"C:\\Programme\\VelTori Advanced", "C:\\Programme\\VelTori Advanced", "Deutsch",
       {"Veltori Advanced ausführen", "Veltori Advanced deinstallieren", "Veltori Advanced Hilfe"}},
      {"D:\\Tools\\VelTori Advanced\\", "D:\\Tools\\VelTori Advanced", "English",
       {"start Veltori Advanced", "uninstall Veltori Advanced", "Veltori Advanced help"}},
      {"C:\\Program Files\\My Apps\\VelTori", "C:\\Program Files\\My Apps\\VelTori", "English",
       {"start Veltori Advanced", "uninstall Veltori Advanced", "Veltori Advanced help"}},
      // Two trailing backslashes: exactly one goes, in every path, value and link.
      {"D:\\VelTori\\\\", "D:\\VelTori\\", "Deutsch",
       {"Veltori Advanced ausführen", "Veltori Advanced deinstallieren", "Veltori Advanced Hilfe"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    Wizard w;
    w.p.fs.AddDrive("D:");
    const std::vector<std::string> before = w.p.fs.AllPaths();
    w.InstallProduct(c.typed, c.language);

    EXPECT_TRUE(w.p.dialog.shown.empty()) << w.BoxTexts().front();
    ExpectIdleAfterSuccess(w);
    EXPECT_EQ(w.program->InstallVerz, c.typed);

    const std::string dir = c.dir;
    EXPECT_EQ(Content(w, dir + "\\veltori.exe"), PayloadContent(0));
    EXPECT_EQ(Content(w, dir + "\\veltori.hlp"), PayloadContent(1));
    EXPECT_EQ(Content(w, dir + "\\veltori.cnt"), PayloadContent(2));
    EXPECT_EQ(Content(w, dir + "\\vltsetup.exe"), kSetupBytes);
    EXPECT_EQ(Content(w, dir + "\\config.vlt"), std::string("[Sprache]\r\nSprache=") + c.language +
                                                   "\r\n[Allgemein]\r\nAutostart=ja\r\n");

    EXPECT_EQ(w.p.registry.Value(kRunKey, "VelToriAutoStart"), "\"" + dir + "\\veltori.exe\"");
    EXPECT_EQ(w.p.registry.Values(kUninstallKey),
              (std::map<std::string, std::string>{
                  {"DisplayName", "VelTori Advanced"},
                  {"UninstallString", "\"" + dir + "\\vltsetup.exe\" -remove"}}));

    const std::string group = kGroup + "\\";
    const std::vector<Link> links = {
        {group + c.linkNames[0] + ".lnk", dir + "\\veltori.exe", "", dir},
        {group + c.linkNames[1] + ".lnk", dir + "\\vltsetup.exe", "-remove", dir},
        {group + c.linkNames[2] + ".lnk", dir + "\\veltori.hlp", "", dir},
        {group + "Veltori Advanced Homepage.lnk", product::kWebSite, "", "http:"},
        {kDesktopLink, dir + "\\veltori.exe", "", dir},
    };
    EXPECT_EQ(SavedLinks(w), links);

    // Nothing lands anywhere else (where a doubled backslash is one).
    std::set<std::string> expectedFiles;
    for (const char* name : {"veltori.exe", "veltori.hlp", "veltori.cnt", "vltsetup.exe", "config.vlt"}) {
      expectedFiles.insert(JoinPath(dir, name));
    }
    for (const Link& link : links) expectedFiles.insert(link.linkFile);
    std::set<std::string> newFiles;
    for (const std::string& path : w.p.fs.AllPaths()) {
      if (w.p.fs.IsFile(path) && std::find(before.begin(), before.end(), path) == before.end()) {
        newFiles.insert(path);
      }
    }
    EXPECT_EQ(newFiles, expectedFiles);
  }
}

TEST(InstallProcedure, WithEveryOptionOffOnlyTheUninstallEntryIsRegistered) {
  Wizard w;
  ASSERT_TRUE(w.p.registry.WriteString(kRunKey, "VelToriAutoStart", "\"C:\\Alt\\veltori.exe\"").Ok());
  w.InstallProduct(kDefaultDir, "Deutsch", {.autostart = false, .desktop = false, .startMenu = false});

  EXPECT_TRUE(w.p.dialog.shown.empty());
  ExpectIdleAfterSuccess(w);
  EXPECT_EQ(w.p.registry.Value(kRunKey, "VelToriAutoStart"), std::nullopt);
  EXPECT_EQ(w.p.registry.Value(kUninstallKey, "UninstallString"),
            "\"" + kDefaultDir + "\\vltsetup.exe\" -remove");
  EXPECT_EQ(Content(w, kDefaultDir + "\\config.vlt"),
            "[Sprache]\r\nSprache=Deutsch\r\n[Allgemein]\r\nAutostart=nein\r\n");
  EXPECT_FALSE(w.p.fs.Exists(kGroup));
  EXPECT_FALSE(w.p.fs.Exists(kDesktopLink));
  EXPECT_TRUE(w.p.shell.links.empty());
  EXPECT_EQ(Content(w, kDefaultDir + "\\veltori.exe"), PayloadContent(0));
}

TEST(InstallProcedure, AStartMenuGroupThatCannotBeMadeIsSilentlyMissing) {
  struct Case {
    const char* name;
    void (*prepare)(fake::FakePlatform&);
  } const cases[] = {
      {"programs folder refuses new entries",
       [](fake::FakePlatform& p) { p.fs.DenyCreate(kPrograms); }},
      {"programs folder unknown to the shell",
       [](fake::FakePlatform& p) { p.shell.folders[csidl::kPrograms] = ""; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Wizard w;
    c.prepare(w.p);
    const std::vector<std::string> before = w.p.fs.AllPaths();
    w.InstallProduct();

    EXPECT_TRUE(w.p.dialog.shown.empty());
    ExpectIdleAfterSuccess(w);
    EXPECT_FALSE(w.p.fs.Exists(kGroup));
    EXPECT_FALSE(w.p.fs.Exists("C:\\VelTori Advanced"));  // not beside the drive's root instead
    EXPECT_EQ(SavedLinks(w), (std::vector<Link>{{kDesktopLink, kDefaultDir + "\\veltori.exe", "",
                                                 kDefaultDir}}));
  }
}

TEST(InstallProcedure, InstallingAgainOverwritesTheFilesAndUpdatesTheConfigurationInPlace) {
  Wizard w;
  for (const char* name : {"veltori.exe", "veltori.hlp", "veltori.cnt", "vltsetup.exe"}) {
    w.p.fs.AddFile(kDefaultDir + "\\" + name, "an older, longer version of the file");
  }
  w.p.fs.AddFile(kDefaultDir + "\\config.vlt",
                 "[Allgemein]\r\nAutostart=ja\r\nHotkey=145\r\n[Sprache]\r\nSprache=English\r\n");
  w.p.fs.AddFile(kDesktopLink, "old link");
  w.InstallProduct(kDefaultDir, "Deutsch", {.autostart = false});

  EXPECT_TRUE(w.p.dialog.shown.empty());
  ExpectIdleAfterSuccess(w);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Content(w, kDefaultDir + "\\" + fake::FakeResources::DefaultPayloadFiles()[i].first),
              PayloadContent(i));
  }
  EXPECT_EQ(Content(w, kDefaultDir + "\\vltsetup.exe"), kSetupBytes);
  EXPECT_EQ(Content(w, kDefaultDir + "\\config.vlt"),
            "[Allgemein]\r\nAutostart=nein\r\nHotkey=145\r\n[Sprache]\r\nSprache=Deutsch\r\n");
  EXPECT_NE(Content(w, kDesktopLink), "old link");

  // Again from the installed uninstaller itself, which is in use while it
  // runs, the folder typed in another form: the copy is known to be there.
  Wizard fromInstalled;
  fromInstalled.p.fs = w.p.fs;
  fromInstalled.p.app.exeName = kDefaultDir + "\\vltsetup.exe";
  fromInstalled.p.fs.SetInUse(kDefaultDir + "\\vltsetup.exe");
  fromInstalled.InstallProduct("c:\\PROGRAMME\\\\VelTori Advanced");
  EXPECT_TRUE(fromInstalled.p.dialog.shown.empty()) << fromInstalled.BoxTexts().front();
  EXPECT_TRUE(fromInstalled.p.registry.HasKey(kUninstallKey));
}

TEST(InstallProcedure, AnUnusableDirectoryIsReportedOnceAndTheNextTryInstalls) {
  struct Case {
    const char* name;
    std::string typed;
    void (*prepare)(fake::FakeFileSystem&);
    void (*repair)(Wizard&);  // the user's correction before the second try
  } const cases[] = {
      {"empty entry", "", [](fake::FakeFileSystem&) {},
       [](Wizard& w) { w.Settings().Edit_InstallVerz.SetText(kDefaultDir); }},
      {"relative name", "foo", [](fake::FakeFileSystem&) {},
       [](Wizard& w) { w.Settings().Edit_InstallVerz.SetText(kDefaultDir); }},
      {"relative path", "Programme\\VelTori Advanced", [](fake::FakeFileSystem&) {},
       [](Wizard& w) { w.Settings().Edit_InstallVerz.SetText(kDefaultDir); }},
      {"rooted on the current drive", "\\VelTori Advanced", [](fake::FakeFileSystem&) {},
       [](Wizard& w) { w.Settings().Edit_InstallVerz.SetText(kDefaultDir); }},
      {"relative to a drive's current folder", "C:VelTori", [](fake::FakeFileSystem&) {},
       [](Wizard& w) { w.Settings().Edit_InstallVerz.SetText(kDefaultDir); }},
      {"missing drive", "Q:\\VelTori Advanced", [](fake::FakeFileSystem&) {},
       [](Wizard& w) { w.p.fs.AddDrive("Q:"); }},
      {"parent refuses new folders", kDefaultDir,
       [](fake::FakeFileSystem& fs) {
         fs.AddDir("C:\\Programme");
         fs.DenyCreate("C:\\Programme");
       },
       [](Wizard& w) { w.p.fs.DenyCreate("C:\\Programme", false); }},
      {"a drive root", "D:\\", [](fake::FakeFileSystem& fs) { fs.AddDrive("D:"); },
       [](Wizard& w) { w.Settings().Edit_InstallVerz.SetText("D:\\VelTori Advanced"); }},
      {"a trailing blank Windows would strip", "C:\\Tools\\VelTori ", [](fake::FakeFileSystem&) {},
       [](Wizard& w) { w.Settings().Edit_InstallVerz.SetText("C:\\Tools\\VelTori"); }},
      {"a trailing dot before the backslash", "C:\\Tools\\VelTori.\\", [](fake::FakeFileSystem&) {},
       [](Wizard& w) { w.Settings().Edit_InstallVerz.SetText("C:\\Tools\\VelTori\\"); }},
      // Folders of Windows and of the users, however they are written.
      {"the public profile", "C:\\Users\\Public", [](fake::FakeFileSystem&) {},
       [](Wizard& w) { w.Settings().Edit_InstallVerz.SetText("C:\\Users\\Public\\VelTori"); }},
      {"the 64-bit Program Files", "c:\\program files\\", [](fake::FakeFileSystem&) {},
       [](Wizard& w) { w.Settings().Edit_InstallVerz.SetText("C:\\Program Files\\VelTori"); }},
      {"another user's Documents through a subst drive", "S:\\Bert\\\\Documents",
       [](fake::FakeFileSystem& fs) {
         fs.AddDir("C:\\Users\\Bert\\Documents");
         fs.AddSubstDrive("S:", "C:\\Users");
       },
       [](Wizard& w) { w.Settings().Edit_InstallVerz.SetText("S:\\Bert\\VelTori"); }},
      {"a file of that name", kDefaultDir,
       [](fake::FakeFileSystem& fs) { fs.AddFile(kDefaultDir, "not a folder"); },
       [](Wizard& w) { ASSERT_TRUE(w.p.fs.DeleteFile(kDefaultDir).Ok()); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Wizard w;
    c.prepare(w.p.fs);
    TForm2& page = w.ToSettings();
    const std::vector<std::string> files = w.p.fs.AllPaths();
    BoxWatch watch(w);
    const std::vector<SeenAtBox>& seen = watch.seen;
    w.Install(c.typed);

    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, kCreateDirError);
    EXPECT_EQ(w.p.dialog.shown[0].kind, MsgKind::Warning);
    EXPECT_FALSE(seen[0].nextEnabled);
    EXPECT_FALSE(seen[0].cancelEnabled);
    // Nothing written, and the page is ready for another try.
    EXPECT_EQ(w.p.fs.AllPaths(), files);
    EXPECT_TRUE(w.p.registry.Keys().empty());
    EXPECT_TRUE(w.p.shell.links.empty());
    EXPECT_EQ(w.program->InstallVerz, "");
    EXPECT_TRUE(page.Visible());
    EXPECT_FALSE(w.Finish().Visible());
    EXPECT_TRUE(page.BitBtn_Weiter.Enabled());
    EXPECT_TRUE(page.BitBtn_Abbrechen.Enabled());
    EXPECT_TRUE(page.ProgressBar1.Visible());
    EXPECT_EQ(page.ProgressBar1.Position(), 10);

    c.repair(w);
    page.SimulateClickForTesting("BitBtn_Weiter");
    EXPECT_EQ(seen.size(), 1u);
    ExpectIdleAfterSuccess(w);
    EXPECT_EQ(w.program->InstallVerz, page.Edit_InstallVerz.Text());
    EXPECT_EQ(Content(w, JoinPath(page.Edit_InstallVerz.Text(), "veltori.exe")), PayloadContent(0));
  }
}

TEST(InstallProcedure, EachFileThatCannotBeExtractedIsReportedAndTheRestGoesOn) {
  // A damaged payload ends the program at start-up; failures that still
  // come at extraction time (memory, a changed container) are staged after it.
  struct Case {
    const char* name;
    void (*prepare)(fake::FakePlatform&);
    std::vector<int> failedEntries;
    std::size_t links = 5;
    void (*afterStart)(TForm2&) = [](TForm2&) {};
  } const cases[] = {
      {"help file in use",
       [](fake::FakePlatform& p) {
         p.fs.AddFile(kDefaultDir + "\\veltori.hlp", "old help");
         p.fs.SetInUse(kDefaultDir + "\\veltori.hlp");
       },
       {1}},
      {"read-only product",
       [](fake::FakePlatform& p) {
         p.fs.AddFile(kDefaultDir + "\\veltori.exe", "old program");
         p.fs.SetReadOnly(kDefaultDir + "\\veltori.exe");
       },
       {0}},
      // Only the uninstaller and the web site are left to link.
      {"block that fails to inflate", [](fake::FakePlatform&) {}, {0, 1, 2}, 2,
       [](TForm2& page) {
         EXPECT_TRUE(
             page.FileArrayBinder1->DateiSammlung().SetSammlungsDaten(samples::Bytes(64, 0x5a)));
       }},
      {"third entry missing", [](fake::FakePlatform&) {}, {2}, 5,
       [](TForm2& page) {
         auto shorter = samples::MakeBinder({DefaultFiles()[0], DefaultFiles()[1]});
         page.FileArrayBinder1 = std::move(shorter);
       }},
  };
  const char* const names[] = {"veltori.exe", "veltori.hlp", "veltori.cnt"};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Wizard w;
    c.prepare(w.p);
    const std::map<std::string, std::string> earlier = [&] {
      std::map<std::string, std::string> files;
      for (const char* name : names) {
        if (auto data = w.p.fs.ReadFile(kDefaultDir + "\\" + name)) files[name] = *data;
      }
      return files;
    }();
    c.afterStart(w.ToSettings());
    BoxWatch watch(w);
    const std::vector<SeenAtBox>& seen = watch.seen;
    w.Install(kDefaultDir);

    // One warning per failed file, each raised right at its own step.
    ASSERT_EQ(seen.size(), c.failedEntries.size());
    for (std::size_t i = 0; i < seen.size(); ++i) {
      EXPECT_EQ(seen[i].text, kExtractError);
      EXPECT_EQ(seen[i].barPosition, 30 + 10 * c.failedEntries[i]);
      EXPECT_FALSE(seen[i].nextEnabled || seen[i].cancelEnabled);
    }
    for (int entry = 0; entry < 3; ++entry) {
      const std::string path = kDefaultDir + "\\" + names[entry];
      const bool failed = std::count(c.failedEntries.begin(), c.failedEntries.end(), entry) != 0;
      const std::string expected =
          !failed ? PayloadContent(entry)
                  : (earlier.count(names[entry]) ? earlier.at(names[entry]) : "(missing)");
      EXPECT_EQ(Content(w, path), expected) << names[entry];
    }
    EXPECT_EQ(Content(w, kDefaultDir + "\\vltsetup.exe"), kSetupBytes);
    EXPECT_TRUE(w.p.registry.HasKey(kUninstallKey));
    // An earlier file that stayed is still linked; a missing one is not.
    EXPECT_EQ(w.p.shell.links.size(), c.links);
    ExpectIdleAfterSuccess(w);
  }
}

TEST(InstallProcedure, AFullDiskLeavesNoCutFileAndNothingThatNamesAMissingOne) {
  const std::string setup = "MZ" + std::string(4094, 's');
  const std::size_t languageOnly = std::string("[Sprache]\r\nSprache=Deutsch\r\n").size();
  const std::size_t payload =
      PayloadContent(0).size() + PayloadContent(1).size() + PayloadContent(2).size();
  const std::string copyError =
      "Fehler beim Kopieren des Deinstallationsprogramms.\rM\xc3\xb6glicherweise ist der "
      "Datentr\xc3\xa4ger voll.";
  const std::string registryError =
      "Fehler beim Erstellen der Registryeintr\xc3\xa4ge, m\xc3\xb6glicherweise haben sie keine "
      "Administratorrechte";

  struct Case {
    const char* what;
    std::size_t freeBytes;
    bool cutCopiesSucceed;  // a cut copy that reports success is caught by its size
    std::vector<std::string> warnings;
    bool product;           // veltori.exe there: autostart value, its links, the start box
    std::size_t links;
  } const cases[] = {
      {"room for the product, not for the uninstaller", languageOnly + payload + setup.size() / 2,
       false, {copyError}, true, 4},
      {"the same, the cut copy reported as done", languageOnly + payload + setup.size() / 2, true,
       {copyError}, true, 4},
      {"room for the language entry alone", languageOnly, false,
       // Not even the web site's shortcut fits: each is missing silently.
       {kExtractError, kExtractError, kExtractError, copyError, registryError}, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Wizard w;
    w.p.fs.AddFile(kSetupExe, setup);
    w.p.fs.AddDir(kDefaultDir);
    w.p.fs.SetFreeSpace("C:", c.freeBytes);
    w.p.fs.cutCopiesSucceed = c.cutCopiesSucceed;
    w.InstallProduct();

    EXPECT_EQ(w.BoxTexts(), c.warnings);
    for (int entry = 0; entry < 3; ++entry) {
      const char* const names[] = {"veltori.exe", "veltori.hlp", "veltori.cnt"};
      const std::optional<std::string> data = w.p.fs.ReadFile(kDefaultDir + "\\" + names[entry]);
      EXPECT_EQ(data.has_value(), c.product) << names[entry];
      EXPECT_TRUE(!data || *data == PayloadContent(entry)) << names[entry] << " cut";
    }
    EXPECT_FALSE(w.p.fs.Exists(kInstalledUninstaller));
    EXPECT_FALSE(w.p.registry.HasKey(kUninstallKey));
    EXPECT_EQ(w.p.registry.Value(kRunKey, "VelToriAutoStart").has_value(), c.product);
    EXPECT_EQ(w.p.shell.links.size(), c.links);
    for (const fake::SavedLink& link : w.p.shell.links) {
      EXPECT_TRUE(link.data.target.starts_with("http") || w.p.fs.IsFile(link.data.target))
          << link.linkFile;
    }
    EXPECT_EQ(w.Finish().CheckBox_VelToriJetztStarten.Checked(), c.product);
    EXPECT_EQ(w.Finish().CheckBox_VelToriJetztStarten.Enabled(), c.product);
    w.Finish().SimulateClickForTesting("BitBtn_FertigStellen");
    EXPECT_EQ(w.p.shell.executed.size(), c.product ? 2u : 1u);  // the web site alone

    // Space freed, the setup run again: a whole, removable installation.
    Wizard again;
    again.p.fs = w.p.fs;
    again.p.registry = w.p.registry;
    again.p.fs.SetFreeSpace("C:", 1u << 30);
    again.InstallProduct();
    EXPECT_TRUE(again.BoxTexts().empty());
    EXPECT_EQ(Content(again, kInstalledUninstaller), setup);
    EXPECT_TRUE(again.p.registry.HasKey(kUninstallKey));
    EXPECT_EQ(again.p.shell.links.size(), 5u);
  }
}

TEST(InstallProcedure, RegistryWarningComesAfterTheShortcutsAndBeforeTheFinishPage) {
  struct Case {
    const char* language;
    const char* text;
  } const cases[] = {
      {"Deutsch",
       "Fehler beim Erstellen der Registryeinträge, möglicherweise haben sie keine "
       "Administratorrechte"},
      {"English",
       "Error while creating the registry-keys. It's possible that you don't have administrator "
       "permissons."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    Wizard w;
    w.p.registry.readOnly = true;
    w.ToSettings(c.language);
    BoxWatch watch(w);
    const std::vector<SeenAtBox>& seen = watch.seen;
    w.Install(kDefaultDir);

    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, c.text);
    EXPECT_EQ(w.p.dialog.shown[0].kind, MsgKind::Warning);
    EXPECT_EQ(seen[0].linksSaved, 5u);
    EXPECT_FALSE(seen[0].finishShown);
    EXPECT_EQ(seen[0].barPosition, 10);
    EXPECT_FALSE(seen[0].nextEnabled || seen[0].cancelEnabled);
    ExpectIdleAfterSuccess(w);
    EXPECT_TRUE(w.p.registry.Keys().empty());
    // The configuration half does not depend on the registry half.
    EXPECT_EQ(Content(w, kDefaultDir + "\\config.vlt"),
              std::string("[Sprache]\r\nSprache=") + c.language + "\r\n[Allgemein]\r\nAutostart=ja\r\n");
  }
}

TEST(InstallProcedure, AnUncaughtFailureIsReportedAndLeavesTheButtonsDisabled) {
  const std::string config = kDefaultDir + "\\config.vlt";
  struct Case {
    const char* name;
    void (*prepare)(fake::FakePlatform&);
    InstallOptions options;
    std::string report;
    int barPosition;
    bool payloadWritten;
  } const cases[] = {
      {"configuration file cannot be created",
       [](fake::FakePlatform& p) {
         p.fs.AddDir(kDefaultDir);
         p.fs.DenyCreate(kDefaultDir);
       },
       {}, "Unable to write to " + config + ".", 20, false},
      {"configuration file read-only",
       [](fake::FakePlatform& p) {
         p.fs.AddFile(kDefaultDir + "\\config.vlt", "[Sprache]\r\nSprache=English\r\n");
         p.fs.SetReadOnly(kDefaultDir + "\\config.vlt");
       },
       {}, "Unable to write to " + config + ".", 20, false},
      {"no link object for the start menu",
       [](fake::FakePlatform& p) { p.shell.failLinkObject = true; },
       {}, "Class not registered.", 70, true},
      {"no link object for the desktop",
       [](fake::FakePlatform& p) { p.shell.failLinkObject = true; },
       {.startMenu = false}, "Class not registered.", 10, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Wizard w;
    c.prepare(w.p);
    TForm2& page = w.ToSettings();
    BoxWatch watch(w);
    const std::vector<SeenAtBox>& seen = watch.seen;
    w.Install(kDefaultDir, c.options);

    ASSERT_EQ(w.p.dialog.shown.size(), 1u);
    const MessageBoxRequest& report = w.p.dialog.shown[0];
    EXPECT_EQ(report.text, c.report);
    EXPECT_EQ(report.title, "VelTori Advanced Setup");
    EXPECT_EQ(report.kind, MsgKind::Error);
    EXPECT_EQ(seen[0].barPosition, c.barPosition);
    EXPECT_TRUE(page.Visible());
    EXPECT_FALSE(w.Finish().Visible());
    EXPECT_FALSE(page.BitBtn_Weiter.Enabled());
    EXPECT_FALSE(page.BitBtn_Abbrechen.Enabled());
    EXPECT_EQ(page.ProgressBar1.Position(), c.barPosition);
    // What was written before the failure stays.
    EXPECT_EQ(w.p.fs.Exists(kDefaultDir + "\\veltori.exe"), c.payloadWritten);
    EXPECT_EQ(w.p.registry.HasKey(kUninstallKey), c.payloadWritten);
    EXPECT_TRUE(w.p.shell.links.empty());
    EXPECT_FALSE(w.p.fs.Exists(kDesktopLink));

    // The close box, with its question, is the way out.
    w.p.dialog.answers = {MsgButton::No, MsgButton::Yes};
    EXPECT_FALSE(page.UserClose());
    EXPECT_FALSE(w.p.app.terminated);
    EXPECT_TRUE(page.UserClose());
    EXPECT_TRUE(w.p.app.terminated);
    EXPECT_EQ(w.p.dialog.shown.back().text, "Setup wirklich abbrechen?");
  }
}

}  // namespace
}  // namespace vlt
