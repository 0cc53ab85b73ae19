#include <gtest/gtest.h>

#include "common/Paths.h"
#include "fakes/FakePlatform.h"
#include "platform/Errors.h"
#include "uninstall/SelfRemoval.h"

namespace vlt {
namespace {

constexpr int kProfileCsidl = 0x0028;
constexpr int kTemplatesCsidl = 0x0015;

// The script for executable `e` in folder `f`, erasing itself as `s`; the
// three texts as they must appear in the file.
std::string Script(const std::string& e, const std::string& f, const std::string& s) {
  return "setlocal DisableDelayedExpansion\r\n"
         "set /a VltTriesLeft=300\r\n"
         ":1\r\n"
         "Erase \"" + e + "\"\r\n"
         "If \"%VltTriesLeft%\"==\"0\" Goto 2\r\n"
         "set /a VltTriesLeft=VltTriesLeft-1\r\n"
         "If exist \"" + e + "\" ping -n 2 127.0.0.1 >nul\r\n"
         "If exist \"" + e + "\" Goto 1\r\n"
         ":2\r\n"
         "rmdir \"" + f + "\"\r\n"
         "Erase \"" + s + "\"\r\n";
}

class SelfRemovalTest : public ::testing::Test {
 protected:
  // The running program, present on disk as it is while running.
  void Run(const std::string& exePath) {
    p.fs.AddFile(exePath);
    ScheduleSelfRemoval(p.fs, p.shell, exePath);
  }
  std::string Written(const std::string& scriptPath) {
    return p.fs.ReadFile(scriptPath).value_or("<no script at " + scriptPath + ">");
  }
  void SetFolder(int csidl, const std::string& path) {
    p.shell.folders[csidl] = path;
    if (!path.empty()) p.fs.AddDir(path);
  }

