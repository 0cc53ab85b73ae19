#include <cstdint>

#include "payload/FileArrayBinder.h"
#include "payload/InflateInPlace.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"

namespace vlt {

bool TDatei::Entpacken(const std::string& Zielpfad, FileSystem& fs) const {
  // A private copy, so that the container's block is never touched.
  MemoryBuffer block;
  block.Assign(Collection().SammlungsDaten().Bytes());
  InflateInPlace(&block);

  // The entry must lie wholly inside the inflated block; the sum is formed in
  // 64 bits so that no pair of 32-bit values can wrap around.
  if (DateiStart < 0 || DateiGroesse < 0) return false;
  const auto start = static_cast<std::uint64_t>(DateiStart);
  const auto size = static_cast<std::uint64_t>(DateiGroesse);
  if (start + size > block.Size()) return false;

  // The entry's bytes go straight from the inflated block to the file: no
  // third copy of them is needed.
  try {
    fs.WriteFile(Zielpfad, block.Bytes().subspan(static_cast<std::size_t>(start),
                                                 static_cast<std::size_t>(size)));
  } catch (const FileError&) {
    return false;
  }
  return true;
}

}  // namespace vlt
