#include "payload/InflateInPlace.h"

#include <algorithm>
#include <deque>
#include <new>
#include <vector>

#include "payload/ZLibEx.h"

namespace vlt {
namespace {

// Deflate never shrinks data by more than about 1032 to 1: a guess of the
// inflated length beyond that cannot be right and would only reserve memory
// for nothing.
constexpr std::size_t kMaxInflateRatio = 1032;

// Collects the inflated bytes in pieces that are never moved: a single
// growing vector would move its content on every growth and briefly hold up
// to three times the inflated size. The first piece has the expected length
// (when one is known and can be had), every later one a fixed size; each is
// released as soon as it has been copied out.
class PieceBuffer : public ByteSink {
 public:
  static constexpr std::size_t kPieceSize = 256 * 1024;

  explicit PieceBuffer(std::size_t firstPiece) {
    if (firstPiece == 0) return;
    try {
      pieces_.emplace_back();
      pieces_.back().reserve(firstPiece);
    } catch (const std::bad_alloc&) {
      // Only a guess: fixed pieces serve as well, if more slowly.
      pieces_.clear();
    }
  }

  void Append(std::span<const std::uint8_t> bytes) override {
    while (!bytes.empty()) {
      if (pieces_.empty() || pieces_.back().size() == pieces_.back().capacity()) {
        pieces_.emplace_back();
        pieces_.back().reserve(kPieceSize);
      }
      std::vector<std::uint8_t>& piece = pieces_.back();
      const std::size_t count = std::min(bytes.size(), piece.capacity() - piece.size());
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

void InflateInPlace(MemoryBuffer* buffer, std::size_t expectedLength) {
  if (buffer == nullptr || buffer->Empty()) return;
  const std::size_t possible = buffer->Size() > SIZE_MAX / kMaxInflateRatio
                                   ? SIZE_MAX
                                   : buffer->Size() * kMaxInflateRatio + 64;
  PieceBuffer inflated(expectedLength <= possible ? expectedLength : 0);
  buffer->Seek(0);
  InflateStream(*buffer, inflated);
  buffer->Clear();
  inflated.MoveInto(*buffer);
  buffer->Seek(0);
}

}  // namespace vlt
