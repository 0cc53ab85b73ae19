#pragma once
// A small wrapper over zlib's inflater: one zlib-format stream (RFC 1950)
// from a source to a target, with zlib's status as the result.
#include <string>

#include "common/ByteStreams.h"

namespace vlt {

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
// Returns Z_OK (0) when the whole stream inflated, else the negative zlib
// status whose InflateStatusText names the fault: Z_DATA_ERROR ("data
// error") for corrupt data, a wrong checksum or bytes after the end of the
// stream; Z_BUF_ERROR ("buffer error") for a stream that stops before its
// end; Z_STREAM_ERROR ("stream error") for a stream that asks for a preset
// dictionary; Z_MEM_ERROR ("insufficient memory") when zlib cannot get its
// state or the target cannot take the bytes. Bytes appended before a
// failure stay in `target`.
[[nodiscard]] int InflateStream(ByteSource& source, ByteSink& target);

}  // namespace vlt
