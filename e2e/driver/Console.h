// Output of the driver: UTF-8 lines on stdout (the report) and stderr
// (usage errors), written unbuffered so the harness sees each line at once.
#pragma once

#include <string_view>

namespace vltdrive {

void Print(std::string_view text);       // stdout, as is
void PrintLine(std::string_view text);   // stdout, with a line end
void PrintError(std::string_view text);  // stderr, with a line end

}  // namespace vltdrive
