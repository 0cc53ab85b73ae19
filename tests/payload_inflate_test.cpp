#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/ZLibEx.h"
#include "payload_data/PayloadSamples.h"

namespace vlt {
namespace {

using samples::Bytes;

// What InflateStream made of `block`, at most `maxLength` bytes, through a
// working buffer of `workSize` bytes.
struct Outcome {
  int status = Z_OK;
  bool pastEnd = false;
  Bytes bytes;  // what the sink was handed
};
Outcome Inflate(const Bytes& block, std::size_t maxLength,
                std::size_t workSize = kInflateWorkSize) {
  struct Collected : InflateSink {
    bool Take(std::span<const std::uint8_t> piece) override {
      bytes.insert(bytes.end(), piece.begin(), piece.end());
      return true;
    }
    Bytes bytes;
  } sink;
  const Inflated result = InflateStream(block, maxLength, sink, workSize);
  EXPECT_EQ(result.length, sink.bytes.size());
  EXPECT_LE(sink.bytes.size(), maxLength) << "more than the most handed on";
  return Outcome{result.status, result.pastEnd, std::move(sink.bytes)};
}

TEST(InflateStatus, TextsFollowZlibsCodes) {
  const struct {
    int code;
    const char* text;
  } cases[] = {
      {2, "need dictionary"},
      {1, "stream end"},
      {0, ""},
      {-1, "file error"},
      {-2, "stream error"},
      {-3, "data error"},
      {-4, "insufficient memory"},
      {-5, "buffer error"},
      {-6, "incompatible version"},
      {-7, "unknown zlib status -7"},
      {3, "unknown zlib status 3"},
  };
  for (const auto& c : cases) EXPECT_EQ(InflateStatusText(c.code), c.text) << c.code;
}

// Deflate in the zlib format at `level` with a window of 2^bits bytes (9 to
// 15), the given strategy and, when one is given, a preset dictionary.
Bytes CompressWith(const Bytes& data, int level, int bits, int strategy,
                   const Bytes& dictionary = {}) {
  z_stream s{};
  EXPECT_EQ(deflateInit2(&s, level, Z_DEFLATED, bits, 8, strategy), Z_OK);
  if (!dictionary.empty()) {
    deflateSetDictionary(&s, dictionary.data(), static_cast<uInt>(dictionary.size()));
  }
  Bytes out(deflateBound(&s, static_cast<uLong>(data.size())));
  s.next_in = const_cast<Bytef*>(data.data());
  s.avail_in = static_cast<uInt>(data.size());
  s.next_out = out.data();
  s.avail_out = static_cast<uInt>(out.size());
  EXPECT_EQ(deflate(&s, Z_FINISH), Z_STREAM_END);
  out.resize(s.total_out);
  deflateEnd(&s);
  return out;
}

Bytes Noise(std::size_t size) {
  Bytes noise(size);
  std::uint32_t state = 12345;
  for (std::uint8_t& byte : noise) {
    state = state * 1103515245 + 12345;
    byte = static_cast<std::uint8_t>(state >> 16);
  }
  return noise;
}

TEST(InflateStream, InflatesEveryBlockKindZlibMakes) {
  // Program-like bytes, then noise (stored blocks, or literals only), then
  // a repeat of it 32 KiB back (the farthest distance), then a long run.
  Bytes data = samples::ExeLike(30000, 8);
  const Bytes noise = Noise(33068);
  data.insert(data.end(), noise.begin(), noise.end());
  data.insert(data.end(), noise.begin(), noise.begin() + 300);
  data.insert(data.end(), 5000, 0);
  const struct {
    const char* name;
    int strategy;
  } strategies[] = {{"default", Z_DEFAULT_STRATEGY}, {"filtered", Z_FILTERED},
                    {"Huffman only", Z_HUFFMAN_ONLY}, {"RLE", Z_RLE},
                    {"fixed", Z_FIXED}};
  for (const auto& strategy : strategies) {
    for (int level = 0; level <= 9; ++level) {
      for (int bits = 9; bits <= 15; ++bits) {
        SCOPED_TRACE(testing::Message() << strategy.name << ", level " << level << ", window "
                                        << bits);
        const Bytes block = CompressWith(data, level, bits, strategy.strategy);
        // Handed on once at the end, and every few hundred bytes.
        for (std::size_t workSize : {kInflateWorkSize, kInflateMinWorkSize}) {
          const Outcome exact = Inflate(block, data.size(), workSize);
          ASSERT_EQ(exact.status, Z_OK) << workSize;
          EXPECT_EQ(exact.bytes, data) << workSize;
        }
        // One byte more than may be: refused, and the bytes before are right.
        const Outcome tooLong = Inflate(block, data.size() - 1, kInflateMinWorkSize);
        EXPECT_EQ(tooLong.status, Z_DATA_ERROR);
        EXPECT_TRUE(tooLong.pastEnd);
        EXPECT_TRUE(std::equal(tooLong.bytes.begin(), tooLong.bytes.end(), data.begin()));
      }
    }
  }
  // A single byte, and nothing at all.
  for (const Bytes& tiny : {Bytes{42}, Bytes{}}) {
    const Outcome outcome = Inflate(CompressWith(tiny, 9, 15, Z_DEFAULT_STRATEGY), 10);
    EXPECT_EQ(outcome.status, Z_OK);
    EXPECT_EQ(outcome.bytes, tiny);
  }
}

// A zlib stream of one dynamic block built by hand, in shapes zlib's
// compressor never makes. The literal/length and distance codes have the
// lengths given per symbol (every other symbol none); the code lengths are
// coded with four bits each; the data is `symbols`, each a literal/length
// symbol or, after a length, a distance symbol (only symbols without extra
// bits are used).
struct Code {
  int symbol;
  int length;
};
struct Symbol {
  bool distance;
  int symbol;
};
Bytes HandBuiltStream(const std::vector<Code>& literals, int distanceCount,
                      const std::vector<Code>& distances, const std::vector<Symbol>& symbols,
                      const Bytes& inflated) {
  Bytes out = {0x78, 0x01};
  std::uint32_t bits = 0;
  int held = 0;
  auto put = [&](std::uint32_t value, int count) {  // the lowest bit first
    bits |= value << held;
    for (held += count; held >= 8; held -= 8, bits >>= 8) out.push_back(bits & 0xFF);
  };
  auto putCode = [&](unsigned code, int length) {  // a Huffman code: its first bit highest
    for (int i = length - 1; i >= 0; --i) put(code >> i & 1, 1);
  };
  // The canonical code of each symbol (RFC 1951, 3.2.2).
  auto canonical = [](const std::vector<int>& lengths) {
    std::vector<unsigned> codes(lengths.size());
    unsigned code = 0;
    for (int length = 1; length <= 15; ++length, code <<= 1) {
      for (std::size_t s = 0; s < lengths.size(); ++s) {
        if (lengths[s] == length) codes[s] = code++;
      }
    }
    return codes;
  };
  std::vector<int> literalLengths(257), distanceLengths(static_cast<std::size_t>(distanceCount));
  for (const Code& c : literals) literalLengths.resize(std::max<std::size_t>(literalLengths.size(), c.symbol + 1));
  for (const Code& c : literals) literalLengths[static_cast<std::size_t>(c.symbol)] = c.length;
  for (const Code& c : distances) distanceLengths[static_cast<std::size_t>(c.symbol)] = c.length;

  put(1, 1);  // the last block
  put(2, 2);  // dynamic codes
  put(static_cast<std::uint32_t>(literalLengths.size() - 257), 5);
  put(static_cast<std::uint32_t>(distanceCount - 1), 5);
  put(15, 4);  // all 19 code length codes, in their stored order:
  // none for the repeats (16, 17, 18), four bits for each length 0 to 15
  static constexpr int kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
  for (int symbol : kOrder) put(symbol <= 15 ? 4 : 0, 3);
  for (int length : literalLengths) putCode(static_cast<unsigned>(length), 4);
  for (int length : distanceLengths) putCode(static_cast<unsigned>(length), 4);
  const std::vector<unsigned> literalCodes = canonical(literalLengths);
  const std::vector<unsigned> distanceCodes = canonical(distanceLengths);
  for (const Symbol& s : symbols) {
    const auto at = static_cast<std::size_t>(s.symbol);
    if (s.distance) {
      putCode(distanceCodes[at], distanceLengths[at]);
    } else {
      putCode(literalCodes[at], literalLengths[at]);
    }
  }
  if (held > 0) out.push_back(bits & 0xFF);
  const uLong adler = adler32(adler32(0, nullptr, 0), inflated.data(),
                              static_cast<uInt>(inflated.size()));
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back((adler >> shift) & 0xFF);
  return out;
}

TEST(InflateStream, RefusesExactlyTheCodeSetsZlibRefuses) {
  constexpr int A = 'A';
  constexpr int kEnd = 256;
  constexpr int kLength3 = 257;  // a length of 3, no extra bits
  const Symbol a{false, A}, end{false, kEnd}, length3{false, kLength3}, distance1{true, 0},
      distance2{true, 1};
  const struct {
    const char* what;
    Bytes block;
    int status;
    Bytes inflated;
  } cases[] = {
      // "AAA" and the end: 'A' is 0, the end of block 1.
      {"no distance codes", HandBuiltStream({{A, 1}, {kEnd, 1}}, 1, {}, {a, a, a, end}, Bytes(3, A)),
       Z_OK, Bytes(3, A)},
      // One code only (incomplete): allowed when it has one bit.
      {"a single literal/length code of one bit", HandBuiltStream({{kEnd, 1}}, 1, {}, {end}, {}),
       Z_OK, {}},
      {"a single literal/length code of two bits", HandBuiltStream({{kEnd, 2}}, 1, {}, {end}, {}),
       Z_DATA_ERROR, {}},
      // "A" and a copy of three from one back: "AAAA".
      {"a single distance code of one bit",
       HandBuiltStream({{A, 1}, {kEnd, 2}, {kLength3, 2}}, 1, {{0, 1}}, {a, length3, distance1, end},
                       Bytes(4, A)),
       Z_OK, Bytes(4, A)},
      {"a single distance code of two bits",
       HandBuiltStream({{A, 1}, {kEnd, 2}, {kLength3, 2}}, 1, {{0, 2}}, {a, length3, distance1, end},
                       Bytes(4, A)),
       Z_DATA_ERROR, {}},
      {"a single distance code of 15 bits",
       HandBuiltStream({{A, 1}, {kEnd, 2}, {kLength3, 2}}, 2, {{1, 15}},
                       {a, a, length3, distance2, end}, Bytes(5, A)),
       Z_DATA_ERROR, {}},
      // Three codes of one bit do not fit; two of one and two bits leave
      // room that no code fills.
      {"over-subscribed", HandBuiltStream({{A, 1}, {'B', 1}, {kEnd, 1}}, 1, {}, {end}, {}),
       Z_DATA_ERROR, {}},
      {"incomplete with two codes", HandBuiltStream({{A, 1}, {kEnd, 2}}, 1, {}, {end}, {}),
       Z_DATA_ERROR, {}},
      // A copy before anything was written.
      {"a distance before the start",
       HandBuiltStream({{A, 1}, {kEnd, 2}, {kLength3, 2}}, 1, {{0, 1}}, {length3, distance1, end},
                       Bytes(3, A)),
       Z_DATA_ERROR, {}},
      // A length in a block without distance codes.
      {"a length without distances",
       HandBuiltStream({{A, 1}, {kEnd, 2}, {kLength3, 2}}, 1, {}, {a, length3, distance1, end},
                       Bytes(4, A)),
       Z_DATA_ERROR, {}},
  };
  for (const auto& c : cases) {
    const Outcome outcome = Inflate(c.block, 16);
    EXPECT_EQ(outcome.status, c.status) << c.what;
    if (c.status == Z_OK) {
      EXPECT_EQ(outcome.bytes, c.inflated) << c.what;
    }
    // zlib reads the stream alike.
    Bytes zlibOut(16);
    uLongf length = zlibOut.size();
    const int zlibStatus = uncompress(zlibOut.data(), &length, c.block.data(), c.block.size());
    EXPECT_EQ(zlibStatus == Z_OK, c.status == Z_OK) << c.what;
  }
}

TEST(InflateStream, DamagedStreamsFailWithTheirStatus) {
  const Bytes data = samples::ExeLike(50000, 3);
  const Bytes block = samples::Compress(data);
  auto changed = [&](std::size_t at, std::uint8_t xorMask) {
    Bytes b = block;
    b[at] ^= xorMask;
    return b;
  };
  // A stream that needs a preset dictionary.
  const Bytes withDictionary =
      CompressWith(Bytes(1000, 0x55), 9, MAX_WBITS, Z_DEFAULT_STRATEGY, Bytes(100, 0x55));
  Bytes trailing = block;
  trailing.push_back(0x00);

  const struct {
    const char* what;
    Bytes block;
    const char* text;
  } cases[] = {
      {"cut short by one byte", Bytes(block.begin(), block.end() - 1), "buffer error"},
      {"cut in the middle", Bytes(block.begin(), block.begin() + block.size() / 2), "buffer error"},
      {"only the header", Bytes(block.begin(), block.begin() + 2), "buffer error"},
      {"flipped byte in the data", changed(block.size() / 2, 0x10), "data error"},
      {"flipped byte in the checksum", changed(block.size() - 2, 0x01), "data error"},
      {"wrong header check", changed(1, 0x01), "data error"},
      // Sound header checks: deflate with a 64 KiB window (no such thing), and
      // a method other than deflate.
      {"window too large", Bytes{0x88, 0x1C, 0x03, 0x00}, "data error"},
      {"not deflate", Bytes{0x77, 0x09, 0x03, 0x00}, "data error"},
      {"cut in the checksum", Bytes(block.begin(), block.end() - 3), "buffer error"},
      {"preset dictionary", withDictionary, "stream error"},
      {"bytes after the end of the stream", trailing, "data error"},
      {"nothing at all", {}, "buffer error"},
  };
  for (const auto& c : cases) {
    const Outcome outcome = Inflate(c.block, data.size() + 1000);
    EXPECT_EQ(InflateStatusText(outcome.status), c.text) << c.what;
  }
}

TEST(InflateStream, ASinkThatTakesNoMoreEndsItWithInsufficientMemory) {
  // The refusal stops inflating at once, and what was taken stays taken.
  const Bytes data = samples::ExeLike(200000, 6);
  struct Full : InflateSink {
    bool Take(std::span<const std::uint8_t> piece) override {
      if (bytes.size() >= 100000) return false;
      bytes.insert(bytes.end(), piece.begin(), piece.end());
      return true;
    }
    Bytes bytes;
  } sink;
  const Inflated result = InflateStream(samples::Compress(data), data.size(), sink, kInflateMinWorkSize);
  EXPECT_EQ(result.status, Z_MEM_ERROR);
  EXPECT_EQ(result.length, sink.bytes.size());
  ASSERT_GE(sink.bytes.size(), 100000u);
  EXPECT_LT(sink.bytes.size(), data.size());
  EXPECT_TRUE(std::equal(sink.bytes.begin(), sink.bytes.end(), data.begin()));
}

}  // namespace
}  // namespace vlt
