#include <algorithm>
#include <cstdint>

#include "payload/FileArrayBinder.h"
#include "payload/InflateInPlace.h"
#include "platform/FileSystem.h"

namespace vlt {

bool TDatei::LiesWithin(std::size_t inflatedLength) const {
  // Formed in 64 bits so that no pair of 32-bit values can wrap around.
  if (DateiStart < 0 || DateiGroesse < 0) return false;
  const auto end = static_cast<std::uint64_t>(DateiStart) + static_cast<std::uint64_t>(DateiGroesse);
  return end <= inflatedLength;
}

std::size_t TDateiSammlung::InflatedLength() const {
  std::uint64_t end = 0;
  for (const auto& entry : items_) {
    if (entry->DateiStart < 0 || entry->DateiGroesse < 0) continue;
    end = std::max(end, static_cast<std::uint64_t>(entry->DateiStart) +
                            static_cast<std::uint64_t>(entry->DateiGroesse));
  }
  return static_cast<std::size_t>(std::min<std::uint64_t>(end, SIZE_MAX));
}

bool TDatei::Entpacken(const std::string& Zielpfad, FileSystem& fs) const {
  // The container's block is only read: inflated straight into a buffer of
  // the length the table implies, which the entry is cut from.
  MemoryBuffer block;
  if (InflateCopy(Collection().SammlungsDaten().Bytes(), block,
                  Collection().InflatedLength()) != 0) {
    return false;
  }

  if (!LiesWithin(block.Size())) return false;
  const auto start = static_cast<std::size_t>(DateiStart);
  const auto size = static_cast<std::size_t>(DateiGroesse);

  // The entry's bytes go straight from the inflated block to the file: no
  // third copy of them is needed.
  return fs.WriteFile(Zielpfad, block.Bytes().subspan(start, size)).Ok();
}

}  // namespace vlt
