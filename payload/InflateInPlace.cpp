#include "payload/InflateInPlace.h"

#include <cstdint>
#include <span>
#include <vector>

#include "common/ZLibEx.h"

namespace vlt {

int InflateInPlace(MemoryBuffer* buffer, std::size_t maxLength) {
  if (buffer == nullptr || buffer->Empty()) return kInflateOk;
  InflatedBytes inflated;
  const Inflated result = InflateStream(buffer->Bytes(), maxLength, inflated);
  if (result.status != kInflateOk) return result.status;
  return buffer->Assign(inflated.bytes) ? kInflateOk : kInflateMemoryError;
}

}  // namespace vlt
