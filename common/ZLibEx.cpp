#include "common/ZLibEx.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "common/HeapBytes.h"

namespace vlt {
namespace {

// The zlib frame (RFC 1950): two header bytes, the deflate data, the
// Adler-32 of the inflated bytes. Deflate (RFC 1951) refers back at most
// 32 KiB, so a window of that size is all the history the decoder keeps.
constexpr unsigned kDeflateMethod = 8;
constexpr unsigned kMaxWindowBits = 15;
constexpr std::size_t kWindowSize = std::size_t{1} << kMaxWindowBits;
constexpr std::size_t kInputSize = 0x8000;

// The source's bytes, a buffer at a time.
class Input {
 public:
  explicit Input(ByteSource& source) : source_(source), buffer_(AllocateBytes(kInputSize)) {}

  bool Allocated() const { return buffer_ != nullptr; }
  // Whether another byte is there; reads the next buffer when needed.
  bool More() {
    if (next_ == end_) {
      next_ = buffer_.get();
      end_ = next_ + source_.Read(std::span<std::uint8_t>(buffer_.get(), kInputSize));
    }
    return next_ != end_;
  }
  // The next byte into `byte`; false when the source has ended.
  bool Byte(unsigned& byte) {
    if (!More()) return false;
    byte = *next_++;
    return true;
  }

 private:
  ByteSource& source_;
  HeapBytes buffer_;
  const std::uint8_t* next_ = nullptr;
  const std::uint8_t* end_ = nullptr;
};

// The deflate data's bits, least significant bit of each byte first.
class BitReader {
 public:
  explicit BitReader(Input& input) : input_(input) {}

  // The next `count` (at most 16) bits as a number, the first bit lowest;
  // false when the input ends before them.
  bool Bits(int count, unsigned& value) {
    while (held_ < count) {
      unsigned byte = 0;
      if (!input_.Byte(byte)) return false;
      bits_ |= std::uint32_t{byte} << held_;
      held_ += 8;
    }
    value = bits_ & ((std::uint32_t{1} << count) - 1);
    bits_ >>= count;
    held_ -= count;
    return true;
  }
  // Drops the rest of the current byte. Fewer than eight bits are ever
  // held between calls, so what follows is read from the input itself.
  void SkipToByte() {
    bits_ = 0;
    held_ = 0;
  }

 private:
  Input& input_;
  std::uint32_t bits_ = 0;
  int held_ = 0;
};

std::uint32_t Adler32(std::uint32_t adler, const std::uint8_t* bytes, std::size_t length) {
  constexpr std::uint32_t kBase = 65521;
  // The most bytes whose sums cannot overflow 32 bits before the modulo.
  constexpr std::size_t kRun = 5552;
  std::uint32_t a = adler & 0xFFFF;
  std::uint32_t b = adler >> 16;
  while (length > 0) {
    const std::size_t run = std::min(length, kRun);
    for (std::size_t i = 0; i < run; ++i) {
      a += bytes[i];
      b += a;
    }
    a %= kBase;
    b %= kBase;
    bytes += run;
    length -= run;
  }
  return b << 16 | a;
}

// The last 32 KiB of output, for the back references, and the way out to
// the target: a full window, and what is left at the end, goes to it.
class Output {
 public:
  Output(ByteSink& target, std::uint8_t* window) : target_(target), window_(window) {}

  std::uint64_t Total() const { return total_; }
  std::uint32_t Adler() const { return adler_; }

  // False when the target refused earlier bytes.
  bool Put(std::uint8_t byte) {
    window_[at_++] = byte;
    ++total_;
    return at_ < kWindowSize || Flush();
  }
  // `length` bytes from `distance` back; the distance is checked against
  // the output so far by the caller.
  bool Copy(std::size_t distance, std::size_t length) {
    for (; length > 0; --length) {
      if (!Put(window_[(at_ - distance) & (kWindowSize - 1)])) return false;
    }
    return true;
  }
  // Hands the window's unsent bytes to the target; the window starts over
  // once it is full.
  bool Flush() {
    adler_ = Adler32(adler_, window_ + sent_, at_ - sent_);
    const bool taken = Deliver(std::span<const std::uint8_t>(window_ + sent_, at_ - sent_));
    if (at_ == kWindowSize) at_ = 0;
    sent_ = at_;
    return taken;
  }

