#pragma once
// The two ends the inflater works between: a source read in pieces and a
// target that takes appended bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
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
  // Adds `bytes` after everything appended so far; false when the sink
  // cannot take them (memory for them cannot be had).
  virtual bool Append(std::span<const std::uint8_t> bytes) = 0;
  // Memory the sink already holds for the bytes that come next, so that a
  // producer can write them there instead of handing them over by Append;
  // empty when it has none. After writing `count` bytes at its start, the
  // producer calls Commit(count), which adds them as Append would have.
  virtual std::span<std::uint8_t> Room() { return {}; }
  virtual void Commit(std::size_t count) { static_cast<void>(count); }
};

// Reads bytes that live elsewhere, for as long as they do.
class SpanSource : public ByteSource {
 public:
  explicit SpanSource(std::span<const std::uint8_t> bytes) : rest_(bytes) {}
  std::size_t Read(std::span<std::uint8_t> into) override {
    const std::size_t count = std::min(into.size(), rest_.size());
    if (count > 0) std::memcpy(into.data(), rest_.data(), count);
    rest_ = rest_.subspan(count);
    return count;
  }

 private:
  std::span<const std::uint8_t> rest_;
};

}  // namespace vlt
