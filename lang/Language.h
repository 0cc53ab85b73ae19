#pragma once
// The two languages of the program and the identifiers that name them.
#include <optional>
#include <string_view>

namespace vlt {

enum class Language { Deutsch, English };

// "Deutsch" and "English", compared exactly: any other identifier (another
// letter case, a trailing blank, "" or "ERROR") names no language.
inline std::optional<Language> ParseLanguage(std::string_view identifier) {
  if (identifier == "Deutsch") return Language::Deutsch;
  if (identifier == "English") return Language::English;
  return std::nullopt;
}

}  // namespace vlt
