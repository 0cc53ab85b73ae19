#pragma once
// A page's layout as data: one row per control, copied from the page's
// design table. The form runtime turns it into windows (or a headless model).
#include <cstdint>
#include <span>
#include <string_view>

namespace vlt {

enum class ControlKind : std::uint8_t {
  Label,        // single-line text, sizes itself to its text
  WrapLabel,    // fixed-size text with word wrap
  Button,       // push button (never the window's default or cancel button)
  CheckBox,
  RadioButton,  // radio buttons of one parent form one group
  Edit,         // single-line edit
  Memo,         // multi-line edit, vertical scroll bar, word wrap
  ProgressBar,  // range, position, step 10; stepping past the end starts over
  Panel,        // lowered 1-pixel bevel; a container for an Image
  Bevel,        // horizontal separator line
  Image,        // a picture, sized to the control
};

// The program's pictures; the runtime owns one copy per image control.
enum class PictureId : std::uint8_t {
  None,
  SideBanner,        // 111 x 199, 24-bit
  FlagGermany,       // 60 x 30, 24-bit
  FlagUnitedKingdom, // 60 x 30, 24-bit
  BrowseGlyph,       // 32 x 16, 16 colours: normal and disabled 16 x 16 images
};

enum class BorderStyle : std::uint8_t {
  Sizeable,  // the default border: sizeable, system menu, minimise and maximise
  Single,    // fixed size: system menu and minimise box only
};

// Kinds that show a caption or content; the others ignore any text.
constexpr bool ShowsText(ControlKind kind) {
  return kind != ControlKind::Panel && kind != ControlKind::Bevel &&
         kind != ControlKind::Image && kind != ControlKind::ProgressBar;
}

inline constexpr int kNoTabStop = -1;

// Numbers in the sizes the layouts need: the tables are constant data of
// the program, a few dozen rows.
struct ControlSpec {
  std::string_view name;
  ControlKind kind = ControlKind::Label;
  std::int16_t left = 0, top = 0, width = 0, height = 0;
  std::string_view text = {};  // built-in caption or content
  bool checked = false;
  std::int8_t tabOrder = kNoTabStop;
  std::string_view parent = {};  // a Panel's name, or empty for the page itself
  PictureId picture = PictureId::None;
  bool visible = true;
  std::int16_t rangeMin = 0, rangeMax = 100;  // progress bars only
  // Labels only: the field this label names. A field whose own text is not
  // its name (an edit) is announced with the text of the label right before
  // it in z-order, so the page puts the label there; the layout lists the
  // label before its field.
  std::string_view names = {};
};

struct FormSpec {
  std::string_view className;  // e.g. "TForm2"
  std::string_view caption;    // built-in window title
  int clientWidth = 0, clientHeight = 0;
  BorderStyle border = BorderStyle::Single;
  std::span<const ControlSpec> controls;
};

}  // namespace vlt
