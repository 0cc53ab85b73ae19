#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>

#include "common/Paths.h"
#include "fakes/FakePlatform.h"
#include "install/InstallPayload.h"
#include "uninstall/Presence.h"
#include "uninstall/RemovalPlan.h"

namespace vlt {

// Readable failure output for plan comparisons.
void PrintTo(const RemovalAction& a, std::ostream* os) {
  static const char* const kKinds[] = {"Registry", "DeleteFile", "DeleteMatching",
                                       "RemoveDirectory", "DeleteOther", "SelfRemoval"};
  *os << kKinds[static_cast<int>(a.kind)] << "(" << a.path << (a.mask.empty() ? "" : ", ")
      << a.mask << ")";
}

namespace {

using Kind = RemovalAction::Kind;

const std::string D = "C:\\Programme\\VelTori Advanced";
const std::string P = "C:\\Users\\Anna\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs";
const std::string Q = "C:\\Users\\Anna\\Desktop";
const std::string G = P + "\\VelTori Advanced\\";
const RemovalPaths kPaths{.installDir = D, .programsFolder = P, .desktopDirectory = Q};

struct ItemCase {
  const char* item;
  bool ChosenItems::*flag;
  RemovalPlan actions;
};

// Each item's actions, in the order the removal runs the items.
std::vector<ItemCase> ItemCases() {
  return {
      // The script first: one that cannot be written stops all before it.
      {"uninstaller", &ChosenItems::DelUninst, {{Kind::WriteSelfRemovalScript}}},
      {"registry", &ChosenItems::DelRegistry, {{Kind::RemoveRegistryEntries}}},
      {"help",
       &ChosenItems::DelHilfe,
       {{Kind::DeleteFile, D + "\\veltori.cnt"},
        {Kind::DeleteFile, D + "\\veltori.hlp"},
        {Kind::DeleteFile, D + "\\veltori.FTG"},
        {Kind::DeleteFile, D + "\\veltori.FTS"},
        {Kind::DeleteFile, D + "\\veltori.GID"}}},
      {"exe", &ChosenItems::DelExe, {{Kind::DeleteFile, D + "\\veltori.exe"}}},
      {"start menu",
       &ChosenItems::DelStartmenue,
       {{Kind::DeleteMatchingFiles, G, "*.*"}, {Kind::RemoveDirectory, G}}},
      {"desktop", &ChosenItems::DelDesktopLnk, {{Kind::DeleteFile, Q + "\\Veltori Advanced.lnk"}}},
      {"config", &ChosenItems::DelCfg, {{Kind::DeleteFile, D + "\\config.vlt"}}},
      {"text entries",
       &ChosenItems::DelPufferText,
       {{Kind::DeleteMatchingFiles, D + "\\", "VeltoriTextEintrag*.txt"}}},
      {"picture entries",
       &ChosenItems::DelPufferBild,
       {{Kind::DeleteMatchingFiles, D + "\\", "VeltoriBildEintrag*.*"}}},
      {"other files", &ChosenItems::DelSontiges, {{Kind::DeleteOtherFiles, D + "\\", "*.*"}}},
  };
}

TEST(BuildRemovalPlan, EachItemAlone) {
  for (const ItemCase& c : ItemCases()) {
    ChosenItems chosen;
    chosen.*c.flag = true;
    EXPECT_EQ(BuildRemovalPlan(chosen, kPaths), c.actions) << c.item;
  }
}

TEST(BuildRemovalPlan, AllItemsInTheirFixedOrder) {
  ChosenItems chosen;
  RemovalPlan expected;
  for (const ItemCase& c : ItemCases()) {
    chosen.*c.flag = true;
    expected.insert(expected.end(), c.actions.begin(), c.actions.end());
  }
  EXPECT_EQ(BuildRemovalPlan(chosen, kPaths), expected);
  EXPECT_TRUE(BuildRemovalPlan(ChosenItems{}, kPaths).empty());
}

TEST(BuildRemovalPlan, UnknownShellFoldersDropTheirItems) {
  // Without the folder, the shortcut and group paths would point at the
  // root of the current drive.
  const ChosenItems chosen{.DelStartmenue = true, .DelDesktopLnk = true};
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
  ChosenItems all;
  for (const ItemCase& c : ItemCases()) all.*c.flag = true;
  RemovalPaths foreign = kPaths;
  foreign.onlyOurs = OursByContent{.exe = true, .helpContents = true};
  EXPECT_EQ(BuildRemovalPlan(all, foreign),
            (RemovalPlan{{Kind::WriteSelfRemovalScript},
                         {Kind::RemoveRegistryEntries},
                         {Kind::DeleteFile, D + "\\veltori.cnt"},
                         {Kind::DeleteFile, D + "\\veltori.exe"},
                         {Kind::DeleteMatchingFiles, G, "*.*"},
                         {Kind::RemoveDirectory, G},
                         {Kind::DeleteFile, Q + "\\Veltori Advanced.lnk"}}));

  const std::string v = "C:\\Users\\Anna\\AppData\\Local\\VirtualStore\\Programme\\VelTori Advanced";
  RemovalPaths redirected = kPaths;
  redirected.virtualStore = v;
  EXPECT_EQ(BuildRemovalPlan({.DelCfg = true, .DelPufferText = true, .DelPufferBild = true}, redirected),
            (RemovalPlan{{Kind::DeleteFile, D + "\\config.vlt"},
                         {Kind::DeleteFile, v + "\\config.vlt"},
                         {Kind::DeleteMatchingFiles, D + "\\", "VeltoriTextEintrag*.txt"},
                         {Kind::DeleteMatchingFiles, v + "\\", "VeltoriTextEintrag*.txt"},
                         {Kind::DeleteMatchingFiles, D + "\\", "VeltoriBildEintrag*.*"},
                         {Kind::DeleteMatchingFiles, v + "\\", "VeltoriBildEintrag*.*"}}));
}

TEST(BuildRemovalPlan, NothingIsDeletedThroughALinkNorOtherFilesInAVolumeRoot) {
  ChosenItems all;
  for (const ItemCase& c : ItemCases()) all.*c.flag = true;
  RemovalPaths paths = kPaths;
  paths.installDirIsLink = true;
  paths.startMenuGroupIsLink = true;
  EXPECT_EQ(BuildRemovalPlan(all, paths),
            (RemovalPlan{{Kind::WriteSelfRemovalScript},
                         {Kind::RemoveRegistryEntries},
                         {Kind::RemoveDirectory, G},  // the link itself, never its content
                         {Kind::DeleteFile, Q + "\\Veltori Advanced.lnk"}}));

  for (const std::string root : {"D:", "\\\\server\\tools"}) {
    const RemovalPlan plan = BuildRemovalPlan(all, {.installDir = root, .programsFolder = P, .desktopDirectory = Q});
    EXPECT_TRUE(std::none_of(plan.begin(), plan.end(), [](const RemovalAction& a) {
      return a.kind == Kind::DeleteOtherFiles;
    })) << root;
    EXPECT_NE(std::find(plan.begin(), plan.end(),
                        RemovalAction{Kind::DeleteFile, root + "\\veltori.exe"}),
              plan.end());
  }
}

// Runs the removal of `chosen` on a fake machine and records the steps.
class ApplyRemovalTest : public ::testing::Test {
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
  }

