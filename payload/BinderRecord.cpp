#include "payload/BinderRecord.h"

#include <array>
#include <limits>
#include <string>
#include <string_view>

#include "common/Concat.h"

namespace vlt {

// Record layout. A "short string" is one length byte, then that many bytes.
// A property is a short-string name followed by a tagged value. Multi-byte
// numbers are little-endian.
//
//   short string   class name: "TFileArrayBinder"
//   short string   component name: "FileArrayBinder1" as built
//   properties of the binder, written in this order:
//     "DateiSammlung.FDateiSammlungsDaten"  0x0A, u32 length, that many bytes:
//                                           the compressed block (written even
//                                           when empty, with length 0)
//     "DateiSammlung"                       0x0E, then per entry:
//                                             0x01, its properties, 0x00
//                                           then 0x00 (end of the entries)
//     "Left"  integer, "Top"  integer       design-time position, (128, 184)
//   0x00           end of the binder's properties
//   0x00           end of the binder's child list, which is always empty
//
// Entry properties, written in this order:
//     "Dateiname"          0x06 short string
//     "DateiBeschreibung"  0x06 short string
//     (a string property is left out when empty)
//     "DateiGroesse"       integer, always written
//     "DateiStart"         integer, always written
//
// An integer is a tag and a signed value: 0x02 + 1 byte, 0x03 + 2 bytes or
// 0x04 + 4 bytes. The writer uses the smallest tag that holds the value; the
// reader takes any of the three.
//
// The reader accepts the properties of the binder and of an entry in any
// order, each at most once; a property left out keeps its initial value
// (empty, 0). Anything else is an error: an unknown class or property name,
// an unexpected tag, a length beyond the remaining bytes, a child object,
// bytes after the record.

namespace {

constexpr std::uint8_t kTagEndOfList = 0x00;
constexpr std::uint8_t kTagItem = 0x01;
constexpr std::uint8_t kTagInt8 = 0x02;
constexpr std::uint8_t kTagInt16 = 0x03;
constexpr std::uint8_t kTagInt32 = 0x04;
constexpr std::uint8_t kTagString = 0x06;
constexpr std::uint8_t kTagBinary = 0x0A;
constexpr std::uint8_t kTagCollection = 0x0E;

constexpr std::string_view kClassName = "TFileArrayBinder";
constexpr std::string_view kBlockProperty = "DateiSammlung.FDateiSammlungsDaten";
constexpr std::string_view kItemsProperty = "DateiSammlung";

// A real payload has a handful of entries; the cap keeps a damaged count
// from turning a small record into a huge table.
constexpr int kMaxEntries = 65535;

// The integer and string properties, shared by reader and writer so that the
// two cannot drift apart. The order is the order of writing.
template <class Owner>
struct IntegerProperty {
  std::string_view name;
  std::int32_t Owner::*field;
};
struct StringProperty {
  std::string_view name;
  std::string TDatei::*field;
};

constexpr std::array<StringProperty, 2> kEntryStrings = {{
    {"Dateiname", &TDatei::Dateiname},
    {"DateiBeschreibung", &TDatei::DateiBeschreibung},
}};
constexpr std::array<IntegerProperty<TDatei>, 2> kEntryIntegers = {{
    {"DateiGroesse", &TDatei::DateiGroesse},
    {"DateiStart", &TDatei::DateiStart},
}};
constexpr std::array<IntegerProperty<TFileArrayBinder>, 2> kBinderIntegers = {{
    {"Left", &TFileArrayBinder::DesignLeft},
    {"Top", &TFileArrayBinder::DesignTop},
}};

// ---------------------------------------------------------------- reading

// A name read from a damaged record, fit for an error message.
std::string Printable(const std::string& name) {
  constexpr std::size_t kMaxShown = 40;
  std::string shown;
  for (char c : name.substr(0, kMaxShown)) shown += (c >= 0x20 && c <= 0x7E) ? c : '?';
  if (name.size() > kMaxShown) shown += "...";
  return "\"" + shown + "\"";
}

// Reads the record front to back. The first fault is kept and ends the
// reading: from then on every read yields zero or empty and moves nothing,
// so that the loops above it stop at their next check.
class RecordReader {
 public:
  explicit RecordReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t Offset() const { return offset_; }
  std::size_t Remaining() const { return bytes_.size() - offset_; }
  bool Failed() const { return failure_.has_value(); }
  Failure TakeFailure() { return std::move(*failure_); }

