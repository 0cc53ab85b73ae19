#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "payload/PayloadCheck.h"
#include "payload_data/PayloadSamples.h"

namespace vlt {
namespace {

using samples::Bytes;

const TFileArrayBinder& Product() {
  static const auto binder = samples::MakeBinder(samples::ProductFiles());
  return *binder;
}

Bytes ProductBlock() {
  const auto bytes = Product().DateiSammlung().SammlungsDaten().Bytes();
  return Bytes(bytes.begin(), bytes.end());
}

// A container with the product's table over another block.
std::unique_ptr<TFileArrayBinder> WithBlock(const Bytes& block) {
  auto binder = std::make_unique<TFileArrayBinder>();
  for (int i = 0; i < Product().DateiSammlung().Count(); ++i) {
    binder->DateiSammlung().Add().Assign(Product().DateiSammlung().Items(i));
  }
  EXPECT_TRUE(binder->DateiSammlung().SetSammlungsDaten(block));
  return binder;
}

std::string FaultOf(const TFileArrayBinder& binder) {
  const Result<PayloadLengths> checked = CheckPayload(binder);
  return checked.Ok() ? "" : checked.Error().subject;
}

TEST(PayloadCheck, ASoundPayloadGivesItsLengths) {
  const Result<PayloadLengths> checked = CheckPayload(Product());
  ASSERT_TRUE(checked.Ok()) << checked.Error().subject;
  const PayloadLengths& lengths = checked.Value();
  EXPECT_EQ(lengths.compressed, Product().DateiSammlung().SammlungsDaten().Size());
  EXPECT_EQ(lengths.inflated, 911923u);
}

TEST(PayloadCheck, ADamagedBlockIsNamedByItsZlibStatus) {
  const Bytes block = ProductBlock();
  Bytes cut(block.begin(), block.end() - 1);
  Bytes middle = block;
  middle[middle.size() / 2] ^= 0x10;
  Bytes checksum = block;
  checksum[checksum.size() - 2] ^= 0x01;
  Bytes trailing = block;
  trailing.push_back(0);
  Bytes longer = samples::Join(samples::ProductFiles());
  longer.push_back(0);
  const struct {
    const char* what;
    Bytes block;
    const char* status;
  } cases[] = {
      {"cut short", cut, "buffer error"},
      {"flipped byte in the middle", middle, "data error"},
      {"flipped checksum byte", checksum, "data error"},
      {"a byte after the stream", trailing, "data error"},
      // Sound in itself, but a byte longer than its entries take.
      {"one inflated byte too many", samples::Compress(longer), "data error"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FaultOf(*WithBlock(c.block)),
              std::string("the compressed block does not inflate: ") + c.status)
        << c.what;
  }
}

TEST(PayloadCheck, AnEntryOutsideTheInflatedBlockIsNamed) {
  const struct {
    std::int32_t start, size;
  } cases[] = {{911328, 596}, {911924, 0}, {-1, 10}, {1, -1}, {INT32_MAX, INT32_MAX}};
  for (const auto& c : cases) {
    auto binder = WithBlock(ProductBlock());
    binder->DateiSammlung().Items(2).DateiStart = c.start;
    binder->DateiSammlung().Items(2).DateiGroesse = c.size;
    EXPECT_EQ(FaultOf(*binder), "entry 2 (\"veltori.cnt\", start " + std::to_string(c.start) +
                                    ", size " + std::to_string(c.size) +
                                    ") lies outside the inflated block of 911923 bytes");
  }
  // The very end is still inside.
  auto binder = WithBlock(ProductBlock());
  binder->DateiSammlung().Items(2).DateiStart = 911923;
  binder->DateiSammlung().Items(2).DateiGroesse = 0;
  EXPECT_EQ(FaultOf(*binder), "");
}

TEST(PayloadCheck, AnEmptyBlockHoldsOnlyEmptyEntries) {
  TFileArrayBinder binder;
  binder.DateiSammlung().Add();
  const Result<PayloadLengths> empty = CheckPayload(binder);
  ASSERT_TRUE(empty.Ok()) << empty.Error().subject;
  EXPECT_EQ(empty.Value().inflated, 0u);
  binder.DateiSammlung().Add().DateiGroesse = 1;
  EXPECT_EQ(FaultOf(binder),
            "entry 1 (\"\", start 0, size 1) lies outside the inflated block of 0 bytes");
}

}  // namespace
}  // namespace vlt
