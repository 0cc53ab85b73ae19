#include "common/ZLibEx.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "common/HeapBytes.h"

namespace vlt {
namespace {

// The zlib frame (RFC 1950): two header bytes, the deflate data, the
// Adler-32 of the inflated bytes. Deflate (RFC 1951) refers back at most
// 32 KiB; the working buffer always keeps that much of the output (or all
// of it, while there is less), so every distance is served from it.
constexpr unsigned kDeflateMethod = 8;
constexpr unsigned kMaxWindowBits = 15;
constexpr int kMaxCodeLength = 15;

// The bit buffer: a machine word, refilled a word at a time. The tests
// also build the inflater with VLT_INFLATE_WORD32 on a 64-bit host, to run
// the i686 program's way (a refill for each part of a length/distance pair).
#ifdef VLT_INFLATE_WORD32
using Word = std::uint32_t;
#else
using Word = std::size_t;
#endif
constexpr int kWordBits = static_cast<int>(sizeof(Word) * 8);
static_assert(std::endian::native == std::endian::little, "a word's first byte is its lowest");

// One entry of a decoding table. A table is indexed by the next input bits
// (the first bit lowest, as deflate packs its codes); an entry says how many
// of them its code takes (`bits`) and what the code means (`kind`, `value`).
struct Entry {
  std::uint16_t value;  // a literal byte, a base length or distance, or a sub-table's place
  std::uint8_t bits;
  std::uint8_t kind;  // below kInvalid: the extra bits that follow a base
};
constexpr std::uint8_t kInvalid = 0x10;  // a code the block does not define
constexpr std::uint8_t kEnd = 0x20;      // the end of the block
constexpr std::uint8_t kLink = 0x40;     // low bits: the sub-table's index bits
constexpr std::uint8_t kLiteral = 0x80;

// A code up to the root bits long is decoded by one lookup in the table's
// first 2^root entries; a longer one goes on in a sub-table after them,
// indexed by the bits after the root bits. The table sizes are the largest
// any code set that BuildTable accepts can need, as zlib's
// examples/enough.c counts them: 1332 for 286 literal/length symbols,
// 10 root bits and codes of at most 15 bits; 400 for 30 distance symbols
// and 8 root bits. The fixed codes need no sub-tables.
constexpr int kLiteralRootBits = 10;
constexpr int kDistanceRootBits = 8;
constexpr int kCodeLengthRootBits = 7;  // the code lengths' code has at most 7 bits
constexpr std::size_t kLiteralTableSize = 1332;
constexpr std::size_t kDistanceTableSize = 400;

constexpr int kLiteralSymbols = 288;  // 286 and 287 occur only in the fixed code, unused
constexpr int kDistanceSymbols = 32;  // 30 and 31 likewise

// Fills `table` for the canonical code (RFC 1951, 3.2.2) in which symbol s
// has a code of lengths[s] bits (0: none) and means meaning[s].
// Refuses, as zlib does, a set of lengths that is over-subscribed, or
// incomplete: where `loneCode` allows, a single code of one bit and no code
// at all are taken; their unused bit patterns (every pattern of a block
// without distances) decode as kInvalid.
bool BuildTable(Entry* table, std::size_t tableSize, int rootBits, const std::uint8_t* lengths,
                int symbols, const Entry* meaning, bool loneCode) {
  std::array<std::uint16_t, kMaxCodeLength + 1> count{};
  for (int s = 0; s < symbols; ++s) ++count[lengths[s]];
  int left = 1;  // codes of the current length still free
  for (int length = 1; length <= kMaxCodeLength; ++length) {
    left = left * 2 - count[length];
    if (left < 0) return false;
  }
  if (left > 0 && !(loneCode && count[0] + count[1] == symbols && count[1] <= 1)) return false;

  // The symbols in code order: by length, then by symbol.
  std::array<std::uint16_t, kMaxCodeLength + 2> offset{};
  for (int length = 1; length <= kMaxCodeLength; ++length) {
    offset[length + 1] = static_cast<std::uint16_t>(offset[length] + count[length]);
  }
  std::array<std::uint16_t, kLiteralSymbols> sorted;
  for (int s = 0; s < symbols; ++s) {
    if (lengths[s] != 0) sorted[offset[lengths[s]]++] = static_cast<std::uint16_t>(s);
  }

  const unsigned rootSize = 1u << rootBits;
  std::fill_n(table, rootSize, Entry{0, 0, kInvalid});
  unsigned code = 0;           // the current code, its first bit lowest
  unsigned prefix = rootSize;  // the root bits of the current sub-table's codes
  Entry* sub = table;          // the current sub-table
  int subBits = 0;
  std::size_t used = rootSize;
  const int coded = symbols - count[0];
  for (int i = 0; i < coded; ++i) {
    const int symbol = sorted[static_cast<std::size_t>(i)];
    const int length = lengths[symbol];
    Entry entry = meaning[symbol];
    if (length <= rootBits) {
      entry.bits = static_cast<std::uint8_t>(length);
      for (unsigned at = code; at < rootSize; at += 1u << length) table[at] = entry;
    } else {
      if ((code & (rootSize - 1)) != prefix) {
        // A new sub-table: wide enough for every code that shares these root
        // bits. Those are the next codes in order; count how deep they go.
        prefix = code & (rootSize - 1);
        subBits = length - rootBits;
        int room = 1 << subBits;
        while (subBits + rootBits < kMaxCodeLength) {
          room -= count[subBits + rootBits];
          if (room <= 0) break;
          ++subBits;
          room <<= 1;
        }
        if (used + (std::size_t{1} << subBits) > tableSize) return false;  // cannot happen
        table[prefix] = Entry{static_cast<std::uint16_t>(used), static_cast<std::uint8_t>(rootBits),
                              static_cast<std::uint8_t>(kLink | subBits)};
        sub = table + used;
        used += std::size_t{1} << subBits;
      }
      entry.bits = static_cast<std::uint8_t>(length - rootBits);
      for (unsigned at = code >> rootBits; at < 1u << subBits; at += 1u << (length - rootBits)) {
        sub[at] = entry;
      }
    }
    --count[length];
    // The next code: one more, counted from its last bit, which is the
    // highest here.
    unsigned step = 1u << (length - 1);
    while ((code & step) != 0) step >>= 1;
    code = step != 0 ? (code & (step - 1)) + step : 0;
  }
  return true;
}

// The Adler-32 of `adler`'s bytes followed by these.
std::uint32_t Adler32(std::uint32_t adler, const std::uint8_t* bytes, std::size_t length) {
  constexpr std::uint32_t kBase = 65521;
  // The most bytes whose sums cannot overflow 32 bits before the modulo.
  constexpr std::size_t kRun = 5552;
  std::uint32_t a = adler & 0xFFFF;
  std::uint32_t b = adler >> 16;
  while (length > 0) {
    const std::size_t run = std::min(length, kRun);
    length -= run;
    const std::uint8_t* const quads = bytes + (run & ~std::size_t{3});
    const std::uint8_t* const end = bytes + run;
    for (; bytes != quads; bytes += 4) {
      a += bytes[0];
      b += a;
      a += bytes[1];
      b += a;
      a += bytes[2];
      b += a;
      a += bytes[3];
      b += a;
    }
    for (; bytes != end; ++bytes) {
      a += *bytes;
      b += a;
    }
    a %= kBase;
    b %= kBase;
  }
  return b << 16 | a;
}

// The deflate data's bits, the first bit of each byte lowest. Past the
// input's end it reads zero bytes and counts them: a stream that takes one
// of those bits has ended early. The decoding loop keeps a copy of it in
// registers (the bytes it writes could otherwise be any object's).
struct BitReader {
  const std::uint8_t* next;  // the next byte to load
  const std::uint8_t* end;
  Word bits = 0;
  int held = 0;     // the bits in `bits`
  int padding = 0;  // of them, zero bits added past the input's end