  // Records the fault at byte `at`, unless an earlier one was recorded.
  void Fail(std::size_t at, std::string_view what) {
    if (Failed()) return;
    failure_ = Fault(Concat({"Damaged payload record at byte ", std::to_string(at), ": ", what}));
    offset_ = bytes_.size();
  }

  std::uint8_t Byte(std::string_view what) {
    if (!Need(1, what)) return 0;
    return bytes_[offset_++];
  }

  std::uint8_t PeekByte(std::string_view what) {
    if (!Need(1, what)) return 0;
    return bytes_[offset_];
  }

  std::span<const std::uint8_t> Bytes(std::size_t count, std::string_view what) {
    if (!Need(count, what)) return {};
    const std::span<const std::uint8_t> result = bytes_.subspan(offset_, count);
    offset_ += count;
    return result;
  }

  std::uint32_t UInt32(std::string_view what) {
    const std::span<const std::uint8_t> b = Bytes(4, what);
    if (b.empty()) return 0;
    return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
           static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
  }

  std::string ShortString(std::string_view what) {
    const std::size_t length = Byte(what);
    const std::span<const std::uint8_t> text = Bytes(length, what);
    return std::string(text.begin(), text.end());
  }

  // A tagged integer of any of the three widths.
  std::int32_t Integer(std::string_view what) {
    const std::size_t at = offset_;
    switch (Byte(what)) {
      case kTagInt8:
        return static_cast<std::int8_t>(Byte(what));
      case kTagInt16: {
        const std::span<const std::uint8_t> b = Bytes(2, what);
        if (b.empty()) return 0;
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(b[0] | b[1] << 8));
      }
      case kTagInt32:
        return static_cast<std::int32_t>(UInt32(what));
      default:
        Fail(at, Concat({what, " is not an integer"}));
        return 0;
    }
  }

  void ExpectTag(std::uint8_t tag, std::string_view what) {
    const std::size_t at = offset_;
    const std::uint8_t found = Byte(what);
    if (found != tag) Fail(at, Concat({what, ": unexpected tag ", std::to_string(found)}));
  }

 private:
  bool Need(std::size_t count, std::string_view what) {
    if (Failed()) return false;
    if (count > Remaining()) {
      Fail(offset_, Concat({what, " needs ", std::to_string(count), " bytes, but only ",
                            std::to_string(Remaining()), " remain"}));
      return false;
    }
    return true;
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t offset_ = 0;
  std::optional<Failure> failure_;
};

// Remembers which properties of one object were read, to refuse repeats.
class SeenProperties {
 public:
  void Mark(RecordReader& reader, std::size_t at, const std::string& name) {
    for (const std::string& seen : names_) {
      if (seen == name) reader.Fail(at, Concat({"property ", Printable(name), " appears twice"}));
    }
    names_.push_back(name);
  }

