#pragma once
// Every language-dependent text of the program, German and English side by
// side, one row per key. ApplyLanguage puts one column in place.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "lang/Language.h"
#include "program/Texts.h"

namespace vlt {


// Texts that only the uninstaller uses are left alone in setup mode.
enum class TextScope { BothModes, UninstallModeOnly };

// A page title or a control text, keyed "<page class>.<control name>" or
// "<page class>.Caption" (e.g. "TForm2.Edit_InstallVerz", "TForm4.Caption").
// For an edit field or a memo the text is its content.
struct PageTextRow {
  std::string_view key;
  std::string_view deutsch;
  std::string_view english;
  TextScope scope = TextScope::BothModes;
  // For a text made at run time (the licence agreement, which names the
  // configured web site): gives it in a language, in place of the two above.
  std::string_view (*madeText)(Language) = nullptr;
  // For a folder that belongs below a special folder of the machine: that
  // folder's csidl:: number. Its path, as the shell gives it, replaces the
  // parent folder of the text in either language; where the shell knows no
  // such folder, the table's text stands.
  std::optional<int> systemParent = std::nullopt;
};

struct MessageTextRow {
  std::string_view key;
  std::string MessageTexts::*field;
  std::string_view deutsch;
  std::string_view english;
  TextScope scope = TextScope::BothModes;
};

struct DialogCaptionRow {
  std::string_view key;
  std::string DialogCaptions::*field;
  std::string_view deutsch;
  std::string_view english;
};

// The tables; the views stay valid for the program's life.
std::span<const PageTextRow> PageTexts();
std::span<const MessageTextRow> MessageTextRows();
std::span<const DialogCaptionRow> DialogCaptionRows();

// Shown, in both languages at once, when the program's own payload is
// damaged: no language has been chosen at that point.
inline constexpr std::string_view kMsgDamagedSetup =
    "Das Setup-Programm ist beschädigt. Bitte laden Sie es erneut herunter.\r\r"
    "The setup program is damaged. Please download it again.";

// The member name that stands for a page's window title.
inline constexpr std::string_view kCaptionMember = "Caption";

struct PageTextKey {
  std::string_view pageClass;  // "TForm2"
  std::string_view member;     // "Edit_InstallVerz" or "Caption"
};

// Splits a page-text key at its first full stop; without one, the whole key
// is the page class and the member is empty.
constexpr PageTextKey SplitPageTextKey(std::string_view key) {
  const std::size_t dot = key.find('.');
  if (dot == std::string_view::npos) return {key, {}};
  return {key.substr(0, dot), key.substr(dot + 1)};
}

// The row's text in `language`.
template <typename Row>
constexpr std::string_view TextIn(const Row& row, Language language) {
  if constexpr (requires { row.madeText; }) {
    if (row.madeText != nullptr) return row.madeText(language);
  }
  return language == Language::Deutsch ? row.deutsch : row.english;
}

}  // namespace vlt