 private:
  // Into the target's room while it has some, the rest by Append.
  bool Deliver(std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
      const std::span<std::uint8_t> room = target_.Room();
      if (room.empty()) return target_.Append(bytes);
      const std::size_t count = std::min(room.size(), bytes.size());
      std::copy_n(bytes.data(), count, room.data());
      target_.Commit(count);
      bytes = bytes.subspan(count);
    }
    return true;
  }

  ByteSink& target_;
  std::uint8_t* window_;
  std::size_t at_ = 0;    // where the next byte goes
  std::size_t sent_ = 0;  // the first byte not yet handed to the target
  std::uint64_t total_ = 0;
  std::uint32_t adler_ = 1;
};

// A canonical Huffman code (RFC 1951, 3.2.2): how many codes each length
// has, and the symbols in code order. Decoding walks the lengths: the codes
// of one length are consecutive numbers, so a code read so far either lies
// among them or continues with the next bit.
constexpr int kMaxCodeLength = 15;
constexpr int kMaxSymbols = 288;

struct HuffmanCode {
  std::array<std::uint16_t, kMaxCodeLength + 1> count{};
  std::array<std::uint16_t, kMaxSymbols> symbol{};
};

enum class CodeShape { Complete, Incomplete, OverSubscribed };

// The code for the `lengths` of symbols 0, 1, ... (0: the symbol is unused).
CodeShape BuildCode(HuffmanCode& code, const std::uint8_t* lengths, int symbols) {
  code.count.fill(0);
  for (int s = 0; s < symbols; ++s) ++code.count[lengths[s]];
  // No codes at all: a distance code of zero bits says the block has no
  // distances; decoding with it fails.
  if (code.count[0] == symbols) return CodeShape::Complete;
  int left = 1;  // codes of the current length still free
  for (int length = 1; length <= kMaxCodeLength; ++length) {
    left = left * 2 - code.count[length];
    if (left < 0) return CodeShape::OverSubscribed;
  }
  std::array<std::uint16_t, kMaxCodeLength + 1> offset{};
  for (int length = 1; length < kMaxCodeLength; ++length) {
    offset[length + 1] = static_cast<std::uint16_t>(offset[length] + code.count[length]);
  }
  for (int s = 0; s < symbols; ++s) {
    if (lengths[s] != 0) code.symbol[offset[lengths[s]]++] = static_cast<std::uint16_t>(s);
  }
  return left > 0 ? CodeShape::Incomplete : CodeShape::Complete;
}

// The lengths and distances of the length/distance pairs (RFC 1951, 3.2.5).
constexpr std::uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10,  11,  13,
                                           15, 17, 19, 23, 27, 31, 35, 43,  51,  59,
                                           67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                           2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::uint16_t kDistanceBase[30] = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                             6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

class Inflater {
 public:
  Inflater(Input& input, Output& output) : input_(input), bits_(input), output_(output) {}

  // The deflate blocks up to and including the last one.
  int Blocks() {
    unsigned last = 0;
    do {
      unsigned type = 0;
      if (!bits_.Bits(1, last) || !bits_.Bits(2, type)) return kInflateBufferError;
      int status = kInflateDataError;  // type 3 is reserved
      if (type == 0) status = StoredBlock();
      if (type == 1) status = FixedBlock();
      if (type == 2) status = DynamicBlock();
      if (status != kInflateOk) return status;
    } while (last == 0);
    bits_.SkipToByte();
    return output_.Flush() ? kInflateOk : kInflateMemoryError;
  }

