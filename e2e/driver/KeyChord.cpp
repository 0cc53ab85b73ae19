#include "KeyChord.h"

#include <array>
#include <cctype>

#include "Script.h"

namespace vltdrive {
namespace {

struct NamedKey {
  std::string_view name;
  unsigned short virtualKey;
};

// VK_TAB, VK_SPACE, ... as winuser.h numbers them.
constexpr std::array kNamedKeys = {
    NamedKey{"Tab", 0x09},    NamedKey{"Space", 0x20},    NamedKey{"Enter", 0x0D},
    NamedKey{"Escape", 0x1B}, NamedKey{"Backspace", 0x08}, NamedKey{"Delete", 0x2E},
    NamedKey{"Insert", 0x2D}, NamedKey{"Home", 0x24},      NamedKey{"End", 0x23},
    NamedKey{"PageUp", 0x21}, NamedKey{"PageDown", 0x22},  NamedKey{"Up", 0x26},
    NamedKey{"Down", 0x28},   NamedKey{"Left", 0x25},      NamedKey{"Right", 0x27},
};
constexpr unsigned short kF1 = 0x70;

bool SameNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

// 0 when `name` is no key.
unsigned short KeyCode(std::string_view name) {
  if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
    return static_cast<unsigned short>(std::toupper(static_cast<unsigned char>(name[0])));
  }
  for (const NamedKey& key : kNamedKeys) {
    if (SameNoCase(name, key.name)) return key.virtualKey;
  }
  if (name.size() >= 2 && name.size() <= 3 && (name[0] == 'F' || name[0] == 'f')) {
    int number = 0;
    for (char c : name.substr(1)) {
      if (!std::isdigit(static_cast<unsigned char>(c))) return 0;
      number = number * 10 + (c - '0');
    }
    if (number >= 1 && number <= 24) return static_cast<unsigned short>(kF1 + number - 1);
  }
  return 0;
}

std::string KeyName(unsigned short virtualKey) {
  if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9')) {
    return std::string(1, static_cast<char>(virtualKey));
  }
  for (const NamedKey& key : kNamedKeys) {
    if (key.virtualKey == virtualKey) return std::string(key.name);
  }
  return "F" + std::to_string(virtualKey - kF1 + 1);
}

}  // namespace

KeyChord ParseKeyChord(std::string_view word) {
  KeyChord chord;
  std::string_view rest = word;
  while (true) {
    const size_t plus = rest.find('+');
    // A lone "+" at the end is no key name: "Alt+" and "+" are faults.
    if (plus == std::string_view::npos) break;
    const std::string_view modifier = rest.substr(0, plus);
    bool* flag = SameNoCase(modifier, "Shift")  ? &chord.shift
                 : SameNoCase(modifier, "Ctrl") ? &chord.ctrl
                 : SameNoCase(modifier, "Alt")  ? &chord.alt
                                                : nullptr;
    if (flag == nullptr || *flag) {
      throw ScriptError("\"" + std::string(word) + "\" is no key: \"" + std::string(modifier) +
                        "\" is not Shift, Ctrl or Alt, or comes twice");
    }
    *flag = true;
    rest = rest.substr(plus + 1);
  }
  chord.virtualKey = KeyCode(rest);
  if (chord.virtualKey == 0) {
    throw ScriptError("\"" + std::string(word) + "\" is no key (a letter, digit, F1-F24, Tab, Space, Enter, "
                      "Escape, Backspace, Delete, Insert, Home, End, PageUp, PageDown, Up, Down, Left, Right)");
  }
  return chord;
}

std::string Describe(const KeyChord& chord) {
  std::string text;
  if (chord.shift) text += "Shift+";
  if (chord.ctrl) text += "Ctrl+";
  if (chord.alt) text += "Alt+";
  return text + KeyName(chord.virtualKey);
}

}  // namespace vltdrive
