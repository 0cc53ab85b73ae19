#include <algorithm>
#include <cstdint>
#include <cstring>

#include "common/Concat.h"
#include "common/HeapBytes.h"
#include "common/ZLibEx.h"
#include "payload/FileArrayBinder.h"
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
    if (entry->DateiStart < 0 || entry->DateiGroesse < 0) return SIZE_MAX;
    end = std::max(end, static_cast<std::uint64_t>(entry->DateiStart) +
                            static_cast<std::uint64_t>(entry->DateiGroesse));
  }
  return static_cast<std::size_t>(std::min<std::uint64_t>(end, SIZE_MAX));
}

namespace {

// Keeps the bytes of one entry, `start` to `start + size` of the inflated
// block, as they pass.
class EntryBytes final : public InflateSink {
 public:
  EntryBytes(std::size_t start, std::size_t size)
      : start_(start), size_(size), bytes_(AllocateBytes(size)) {}

  bool Allocated() const { return bytes_ != nullptr; }
  std::span<const std::uint8_t> Bytes() const { return {bytes_.get(), size_}; }

  bool Take(std::span<const std::uint8_t> piece) override {
    // The part of the piece, which starts at at_, that lies in the entry.
    const std::size_t from = std::max(at_, start_);
    const std::size_t to = std::min(at_ + piece.size(), start_ + size_);
    if (from < to) std::memcpy(bytes_.get() + (from - start_), piece.data() + (from - at_), to - from);
    at_ += piece.size();
    return true;
  }

 private:
  std::size_t start_;
  std::size_t size_;
  HeapBytes bytes_;
  std::size_t at_ = 0;  // where the next piece starts in the inflated block
};

}  // namespace

Status TDatei::Entpacken(const std::string& Zielpfad, FileSystem& fs) const {
  // The container's block is only read. It may inflate to no more than the
  // entries take, so an entry outside that lies outside any block that
  // inflates.
  const TDateiSammlung& files = Collection();
  const std::size_t inflatedLength = files.InflatedLength();
  const auto outside = [&] {
    return Fault(Concat({"entry ", Dateiname, " lies outside the inflated block"}));
  };
  if (!LiesWithin(inflatedLength)) return outside();
  const auto start = static_cast<std::size_t>(DateiStart);
  const auto size = static_cast<std::size_t>(DateiGroesse);

  // The whole block is inflated and checked; only the entry's bytes are
  // kept, and they go from there to the file.
  EntryBytes entry(start, size);
  if (!entry.Allocated()) return Fault("the entry does not fit in memory");
  const std::span<const std::uint8_t> block = files.SammlungsDaten().Bytes();
  if (!block.empty()) {
    const Inflated inflated = InflateStream(block, inflatedLength, entry);
    if (inflated.status != kInflateOk) {
      return Fault(Concat({"the compressed block does not inflate: ",
                           InflateStatusText(inflated.status)}));
    }
    if (!LiesWithin(inflated.length)) return outside();
  } else if (!LiesWithin(0)) {
    return outside();  // an empty block inflates to nothing
  }
  return fs.WriteFile(Zielpfad, entry.Bytes());
}

}  // namespace vlt
