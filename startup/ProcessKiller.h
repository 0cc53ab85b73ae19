#pragma once
// Ending running copies of the product before anything else happens.
#include <string_view>

#include "platform/Processes.h"

namespace vlt {

// True when a process entry's executable field names `exeName`: its file-name
// part (after the last "\" or ":") or the whole field equals it, both sides
// upper-cased in ASCII only.
bool ExeNameMatches(std::string_view exeField, std::string_view exeName);

// Terminates every running process whose executable matches `exeName`, with
// exit code 0, without waiting. Returns the outcome of the last termination
// attempted; false when none matched.
[[nodiscard]] bool KillProcessesByExeName(Processes& processes, std::string_view exeName);

}  // namespace vlt
