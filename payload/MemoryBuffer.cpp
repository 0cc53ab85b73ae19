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

std::size_t MemoryBuffer::Read(std::span<std::uint8_t> into) {
  const std::size_t count = std::min(into.size(), size_ - position_);
  if (count > 0) std::memcpy(into.data(), bytes_.get() + position_, count);
  position_ += count;
  return count;
}

bool MemoryBuffer::Append(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return true;
  if (bytes.size() > SIZE_MAX - size_) return false;
  const std::size_t needed = size_ + bytes.size();
  if (needed > capacity_) {
    // Doubling keeps a run of appends linear; when twice cannot be had,
    // exactly enough may still be.
    const std::size_t doubled = capacity_ > SIZE_MAX / 2 ? needed : std::max(needed, capacity_ * 2);
    if (!Reserve(doubled) && !Reserve(needed)) return false;
  }
  std::memcpy(bytes_.get() + size_, bytes.data(), bytes.size());
  size_ = needed;
  return true;
}

}  // namespace vlt