  void Apply(const ChosenItems& chosen) {
    const Status applied = ApplyRemovalPlan(
        p.fs, BuildRemovalPlan(chosen, kPaths),
        {.removeRegistryEntries = [&] { steps.push_back("registry"); },
         .writeSelfRemovalScript = [&] {
           steps.push_back("self-removal");
           return Status();
         }});
    EXPECT_TRUE(applied.Ok());
  }

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
  std::vector<std::string> steps;
};

TEST_F(ApplyRemovalTest, NothingChosenChangesNothing) {
  const std::vector<std::string> before = p.fs.AllPaths();
  Apply({});
  EXPECT_EQ(p.fs.AllPaths(), before);
  EXPECT_TRUE(steps.empty());
}

TEST_F(ApplyRemovalTest, EverythingChosenLeavesOnlyWhatMustStay) {
  ChosenItems all;
  for (const ItemCase& c : ItemCases()) all.*c.flag = true;
  Apply(all);

  EXPECT_EQ(steps, (std::vector<std::string>{"self-removal", "registry"}));
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

TEST_F(ApplyRemovalTest, EachItemRemovesOnlyItsOwnFiles) {
  struct Case {
    bool ChosenItems::*flag;
    std::vector<std::string> gone;
  } const cases[] = {
      {&ChosenItems::DelHilfe, {D + "\\veltori.cnt", D + "\\veltori.hlp", D + "\\veltori.GID",
                                D + "\\VELTORI.FTS"}},
      {&ChosenItems::DelExe, {D + "\\veltori.exe"}},
      {&ChosenItems::DelStartmenue, {G + "VelTori Advanced.lnk", G + "Hilfe.lnk", G}},
      {&ChosenItems::DelDesktopLnk, {Q + "\\Veltori Advanced.lnk"}},
      {&ChosenItems::DelCfg, {D + "\\config.vlt"}},
      {&ChosenItems::DelPufferText, {D + "\\VelToriTextEintrag1.txt"}},
      {&ChosenItems::DelPufferBild, {D + "\\VelToriBildEintrag1.bmp", D + "\\VelToriBildEintrag2"}},
      {&ChosenItems::DelSontiges, {D + "\\alt-veltori.exe", D + "\\install.log"}},
  };
  const fake::FakeFileSystem installed = p.fs;
  for (const Case& c : cases) {
    p.fs = installed;
    ChosenItems chosen;
    chosen.*c.flag = true;
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
  EXPECT_TRUE(steps.empty());
}

TEST_F(ApplyRemovalTest, FilesThatCannotBeDeletedStayAndTheRestGoOn) {
  p.fs.SetReadOnly(D + "\\veltori.cnt");
  p.fs.SetInUse(D + "\\VelToriTextEintrag1.txt");
  p.fs.SetReadOnly(D + "\\VelToriBildEintrag1.bmp");
  p.fs.SetInUse(D + "\\alt-veltori.exe");
  p.fs.SetReadOnly(G + "Hilfe.lnk");
  Apply({.DelHilfe = true, .DelStartmenue = true, .DelPufferText = true, .DelPufferBild = true,
         .DelSontiges = true});

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

TEST_F(ApplyRemovalTest, StartMenuGroupWithASubfolderStays) {
  p.fs.AddFile(G + "Extras\\Tool.lnk");
  Apply({.DelStartmenue = true});
  EXPECT_FALSE(Has(G + "VelTori Advanced.lnk"));
  EXPECT_FALSE(Has(G + "Hilfe.lnk"));
  EXPECT_TRUE(Has(G + "Extras\\Tool.lnk"));
  EXPECT_TRUE(Has(G));
}

// Another program's folder, reached through links planted where the removal
// works: the start-menu group and the install directory.
TEST_F(ApplyRemovalTest, AFolderBehindALinkKeepsEveryFile) {
  const std::string other = "C:\\Program Files\\Other";
  for (const char* f : {"other.exe", "veltori.exe", "config.vlt", "data.txt"}) {
    p.fs.AddFile(other + "\\" + f);
  }
  const std::vector<std::string> otherFiles = Under(other + "\\");
  ChosenItems all;
  for (const ItemCase& c : ItemCases()) all.*c.flag = true;

  // The group folder: removed as a link, never emptied.
  p.fs.DeleteFile(G + "VelTori Advanced.lnk");
  p.fs.DeleteFile(G + "Hilfe.lnk");
  p.fs.RemoveDirectory(G);
  p.fs.AddDirectoryLink(G, other);
  Apply({.DelStartmenue = true});
  EXPECT_EQ(Under(other + "\\"), otherFiles);
  EXPECT_FALSE(p.fs.IsReparsePoint(G));

  // A plan made before the install directory became a link: the wildcard
  // deletions still do not list through it. (The named files are the plan's
  // to leave out, which MakeRemovalPaths and BuildRemovalPlan do.)
  const RemovalPlan plan = BuildRemovalPlan({.DelPufferText = true, .DelPufferBild = true,
                                             .DelSontiges = true}, kPaths);
  p.fs = fake::FakeFileSystem();
  for (const char* f : {"other.exe", "VelToriTextEintrag1.txt", "data.txt"}) {
    p.fs.AddFile(other + "\\" + f);
  }
  p.fs.AddDir("C:\\Programme");
  p.fs.AddDirectoryLink(D, other);
  const std::vector<std::string> before = Under(other + "\\");
  EXPECT_TRUE(ApplyRemovalPlan(p.fs, plan, {}).Ok());
  EXPECT_EQ(Under(other + "\\"), before);
  EXPECT_EQ(before.size(), 3u);
}

TEST_F(ApplyRemovalTest, RegistryStepOnlyWhenChosenAndBeforeTheConfigFileGoes) {
  Apply({.DelHilfe = true, .DelCfg = true});
  EXPECT_TRUE(steps.empty());

  // The registry step writes into config.vlt; deleting it comes later.
  p.fs.AddFile(D + "\\config.vlt");
  bool configPresentDuringRegistryStep = false;
  EXPECT_TRUE(ApplyRemovalPlan(p.fs,
                               BuildRemovalPlan({.DelRegistry = true, .DelCfg = true}, kPaths),
                               {.removeRegistryEntries =
                                    [&] { configPresentDuringRegistryStep = InD("config.vlt"); },
                                .writeSelfRemovalScript = {}})
                  .Ok());
  EXPECT_TRUE(configPresentDuringRegistryStep);
  EXPECT_FALSE(InD("config.vlt"));
}

TEST_F(ApplyRemovalTest, TheScriptIsWrittenFirstAndItsFailureRemovesNothing) {
  ChosenItems all;
  for (const ItemCase& c : ItemCases()) all.*c.flag = true;
  const std::vector<std::string> before = p.fs.AllPaths();
  bool registryTouched = false;
  const RemovalSteps steps{
      .removeRegistryEntries = [&] { registryTouched = true; },
      .writeSelfRemovalScript =
          [&] { return Status(Failure{"The self-removal script could not be written", 5}); }};
  const Status applied = ApplyRemovalPlan(p.fs, BuildRemovalPlan(all, kPaths), steps);
  ASSERT_FALSE(applied.Ok());
  EXPECT_EQ(applied.Error().message, "The self-removal script could not be written");
  EXPECT_EQ(applied.Error().code, 5u);
  EXPECT_FALSE(registryTouched);
  EXPECT_EQ(p.fs.AllPaths(), before);
}

}  // namespace
}  // namespace vlt
