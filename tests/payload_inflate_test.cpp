#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/ZLibEx.h"
#include "payload/InflateInPlace.h"
#include "payload_data/PayloadSamples.h"

namespace vlt {
namespace {

using samples::Bytes;

// Hands out its bytes a few at a time, as a slow stream would.
class TrickleSource : public ByteSource {
 public:
  TrickleSource(const Bytes& bytes, std::size_t step) : bytes_(bytes), step_(step) {}
  std::size_t Read(std::span<std::uint8_t> into) override {
    const std::size_t n = std::min({into.size(), step_, bytes_.size() - pos_});
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(pos_), n, into.begin());
    pos_ += n;
    return n;
  }

 private:
  const Bytes& bytes_;
  std::size_t step_;
  std::size_t pos_ = 0;
};

class VectorSink : public ByteSink {
 public:
  Bytes bytes;
  bool Append(std::span<const std::uint8_t> more) override {
    bytes.insert(bytes.end(), more.begin(), more.end());
    return true;
  }
};

Bytes InflateAll(const Bytes& block, std::size_t step = 0x8000) {
  TrickleSource source(block, step);
  VectorSink sink;
  EXPECT_EQ(InflateStream(source, sink), Z_OK);
  return sink.bytes;
}

// The status text of inflating `block`, or "no error".
std::string InflateErrorText(const Bytes& block) {
  TrickleSource source(block, 0x8000);
  VectorSink sink;
  const int status = InflateStream(source, sink);
  return status == Z_OK ? "no error" : InflateStatusText(status);
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

TEST(InflateStream, InflatesWhateverPiecesTheSourceDelivers) {
  const Bytes data = samples::ExeLike(200000, 11);
  const Bytes block = samples::Compress(data);
  for (std::size_t step :
       {std::size_t{1}, std::size_t{7}, std::size_t{4096}, std::size_t{0x8000}}) {
    EXPECT_EQ(InflateAll(block, step), data) << step;
  }
}

TEST(InflateStream, InflatesStreamsOfEveryLevel) {
  // Stored (level 0) streams used to end in a false "buffer error": a piece of
  // input could end exactly where the output buffer filled.
  const Bytes data = samples::ExeLike(89902, 5);
  for (int level : {0, 1, 6, 9})
    EXPECT_EQ(InflateAll(samples::Compress(data, level)), data) << level;
}

// Deflate in the zlib format with a window of 2^bits bytes (9 to 15), the
// given strategy and, when one is given, a preset dictionary.
Bytes CompressWith(const Bytes& data, int bits, const Bytes& dictionary = {},
                   int strategy = Z_DEFAULT_STRATEGY) {
  z_stream s{};
  EXPECT_EQ(deflateInit2(&s, 9, Z_DEFLATED, bits, 8, strategy), Z_OK);
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

TEST(InflateStream, InflatesStreamsOfEveryWindowSizeAndStrategy) {
  const Bytes data = samples::ExeLike(120000, 8);
  for (int bits = 9; bits <= 15; ++bits) {
    EXPECT_EQ(InflateAll(CompressWith(data, bits), 1000), data) << bits;
  }
  // Every block kind and code shape the compressor makes: fixed codes only,
  // literals only, runs (distance 1), stored blocks of noise, a repeat
  // 32 KiB back (the farthest distance), and a single byte.
  Bytes noise(70000);
  std::uint32_t state = 12345;
  for (std::uint8_t& byte : noise) {
    state = state * 1103515245 + 12345;
    byte = static_cast<std::uint8_t>(state >> 16);
  }
  Bytes farRepeat(noise.begin(), noise.begin() + 33068);
  std::copy_n(noise.begin(), 300, farRepeat.begin() + 32768);
  const struct {
    const char* name;
    const Bytes& data;
    int strategy;
  } cases[] = {
      {"fixed codes", data, Z_FIXED},          {"literals only", data, Z_HUFFMAN_ONLY},
      {"runs", data, Z_RLE},                   {"filtered", data, Z_FILTERED},
      {"noise", noise, Z_DEFAULT_STRATEGY},    {"32 KiB back", farRepeat, Z_DEFAULT_STRATEGY},
      {"one byte", Bytes{42}, Z_DEFAULT_STRATEGY},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(InflateAll(CompressWith(c.data, 15, {}, c.strategy), 777), c.data) << c.name;
  }
}

// Takes `limit` bytes, then refuses more, as a target without memory does.
class FullSink : public ByteSink {
 public:
  explicit FullSink(std::size_t limit) : limit_(limit) {}
  bool Append(std::span<const std::uint8_t> more) override {
    if (more.size() > limit_ - bytes.size()) return false;
    bytes.insert(bytes.end(), more.begin(), more.end());
    return true;
  }
  Bytes bytes;

 private:
  std::size_t limit_;
};

TEST(InflateStream, ATargetThatRefusesBytesEndsItWithInsufficientMemory) {
  // The refusal must stop inflating at once, and what was taken stays taken.
  const Bytes data = samples::ExeLike(200000, 6);
  const Bytes block = samples::Compress(data);
  SpanSource source(block);
  FullSink sink(100000);
  EXPECT_EQ(InflateStream(source, sink), Z_MEM_ERROR);
  ASSERT_FALSE(sink.bytes.empty());
  EXPECT_TRUE(std::equal(sink.bytes.begin(), sink.bytes.end(), data.begin()));
}

// A zlib stream of one dynamic block built by hand, in shapes zlib's
// compressor never makes: every symbol of `literals` has a code of one bit
// (in symbol order: the first is 0, the second 1), there is one distance
// code of zero bits (no distances at all), and the data is `codes`, one bit
// each, then the end of block.
Bytes HandBuiltStream(const std::vector<int>& literals, const std::vector<int>& codes,
                      const Bytes& inflated) {
  Bytes out = {0x78, 0x01};
  std::uint32_t bits = 0;
  int held = 0;
  auto put = [&](std::uint32_t value, int count) {
    bits |= value << held;
    for (held += count; held >= 8; held -= 8, bits >>= 8) out.push_back(bits & 0xFF);
  };
  put(1, 1);   // the last block
  put(2, 2);   // dynamic codes
  put(0, 5);   // 257 literal/length codes
  put(0, 5);   // one distance code
  put(14, 4);  // 18 code length codes: up to the one of length 1
  // The code length code: symbols 0 and 1, one bit each (their places in
  // the stored order are 3 and 17).
  for (int i = 0; i < 18; ++i) put(i == 3 || i == 17 ? 1 : 0, 3);
  for (int symbol = 0; symbol < 257; ++symbol) {
    put(std::count(literals.begin(), literals.end(), symbol) != 0 ? 1 : 0, 1);
  }
  put(0, 1);  // the distance code's length: zero
  for (int code : codes) put(static_cast<std::uint32_t>(code), 1);
  if (held > 0) out.push_back(bits & 0xFF);
  const uLong adler = adler32(adler32(0, nullptr, 0), inflated.data(),
                              static_cast<uInt>(inflated.size()));
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back((adler >> shift) & 0xFF);
  return out;
}

TEST(InflateStream, AgreesWithZlibOnCodesItsCompressorNeverMakes) {
  const struct {
    const char* what;
    Bytes block;
    int status;
    Bytes inflated;
  } cases[] = {
      // "AAA" and the end: 'A' is 0, the end of block 1.
      {"no distance codes", HandBuiltStream({'A', 256}, {0, 0, 0, 1}, {'A', 'A', 'A'}), Z_OK,
       {'A', 'A', 'A'}},
      // One code only (incomplete, allowed): the end of block is 0.
      {"a single code", HandBuiltStream({256}, {0}, {}), Z_OK, {}},
      // Three codes of one bit do not fit.
      {"over-subscribed", HandBuiltStream({'A', 'B', 256}, {0, 1}, {}), Z_DATA_ERROR, {}},
  };
  for (const auto& c : cases) {
    SpanSource source(c.block);
    VectorSink sink;
    EXPECT_EQ(InflateStream(source, sink), c.status) << c.what;
    EXPECT_EQ(sink.bytes, c.inflated) << c.what;
    // zlib reads the stream alike.
    Bytes zlibOut(16);
    uLongf length = zlibOut.size();
    const int zlibStatus = uncompress(zlibOut.data(), &length, c.block.data(), c.block.size());
    EXPECT_EQ(zlibStatus == Z_OK, c.status == Z_OK) << c.what;
  }
}

TEST(InflateStream, DamagedStreamsFailWithTheirStatus) {
  const Bytes block = samples::Compress(samples::ExeLike(50000, 3));
  auto changed = [&](std::size_t at, std::uint8_t xorMask) {
    Bytes b = block;
    b[at] ^= xorMask;
    return b;
  };
  // A stream that needs a preset dictionary.
  const Bytes withDictionary = CompressWith(Bytes(1000, 0x55), MAX_WBITS, Bytes(100, 0x55));
  Bytes trailing = block;
  trailing.push_back(0x00);

  const struct {
    const char* what;
    Bytes block;
    const char* text;
  } cases[] = {
      {"cut short by one byte", Bytes(block.begin(), block.end() - 1), "buffer error"},
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
  for (const auto& c : cases) EXPECT_EQ(InflateErrorText(c.block), c.text) << c.what;
}

TEST(InflateInPlace, ReplacesTheContentAndRewinds) {
  const Bytes data = samples::ExeLike(70000, 9);
  MemoryBuffer buffer;
  ASSERT_TRUE(buffer.Assign(samples::Compress(data)));
  buffer.Seek(buffer.Size());  // inflating starts from the beginning anyway
  ASSERT_EQ(InflateInPlace(&buffer), Z_OK);
  EXPECT_EQ(Bytes(buffer.Bytes().begin(), buffer.Bytes().end()), data);
  EXPECT_EQ(buffer.Position(), 0u);
}

TEST(InflateInPlace, LeavesAbsentEmptyAndDamagedBuffersAsTheyWere) {
  EXPECT_EQ(InflateInPlace(nullptr), Z_OK);
  MemoryBuffer empty;
  EXPECT_EQ(InflateInPlace(&empty), Z_OK);
  EXPECT_TRUE(empty.Empty());

  Bytes damaged = samples::Compress(samples::ExeLike(5000, 2));
  damaged.pop_back();
  MemoryBuffer buffer;
  ASSERT_TRUE(buffer.Assign(damaged));
  EXPECT_EQ(InflateInPlace(&buffer), Z_BUF_ERROR);
  EXPECT_EQ(Bytes(buffer.Bytes().begin(), buffer.Bytes().end()), damaged);
}

TEST(InflateInPlace, AnyGuessOfTheLengthGivesTheSameBytes) {
  // The guess only shapes the pieces: too small, exact, too large, absurd
  // (beyond any stream's expansion), and the piece size's neighbours.
  const Bytes data = samples::ExeLike(600000, 4);
  const Bytes block = samples::Compress(data);
  for (std::size_t guess : {std::size_t{0}, std::size_t{1}, std::size_t{262143}, data.size() - 1,
                            data.size(), data.size() + 1, 2 * data.size(), SIZE_MAX / 2}) {
    MemoryBuffer buffer;
    ASSERT_TRUE(buffer.Assign(block));
    ASSERT_EQ(InflateInPlace(&buffer, guess), Z_OK) << guess;
    EXPECT_EQ(Bytes(buffer.Bytes().begin(), buffer.Bytes().end()), data) << guess;
    EXPECT_EQ(buffer.Position(), 0u);

    MemoryBuffer copy;
    ASSERT_TRUE(copy.Assign(Bytes{1, 2, 3}));  // replaced, not appended to
    ASSERT_EQ(InflateCopy(block, copy, guess), Z_OK) << guess;
    EXPECT_EQ(Bytes(copy.Bytes().begin(), copy.Bytes().end()), data) << guess;
  }
}

TEST(InflateInPlace, ACopyOfADamagedBlockLeavesTheTargetAsItWas) {
  Bytes damaged = samples::Compress(samples::ExeLike(5000, 2));
  damaged[damaged.size() / 2] ^= 0x10;
  MemoryBuffer target;
  ASSERT_TRUE(target.Assign(Bytes{7, 8}));
  EXPECT_EQ(InflateCopy(damaged, target, 5000), Z_DATA_ERROR);
  EXPECT_EQ(Bytes(target.Bytes().begin(), target.Bytes().end()), (Bytes{7, 8}));
  EXPECT_EQ(InflateCopy({}, target), Z_OK);
  EXPECT_TRUE(target.Empty());
}

}  // namespace
}  // namespace vlt
