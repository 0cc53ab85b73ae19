#pragma once
// The whole-payload check: a record that loads can still carry a damaged
// compressed block, which extraction would only find after the install has
// begun writing. This check inflates the block once, to its end, and tests
// every entry against what came out. The setup program runs it when it loads
// its payload; the packing tool runs it for --list.
#include <cstddef>

#include "common/Result.h"
#include "payload/FileArrayBinder.h"

namespace vlt {

struct PayloadLengths {
  std::size_t compressed = 0;  // bytes of the stored block
  std::size_t inflated = 0;    // bytes it inflates to
};

// Inflates the block of `binder` (zlib's end of stream and checksum, nothing
// after it, no more than the entries' InflatedLength()) without keeping the
// inflated bytes, and checks that every entry lies wholly inside them.
// An empty block inflates to nothing. Fails with a message naming the fault:
// the block's zlib status ("data error" also for a block that inflates to
// more than its entries take), or the first entry that lies outside the
// inflated bytes.
// Memory: the inflater's working buffer (kInflateWorkSize).
Result<PayloadLengths> CheckPayload(const TFileArrayBinder& binder);

}  // namespace vlt
