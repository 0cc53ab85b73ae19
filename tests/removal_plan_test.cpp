#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>

#include "common/Paths.h"
#include "fakes/FakePlatform.h"
#include "install/InstallPayload.h"
#include "uninstall/Presence.h"
#include "uninstall/Checklist.h"
#include "uninstall/RemovalPlan.h"
#include "uninstall/RemovalRun.h"

namespace vlt {

// Readable failure output for plan comparisons.
void PrintTo(const RemovalAction& a, std::ostream* os) {
  static const char* const kKinds[] = {"SelfRemoval", "Registry", "DeleteFile", "DeleteMatching",
                                       "RemoveDirectory", "DeleteOther"};
  *os << kKinds[a.index()];
  std::visit([&](const auto& action) {
    if constexpr (requires { action.path; }) *os << "(" << action.path << ")";
    if constexpr (requires { action.mask; }) *os << "(" << action.directory << ", " << action.mask << ")";
  }, a);
}

namespace {

using namespace removal;

const std::string D = "C:\\Programme\\VelTori Advanced";
const std::string P = "C:\\Users\\Anna\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs";
const std::string Q = "C:\\Users\\Anna\\Desktop";
const std::string G = P + "\\VelTori Advanced\\";
const std::string kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const RemovalPaths kPaths{.installDir = D, .programsFolder = P, .desktopDirectory = Q};

struct ItemCase {
  const char* name;
  Item item;
  RemovalPlan actions;
};

// Each item's actions, in the order the removal runs the items.
std::vector<ItemCase> ItemCases() {
  return {
      // The script first: one that cannot be written stops all before it.
      {"uninstaller", Item::Uninst, {WriteSelfRemovalScript{}}},
      {"registry", Item::Registry, {RemoveRegistryEntries{D}}},
      {"help",
       Item::Hilfe,
       {DeleteFile{D + "\\veltori.cnt"},
        DeleteFile{D + "\\veltori.hlp"},
        DeleteFile{D + "\\veltori.FTG"},
        DeleteFile{D + "\\veltori.FTS"},
        DeleteFile{D + "\\veltori.GID"}}},
      {"exe", Item::Exe, {DeleteFile{D + "\\veltori.exe"}}},
      {"start menu",
       Item::Startmenue,
       {DeleteMatchingFiles{G, "*.*"}, RemoveDirectory{G}}},
      {"desktop", Item::DesktopLnk, {DeleteFile{Q + "\\Veltori Advanced.lnk"}}},
      {"config", Item::Cfg, {DeleteFile{D + "\\config.vlt"}}},
      {"text entries",
       Item::PufferText,
       {DeleteMatchingFiles{D + "\\", "VeltoriTextEintrag*.txt"}}},
      {"picture entries",
       Item::PufferBild,
       {DeleteMatchingFiles{D + "\\", "VeltoriBildEintrag*.*"}}},
      {"other files", Item::Sontiges, {DeleteOtherFiles{D + "\\", "*.*"}}},
  };
}

TEST(BuildRemovalPlan, EachItemAlone) {
  for (const ItemCase& c : ItemCases()) {
    ItemSet chosen;
    chosen.Set(c.item, true);
    EXPECT_EQ(BuildRemovalPlan(chosen, kPaths), c.actions) << c.name;
  }
}

TEST(BuildRemovalPlan, AllItemsInTheirFixedOrder) {
  ItemSet chosen;
  RemovalPlan expected;
  for (const ItemCase& c : ItemCases()) {
    chosen.Set(c.item, true);
    expected.insert(expected.end(), c.actions.begin(), c.actions.end());
  }
  EXPECT_EQ(BuildRemovalPlan(chosen, kPaths), expected);
  EXPECT_TRUE(BuildRemovalPlan(ItemSet{}, kPaths).empty());
}

TEST(BuildRemovalPlan, UnknownShellFoldersDropTheirItems) {
  // Without the folder, the shortcut and group paths would point at the
  // root of the current drive.
  const ItemSet chosen{Item::Startmenue, Item::DesktopLnk};
  EXPECT_TRUE(BuildRemovalPlan(chosen, {.installDir = D, .programsFolder = "", .desktopDirectory = ""}).empty());
}

TEST(MakeRemovalPaths, UsesTheDesktopDirectoryAndProgramsFolders) {
  fake::FakePlatform p;
  p.shell.folders[0x0000] = "C:\\Virtual\\Desktop";  // the desktop as the shell shows it
  p.shell.folders[0x0010] = "C:\\Users\\Anna\\Desktop\\";
  const auto payload = LoadPayloadOrEmpty(p.resources);
  const auto pathsOf = [&] {
    return MakeRemovalPaths(
        p.shell, p.fs, MakePresenceQuery(p.services, payload->DateiSammlung(), D + "\\vltsetup.exe"));
  };
  const RemovalPaths paths = pathsOf();
  EXPECT_EQ(paths.installDir, D);
  EXPECT_EQ(paths.programsFolder, P);
  EXPECT_EQ(paths.desktopDirectory, "C:\\Users\\Anna\\Desktop");
  EXPECT_FALSE(paths.installDirIsLink);
  EXPECT_FALSE(paths.startMenuGroupIsLink);

  p.fs.AddDir("C:\\Other");
  p.fs.AddDir(P);
  p.fs.AddDirectoryLink(G, "C:\\Other");
  p.fs.AddDirectoryLink(D, "C:\\Other");
  const RemovalPaths linked = pathsOf();
  EXPECT_TRUE(linked.installDirIsLink);
  EXPECT_TRUE(linked.startMenuGroupIsLink);
}

// Outside the registered installation only the files that are ours by
// content go; the product's data redirected into the user's VirtualStore
// goes with the data in the folder.
TEST(BuildRemovalPlan, OutsideTheInstallationOnlyOurFilesAndTheVirtualStoreToo) {
  ItemSet all;
  for (const ItemCase& c : ItemCases()) all.Set(c.item, true);
  RemovalPaths foreign = kPaths;
  foreign.onlyOurs = OursByContent{.exe = true, .helpContents = true};
  EXPECT_EQ(BuildRemovalPlan(all, foreign),
            (RemovalPlan{WriteSelfRemovalScript{},
                         RemoveRegistryEntries{D},
                         DeleteFile{D + "\\veltori.cnt"},
                         DeleteFile{D + "\\veltori.exe"},
                         DeleteMatchingFiles{G, "*.*"},
                         RemoveDirectory{G},
                         DeleteFile{Q + "\\Veltori Advanced.lnk"}}));

  const std::string v = "C:\\Users\\Anna\\AppData\\Local\\VirtualStore\\Programme\\VelTori Advanced";
  RemovalPaths redirected = kPaths;
  redirected.virtualStore = v;
  EXPECT_EQ(BuildRemovalPlan(ItemSet{Item::Cfg, Item::PufferText, Item::PufferBild}, redirected),
            (RemovalPlan{DeleteFile{D + "\\config.vlt"},
                         DeleteFile{v + "\\config.vlt"},
                         DeleteMatchingFiles{D + "\\", "VeltoriTextEintrag*.txt"},
                         DeleteMatchingFiles{v + "\\", "VeltoriTextEintrag*.txt"},
                         DeleteMatchingFiles{D + "\\", "VeltoriBildEintrag*.*"},
                         DeleteMatchingFiles{v + "\\", "VeltoriBildEintrag*.*"}}));
}

TEST(BuildRemovalPlan, NothingIsDeletedThroughALinkNorOtherFilesInAVolumeRoot) {
  ItemSet all;
  for (const ItemCase& c : ItemCases()) all.Set(c.item, true);
  RemovalPaths paths = kPaths;
  paths.installDirIsLink = true;
  paths.startMenuGroupIsLink = true;
  EXPECT_EQ(BuildRemovalPlan(all, paths),
            (RemovalPlan{WriteSelfRemovalScript{},
                         RemoveRegistryEntries{D},
                         RemoveDirectory{G},  // the link itself, never its content
                         DeleteFile{Q + "\\Veltori Advanced.lnk"}}));

  for (const std::string root : {"D:", "\\\\server\\tools"}) {
    const RemovalPlan plan = BuildRemovalPlan(all, {.installDir = root, .programsFolder = P, .desktopDirectory = Q});
    EXPECT_TRUE(std::none_of(plan.begin(), plan.end(), [](const RemovalAction& a) {
      return std::holds_alternative<DeleteOtherFiles>(a);
    })) << root;
    EXPECT_NE(std::find(plan.begin(), plan.end(),
                        RemovalAction(DeleteFile{root + "\\veltori.exe"})),
              plan.end());
  }
}

// Runs the removal of `chosen` on a fake machine and records the steps.
class RemovalRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* f : {"vltsetup.exe", "veltori.exe", "veltori.cnt", "veltori.hlp",
                          "veltori.GID", "config.vlt", "VelToriTextEintrag1.txt",
                          "VelToriTextEintrag3.dat", "VelToriBildEintrag1.bmp",
                          "VelToriBildEintrag2", "veltori.exe.bak", "VELTORI.FTS",
                          "alt-veltori.exe", "install.log", ".settings"}) {
      p.fs.AddFile(D + "\\" + f);
    }
    p.fs.AddDir(D + "\\Backup");
    p.fs.AddFile(D + "\\Backup\\old.txt");
    p.fs.AddFile(G + "VelTori Advanced.lnk");
    p.fs.AddFile(G + "Hilfe.lnk");
    p.fs.AddFile(Q + "\\Veltori Advanced.lnk");
    p.fs.AddFile(Q + "\\Other.lnk");
    EXPECT_TRUE(p.registry.WriteString(kRunKey, "VelToriAutoStart", D + "\\veltori.exe").Ok());
  }

  // Runs the removal of `chosen` for the uninstaller in D; `report` holds
  // what it says.
  void Apply(ItemSet chosen) {
    RemovalPaths paths = kPaths;
    paths.exePath = D + "\\vltsetup.exe";
    report = RunRemoval(BuildRemovalPlan(chosen, paths), p.services);
    EXPECT_TRUE(report.failure.Ok());
  }
  // The machine's Run value names the product in D until the registry item runs.
  bool Registered() const { return p.registry.Value(kRunKey, "VelToriAutoStart").has_value(); }

  bool Has(const std::string& path) const { return p.fs.Exists(path); }
  // Every path below `folder` (ending with "\\"), sorted without case.
  std::vector<std::string> Under(const std::string& folder) const {
    std::vector<std::string> found;
    for (const std::string& path : p.fs.AllPaths()) {
      if (AsciiUpper(path).starts_with(AsciiUpper(folder))) found.push_back(path);
    }
    std::sort(found.begin(), found.end(), [](const std::string& a, const std::string& b) {
      return AsciiUpper(a) < AsciiUpper(b);
    });
    return found;
  }
  bool InD(const char* name) const { return Has(D + "\\" + name); }

  fake::FakePlatform p;
  RemovalReport report;
};

