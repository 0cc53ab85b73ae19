// The install as data: which steps run, in which order, and how each one's
// failure is handled, for every combination of the settings page's options.
#include <gtest/gtest.h>

#include <algorithm>

#include "install/InstallPlan.h"

namespace vlt {

void PrintTo(const InstallStep& s, std::ostream* os) {
  static const char* const kKinds[] = {
      "Progress",        "CreateDirectory",      "ConfirmDirectory", "WriteLanguage",
      "ExtractEntry",    "CopyUninstaller",      "WriteRegistryEntries", "CreateFolder",
      "CreateShortcut",  "ReportRegistryFailure", "ShowFinishPage"};
  static const char* const kPolicies[] = {"ignored", "warns", "registry warning", "escapes",
                                          "ends run"};
  *os << kKinds[static_cast<int>(s.kind)] << "/" << kPolicies[static_cast<int>(s.onFailure)]
      << "(" << s.path << (s.value.empty() ? "" : ", " + s.value)
      << (s.shortcut.linkFile.empty() ? "" : ", " + s.shortcut.linkFile) << ")";
}

namespace {

using Kind = InstallStep::Kind;
using OnFailure = InstallStep::OnFailure;

const std::string kDir = "C:\\Programme\\VelTori Advanced";
const std::string kSetup = "C:\\Downloads\\VelToriSetup.exe";
const std::string kGroup = "C:\\Users\\Anna\\Programs\\VelTori Advanced\\";

ShortcutPlan Shortcuts() {
  ShortcutPlan plan;
  plan.startMenu = StartMenuGroup{
      kGroup,
      {{kGroup + "run.lnk", kDir + "\\veltori.exe", ""},
       {kGroup + "uninstall.lnk", kDir + "\\vltsetup.exe", "-remove"},
       {kGroup + "help.lnk", kDir + "\\veltori.hlp", ""},
       {kGroup + "Veltori Advanced Homepage.lnk", "http://www.veltori.example", ""}}};
  plan.desktop = Shortcut{"C:\\Users\\Anna\\Desktop\\Veltori Advanced.lnk", kDir + "\\veltori.exe", ""};
  return plan;
}

InstallStep Step(Kind kind, OnFailure onFailure, std::string path = "", std::string value = "") {
  return {.kind = kind, .onFailure = onFailure, .path = std::move(path), .value = std::move(value)};
}

TEST(BuildInstallPlan, EveryOptionOnGivesTheWholeRunInItsOrder) {
  const InstallChoices choices{.typedDir = kDir, .english = true, .autoStart = true,
                               .desktopShortcut = true, .startMenuGroup = true};
  const InstallStep progress = Step(Kind::Progress, OnFailure::Ignored);
  auto extract = [](int entry, const char* name) {
    InstallStep s = Step(Kind::ExtractEntry, OnFailure::Warns, kDir + "\\" + name);
    s.entry = entry;
    s.message = &MessageTexts::MsgExtractError;
    return s;
  };
  auto shortcut = [](const Shortcut& link) {
    InstallStep s = Step(Kind::CreateShortcut, OnFailure::Escapes);
    s.shortcut = link;
    return s;
  };
  InstallStep confirm = Step(Kind::ConfirmDirectory, OnFailure::EndsRun, kDir);
  confirm.message = &MessageTexts::MsgCreateDirError;
  InstallStep registry = Step(Kind::WriteRegistryEntries, OnFailure::RegistryWarning);
  registry.autoStart = true;
  InstallStep report = Step(Kind::ReportRegistryFailure, OnFailure::Escapes);
  report.message = &MessageTexts::MsgRegistryError;
  InstallStep copy = Step(Kind::CopyUninstaller, OnFailure::Warns, kDir + "\\vltsetup.exe", kSetup);
  copy.message = &MessageTexts::MsgCopyUninstallerError;
  const ShortcutPlan links = Shortcuts();

  const InstallPlan expected = {
      progress,                                                          // 10
      Step(Kind::CreateDirectory, OnFailure::Ignored, kDir),
      confirm,
      progress,                                                          // 20
      Step(Kind::WriteLanguage, OnFailure::Escapes, kDir + "\\config.vlt", "English"),
      progress, extract(0, "veltori.exe"),                               // 30
      progress, extract(1, "veltori.hlp"),                               // 40
      progress, extract(2, "veltori.cnt"),                               // 50
      progress,                                                          // 60
      copy,
      registry,
      progress,                                                          // 70, full
      Step(Kind::CreateFolder, OnFailure::Ignored, kGroup),
      shortcut(links.startMenu->shortcuts[0]), shortcut(links.startMenu->shortcuts[1]),
      shortcut(links.startMenu->shortcuts[2]), shortcut(links.startMenu->shortcuts[3]),
      progress,                                                          // past the end
      shortcut(*links.desktop),
      report,
      Step(Kind::ShowFinishPage, OnFailure::Escapes, kDir + "\\veltori.exe"),
  };
  EXPECT_EQ(BuildInstallPlan(choices, kSetup, links), expected);
}

TEST(BuildInstallPlan, TheOptionsChangeOnlyTheirOwnSteps) {
  for (int bits = 0; bits < 16; ++bits) {
    const InstallChoices choices{.typedDir = kDir + "\\",  // a trailing backslash as typed
                                 .english = (bits & 1) != 0,
                                 .autoStart = (bits & 2) != 0,
                                 .desktopShortcut = (bits & 4) != 0,
                                 .startMenuGroup = (bits & 8) != 0};
    SCOPED_TRACE(bits);
    const InstallPlan plan = BuildInstallPlan(choices, kSetup, Shortcuts());

    // Eight progress steps in every successful run; the eighth stands between
    // the start-menu group and the desktop shortcut.
    EXPECT_EQ(std::count_if(plan.begin(), plan.end(),
                            [](const InstallStep& s) { return s.kind == Kind::Progress; }),
              8);
    auto firstOf = [&](Kind kind) {
      return std::find_if(plan.begin(), plan.end(),
                          [&](const InstallStep& s) { return s.kind == kind; });
    };
    const auto lastProgress =
        std::find_if(plan.rbegin(), plan.rend(),
                     [](const InstallStep& s) { return s.kind == Kind::Progress; }).base() - 1;
    const auto shortcutsBefore = std::count_if(plan.begin(), lastProgress, [](const InstallStep& s) {
      return s.kind == Kind::CreateShortcut;
    });
    const auto shortcutsAfter = std::count_if(lastProgress, plan.end(), [](const InstallStep& s) {
      return s.kind == Kind::CreateShortcut;
    });
    EXPECT_EQ(shortcutsBefore, choices.startMenuGroup ? 4 : 0);
    EXPECT_EQ(shortcutsAfter, choices.desktopShortcut ? 1 : 0);
    EXPECT_EQ(firstOf(Kind::CreateFolder) != plan.end(), choices.startMenuGroup);

    EXPECT_EQ(firstOf(Kind::WriteLanguage)->value, choices.english ? "English" : "Deutsch");
    EXPECT_EQ(firstOf(Kind::WriteRegistryEntries)->autoStart, choices.autoStart);
    // One backslash between the directory and every file; the directory is
    // made without the trailing one and confirmed as typed.
    EXPECT_EQ(firstOf(Kind::CreateDirectory)->path, kDir);
    EXPECT_EQ(firstOf(Kind::ConfirmDirectory)->path, kDir + "\\");
    EXPECT_EQ(firstOf(Kind::ExtractEntry)->path, kDir + "\\veltori.exe");

    // Every step keeps its policy whatever the options.
    for (const InstallStep& s : plan) {
      const OnFailure expected = [&] {
        switch (s.kind) {
          case Kind::Progress: case Kind::CreateDirectory:
          case Kind::CreateFolder: return OnFailure::Ignored;
          case Kind::ConfirmDirectory: return OnFailure::EndsRun;
          case Kind::ExtractEntry: case Kind::CopyUninstaller: return OnFailure::Warns;
          case Kind::WriteRegistryEntries: return OnFailure::RegistryWarning;
          default: return OnFailure::Escapes;
        }
      }();
      EXPECT_EQ(s.onFailure, expected) << ::testing::PrintToString(s);
    }
    EXPECT_EQ(plan.back().kind, Kind::ShowFinishPage);
    EXPECT_EQ(plan[plan.size() - 2].kind, Kind::ReportRegistryFailure);
  }
}

TEST(BuildInstallPlan, AnEntryThatCannotBeAFolderIsNeverMadeAndEndsTheRun) {
  for (const char* typed : {"", "foo", "D:\\", "C:\\Tools\\VelTori "}) {
    const InstallPlan plan = BuildInstallPlan({.typedDir = typed}, kSetup, Shortcuts());
    ASSERT_GE(plan.size(), 2u) << typed;
    EXPECT_EQ(plan[0].kind, Kind::Progress) << typed;
    EXPECT_EQ(plan[1].kind, Kind::ConfirmDirectory) << typed;
    EXPECT_EQ(plan[1].onFailure, OnFailure::EndsRun) << typed;
  }
}

TEST(BuildInstallPlan, ShellFoldersThatCannotBeFoundDropTheirShortcuts) {
  const InstallChoices choices{.typedDir = kDir, .desktopShortcut = true, .startMenuGroup = true};
  const InstallPlan plan = BuildInstallPlan(choices, kSetup, ShortcutPlan{});
  EXPECT_TRUE(std::none_of(plan.begin(), plan.end(), [](const InstallStep& s) {
    return s.kind == Kind::CreateFolder || s.kind == Kind::CreateShortcut;
  }));
  EXPECT_EQ(std::count_if(plan.begin(), plan.end(),
                          [](const InstallStep& s) { return s.kind == Kind::Progress; }),
            8);
}

}  // namespace
}  // namespace vlt
