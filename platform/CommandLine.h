#pragma once
// Splitting a command line into arguments.
//
// Arguments are separated by runs of characters whose code is 32 or less.
// Double quotes group characters, blanks included, into one argument and are
// dropped themselves; a pair of double quotes where an argument would begin is
// skipped. The first element is the program's own path as written.
#include <string>
#include <string_view>
#include <vector>

namespace vlt {

std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// The first argument after the program's path, or "" when there is none.
std::string FirstArgument(const std::vector<std::string>& arguments);

}  // namespace vlt
