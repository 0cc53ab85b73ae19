// UTF-8 inside the driver, UTF-16 at every Win32 call.
#pragma once

#include <string>
#include <string_view>

namespace vltdrive {

// Invalid input is replaced (U+FFFD), never rejected: these texts come from
// other programs' windows and must always be printable.
std::wstring ToWide(std::string_view utf8);
std::string ToUtf8(std::wstring_view wide);

}  // namespace vltdrive
