#pragma once
// Profile (INI) files through the system's private profile functions. A file
// they create is written in the ANSI code page, as the product reads it.
#include "platform/ProfileFile.h"

namespace vlt::win32 {

class Win32ProfileFile : public ProfileFile {
 public:
  // The system strips trailing blanks of `defaultValue` when it returns it.
  std::string ReadString(const std::string& path, const std::string& section,
                         const std::string& key, const std::string& defaultValue) override;
  Status WriteString(const std::string& path, const std::string& section, const std::string& key,
                   const std::string& value) override;
  void Flush(const std::string& path) override;
};

}  // namespace vlt::win32