 private:
  int StoredBlock() {
    bits_.SkipToByte();
    unsigned header[4] = {};
    for (unsigned& byte : header) {
      if (!input_.Byte(byte)) return kInflateBufferError;
    }
    const unsigned length = header[0] | header[1] << 8;
    if ((header[2] | header[3] << 8) != (~length & 0xFFFF)) return kInflateDataError;
    for (unsigned i = 0; i < length; ++i) {
      unsigned byte = 0;
      if (!input_.Byte(byte)) return kInflateBufferError;
      if (!output_.Put(static_cast<std::uint8_t>(byte))) return kInflateMemoryError;
    }
    return kInflateOk;
  }

  int FixedBlock() {
    // Literal/lengths 286 and 287 and distances 30 and 31 have codes that
    // no data may use.
    std::uint8_t lengths[kMaxSymbols + 32];
    std::fill(lengths, lengths + 144, 8);
    std::fill(lengths + 144, lengths + 256, 9);
    std::fill(lengths + 256, lengths + 280, 7);
    std::fill(lengths + 280, lengths + 288, 8);
    std::fill(lengths + 288, lengths + 320, 5);
    BuildCode(literals_, lengths, kMaxSymbols);
    BuildCode(distances_, lengths + kMaxSymbols, 32);
    return Codes();
  }

  int DynamicBlock() {
    unsigned literalCount = 0;
    unsigned distanceCount = 0;
    unsigned lengthCodeCount = 0;
    if (!bits_.Bits(5, literalCount) || !bits_.Bits(5, distanceCount) ||
        !bits_.Bits(4, lengthCodeCount)) {
      return kInflateBufferError;
    }
    literalCount += 257;
    distanceCount += 1;
    lengthCodeCount += 4;
    if (literalCount > 286 || distanceCount > 30) return kInflateDataError;

    // The code that codes the code lengths, in its odd order.
    static constexpr std::uint8_t kOrder[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                11, 4,  12, 3, 13, 2, 14, 1, 15};
    std::uint8_t lengths[286 + 30] = {};
    for (unsigned i = 0; i < lengthCodeCount; ++i) {
      unsigned length = 0;
      if (!bits_.Bits(3, length)) return kInflateBufferError;
      lengths[kOrder[i]] = static_cast<std::uint8_t>(length);
    }
    if (BuildCode(literals_, lengths, 19) != CodeShape::Complete) return kInflateDataError;

    // The lengths of both codes, one run: 16 repeats the previous length,
    // 17 and 18 repeat zero.
    const unsigned total = literalCount + distanceCount;
    for (unsigned at = 0; at < total;) {
      int symbol = 0;
      if (const int status = Decode(literals_, symbol); status != kInflateOk) return status;
      if (symbol < 16) {
        lengths[at++] = static_cast<std::uint8_t>(symbol);
        continue;
      }
      unsigned repeat = 0;
      std::uint8_t length = 0;
      bool read = false;
      if (symbol == 16) {
        if (at == 0) return kInflateDataError;
        length = lengths[at - 1];
        read = bits_.Bits(2, repeat);
        repeat += 3;
      } else if (symbol == 17) {
        read = bits_.Bits(3, repeat);
        repeat += 3;
      } else {
        read = bits_.Bits(7, repeat);
        repeat += 11;
      }
      if (!read) return kInflateBufferError;
      if (at + repeat > total) return kInflateDataError;
      std::fill(lengths + at, lengths + at + repeat, length);
      at += repeat;
    }
    if (lengths[256] == 0) return kInflateDataError;  // no end of block

    // An incomplete code is only allowed as one single code.
    const CodeShape literalShape = BuildCode(literals_, lengths, static_cast<int>(literalCount));
    if (literalShape == CodeShape::OverSubscribed ||
        (literalShape == CodeShape::Incomplete &&
         literalCount - literals_.count[0] != 1)) {
      return kInflateDataError;
    }
    const CodeShape distanceShape =
        BuildCode(distances_, lengths + literalCount, static_cast<int>(distanceCount));
    if (distanceShape == CodeShape::OverSubscribed ||
        (distanceShape == CodeShape::Incomplete &&
         distanceCount - distances_.count[0] != 1)) {
      return kInflateDataError;
    }
    return Codes();
  }

