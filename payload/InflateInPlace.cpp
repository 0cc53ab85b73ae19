#include "payload/InflateInPlace.h"

#include <algorithm>

#include "common/ZLibEx.h"

namespace vlt {

int InflateCopy(std::span<const std::uint8_t> compressed, MemoryBuffer& target,
                std::size_t maxLength) {
  if (compressed.empty()) {
    target.Clear();
    return kInflateOk;
  }
  MemoryBuffer inflated;
  if (!inflated.Reserve(std::min(maxLength, MaxInflatedLength(compressed.size())))) {
    return kInflateMemoryError;
  }
  const Inflated result = InflateInto(compressed, inflated.Spare());
  if (result.status != kInflateOk) return result.status;
  inflated.Grow(result.length);
  target = std::move(inflated);
  return kInflateOk;
}

int InflateInPlace(MemoryBuffer* buffer, std::size_t maxLength) {
  if (buffer == nullptr || buffer->Empty()) return kInflateOk;
  return InflateCopy(buffer->Bytes(), *buffer, maxLength);
}

}  // namespace vlt