  // Makes at least kWordBits - 8 bits available.
  [[gnu::always_inline]] void Refill() {
    if (end - next >= static_cast<std::ptrdiff_t>(sizeof(Word))) {
      Word word;
      std::memcpy(&word, next, sizeof word);
      // Takes the whole bytes that fit. The bits above `held` hold part of
      // the next byte, which a later refill puts there again.
      bits |= word << held;
      next += (kWordBits - 1 - held) >> 3;
      held |= kWordBits - 8;
    } else {
      *this = RefilledAtEnd(*this);
    }
  }
  // By value: the decoding loop's copy stays in registers.
  [[gnu::noinline]] static BitReader RefilledAtEnd(BitReader in) {
    for (; in.held <= kWordBits - 8; in.held += 8) {
      if (in.next != in.end) {
        in.bits |= Word{*in.next++} << in.held;
      } else {
        in.padding += 8;
      }
    }
    return in;
  }
  [[gnu::always_inline]] void Drop(int count) {
    bits >>= count;
    held -= count;
  }
  // The next `count` bits, the first bit lowest; Refill() must have made
  // them available.
  [[gnu::always_inline]] unsigned Take(int count) {
    const auto value = static_cast<unsigned>(bits & ((Word{1} << count) - 1));
    Drop(count);
    return value;
  }
  // The same, refilling first where needed (at most 16 bits).
  unsigned Bits(int count) {
    if (held < count) Refill();
    return Take(count);
  }
  // Whether the stream has taken bits past the input's end.
  bool Overrun() const { return held < padding; }
  // Drops the rest of the current byte and gives the whole bytes still held
  // back to the input, so that `next` is the next byte of the stream.
  // False when the stream has run past its end.
  bool ToByte() {
    Drop(held & 7);
    if (Overrun()) return false;
    next -= (held - padding) / 8;
    bits = 0;
    held = padding = 0;
    return true;
  }
};

// Not zlib codes: the working buffer is full (hand its bytes on and go on),
// and the stream inflates to more bytes than it may.
constexpr int kFull = -100;
constexpr int kPastEnd = -101;

// The farthest back a distance reaches: what stays in the working buffer
// when its bytes are handed on.
constexpr std::size_t kWindowSize = std::size_t{1} << kMaxWindowBits;
// Room a code may need: the longest copy, and seven bytes that the copy of
// eight bytes at a time may write past it.
constexpr std::size_t kCodeRoom = 258 + 8;
static_assert(kInflateMinWorkSize >= kWindowSize + 2 * kCodeRoom);

class Inflater {
 public:
  Inflater(std::span<const std::uint8_t> stream, std::uint8_t* work, std::size_t workSize,
           std::size_t maxLength, InflateSink& sink)
      : in_{stream.data(), stream.data() + stream.size()}, begin_(work), out_(work),
        stop_(work + workSize - kCodeRoom), end_(work + workSize), maxLength_(maxLength),
        sink_(sink) {
    // What each symbol means. Lengths 3 to 258 and distances 1 to 32,768:
    // bases that grow by 2^extra, the extra bits growing by one every four
    // length codes and every two distance codes (RFC 1951, 3.2.5).
    for (int s = 0; s < 256; ++s) literalMeaning_[s] = Entry{static_cast<std::uint16_t>(s), 0, kLiteral};
    literalMeaning_[256] = Entry{0, 0, kEnd};
    unsigned base = 3;
    for (int i = 0; i < 28; ++i) {
      const int extra = i < 8 ? 0 : (i - 4) / 4;
      literalMeaning_[257 + i] = Entry{static_cast<std::uint16_t>(base), 0, static_cast<std::uint8_t>(extra)};
      base += 1u << extra;
    }
    literalMeaning_[285] = Entry{258, 0, 0};
    literalMeaning_[286] = literalMeaning_[287] = Entry{0, 0, kInvalid};
    base = 1;
    for (int i = 0; i < 30; ++i) {
      const int extra = i < 4 ? 0 : (i - 2) / 2;
      distanceMeaning_[i] = Entry{static_cast<std::uint16_t>(base), 0, static_cast<std::uint8_t>(extra)};
      base += 1u << extra;
    }
    distanceMeaning_[30] = distanceMeaning_[31] = Entry{0, 0, kInvalid};
  }

