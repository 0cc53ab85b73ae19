#pragma once
// The keyboard order of a page's controls and the roles of its radio
// buttons. Free of <windows.h>: the page window applies the result as the
// windows' z-order and their WS_GROUP and WS_TABSTOP styles.
#include <span>
#include <string_view>
#include <vector>

#include "forms/FormSpec.h"

namespace vlt::win32 {

struct TabPlace {
  int tabOrder;     // kNoTabStop (-1): no place of its own, comes after all others
  int layoutIndex;  // position in the page's layout
};

// True when `a` comes before `b`: by tab order, then by layout position.
bool TabsBefore(const TabPlace& a, const TabPlace& b);

// The tab-order number that places `control` of `form` in z-order: its own,
// or for a label that names a field the field's, so that the label stands
// right before the field (it comes earlier in the layout) and the keyboard
// order of the controls that take the focus stays as it is.
int ZOrderNumber(const FormSpec& form, const ControlSpec& control);

struct RadioState {
  std::string_view parent;  // the radio buttons of one parent form one group
  bool inTabOrder;          // the layout gives it a tab order
  bool checked;
};

struct RadioRole {
  bool startsGroup;  // the first radio of its group in tab order
  bool tabStop;      // the one radio of its group that Tab stops at
};

// Roles of radio buttons given in tab order: the checked radio of a group
// takes the tab stop, and without a checked one the first radio in the tab
// order does; radios without a tab order never do.
std::vector<RadioRole> RadioRoles(std::span<const RadioState> radios);

}  // namespace vlt::win32