  fake::FakePlatform p;
};

TEST_F(SelfRemovalTest, InstalledUninstallerWritesAndStartsItsScript) {
  Run("C:\\Programme\\VelTori Advanced\\vltsetup.exe");

  EXPECT_EQ(Written("C:\\Users\\Anna\\vltsetup.bat"),
            "setlocal DisableDelayedExpansion\r\n"
            "set /a VltTriesLeft=300\r\n"
            ":1\r\n"
            "Erase \"C:\\Programme\\VelTori Advanced\\vltsetup.exe\"\r\n"
            "If \"%VltTriesLeft%\"==\"0\" Goto 2\r\n"
            "set /a VltTriesLeft=VltTriesLeft-1\r\n"
            "If exist \"C:\\Programme\\VelTori Advanced\\vltsetup.exe\" ping -n 2 127.0.0.1 >nul\r\n"
            "If exist \"C:\\Programme\\VelTori Advanced\\vltsetup.exe\" Goto 1\r\n"
            ":2\r\n"
            "rmdir \"C:\\Programme\\VelTori Advanced\"\r\n"
            "Erase \"C:\\Users\\Anna\\vltsetup.bat\"\r\n");

  ASSERT_EQ(p.shell.executed.size(), 1u);
  const ShellExecuteRequest& started = p.shell.executed[0];
  EXPECT_EQ(started.verb, "open");
  EXPECT_EQ(started.file, "C:\\Users\\Anna\\vltsetup.bat");
  EXPECT_EQ(started.parameters, std::optional<std::string>(""));
  // Its own folder, never the install directory, so that folder can go.
  EXPECT_EQ(started.directory, std::optional<std::string>("C:\\Users\\Anna"));
  EXPECT_EQ(started.showCommand, 0);
}

TEST_F(SelfRemovalTest, PathsAreWrittenAsTheCommandInterpreterReadsThem) {
  struct Case {
    const char* what;
    std::string exePath;
    std::string e, f, s;  // as written
  } const cases[] = {
      {"plain", "C:\\VELTORI\\vltsetup.exe", "C:\\VELTORI\\vltsetup.exe", "C:\\VELTORI",
       "C:\\Users\\Anna\\vltsetup.bat"},
      {"blanks and shell characters", "C:\\Program Files\\A & B (x86)\\vltsetup.exe",
       "C:\\Program Files\\A & B (x86)\\vltsetup.exe", "C:\\Program Files\\A & B (x86)",
       "C:\\Users\\Anna\\vltsetup.bat"},
      {"umlauts in OEM code page 850", "C:\\Programme\\Gr\xc3\xb6\xc3\x9f" "e \xc3\x84nderung\\vltsetup.exe",
       "C:\\Programme\\Gr\x94\xe1" "e \x8enderung\\vltsetup.exe", "C:\\Programme\\Gr\x94\xe1" "e \x8enderung",
       "C:\\Users\\Anna\\vltsetup.bat"},
      {"percent signs doubled", "C:\\Tools 100%\\%PATH%\\vltsetup.exe",
       "C:\\Tools 100%%\\%%PATH%%\\vltsetup.exe", "C:\\Tools 100%%\\%%PATH%%",
       "C:\\Users\\Anna\\vltsetup.bat"},
      {"setup under another name", "C:\\Downloads\\setup2.exe", "C:\\Downloads\\setup2.exe",
       "C:\\Downloads", "C:\\Users\\Anna\\setup2.bat"},
      {"an exclamation mark is a character", "C:\\Tools!\\Neu!\\vltsetup.exe",
       "C:\\Tools!\\Neu!\\vltsetup.exe", "C:\\Tools!\\Neu!", "C:\\Users\\Anna\\vltsetup.bat"},
  };
  for (const Case& c : cases) {
    fake::FakePlatform fresh;
    fresh.fs.AddFile(c.exePath);
    ScheduleSelfRemoval(fresh.fs, fresh.shell, c.exePath);
    const std::string scriptPath = "C:\\Users\\Anna\\" + ExtractFileName(c.s);
    EXPECT_EQ(fresh.fs.ReadFile(scriptPath), Script(c.e, c.f, c.s)) << c.what;
  }
}

TEST_F(SelfRemovalTest, AVolumeRootIsNeverNamedForRemoval) {
  for (const std::string exe : {"D:\\vltsetup.exe", "\\\\server\\tools\\vltsetup.exe"}) {
    fake::FakePlatform fresh;
    fresh.fs.AddDrive("D:");
    if (exe[0] == 'D') fresh.fs.AddFile(exe);
    ScheduleSelfRemoval(fresh.fs, fresh.shell, exe);
    const std::string text = fresh.fs.ReadFile("C:\\Users\\Anna\\vltsetup.bat").value_or("");
    EXPECT_NE(text.find("Erase \"" + exe + "\"\r\n"), std::string::npos) << exe;
    EXPECT_EQ(text.find("rmdir"), std::string::npos) << exe;
    EXPECT_TRUE(text.ends_with(":2\r\nErase \"C:\\Users\\Anna\\vltsetup.bat\"\r\n")) << text;
  }
}

TEST_F(SelfRemovalTest, PathOutsideTheOemCodePageFallsBackToItsShortName) {
  // "Программы" (Cyrillic) has no place in code page 850.
  const std::string dir = "C:\\\xd0\x9f\xd1\x80\xd0\xbe\xd0\xb3\xd1\x80\xd0\xb0\xd0\xbc\xd0\xbc\xd1\x8b\\VelTori";
  p.fs.AddFile(dir + "\\vltsetup.exe");
  p.fs.SetShortName(dir, "C:\\8F40~1\\VELTORI");
  p.fs.SetShortName(dir + "\\vltsetup.exe", "C:\\8F40~1\\VELTORI\\VLTSETUP.EXE");
  // The script's own folder too: the script does not exist yet, so its
  // folder's short name stands in front of its name.
  const std::string profile = "C:\\Users\\\xd0\x90\xd0\xbb\xd1\x91\xd0\xbd\xd0\xb0";  // Алёна
  SetFolder(kTemplatesCsidl, profile + "\\Templates");
  p.fs.SetShortName(profile, "C:\\Users\\B1C2~1");

  Run(dir + "\\vltsetup.exe");

  EXPECT_EQ(Written(profile + "\\vltsetup.bat"),
            Script("C:\\8F40~1\\VELTORI\\VLTSETUP.EXE", "C:\\8F40~1\\VELTORI",
                   "C:\\Users\\B1C2~1\\vltsetup.bat"));
  ASSERT_EQ(p.shell.executed.size(), 1u);
  EXPECT_EQ(p.shell.executed[0].file, profile + "\\vltsetup.bat");  // the shell takes Unicode
}

TEST_F(SelfRemovalTest, PathWithoutAnyReadableFormIsRefused) {
  // No short name (8.3 names switched off): naming it wrongly could erase
  // something else, so nothing is written or started.
  const std::string exePath = "C:\\\xe6\x96\x87\xe4\xbb\xb6\\vltsetup.exe";  // 文件
  p.fs.AddFile(exePath);
  try {
    ScheduleSelfRemoval(p.fs, p.shell, exePath);
    FAIL() << "no error raised";
  } catch (const FileError& error) {
    EXPECT_NE(std::string(error.what()).find(exePath), std::string::npos) << error.what();
  }
  EXPECT_FALSE(p.fs.Exists("C:\\Users\\Anna\\vltsetup.bat"));
  EXPECT_TRUE(p.shell.executed.empty());
}

TEST_F(SelfRemovalTest, ScriptFolderIsTheFolderAboveTemplates) {
  struct Case {
    std::string templates;
    std::string profile;
    std::string script;
    std::string workingDir;
  } const cases[] = {
      {"C:\\WINDOWS\\ShellNew", "", "C:\\WINDOWS\\vltsetup.bat", "C:\\WINDOWS"},
      {"C:\\Users\\Anna\\Templates\\", "", "C:\\Users\\Anna\\vltsetup.bat", "C:\\Users\\Anna"},
      {"C:\\Templates", "", "C:\\vltsetup.bat", "C:\\"},
      // Templates unknown: the profile folder, not the root of the current drive.
      {"", "C:\\Users\\Bert", "C:\\Users\\Bert\\vltsetup.bat", "C:\\Users\\Bert"},
  };
  for (const Case& c : cases) {
    fake::FakePlatform fresh;
    fresh.shell.folders[kTemplatesCsidl] = c.templates;
    fresh.shell.folders[kProfileCsidl] = c.profile;
    if (!c.profile.empty()) fresh.fs.AddDir(c.profile);
    if (!c.templates.empty()) fresh.fs.AddDir(c.templates);
    fresh.fs.AddFile("C:\\VelTori\\vltsetup.exe");
    ScheduleSelfRemoval(fresh.fs, fresh.shell, "C:\\VelTori\\vltsetup.exe");
    EXPECT_TRUE(fresh.fs.IsFile(c.script)) << c.script;
    ASSERT_EQ(fresh.shell.executed.size(), 1u) << c.script;
    EXPECT_EQ(fresh.shell.executed[0].file, c.script);
    EXPECT_EQ(fresh.shell.executed[0].directory, c.workingDir) << c.script;
  }
}

TEST_F(SelfRemovalTest, NoKnownFolderIsAnError) {
  p.shell.folders.clear();
  EXPECT_THROW(Run("C:\\VelTori\\vltsetup.exe"), FileError);
  EXPECT_TRUE(p.shell.executed.empty());
}

TEST_F(SelfRemovalTest, UnwritableScriptFolderRaisesAndStartsNothing) {
  p.fs.DenyCreate("C:\\Users\\Anna");
  try {
    Run("C:\\VelTori\\vltsetup.exe");
    FAIL() << "no error raised";
  } catch (const FileError& error) {
    EXPECT_NE(std::string(error.what()).find("C:\\Users\\Anna\\vltsetup.bat"), std::string::npos)
        << error.what();
  }
  EXPECT_FALSE(p.fs.Exists("C:\\Users\\Anna\\vltsetup.bat"));
  EXPECT_TRUE(p.shell.executed.empty());
}

}  // namespace
}  // namespace vlt
