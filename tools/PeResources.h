#pragma once
// Reading resources out of a Windows executable image on the build host: the
// PE headers, the section table and the resource directory, enough to find
// one resource by type and name. Every offset and length is checked against
// the image before it is used, so a cut-short or damaged file raises PeError
// and nothing is read outside `image`.
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <variant>

namespace vlt::pe {

class PeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A resource type or name: a number, or a name (compared without regard to
// ASCII case, as Windows does).
using ResourceName = std::variant<std::uint16_t, std::string>;

inline constexpr std::uint16_t kRtRcdata = 10;
inline constexpr std::uint16_t kRtVersion = 16;

// True when `image` begins like an executable image: the "MZ" header and,
// where it points, the "PE\0\0" signature. Raises nothing.
bool LooksLikePe(std::span<const std::uint8_t> image);

// The bytes of the first language of resource `type`/`name` in `image`;
// nullopt when the image has no resources or not that one. Raises PeError
// when `image` is no executable image or its headers, section table or
// resource directory point outside the file.
std::optional<std::span<const std::uint8_t>> FindResource(std::span<const std::uint8_t> image,
                                                          const ResourceName& type,
                                                          const ResourceName& name);

}  // namespace vlt::pe
