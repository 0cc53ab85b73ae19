#include <gtest/gtest.h>

#include "fakes/FakePlatform.h"
#include "forms/Form.h"
#include "forms/HeadlessHost.h"

namespace vlt {
namespace {

const ControlSpec kControls[] = {
    {.name = "RadioA", .kind = ControlKind::RadioButton, .text = "A", .checked = true},
    {.name = "RadioB", .kind = ControlKind::RadioButton, .text = "B"},
    {.name = "Panel1", .kind = ControlKind::Panel},
    {.name = "RadioInPanel", .kind = ControlKind::RadioButton, .checked = true, .parent = "Panel1"},
    {.name = "Box", .kind = ControlKind::CheckBox, .checked = true},
    {.name = "Bar", .kind = ControlKind::ProgressBar, .visible = false, .rangeMin = 0, .rangeMax = 70},
};
const FormSpec kSpec{.className = "TTest", .caption = "Test", .controls = kControls};

struct TestPage : Form {
  explicit TestPage(const FormContext& context) : Form(context, kSpec) {}
};

TEST(Form, RadioButtonsOfOneParentFormAGroup) {
  fake::FakePlatform p;
  TestPage page(
      FormContext{p.forms, [&] { p.app.Terminate(); }, [](const Failure&) {}});
  page.SimulateClickForTesting("RadioB");
  EXPECT_FALSE(page.Ctl("RadioA").Checked());
  EXPECT_TRUE(page.Ctl("RadioB").Checked());
  EXPECT_TRUE(page.Ctl("RadioInPanel").Checked());  // another group
  page.Ctl("RadioA").SetChecked(true);
  EXPECT_FALSE(page.Ctl("RadioB").Checked());
}

TEST(Form, DisabledControlsIgnoreClicks) {
  fake::FakePlatform p;
  TestPage page(
      FormContext{p.forms, [&] { p.app.Terminate(); }, [](const Failure&) {}});
  int clicks = 0;
  page.Ctl("Box").OnClick = [&] {
    ++clicks;
    return Status();
  };
  page.Ctl("Box").SetEnabled(false);
  page.SimulateClickForTesting("Box");
  EXPECT_TRUE(page.Ctl("Box").Checked());
  EXPECT_EQ(clicks, 0);
  page.Ctl("Box").SetEnabled(true);
  page.SimulateClickForTesting("Box");
  EXPECT_FALSE(page.Ctl("Box").Checked());
  EXPECT_EQ(clicks, 1);
}

TEST(ProgressBar, SteppingPastTheMaximumStartsOver) {
  EXPECT_EQ(SteppedPosition(0, 10, 0, 70), 10);
  EXPECT_EQ(SteppedPosition(60, 10, 0, 70), 70);
  EXPECT_EQ(SteppedPosition(70, 10, 0, 70), 10);
  EXPECT_EQ(SteppedPosition(65, 10, 0, 70), 5);
  EXPECT_EQ(SteppedPosition(95, 10, 20, 100), 25);

  fake::FakePlatform p;
  TestPage page(
      FormContext{p.forms, [&] { p.app.Terminate(); }, [](const Failure&) {}});
  Control& bar = page.Ctl("Bar");
  bar.SetPosition(0);
  std::vector<int> positions;
  for (int i = 0; i < 8; ++i) {
    bar.StepIt();
    positions.push_back(bar.Position());
  }
  EXPECT_EQ(positions, (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 10}));
}

}  // namespace
}  // namespace vlt
