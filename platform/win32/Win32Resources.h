#pragma once
// RCDATA resources of the running executable.
#include "platform/Resources.h"

namespace vlt::win32 {

class Win32Resources : public Resources {
 public:
  std::optional<std::span<const std::uint8_t>> Data(const std::string& name) override;
};

}  // namespace vlt::win32