  // The whole stream, the working buffer's bytes handed on each time it
  // fills.
  int Run() {
    if (const int header = Header(); header != kInflateOk) return header;
    for (;;) {
      int status = kInflateOk;
      if (block_ == Block::Between) {
        if (last_) return Trailer();
        last_ = in_.Bits(1) != 0;
        const unsigned type = in_.Bits(2);
        status = kInflateDataError;  // type 3 is reserved
        if (type == 0) status = StoredHeader();
        if (type == 1) status = FixedCodes();
        if (type == 2) status = DynamicCodes();
      }
      if (status == kInflateOk) status = block_ == Block::Stored ? StoredBytes() : Codes();
      if (status == kInflateOk) {
        block_ = Block::Between;
      } else if (status == kFull) {
        // All but the last 32 KiB go on; those move to the front.
        const std::size_t keep = kWindowSize;
        if (const int handed = HandOn(static_cast<std::size_t>(out_ - begin_) - keep);
            handed != kInflateOk) {
          return handed;
        }
        std::memmove(begin_, out_ - keep, keep);
        out_ = begin_ + keep;
      } else {
        // A failure met after the input ran out is the stream's end coming
        // too early, whatever the zero bits read past it seemed to say.
        return in_.Overrun() ? kInflateBufferError : status;
      }
    }
  }

