#include <gtest/gtest.h>

#include "platform/portable/Utf16.h"

namespace vlt::win32 {
namespace {

TEST(Utf16, WellFormedTextRoundTrips) {
  struct Case {
    const char* utf8;
    std::wstring wide;
  } const cases[] = {
      {"", L""},
      {"C:\\Programme\\VelTori Advanced", L"C:\\Programme\\VelTori Advanced"},
      {"Gr\xc3\xbc\xc3\x9f" "e", {L'G', L'r', 0x00FC, 0x00DF, L'e'}},  // two-byte forms
      {"\xe2\x82\xac 5", {0x20AC, L' ', L'5'}},                          // euro sign
      {"\xef\xbf\xbd", {0xFFFD}},
      {"\xf0\x9f\x98\x80", {0xD83D, 0xDE00}},                            // beyond the BMP
      {"\xf4\x8f\xbf\xbf", {0xDBFF, 0xDFFF}},                            // U+10FFFF
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf8ToWide(c.utf8), c.wide) << c.utf8;
    EXPECT_EQ(WideToUtf8(c.wide), c.utf8) << c.utf8;
  }
  // Embedded NULs are kept when the length says so.
  EXPECT_EQ(Utf8ToWide(std::string_view("a\0b", 3)), std::wstring(L"a\0b", 3));
  EXPECT_EQ(WideToUtf8(std::wstring_view(L"a\0b", 3)), std::string("a\0b", 3));
}

TEST(Utf16, LoneSurrogatesSurviveTheRoundTrip) {
  // A file name may hold them; it must reach the system again unchanged.
  const std::wstring names[] = {
      {L'x', 0xD800, L'y'},
      {0xDC00},
      {0xDBFF, 0xDBFF, 0xDC01},  // a lone high one, then a valid pair
      {0xDFFF, 0xD800},          // low before high is no pair
  };
  for (const std::wstring& name : names) {
    const std::string utf8 = WideToUtf8(name);
    EXPECT_EQ(Utf8ToWide(utf8), name);
  }
  EXPECT_EQ(WideToUtf8(std::wstring{0xD800}), "\xed\xa0\x80");
}

TEST(Utf16, EachIllFormedPartBecomesOneReplacement) {
  constexpr wchar_t R = 0xFFFD;
  struct Case {
    std::string_view utf8;
    std::wstring wide;
  } const cases[] = {
      {"\x80", {R}},                                  // stray continuation byte
      {"a\xbf\xbf" "b", {L'a', R, R, L'b'}},
      {"\xc3", {R}},                                  // truncated at the end
      {"\xc3" "A", {R, L'A'}},                        // truncated before ASCII
      {"\xe2\x82", {R}},                              // one part, however long
      {"\xe2\x82" "x", {R, L'x'}},
      {"\xc0\xaf", {R, R}},                           // overlong "/": C0 is never a lead
      {"\xe0\x80\xaf", {R, R, R}},                    // overlong three-byte form
      {"\xf0\x80\x80\xaf", {R, R, R, R}},             // overlong four-byte form
      {"\xf4\x90\x80\x80", {R, R, R, R}},             // above U+10FFFF
      {"\xf5\x80", {R, R}},
      {"\xff" "A\xfe", {R, L'A', R}},
      {"\xf0\x9f\x98", {R}},                          // emoji cut short
      {"\xf0\x9f\x98\xf0\x9f\x98\x80", {R, 0xD83D, 0xDE00}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf8ToWide(c.utf8), c.wide) << testing::PrintToString(c.utf8);
  }
}

}  // namespace
}  // namespace vlt::win32
