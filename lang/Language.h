#pragma once
// The two languages of the program and the identifiers that name them.
#include <optional>
#include <string_view>

namespace vlt {

enum class Language { Deutsch, English };

// The identifiers, as stored in config.vlt and passed to ApplyLanguage.
inline constexpr char kDeutschId[] = "Deutsch";
inline constexpr char kEnglishId[] = "English";
inline constexpr const char* LanguageId(Language language) {
  return language == Language::English ? kEnglishId : kDeutschId;
}

// "Deutsch" and "English", compared exactly: any other identifier (another
// letter case, a trailing blank, "" or "ERROR") names no language.
inline std::optional<Language> ParseLanguage(std::string_view identifier) {
  if (identifier == kDeutschId) return Language::Deutsch;
  if (identifier == kEnglishId) return Language::English;
  return std::nullopt;
}

}  // namespace vlt
