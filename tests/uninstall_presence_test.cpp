#include <gtest/gtest.h>

#include "common/Paths.h"
#include "fakes/FakePlatform.h"
#include "install/InstallPayload.h"
#include "uninstall/Checklist.h"
#include "uninstall/Presence.h"

namespace vlt {
namespace {

const std::string kDir = "C:\\Programme\\VelTori Advanced";

// What the page offers on `p` for the program at `exePath`.
// What the page offers, and whether the folder holds an installation.
struct Offer {
  ItemSet items;
  bool installation = false;
  bool Has(Item item) const { return items.Has(item); }
  bool operator==(const Offer&) const = default;
};
void PrintTo(const Offer& o, std::ostream* os) {
  static const char* const kNames[] = {"Uninst", "Registry",   "Hilfe",      "Exe",
                                       "Startmenue", "DesktopLnk", "Cfg", "PufferText",
                                       "PufferBild", "Sontiges"};
  for (int i = 0; i < 10; ++i) {
    if (o.items.Has(static_cast<Item>(i))) *os << kNames[i] << " ";
  }
  *os << (o.installation ? "(installation)" : "");
}
// Only the uninstaller itself.
const Offer kOnlyItself{{Item::Uninst}};

// What the page offers on `p` for the program at `exePath`.
Offer OfferedOn(fake::FakePlatform& p, const std::string& exePath) {
  const auto payload = LoadPayloadOrEmpty(p.resources);
  const Findings found = FindWhatIsThere(
      p.fs, MakePresenceQuery(p.services, payload->DateiSammlung(), exePath));
  return {OfferedItems(found), found.installation};
}
const std::string kUninstaller = kDir + "\\vltsetup.exe";
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kUninstallKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VelToriAdvanced";

TEST(StartsWithAny, MatchesPrefixesOfNamesWithoutAsciiCase) {
  struct Case {
    const char* name;
    bool kept;
  } const cases[] = {
      {"veltori.exe", true},
      {"VELTORI.EXE", true},
      {"veltori.exe.bak", true},  // a prefix, not a whole name
      {"config.vlt.old", true},
      {"VelToriTextEintrag17.txt", true},
      {"veltoribildeintrag3.dat", true},
      {".", true},
      {"..", true},
      {".hidden", true},
      {"veltori.gid", true},
      {"alt-veltori.exe", false},  // the product word elsewhere than at the start
      {"veltori.ex", false},       // shorter than every prefix it resembles
      {"veltori.log", false},
      {"setup2.exe", false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(StartsWithAny(c.name, KeepPrefixes()), c.kept) << c.name;
}

TEST(StartsWithAny, FoldsOnlyAsciiLetters) {
  // "\xc3\x84" is Ä, "\xc3\xa4" is ä: bytes beyond ASCII compare exactly.
  const std::string_view upper[] = {"\xc3\xa4L"}, lower[] = {"\xc3\xa4l"};
  EXPECT_TRUE(StartsWithAny("\xc3\xa4ltere.txt", upper));
  EXPECT_FALSE(StartsWithAny("\xc3\x84ltere.txt", lower));
  EXPECT_FALSE(StartsWithAny("anything", {}));
}

TEST(HasOtherFiles, CountsEveryEntryWithoutAKeptPrefix) {
  struct Case {
    const char* what;
    std::vector<std::string> files;
    std::vector<std::string> dirs;
    bool expected;
  } const cases[] = {
      {"empty folder: only . and ..", {}, {}, false},
      {"only the product's names, any case",
       {"VELTORI.EXE", "config.vlt", "vltsetup.exe", "veltori.hlp", "VelToriTextEintrag3.dat",
        "veltori.exe.bak"},
       {},
       false},
      {"a log file", {"veltori.exe", "install.log"}, {}, true},
      {"a name holding the product word later", {"alt-veltori.exe"}, {}, true},
      {"a subdirectory counts", {"veltori.exe"}, {"Backup"}, true},
      {"a kept subdirectory does not", {}, {"VelToriBildEintrag1"}, false},
  };
  for (const Case& c : cases) {
    fake::FakeFileSystem fs;
    fs.AddDir(kDir);
    for (const std::string& f : c.files) fs.AddFile(kDir + "\\" + f);
    for (const std::string& d : c.dirs) fs.AddDir(kDir + "\\" + d);
    EXPECT_EQ(HasOtherFiles(fs, kDir + "\\", "*.*", KeepPrefixes()), c.expected) << c.what;
  }
}

class OfferedItemsTest : public ::testing::Test {
 protected:
  // `registered`: the machine's Run value names the product in the
  // program's folder.
  Offer Offered(const std::string& exePath = kUninstaller, bool registered = false) {
    if (registered) Register(p, InstallDirectoryOf(exePath));
    return OfferedOn(p, exePath);
  }
  static void Register(fake::FakePlatform& on, const std::string& dir) {
    EXPECT_TRUE(
        on.registry.WriteString(kRunKey, "VelToriAutoStart", "\"" + dir + "\\veltori.exe\"").Ok());
  }
  void Link(const std::string& linkFile, const std::string& target) { Link(p, linkFile, target); }
  static void Link(fake::FakePlatform& on, const std::string& linkFile, const std::string& target) {
    on.fs.AddDir(ExtractFileDir(linkFile));
    EXPECT_TRUE(
        on.shell.SaveShellLink(linkFile, {.target = target, .arguments = "", .workingDirectory = ""})
            .Ok());
  }
  std::string Desktop() { return p.shell.folders[0x0000]; }
  std::string Programs() { return p.shell.folders[0x0002]; }

  fake::FakePlatform p;
};

TEST_F(OfferedItemsTest, CompleteInstallationOffersEverything) {
  for (const char* f : {"vltsetup.exe", "veltori.exe", "veltori.hlp", "veltori.cnt", "config.vlt",
                        "VelToriTextEintrag1.txt", "VelToriBildEintrag1.bmp", "readme.txt"}) {
    p.fs.AddFile(kDir + "\\" + f);
  }
  Link(Desktop() + "\\Veltori Advanced.lnk", kDir + "\\veltori.exe");
  p.fs.AddDir(Programs() + "\\VelTori Advanced");
  Link(Programs() + "\\VelTori Advanced\\VelTori Advanced.lnk", kDir + "\\veltori.exe");

  EXPECT_EQ(Offered(kUninstaller, true),
            (Offer{{Item::Uninst, Item::Exe, Item::Hilfe, Item::Registry, Item::DesktopLnk,
                    Item::Startmenue, Item::Cfg, Item::PufferText, Item::PufferBild,
                    Item::Sontiges},
                   true}));
}

TEST_F(OfferedItemsTest, AVolumeRootNeverOffersTheOtherFiles) {
  // An installation at the root of a drive, beside the user's own files.
  p.fs.AddDrive("D:");
  for (const char* f : {"vltsetup.exe", "veltori.exe", "config.vlt", "Steuer 2026.xls"}) {
    p.fs.AddFile(std::string("D:\\") + f);
  }
  const Offer offered = Offered("D:\\vltsetup.exe");
  EXPECT_TRUE(offered.Has(Item::Exe));
  EXPECT_TRUE(offered.Has(Item::Cfg));
  EXPECT_FALSE(offered.Has(Item::Sontiges));
}

TEST_F(OfferedItemsTest, AnInstallDirectoryThatIsALinkOffersNoneOfItsFiles) {
  // The folder the program runs from leads to another program's folder.
  const std::string other = "C:\\Program Files\\Other";
  for (const char* f : {"veltori.exe", "veltori.hlp", "config.vlt", "VelToriTextEintrag1.txt",
                        "VelToriBildEintrag1.bmp", "other.exe", "vltsetup.exe"}) {
    p.fs.AddFile(other + "\\" + f);
  }
  p.fs.AddDir("C:\\Programme");
  p.fs.AddDirectoryLink(kDir, other);
  // The group folder is a link too: it is offered, and removed as a link.
  p.fs.AddDir(Programs());
  p.fs.AddDirectoryLink(Programs() + "\\VelTori Advanced", other);
  EXPECT_EQ(Offered(), (Offer{{Item::Uninst, Item::Startmenue}}));
}

TEST_F(OfferedItemsTest, EmptyFolderOffersNothing) {
  p.fs.AddFile(kUninstaller);
  EXPECT_EQ(Offered(), kOnlyItself);
}

TEST_F(OfferedItemsTest, AnyOneHelpFileOffersTheHelpItem) {
  for (const char* f : {"veltori.hlp", "veltori.cnt", "veltori.FTG", "veltori.FTS", "VELTORI.GID"}) {
    fake::FakePlatform fresh;
    fresh.fs.AddFile(kUninstaller);
    fresh.fs.AddFile(kDir + "\\" + f);
    EXPECT_TRUE(
        OfferedOn(fresh, kUninstaller)
            .Has(Item::Hilfe))
        << f;
  }
}

TEST_F(OfferedItemsTest, ProductFilesInOtherLetterCaseAreFound) {
  p.fs.AddFile(kDir + "\\VLTSETUP.EXE");
  p.fs.AddFile(kDir + "\\VELTORI.EXE");
  p.fs.AddFile(kDir + "\\CONFIG.VLT");
  const Offer offered = Offered(kDir + "\\VLTSETUP.EXE");
  EXPECT_TRUE(offered.Has(Item::Exe));
  EXPECT_TRUE(offered.Has(Item::Cfg));
  EXPECT_FALSE(offered.Has(Item::Sontiges));  // upper-case product names are kept names too
}

TEST_F(OfferedItemsTest, WildcardTestLooksOnlyAtTheFirstMatch) {
  // A folder that sorts before the entry files hides them; a file before it does not.
  p.fs.AddFile(kUninstaller);
  p.fs.AddDir(kDir + "\\VelToriTextEintrag1");
  p.fs.AddFile(kDir + "\\VelToriTextEintrag2.txt");
  p.fs.AddFile(kDir + "\\VelToriBildEintrag0.bmp");
  p.fs.AddDir(kDir + "\\VelToriBildEintrag1");
  const Offer offered = Offered();
  EXPECT_FALSE(offered.Has(Item::PufferText));
  EXPECT_TRUE(offered.Has(Item::PufferBild));
}

TEST_F(OfferedItemsTest, EntriesOfAnyExtensionOrNoneAreFound) {
  p.fs.AddFile(kUninstaller);
  p.fs.AddFile(kDir + "\\VelToriTextEintrag3.dat");
  p.fs.AddFile(kDir + "\\VelToriBildEintrag5");
  const Offer offered = Offered();
  EXPECT_TRUE(offered.Has(Item::PufferText));
  EXPECT_TRUE(offered.Has(Item::PufferBild));
}

TEST_F(OfferedItemsTest, ShortcutsAreLookedForWhereThePageLooks) {
  // The desktop shortcut in the CSIDL_DESKTOP folder; a file-system desktop
  // elsewhere does not count. The group must be a folder.
  p.shell.folders[0x0010] = "C:\\Elsewhere\\Desktop";
  p.fs.AddFile("C:\\Elsewhere\\Desktop\\Veltori Advanced.lnk");
  p.fs.AddFile(Programs() + "\\VelTori Advanced");
  EXPECT_FALSE(Offered().Has(Item::DesktopLnk));
  EXPECT_FALSE(Offered().Has(Item::Startmenue));

  p.fs.AddFile(Desktop() + "\\VELTORI ADVANCED.LNK");
  ASSERT_TRUE(p.fs.DeleteFile(Programs() + "\\VelTori Advanced").Ok());
  p.fs.AddDir(Programs() + "\\VelTori Advanced");
  EXPECT_TRUE(Offered().Has(Item::DesktopLnk));
  EXPECT_TRUE(Offered().Has(Item::Startmenue));
}

TEST_F(OfferedItemsTest, OtherFilesAndTheFolderOnlyWhereItHoldsAnInstallation) {
  using Setup = void (*)(fake::FakePlatform&);
  struct Case {
    const char* what;
    std::string exePath;
    std::vector<std::string> files;
    bool installation;  // the folder may go once it is empty
    bool otherFiles;
    Setup setup = nullptr;  // what the machine has beyond the common set-up
  } const cases[] = {
      {"setup started with -remove from a downloads folder",
       "C:\\Downloads\\VelToriSetup.exe",
       {"VelToriSetup.exe", "holiday.jpg", "letter.doc"},
       false, false},
      {"downloads folder with the product's executable",
       "C:\\Downloads\\VelToriSetup.exe",
       {"VelToriSetup.exe", "holiday.jpg", "veltori.exe"},
       true, true},
      {"downloads folder with the configuration file",
       "C:\\Downloads\\VelToriSetup.exe",
       {"VelToriSetup.exe", "holiday.jpg", "Config.VLT"},
       true, true},
      {"a help file alone", kUninstaller, {"vltsetup.exe", "veltori.cnt"}, true, false},
      // The uninstaller's name proves nothing: a copy may lie anywhere.
      {"installed uninstaller, product already removed",
       kDir + "\\VLTSETUP.EXE",
       {"VLTSETUP.EXE", "veltori.log"},
       false, false},
      {"uninstaller copied to the desktop among the user's files",
       "C:\\Users\\Anna\\Desktop\\vltsetup.exe",
       {"vltsetup.exe", "Brief.doc", "Urlaub.jpg", "todo.txt"},
       false, false},
      // Folders of Windows or of the user as a whole, whatever they hold.
      {"a product installed into the desktop",
       "C:\\Users\\Anna\\Desktop\\vltsetup.exe",
       {"vltsetup.exe", "veltori.exe", "Brief.doc"},
       false, false},
      {"downloads, a folder of the profile without a shell number",
       "C:\\Users\\Anna\\Downloads\\vltsetup.exe",
       {"vltsetup.exe", "veltori.exe", "Urlaub.jpg"},
       false, false},
      {"the profile itself", "C:\\Users\\Anna\\vltsetup.exe", {"veltori.exe", "ntuser.dat"},
       false, false},
      {"the Program Files folder itself", "C:\\Program Files (x86)\\vltsetup.exe",
       {"veltori.exe", "desktop.ini"}, false, false},
      {"the Windows folder", "c:\\windows\\vltsetup.exe", {"veltori.exe", "notepad.exe"},
       false, false},
      // Known by identity, whatever the spelling.
      {"Public, a known folder without a shell number", "C:\\Users\\Public\\vltsetup.exe",
       {"veltori.exe", "desktop.ini"}, false, false},
      {"the 64-bit Program Files seen from a 32-bit program", "C:\\Program Files\\vltsetup.exe",
       {"veltori.exe", "desktop.ini"}, false, false},
      {"the desktop with a doubled backslash", "C:\\Users\\\\Anna\\Desktop\\vltsetup.exe",
       {"veltori.exe", "Brief.doc"}, false, false},
      {"the desktop by its short name", "C:\\USERS\\ANNA~1\\DESKTOP\\vltsetup.exe",
       {"veltori.exe", "Brief.doc"}, false, false},
      {"the desktop through a subst drive", "S:\\Anna\\Desktop\\vltsetup.exe",
       {"veltori.exe", "Brief.doc"}, false, false},
      {"another user's profile", "C:\\Users\\Bert\\vltsetup.exe",
       {"veltori.exe", "ntuser.dat"}, false, false},
      {"another user's Documents", "S:\\Bert\\Documents\\vltsetup.exe",
       {"veltori.exe", "Urlaub.jpg"}, false, false},
      // An install folder of its own directly in this user's profile, or in
      // another user's, is the product's.
      {"a product folder directly in the profile", "C:\\Users\\Anna\\VelTori Advanced\\vltsetup.exe",
       {"veltori.exe", "readme.txt"}, true, true},
      {"a product folder in another user's profile",
       "C:\\Users\\Bert\\VelTori Advanced\\vltsetup.exe", {"veltori.exe"}, true, false},
      // Another user's folders however they are reached, known without this
      // user's layout.
      {"another user's Documents by a drive letter for that profile", "X:\\Documents\\vltsetup.exe",
       {"veltori.exe", "Brief.doc"}, false, false,
       [](fake::FakePlatform& m) { m.fs.AddSubstDrive("X:", "C:\\Users\\Bert"); }},
      {"another user's Documents through a link to that profile",
       "C:\\OtherLink\\Documents\\vltsetup.exe", {"veltori.exe", "Brief.doc"}, false, false,
       [](fake::FakePlatform& m) { m.fs.AddDirectoryLink("C:\\OtherLink", "C:\\Users\\Bert"); }},
      {"another user's Documents while this user's is redirected",
       "C:\\Users\\Bert\\Documents\\vltsetup.exe", {"veltori.exe", "Brief.doc"}, false, false,
       [](fake::FakePlatform& m) {
         m.fs.AddDrive("D:");
         m.fs.AddDir("D:\\Docs");
         m.shell.folders[csidl::kPersonal] = "D:\\Docs";
       }},
      {"a profile the profile list names outside the profiles' folder",
       "E:\\Profiles\\Carl\\Music\\vltsetup.exe", {"veltori.exe", "Lied.mp3"}, false, false,
       [](fake::FakePlatform& m) {
         m.fs.AddDrive("E:");
         m.fs.AddDir("E:\\Profiles\\Carl\\Music");
         m.shell.profiles.push_back("E:\\Profiles\\Carl");
       }},
      {"a folder in a drive's root", "C:\\Daten\\vltsetup.exe", {"veltori.exe", "readme.txt"}, true,
       true},
      // What cannot be identified is protected.
      {"a folder without identity", "C:\\Tools\\VelTori\\vltsetup.exe", {"veltori.exe", "a.txt"},
       false, false, [](fake::FakePlatform& m) {
         m.fs.AddDir("C:\\Tools\\VelTori");
         m.fs.HideIdentity("C:\\Tools\\VelTori");
       }},
      {"beside a folder of the users without identity", "C:\\Tools\\VelTori\\vltsetup.exe",
       {"veltori.exe", "a.txt"}, false, false,
       [](fake::FakePlatform& m) { m.fs.HideIdentity("C:\\Users\\Public"); }},
  };
  for (const Case& c : cases) {
    fake::FakePlatform fresh;
    fresh.fs.AddDir("C:\\Users\\Bert\\Documents");
    fresh.fs.AddSubstDrive("S:", "C:\\Users");
    fresh.fs.SetShortName("C:\\Users\\Anna", "C:\\USERS\\ANNA~1");
    if (c.setup != nullptr) c.setup(fresh);
    for (const std::string& f : c.files) fresh.fs.AddFile(InstallDirectoryOf(c.exePath) + "\\" + f);
    const Offer offered =
        OfferedOn(fresh, c.exePath);
    EXPECT_EQ(offered.installation, c.installation) << c.what;
    EXPECT_EQ(offered.Has(Item::Sontiges), c.otherFiles) << c.what;
  }
}

// A copy of the uninstaller outside the installation that the machine's
// entries name (by identity, whatever their spelling) offers only itself,
// beside the user's own files of the product's names. Where this folder is
// the registered one, the registry item and the shortcuts count only where
// they lead here.
TEST_F(OfferedItemsTest, ACopyOutsideTheRegisteredInstallationOffersOnlyItself) {
  const std::string projekt = "C:\\Users\\Anna\\Documents\\Projekt";
  struct Case {
    const char* what;
    std::string run, uninstall;  // "" for none
    std::string exePath;
    bool foreign;
  } const cases[] = {
      {"both entries name the installation", "\"" + kDir + "\\veltori.exe\"",
       "\"" + kDir + "\\vltsetup.exe\" -remove", projekt + "\\vltsetup.exe", true},
      {"the uninstall entry alone, unquoted", "", kDir + "\\vltsetup.exe -remove",
       projekt + "\\vltsetup.exe", true},
      {"the Run value alone", kDir + "\\veltori.exe", "", projekt + "\\vltsetup.exe", true},
      {"the installation's own uninstaller, entries in another case",
       "\"C:\\PROGRAMME\\VelTori Advanced\\VELTORI.EXE\"", "", kUninstaller, false},
      {"nothing registered: what is present counts", "", "", projekt + "\\vltsetup.exe", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fake::FakePlatform f;
    for (const char* name : {"vltsetup.exe", "veltori.exe", "config.vlt", "veltori.hlp"}) {
      f.fs.AddFile(kDir + "\\" + name);
    }
    for (const char* name : {"vltsetup.exe", "veltori.exe", "config.vlt", "notes.txt"}) {
      f.fs.AddFile(projekt + "\\" + name, "the user's");
    }
    if (!c.run.empty()) {
      EXPECT_TRUE(f.registry.WriteString(kRunKey, "VelToriAutoStart", c.run).Ok());
    }
    if (!c.uninstall.empty()) {
      EXPECT_TRUE(f.registry
                      .WriteString(
                          "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VelToriAdvanced",
                          "UninstallString", c.uninstall)
                      .Ok());
    }
    EXPECT_TRUE(f.shell
                    .SaveShellLink(f.shell.folders[0x0000] + "\\Veltori Advanced.lnk",
                                   {.target = kDir + "\\veltori.exe",
                                    .arguments = "",
                                    .workingDirectory = ""})
                    .Ok());
    const Offer offered =
        OfferedOn(f, c.exePath);
    if (c.foreign) {
      EXPECT_EQ(offered, kOnlyItself);
    } else {
      EXPECT_TRUE(offered.Has(Item::Exe));
      EXPECT_TRUE(offered.Has(Item::Cfg));
      EXPECT_EQ(offered.Has(Item::Registry), c.exePath == kUninstaller);
      // The shortcut leads into the installation, not into Projekt; with
      // nothing registered it counts by its presence.
      EXPECT_TRUE(offered.Has(Item::DesktopLnk));
    }
  }

  // Registered here, a shortcut that leads elsewhere is not this one's.
  fake::FakePlatform f;
  f.fs.AddFile(kDir + "\\veltori.exe");
  f.fs.AddFile("C:\\Tools\\veltori.exe");
  EXPECT_TRUE(
      f.registry.WriteString(kRunKey, "VelToriAutoStart", "\"" + kDir + "\\veltori.exe\"").Ok());
  EXPECT_TRUE(f.shell
                  .SaveShellLink(f.shell.folders[0x0000] + "\\Veltori Advanced.lnk",
                                 {.target = "C:\\Tools\\veltori.exe",
                                  .arguments = "",
                                  .workingDirectory = ""})
                  .Ok());
  const Offer offered =
      OfferedOn(f, kUninstaller);
  EXPECT_TRUE(offered.Has(Item::Registry));
  EXPECT_FALSE(offered.Has(Item::DesktopLnk));
}

// The product's data that Windows redirected into the running user's
// VirtualStore is offered under its items; not where a link lies on the way.
TEST_F(OfferedItemsTest, DataInTheVirtualStoreIsOffered) {
  const std::string store = "C:\\Users\\Anna\\AppData\\Local\\VirtualStore";
  for (bool linked : {false, true}) {
    fake::FakePlatform f;
    f.shell.folders[csidl::kLocalAppData] = "C:\\Users\\Anna\\AppData\\Local";
    for (const char* name : {"vltsetup.exe", "veltori.exe"}) f.fs.AddFile(kDir + "\\" + name);
    const std::string mirror = linked ? "C:\\Elsewhere" : store + "\\Programme\\VelTori Advanced";
    if (linked) {
      f.fs.AddDir(store + "\\Programme");
      f.fs.AddDirectoryLink(store + "\\Programme\\VelTori Advanced", mirror);
    }
    for (const char* name : {"config.vlt", "VelToriTextEintrag1.txt", "VelToriBildEintrag1.bmp"}) {
      f.fs.AddFile(mirror + "\\" + name);
    }
    const Offer offered = OfferedOn(f, kUninstaller);
    EXPECT_EQ(offered.Has(Item::Cfg), !linked);
    EXPECT_EQ(offered.Has(Item::PufferText), !linked);
    EXPECT_EQ(offered.Has(Item::PufferBild), !linked);
  }
}

// Another installation is registered: a folder left from an earlier install
// elsewhere offers the files whose bytes are the ones this setup carries,
// and a config.vlt with the keys it writes; the user's own files of those
// names stay. No entry or shortcut of the registered installation is offered.
TEST_F(OfferedItemsTest, AnEarlierInstallationsFolderOffersWhatIsOursByContent) {
  const std::string earlier = "C:\\A";
  const std::string ourConfig = "[Sprache]\r\nSprache=Deutsch\r\n[Allgemein]\r\nAutostart=ja\r\n";
  struct Case {
    const char* what;
    std::string exe, help, config;  // the folder's veltori.exe, veltori.hlp, config.vlt
    Offer expected;
  } const cases[] = {
      {"all ours", "MZ stand-in program", "help text", ourConfig,
       {{Item::Uninst, Item::Exe, Item::Hilfe, Item::Cfg}, true}},
      {"the program ours, the rest the user's", "MZ stand-in program", "my help",
       "[Sprache]\r\nSprache=Klingonisch\r\n[Allgemein]\r\nAutostart=ja\r\n",
       {{Item::Uninst, Item::Exe}, true}},
      {"a config without our keys", "my build", "my help", "[Eigene]\r\n", kOnlyItself},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fake::FakePlatform f;
    for (const char* name : {"vltsetup.exe", "veltori.exe"}) f.fs.AddFile(kDir + "\\" + name);
    Register(f, kDir);
    Link(f, Desktop() + "\\Veltori Advanced.lnk", kDir + "\\veltori.exe");
    f.fs.AddFile(earlier + "\\vltsetup.exe");
    f.fs.AddFile(earlier + "\\veltori.exe", c.exe);
    f.fs.AddFile(earlier + "\\veltori.hlp", c.help);
    f.fs.AddFile(earlier + "\\config.vlt", c.config);
    f.fs.AddFile(earlier + "\\VelToriTextEintrag1.txt", "stored");
    EXPECT_EQ(OfferedOn(f, earlier + "\\vltsetup.exe"), c.expected);
  }
}

// Entries and shortcuts whose program is gone (the installation moved or
// deleted, its drive renamed) are offered to any copy, which clears them;
// one that leads to an installation that is there is not.
TEST_F(OfferedItemsTest, StaleEntriesAndShortcutsAreOfferedToEveryCopy) {
  const std::string gone = "D:\\Tools\\VelTori";
  const std::string moved = "C:\\Tools2\\VelTori";
  struct Case {
    const char* what;
    std::string run, uninstall;  // "" none; "-" a key without its command
    std::string exePath;
    bool registry, links, files;
  } const cases[] = {
      {"the moved installation's own uninstaller", gone + "\\veltori.exe",
       "\"" + gone + "\\vltsetup.exe\" -remove", moved + "\\vltsetup.exe", true, true, true},
      {"a downloaded copy", gone + "\\veltori.exe", "\"" + gone + "\\vltsetup.exe\" -remove",
       "C:\\Users\\Anna\\Downloads\\VelToriSetup.exe", true, true, false},
      {"an uninstall entry without its command", "", "-", moved + "\\vltsetup.exe", true, true,
       true},
      {"a Run value that names no full path", "veltori.exe", "", moved + "\\vltsetup.exe", true,
       true, true},
      {"a stale Run value beside an installation that is there", gone + "\\veltori.exe",
       "\"" + kDir + "\\vltsetup.exe\" -remove", moved + "\\vltsetup.exe", true, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fake::FakePlatform f;
    for (const char* name : {"vltsetup.exe", "veltori.exe", "veltori.hlp"}) {
      f.fs.AddFile(kDir + "\\" + name);
      f.fs.AddFile(moved + "\\" + name);
    }
    f.fs.AddFile(InstallDirectoryOf(c.exePath) + "\\" + ExtractFileName(c.exePath));
    if (!c.run.empty()) {
      EXPECT_TRUE(f.registry.WriteString(kRunKey, "VelToriAutoStart", c.run).Ok());
    }
    if (c.uninstall == "-") {
      EXPECT_TRUE(f.registry.CreateKey(kUninstallKey).Ok());
    } else if (!c.uninstall.empty()) {
      EXPECT_TRUE(f.registry.WriteString(kUninstallKey, "UninstallString", c.uninstall).Ok());
    }
    const std::string group = Programs() + "\\VelTori Advanced";
    Link(f, Desktop() + "\\Veltori Advanced.lnk", gone + "\\veltori.exe");
    Link(f, group + "\\start.lnk", gone + "\\veltori.exe");
    Link(f, group + "\\Veltori Advanced Homepage.lnk", "http://www.veltori.example");
    const Offer offered = OfferedOn(f, c.exePath);
    EXPECT_EQ(offered.Has(Item::Registry), c.registry);
    EXPECT_EQ(offered.Has(Item::DesktopLnk), c.links);
    EXPECT_EQ(offered.Has(Item::Startmenue), c.links);
    EXPECT_EQ(offered.Has(Item::Exe), c.files);
    EXPECT_FALSE(offered.Has(Item::Sontiges));
  }

  // A shortcut to an installation that is there stays with it.
  fake::FakePlatform f;
  for (const char* name : {"vltsetup.exe", "veltori.exe"}) f.fs.AddFile(kDir + "\\" + name);
  f.fs.AddFile(moved + "\\vltsetup.exe");
  Register(f, kDir);
  Link(f, Desktop() + "\\Veltori Advanced.lnk", kDir + "\\veltori.exe");
  EXPECT_EQ(OfferedOn(f, moved + "\\vltsetup.exe"), kOnlyItself);
}

}  // namespace
}  // namespace vlt
