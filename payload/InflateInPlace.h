#pragma once
// Inflating a whole memory buffer into itself.
#include <cstddef>

#include "payload/MemoryBuffer.h"

namespace vlt {

// When `buffer` is present and not empty, replaces its content (one zlib
// stream, read from its start) with the inflated bytes, at most `maxLength`
// of them, and leaves its position at 0. An absent or empty buffer is left
// as it is. Returns kInflateOk, or the status when the content does not
// inflate (kInflateMemoryError when memory runs out); then the buffer is
// unchanged. Memory: the buffer and the inflated bytes, twice while they
// are copied back.
[[nodiscard]] int InflateInPlace(MemoryBuffer* buffer, std::size_t maxLength);

}  // namespace vlt
