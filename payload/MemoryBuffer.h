#pragma once
// A growable in-memory byte buffer with a read position: the holder of the
// compressed block.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "common/HeapBytes.h"

namespace vlt {

// Memory for its bytes comes from HeapBytes: a block that does not fit is a
// failure the caller reports, as a damaged one is.
class MemoryBuffer {
 public:
  MemoryBuffer() = default;

  std::size_t Size() const { return size_; }
  bool Empty() const { return size_ == 0; }
  std::span<const std::uint8_t> Bytes() const { return {bytes_.get(), size_}; }

  // The read position, 0 to Size(). Seek beyond Size() stops at Size().
  std::size_t Position() const { return position_; }
  void Seek(std::size_t position) { position_ = std::min(position, size_); }

  // Empties the buffer, releases its memory and rewinds.
  void Clear();
  // Replaces the whole content with `bytes` (exact capacity) and rewinds;
  // false, and the buffer empty, when memory for them cannot be had.
  [[nodiscard]] bool Assign(std::span<const std::uint8_t> bytes);
  // Makes room for `capacity` bytes in all; false when memory cannot be
  // had (the content stays).
  [[nodiscard]] bool Reserve(std::size_t capacity);

 private:
  HeapBytes bytes_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
  std::size_t position_ = 0;
};

}  // namespace vlt
