#pragma once
// Inflating a whole memory buffer into itself, or a block into a buffer.
#include <cstddef>
#include <span>

#include "payload/MemoryBuffer.h"

namespace vlt {

// When `buffer` is present and not empty, replaces its content (one zlib
// stream, read from its start) with the inflated bytes and leaves its
// position at 0. An absent or empty buffer is left as it is.
// `expectedLength` is what the caller believes the stream inflates to (the
// payload's table tells it); 0 when unknown. It only decides how the
// inflated bytes are gathered: a right guess puts them in one piece of
// exactly that size, written by zlib in place, so nothing is moved before
// the copy back; a wrong or absent guess still inflates correctly, in fixed
// pieces after the guessed one. A guess beyond what the stream could
// possibly inflate to is ignored, and so is one that memory cannot hold.
// Returns kInflateOk, or the status when the content does not inflate
// (kInflateMemoryError when memory runs out). A stream that does not
// inflate leaves the buffer unchanged; memory that runs out while copying
// back leaves it empty.
// Memory: while inflating, the buffer plus the inflated bytes (gathered in
// pieces, with less than one piece to spare); while copying back, at most
// twice the inflated bytes.
[[nodiscard]] int InflateInPlace(MemoryBuffer* buffer, std::size_t expectedLength = 0);

// The same for a block that stays where it is: inflates `compressed` into
// pieces as above and copies them into `target`, whose content they replace
// (position 0). An empty block leaves `target` empty. Returns as above, and
// on a failure `target` is unchanged. Memory: the inflated bytes while inflating, at
// most twice them while copying.
[[nodiscard]] int InflateCopy(std::span<const std::uint8_t> compressed, MemoryBuffer& target,
                 std::size_t expectedLength = 0);

}  // namespace vlt
