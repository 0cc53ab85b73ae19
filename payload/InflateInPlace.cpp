#include "payload/InflateInPlace.h"

#include <algorithm>
#include <deque>
#include <vector>

#include "payload/ZLibEx.h"

namespace vlt {
namespace {

// Collects the inflated bytes in fixed pieces. A single growing vector would
// move its content on every growth and briefly hold up to three times the
// inflated size; pieces are never moved, and each is released as soon as it
// has been copied out.
class PieceBuffer : public ByteSink {
 public:
  static constexpr std::size_t kPieceSize = 256 * 1024;

  void Append(std::span<const std::uint8_t> bytes) override {
    while (!bytes.empty()) {
      if (pieces_.empty() || pieces_.back().size() == kPieceSize) {
        pieces_.emplace_back();
        pieces_.back().reserve(kPieceSize);
      }
      std::vector<std::uint8_t>& piece = pieces_.back();
      const std::size_t count = std::min(bytes.size(), kPieceSize - piece.size());
      piece.insert(piece.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count));
      bytes = bytes.subspan(count);
      size_ += count;
    }
  }

  std::size_t Size() const { return size_; }

  // Moves every byte to the end of `target`, releasing the pieces on the way.
  // The last piece is trimmed first, so that while `target` fills, the two
  // copies together never exceed twice the inflated size.
  void MoveInto(MemoryBuffer& target) {
    if (!pieces_.empty()) pieces_.back().shrink_to_fit();
    target.Reserve(target.Size() + size_);
    while (!pieces_.empty()) {
      target.Append(pieces_.front());
      size_ -= pieces_.front().size();
      pieces_.pop_front();
    }
  }

 private:
  std::deque<std::vector<std::uint8_t>> pieces_;
  std::size_t size_ = 0;
};

}  // namespace

void InflateInPlace(MemoryBuffer* buffer) {
  if (buffer == nullptr || buffer->Empty()) return;
  PieceBuffer inflated;
  buffer->Seek(0);
  InflateStream(*buffer, inflated);
  buffer->Clear();
  inflated.MoveInto(*buffer);
  buffer->Seek(0);
}

}  // namespace vlt
