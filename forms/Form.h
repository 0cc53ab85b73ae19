#pragma once
// A page: a window built from its layout, its controls, and the entry points
// through which user actions reach its handlers. Every handler runs through
// Dispatch(), which shows a failure a handler returns as the default error
// report.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/Callback.h"
#include "forms/Control.h"
#include "forms/FormHost.h"
#include "forms/FormSpec.h"

namespace vlt {

struct FormContext {
  FormHost& host;
  // Ends the program: what closing the main page does.
  Callback<void()> endProgram;
  // The default error report for a failure that a handler returns.
  Callback<void(const Failure&)> reportError;
};

class Form {
 public:
  Form(const FormContext& context, const FormSpec& spec);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const FormSpec& Spec() const { return spec_; }
  std::string_view ClassName() const { return spec_.className; }

  // The control named `name`; the program ends with a message when there is
  // none (a layout and its page that do not match).
  Control& Ctl(std::string_view name) const;
  Control* FindControl(std::string_view name) const;
  const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }

  std::string Caption() const { return view_->Caption(); }
  void SetCaption(const std::string& caption) { view_->SetCaption(caption); }
  void Show() { view_->Show(); }
  void Hide() { view_->Hide(); }
  bool Visible() const { return view_->Visible(); }

  // The main page: closing it ends the program.
  void SetMain(bool isMain) { isMain_ = isMain; }

  // Runs a handler; a failure it returns goes to the error report.
  void Dispatch(const Callback<Status()>& handler);
  // The user clicked `control` (its state has already changed).
  void UserClicked(Control& control);
  // The user asked to close the window (close box, Alt+F4, system menu).
  // Runs the close query; when it allows, the main page ends the program and
  // any other page is hidden. Returns whether the window may close.
  bool UserClose();
  // Runs the page's close query and returns whether it allows closing.
  bool CloseQuery();

  // For tests only (the headless host has no mouse): changes a check box's
  // or radio button's state as a click does, then runs the click handler if
  // the control is enabled and visible. The real windows never call it.
  void SimulateClickForTesting(std::string_view name);

  // Unchecks the radio buttons of `radio`'s group other than `radio`.
  void UncheckSiblings(const Control& radio);

 protected:
  virtual void FormCloseQuery(bool& canClose) { canClose = true; }

 private:
  FormContext context_;
  const FormSpec& spec_;
  std::unique_ptr<FormView> view_;
  std::vector<std::unique_ptr<Control>> controls_;
  bool isMain_ = false;
};

}  // namespace vlt
