// Windows as readable text, for the dump command and for failure reports.
#pragma once

#include <windows.h>

#include <string>

#include "WindowQuery.h"

namespace vltdrive {

// One line: class, text, kind and state; indented by depth.
std::string FormatWindow(const WindowInfo& info);

// The window and its descendants, one line each.
std::string DumpTree(HWND top);

// Every visible top-level window with its tree; `all` adds hidden ones as
// single lines (pages created but not shown yet, helper windows).
std::string DumpScreen(bool all);

}  // namespace vltdrive
