#include "payload/MemoryBuffer.h"

#include <cstring>

namespace vlt {

void MemoryBuffer::Clear() {
  bytes_.reset();
  size_ = capacity_ = position_ = 0;
}

bool MemoryBuffer::Assign(std::span<const std::uint8_t> bytes) {
  // The old memory goes first, so that at no time both are held.
  Clear();
  if (bytes.empty()) return true;
  if (!Reserve(bytes.size())) return false;
  std::memcpy(bytes_.get(), bytes.data(), bytes.size());
  size_ = bytes.size();
  return true;
}

bool MemoryBuffer::Reserve(std::size_t capacity) {
  if (capacity <= capacity_) return true;
  HeapBytes larger = AllocateBytes(capacity);
  if (!larger) return false;
  if (size_ > 0) std::memcpy(larger.get(), bytes_.get(), size_);
  bytes_ = std::move(larger);
  capacity_ = capacity;
  return true;
}

}  // namespace vlt
