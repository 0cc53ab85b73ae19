#pragma once
// The seam between pages and the window system. The Win32 runtime creates
// real windows; the headless runtime (unit tests) only keeps state.
#include <memory>
#include <string>

#include "forms/FormSpec.h"

namespace vlt {

class Control;
class Form;

class ControlView {
 public:
  virtual ~ControlView() = default;
  virtual std::string Text() const = 0;
  virtual void SetText(const std::string& text) = 0;
  virtual bool Checked() const = 0;
  virtual void SetChecked(bool checked) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Visible() const = 0;
  virtual void SetVisible(bool visible) = 0;
  // Progress bars.
  virtual int Position() const = 0;
  virtual void SetPosition(int position) = 0;
  virtual void StepIt() = 0;
  // Images.
  virtual PictureId Picture() const = 0;
  virtual void SetPicture(PictureId picture) = 0;
};

class FormView {
 public:
  virtual ~FormView() = default;
  virtual std::unique_ptr<ControlView> CreateControl(Control& control, const ControlSpec& spec) = 0;
  virtual std::string Caption() const = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  // Shows the page (centred the first time), brings it to the front and
  // focuses its first control in tab order.
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual bool Visible() const = 0;
};

class FormHost {
 public:
  virtual ~FormHost() = default;
  virtual std::unique_ptr<FormView> CreateForm(Form& form, const FormSpec& spec) = 0;
};

}  // namespace vlt
