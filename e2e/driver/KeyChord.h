// Key names of the script language, such as "Tab", "Shift+Tab", "Alt+N" or
// "Alt+F4": one key with the modifiers held while it is pressed. Portable:
// the virtual-key codes are the documented Windows numbers.
#pragma once

#include <string>
#include <string_view>

namespace vltdrive {

struct KeyChord {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  unsigned short virtualKey = 0;
};

// Parses "[Shift+][Ctrl+][Alt+]KEY" (any order, any case): KEY is a letter,
// a digit, F1 to F24, or one of Tab Space Enter Escape Backspace Delete
// Insert Home End PageUp PageDown Up Down Left Right. Throws ScriptError.
KeyChord ParseKeyChord(std::string_view word);

// The chord as a reader would write it: "Shift+Tab", "Alt+N".
std::string Describe(const KeyChord& chord);

}  // namespace vltdrive