TEST_F(RemovalRunTest, NothingChosenChangesNothing) {
  const std::vector<std::string> before = p.fs.AllPaths();
  Apply({});
  EXPECT_EQ(p.fs.AllPaths(), before);
  EXPECT_TRUE(Registered());
  EXPECT_FALSE(report.selfRemoval);
}

TEST_F(RemovalRunTest, EverythingChosenLeavesOnlyWhatMustStay) {
  ItemSet all;
  for (const ItemCase& c : ItemCases()) all.Set(c.item, true);
  Apply(all);

  EXPECT_TRUE(report.selfRemoval);
  EXPECT_FALSE(Registered());
  EXPECT_EQ(Under(D + "\\"), (std::vector<std::string>{
                                 D + "\\.settings",               // kept: begins with a dot
                                 D + "\\Backup",                  // subfolders stay
                                 D + "\\Backup\\old.txt",
                                 D + "\\veltori.exe.bak",         // kept by prefix
                                 D + "\\VelToriTextEintrag3.dat",  // neither item deletes it
                                 D + "\\vltsetup.exe",            // left to the script
                             }));
  EXPECT_EQ(Under(P + "\\"), std::vector<std::string>{});
  EXPECT_EQ(Under(Q + "\\"), std::vector<std::string>{Q + "\\Other.lnk"});
}

