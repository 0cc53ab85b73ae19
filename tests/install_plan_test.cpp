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
  *os << kKinds[s.index()];
  if (const auto* shortcut = std::get_if<step::CreateShortcut>(&s)) {
    *os << "(" << shortcut->shortcut.linkFile << ")";
  }
}

namespace {

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

template <class Step>
std::size_t Count(const InstallPlan& plan) {
  return std::count_if(plan.begin(), plan.end(),
                       [](const InstallStep& s) { return std::holds_alternative<Step>(s); });
}

template <class Step>
const Step* FirstOf(const InstallPlan& plan) {
  for (const InstallStep& s : plan) {
    if (const Step* found = std::get_if<Step>(&s)) return found;
  }
  return nullptr;
}

TEST(BuildInstallPlan, EveryOptionOnGivesTheWholeRunInItsOrder) {
  const InstallChoices choices{.typedDir = kDir, .english = true, .autoStart = true,
                               .desktopShortcut = true, .startMenuGroup = true};
  const step::Progress progress;
  const ShortcutPlan links = Shortcuts();
  const auto& group = links.startMenu->shortcuts;

  const InstallPlan expected = {
      progress,                                                          // 10
      step::CreateDirectory{kDir},
      step::ConfirmDirectory{kDir},
      progress,                                                          // 20
      step::WriteLanguage{kDir + "\\config.vlt", "English"},
      progress, step::ExtractEntry{0, kDir + "\\veltori.exe"},           // 30
      progress, step::ExtractEntry{1, kDir + "\\veltori.hlp"},           // 40
      progress, step::ExtractEntry{2, kDir + "\\veltori.cnt"},           // 50
      progress,                                                          // 60
      step::CopyUninstaller{kSetup, kDir + "\\vltsetup.exe"},
      step::WriteRegistryEntries{true},
      progress,                                                          // 70, full
      step::CreateFolder{kGroup},
      step::CreateShortcut{group[0]}, step::CreateShortcut{group[1]},
      step::CreateShortcut{group[2]}, step::CreateShortcut{group[3]},
      progress,                                                          // past the end
      step::CreateShortcut{*links.desktop},
      step::ReportRegistryFailure{},
      step::ShowFinishPage{kDir + "\\veltori.exe"},
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
    EXPECT_EQ(Count<step::Progress>(plan), 8u);
    const auto lastProgress =
        std::find_if(plan.rbegin(), plan.rend(),
                     [](const InstallStep& s) { return std::holds_alternative<step::Progress>(s); })
            .base() - 1;
    const auto isShortcut = [](const InstallStep& s) {
      return std::holds_alternative<step::CreateShortcut>(s);
    };
    EXPECT_EQ(std::count_if(plan.begin(), lastProgress, isShortcut), choices.startMenuGroup ? 4 : 0);
    EXPECT_EQ(std::count_if(lastProgress, plan.end(), isShortcut), choices.desktopShortcut ? 1 : 0);
    EXPECT_EQ(Count<step::CreateFolder>(plan), choices.startMenuGroup ? 1u : 0u);

    EXPECT_EQ(FirstOf<step::WriteLanguage>(plan)->language, choices.english ? "English" : "Deutsch");
    EXPECT_EQ(FirstOf<step::WriteRegistryEntries>(plan)->autoStart, choices.autoStart);
    // One backslash between the directory and every file; the directory is
    // made without the trailing one and confirmed as typed.
    EXPECT_EQ(FirstOf<step::CreateDirectory>(plan)->path, kDir);
    EXPECT_EQ(FirstOf<step::ConfirmDirectory>(plan)->typed, kDir + "\\");
    EXPECT_EQ(FirstOf<step::ExtractEntry>(plan)->target, kDir + "\\veltori.exe");
    EXPECT_TRUE(std::holds_alternative<step::ShowFinishPage>(plan.back()));
    EXPECT_TRUE(std::holds_alternative<step::ReportRegistryFailure>(plan[plan.size() - 2]));
  }
}

TEST(BuildInstallPlan, AnEntryThatCannotBeAFolderIsNeverMadeAndEndsTheRun) {
  for (const char* typed : {"", "foo", "D:\\", "C:\\Tools\\VelTori "}) {
    const InstallPlan plan = BuildInstallPlan({.typedDir = typed}, kSetup, Shortcuts());
    ASSERT_GE(plan.size(), 2u) << typed;
    EXPECT_TRUE(std::holds_alternative<step::Progress>(plan[0])) << typed;
    EXPECT_EQ(plan[1], InstallStep(step::ConfirmDirectory{typed})) << typed;
  }
}

TEST(BuildInstallPlan, ShellFoldersThatCannotBeFoundDropTheirShortcuts) {
  const InstallChoices choices{.typedDir = kDir, .desktopShortcut = true, .startMenuGroup = true};
  const InstallPlan plan = BuildInstallPlan(choices, kSetup, ShortcutPlan{});
  EXPECT_EQ(Count<step::CreateFolder>(plan) + Count<step::CreateShortcut>(plan), 0u);
  EXPECT_EQ(Count<step::Progress>(plan), 8u);
}

}  // namespace
}  // namespace vlt