  std::size_t Handed() const { return handed_; }

 private:
  enum class Block : std::uint8_t { Between, Stored, Codes };

  // Hands the working buffer's first `count` bytes to the sink.
  int HandOn(std::size_t count) {
    if (count > maxLength_ - handed_) return kPastEnd;
    adler_ = Adler32(adler_, begin_, count);
    if (!sink_.Take({begin_, count})) return kInflateMemoryError;
    handed_ += count;
    return kInflateOk;
  }

  // Checks the RFC 1950 header: deflate, a window of at most 32 KiB, the
  // header check; a preset dictionary cannot be had here.
  int Header() {
    if (in_.end - in_.next < 2) return kInflateBufferError;
    const unsigned cmf = *in_.next++;
    const unsigned flg = *in_.next++;
    const bool deflate = (cmf & 0x0F) == kDeflateMethod && (cmf >> 4) + 8 <= kMaxWindowBits;
    if (!deflate || (cmf << 8 | flg) % 31 != 0) return kInflateDataError;
    if ((flg & 0x20) != 0) return kInflateStreamError;
    return kInflateOk;
  }

  // The rest of the bytes go on; then the Adler-32 of them all, most
  // significant byte first, and nothing more.
  int Trailer() {
    if (!in_.ToByte() || in_.end - in_.next < 4) return kInflateBufferError;
    if (const int handed = HandOn(static_cast<std::size_t>(out_ - begin_)); handed != kInflateOk) {
      return handed;
    }
    std::uint32_t trailer = 0;
    for (int i = 0; i < 4; ++i) trailer = trailer << 8 | *in_.next++;
    if (trailer != adler_ || in_.next != in_.end) return kInflateDataError;
    return kInflateOk;
  }

  int StoredHeader() {
    in_.Drop(in_.held & 7);
    storedLeft_ = in_.Bits(16);
    if (in_.Bits(16) != (~storedLeft_ & 0xFFFF)) return kInflateDataError;
    // The bytes themselves come straight from the input.
    if (!in_.ToByte() || static_cast<std::size_t>(in_.end - in_.next) < storedLeft_) {
      return kInflateBufferError;
    }
    block_ = Block::Stored;
    return kInflateOk;
  }

  int StoredBytes() {
    const std::size_t count = std::min<std::size_t>(storedLeft_, static_cast<std::size_t>(end_ - out_));
    if (count > 0) std::memcpy(out_, in_.next, count);
    out_ += count;
    in_.next += count;
    storedLeft_ -= static_cast<unsigned>(count);
    return storedLeft_ > 0 ? kFull : kInflateOk;
  }

