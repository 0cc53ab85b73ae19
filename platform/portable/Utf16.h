#pragma once
// The two conversions between the program's UTF-8 strings and the UTF-16
// strings of the wide Windows functions. Free of <windows.h>: the rules are
// plain code, built on every host so that the unit tests cover them.
//
// A std::wstring here holds UTF-16 code units, one per wchar_t (on Windows
// that is what wchar_t is; elsewhere it only matters to the tests).
//
// Windows names (files, folders, registry keys) may hold a lone surrogate,
// which no valid UTF-8 can carry. So that every name found on the system can
// be handed back to the system unchanged, a lone surrogate is written as its
// own three-byte sequence (the "WTF-8" extension of UTF-8) and read back from
// it. Everything else follows UTF-8 strictly: each ill-formed part of the
// input (a stray continuation byte, a truncated or overlong sequence, a code
// point above U+10FFFF) becomes one U+FFFD.
#include <string>
#include <string_view>

namespace vlt::win32 {

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

}  // namespace vlt::win32
