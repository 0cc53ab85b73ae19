#pragma once
// Data carried inside the running executable.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace vlt {

class Resources {
 public:
  virtual ~Resources() = default;
  // The bytes of the RCDATA resource `name`, valid for the program's life;
  // nullopt when the executable carries no such resource.
  virtual std::optional<std::span<const std::uint8_t>> Data(const std::string& name) = 0;
};

}  // namespace vlt
