#include "platform/portable/TabOrder.h"

#include <climits>

#include "forms/FormSpec.h"

namespace vlt::win32 {
namespace {

int SortKey(int tabOrder) { return tabOrder == kNoTabStop ? INT_MAX : tabOrder; }

}  // namespace

bool TabsBefore(const TabPlace& a, const TabPlace& b) {
  if (SortKey(a.tabOrder) != SortKey(b.tabOrder)) return SortKey(a.tabOrder) < SortKey(b.tabOrder);
  return a.layoutIndex < b.layoutIndex;
}

int ZOrderNumber(const FormSpec& form, const ControlSpec& control) {
  if (control.names.empty()) return control.tabOrder;
  for (const ControlSpec& field : form.controls) {
    if (field.name == control.names) return field.tabOrder;
  }
  return control.tabOrder;
}

std::vector<RadioRole> RadioRoles(std::span<const RadioState> radios) {
  std::vector<RadioRole> roles(radios.size(), RadioRole{false, false});
  for (std::size_t i = 0; i < radios.size(); ++i) {
    bool seenBefore = false;
    for (std::size_t j = 0; j < i && !seenBefore; ++j) {
      seenBefore = radios[j].parent == radios[i].parent;
    }
    if (seenBefore) continue;
    // radios[i] opens a group: pick its tab stop among the group's members.
    roles[i].startsGroup = true;
    std::size_t stop = radios.size();
    for (std::size_t j = i; j < radios.size(); ++j) {
      if (radios[j].parent != radios[i].parent || !radios[j].inTabOrder) continue;
      if (stop == radios.size()) stop = j;
      if (radios[j].checked) {
        stop = j;
        break;
      }
    }
    if (stop != radios.size()) roles[stop].tabStop = true;
  }
  return roles;
}

}  // namespace vlt::win32
