#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/Paths.h"
#include "lang/LicenceTexts.h"

namespace vlt {
namespace {

std::vector<std::string> SplitCrLf(std::string_view text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find("\r\n", start);
    lines.emplace_back(text.substr(start, end - start));
    if (end == std::string_view::npos) return lines;
    start = end + 2;
  }
}

// Characters as the Windows-1252 text counts them (one per umlaut); -1 when
// a character has no place in that code page.
int Cp1252Length(std::string_view utf8) {
  static const std::u32string kUpperHalfExtras =
      U"\u20AC\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\u017D"
      U"\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A\u0153\u017E\u0178";
  int length = 0;
  for (std::size_t i = 0; i < utf8.size(); ++length) {
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    const int size = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    char32_t code = size == 1 ? lead : lead & (0x3F >> (size - 1));
    for (int k = 1; k < size && i + k < utf8.size(); ++k) {
      code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    const bool mapped = code < 0x80 || (code >= 0xA0 && code <= 0xFF) ||
                        kUpperHalfExtras.find(code) != std::u32string::npos;
    if (!mapped || code == '\r' || code == '\n') return -1;
    i += size;
  }
  return length;
}

// The licence memo is 316 pixels wide, less its vertical scroll bar, in
// MS Sans Serif 8 pt: 52 characters fit. The memo wraps a longer line again,
// and the hand-broken text turns ragged.
constexpr int kLicenceBoxWidth = 52;

// Longest web site host the lines naming it must still find room for.
constexpr int kLongestHost = 30;

bool IsHeading(const std::string& line, const char* numeral) {
  return line.starts_with(std::string(numeral) + ". ") && line == AsciiUpper(line);
}

struct LicenceRules {
  Language language;
  std::size_t lineCount;
  int maxWidth;
  std::string separator;     // the line between paragraphs
  std::string bannerRule;    // first and third line
  std::string titlePrefix;   // how the title line begins
  std::string titleSuffix;   // how the title line ends
  std::string closingPrefix; // before the date
};

void PrintTo(const LicenceRules& rules, std::ostream* out) {
  *out << (rules.language == Language::Deutsch ? "German licence" : "English licence");
}

class LicenceLayout : public ::testing::TestWithParam<LicenceRules> {};

TEST_P(LicenceLayout, FollowsTheMemoLayout) {
  const LicenceRules& rules = GetParam();
  const std::string host = WebsiteHost(VELTORI_WEBSITE);
  const std::string_view text = LicenceText(rules.language);
  ASSERT_FALSE(text.ends_with("\n"));
  const std::vector<std::string> lines = SplitCrLf(text);
  ASSERT_EQ(lines.size(), rules.lineCount);

  for (std::size_t i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE("line " + std::to_string(i + 1) + ": " + lines[i]);
    const int width = Cp1252Length(lines[i]);
    EXPECT_GE(width, 0) << "stray line break or character outside Windows-1252";
    EXPECT_LE(width, rules.maxWidth);
    EXPECT_LE(width, kLicenceBoxWidth) << "the licence box would wrap this line again";
    if (!host.empty() && lines[i].find(host) != std::string::npos) {
      EXPECT_LE(width - static_cast<int>(host.size()) + kLongestHost, kLicenceBoxWidth)
          << "no room for a host of " << kLongestHost << " characters";
    }
    const bool blankOnly = !lines[i].empty() && lines[i].find_first_not_of(' ') == std::string::npos;
    if (lines[i].empty() || blankOnly) {
      EXPECT_EQ(lines[i], rules.separator);
      if (i > 0) {
        EXPECT_NE(lines[i - 1], rules.separator) << "two separators in a row";
      }
    } else if (i >= 3 && lines[i].ends_with(' ')) {
      ADD_FAILURE() << "trailing blank";
    }
  }

  // Banner, then the paragraphs.
  EXPECT_EQ(lines[0], rules.bannerRule);
  EXPECT_EQ(lines[2], rules.bannerRule);
  EXPECT_TRUE(lines[1].starts_with(rules.titlePrefix));
  EXPECT_TRUE(lines[1].ends_with(rules.titleSuffix));
  EXPECT_EQ(lines[1], AsciiUpper(lines[1]));
  EXPECT_NE(lines[1].find("VELTORI ADVANCED"), std::string::npos);
  EXPECT_EQ(lines[3], rules.separator);

  // Four sections I to IV, in order, each opening a paragraph.
  std::vector<std::size_t> sections;
  for (const char* numeral : {"I", "II", "III", "IV"}) {
    const auto heading = std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
      return IsHeading(line, numeral);
    });
    ASSERT_NE(heading, lines.end()) << "section " << numeral;
    sections.push_back(heading - lines.begin());
    EXPECT_EQ(lines[sections.back() - 1], rules.separator) << "section " << numeral;
  }
  EXPECT_TRUE(std::is_sorted(sections.begin(), sections.end()));
  // An introduction and the paragraph on legal protection come first.
  EXPECT_EQ(std::count(lines.begin(), lines.begin() + sections[0], rules.separator), 3);

  auto sectionText = [&](std::size_t index) {
    const std::size_t end = index + 1 < sections.size() ? sections[index + 1] : lines.size() - 1;
    std::string joined;
    for (std::size_t i = sections[index]; i < end; ++i) joined += lines[i] + "\n";
    return joined;
  };
  EXPECT_NE(sectionText(0).find("(" + host + ")"), std::string::npos) << "availability names the host";
  const std::string use = sectionText(2);
  const auto capitalLines = std::count_if(lines.begin() + sections[2], lines.begin() + sections[3],
                                          [](const std::string& line) {
                                            return line.size() > 40 && line == AsciiUpper(line);
                                          });
  EXPECT_GE(capitalLines, 2) << "the disclaimer of liability stands in capitals:\n" << use;

  EXPECT_EQ(lines[lines.size() - 2], rules.separator);
  EXPECT_EQ(lines.back(), rules.closingPrefix + "13.12.2002 (" + host + ")");
}

INSTANTIATE_TEST_SUITE_P(
    BothLanguages, LicenceLayout,
    ::testing::Values(
        LicenceRules{Language::Deutsch, 47, 76, " ", std::string(43, '='), " ", "", "Stand: "},
        LicenceRules{Language::English, 48, 120, "", std::string(43, '=') + " ", "", " ", ""}),
    [](const auto& info) {
      return info.param.language == Language::Deutsch ? "Deutsch" : "English";
    });

}  // namespace
}  // namespace vlt
