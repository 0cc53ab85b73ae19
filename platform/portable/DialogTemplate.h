#pragma once
// An in-memory dialog template (DLGTEMPLATE followed by DLGITEMTEMPLATE
// items), for dialogs whose texts are only known at run time. Free of
// <windows.h> so that the unit tests can check its bytes; the dialog code
// hands Data() to DialogBoxIndirectParamW.
//
// Layout, in 16-bit little-endian words (the template is read in place):
//   style (2 words, DS_SETFONT added), extended style (2), item count (1),
//   x, y, cx, cy (4), menu 0, class 0 (the standard dialog class #32770),
//   title (UTF-16, NUL), point size (1), typeface (UTF-16, NUL);
//   then per item, starting on a 4-byte boundary: style (2, WS_CHILD and
//   WS_VISIBLE added), extended style (2), x, y, cx, cy (4), id (1),
//   0xFFFF and the class atom (2), text (UTF-16, NUL), creation data size 0.
// Positions and sizes stay zero: the dialog places its controls itself once
// it can measure.
#include <cstdint>
#include <string_view>
#include <vector>

namespace vlt::win32 {

class DialogTemplate {
 public:
  // The style bits the template sets itself (the values of <windows.h>).
  static constexpr std::uint32_t kSetFont = 0x40;             // DS_SETFONT
  static constexpr std::uint32_t kChild = 0x40000000;         // WS_CHILD
  static constexpr std::uint32_t kVisible = 0x10000000;       // WS_VISIBLE
  // Predefined control classes by their atoms.
  static constexpr std::uint16_t kButton = 0x0080;
  static constexpr std::uint16_t kStatic = 0x0082;

  // A dialog of the standard dialog class in the font `face` at `pointSize`.
  DialogTemplate(std::uint32_t style, std::wstring_view title, std::uint16_t pointSize,
                 std::wstring_view face);

  void AddItem(std::uint16_t controlClass, std::uint32_t style, std::uint16_t id,
               std::wstring_view text);

  // The template's words; valid until the next AddItem. A std::vector's
  // storage is aligned for any type, so it starts on a 4-byte boundary as
  // the system requires.
  const std::vector<std::uint16_t>& Data() const { return words_; }

 private:
  void Word(std::uint16_t value) { words_.push_back(value); }
  void Dword(std::uint32_t value);
  void String(std::wstring_view text);

  std::vector<std::uint16_t> words_;
};

}  // namespace vlt::win32
