#pragma once
// The file collection container: the product's files as one compressed block
// (a single zlib stream holding the files joined end to end) with a table of
// entries that says where each file lies in the inflated block.
//
// Ownership runs one way: the binder owns its collection, the collection
// owns its entries and its byte buffer. The container is filled once by the
// record loader (payload/BinderRecord.h) and only read afterwards.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/Result.h"
#include "payload/MemoryBuffer.h"
#include "payload/Persistent.h"

namespace vlt {

class FileSystem;
class TDateiSammlung;
class TFileArrayBinder;

// One entry of the collection: a file of the inflated block.
class TDatei final : public Persistent {
 public:
  // Entries are made by their collection (TDateiSammlung::Add).
  explicit TDatei(TDateiSammlung& collection) : collection_(&collection) {}
  TDatei(const TDatei&) = delete;
  TDatei& operator=(const TDatei&) = delete;

  // Plain values, read and written directly.
  std::string Dateiname;          // file name without directory (ANSI, ASCII in practice)
  std::string DateiBeschreibung;  // free description; empty in built payloads
  std::int32_t DateiGroesse = 0;  // length of the file in bytes
  std::int32_t DateiStart = 0;    // offset of its first byte in the inflated block

  TDateiSammlung& Collection() const { return *collection_; }
  // Position in the collection, from 0.
  int Index() const;

  // True when the entry's bytes lie wholly inside an inflated block of
  // `inflatedLength` bytes: start and size not negative, their sum (formed
  // without wrapping) not past the end.
  bool LiesWithin(std::size_t inflatedLength) const;

  // From another TDatei: copies the four values. Any other source is ignored
  // without an error.
  void Assign(const Persistent& source) override;
  ClassTag Tag() const override { return &kTag; }

  // Writes this entry's bytes to `Zielpfad` through `fs` (an existing file is
  // replaced). Every call inflates the collection's whole block anew, into
  // a buffer of the collection's InflatedLength(); a block that inflates to
  // more does not inflate.
  // Fails when the entry does not lie wholly inside the inflated block
  // (negative start or size included; the file system is then not
  // touched), when the block does not inflate or does not fit in memory,
  // or when the file cannot be written. A size of 0
  // writes an empty file. The container is not changed.
  Status Entpacken(const std::string& Zielpfad, FileSystem& fs) const;

 private:
  static constexpr char kTag = 0;
  TDateiSammlung* collection_;
};

// The ordered entries of the binder plus the compressed block.
class TDateiSammlung {
 public:
  explicit TDateiSammlung(TFileArrayBinder& owner) : owner_(&owner) {}
  TDateiSammlung(const TDateiSammlung&) = delete;
  TDateiSammlung& operator=(const TDateiSammlung&) = delete;

  TFileArrayBinder& Owner() const { return *owner_; }

  int Count() const { return static_cast<int>(items_.size()); }
  // Whether `index` names an entry: 0 to Count() - 1.
  bool Holds(int index) const { return index >= 0 && index < Count(); }
  // The entry at `index`, which must be one Holds(); the program ends with
  // the list index message otherwise.
  TDatei& Items(int index);
  const TDatei& Items(int index) const;
  // Appends a new entry with empty name and description and zero numbers.
  TDatei& Add();
  void Clear() { items_.clear(); }
  // The position of `item` in this collection, or -1.
  int IndexOf(const TDatei& item) const;
  // The inflated block's length the entries imply: the end of the entry
  // that ends last. The packer joins the files end to end, so for a sound
  // payload this is the block's length exactly, and a block that inflates to
  // more is damaged. SIZE_MAX, no bound, when an entry has a negative start
  // or size: that entry lies outside any block.
  std::size_t InflatedLength() const;

  // The compressed block exactly as stored, never inflated.
  const MemoryBuffer& SammlungsDaten() const { return sammlungsDaten_; }
  // Replaces the whole block (the record loader's way in); false, and the
  // block empty, when memory for it cannot be had.
  [[nodiscard]] bool SetSammlungsDaten(std::span<const std::uint8_t> bytes) {
    return sammlungsDaten_.Assign(bytes);
  }

 private:
  std::size_t CheckedIndex(int index) const;

  TFileArrayBinder* owner_;
  MemoryBuffer sammlungsDaten_;
  std::vector<std::unique_ptr<TDatei>>
      items_;  // stable addresses: entries are handed out by reference
};

// The non-visual component that the install settings page owns.
class TFileArrayBinder {
 public:
  TFileArrayBinder() = default;
  TFileArrayBinder(const TFileArrayBinder&) = delete;
  TFileArrayBinder& operator=(const TFileArrayBinder&) = delete;

  // The component name the record carries ("FileArrayBinder1").
  std::string Name;
  // Design-time position, kept only so a stored record loads back unchanged.
  std::int32_t DesignLeft = 0;
  std::int32_t DesignTop = 0;

  TDateiSammlung& DateiSammlung() { return dateiSammlung_; }
  const TDateiSammlung& DateiSammlung() const { return dateiSammlung_; }

 private:
  TDateiSammlung dateiSammlung_{*this};
};

}  // namespace vlt
