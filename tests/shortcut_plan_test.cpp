#include <gtest/gtest.h>

#include "install/FinishStarts.h"
#include "install/ShortcutPlan.h"

namespace vlt {

void PrintTo(const Shortcut& s, std::ostream* os) {
  *os << "{" << s.linkFile << " -> " << s.target << " [" << s.arguments << "]}";
}

namespace {

const std::string kPrograms = "C:\\Users\\Anna\\Start Menu\\Programs";
const std::string kDesktop = "C:\\Users\\Anna\\Desktop";
const std::string kGroup = kPrograms + "\\VelTori Advanced\\";
const std::string kWeb = "http://www.veltori.example";

MessageTexts LinkNames(const char* run, const char* uninstall, const char* help) {
  MessageTexts texts;
  texts.LinkNameRun = run;
  texts.LinkNameUninstall = uninstall;
  texts.LinkNameHelp = help;
  return texts;
}

TEST(PlanShortcuts, GroupAndDesktopInBothLanguagesWithOneBackslashPerJoin) {
  struct Case {
    MessageTexts texts;
    const char* run;
    const char* uninstall;
    const char* help;
  } const cases[] = {
      {LinkNames("Veltori Advanced ausf\xc3\xbchren", "Veltori Advanced deinstallieren",
                 "Veltori Advanced Hilfe"),
       "Veltori Advanced ausf\xc3\xbchren.lnk", "Veltori Advanced deinstallieren.lnk",
       "Veltori Advanced Hilfe.lnk"},
      {LinkNames("start Veltori Advanced", "uninstall Veltori Advanced", "Veltori Advanced help"),
       "start Veltori Advanced.lnk", "uninstall Veltori Advanced.lnk", "Veltori Advanced help.lnk"},
  };
  for (const Case& c : cases) {
    for (const std::string dir : {"D:\\VelTori Advanced", "D:\\VelTori Advanced\\"}) {
      SCOPED_TRACE(dir + " " + c.run);
      const ShortcutPlan plan = PlanShortcuts(dir, c.texts, kWeb, kPrograms, kDesktop);

      ASSERT_TRUE(plan.startMenu.has_value());
      EXPECT_EQ(plan.startMenu->folder, kGroup);
      EXPECT_EQ(plan.startMenu->shortcuts,
                (std::vector<Shortcut>{
                    {kGroup + c.run, "D:\\VelTori Advanced\\veltori.exe", ""},
                    {kGroup + c.uninstall, "D:\\VelTori Advanced\\vltsetup.exe", "-remove"},
                    {kGroup + c.help, "D:\\VelTori Advanced\\veltori.hlp", ""},
                    {kGroup + "Veltori Advanced Homepage.lnk", kWeb, ""},
                }));
      EXPECT_EQ(plan.desktop, (Shortcut{kDesktop + "\\Veltori Advanced.lnk",
                                        "D:\\VelTori Advanced\\veltori.exe", ""}));
    }
  }
}

// A path built on an unknown folder would land in the root of the current
// drive; such shortcuts are left out instead.
TEST(PlanShortcuts, UnresolvedFoldersGiveNoShortcutsThere) {
  const MessageTexts texts = LinkNames("r", "u", "h");
  const ShortcutPlan noPrograms = PlanShortcuts("D:\\V", texts, kWeb, "", kDesktop);
  EXPECT_FALSE(noPrograms.startMenu.has_value());
  EXPECT_TRUE(noPrograms.desktop.has_value());

  const ShortcutPlan noDesktop = PlanShortcuts("D:\\V", texts, kWeb, kPrograms, "");
  EXPECT_TRUE(noDesktop.startMenu.has_value());
  EXPECT_FALSE(noDesktop.desktop.has_value());
}

TEST(FinishStarts, ProductStartsFromTheDirectoryAsTypedWebSiteOpensBare) {
  for (const std::string dir : {"C:\\Programme\\VelTori Advanced", "C:\\Programme\\VelTori Advanced\\"}) {
    const ShellExecuteRequest product = ProductStartRequest(dir);
    EXPECT_EQ(product.verb, "open");
    EXPECT_EQ(product.file, "C:\\Programme\\VelTori Advanced\\veltori.exe");
    EXPECT_EQ(product.parameters, std::optional<std::string>(""));
    EXPECT_EQ(product.directory, dir);
    EXPECT_EQ(product.showCommand, 1);
  }

  const ShellExecuteRequest web = WebSiteRequest(kWeb);
  EXPECT_EQ(web.verb, "open");
  EXPECT_EQ(web.file, kWeb);
  EXPECT_EQ(web.parameters, std::nullopt);
  EXPECT_EQ(web.directory, std::nullopt);
  EXPECT_EQ(web.showCommand, 5);
}

}  // namespace
}  // namespace vlt
