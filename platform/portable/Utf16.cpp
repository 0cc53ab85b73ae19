#include "platform/portable/Utf16.h"

#include <cstdint>

namespace vlt::win32 {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The allowed range of the second byte after a lead byte; the third and
// fourth bytes are always 80..BF. ED allows the whole 80..BF range so that
// lone surrogates (ED A0..BF xx) come through.
struct LeadRule {
  int length;  // bytes in the sequence; 0: not a lead byte
  unsigned char secondMin, secondMax;
};

LeadRule RuleFor(unsigned char lead) {
  if (lead < 0x80) return {1, 0, 0};
  if (lead >= 0xC2 && lead <= 0xDF) return {2, 0x80, 0xBF};
  if (lead == 0xE0) return {3, 0xA0, 0xBF};
  if (lead >= 0xE1 && lead <= 0xEF) return {3, 0x80, 0xBF};
  if (lead == 0xF0) return {4, 0x90, 0xBF};
  if (lead >= 0xF1 && lead <= 0xF3) return {4, 0x80, 0xBF};
  if (lead == 0xF4) return {4, 0x80, 0x8F};
  return {0, 0, 0};
}

void AppendUnit(std::wstring& out, char32_t codePoint) {
  if (codePoint >= 0x10000) {
    codePoint -= 0x10000;
    out.push_back(static_cast<wchar_t>(0xD800 + (codePoint >> 10)));
    out.push_back(static_cast<wchar_t>(0xDC00 + (codePoint & 0x3FF)));
  } else {
    out.push_back(static_cast<wchar_t>(codePoint));
  }
}

void AppendUtf8(std::string& out, char32_t codePoint) {
  auto byte = [&](std::uint32_t value) { out.push_back(static_cast<char>(value)); };
  if (codePoint < 0x80) {
    byte(codePoint);
  } else if (codePoint < 0x800) {
    byte(0xC0 | (codePoint >> 6));
    byte(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    byte(0xE0 | (codePoint >> 12));
    byte(0x80 | ((codePoint >> 6) & 0x3F));
    byte(0x80 | (codePoint & 0x3F));
  } else {
    byte(0xF0 | (codePoint >> 18));
    byte(0x80 | ((codePoint >> 12) & 0x3F));
    byte(0x80 | ((codePoint >> 6) & 0x3F));
    byte(0x80 | (codePoint & 0x3F));
  }
}

}  // namespace

std::wstring Utf8ToWide(std::string_view utf8) {
  std::wstring out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const LeadRule rule = RuleFor(lead);
    if (rule.length == 1) {
      out.push_back(static_cast<wchar_t>(lead));
      ++i;
      continue;
    }
    if (rule.length == 0) {
      AppendUnit(out, kReplacement);
      ++i;
      continue;
    }
    // Take continuation bytes while they fit; the first one that does not
    // ends the ill-formed part and starts the next character.
    char32_t codePoint = lead & (0xFF >> (rule.length + 1));
    int taken = 1;
    while (taken < rule.length && i + taken < utf8.size()) {
      const auto next = static_cast<unsigned char>(utf8[i + taken]);
      const bool fits = taken == 1 ? next >= rule.secondMin && next <= rule.secondMax
                                   : next >= 0x80 && next <= 0xBF;
      if (!fits) break;
      codePoint = (codePoint << 6) | (next & 0x3F);
      ++taken;
    }
    i += taken;
    AppendUnit(out, taken == rule.length ? codePoint : kReplacement);
  }
  return out;
}

std::string WideToUtf8(std::wstring_view wide) {
  std::string out;
  out.reserve(wide.size());
  for (std::size_t i = 0; i < wide.size(); ++i) {
    auto unit = static_cast<char32_t>(wide[i]);
    if (IsHighSurrogate(unit) && i + 1 < wide.size() &&
        IsLowSurrogate(static_cast<char32_t>(wide[i + 1]))) {
      const auto low = static_cast<char32_t>(wide[++i]);
      unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
    } else if (unit > 0x10FFFF) {
      // Only a 32-bit wchar_t can hold this; it is no character at all.
      unit = kReplacement;
    }
    AppendUtf8(out, unit);  // a lone surrogate becomes its own three bytes
  }
  return out;
}

}  // namespace vlt::win32
