#pragma once
// Resources of the running executable.
#include "platform/Resources.h"
#include "platform/win32/WinApi.h"

namespace vlt::win32 {

// The bytes of resource `name` of type `type` in the running executable,
// mapped with it (nothing to release), or nothing when it is missing.
std::optional<std::span<const std::uint8_t>> ExecutableResource(LPCWSTR name, LPCWSTR type);

// RCDATA resources by name.

class Win32Resources : public Resources {
 public:
  std::optional<std::span<const std::uint8_t>> Data(const std::string& name) override;
};

}  // namespace vlt::win32
