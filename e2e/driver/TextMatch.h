// Comparing window texts the way a tester reads them. Portable: no Win32.
#pragma once

#include <string>
#include <string_view>

namespace vltdrive {

// The caption as drawn: "&&" becomes "&", any other "&" (the accelerator
// marker) is dropped.
std::string StripAccelerators(std::string_view caption);

// True when a control's caption `actual` is what the script asked for:
// either exactly as stored ("&Weiter >>") or as the user sees it
// ("Weiter >>"), in both directions.
bool CaptionMatches(std::string_view actual, std::string_view wanted);

// CR LF and lone CR become LF, so a message box text written with "\r"
// compares equal to one written with "\n".
std::string NormalizeLineBreaks(std::string_view text);

// Message box texts: line-break style does not count, everything else does.
bool MessageTextMatches(std::string_view actual, std::string_view wanted);

// A text as it is printed in reports: in double quotes, with \r \n \t and \"
// escaped, so trailing blanks and line breaks are visible. Backslashes stay
// single: paths read as paths.
std::string Quoted(std::string_view text);

// ASCII-only case-insensitive equality (class names, file names).
bool EqualsNoCase(std::string_view a, std::string_view b);

}  // namespace vltdrive
