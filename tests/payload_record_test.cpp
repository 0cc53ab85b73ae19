#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "payload/BinderRecord.h"
#include "payload_data/PayloadSamples.h"

namespace vlt {
namespace {

using samples::Bytes;

// Builds expected records byte by byte, independently of the writer.
struct ByteList {
  Bytes bytes;
  ByteList& Raw(std::initializer_list<int> values) {
    for (int v : values) bytes.push_back(static_cast<std::uint8_t>(v));
    return *this;
  }
  ByteList& Str(const std::string& text) {
    bytes.push_back(static_cast<std::uint8_t>(text.size()));
    bytes.insert(bytes.end(), text.begin(), text.end());
    return *this;
  }
  ByteList& Append(const Bytes& more) {
    bytes.insert(bytes.end(), more.begin(), more.end());
    return *this;
  }
};

ByteList RecordHead(const Bytes& block) {
  ByteList r;
  r.Str("TFileArrayBinder").Str("FileArrayBinder1").Str("DateiSammlung.FDateiSammlungsDaten");
  const auto n = static_cast<std::uint32_t>(block.size());
  r.Raw({0x0A, static_cast<int>(n & 0xFF), static_cast<int>(n >> 8 & 0xFF),
         static_cast<int>(n >> 16 & 0xFF), static_cast<int>(n >> 24)});
  r.Append(block).Str("DateiSammlung").Raw({0x0E});
  return r;
}

ByteList& RecordTail(ByteList& r) {
  return r.Raw({0x00})
      .Str("Left")
      .Raw({0x03, 0x80, 0x00})
      .Str("Top")
      .Raw({0x03, 0xB8, 0x00, 0x00, 0x00});
}

// The stored product's three entries, as the shipped record holds them.
Bytes ShippedEntries() {
  ByteList r;
  r.Raw({0x01}).Str("Dateiname").Raw({0x06}).Str("veltori.exe");
  r.Str("DateiGroesse")
      .Raw({0x04, 0x00, 0x1E, 0x0C, 0x00})
      .Str("DateiStart")
      .Raw({0x02, 0x00, 0x00});
  r.Raw({0x01}).Str("Dateiname").Raw({0x06}).Str("veltori.hlp");
  r.Str("DateiGroesse").Raw({0x04, 0xE0, 0xC9, 0x01, 0x00});
  r.Str("DateiStart").Raw({0x04, 0x00, 0x1E, 0x0C, 0x00, 0x00});
  r.Raw({0x01}).Str("Dateiname").Raw({0x06}).Str("veltori.cnt");
  r.Str("DateiGroesse")
      .Raw({0x03, 0x53, 0x02})
      .Str("DateiStart")
      .Raw({0x04, 0xE0, 0xE7, 0x0D, 0x00, 0x00});
  return r.bytes;
}

std::unique_ptr<TFileArrayBinder> ShippedTable(const Bytes& block) {
  auto binder = std::make_unique<TFileArrayBinder>();
  binder->Name = "FileArrayBinder1";
  binder->DesignLeft = 128;
  binder->DesignTop = 184;
  const struct {
    const char* name;
    std::int32_t size, start;
  } rows[] = {
      {"veltori.exe", 794112, 0}, {"veltori.hlp", 117216, 794112}, {"veltori.cnt", 595, 911328}};
  for (const auto& row : rows) {
    TDatei& e = binder->DateiSammlung().Add();
    e.Dateiname = row.name;
    e.DateiGroesse = row.size;
    e.DateiStart = row.start;
  }
  EXPECT_TRUE(binder->DateiSammlung().SetSammlungsDaten(block));
  return binder;
}

// The record of `binder`; empty, and the test failed, when it cannot be stored.
Bytes Store(const TFileArrayBinder& binder) {
  Result<Bytes> stored = StoreFileArrayBinder(binder);
  if (!stored.Ok()) {
    ADD_FAILURE() << stored.Error().subject;
    return {};
  }
  return std::move(stored.Value());
}

// The container `record` holds; null, and the test failed, when it is refused.
std::unique_ptr<TFileArrayBinder> Load(const Bytes& record) {
  Result<std::unique_ptr<TFileArrayBinder>> loaded = LoadFileArrayBinder(record);
  if (!loaded.Ok()) {
    ADD_FAILURE() << loaded.Error().subject;
    return nullptr;
  }
  return std::move(loaded.Value());
}

void ExpectSameContainer(const TFileArrayBinder& a, const TFileArrayBinder& b) {
  EXPECT_EQ(a.Name, b.Name);
  EXPECT_EQ(a.DesignLeft, b.DesignLeft);
  EXPECT_EQ(a.DesignTop, b.DesignTop);
  const Bytes blockA(a.DateiSammlung().SammlungsDaten().Bytes().begin(),
                     a.DateiSammlung().SammlungsDaten().Bytes().end());
  const Bytes blockB(b.DateiSammlung().SammlungsDaten().Bytes().begin(),
                     b.DateiSammlung().SammlungsDaten().Bytes().end());
  EXPECT_EQ(blockA, blockB);
  ASSERT_EQ(a.DateiSammlung().Count(), b.DateiSammlung().Count());
  for (int i = 0; i < a.DateiSammlung().Count(); ++i) {
    const TDatei& x = a.DateiSammlung().Items(i);
    const TDatei& y = b.DateiSammlung().Items(i);
    EXPECT_EQ(x.Dateiname, y.Dateiname) << i;
    EXPECT_EQ(x.DateiBeschreibung, y.DateiBeschreibung) << i;
    EXPECT_EQ(x.DateiGroesse, y.DateiGroesse) << i;
    EXPECT_EQ(x.DateiStart, y.DateiStart) << i;
  }
}

TEST(PayloadRecord, StoresTheShippedTableByteForByte) {
  const Bytes block = {0x78, 0xDA, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01};
  ByteList expected = RecordHead(block);
  expected.Append(ShippedEntries());
  RecordTail(expected);

  EXPECT_EQ(Store(*ShippedTable(block)), expected.bytes);
}

TEST(PayloadRecord, LoadsTheShippedTable) {
  const Bytes block = {0x78, 0xDA, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01};
  ByteList record = RecordHead(block);
  record.Append(ShippedEntries());
  RecordTail(record);

  const auto loaded = Load(record.bytes);
  ASSERT_TRUE(loaded);
  ExpectSameContainer(*loaded, *ShippedTable(block));
  EXPECT_EQ(loaded->DateiSammlung().Items(2).DateiGroesse, 595);
  EXPECT_EQ(loaded->DateiSammlung().SammlungsDaten().Position(), 0u);
}

TEST(PayloadRecord, RoundTripsThroughStoreAndLoad) {
  auto binder = samples::MakeBinder(
      {{"a.exe", samples::ExeLike(5000, 7)}, {"", {}}, {std::string(255, 'n'), {1, 2, 3}}});
  binder->DateiSammlung().Items(0).DateiBeschreibung = "Programm";
  binder->DateiSammlung().Items(1).DateiStart = -1;
  binder->DateiSammlung().Items(2).DateiGroesse = INT32_MIN;
  binder->Name = "";
  binder->DesignLeft = -40000;
  binder->DesignTop = 127;

  const Bytes stored = Store(*binder);
  const auto loaded = Load(stored);
  ASSERT_TRUE(loaded);
  ExpectSameContainer(*loaded, *binder);
  EXPECT_EQ(Store(*loaded), stored);
}

TEST(PayloadRecord, EveryIntegerTagLoadsTheSameValue) {
  const struct {
    std::int32_t value;
    Bytes smallest;
    std::vector<Bytes> alternatives;
  } cases[] = {
      {0, {0x02, 0x00}, {{0x03, 0x00, 0x00}, {0x04, 0x00, 0x00, 0x00, 0x00}}},
      {-1, {0x02, 0xFF}, {{0x03, 0xFF, 0xFF}, {0x04, 0xFF, 0xFF, 0xFF, 0xFF}}},
      {127, {0x02, 0x7F}, {{0x04, 0x7F, 0x00, 0x00, 0x00}}},
      {-128, {0x02, 0x80}, {{0x03, 0x80, 0xFF}}},
      {128, {0x03, 0x80, 0x00}, {{0x04, 0x80, 0x00, 0x00, 0x00}}},
      {595, {0x03, 0x53, 0x02}, {{0x04, 0x53, 0x02, 0x00, 0x00}}},
      {-32768, {0x03, 0x00, 0x80}, {{0x04, 0x00, 0x80, 0xFF, 0xFF}}},
      {32768, {0x04, 0x00, 0x80, 0x00, 0x00}, {}},
      {INT32_MIN, {0x04, 0x00, 0x00, 0x00, 0x80}, {}},
      {INT32_MAX, {0x04, 0xFF, 0xFF, 0xFF, 0x7F}, {}},
  };
  for (const auto& c : cases) {
    std::vector<Bytes> encodings = c.alternatives;
    encodings.push_back(c.smallest);
    for (const Bytes& encoding : encodings) {
      ByteList record = RecordHead({});
      record.Raw({0x01})
          .Str("DateiGroesse")
          .Append(encoding)
          .Str("DateiStart")
          .Append(encoding)
          .Raw({0x00});
      RecordTail(record);
      const auto loaded = Load(record.bytes);
      ASSERT_TRUE(loaded) << c.value;
      EXPECT_EQ(loaded->DateiSammlung().Items(0).DateiGroesse, c.value);
      EXPECT_EQ(loaded->DateiSammlung().Items(0).DateiStart, c.value);
      if (encoding == c.smallest) {
        EXPECT_EQ(Store(*loaded), record.bytes) << c.value;
      }
    }
  }
}

TEST(PayloadRecord, LeftOutPropertiesKeepTheirInitialValues) {
  ByteList record = RecordHead({});
  record.Raw({0x01})
      .Str("Dateiname")
      .Raw({0x06})
      .Str("x.hlp")
      .Str("DateiGroesse")
      .Raw({0x02, 0x05, 0x00});
  record.Raw({0x01, 0x00});  // an entry with nothing stored
  RecordTail(record);
  const auto loaded = Load(record.bytes);
  ASSERT_TRUE(loaded);
  ASSERT_EQ(loaded->DateiSammlung().Count(), 2);
  const TDatei& first = loaded->DateiSammlung().Items(0);
  EXPECT_EQ(first.Dateiname, "x.hlp");
  EXPECT_EQ(first.DateiBeschreibung, "");
  EXPECT_EQ(first.DateiGroesse, 5);
  EXPECT_EQ(first.DateiStart, 0);
  const TDatei& second = loaded->DateiSammlung().Items(1);
  EXPECT_EQ(second.Dateiname, "");
  EXPECT_EQ(second.DateiGroesse, 0);
}

TEST(PayloadRecord, PropertiesMayComeInAnyOrder) {
  ByteList record;
  record.Str("TFileArrayBinder")
      .Str("B")
      .Str("Top")
      .Raw({0x02, 0x01})
      .Str("DateiSammlung")
      .Raw({0x0E});
  record.Raw({0x01})
      .Str("DateiStart")
      .Raw({0x02, 0x03})
      .Str("DateiBeschreibung")
      .Raw({0x06})
      .Str("d");
  record.Raw({0x00, 0x00})
      .Str("DateiSammlung.FDateiSammlungsDaten")
      .Raw({0x0A, 0x01, 0, 0, 0, 0x42});
  record.Raw({0x00, 0x00});
  const auto loaded = Load(record.bytes);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->DesignTop, 1);
  EXPECT_EQ(loaded->DesignLeft, 0);
  EXPECT_EQ(loaded->DateiSammlung().Items(0).DateiStart, 3);
  EXPECT_EQ(loaded->DateiSammlung().Items(0).DateiBeschreibung, "d");
  EXPECT_EQ(loaded->DateiSammlung().SammlungsDaten().Size(), 1u);
}

TEST(PayloadRecord, EmptyByteBlockAndNoEntries) {
  TFileArrayBinder empty;
  const Bytes stored = Store(empty);
  ByteList expected;
  expected.Str("TFileArrayBinder").Str("").Str("DateiSammlung.FDateiSammlungsDaten");
  expected.Raw({0x0A, 0, 0, 0, 0}).Str("DateiSammlung").Raw({0x0E, 0x00});
  expected.Str("Left").Raw({0x02, 0x00}).Str("Top").Raw({0x02, 0x00, 0x00, 0x00});
  EXPECT_EQ(stored, expected.bytes);

  const auto loaded = Load(stored);
  ASSERT_TRUE(loaded);
  EXPECT_TRUE(loaded->DateiSammlung().SammlungsDaten().Empty());
  EXPECT_EQ(loaded->DateiSammlung().Count(), 0);
}

TEST(PayloadRecord, RefusesToStoreOverlongStrings) {
  auto binder = samples::MakeBinder({{std::string(256, 'x'), {}}});
  const Result<Bytes> longName = StoreFileArrayBinder(*binder);
  ASSERT_FALSE(longName.Ok());
  EXPECT_EQ(longName.Error().subject,
            "Cannot store the payload record: Dateiname of entry 0 is longer than 255 bytes");
  binder->DateiSammlung().Items(0).Dateiname = "ok";
  binder->DateiSammlung().Items(0).DateiBeschreibung = std::string(300, 'd');
  const Result<Bytes> longDescription = StoreFileArrayBinder(*binder);
  ASSERT_FALSE(longDescription.Ok());
  EXPECT_EQ(longDescription.Error().subject,
            "Cannot store the payload record: DateiBeschreibung of entry 0 is longer than 255 "
            "bytes");
}

// Loads `record` from an allocation of exactly its size, so that a read past
// the end would be a read outside the buffer.
void ExpectRejected(const Bytes& record, const std::string& expectedText = "") {
  const auto exact = std::make_unique<std::uint8_t[]>(record.size() + 1);
  std::memcpy(exact.get(), record.data(), record.size());
  const Result<std::unique_ptr<TFileArrayBinder>> loaded =
      LoadFileArrayBinder(std::span(exact.get(), record.size()));
  ASSERT_FALSE(loaded.Ok()) << "accepted a damaged record of " << record.size() << " bytes";
  const std::string& message = loaded.Error().subject;
  EXPECT_NE(message.find("Damaged payload record at byte"), std::string::npos) << message;
  EXPECT_NE(message.find(expectedText), std::string::npos) << message;
}

TEST(PayloadRecord, EveryTruncationIsRejected) {
  auto binder = samples::MakeBinder({{"veltori.exe", {1, 2, 3}}, {"veltori.hlp", {4}}});
  binder->DateiSammlung().Items(1).DateiBeschreibung = "Hilfe";
  const Bytes record = Store(*binder);
  for (std::size_t length = 0; length < record.size(); ++length) {
    ExpectRejected(Bytes(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(length)));
  }
}

TEST(PayloadRecord, MalformedRecordsAreRejected) {
  const Bytes block = {0x78, 0xDA, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01};
  ByteList good = RecordHead(block);
  good.Append(ShippedEntries());
  RecordTail(good);
  const std::size_t lengthAt = 1 + 16 + 1 + 16 + 1 + 34 + 1;  // the block's length field
  const std::size_t tail = good.bytes.size();

  const auto beyond = static_cast<std::uint32_t>(tail - (lengthAt + 4) + 1);
  const auto le = [](std::uint32_t v, int byte) {
    return static_cast<std::uint8_t>(v >> (8 * byte));
  };
  auto patched = [&](std::size_t at, std::initializer_list<std::uint8_t> bytes) {
    Bytes r = good.bytes;
    for (std::uint8_t b : bytes) r.at(at++) = b;
    return r;
  };
  const struct {
    const char* what;
    Bytes record;
    std::string text;
  } cases[] = {
      {"block one byte longer than the record",
       patched(lengthAt, {le(beyond, 0), le(beyond, 1), 0, 0}),
       "compressed block of " + std::to_string(beyond) + " bytes"},
      {"block length 4 GiB - 1", patched(lengthAt, {0xFF, 0xFF, 0xFF, 0xFF}),
       "compressed block of 4294967295"},
      {"class name longer than the record",
       {0x10, 'T', 'F'},
       "class name needs 16 bytes, but only 2 remain"},
      {"other class", patched(1, {'X'}), "not a TFileArrayBinder"},
      {"unknown integer tag", patched(tail - 5, {0x05}), "Top is not an integer"},
      {"byte block with string tag", patched(lengthAt - 1, {0x06}), "unexpected tag 6"},
      {"child object", patched(tail - 1, {0x01}), "no child objects"},
      {"trailing byte", ByteList{good}.Raw({0x00}).bytes, "1 bytes after the end"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ExpectRejected(c.record, c.text);
  }
}

TEST(PayloadRecord, MalformedEntriesAreRejected) {
  const struct {
    const char* what;
    ByteList entry;
    const char* text;
  } cases[] = {
      {"unknown property", ByteList{}.Raw({0x01}).Str("Pfad").Raw({0x06}).Str("x").Raw({0x00}),
       "unknown entry property \"Pfad\""},
      {"repeated property",
       ByteList{}
           .Raw({0x01})
           .Str("DateiStart")
           .Raw({0x02, 0x01})
           .Str("DateiStart")
           .Raw({0x02, 0x01, 0x00}),
       "\"DateiStart\" appears twice"},
      {"name as integer", ByteList{}.Raw({0x01}).Str("Dateiname").Raw({0x02, 0x01, 0x00}),
       "unexpected tag 2"},
      {"size as string",
       ByteList{}.Raw({0x01}).Str("DateiGroesse").Raw({0x06}).Str("1").Raw({0x00}),
       "not an integer"},
      {"entry without item tag", ByteList{}.Raw({0x02, 0x00}), "entry: unexpected tag 2"},
      {"name longer than the record",
       ByteList{}.Raw({0x01}).Str("Dateiname").Raw({0x06, 0xFF, 'a'}), "needs 255 bytes"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ByteList record = RecordHead({});
    record.Append(c.entry.bytes);
    RecordTail(record);
    ExpectRejected(record.bytes, c.text);
  }
}

}  // namespace
}  // namespace vlt
