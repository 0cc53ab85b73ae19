#pragma once
// Profile (INI) files, with the semantics of the system's private profile
// functions: an existing key is changed in place, other sections and keys are
// kept, a missing file is created (in the ANSI code page).
#include <string>

#include "common/Result.h"

namespace vlt {

class ProfileFile {
 public:
  virtual ~ProfileFile() = default;
  // The value of `key` in `section`, or `defaultValue` when the file, the
  // section or the key is missing. A key with an empty value yields "".
  virtual std::string ReadString(const std::string& path, const std::string& section,
                                 const std::string& key,
                                 const std::string& defaultValue) = 0;
  // Fails with "Unable to write to <path>" when the write fails.
  virtual Status WriteString(const std::string& path, const std::string& section,
                           const std::string& key, const std::string& value) = 0;
  // Flushes the system's cache of `path` to disk.
  virtual void Flush(const std::string& path) = 0;
};

}  // namespace vlt
