#include "common/Concat.h"

namespace vlt {

std::string Concat(std::initializer_list<std::string_view> parts) {
  std::size_t length = 0;
  for (std::string_view part : parts) length += part.size();
  std::string text;
  text.reserve(length);
  for (std::string_view part : parts) text += part;
  return text;
}

}  // namespace vlt
