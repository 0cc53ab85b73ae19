#pragma once
// The end of the program for what it cannot go on from: memory that runs
// out where nothing can give way, a window the system will not make, a page
// or control that a table names and the program lacks. The message is shown
// (by the report the entry point installed) and the process ends with exit
// code 1.
#include <string_view>

namespace vlt {

// Shows `message` to the user and ends the process; never returns.
using FatalReport = void (*)(std::string_view message);

// Installs the report; without one the message goes to the standard error
// stream and the process aborts.
void SetFatalReport(FatalReport report);

[[noreturn]] void EndWithFailure(std::string_view message);

}  // namespace vlt
