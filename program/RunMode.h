#pragma once
// The two modes of a run. The same program is the install wizard and, started
// with kRemoveArgument, the uninstaller; the uninstall entry and the
// uninstall shortcut that an installation writes pass that argument.
#include <string>
#include <vector>

namespace vlt {

inline constexpr char kRemoveArgument[] = "-remove";

// True when the first argument after the program's path is exactly
// kRemoveArgument: compared case-sensitively and as a whole. The mode is not
// stored; whoever needs it asks again.
bool IsUninstallMode(const std::vector<std::string>& arguments);

}  // namespace vlt