TEST_F(RemovalRunTest, EachItemRemovesOnlyItsOwnFiles) {
  struct Case {
    Item item;
    std::vector<std::string> gone;
  } const cases[] = {
      {Item::Hilfe, {D + "\\veltori.cnt", D + "\\veltori.hlp", D + "\\veltori.GID",
                                D + "\\VELTORI.FTS"}},
      {Item::Exe, {D + "\\veltori.exe"}},
      {Item::Startmenue, {G + "VelTori Advanced.lnk", G + "Hilfe.lnk", G}},
      {Item::DesktopLnk, {Q + "\\Veltori Advanced.lnk"}},
      {Item::Cfg, {D + "\\config.vlt"}},
      {Item::PufferText, {D + "\\VelToriTextEintrag1.txt"}},
      {Item::PufferBild, {D + "\\VelToriBildEintrag1.bmp", D + "\\VelToriBildEintrag2"}},
      {Item::Sontiges, {D + "\\alt-veltori.exe", D + "\\install.log"}},
  };
  const fake::FakeFileSystem installed = p.fs;
  for (const Case& c : cases) {
    p.fs = installed;
    ItemSet chosen;
    chosen.Set(c.item, true);
    Apply(chosen);
    std::vector<std::string> expected;
    for (const std::string& path : installed.AllPaths()) {
      const bool gone = std::any_of(c.gone.begin(), c.gone.end(), [&](const std::string& g) {
        return AsciiEqualNoCase(ExcludeTrailingBackslash(g), path);
      });
      if (!gone) expected.push_back(path);
    }
    EXPECT_EQ(p.fs.AllPaths(), expected) << c.gone.front();
  }
  EXPECT_TRUE(Registered());
  EXPECT_FALSE(report.selfRemoval);
}