 private:
  std::vector<std::string> names_;
};

// The loops below read until the end-of-list tag; a failed reader ends them.
bool MoreBefore(RecordReader& reader, std::string_view what) {
  return !reader.Failed() && reader.PeekByte(what) != kTagEndOfList && !reader.Failed();
}

void ReadEntry(RecordReader& reader, TDatei& entry) {
  SeenProperties seen;
  while (MoreBefore(reader, "entry property")) {
    const std::size_t at = reader.Offset();
    const std::string name = reader.ShortString("entry property name");
    seen.Mark(reader, at, name);
    bool known = false;
    for (const StringProperty& p : kEntryStrings) {
      if (name != p.name) continue;
      reader.ExpectTag(kTagString, name);
      entry.*p.field = reader.ShortString(name);
      known = true;
    }
    for (const IntegerProperty<TDatei>& p : kEntryIntegers) {
      if (name != p.name) continue;
      entry.*p.field = reader.Integer(name);
      known = true;
    }
    if (!known) reader.Fail(at, Concat({"unknown entry property ", Printable(name)}));
  }
  reader.Byte("end of entry");
}

void ReadEntries(RecordReader& reader, TDateiSammlung& collection) {
  while (MoreBefore(reader, "entry")) {
    const std::size_t at = reader.Offset();
    if (collection.Count() == kMaxEntries) {
      reader.Fail(at, Concat({"more than ", std::to_string(kMaxEntries), " entries"}));
      return;
    }
    reader.ExpectTag(kTagItem, "entry");
    ReadEntry(reader, collection.Add());
  }
  reader.Byte("end of entries");
}

void ReadBinderProperty(RecordReader& reader, const std::string& name, std::size_t at,
                        TFileArrayBinder& binder) {
  TDateiSammlung& collection = binder.DateiSammlung();
  if (name == kBlockProperty) {
    reader.ExpectTag(kTagBinary, name);
    const std::size_t lengthAt = reader.Offset();
    const std::uint32_t length = reader.UInt32("compressed block length");
    if (length > reader.Remaining()) {
      reader.Fail(lengthAt, Concat({"compressed block of ", std::to_string(length),
                                    " bytes, but only ", std::to_string(reader.Remaining()),
                                    " remain"}));
    }
    const std::span<const std::uint8_t> block = reader.Bytes(length, "compressed block");
    if (!reader.Failed() && !collection.SetSammlungsDaten(block)) {
      reader.Fail(lengthAt, Concat({"no memory for the compressed block of ",
                                    std::to_string(length), " bytes"}));
    }
    return;
  }
  if (name == kItemsProperty) {
    reader.ExpectTag(kTagCollection, name);
    ReadEntries(reader, collection);
    return;
  }
  for (const IntegerProperty<TFileArrayBinder>& p : kBinderIntegers) {
    if (name == p.name) {
      binder.*p.field = reader.Integer(name);
      return;
    }
  }
  reader.Fail(at, Concat({"unknown property ", Printable(name)}));
}

// ---------------------------------------------------------------- writing

// Writes the record; a text too long for its length byte is kept as the
// failure, and the record is then not used.
class RecordWriter {
 public:
  void Byte(std::uint8_t value) { out_.push_back(value); }

  void UInt32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) Byte(static_cast<std::uint8_t>(value >> shift));
  }

  void ShortString(std::string_view text, std::string_view what) {
    if (text.size() > 255) {
      if (!failure_) {
        failure_ = Fault(Concat({"Cannot store the payload record: ", what,
                                   " is longer than 255 bytes"}));
      }
      return;
    }
    Byte(static_cast<std::uint8_t>(text.size()));
    out_.insert(out_.end(), text.begin(), text.end());
  }

  void Integer(std::int32_t value) {
    if (value >= std::numeric_limits<std::int8_t>::min() &&
        value <= std::numeric_limits<std::int8_t>::max()) {
      Byte(kTagInt8);
      Byte(static_cast<std::uint8_t>(value));
    } else if (value >= std::numeric_limits<std::int16_t>::min() &&
               value <= std::numeric_limits<std::int16_t>::max()) {
      Byte(kTagInt16);
      Byte(static_cast<std::uint8_t>(value));
      Byte(static_cast<std::uint8_t>(value >> 8));
    } else {
      Byte(kTagInt32);
      UInt32(static_cast<std::uint32_t>(value));
    }
  }

