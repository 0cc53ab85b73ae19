#pragma once
// A growable in-memory byte buffer with a read position: the holder of the
// compressed block and the inflater's working buffer.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "common/ByteStreams.h"

namespace vlt {

class MemoryBuffer : public ByteSource, public ByteSink {
 public:
  MemoryBuffer() = default;

  std::size_t Size() const { return bytes_.size(); }
  bool Empty() const { return bytes_.empty(); }
  std::span<const std::uint8_t> Bytes() const { return bytes_; }

  // The read position, 0 to Size(). Seek raises std::out_of_range beyond Size().
  std::size_t Position() const { return position_; }
  void Seek(std::size_t position);

  // Empties the buffer, releases its memory and rewinds.
  void Clear();
  // Replaces the whole content with `bytes` (exact capacity) and rewinds.
  void Assign(std::span<const std::uint8_t> bytes);
  // Makes room for `capacity` bytes in all, so later appends up to it do not
  // move the content.
  void Reserve(std::size_t capacity) { bytes_.reserve(capacity); }

  std::size_t Read(std::span<std::uint8_t> into) override;
  void Append(std::span<const std::uint8_t> bytes) override;

 private:
  std::vector<std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

}  // namespace vlt
