#include <gtest/gtest.h>

#include <algorithm>

#include "forms/FormSpec.h"
#include "platform/portable/TabOrder.h"

namespace vlt::win32 {
namespace {

TEST(TabOrder, TabNumbersFirstThenTheLayoutOrder) {
  // The language page: Next 0, Cancel 1, Panel 2, the radios 3 and 4, the
  // rest without a tab order.
  std::vector<TabPlace> places = {
      {2, 0}, {kNoTabStop, 1}, {kNoTabStop, 2}, {3, 3}, {4, 4}, {kNoTabStop, 5}, {1, 6}, {0, 7},
  };
  std::sort(places.begin(), places.end(), TabsBefore);
  std::vector<int> layoutOrder;
  for (const TabPlace& p : places) layoutOrder.push_back(p.layoutIndex);
  EXPECT_EQ(layoutOrder, (std::vector<int>{7, 6, 0, 3, 4, 1, 2, 5}));

  EXPECT_FALSE(TabsBefore({0, 3}, {0, 3}));  // a strict order
  EXPECT_TRUE(TabsBefore({5, 9}, {5, 10}));  // equal numbers: layout decides

  // A label that names a field takes the field's number: listed before the
  // field, it stands right before it, and the fields keep their order.
  const ControlSpec layout[] = {
      {.name = "Label", .kind = ControlKind::Label, .names = "Field"},
      {.name = "Next", .kind = ControlKind::Button, .tabOrder = 0},
      {.name = "Browse", .kind = ControlKind::Button, .tabOrder = 1},
      {.name = "Field", .kind = ControlKind::Edit, .tabOrder = 2},
      {.name = "Note", .kind = ControlKind::Label},
  };
  const FormSpec form{.className = "TTest", .caption = "", .controls = layout};
  places.clear();
  for (int i = 0; i < 5; ++i) places.push_back({ZOrderNumber(form, layout[i]), i});
  std::sort(places.begin(), places.end(), TabsBefore);
  layoutOrder.clear();
  for (const TabPlace& p : places) layoutOrder.push_back(p.layoutIndex);
  EXPECT_EQ(layoutOrder, (std::vector<int>{1, 2, 0, 3, 4}));
}

std::vector<std::pair<bool, bool>> Roles(std::vector<RadioState> radios) {
  std::vector<std::pair<bool, bool>> result;
  for (const RadioRole& role : RadioRoles(radios)) {
    result.emplace_back(role.startsGroup, role.tabStop);
  }
  return result;
}

TEST(TabOrder, TheCheckedRadioOfEachGroupTakesTheTabStop) {
  using R = std::vector<std::pair<bool, bool>>;  // starts group, tab stop
  EXPECT_EQ(Roles({{"", true, true}, {"", true, false}}), (R{{true, true}, {false, false}}));
  EXPECT_EQ(Roles({{"", true, false}, {"", true, true}}), (R{{true, false}, {false, true}}));
  // None checked: the first in tab order stays reachable.
  EXPECT_EQ(Roles({{"", true, false}, {"", true, false}}), (R{{true, true}, {false, false}}));
  // A radio without a tab order is never a stop, checked or not.
  EXPECT_EQ(Roles({{"", false, true}, {"", true, false}}), (R{{true, false}, {false, true}}));
  EXPECT_EQ(Roles({{"", false, false}, {"", false, true}}), (R{{true, false}, {false, false}}));
  // Two parents, interleaved in tab order: two groups, each with its stop.
  EXPECT_EQ(Roles({{"", true, false}, {"Panel1", true, false}, {"", true, true},
                   {"Panel1", true, true}}),
            (R{{true, false}, {true, false}, {false, true}, {false, true}}));
  EXPECT_TRUE(Roles({}).empty());
}

}  // namespace
}  // namespace vlt::win32