  void Bytes(std::span<const std::uint8_t> bytes) {
    out_.insert(out_.end(), bytes.begin(), bytes.end());
  }

  Result<std::vector<std::uint8_t>> Take() {
    if (failure_) return std::move(*failure_);
    return std::move(out_);
  }

 private:
  std::vector<std::uint8_t> out_;
  std::optional<Failure> failure_;
};

void WriteEntry(RecordWriter& writer, const TDatei& entry) {
  writer.Byte(kTagItem);
  for (const StringProperty& p : kEntryStrings) {
    const std::string& value = entry.*p.field;
    if (value.empty()) continue;  // reads back empty
    writer.ShortString(p.name, "a property name");
    writer.Byte(kTagString);
    writer.ShortString(value, Concat({p.name, " of entry ", std::to_string(entry.Index())}));
  }
  for (const IntegerProperty<TDatei>& p : kEntryIntegers) {
    writer.ShortString(p.name, "a property name");
    writer.Integer(entry.*p.field);
  }
  writer.Byte(kTagEndOfList);
}

}  // namespace

Result<std::unique_ptr<TFileArrayBinder>> LoadFileArrayBinder(
    std::span<const std::uint8_t> record) {
  auto binder = std::make_unique<TFileArrayBinder>();
  RecordReader reader(record);

  const std::string className = reader.ShortString("class name");
  if (className != kClassName)
    reader.Fail(0,
                Concat({"the record holds a ", Printable(className), ", not a TFileArrayBinder"}));
  binder->Name = reader.ShortString("component name");

  SeenProperties seen;
  while (MoreBefore(reader, "property")) {
    const std::size_t at = reader.Offset();
    const std::string name = reader.ShortString("property name");
    seen.Mark(reader, at, name);
    ReadBinderProperty(reader, name, at, *binder);
  }
  reader.Byte("end of properties");

  const std::size_t childrenAt = reader.Offset();
  if (reader.Byte("end of child list") != kTagEndOfList) {
    reader.Fail(childrenAt, "the binder has no child objects");
  }
  if (reader.Remaining() > 0) {
    reader.Fail(reader.Offset(),
                Concat({std::to_string(reader.Remaining()), " bytes after the end of the record"}));
  }
  if (reader.Failed()) return reader.TakeFailure();
  return binder;
}

Result<std::vector<std::uint8_t>> StoreFileArrayBinder(const TFileArrayBinder& binder) {
  const TDateiSammlung& collection = binder.DateiSammlung();
  const std::span<const std::uint8_t> block = collection.SammlungsDaten().Bytes();
  if (static_cast<std::uint64_t>(block.size()) > std::numeric_limits<std::uint32_t>::max()) {
    return Fault("Cannot store the payload record: the compressed block is 4 GiB or larger");
  }
  if (collection.Count() > kMaxEntries) {
    return Fault(Concat({"Cannot store the payload record: more than ",
                           std::to_string(kMaxEntries), " entries"}));
  }

  RecordWriter writer;
  writer.ShortString(kClassName, "the class name");
  writer.ShortString(binder.Name, "the component name");

  writer.ShortString(kBlockProperty, "a property name");
  writer.Byte(kTagBinary);
  writer.UInt32(static_cast<std::uint32_t>(block.size()));
  writer.Bytes(block);

  writer.ShortString(kItemsProperty, "a property name");
  writer.Byte(kTagCollection);
  for (int i = 0; i < collection.Count(); ++i) WriteEntry(writer, collection.Items(i));
  writer.Byte(kTagEndOfList);

  for (const IntegerProperty<TFileArrayBinder>& p : kBinderIntegers) {
    writer.ShortString(p.name, "a property name");
    writer.Integer(binder.*p.field);
  }
  writer.Byte(kTagEndOfList);  // properties
  writer.Byte(kTagEndOfList);  // child list
  return writer.Take();
}

}  // namespace vlt
