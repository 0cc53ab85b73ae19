#include "platform/portable/DialogTemplate.h"

namespace vlt::win32 {
namespace {

constexpr std::size_t kItemCountIndex = 4;  // after style and extended style

}  // namespace

DialogTemplate::DialogTemplate(std::uint32_t style, std::wstring_view title,
                               std::uint16_t pointSize, std::wstring_view face) {
  Dword(style | kSetFont);
  Dword(0);  // extended style
  Word(0);   // item count, counted up by AddItem
  for (int i = 0; i < 4; ++i) Word(0);  // x, y, cx, cy
  Word(0);   // no menu
  Word(0);   // the standard dialog class
  String(title);
  Word(pointSize);
  String(face);
}

void DialogTemplate::AddItem(std::uint16_t controlClass, std::uint32_t style, std::uint16_t id,
                             std::wstring_view text) {
  if (words_.size() % 2 != 0) Word(0);  // items start on a 4-byte boundary
  Dword(style | kChild | kVisible);
  Dword(0);  // extended style
  for (int i = 0; i < 4; ++i) Word(0);  // x, y, cx, cy
  Word(id);
  Word(0xFFFF);
  Word(controlClass);
  String(text);
  Word(0);   // no creation data
  ++words_[kItemCountIndex];
}

void DialogTemplate::Dword(std::uint32_t value) {
  Word(static_cast<std::uint16_t>(value & 0xFFFF));
  Word(static_cast<std::uint16_t>(value >> 16));
}

void DialogTemplate::String(std::wstring_view text) {
  // Text stops at an embedded NUL, as the system reads it.
  for (wchar_t c : text) {
    if (c == L'\0') break;
    Word(static_cast<std::uint16_t>(c));
  }
  Word(0);
}

}  // namespace vlt::win32
