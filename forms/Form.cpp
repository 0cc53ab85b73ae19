#include "forms/Form.h"

#include "common/Concat.h"
#include "common/FatalEnd.h"

namespace vlt {

Form::Form(const FormContext& context, const FormSpec& spec)
    : context_(context), spec_(spec), view_(context.host.CreateForm(*this, spec)) {
  controls_.reserve(spec.controls.size());
  for (const ControlSpec& controlSpec : spec.controls) {
    auto control = std::make_unique<Control>(*this, controlSpec);
    control->AttachView(view_->CreateControl(*control, controlSpec));
    controls_.push_back(std::move(control));
  }
}

Form::~Form() {
  // Control windows go before the page window that holds them.
  controls_.clear();
  view_.reset();
}

Control* Form::FindControl(std::string_view name) const {
  for (const auto& control : controls_) {
    if (control->Name() == name) return control.get();
  }
  return nullptr;
}

Control& Form::Ctl(std::string_view name) const {
  Control* control = FindControl(name);
  if (control == nullptr) {
    EndWithFailure(Concat({"no control ", name, " on ", spec_.className}));
  }
  return *control;
}

void Form::Dispatch(const Callback<Status()>& handler) {
  if (const Status status = handler(); !status.Ok()) context_.reportError(status.Error());
}

void Form::UserClicked(Control& control) {
  if (control.OnClick) Dispatch(control.OnClick);
}

bool Form::CloseQuery() {
  bool canClose = true;
  FormCloseQuery(canClose);
  return canClose;
}

bool Form::UserClose() {
  bool canClose = false;
  Dispatch([&] { canClose = CloseQuery(); });
  if (!canClose) return false;
  if (isMain_) context_.endProgram();
  Hide();
  return true;
}

void Form::SimulateClickForTesting(std::string_view name) {
  Control& control = Ctl(name);
  if (!control.Enabled() || !control.Visible()) return;
  if (control.Kind() == ControlKind::CheckBox) control.SetChecked(!control.Checked());
  if (control.Kind() == ControlKind::RadioButton) control.SetChecked(true);
  UserClicked(control);
}

void Form::UncheckSiblings(const Control& radio) {
  for (const auto& other : controls_) {
    if (other.get() != &radio && other->Kind() == ControlKind::RadioButton &&
        other->Spec().parent == radio.Spec().parent && other->Checked()) {
      other->View().SetChecked(false);
    }
  }
}

}  // namespace vlt
