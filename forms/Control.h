#pragma once
// One control of a page: its name and kind from the layout, its live state
// kept by its view (a real window or the headless model), and its click
// handler.
#include <memory>
#include <string>
#include <string_view>

#include "common/Callback.h"
#include "common/Result.h"
#include "forms/FormHost.h"
#include "forms/FormSpec.h"

namespace vlt {

class Form;

class Control {
 public:
  Control(Form& owner, const ControlSpec& spec);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  std::string_view Name() const { return spec_.name; }
  ControlKind Kind() const { return spec_.kind; }
  const ControlSpec& Spec() const { return spec_; }
  Form& Owner() const { return owner_; }

  std::string Text() const { return view_->Text(); }
  void SetText(const std::string& text) { view_->SetText(text); }
  bool Checked() const { return view_->Checked(); }
  // Checking a radio button unchecks the other radio buttons of its group.
  void SetChecked(bool checked);
  bool Enabled() const { return view_->Enabled(); }
  void SetEnabled(bool enabled) { view_->SetEnabled(enabled); }
  bool Visible() const { return view_->Visible(); }
  void SetVisible(bool visible) { view_->SetVisible(visible); }
  int Position() const { return view_->Position(); }
  void SetPosition(int position) { view_->SetPosition(position); }
  void StepIt() { view_->StepIt(); }
  PictureId Picture() const { return view_->Picture(); }
  void SetPicture(PictureId picture) { view_->SetPicture(picture); }

  // Runs through the page's dispatch point when the control is clicked; a
  // failure it returns goes to the default error report (a handler that
  // cannot fail returns nothing).
  Callback<Status()> OnClick;

  void AttachView(std::unique_ptr<ControlView> view) { view_ = std::move(view); }
  ControlView& View() const { return *view_; }

 private:
  Form& owner_;
  const ControlSpec& spec_;
  std::unique_ptr<ControlView> view_;
};

}  // namespace vlt
