#include <gtest/gtest.h>

#include "fakes/FakePlatform.h"
#include "install/TForm1.h"
#include "install/TForm2.h"
#include "install/TForm3.h"
#include "lang/TForm_Sprache.h"
#include "program/Program.h"
#include "startup/ProcessKiller.h"
#include "startup/Startup.h"
#include "uninstall/TForm4.h"

namespace vlt {
namespace {

using fake::FakePlatform;

constexpr const char* kInstalledExe = "C:\\Programme\\VelTori Advanced\\vltsetup.exe";
constexpr const char* kConfig = "C:\\Programme\\VelTori Advanced\\config.vlt";

TEST(ExeNameMatches, FileNameOrWholeFieldWithAsciiCaseFolding) {
  struct Case {
    const char* field;
    bool matches;
  } const cases[] = {
      {"veltori.exe", true},
      {"VELTORI.EXE", true},
      {"C:\\Tools\\VelTori.Exe", true},
      {"D:veltori.exe", true},
      {"\\\\server\\share\\veltori.exe", true},
      {"veltori.exe.bak", false},
      {"myveltori.exe", false},
      {"C:\\veltori.exe\\other.exe", false},
      {"veltori", false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(ExeNameMatches(c.field, "veltori.exe"), c.matches) << c.field;
  // Only a to z are folded: accented capitals stay different.
  EXPECT_TRUE(ExeNameMatches("\xc3\xa4pp.exe", "\xc3\xa4PP.EXE"));
  EXPECT_FALSE(ExeNameMatches("\xc3\xa4pp.exe", "\xc3\x84PP.EXE"));
}

TEST(KillProcessesByExeName, EndsEveryMatchAndReportsTheLastAttempt) {
  FakePlatform p;
  p.processes.running = {{10, "C:\\Programme\\VelTori Advanced\\veltori.exe"},
                         {11, "explorer.exe"},
                         {12, "D:\\Kopie\\VELTORI.EXE"},
                         {13, "veltori.exe.old"}};
  EXPECT_TRUE(KillProcessesByExeName(p.processes, "veltori.exe"));
  EXPECT_EQ(p.processes.terminated, (std::vector<std::uint32_t>{10, 12}));

  // A process that cannot be ended does not stop the walk; the result is the
  // outcome of the last attempt.
  FakePlatform q;
  q.processes.running = {{1, "veltori.exe"}, {2, "veltori.exe"}};
  q.processes.unkillable = {2};
  EXPECT_FALSE(KillProcessesByExeName(q.processes, "veltori.exe"));
  EXPECT_EQ(q.processes.terminated, (std::vector<std::uint32_t>{1}));

  FakePlatform none;
  EXPECT_FALSE(KillProcessesByExeName(none.processes, "veltori.exe"));
}

TEST(ReadStoredLanguage, ReadsTheConfigurationBesideTheProgram) {
  struct Case {
    const char* content;  // nullptr: no file
    const char* expected;
  } const cases[] = {
      {nullptr, "ERROR"},
      {"[Sprache]\r\nSprache=English\r\n", "English"},
      {"[Allgemein]\r\nAutostart=ja\r\n[Sprache]\r\nSprache=Deutsch\r\n", "Deutsch"},
      {"[Sprache]\r\nSprache=deutsch\r\n", "deutsch"},
      {"[Sprache]\r\nSprache=\r\n", ""},
      {"[Allgemein]\r\nAutostart=nein\r\n", "ERROR"},
  };
  for (const Case& c : cases) {
    FakePlatform p;
    if (c.content != nullptr) p.fs.AddFile(kConfig, c.content);
    EXPECT_EQ(ReadStoredLanguage(p.profile, kInstalledExe), c.expected)
        << (c.content ? c.content : "(no file)");
  }
}

struct RunResult {
  std::vector<std::string_view> created;  // class names, in creation order
  std::string_view mainPage;
  bool mainShown = false;
};

// Runs the whole start-up on fakes and reports which pages exist.
RunResult StartUp(FakePlatform& p) {
  Program program(p.services);
  StartProgram(program);
  RunResult result;
  for (Form* page : std::initializer_list<Form*>{program.Form_Sprache, program.Form4,
                                                 program.Form1, program.Form2,
                                                 program.Form3}) {
    if (page != nullptr) result.created.push_back(page->ClassName());
  }
  result.mainPage = program.MainForm()->ClassName();
  p.app.Run(*program.MainForm());
  result.mainShown = program.MainForm()->Visible();
  return result;
}

TEST(CreatePages, OrderAndMainPageFollowModeAndStoredLanguage) {
  using V = std::vector<std::string_view>;
  {
    FakePlatform p;  // setup mode
    const RunResult r = StartUp(p);
    EXPECT_EQ(r.created, (V{"TForm_Sprache", "TForm1", "TForm2", "TForm3"}));
    EXPECT_EQ(r.mainPage, "TForm_Sprache");
    EXPECT_TRUE(r.mainShown);
  }
  {
    FakePlatform p;  // uninstall mode, nothing stored
    p.app.exeName = kInstalledExe;
    p.app.arguments = {"-remove"};
    const RunResult r = StartUp(p);
    EXPECT_EQ(r.created, (V{"TForm_Sprache", "TForm4", "TForm1", "TForm2", "TForm3"}));
    EXPECT_EQ(r.mainPage, "TForm_Sprache");
  }
  for (const char* stored : {"deutsch", "", "Englisch"}) {
    FakePlatform p;  // a value that names no language is asked again
    p.app.exeName = kInstalledExe;
    p.app.arguments = {"-remove"};
    p.fs.AddFile(kConfig, std::string("[Sprache]\r\nSprache=") + stored + "\r\n");
    EXPECT_EQ(StartUp(p).mainPage, "TForm_Sprache") << stored;
  }
  for (const char* stored : {"English", "Deutsch"}) {
    FakePlatform p;  // uninstall mode with a language stored
    p.app.exeName = kInstalledExe;
    p.app.arguments = {"-remove", "extra"};
    p.fs.AddFile(kConfig, std::string("[Sprache]\r\nSprache=") + stored + "\r\n");
    const RunResult r = StartUp(p);
    EXPECT_EQ(r.created, (V{"TForm4", "TForm1", "TForm2", "TForm3"})) << stored;
    EXPECT_EQ(r.mainPage, "TForm4") << stored;
  }
  {
    FakePlatform p;  // "-remove" in a later position is setup mode
    p.app.arguments = {"/x", "-remove"};
    EXPECT_EQ(StartUp(p).mainPage, "TForm_Sprache");
  }
}

TEST(RunProgram, EndsTheProductBeforeThePagesAndRunsTheLoop) {
  for (const bool uninstall : {false, true}) {
    SCOPED_TRACE(uninstall);
    FakePlatform p;
    if (uninstall) p.app.arguments = {"-remove"};
    p.processes.running = {{42, "C:\\x\\veltori.exe"}, {43, "C:\\y\\VELTORI.EXE"}};
    Program program(p.services);
    std::vector<bool> pagesAtEachEnd;
    p.processes.onTerminate = [&](std::uint32_t) {
      pagesAtEachEnd.push_back(program.MainForm() != nullptr || program.Form2 != nullptr);
    };
    RunProgram(program);
    EXPECT_EQ(p.app.title, "VelTori Advanced Setup");
    EXPECT_EQ(p.processes.terminated, (std::vector<std::uint32_t>{42, 43}));
    EXPECT_EQ(pagesAtEachEnd, (std::vector<bool>{false, false}));  // the order, not only both
    ASSERT_NE(program.MainForm(), nullptr);
    EXPECT_EQ(p.app.runCount, 1);
  }
}

TEST(Form, ClosingAPageAsksFirstAndOnlyTheMainPageEndsTheProgram) {
  FakePlatform p;
  Program program(p.services);
  CreatePages(program);
  program.Form1->Show();
  p.dialog.answers = {MsgButton::No};
  EXPECT_FALSE(program.Form1->UserClose());
  EXPECT_TRUE(program.Form1->Visible());
  EXPECT_FALSE(p.app.terminated);
  p.dialog.answers = {MsgButton::Yes};
  EXPECT_TRUE(program.Form1->UserClose());
  EXPECT_FALSE(program.Form1->Visible());
  EXPECT_TRUE(p.app.terminated);
}

TEST(Form, AFailureAHandlerReturnsBecomesTheDefaultErrorReport) {
  FakePlatform p;
  Program program(p.services);
  p.app.SetTitle(kApplicationTitle);
  CreatePages(program);
  Form& page = *program.MainForm();
  // The words are made here, from what was attempted on which path and the
  // system's text for the code.
  const std::pair<Failure, std::string> reports[] = {
      {{Attempt::WriteProfile, "C:\\x\\config.vlt", 5}, "Unable to write to C:\\x\\config.vlt."},
      {Fault("Disk full."), "Disk full."},
      {{Attempt::CreateShellLink, "C:\\x.lnk", 0x80040154u}, "Class not registered."},
      {{Attempt::WriteSelfRemovalScript, "C:\\T\\vltsetup-1.bat", 5},
       "The self-removal script \"C:\\T\\vltsetup-1.bat\" could not be written: Access is denied."},
  };
  static const std::pair<Failure, std::string>* current = nullptr;
  for (const auto& report : reports) {
    current = &report;
    page.Dispatch([] { return Status(current->first); });
  }
  page.Dispatch([] { return Status(); });  // success shows nothing
  ASSERT_EQ(p.dialog.shown.size(), std::size(reports));
  EXPECT_EQ(p.dialog.shown[0].title, "VelTori Advanced Setup");
  EXPECT_EQ(p.dialog.shown[0].kind, MsgKind::Error);
  ASSERT_EQ(p.dialog.shown[0].buttons.size(), 1u);
  EXPECT_EQ(p.dialog.shown[0].buttons[0].second, "OK");
  for (std::size_t i = 0; i < std::size(reports); ++i) {
    EXPECT_EQ(p.dialog.shown[i].text, reports[i].second);
  }
}

}  // namespace
}  // namespace vlt
