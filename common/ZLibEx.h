#pragma once
// The program's inflater: one whole zlib-format stream (RFC 1950 around
// RFC 1951 deflate data) that lies in memory, its bytes handed on in
// pieces, with zlib's status codes and texts as the result.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vlt {

// The status codes, zlib's own numbers.
inline constexpr int kInflateOk = 0;
inline constexpr int kInflateStreamError = -2;
inline constexpr int kInflateDataError = -3;
inline constexpr int kInflateMemoryError = -4;
inline constexpr int kInflateBufferError = -5;

// The short text of a zlib status code: "need dictionary" (2), "stream end"
// (1), "" (0), "file error" (-1), "stream error" (-2), "data error" (-3),
// "insufficient memory" (-4), "buffer error" (-5), "incompatible version"
// (-6). Any other code gets "unknown zlib status <code>".
std::string InflateStatusText(int status);

// Receives the inflated bytes in order, a piece at a time.
class InflateSink {
 public:
  // False when the sink cannot take them (memory): inflating stops.
  virtual bool Take(std::span<const std::uint8_t> bytes) = 0;

 protected:
  ~InflateSink() = default;
};

// A sink that keeps every byte, for what is wanted whole in memory.
struct InflatedBytes final : InflateSink {
  bool Take(std::span<const std::uint8_t> piece) override {
    bytes.insert(bytes.end(), piece.begin(), piece.end());
    return true;
  }
  std::vector<std::uint8_t> bytes;
};

struct Inflated {
  int status = kInflateOk;
  // The bytes handed to the sink: all the stream's bytes on kInflateOk.
  std::size_t length = 0;
  // The stream inflates to more than the most it may (the status is
  // kInflateDataError); no byte past that was handed on.
  bool pastEnd = false;
};

// The working buffer: the last 32 KiB of output, as far back as deflate
// refers, and room for what follows; the decoder writes into it directly
// and hands its bytes on each time it fills. Large enough that handing on
// is rare, small enough to stay in the processor's cache. Tests pass
// smaller sizes, down to kInflateMinWorkSize, to hand on often.
inline constexpr std::size_t kInflateWorkSize = 256 * 1024;
inline constexpr std::size_t kInflateMinWorkSize = 32 * 1024 + 2 * 266;

// Inflates the zlib stream `stream`, all of it and nothing after it, and
// hands the inflated bytes to `sink`, at most `maxLength` of them: a stream
// that inflates to more is refused before the sink sees a byte past that.
// The sink gets its pieces before the stream's checksum is checked, so what
// it holds counts only once the result is kInflateOk.
// Returns kInflateOk when the whole stream inflated, else the status whose
// InflateStatusText names the fault, as zlib's inflate() gives it for the
// same stream: kInflateDataError ("data error") for corrupt data (a code
// set zlib refuses, a code the block does not define, a distance before
// the start), a wrong checksum, bytes after the end of the stream, or more
// than `maxLength` bytes (`pastEnd`); kInflateBufferError ("buffer error")
// for a stream that stops before its end; kInflateStreamError ("stream
// error") for a stream that asks for a preset dictionary;
// kInflateMemoryError ("insufficient memory") when the working buffer
// cannot be had or the sink takes no more.
// Memory: the working buffer of `workSize` bytes, and about 9 KB of stack.
[[nodiscard]] Inflated InflateStream(std::span<const std::uint8_t> stream, std::size_t maxLength,
                                     InflateSink& sink, std::size_t workSize = kInflateWorkSize);

}  // namespace vlt
