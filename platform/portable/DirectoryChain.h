#pragma once
// Which directories must exist for a path to exist, outermost first. Free of
// <windows.h> so that the unit tests cover the path rules.
#include <string>
#include <string_view>
#include <vector>

namespace vlt::win32 {

// The directories from the outermost one below the volume to `dir` itself,
// with one trailing backslash of `dir` removed: "C:\a\b\" gives "C:\a" and
// "C:\a\b". The volume ("C:", "\\server\share") is never in the list, since
// it cannot be created. A relative path yields its parts relative to the
// current directory; an empty path yields nothing.
std::vector<std::string> DirectoryChain(std::string_view dir);

}  // namespace vlt::win32
