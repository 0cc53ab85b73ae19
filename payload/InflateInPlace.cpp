#include "payload/InflateInPlace.h"

#include <cstring>
#include <memory>
#include <vector>

#include "common/ZLibEx.h"

namespace vlt {
namespace {

// Deflate never shrinks data by more than about 1032 to 1: a guess of the
// inflated length beyond that cannot be right and would only reserve memory
// for nothing.
constexpr std::size_t kMaxInflateRatio = 1032;

// Collects the inflated bytes in pieces that are never moved: a single
// growing buffer would move its content on every growth and briefly hold up
// to three times the inflated size. The first piece has the expected length
// (when one is known and can be had), every later one a fixed size; the
// inflater writes into them in place (Room), and each is released as soon
// as it has been copied out.
class PieceBuffer : public ByteSink {
 public:
  static constexpr std::size_t kPieceSize = 256 * 1024;

  // Without memory for the first piece, fixed pieces serve as well (the
  // length was only a guess), if more slowly.
  explicit PieceBuffer(std::size_t firstPiece) {
    if (firstPiece > 0) static_cast<void>(AddPiece(firstPiece));
  }

  std::span<std::uint8_t> Room() override {
    if (pieces_.empty()) return {};
    Piece& last = pieces_.back();
    return {last.bytes.get() + last.size, last.capacity - last.size};
  }

  void Commit(std::size_t count) override {
    pieces_.back().size += count;
    size_ += count;
  }

  bool Append(std::span<const std::uint8_t> bytes) override {
    while (!bytes.empty()) {
      if (pieces_.empty() || pieces_.back().size == pieces_.back().capacity) {
        if (!AddPiece(kPieceSize)) return false;
      }
      const std::span<std::uint8_t> room = Room();
      const std::size_t count = std::min(bytes.size(), room.size());
      std::memcpy(room.data(), bytes.data(), count);
      Commit(count);
      bytes = bytes.subspan(count);
    }
    return true;
  }

  // Moves every byte into `target`, replacing its content, and releases the
  // pieces on the way. The last piece is trimmed first, so that while
  // `target` fills, the two copies together never exceed twice the inflated
  // size. False when memory for `target` cannot be had; `target` is then
  // unchanged.
  bool MoveInto(MemoryBuffer& target) {
    if (!pieces_.empty() && pieces_.back().size == 0) pieces_.pop_back();
    if (!pieces_.empty() && pieces_.back().size < pieces_.back().capacity) {
      Piece& last = pieces_.back();
      if (HeapBytes exact = AllocateBytes(last.size)) {
        std::memcpy(exact.get(), last.bytes.get(), last.size);
        last.bytes = std::move(exact);
        last.capacity = last.size;
      }
    }
    MemoryBuffer moved;
    if (!moved.Reserve(size_)) return false;
    for (Piece& piece : pieces_) {
      static_cast<void>(moved.Append({piece.bytes.get(), piece.size}));  // reserved
      size_ -= piece.size;
      piece.bytes.reset();
    }
    pieces_.clear();
    target = std::move(moved);
    return true;
  }

 private:
  struct Piece {
    HeapBytes bytes;
    std::size_t capacity = 0;
    std::size_t size = 0;
  };

  bool AddPiece(std::size_t capacity) {
    HeapBytes bytes = AllocateBytes(capacity);
    if (!bytes) return false;
    pieces_.push_back(Piece{std::move(bytes), capacity, 0});
    return true;
  }

  std::vector<Piece> pieces_;
  std::size_t size_ = 0;
};

std::size_t UsableGuess(std::size_t compressedLength, std::size_t expectedLength) {
  const std::size_t possible = compressedLength > (SIZE_MAX - 64) / kMaxInflateRatio
                                   ? SIZE_MAX
                                   : compressedLength * kMaxInflateRatio + 64;
  return expectedLength <= possible ? expectedLength : 0;
}

}  // namespace

int InflateInPlace(MemoryBuffer* buffer, std::size_t expectedLength) {
  if (buffer == nullptr || buffer->Empty()) return kInflateOk;
  PieceBuffer inflated(UsableGuess(buffer->Size(), expectedLength));
  SpanSource source(buffer->Bytes());
  if (const int status = InflateStream(source, inflated); status != kInflateOk) return status;
  // The compressed bytes go before the copy back: never more than twice the
  // inflated bytes at once.
  buffer->Clear();
  return inflated.MoveInto(*buffer) ? kInflateOk : kInflateMemoryError;
}

int InflateCopy(std::span<const std::uint8_t> compressed, MemoryBuffer& target,
                std::size_t expectedLength) {
  if (compressed.empty()) {
    target.Clear();
    return kInflateOk;
  }
  PieceBuffer inflated(UsableGuess(compressed.size(), expectedLength));
  SpanSource source(compressed);
  if (const int status = InflateStream(source, inflated); status != kInflateOk) return status;
  return inflated.MoveInto(target) ? kInflateOk : kInflateMemoryError;
}

}  // namespace vlt
