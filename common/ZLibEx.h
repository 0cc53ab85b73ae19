#pragma once
// A small wrapper over zlib's inflater: one zlib-format stream (RFC 1950)
// from a source to a target, with every failure status raised as an
// exception that carries zlib's short status text.
#include <stdexcept>
#include <string>

#include "common/ByteStreams.h"

namespace vlt {

// Base of the compression library's errors.
class EZLibError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Raised for every inflate failure; what() is the status text.
class EZCompressionError : public EZLibError {
 public:
  using EZLibError::EZLibError;
};

// The short text of a zlib status code: "need dictionary" (2), "stream end"
// (1), "" (0), "file error" (-1), "stream error" (-2), "data error" (-3),
// "insufficient memory" (-4), "buffer error" (-5), "incompatible version"
// (-6). Any other code gets "unknown zlib status <code>".
std::string InflateStatusText(int status);

// Returns `status` when it is 0 or positive; raises EZCompressionError with
// its text when it is negative.
int CheckInflateStatus(int status);

// Inflates the zlib stream that `source` delivers from its current position
// to its end and appends the inflated bytes to `target`. Reads through a
// 32,768-byte buffer and inflates into a 32,768-byte window, whose bytes go
// into the target's Room() while it offers some, else to Append. Both
// buffers live for this call only.
// Raises EZCompressionError: "data error" for corrupt data, a wrong checksum
// or bytes after the end of the stream; "buffer error" for a stream that
// stops before its end; "stream error" for a stream that asks for a preset
// dictionary; "insufficient memory" when zlib cannot get its state.
// Whatever the target raises passes through unchanged. Bytes appended
// before a failure stay in `target`.
void InflateStream(ByteSource& source, ByteSink& target);

}  // namespace vlt
