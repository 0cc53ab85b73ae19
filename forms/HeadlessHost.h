#pragma once
// A form runtime without windows: every control keeps its state in memory.
// Unit tests build pages on it and drive their handlers directly.
#include "forms/FormHost.h"

namespace vlt {

class HeadlessHost : public FormHost {
 public:
  std::unique_ptr<FormView> CreateForm(Form& form, const FormSpec& spec) override;
};

// The position a progress bar takes when stepped from `position` by `step`
// within [min, max]: past the maximum it starts over from the beginning, as
// the system's progress control does.
int SteppedPosition(int position, int step, int min, int max);

}  // namespace vlt