  int FixedCodes() {
    std::uint8_t lengths[kLiteralSymbols + kDistanceSymbols];
    std::fill(lengths, lengths + 144, 8);
    std::fill(lengths + 144, lengths + 256, 9);
    std::fill(lengths + 256, lengths + 280, 7);
    std::fill(lengths + 280, lengths + 288, 8);
    std::fill(lengths + 288, lengths + 320, 5);
    BuildTable(literals_, kLiteralTableSize, kLiteralRootBits, lengths, kLiteralSymbols,
               literalMeaning_, false);
    BuildTable(distances_, kDistanceTableSize, kDistanceRootBits, lengths + kLiteralSymbols,
               kDistanceSymbols, distanceMeaning_, false);
    block_ = Block::Codes;
    return kInflateOk;
  }

  int DynamicCodes() {
    const unsigned literalCount = in_.Bits(5) + 257;
    const unsigned distanceCount = in_.Bits(5) + 1;
    const unsigned lengthCodeCount = in_.Bits(4) + 4;
    if (literalCount > 286 || distanceCount > 30) return kInflateDataError;

    // The code that codes the code lengths, in its odd order; its table
    // borrows the literal table's place.
    static constexpr std::uint8_t kOrder[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                11, 4,  12, 3, 13, 2, 14, 1, 15};
    std::uint8_t lengths[286 + 30] = {};
    for (unsigned i = 0; i < lengthCodeCount; ++i) {
      lengths[kOrder[i]] = static_cast<std::uint8_t>(in_.Bits(3));
    }
    // zlib takes no incomplete code here, not even a single one. Its
    // symbols mean themselves, as the first literals do.
    if (!BuildTable(literals_, kLiteralTableSize, kCodeLengthRootBits, lengths, 19, literalMeaning_,
                    false)) {
      return kInflateDataError;
    }
    std::fill_n(lengths, 19, 0);

    // The lengths of both codes, one run: 16 repeats the previous length,
    // 17 and 18 repeat zero.
    const unsigned total = literalCount + distanceCount;
    for (unsigned at = 0; at < total;) {
      in_.Refill();
      const Entry entry = literals_[in_.bits & ((1u << kCodeLengthRootBits) - 1)];
      in_.Drop(entry.bits);
      const unsigned symbol = entry.value;
      if (symbol < 16) {
        lengths[at++] = static_cast<std::uint8_t>(symbol);
        continue;
      }
      unsigned repeat = 0;
      std::uint8_t length = 0;
      if (symbol == 16) {
        if (at == 0) return kInflateDataError;
        length = lengths[at - 1];
        repeat = 3 + in_.Bits(2);
      } else if (symbol == 17) {
        repeat = 3 + in_.Bits(3);
      } else {
        repeat = 11 + in_.Bits(7);
      }
      if (at + repeat > total) return kInflateDataError;
      std::fill(lengths + at, lengths + at + repeat, length);
      at += repeat;
    }
    if (lengths[256] == 0) return kInflateDataError;  // no end of block
    if (!BuildTable(literals_, kLiteralTableSize, kLiteralRootBits, lengths,
                    static_cast<int>(literalCount), literalMeaning_, true) ||
        !BuildTable(distances_, kDistanceTableSize, kDistanceRootBits, lengths + literalCount,
                    static_cast<int>(distanceCount), distanceMeaning_, true)) {
      return kInflateDataError;
    }
    block_ = Block::Codes;
    return kInflateOk;
  }

