#include <gtest/gtest.h>

#include "fakes/FakePlatform.h"
#include "install/VelToriRegistry.h"

namespace vlt {
namespace {

using Values = std::map<std::string, std::string>;

const std::string kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const std::string kOwnKey = kUninstall + "\\VelToriAdvanced";
const std::string kDir = "C:\\Programme\\VelTori Advanced";
const std::string kConfig = kDir + "\\config.vlt";
const std::string kExeValue = "\"C:\\Programme\\VelTori Advanced\\veltori.exe\"";
const std::string kUninstallValue = "\"C:\\Programme\\VelTori Advanced\\vltsetup.exe\" -remove";

class VelToriRegistryTest : public ::testing::Test {
 protected:
  VelToriRegistryTest() { fs.AddDir(kDir); }

  bool Run(bool install, bool autoStart, const std::string& dir = kDir) {
    return VelToriRegistry(registry, profile, fs,
                           {.installDir = dir, .install = install, .autoStart = autoStart})
        .Ok();
  }
  std::string Config() { return fs.ReadFile(kConfig).value_or("<missing>"); }

  fake::FakeFileSystem fs;
  fake::FakeProfileFile profile{fs};
  fake::FakeRegistry registry;
};

TEST_F(VelToriRegistryTest, FreshInstallWritesQuotedPathsAndAddsAllgemeinAfterSprache) {
  EXPECT_TRUE(profile.WriteString(kConfig, "Sprache", "Sprache", "Deutsch").Ok());

  EXPECT_TRUE(Run(true, true));

  EXPECT_EQ(registry.Values(kRun), (Values{{"VelToriAutoStart", kExeValue}}));
  EXPECT_EQ(registry.Values(kOwnKey),
            (Values{{"DisplayName", "VelTori Advanced"}, {"UninstallString", kUninstallValue}}));
  EXPECT_EQ(Config(), "[Sprache]\r\nSprache=Deutsch\r\n[Allgemein]\r\nAutostart=ja\r\n");
  EXPECT_EQ(profile.flushes, (std::vector<std::string>{kConfig, kConfig}));
}

// Every direction, starting from a complete earlier installation surrounded
// by entries of other programs, which must all survive. The earlier
// installation lies in this folder (its entries spelled otherwise), in
// another one, whose entries only an install replaces (a removal or a failed
// uninstaller copy here never takes them), or in a folder that is gone
// (moved, deleted, its drive renamed): stale entries any copy clears.
TEST_F(VelToriRegistryTest, BothDirectionsOverAnEarlierInstallation) {
  enum After { Ours, Earlier, Gone };
  enum Where { Here, Old, Moved };
  struct Case {
    Where earlier;
    bool install, autoStart, uninstallerWritten;
    After run, key;
    const char* autostartKey;
  } const cases[] = {
      {Here, true, true, true, Ours, Ours, "ja"},
      {Here, true, false, true, Gone, Ours, "nein"},
      {Here, false, true, true, Ours, Gone, "ja"},
      {Here, false, false, true, Gone, Gone, "nein"},
      {Here, true, false, false, Gone, Gone, "nein"},
      {Old, true, true, true, Ours, Ours, "ja"},
      {Old, true, false, false, Gone, Earlier, "nein"},
      {Old, false, false, true, Earlier, Earlier, "nein"},
      {Moved, false, false, true, Gone, Gone, "nein"},
      {Moved, true, false, false, Gone, Gone, "nein"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "earlier=" << c.earlier << " install=" << c.install
                                      << " autoStart=" << c.autoStart
                                      << " written=" << c.uninstallerWritten);
    fs = fake::FakeFileSystem();
    registry = fake::FakeRegistry();
    fs.AddFile(kConfig, "[Allgemein]\r\nHotkey=145\r\nAutostart=ja\r\n[Sprache]\r\nSprache=English\r\n");
    fs.AddFile("C:\\old\\veltori.exe");
    fs.AddFile("C:\\old\\vltsetup.exe");
    const char* const folders[] = {"c:\\programme\\velTori advanced", "C:\\old", "D:\\Tools"};
    const std::string earlierDir = folders[c.earlier];
    const std::string earlierRun = earlierDir + "\\veltori.exe";
    const std::string earlierUninstall = "\"" + earlierDir + "\\vltsetup.exe\" -remove";
    EXPECT_TRUE(registry.WriteString(kRun, "VelToriAutoStart", earlierRun).Ok());
    EXPECT_TRUE(registry.WriteString(kRun, "OtherTool", "C:\\other.exe").Ok());
    EXPECT_TRUE(registry.WriteString(kOwnKey, "DisplayName", "old").Ok());
    EXPECT_TRUE(registry.WriteString(kOwnKey, "UninstallString", earlierUninstall).Ok());
    EXPECT_TRUE(registry.CreateKey(kOwnKey + "\\Nested").Ok());
    EXPECT_TRUE(
        registry.WriteString(kUninstall + "\\OtherProduct", "DisplayName", "Other").Ok());

    EXPECT_TRUE(VelToriRegistry(registry, profile, fs,
                                {.installDir = kDir,
                                 .install = c.install,
                                 .autoStart = c.autoStart,
                                 .uninstallerWritten = c.uninstallerWritten})
                    .Ok());

    const std::optional<std::string> run[] = {kExeValue, earlierRun, std::nullopt};
    EXPECT_EQ(registry.Value(kRun, "VelToriAutoStart"), run[c.run]);
    EXPECT_EQ(registry.Value(kRun, "OtherTool"), "C:\\other.exe");
    EXPECT_EQ(registry.HasKey(kOwnKey + "\\Nested"), c.key != Gone);
    if (c.key == Gone) {
      EXPECT_FALSE(registry.HasKey(kOwnKey));
    } else {
      EXPECT_EQ(registry.Value(kOwnKey, "UninstallString"),
                c.key == Ours ? kUninstallValue : earlierUninstall);
    }
    EXPECT_EQ(registry.Value(kUninstall + "\\OtherProduct", "DisplayName"), "Other");
    EXPECT_EQ(Config(), "[Allgemein]\r\nHotkey=145\r\nAutostart=" + std::string(c.autostartKey) +
                            "\r\n[Sprache]\r\nSprache=English\r\n");
  }
}

TEST_F(VelToriRegistryTest, TrailingBackslashGivesTheSameEntries) {
  ASSERT_TRUE(Run(true, true, kDir));
  const Values run = registry.Values(kRun), own = registry.Values(kOwnKey);
  const std::string config = Config();
  fs = fake::FakeFileSystem();
  fs.AddDir(kDir);
  registry = fake::FakeRegistry();

  ASSERT_TRUE(Run(true, true, kDir + "\\"));

  EXPECT_EQ(registry.Values(kRun), run);
  EXPECT_EQ(registry.Values(kOwnKey), own);
  EXPECT_EQ(Config(), config);
}

TEST(RegistryCommands, QuoteTheWholePathOnly) {
  struct Case {
    const char* dir;
    const char* autostart;
    const char* uninstall;
  } const cases[] = {
      {"D:\\", "\"D:\\veltori.exe\"", "\"D:\\vltsetup.exe\" -remove"},
      {"D:\\Tools", "\"D:\\Tools\\veltori.exe\"", "\"D:\\Tools\\vltsetup.exe\" -remove"},
      {"C:\\Program Files (x86)\\V A\\", "\"C:\\Program Files (x86)\\V A\\veltori.exe\"",
       "\"C:\\Program Files (x86)\\V A\\vltsetup.exe\" -remove"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AutostartCommand(c.dir), c.autostart) << c.dir;
    EXPECT_EQ(UninstallCommand(c.dir), c.uninstall) << c.dir;
  }
}

TEST_F(VelToriRegistryTest, WithoutRegistryRightsInstallFailsButStillWritesTheConfiguration) {
  for (const bool autoStart : {true, false}) {
    SCOPED_TRACE(autoStart);
    registry.readOnly = true;

    EXPECT_FALSE(Run(true, autoStart));

    registry.readOnly = false;
    EXPECT_TRUE(registry.Keys().empty());
    EXPECT_EQ(Config(), std::string("[Allgemein]\r\nAutostart=") + (autoStart ? "ja" : "nein") + "\r\n");
  }
}

TEST_F(VelToriRegistryTest, RemovingWhatIsNotThereSucceedsAndCreatesNothing) {
  EXPECT_TRUE(Run(false, false));
  EXPECT_TRUE(registry.Keys().empty());
  // A configuration file made by the removal would keep the install
  // directory from being removed.
  EXPECT_EQ(Config(), "<missing>");
  EXPECT_EQ(fs.AllPaths(), (std::vector<std::string>{"C:\\Programme", kDir}));
}

TEST_F(VelToriRegistryTest, UnwritableConfigurationFailsAfterTheRegistryHalf) {
  fs.AddFile(kConfig, "[Allgemein]\r\nAutostart=ja\r\n");
  fs.SetReadOnly(kConfig);
  EXPECT_FALSE(Run(true, false));
  EXPECT_EQ(registry.Value(kOwnKey, "UninstallString"), kUninstallValue);
  EXPECT_EQ(Config(), "[Allgemein]\r\nAutostart=ja\r\n");

  // The removal changes the existing, read-only file: that fails too.
  EXPECT_FALSE(Run(false, false));
  EXPECT_FALSE(registry.HasKey(kOwnKey));
  EXPECT_EQ(Config(), "[Allgemein]\r\nAutostart=ja\r\n");
}

TEST(RegistryInstallDir, InstallRunUsesTheTypedDirectoryUninstallRunTheExeFolder) {
  const std::string exe = "C:\\Programme\\VelTori Advanced\\vltsetup.exe";
  EXPECT_EQ(RegistryInstallDir(false, "D:\\Tools\\", exe), "D:\\Tools\\");
  EXPECT_EQ(RegistryInstallDir(true, "", exe), "C:\\Programme\\VelTori Advanced");
  EXPECT_EQ(RegistryInstallDir(true, "", "C:\\vltsetup.exe"), "C:");
}

TEST_F(VelToriRegistryTest, UninstallRunWritesTheConfigurationBesideTheRunningProgram) {
  fs.AddFile(kConfig, "[Sprache]\r\nSprache=English\r\n");
  const std::string dir = RegistryInstallDir(true, "", kDir + "\\vltsetup.exe");
  EXPECT_TRUE(Run(false, false, dir));
  EXPECT_EQ(Config(), "[Sprache]\r\nSprache=English\r\n[Allgemein]\r\nAutostart=nein\r\n");
}

TEST(RegistryEntriesExist, EitherTraceCountsWhenItOpens) {
  fake::FakeRegistry registry;
  EXPECT_FALSE(RegistryEntriesExist(registry));
  EXPECT_TRUE(registry.WriteString(kUninstall + "\\OtherTool", "DisplayName", "Other").Ok());
  EXPECT_FALSE(RegistryEntriesExist(registry));
  // An install without autostart leaves only the uninstall entry.
  EXPECT_TRUE(registry.WriteString(kOwnKey, "DisplayName", "VelTori Advanced").Ok());
  EXPECT_TRUE(UninstallEntryExists(registry));
  EXPECT_FALSE(AutostartEntryExists(registry));
  EXPECT_TRUE(RegistryEntriesExist(registry));
  registry.readOnly = true;
  EXPECT_FALSE(RegistryEntriesExist(registry));
}

TEST(AutostartEntryExists, OnlyAnAccessibleValueCounts) {
  fake::FakeRegistry registry;
  EXPECT_FALSE(AutostartEntryExists(registry));
  EXPECT_TRUE(registry.WriteString(kRun, "OtherTool", "C:\\other.exe").Ok());
  EXPECT_FALSE(AutostartEntryExists(registry));
  EXPECT_TRUE(registry.WriteString(kRun, "VelToriAutoStart", kExeValue).Ok());
  EXPECT_TRUE(AutostartEntryExists(registry));
  registry.readOnly = true;
  EXPECT_FALSE(AutostartEntryExists(registry));
}

}  // namespace
}  // namespace vlt
