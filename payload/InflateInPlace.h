#pragma once
// Inflating a block into a buffer of its own, or a buffer into itself.
#include <cstddef>
#include <span>

#include "payload/MemoryBuffer.h"

namespace vlt {

// Inflates `compressed` (one zlib stream, all of it) straight into a new
// buffer and makes that `target`'s content (position 0). `maxLength` is the
// most the stream may inflate to (the payload's table tells it): the buffer
// is that long, or shorter where the stream could not fill it (see
// MaxInflatedLength), and a stream that would inflate past it is refused
// with kInflateDataError, no more memory taken. A stream that inflates to
// fewer bytes gives those. An empty block leaves `target` empty.
// Returns kInflateOk, or the status when the block does not inflate
// (kInflateMemoryError when the buffer cannot be had); on a failure
// `target` is unchanged. Memory: the one buffer besides `target`'s old one.
[[nodiscard]] int InflateCopy(std::span<const std::uint8_t> compressed, MemoryBuffer& target,
                              std::size_t maxLength);

// The same with the buffer's own content (read from its start) as the
// block. An absent or empty buffer is left as it is; a stream that does not
// inflate leaves the buffer unchanged.
[[nodiscard]] int InflateInPlace(MemoryBuffer* buffer, std::size_t maxLength);

}  // namespace vlt
