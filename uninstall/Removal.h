#pragma once
// Deleting the files of a folder by mask, as the removal does it: best
// effort, nothing reported.
#include <span>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace vlt {

// Deletes every file that a search for `directory` + `mask` returns
// (`directory` ends with "\"). Subdirectories stay, and so does a file that
// cannot be deleted (read-only, in use, access denied); the rest go on.
// Nothing is listed or deleted through a reparse point: a `directory` that is
// a junction or symbolic link is left alone (its target is another folder,
// perhaps another program's), and so is every entry that is one.
void DeleteMatchingFiles(FileSystem& fs, const std::string& directory, const std::string& mask);

// As DeleteMatchingFiles, but keeps every name that begins with one of
// `prefixes` (StartsWithAny).
void DeleteOtherFiles(FileSystem& fs, const std::string& directory, const std::string& mask,
                      std::span<const std::string_view> prefixes);

}  // namespace vlt
