#pragma once
// The words for a failure, made where it is shown.
#include <string>
#include <string_view>

#include "common/Result.h"

namespace vlt {

// What the default error report says for `failure`; `systemText` is the
// system's own text for its code. A failure of the system's alone is told
// in the system's words; the program's own faults and the self-removal
// script's failures in words of their own.
std::string FailureText(const Failure& failure, std::string_view systemText);

}  // namespace vlt
