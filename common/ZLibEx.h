#pragma once
// The program's inflater: one zlib-format stream (RFC 1950 around RFC 1951
// deflate data) from a source to a target, with zlib's status codes and
// texts as the result. The program only ever inflates whole streams; its
// own decoder is a sixth of zlib's inflater in the Windows program, and
// fast enough for a payload read a few times.
#include <string>

#include "common/ByteStreams.h"

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

// Inflates the zlib stream that `source` delivers from its current position
// to its end and appends the inflated bytes to `target`. Reads through a
// 32,768-byte buffer and inflates into a 32,768-byte window, whose bytes go
// into the target's Room() while it offers some, else to Append. Both
// buffers live for this call only.
// Returns kInflateOk when the whole stream inflated, else the status whose
// InflateStatusText names the fault: kInflateDataError ("data error") for
// corrupt data (a code the block does not define, a distance before the
// start), a wrong checksum or bytes after the end of the stream;
// kInflateBufferError ("buffer error") for a stream that stops before its
// end; kInflateStreamError ("stream error") for a stream that asks for a
// preset dictionary; kInflateMemoryError ("insufficient memory") when the
// buffers cannot be had or the target cannot take the bytes. Bytes
// appended before a failure stay in `target`.
[[nodiscard]] int InflateStream(ByteSource& source, ByteSink& target);

}  // namespace vlt