TEST_F(RemovalRunTest, FilesThatCannotBeDeletedStayAndTheRestGoOn) {
  p.fs.SetReadOnly(D + "\\veltori.cnt");
  p.fs.SetInUse(D + "\\VelToriTextEintrag1.txt");
  p.fs.SetReadOnly(D + "\\VelToriBildEintrag1.bmp");
  p.fs.SetInUse(D + "\\alt-veltori.exe");
  p.fs.SetReadOnly(G + "Hilfe.lnk");
  Apply(ItemSet{Item::Hilfe, Item::Startmenue, Item::PufferText, Item::PufferBild, Item::Sontiges});

  EXPECT_TRUE(InD("veltori.cnt"));
  EXPECT_FALSE(InD("veltori.hlp"));
  EXPECT_TRUE(InD("VelToriTextEintrag1.txt"));
  EXPECT_TRUE(InD("VelToriBildEintrag1.bmp"));
  EXPECT_FALSE(InD("VelToriBildEintrag2"));
  EXPECT_TRUE(InD("alt-veltori.exe"));
  EXPECT_FALSE(InD("install.log"));
  EXPECT_TRUE(Has(G + "Hilfe.lnk"));
  EXPECT_FALSE(Has(G + "VelTori Advanced.lnk"));
  EXPECT_TRUE(Has(G));  // not empty, so the group folder stays
}

