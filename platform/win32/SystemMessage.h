#pragma once
// The system's own text for an error code, as the error reports show it.
#include <cstdint>
#include <string>

#include "common/Result.h"

namespace vlt::win32 {

// The message for a system error code or an HRESULT, in the user's language,
// without the line break the system ends it with; "System error <code>" when
// the system has no text for it.
std::string SystemMessage(std::uint32_t code);

// The failure of `attempt` on `subject` with the system error code or
// HRESULT `code`.
Failure SystemFailure(Attempt attempt, const std::string& subject, std::uint32_t code);

}  // namespace vlt::win32