  // The literals and length/distance pairs of a block, to its end code or
  // until the working buffer is full. Every code is one lookup (two for a
  // code longer than the root bits); nothing is written before the bits it
  // comes from are known to be there. The reader and the output position
  // live in locals meanwhile: the bytes written could otherwise be any
  // object's, members included.
  int Codes() {
    // A refill makes at least kWordBits - 8 bits available: on a 64-bit
    // machine enough for a literal/length code, its extra bits, a distance
    // code and its extra bits; on a 32-bit one for each of the three parts.
    constexpr int kLengthBits = kMaxCodeLength + 5;
    constexpr int kDistanceBits = kMaxCodeLength + 13;
    constexpr bool kWholePairs = kWordBits - 8 >= kLengthBits + kDistanceBits;
    BitReader in = in_;
    std::uint8_t* out = out_;
    std::uint8_t* const begin = begin_;
    std::uint8_t* const stop = stop_;
    int status = kInflateOk;
    for (;;) {
      if (out > stop) {
        status = kFull;
        break;
      }
      if (in.held < kLengthBits) in.Refill();
      Entry entry = literals_[in.bits & ((1u << kLiteralRootBits) - 1)];
      if ((entry.kind & kLink) != 0) {
        in.Drop(kLiteralRootBits);
        entry = literals_[entry.value + (in.bits & ((1u << (entry.kind & 15)) - 1))];
      }
      in.Drop(entry.bits);
      if ((entry.kind & kLiteral) != 0) {
        if (in.Overrun()) {
          status = kInflateBufferError;
          break;
        }
        *out++ = static_cast<std::uint8_t>(entry.value);
        continue;
      }
      if (entry.kind >= kInvalid) {
        if ((entry.kind & kEnd) == 0) status = kInflateDataError;
        break;
      }
      const std::size_t length = entry.value + in.Take(entry.kind);

      if (in.held < (kWholePairs ? kDistanceBits : kMaxCodeLength)) in.Refill();
      entry = distances_[in.bits & ((1u << kDistanceRootBits) - 1)];
      if ((entry.kind & kLink) != 0) {
        in.Drop(kDistanceRootBits);
        entry = distances_[entry.value + (in.bits & ((1u << (entry.kind & 15)) - 1))];
      }
      in.Drop(entry.bits);
      if (!kWholePairs && in.held < 13) in.Refill();
      const std::size_t distance = entry.value + in.Take(entry.kind & 15);
      if (entry.kind >= kInvalid || in.Overrun() ||
          distance > static_cast<std::size_t>(out - begin)) {
        status = in.Overrun() ? kInflateBufferError : kInflateDataError;
        break;
      }

      // Eight bytes at a time where the source lies at least that far back
      // (the room after `stop` takes what the last eight write past the
      // copy); a run of one byte as a fill.
      std::uint8_t* to = out;
      const std::uint8_t* from = out - distance;
      out += length;
      if (distance >= 8) {
        do {
          std::memcpy(to, from, 8);
          to += 8;
          from += 8;
        } while (to < out);
      } else if (distance == 1) {
        std::memset(to, *from, length);
      } else {
        for (; to < out; ++to, ++from) *to = *from;
      }
    }
    in_ = in;
    out_ = out;
    return status;
  }

  BitReader in_;
  std::uint8_t* const begin_;
  std::uint8_t* out_;
  std::uint8_t* const stop_;  // a code starts only before this
  std::uint8_t* const end_;
  const std::size_t maxLength_;
  InflateSink& sink_;
  std::size_t handed_ = 0;
  std::uint32_t adler_ = 1;
  Block block_ = Block::Between;
  bool last_ = false;
  unsigned storedLeft_ = 0;
  Entry literalMeaning_[kLiteralSymbols];
  Entry distanceMeaning_[kDistanceSymbols];
  Entry literals_[kLiteralTableSize];
  Entry distances_[kDistanceTableSize];
};

}  // namespace

std::string InflateStatusText(int status) {
  // Indexed by 2 - status, zlib's own order.
  static constexpr std::array<const char*, 9> kTexts = {
      "need dictionary",     "stream end",   "",
      "file error",          "stream error", "data error",
      "insufficient memory", "buffer error", "incompatible version"};
  if (status > 2 || status < -6) return "unknown zlib status " + std::to_string(status);
  return kTexts[static_cast<std::size_t>(2 - status)];
}

Inflated InflateStream(std::span<const std::uint8_t> stream, std::size_t maxLength,
                       InflateSink& sink, std::size_t workSize) {
  workSize = std::max(workSize, kInflateMinWorkSize);
  const HeapBytes work = AllocateBytes(workSize);
  if (!work) return Inflated{.status = kInflateMemoryError};
  Inflater inflater(stream, work.get(), workSize, maxLength, sink);
  const int status = inflater.Run();
  if (status == kPastEnd) return Inflated{kInflateDataError, inflater.Handed(), true};
  return Inflated{status, inflater.Handed(), false};
}

}  // namespace vlt
