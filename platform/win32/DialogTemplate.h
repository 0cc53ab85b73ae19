#pragma once
// An in-memory dialog template (DLGTEMPLATE with DLGITEMTEMPLATE items), for
// dialogs whose texts are only known at run time. Positions and sizes are
// left at zero: the dialog places its controls itself once it can measure.
#include <string>
#include <vector>

#include "platform/win32/WinApi.h"

namespace vlt::win32 {

class DialogTemplate {
 public:
  // A dialog of the default dialog class (#32770) in the font `face` at
  // `pointSize`.
  DialogTemplate(DWORD style, const std::wstring& title, WORD pointSize, const std::wstring& face);

  // Predefined control classes by their atoms.
  static constexpr WORD kButton = 0x0080;
  static constexpr WORD kStatic = 0x0082;
  void AddItem(WORD controlClass, DWORD style, WORD id, const std::wstring& text);

  // Valid until the next AddItem.
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Word(WORD value) { words_.push_back(value); }
  void Dword(DWORD value);
  void String(const std::wstring& text);
  void AlignToDword();

  // WORDs from a std::vector start DWORD-aligned, as the template must.
  std::vector<WORD> words_;
};

}  // namespace vlt::win32
