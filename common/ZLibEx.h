#pragma once
// The program's inflater: one whole zlib-format stream (RFC 1950 around
// RFC 1951 deflate data) into a buffer whose size the caller knows, with
// zlib's status codes and texts as the result. The program only ever
// inflates whole streams that lie in memory, into a block whose length its
// payload table gives, so the decoder needs no window of its own: back
// references read the target itself.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

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

struct Inflated {
  int status = kInflateOk;
  // The bytes written at the target's start: all the stream's bytes on
  // kInflateOk; on a failure what came before it (a prefix of the true
  // bytes only where the stream is sound up to there).
  std::size_t length = 0;
  // The stream inflates to more bytes than the target holds (the status is
  // kInflateDataError); nothing was written past the target's end.
  bool pastEnd = false;
};

// Inflates the zlib stream `stream`, all of it and nothing after it, into
// `target`, from its start. The stream may inflate to fewer bytes than the
// target holds; the bytes after `length` are then unspecified.
// Returns kInflateOk when the whole stream inflated, else the status whose
// InflateStatusText names the fault, as zlib's inflate() gives it for the
// same stream: kInflateDataError ("data error") for corrupt data (a code set
// zlib refuses, a code the block does not define, a distance before the
// start), a wrong checksum, bytes after the end of the stream, or more
// inflated bytes than the target holds (`pastEnd`); kInflateBufferError
// ("buffer error") for a stream that stops before its end;
// kInflateStreamError ("stream error") for a stream that asks for a preset
// dictionary. Takes no memory but about 9 KB of stack for its tables.
[[nodiscard]] Inflated InflateInto(std::span<const std::uint8_t> stream,
                                   std::span<std::uint8_t> target);

// The most bytes a deflate stream of `compressedLength` bytes can inflate to
// (1,032 per byte: a code of one bit for a length of 258 and one for its
// distance), so that a caller never reserves memory a stream could not fill.
std::size_t MaxInflatedLength(std::size_t compressedLength);

}  // namespace vlt