TEST_F(RemovalRunTest, StartMenuGroupWithASubfolderStays) {
  p.fs.AddFile(G + "Extras\\Tool.lnk");
  Apply(ItemSet{Item::Startmenue});
  EXPECT_FALSE(Has(G + "VelTori Advanced.lnk"));
  EXPECT_FALSE(Has(G + "Hilfe.lnk"));
  EXPECT_TRUE(Has(G + "Extras\\Tool.lnk"));
  EXPECT_TRUE(Has(G));
}

// Another program's folder, reached through links planted where the removal
// works: the start-menu group and the install directory.
TEST_F(RemovalRunTest, AFolderBehindALinkKeepsEveryFile) {
  const std::string other = "C:\\Program Files\\Other";
  for (const char* f : {"other.exe", "veltori.exe", "config.vlt", "data.txt"}) {
    p.fs.AddFile(other + "\\" + f);
  }
  const std::vector<std::string> otherFiles = Under(other + "\\");
  ItemSet all;
  for (const ItemCase& c : ItemCases()) all.Set(c.item, true);

  // The group folder: removed as a link, never emptied.
  ASSERT_TRUE(p.fs.DeleteFile(G + "VelTori Advanced.lnk").Ok());
  ASSERT_TRUE(p.fs.DeleteFile(G + "Hilfe.lnk").Ok());
  ASSERT_TRUE(p.fs.RemoveDirectory(G).Ok());
  p.fs.AddDirectoryLink(G, other);
  Apply(ItemSet{Item::Startmenue});
  EXPECT_EQ(Under(other + "\\"), otherFiles);
  EXPECT_FALSE(p.fs.IsReparsePoint(G));

  // A plan made before the install directory became a link: the wildcard
  // deletions still do not list through it. (The named files are the plan's
  // to leave out, which MakeRemovalPaths and BuildRemovalPlan do.)
  const RemovalPlan plan = BuildRemovalPlan(ItemSet{Item::PufferText, Item::PufferBild, Item::Sontiges}, kPaths);
  p.fs = fake::FakeFileSystem();
  for (const char* f : {"other.exe", "VelToriTextEintrag1.txt", "data.txt"}) {
    p.fs.AddFile(other + "\\" + f);
  }
  p.fs.AddDir("C:\\Programme");
  p.fs.AddDirectoryLink(D, other);
  const std::vector<std::string> before = Under(other + "\\");
  EXPECT_TRUE(RunRemoval(plan, p.services).failure.Ok());
  EXPECT_EQ(Under(other + "\\"), before);
  EXPECT_EQ(before.size(), 3u);
}

TEST_F(RemovalRunTest, RegistryStepOnlyWhenChosenAndBeforeTheConfigFileGoes) {
  Apply(ItemSet{Item::Hilfe, Item::Cfg});
  EXPECT_TRUE(Registered());

  // The registry step writes into config.vlt; deleting it comes later.
  p.fs.AddFile(D + "\\config.vlt");
  Apply(ItemSet{Item::Registry, Item::Cfg});
  EXPECT_FALSE(Registered());
  EXPECT_EQ(p.profile.flushes.size(), 2u);  // around its write
  EXPECT_FALSE(InD("config.vlt"));
}

TEST_F(RemovalRunTest, TheScriptIsWrittenFirstAndItsFailureRemovesNothing) {
  ItemSet all;
  for (const ItemCase& c : ItemCases()) all.Set(c.item, true);
  const std::vector<std::string> before = p.fs.AllPaths();
  p.fs.DenyCreate("C:\\Windows\\Temp");
  RemovalPaths paths = kPaths;
  paths.exePath = D + "\\vltsetup.exe";
  const RemovalReport failed = RunRemoval(BuildRemovalPlan(all, paths), p.services);
  ASSERT_FALSE(failed.failure.Ok());
  EXPECT_NE(failed.failure.Error().subject.find("C:\\Windows\\Temp\\vltsetup-"), std::string::npos)
      << failed.failure.Error().subject;
  EXPECT_FALSE(failed.selfRemoval);
  EXPECT_TRUE(Registered());
  EXPECT_EQ(p.fs.AllPaths(), before);
}

}  // namespace
}  // namespace vlt
