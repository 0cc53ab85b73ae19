#include <gtest/gtest.h>

#include <functional>

#include "common/Paths.h"
#include "fakes/FakePlatform.h"
#include "uninstall/SelfRemoval.h"

namespace vlt {
namespace {

constexpr int kProfileCsidl = 0x0028;
constexpr int kTemplatesCsidl = 0x0015;
constexpr int kWindowsCsidl = 0x0024;
constexpr char kPing[] = "C:\\Windows\\system32\\ping.exe";
constexpr char kTemp[] = "C:\\Windows\\Temp\\";
// The first name the fake's numbers give.
constexpr char kScriptName[] = "vltsetup-00000001.bat";

// The script for executable `e` in folder `f`, erasing itself as `s`; the
// texts as they must appear in the file. `f` empty: no folder removal.
std::string Script(const std::string& e, const std::string& f, const std::string& s,
                   const std::string& ping = kPing) {
  return "setlocal DisableDelayedExpansion\r\n"
         "set /a VltTriesLeft=300\r\n"
         ":1\r\n"
         "Erase \"" + e + "\"\r\n"
         "If \"%VltTriesLeft%\"==\"0\" Goto 2\r\n"
         "set /a VltTriesLeft=VltTriesLeft-1\r\n"
         "If exist \"" + e + "\" \"" + ping + "\" -n 2 127.0.0.1 >nul\r\n"
         "If exist \"" + e + "\" Goto 1\r\n"
         ":2\r\n" +
         (f.empty() ? "" : "rmdir \"" + f + "\"\r\n") +
         "Erase \"" + s + "\"\r\n";
}

class SelfRemovalTest : public ::testing::Test {
 protected:
  // The running program, present on disk as it is while running.
  ShellExecuteRequest Run(const std::string& exePath, bool insideInstallation = true) {
    if (!p.fs.Exists(exePath)) p.fs.AddFile(exePath);
    Result<ShellExecuteRequest> written =
        WriteSelfRemovalScript(p.fs, p.shell, exePath, insideInstallation);
    if (!written.Ok()) {
      ADD_FAILURE() << written.Error().subject;
      return {};
    }
    return std::move(written.Value());
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

TEST_F(SelfRemovalTest, InstalledUninstallerWritesItsScriptAndTheRequestThatStartsIt) {
  // Names someone took in advance, a folder and a read-only file, are
  // passed over and left as they are.
  p.fs.unforeseeable = {0xdeadbeef, 0x0badf00d, 0x1a2b3c4d};
  p.fs.AddDir("C:\\Windows\\Temp\\vltsetup-deadbeef.bat");
  p.fs.AddFile("C:\\Windows\\Temp\\vltsetup-0badf00d.bat", "echo planted");
  p.fs.SetReadOnly("C:\\Windows\\Temp\\vltsetup-0badf00d.bat");
  p.fs.AddFile("C:\\Program Files (x86)\\VelTori Advanced\\vltsetup.exe");
  p.fs.SetReadOnly("C:\\Program Files (x86)\\VelTori Advanced\\vltsetup.exe");
  const ShellExecuteRequest started =
      Run("C:\\Program Files (x86)\\VelTori Advanced\\vltsetup.exe");

  EXPECT_TRUE(p.fs.DirectoryExists("C:\\Windows\\Temp\\vltsetup-deadbeef.bat"));
  EXPECT_EQ(p.fs.ReadFile("C:\\Windows\\Temp\\vltsetup-0badf00d.bat"), "echo planted");
  EXPECT_EQ(Written("C:\\Windows\\Temp\\vltsetup-1a2b3c4d.bat"),
            "setlocal DisableDelayedExpansion\r\n"
            "set /a VltTriesLeft=300\r\n"
            ":1\r\n"
            "Erase \"C:\\Program Files (x86)\\VelTori Advanced\\vltsetup.exe\"\r\n"
            "If \"%VltTriesLeft%\"==\"0\" Goto 2\r\n"
            "set /a VltTriesLeft=VltTriesLeft-1\r\n"
            "If exist \"C:\\Program Files (x86)\\VelTori Advanced\\vltsetup.exe\" "
            "\"C:\\Windows\\system32\\ping.exe\" -n 2 127.0.0.1 >nul\r\n"
            "If exist \"C:\\Program Files (x86)\\VelTori Advanced\\vltsetup.exe\" Goto 1\r\n"
            ":2\r\n"
            "rmdir \"C:\\Program Files (x86)\\VelTori Advanced\"\r\n"
            "Erase \"C:\\Windows\\Temp\\vltsetup-1a2b3c4d.bat\"\r\n");
  // The read-only attribute an uninstaller copied from a CD kept is gone;
  // a copy outside an installation keeps its own.
  EXPECT_FALSE(p.fs.IsReadOnly("C:\\Program Files (x86)\\VelTori Advanced\\vltsetup.exe"));
  p.fs.AddFile("C:\\Users\\Anna\\Desktop\\vltsetup.exe");
  p.fs.SetReadOnly("C:\\Users\\Anna\\Desktop\\vltsetup.exe");
  Run("C:\\Users\\Anna\\Desktop\\vltsetup.exe", /*insideInstallation=*/false);
  EXPECT_TRUE(p.fs.IsReadOnly("C:\\Users\\Anna\\Desktop\\vltsetup.exe"));

  // Nothing runs yet: the page starts it as the program ends.
  EXPECT_TRUE(p.shell.executed.empty());
  EXPECT_EQ(started.verb, "open");
  EXPECT_EQ(started.file, "C:\\Windows\\system32\\cmd.exe");
  EXPECT_EQ(started.parameters,
            std::optional<std::string>("/d /c \"\"C:\\Windows\\Temp\\vltsetup-1a2b3c4d.bat\"\""));
  // Its own folder, never the install directory, so that folder can go.
  EXPECT_EQ(started.directory, std::optional<std::string>("C:\\Windows\\Temp"));
  EXPECT_EQ(started.showCommand, 0);
}

TEST_F(SelfRemovalTest, PathsAreWrittenAsTheCommandInterpreterReadsThem) {
  struct Case {
    const char* what;
    std::string exePath;
    std::string e, f, s;  // as written
  } const cases[] = {
      {"plain", "C:\\VELTORI\\vltsetup.exe", "C:\\VELTORI\\vltsetup.exe", "C:\\VELTORI",
       "C:\\Windows\\Temp\\vltsetup-00000001.bat"},
      {"blanks and shell characters", "C:\\Program Files\\A & B (x86)\\vltsetup.exe",
       "C:\\Program Files\\A & B (x86)\\vltsetup.exe", "C:\\Program Files\\A & B (x86)",
       "C:\\Windows\\Temp\\vltsetup-00000001.bat"},
      {"umlauts in OEM code page 850", "C:\\Programme\\Gr\xc3\xb6\xc3\x9f" "e \xc3\x84nderung\\vltsetup.exe",
       "C:\\Programme\\Gr\x94\xe1" "e \x8enderung\\vltsetup.exe", "C:\\Programme\\Gr\x94\xe1" "e \x8enderung",
       "C:\\Windows\\Temp\\vltsetup-00000001.bat"},
      {"percent signs doubled", "C:\\Tools 100%\\%PATH%\\vltsetup.exe",
       "C:\\Tools 100%%\\%%PATH%%\\vltsetup.exe", "C:\\Tools 100%%\\%%PATH%%",
       "C:\\Windows\\Temp\\vltsetup-00000001.bat"},
      {"setup under another name", "C:\\Downloads\\setup2.exe", "C:\\Downloads\\setup2.exe",
       "C:\\Downloads", "C:\\Windows\\Temp\\vltsetup-00000001.bat"},
      {"an exclamation mark is a character", "C:\\Tools!\\Neu!\\vltsetup.exe",
       "C:\\Tools!\\Neu!\\vltsetup.exe", "C:\\Tools!\\Neu!", "C:\\Windows\\Temp\\vltsetup-00000001.bat"},
  };
  for (const Case& c : cases) {
    fake::FakePlatform fresh;
    fresh.fs.AddFile(c.exePath);
    EXPECT_TRUE(WriteSelfRemovalScript(fresh.fs, fresh.shell, c.exePath, true).Ok()) << c.what;
    const std::string scriptPath = kTemp + std::string(kScriptName);
    EXPECT_EQ(fresh.fs.ReadFile(scriptPath), Script(c.e, c.f, c.s)) << c.what;
  }
}

TEST_F(SelfRemovalTest, OnlyAnInstallationFolderThatIsNoVolumeRootIsRemoved) {
  const struct {
    std::string exe;
    bool removeFolder;
  } cases[] = {{"D:\\vltsetup.exe", true},
               {"\\\\server\\tools\\vltsetup.exe", true},
               {"C:\\Users\\Anna\\Desktop\\vltsetup.exe", false}};
  for (const auto& c : cases) {
    fake::FakePlatform fresh;
    fresh.fs.AddDrive("D:");
    if (c.exe[0] != '\\') fresh.fs.AddFile(c.exe);
    EXPECT_TRUE(WriteSelfRemovalScript(fresh.fs, fresh.shell, c.exe, c.removeFolder).Ok()) << c.exe;
    const std::string text = fresh.fs.ReadFile("C:\\Windows\\Temp\\vltsetup-00000001.bat").value_or("");
    EXPECT_NE(text.find("Erase \"" + c.exe + "\"\r\n"), std::string::npos) << c.exe;
    EXPECT_EQ(text.find("rmdir"), std::string::npos) << c.exe;
    EXPECT_TRUE(text.ends_with(":2\r\nErase \"C:\\Windows\\Temp\\vltsetup-00000001.bat\"\r\n")) << text;
  }
}

TEST_F(SelfRemovalTest, PathOutsideTheOemCodePageIsNamedByItsShortNameElseInUtf8) {
  // "Программы" (Cyrillic) has no place in code page 850.
  const std::string dir = "C:\\\xd0\x9f\xd1\x80\xd0\xbe\xd0\xb3\xd1\x80\xd0\xb0\xd0\xbc\xd0\xbc\xd1\x8b\\VelTori";
  // The uninstaller's own name is Greek: the script's name stays ASCII, so
  // nothing but short names is needed.
  const std::string exe = dir + "\\Απεγκατάσταση.exe";
  p.fs.AddFile(exe);
  p.fs.SetShortName(dir, "C:\\8F40~1\\VELTORI");
  p.fs.SetShortName(exe, "C:\\8F40~1\\VELTORI\\____~YUU.EXE");
  // The script's own folder too: the script does not exist yet, so its
  // folder's short name stands in front of its name.
  const std::string profile = "C:\\Users\\\xd0\x90\xd0\xbb\xd1\x91\xd0\xbd\xd0\xb0";  // Алёна
  p.shell.folders.erase(kWindowsCsidl);
  SetFolder(kTemplatesCsidl, profile + "\\Templates");
  p.fs.SetShortName(profile, "C:\\Users\\B1C2~1");

  const ShellExecuteRequest started = Run(exe);

  EXPECT_EQ(Written(profile + "\\vltsetup-00000001.bat"),
            Script("C:\\8F40~1\\VELTORI\\____~YUU.EXE", "C:\\8F40~1\\VELTORI",
                   "C:\\Users\\B1C2~1\\vltsetup-00000001.bat"));
  // The shell takes Unicode.
  EXPECT_EQ(started.parameters, "/d /c \"\"" + profile + "\\vltsetup-00000001.bat\"\"");

  // Without short names (switched off on many volumes) the script is UTF-8,
  // after the switch of the console's code page.
  const std::string chinese = "D:\\\xe6\x96\x87\xe4\xbb\xb6\\100%";  // 文件
  fake::FakePlatform fresh;
  fresh.fs.AddDrive("D:");
  fresh.fs.AddFile(chinese + "\\vltsetup.exe");
  EXPECT_TRUE(WriteSelfRemovalScript(fresh.fs, fresh.shell, chinese + "\\vltsetup.exe", true).Ok());
  const std::string escaped = "D:\\\xe6\x96\x87\xe4\xbb\xb6\\100%%";
  EXPECT_EQ(fresh.fs.ReadFile("C:\\Windows\\Temp\\vltsetup-00000001.bat"),
            "\"C:\\Windows\\system32\\chcp.com\" 65001 >nul\r\n" +
                Script(escaped + "\\vltsetup.exe", escaped, "C:\\Windows\\Temp\\vltsetup-00000001.bat"));
}

TEST_F(SelfRemovalTest, ScriptFolderIsTheSystemsTemporaryFolderElseAsBefore) {
  struct Case {
    std::string windows;
    std::string templates;
    std::string profile;
    std::string script;
    std::string workingDir;
  } const cases[] = {
      {"C:\\WINDOWS", "C:\\Users\\Anna\\Templates", "C:\\Users\\Anna",
       "C:\\WINDOWS\\Temp\\vltsetup-00000001.bat", "C:\\WINDOWS\\Temp"},
      // A Windows folder without its temporary folder, or none known.
      {"C:\\NoTemp", "C:\\WINDOWS\\ShellNew", "", "C:\\WINDOWS\\vltsetup-00000001.bat", "C:\\WINDOWS"},
      {"", "C:\\Users\\Anna\\Templates\\", "", "C:\\Users\\Anna\\vltsetup-00000001.bat", "C:\\Users\\Anna"},
      {"", "C:\\Templates", "", "C:\\vltsetup-00000001.bat", "C:\\"},
      // Templates unknown: the profile folder, not the root of the current drive.
      {"", "", "C:\\Users\\Bert", "C:\\Users\\Bert\\vltsetup-00000001.bat", "C:\\Users\\Bert"},
  };
  for (const Case& c : cases) {
    fake::FakePlatform fresh;
    fresh.shell.folders[kWindowsCsidl] = c.windows;
    if (c.windows == "C:\\WINDOWS") fresh.fs.AddDir("C:\\WINDOWS\\Temp");
    fresh.shell.folders[kTemplatesCsidl] = c.templates;
    fresh.shell.folders[kProfileCsidl] = c.profile;
    if (!c.profile.empty()) fresh.fs.AddDir(c.profile);
    if (!c.templates.empty()) fresh.fs.AddDir(c.templates);
    fresh.fs.AddFile("C:\\VelTori\\vltsetup.exe");
    const Result<ShellExecuteRequest> written =
        WriteSelfRemovalScript(fresh.fs, fresh.shell, "C:\\VelTori\\vltsetup.exe", true);
    ASSERT_TRUE(written.Ok()) << c.script << ": " << written.Error().subject;
    const ShellExecuteRequest& started = written.Value();
    EXPECT_TRUE(fresh.fs.IsFile(c.script)) << c.script;
    EXPECT_EQ(started.parameters, "/d /c \"\"" + c.script + "\"\"");
    EXPECT_EQ(started.directory, c.workingDir) << c.script;
  }
}

TEST_F(SelfRemovalTest, AScriptThatCannotBeMadeAnewFailsAndLeavesNothingToStart) {
  const struct {
    const char* what;
    std::function<void(fake::FakePlatform&)> setUp;
    std::uint32_t code;  // the system error the failure carries
  } cases[] = {
      {"no folder known", [](fake::FakePlatform& f) { f.shell.folders.clear(); }, 3},
      {"system folder unknown", [](fake::FakePlatform& f) { f.shell.folders.erase(0x0025); }, 3},
      {"folder not writable",
       [](fake::FakePlatform& f) { f.fs.DenyCreate("C:\\Windows\\Temp"); }, 3},
      // Someone else's files are never reused, however many names they took.
      {"every name tried taken",
       [](fake::FakePlatform& f) {
         for (int n = 1; n <= kSelfRemovalScriptNameTries; ++n) {
           f.fs.AddFile(kTemp + SelfRemovalScriptName(n), "echo planted");
         }
       },
       80},
      // No short name (8.3 names switched off) and no UTF-8 switch either:
      // naming the path wrongly could erase something else.
      {"no readable form",
       [](fake::FakePlatform& f) {
         f.shell.folders[0x0025] = "C:\\\xe6\x96\x87";
         f.fs.AddDir("C:\\\xe6\x96\x87");
       },
       1113}};
  for (const auto& c : cases) {
    fake::FakePlatform fresh;
    c.setUp(fresh);
    fresh.fs.AddFile("C:\\VelTori\\vltsetup.exe");
    const Result<ShellExecuteRequest> written =
        WriteSelfRemovalScript(fresh.fs, fresh.shell, "C:\\VelTori\\vltsetup.exe", true);
    ASSERT_FALSE(written.Ok()) << c.what;
    EXPECT_EQ(written.Error().code, c.code) << c.what << ": " << written.Error().subject;
    const std::optional<std::string> left = fresh.fs.ReadFile(kTemp + std::string(kScriptName));
    EXPECT_TRUE(!left || *left == "echo planted") << c.what;
  }
}

}  // namespace
}  // namespace vlt
