#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "common/ZLibEx.h"
#include "fakes/FakeFileSystem.h"
#include "payload/BinderRecord.h"
#include "payload/InflateInPlace.h"
#include "payload_data/PayloadSamples.h"

namespace vlt {
namespace {

using samples::Bytes;

std::string AsText(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

Bytes BlockOf(const TFileArrayBinder& binder) {
  const auto bytes = binder.DateiSammlung().SammlungsDaten().Bytes();
  return Bytes(bytes.begin(), bytes.end());
}

class Extraction : public ::testing::Test {
 protected:
  // The product payload at its shipped sizes, made once for all tests.
  static const TFileArrayBinder& Product() {
    static const auto binder = samples::MakeBinder(samples::ProductFiles());
    return *binder;
  }
  const TDatei& Entry(int index) { return Product().DateiSammlung().Items(index); }

  fake::FakeFileSystem fs;
  const std::string dir = "C:\\Programme\\VelTori Advanced";
};

TEST_F(Extraction, EveryEntryIsWrittenByteForByte) {
  fs.AddDir(dir);
  const char* targets[] = {"veltori.exe", "veltori.hlp", "veltori.cnt"};
  std::string joined;
  for (int i = 0; i < 3; ++i) {
    const std::string path = dir + "\\" + targets[i];
    ASSERT_TRUE(Entry(i).Entpacken(path, fs).Ok()) << i;
    const std::optional<std::string> written = fs.ReadFile(path);
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(*written, AsText(samples::ProductFiles()[static_cast<std::size_t>(i)].bytes)) << i;
    joined += *written;
  }
  EXPECT_EQ(fs.ReadFile(dir + "\\veltori.exe")->size(), 794112u);
  EXPECT_EQ(fs.ReadFile(dir + "\\veltori.exe")->substr(0, 2), "MZ");
  EXPECT_EQ(fs.ReadFile(dir + "\\veltori.hlp")->size(), 117216u);
  EXPECT_EQ(fs.ReadFile(dir + "\\veltori.cnt")->size(), 595u);
  EXPECT_EQ(joined, AsText(samples::Join(samples::ProductFiles())));
}

TEST_F(Extraction, ALongerExistingFileKeepsNoOldTail) {
  const std::string path = dir + "\\veltori.cnt";
  fs.AddFile(path, std::string(5000, 'x'));
  ASSERT_TRUE(Entry(2).Entpacken(path, fs).Ok());
  EXPECT_EQ(*fs.ReadFile(path), AsText(samples::ProductFiles()[2].bytes));
}

TEST_F(Extraction, UnwritableTargetsGiveFalse) {
  fs.AddFile(dir + "\\readonly.exe", "old");
  fs.SetReadOnly(dir + "\\readonly.exe");
  fs.AddFile(dir + "\\busy.exe", "old");
  fs.SetInUse(dir + "\\busy.exe");
  const std::vector<std::string> before = fs.AllPaths();

  EXPECT_FALSE(Entry(2).Entpacken("C:\\Fehlt\\Auch\\veltori.cnt", fs).Ok());
  EXPECT_FALSE(Entry(2).Entpacken(dir + "\\readonly.exe", fs).Ok());
  EXPECT_FALSE(Entry(2).Entpacken(dir + "\\busy.exe", fs).Ok());
  EXPECT_FALSE(Entry(2).Entpacken(dir, fs).Ok());  // a directory

  EXPECT_EQ(fs.AllPaths(), before);
  EXPECT_EQ(*fs.ReadFile(dir + "\\readonly.exe"), "old");
}

TEST_F(Extraction, EntriesOutsideTheBlockGiveFalseAndTouchNothing) {
  const struct {
    std::int32_t start, size;
  } cases[] = {
      {911328, 596},                             // one byte beyond the end
      {911924, 0},                               // starts beyond the end
      {-1, 10},                                  // negative start
      {0, -1},                                   // negative size
      {INT32_MIN, 100}, {INT32_MAX, INT32_MAX},  // a sum that would wrap in 32 bits
      {1, INT32_MAX},
      {1, -1},                                   // a sum of 0 once widened
  };
  const std::string path = dir + "\\veltori.exe";
  fs.AddFile(path, "old content");
  for (const auto& c : cases) {
    TFileArrayBinder binder;
    ASSERT_TRUE(binder.DateiSammlung().SetSammlungsDaten(BlockOf(Product())));
    TDatei& entry = binder.DateiSammlung().Add();
    entry.DateiStart = c.start;
    entry.DateiGroesse = c.size;
    EXPECT_FALSE(entry.Entpacken(path, fs).Ok()) << c.start << " " << c.size;
    EXPECT_EQ(*fs.ReadFile(path), "old content");
  }
}

TEST_F(Extraction, AnEntryOfSizeZeroWritesAnEmptyFile) {
  auto binder = samples::MakeBinder({{"a", {1, 2, 3}}, {"leer", {}}});
  const std::string path = dir + "\\leer.txt";
  fs.AddFile(path, "old");
  ASSERT_TRUE(binder->DateiSammlung().Items(1).Entpacken(path, fs).Ok());
  EXPECT_EQ(*fs.ReadFile(path), "");
  binder->DateiSammlung().Items(1).DateiStart = 3;  // the very end is still inside
  EXPECT_TRUE(binder->DateiSammlung().Items(1).Entpacken(path, fs).Ok());
}

TEST_F(Extraction, AnEmptyBlockIsNotInflated) {
  TFileArrayBinder binder;
  TDatei& sized = binder.DateiSammlung().Add();
  sized.DateiGroesse = 1;
  TDatei& empty = binder.DateiSammlung().Add();
  fs.AddDir(dir);
  EXPECT_FALSE(sized.Entpacken(dir + "\\a", fs).Ok());
  EXPECT_FALSE(fs.Exists(dir + "\\a"));
  EXPECT_TRUE(empty.Entpacken(dir + "\\b", fs).Ok());
  EXPECT_EQ(*fs.ReadFile(dir + "\\b"), "");
}

TEST_F(Extraction, ADamagedBlockGivesFalseAndWritesNothing) {
  const Bytes block = BlockOf(Product());
  Bytes cut(block.begin(), block.end() - 1);
  Bytes badData = block;
  badData[1000] ^= 0xFF;
  Bytes badChecksum = block;
  badChecksum.back() ^= 0x01;
  Bytes longer = samples::Join(samples::ProductFiles());
  longer.push_back(0);
  const struct {
    const char* what;
    Bytes block;
  } cases[] = {
      {"cut short by one byte", cut},
      {"flipped byte in the data", badData},
      {"flipped byte in the checksum", badChecksum},
      {"one inflated byte more than the entries take", samples::Compress(longer)},
  };
  const std::string path = dir + "\\veltori.hlp";
  fs.AddDir(dir);
  for (const auto& c : cases) {
    TFileArrayBinder binder;
    ASSERT_TRUE(binder.DateiSammlung().SetSammlungsDaten(c.block));
    for (int i = 0; i < 3; ++i) binder.DateiSammlung().Add().Assign(Entry(i));
    EXPECT_FALSE(binder.DateiSammlung().Items(1).Entpacken(path, fs).Ok()) << c.what;
    EXPECT_FALSE(fs.Exists(path)) << c.what;
  }
}

TEST_F(Extraction, TheContainerIsUnchangedAndResultsRepeat) {
  const Bytes blockBefore = BlockOf(Product());
  fs.AddDir(dir);
  ASSERT_TRUE(Entry(1).Entpacken(dir + "\\one", fs).Ok());
  ASSERT_TRUE(Entry(1).Entpacken(dir + "\\two", fs).Ok());
  ASSERT_TRUE(Entry(0).Entpacken(dir + "\\three", fs).Ok());
  EXPECT_EQ(*fs.ReadFile(dir + "\\one"), *fs.ReadFile(dir + "\\two"));
  EXPECT_EQ(BlockOf(Product()), blockBefore);
  EXPECT_EQ(Product().DateiSammlung().SammlungsDaten().Position(), 0u);
  EXPECT_EQ(Product().DateiSammlung().Count(), 3);
  EXPECT_EQ(Entry(1).DateiStart, 794112);
  EXPECT_EQ(Entry(1).DateiGroesse, 117216);
}

TEST_F(Extraction, ALoadedRecordExtractsLikeTheOriginal) {
  const Result<Bytes> record = StoreFileArrayBinder(Product());
  ASSERT_TRUE(record.Ok()) << record.Error().subject;
  const auto loaded = LoadFileArrayBinder(record.Value());
  ASSERT_TRUE(loaded.Ok()) << loaded.Error().subject;
  fs.AddDir(dir);
  ASSERT_TRUE(loaded.Value()->DateiSammlung().Items(0).Entpacken(dir + "\\veltori.exe", fs).Ok());
  EXPECT_EQ(*fs.ReadFile(dir + "\\veltori.exe"), AsText(samples::ProductFiles()[0].bytes));
}

// A whole buffer inflated into itself: its content replaced, a damaged
// stream, an empty buffer or none left as they are.
TEST(InflateInPlace, ReplacesTheContentOrLeavesItAlone) {
  const Bytes data = samples::ExeLike(50000, 3);
  Bytes damaged = samples::Compress(data);
  damaged[damaged.size() / 2] ^= 0x10;
  MemoryBuffer buffer;
  ASSERT_TRUE(buffer.Assign(samples::Compress(data)));
  EXPECT_EQ(InflateInPlace(&buffer, data.size()), kInflateOk);
  EXPECT_TRUE(std::ranges::equal(buffer.Bytes(), data));
  EXPECT_EQ(buffer.Position(), 0u);
  ASSERT_TRUE(buffer.Assign(damaged));
  EXPECT_EQ(InflateInPlace(&buffer, data.size()), kInflateDataError);
  EXPECT_TRUE(std::ranges::equal(buffer.Bytes(), damaged));
  MemoryBuffer empty;
  EXPECT_EQ(InflateInPlace(&empty, 10), kInflateOk);
  EXPECT_TRUE(empty.Empty());
  EXPECT_EQ(InflateInPlace(nullptr, 10), kInflateOk);
}

}  // namespace
}  // namespace vlt
