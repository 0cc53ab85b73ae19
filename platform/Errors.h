#pragma once
// Exceptions raised by the platform services. Their texts are the system's
// own (or the framework's fixed English texts), shown by the default error
// report when nothing in the program catches them.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace vlt {

// A failed operating-system call; `code` is the system error code.
class OsError : public std::runtime_error {
 public:
  OsError(const std::string& message, std::uint32_t code)
      : std::runtime_error(message), code_(code) {}
  std::uint32_t Code() const { return code_; }

 private:
  std::uint32_t code_;
};

// Creating or writing a registry key or value failed.
class RegistryError : public OsError {
  using OsError::OsError;
};

// A profile (INI) file could not be written: "Unable to write to <path>".
class ProfileError : public OsError {
  using OsError::OsError;
};

// A directory could not be created, or a file could not be created, written
// or copied.
class FileError : public OsError {
  using OsError::OsError;
};

// A COM object could not be created or lacks an interface.
class ComError : public OsError {
  using OsError::OsError;
};

}  // namespace vlt
