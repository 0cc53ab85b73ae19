#include "payload/MemoryBuffer.h"

#include <algorithm>
#include <stdexcept>

namespace vlt {

void MemoryBuffer::Seek(std::size_t position) {
  if (position > bytes_.size()) throw std::out_of_range("MemoryBuffer::Seek beyond the end");
  position_ = position;
}

void MemoryBuffer::Clear() {
  std::vector<std::uint8_t>().swap(bytes_);
  position_ = 0;
}

void MemoryBuffer::Assign(std::span<const std::uint8_t> bytes) {
  // A fresh vector rather than assign(): it gets exactly the needed capacity
  // and the old memory goes at once.
  std::vector<std::uint8_t>(bytes.begin(), bytes.end()).swap(bytes_);
  position_ = 0;
}

std::size_t MemoryBuffer::Read(std::span<std::uint8_t> into) {
  const std::size_t count = std::min(into.size(), bytes_.size() - position_);
  std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(position_), count, into.begin());
  position_ += count;
  return count;
}

void MemoryBuffer::Append(std::span<const std::uint8_t> bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

}  // namespace vlt
