#pragma once
// The arithmetic of the message box: where the icon, the text and the
// buttons go, and how big the box is. Free of <windows.h> so that the unit
// tests cover it; the dialog measures the texts and applies the result.
//
// Distances are in dialog units of the box's font, as in any dialog: the
// base units give the pixels of 4 horizontal and 8 vertical dialog units.
#include <string>
#include <string_view>
#include <vector>

namespace vlt::win32 {

struct BoxRect {
  int left = 0, top = 0, width = 0, height = 0;
  int Right() const { return left + width; }
  int Bottom() const { return top + height; }
};

struct MessageBoxMetrics {
  int baseUnitX = 6, baseUnitY = 13;  // pixels of 4 and 8 dialog units
  int iconWidth = 32, iconHeight = 32;
  int textWidth = 0, textHeight = 0;  // the message, measured within MessageTextWidthLimit()
  int minClientWidth = 0;             // what the title bar needs to show the title
  std::vector<int> captionWidths;     // text width of each button caption, left to right
};

struct MessageBoxLayout {
  BoxRect icon, text;
  std::vector<BoxRect> buttons;  // in the order of the captions
  int clientWidth = 0, clientHeight = 0;
};

// Icon at the top left, the text to its right (centred on the icon when it
// is shorter), the buttons in one row below, all of one width (the widest
// caption decides) and centred as a group.
MessageBoxLayout LayOutMessageBox(const MessageBoxMetrics& metrics);

// The widest the message may be before it wraps.
int MessageTextWidthLimit(int screenWidth);

// The message as the text control shows it: a lone carriage return (the
// program's line break) becomes CR LF; everything else stays.
std::string WithDisplayLineBreaks(std::string_view text);

}  // namespace vlt::win32