  // The literals and length/distance pairs of a block, to its end code.
  int Codes() {
    for (;;) {
      int symbol = 0;
      if (const int status = Decode(literals_, symbol); status != kInflateOk) return status;
      if (symbol < 256) {
        if (!output_.Put(static_cast<std::uint8_t>(symbol))) return kInflateMemoryError;
        continue;
      }
      if (symbol == 256) return kInflateOk;
      symbol -= 257;
      if (symbol >= 29) return kInflateDataError;
      unsigned extra = 0;
      if (!bits_.Bits(kLengthExtra[symbol], extra)) return kInflateBufferError;
      const unsigned length = kLengthBase[symbol] + extra;

      int distanceSymbol = 0;
      if (const int status = Decode(distances_, distanceSymbol); status != kInflateOk) {
        return status;
      }
      if (distanceSymbol >= 30) return kInflateDataError;
      if (!bits_.Bits(kDistanceExtra[distanceSymbol], extra)) return kInflateBufferError;
      const unsigned distance = kDistanceBase[distanceSymbol] + extra;
      // A distance before the start of the output.
      if (distance > output_.Total()) return kInflateDataError;
      if (!output_.Copy(distance, length)) return kInflateMemoryError;
    }
  }

  // The next symbol of `code`.
  int Decode(const HuffmanCode& code, int& symbol) {
    int value = 0;  // the bits read so far
    int first = 0;  // the first code of the current length
    int index = 0;  // the first code's place in the symbol list
    for (int length = 1; length <= kMaxCodeLength; ++length) {
      unsigned bit = 0;
      if (!bits_.Bits(1, bit)) return kInflateBufferError;
      value |= static_cast<int>(bit);
      const int count = code.count[length];
      if (value - first < count) {
        symbol = code.symbol[index + value - first];
        return kInflateOk;
      }
      index += count;
      first = (first + count) << 1;
      value <<= 1;
    }
    return kInflateDataError;  // a code the block does not define
  }

  Input& input_;
  BitReader bits_;
  Output& output_;
  HuffmanCode literals_;
  HuffmanCode distances_;
};

// Checks the RFC 1950 header: deflate, a window of at most 32 KiB, the
// header check; a preset dictionary cannot be had here.
int ReadHeader(Input& input) {
  unsigned cmf = 0;
  unsigned flg = 0;
  if (!input.Byte(cmf) || !input.Byte(flg)) return kInflateBufferError;
  const bool deflate = (cmf & 0x0F) == kDeflateMethod && (cmf >> 4) + 8 <= kMaxWindowBits;
  if (!deflate || (cmf << 8 | flg) % 31 != 0) return kInflateDataError;
  if ((flg & 0x20) != 0) return kInflateStreamError;
  return kInflateOk;
}

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

int InflateStream(ByteSource& source, ByteSink& target) {
  Input input(source);
  const HeapBytes window = AllocateBytes(kWindowSize);
  if (!input.Allocated() || !window) return kInflateMemoryError;
  if (const int header = ReadHeader(input); header != kInflateOk) return header;

  Output output(target, window.get());
  Inflater inflater(input, output);
  if (const int status = inflater.Blocks(); status != kInflateOk) return status;

  // The Adler-32 of the inflated bytes, most significant byte first, and
  // then nothing more.
  std::uint32_t trailer = 0;
  for (int i = 0; i < 4; ++i) {
    unsigned byte = 0;
    if (!input.Byte(byte)) return kInflateBufferError;
    trailer = trailer << 8 | byte;
  }
  if (trailer != output.Adler() || input.More()) return kInflateDataError;
  return kInflateOk;
}

}  // namespace vlt
