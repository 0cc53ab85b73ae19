#include "platform/win32/DialogTemplate.h"

namespace vlt::win32 {
namespace {

constexpr std::size_t kItemCountIndex = 4;  // style (2 words), extended style (2), then cdit

}  // namespace

DialogTemplate::DialogTemplate(DWORD style, const std::wstring& title, WORD pointSize,
                               const std::wstring& face) {
  Dword(style | DS_SETFONT);
  Dword(0);   // extended style
  Word(0);    // item count, counted up by AddItem
  for (int i = 0; i < 4; ++i) Word(0);  // x, y, cx, cy
  Word(0);    // no menu
  Word(0);    // the default dialog class
  String(title);
  Word(pointSize);
  String(face);
}

void DialogTemplate::AddItem(WORD controlClass, DWORD style, WORD id, const std::wstring& text) {
  AlignToDword();
  Dword(style | WS_CHILD | WS_VISIBLE);
  Dword(0);   // extended style
  for (int i = 0; i < 4; ++i) Word(0);  // x, y, cx, cy
  Word(id);
  Word(0xFFFF);
  Word(controlClass);
  String(text);
  Word(0);    // no creation data
  ++words_[kItemCountIndex];
}

void DialogTemplate::Dword(DWORD value) {
  Word(LOWORD(value));
  Word(HIWORD(value));
}

void DialogTemplate::String(const std::wstring& text) {
  for (wchar_t c : text) Word(static_cast<WORD>(c));
  Word(0);
}

void DialogTemplate::AlignToDword() {
  if (words_.size() % 2 != 0) Word(0);
}

}  // namespace vlt::win32
