#pragma once
// The machine-wide registry (HKEY_LOCAL_MACHINE). Keys are paths below the
// root, with backslashes. The Win32 implementation uses the 32-bit view on
// purpose: the product is a 32-bit program, and Windows reads the autostart
// and uninstall entries of 32-bit programs from that view.
#include <optional>
#include <string>

#include "common/Result.h"

namespace vlt {

class Registry {
 public:
  virtual ~Registry() = default;
  // Creates `key` (and missing parents), or opens it if it exists.
  // Fails with the system's error.
  virtual Status CreateKey(const std::string& key) = 0;
  // Opens or creates `key` with full access and writes a string value,
  // replacing earlier data. Fails with the system's error.
  virtual Status WriteString(const std::string& key, const std::string& name,
                           const std::string& value) = 0;
  // Deletes a value; fails when the key or value is missing or access fails.
  virtual Status DeleteValue(const std::string& key, const std::string& name) = 0;
  // Deletes `subKey` of `key` with everything below it.
  virtual Status DeleteKeyTree(const std::string& key, const std::string& subKey) = 0;
  // Opens an existing `key` with full access and tells whether the value
  // exists. Any failure (missing key, no rights) yields false.
  virtual bool ValueExists(const std::string& key, const std::string& name) = 0;
  // The data of the string value `name` of an existing `key`, opened for
  // reading only (a standard user reads it too); nullopt when the key or the
  // value is missing, is not a string, or cannot be read.
  virtual std::optional<std::string> ReadString(const std::string& key,
                                                const std::string& name) = 0;
  // Whether an existing `key` opens with full access. Any failure (missing
  // key, no rights) yields false.
  virtual bool KeyExists(const std::string& key) = 0;
};

}  // namespace vlt
