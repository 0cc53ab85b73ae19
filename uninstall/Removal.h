#pragma once
// Deleting the files of a folder by mask, as the removal does it: best
// effort, nothing reported.
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace vlt {

// Deletes every file that a search for `directory` + `mask` returns
// (`directory` ends with "\"). Subdirectories stay, and so does a file that
// cannot be deleted (read-only, in use, access denied); the rest go on.
void DeleteMatchingFiles(FileSystem& fs, const std::string& directory, const std::string& mask);

// As DeleteMatchingFiles, but keeps every name that begins with one of
// `prefixes` (StartsWithAny).
void DeleteOtherFiles(FileSystem& fs, const std::string& directory, const std::string& mask,
                      const std::vector<std::string>& prefixes);

}  // namespace vlt
