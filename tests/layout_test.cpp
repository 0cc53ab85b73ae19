#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "fakes/FakePlatform.h"
#include "install/TForm1.h"
#include "install/TForm2.h"
#include "install/TForm3.h"
#include "lang/TForm_Sprache.h"
#include "program/Program.h"
#include "uninstall/TForm4.h"

namespace vlt {
namespace {

const FormSpec* const kAllLayouts[] = {&TForm_Sprache::kLayout, &TForm1::kLayout,
                                       &TForm2::kLayout, &TForm3::kLayout, &TForm4::kLayout};

const ControlSpec* Find(const FormSpec& form, std::string_view name) {
  for (const ControlSpec& control : form.controls) {
    if (control.name == name) return &control;
  }
  return nullptr;
}

bool TakesFocus(ControlKind kind) {
  return kind != ControlKind::Label && kind != ControlKind::WrapLabel &&
         kind != ControlKind::Bevel && kind != ControlKind::Image;
}

bool IsField(ControlKind kind) { return kind == ControlKind::Edit || kind == ControlKind::Memo; }

// Also: every field whose own text is not its name (an edit) is named by one
// label listed before it, which takes no tab stop.
TEST(PageLayouts, NamesAndTabOrdersAreUniquePerPageAndEveryFieldHasALabel) {
  for (const FormSpec* form : kAllLayouts) {
    SCOPED_TRACE(form->className);
    std::set<std::string_view> names;
    std::set<int> tabOrders;
    std::set<std::string_view> namedFields;
    for (const ControlSpec& control : form->controls) {
      if (!control.names.empty()) {
        EXPECT_EQ(control.kind, ControlKind::Label) << control.name;
        const ControlSpec* field = Find(*form, control.names);
        ASSERT_NE(field, nullptr) << control.name << " names no control of the page";
        EXPECT_TRUE(IsField(field->kind)) << control.name;
        EXPECT_GT(field, &control) << control.name << " must come before its field";
        EXPECT_EQ(field->parent, control.parent) << control.name;
        EXPECT_TRUE(namedFields.insert(control.names).second) << control.names << " has two labels";
      }
      if (IsField(control.kind)) {
        EXPECT_TRUE(std::any_of(form->controls.begin(), form->controls.end(),
                                [&](const ControlSpec& c) { return c.names == control.name; }))
            << control.name << " has no label";
      }
      EXPECT_TRUE(names.insert(control.name).second) << "duplicate " << control.name;
      if (control.tabOrder == kNoTabStop) {
        EXPECT_FALSE(TakesFocus(control.kind)) << control.name << " cannot be reached by Tab";
      } else {
        EXPECT_TRUE(TakesFocus(control.kind)) << control.name;
        EXPECT_TRUE(tabOrders.insert(control.tabOrder).second)
            << control.name << " repeats tab order " << control.tabOrder;
      }
    }
    // Tab orders count from 0 without gaps, so the first one takes the focus.
    ASSERT_FALSE(tabOrders.empty());
    EXPECT_EQ(*tabOrders.begin(), 0);
    EXPECT_EQ(*tabOrders.rbegin(), static_cast<int>(tabOrders.size()) - 1);
  }
}

TEST(PageLayouts, SidePictureSitsInsidePanel1) {
  for (const FormSpec* form : kAllLayouts) {
    SCOPED_TRACE(form->className);
    const ControlSpec* image = Find(*form, "Image1");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->kind, ControlKind::Image);
    EXPECT_EQ(image->parent, "Panel1");
    EXPECT_EQ(image->left, 1);
    EXPECT_EQ(image->top, 1);
    EXPECT_EQ(image->width, 111);
    EXPECT_EQ(image->height, 199);
  }
}

TEST(PageLayouts, EveryControlFitsItsParent) {
  for (const FormSpec* form : kAllLayouts) {
    SCOPED_TRACE(form->className);
    for (std::size_t i = 0; i < form->controls.size(); ++i) {
      const ControlSpec& control = form->controls[i];
      int width = form->clientWidth, height = form->clientHeight;
      if (!control.parent.empty()) {
        const ControlSpec* parent = Find(*form, control.parent);
        ASSERT_NE(parent, nullptr) << control.name;
        EXPECT_EQ(parent->kind, ControlKind::Panel) << control.name;
        // A window can only be created inside a parent that already exists.
        EXPECT_LT(parent - form->controls.data(), static_cast<std::ptrdiff_t>(i)) << control.name;
        width = parent->width;
        height = parent->height;
      }
      EXPECT_GE(control.left, 0) << control.name;
      EXPECT_GE(control.top, 0) << control.name;
      EXPECT_LE(control.left + control.width, width) << control.name;
      EXPECT_LE(control.top + control.height, height) << control.name;
    }
  }
}

TEST(PageLayouts, TextsAndPicturesOnlyWhereTheKindShowsThem) {
  for (const FormSpec* form : kAllLayouts) {
    SCOPED_TRACE(form->className);
    int checkedRadios = 0, radios = 0;
    for (const ControlSpec& control : form->controls) {
      if (!ShowsText(control.kind)) {
        EXPECT_TRUE(control.text.empty()) << control.name;
      }
      if (control.picture != PictureId::None) {
        EXPECT_TRUE(control.kind == ControlKind::Image || control.kind == ControlKind::Button)
            << control.name;
      }
      if (control.kind == ControlKind::RadioButton) {
        ++radios;
        checkedRadios += control.checked ? 1 : 0;
      }
    }
    if (radios > 0) {
      EXPECT_EQ(checkedRadios, 1) << "one radio button of the group is preselected";
    }
  }
}

TEST(PageLayouts, PagesBuildOnTheHeadlessHostWithTheirStoredState) {
  fake::FakePlatform platform;
  Program program(platform.services);
  program.Form_Sprache = program.CreatePage<TForm_Sprache>();
  program.Form4 = program.CreatePage<TForm4>();
  program.Form1 = program.CreatePage<TForm1>();
  program.Form2 = program.CreatePage<TForm2>();
  program.Form3 = program.CreatePage<TForm3>();

  EXPECT_EQ(program.MainForm(), program.Form_Sprache);
  EXPECT_FALSE(program.Form1->Visible());
  EXPECT_TRUE(program.Form_Sprache->RadioButton_Deutsch.Checked());
  EXPECT_EQ(program.Form_Sprache->Image1.Picture(), PictureId::SideBanner);
  EXPECT_EQ(program.Form4->Image1.Picture(), PictureId::SideBanner);
  EXPECT_EQ(program.Form3->Image1.Picture(), PictureId::None);
  EXPECT_EQ(program.Form2->BitBtn_Suchen.Picture(), PictureId::BrowseGlyph);
  EXPECT_EQ(program.Form2->Edit_InstallVerz.Text(), "C:\\Programme\\VelTori Advanced");
  EXPECT_FALSE(program.Form2->ProgressBar1.Visible());
  program.Form2->ProgressBar1.SetPosition(99);
  EXPECT_EQ(program.Form2->ProgressBar1.Position(), 70);
}

}  // namespace
}  // namespace vlt
