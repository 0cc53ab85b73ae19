#pragma once
// The two ends the inflater works between: a source read in pieces and a
// target that takes appended bytes.
#include <cstddef>
#include <cstdint>
#include <span>

namespace vlt {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Copies up to `into.size()` bytes from the current position into `into`
  // and moves past them. Returns how many were delivered; 0 at the end.
  virtual std::size_t Read(std::span<std::uint8_t> into) = 0;
};

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Adds `bytes` after everything appended so far. May raise std::bad_alloc.
  virtual void Append(std::span<const std::uint8_t> bytes) = 0;
};

}  // namespace vlt
