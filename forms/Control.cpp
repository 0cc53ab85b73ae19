#include "forms/Control.h"

#include "forms/Form.h"

namespace vlt {

Control::Control(Form& owner, const ControlSpec& spec) : owner_(owner), spec_(spec) {}

void Control::SetChecked(bool checked) {
  view_->SetChecked(checked);
  if (checked && spec_.kind == ControlKind::RadioButton) owner_.UncheckSiblings(*this);
}

}  // namespace vlt
