#pragma once
// Path and name rules shared by every part of the program. Paths are Windows
// paths in UTF-8; "\" and ":" delimit their parts.
#include <string>
#include <string_view>

namespace vlt {

// `path` with one trailing backslash removed, if present.
std::string ExcludeTrailingBackslash(std::string_view path);
// The file inside a directory: the directory with one trailing backslash
// removed, then "\" and the name.
std::string JoinPath(std::string_view dir, std::string_view name);
// Everything up to and including the last "\" or ":" ("" when there is none).
std::string ExtractFilePath(std::string_view path);
// ExtractFilePath with one trailing backslash removed.
std::string ExtractFileDir(std::string_view path);
// The text after the last "\" or ":".
std::string ExtractFileName(std::string_view path);

// True when `dir` names the root of a volume: a drive ("D:" or "D:\\") or a
// share ("\\\\server\\share", with or without a trailing backslash). Such a
// folder holds the whole volume, never a product alone.
bool IsVolumeRoot(std::string_view dir);

// True when `path` is a full path: a drive letter with its root ("C:\\..."),
// or a share ("\\\\server\\..."). Anything else depends on a current
// directory.
bool IsFullPath(std::string_view path);

// Upper-cases the ASCII letters a to z only; every other byte stays.
std::string AsciiUpper(std::string_view text);
bool AsciiEqualNoCase(std::string_view a, std::string_view b);

}  // namespace vlt
