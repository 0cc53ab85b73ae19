#include "driver/TextMatch.h"

#include <gtest/gtest.h>

namespace vltdrive {
namespace {

TEST(StripAccelerators, DropsMarkersAndKeepsDoubledAmpersands) {
  struct Case {
    const char* caption;
    const char* drawn;
  } const cases[] = {
      {"&Weiter >>", "Weiter >>"},
      {"A&bbrechen", "Abbrechen"},
      {"Save && exit", "Save & exit"},
      {"&&&Yes", "&Yes"},
      {"trailing&", "trailing"},
      {"", ""},
      {"Einträge im Startmenü", "Einträge im Startmenü"},
  };
  for (const Case& c : cases) EXPECT_EQ(StripAccelerators(c.caption), c.drawn) << c.caption;
}

TEST(CaptionMatches, AcceptsStoredOrDrawnFormButNotOtherTexts) {
  struct Case {
    const char* actual;
    const char* wanted;
    bool matches;
  } const cases[] = {
      {"&Weiter >>", "&Weiter >>", true},
      {"&Weiter >>", "Weiter >>", true},
      {"Weiter >>", "&Weiter >>", true},
      {"&Next >>", "Next>>", false},
      {"&Ja", "&Nein", false},
      {"&Yes", "yes", false},  // case counts: captions are texts of the program
      {"Deutsch", "Deutsch ", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CaptionMatches(c.actual, c.wanted), c.matches) << c.actual << " vs " << c.wanted;
  }
}

TEST(MessageTextMatches, IgnoresOnlyTheLineBreakStyle) {
  EXPECT_TRUE(MessageTextMatches("Fehler.\rBitte", "Fehler.\nBitte"));
  EXPECT_TRUE(MessageTextMatches("Fehler.\r\nBitte", "Fehler.\rBitte"));
  EXPECT_FALSE(MessageTextMatches("Fehler.\r\rBitte", "Fehler.\nBitte"));
  EXPECT_FALSE(MessageTextMatches("Fehler. Bitte", "Fehler.\nBitte"));
  EXPECT_FALSE(MessageTextMatches("Do you really want exit Setup? ", "Do you really want exit Setup?"));
}

TEST(Quoted, ShowsInvisibleCharactersAndKeepsPathsReadable) {
  EXPECT_EQ(Quoted("a\r\nb\t\"c\""), "\"a\\r\\nb\\t\\\"c\\\"\"");
  EXPECT_EQ(Quoted("C:\\Programme\\VelTori"), "\"C:\\Programme\\VelTori\"");
}

TEST(EqualsNoCase, FoldsAsciiLettersOnly) {
  EXPECT_TRUE(EqualsNoCase("VELTORI.EXE", "veltori.exe"));
  EXPECT_TRUE(EqualsNoCase("#32770", "#32770"));
  EXPECT_FALSE(EqualsNoCase("veltori.exe", "veltori.ex"));
  EXPECT_FALSE(EqualsNoCase("\xC3\x84", "\xC3\xA4"));  // Ä and ä stay different
}

}  // namespace
}  // namespace vltdrive
