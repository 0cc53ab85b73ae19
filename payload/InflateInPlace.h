#pragma once
// Inflating a whole memory buffer into itself.
#include "payload/MemoryBuffer.h"

namespace vlt {

// When `buffer` is present and not empty, replaces its content (one zlib
// stream, read from its start) with the inflated bytes and leaves its
// position at 0. An absent or empty buffer is left as it is.
// Raises EZCompressionError when the content does not inflate, and
// std::bad_alloc when memory runs out; the buffer's bytes are then unchanged
// and only its position has moved.
// Memory: while inflating, the buffer plus the inflated bytes (gathered in
// pieces, with less than one piece to spare); while copying back, at most
// twice the inflated bytes.
void InflateInPlace(MemoryBuffer* buffer);

}  // namespace vlt
