#pragma once
// The stored form of the file collection container: one object record that
// the setup program carries as the RCDATA resource "PAYLOAD" and that the
// packing tool writes. The byte layout is described in BinderRecord.cpp.
#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <vector>

#include "payload/FileArrayBinder.h"

namespace vlt {

// The name of the RCDATA resource that holds the record.
inline constexpr char kPayloadResource[] = "PAYLOAD";

// A record that cannot be read (damaged, cut short, trailing bytes, unknown
// content), or a container that cannot be written as one.
class RecordError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Builds a container from `record`. The whole record is checked: every
// length and count against the bytes that remain, and nothing may follow
// the record's end. Raises RecordError, naming the byte offset and the
// fault, for a record that is damaged in any way; nothing is read outside
// `record`. The compressed block is copied, not inflated.
std::unique_ptr<TFileArrayBinder> LoadFileArrayBinder(std::span<const std::uint8_t> record);

// The record of `binder`: LoadFileArrayBinder(StoreFileArrayBinder(b))
// gives a container equal to `b`, and storing that gives the same bytes.
// Raises RecordError when a name or description is longer than 255 bytes or
// the compressed block is 4 GiB or larger.
std::vector<std::uint8_t> StoreFileArrayBinder(const TFileArrayBinder& binder);

}  // namespace vlt
