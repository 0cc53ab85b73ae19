#pragma once
// The stored form of the file collection container: one object record that
// the setup program carries as the RCDATA resource "PAYLOAD" and that the
// packing tool writes. The byte layout is described in BinderRecord.cpp.
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "common/Result.h"
#include "payload/FileArrayBinder.h"

namespace vlt {

// The name of the RCDATA resource that holds the record.
inline constexpr char kPayloadResource[] = "PAYLOAD";

// Builds a container from `record`. The whole record is checked: every
// length and count against the bytes that remain, and nothing may follow
// the record's end. Fails, naming the byte offset and the fault, for a
// record that is damaged in any way (and when memory for the compressed
// block cannot be had); nothing is read outside `record`. The compressed
// block is copied, not inflated.
Result<std::unique_ptr<TFileArrayBinder>> LoadFileArrayBinder(std::span<const std::uint8_t> record);

// The record of `binder`: LoadFileArrayBinder(StoreFileArrayBinder(b))
// gives a container equal to `b`, and storing that gives the same bytes.
// Fails when a name or description is longer than 255 bytes, the compressed
// block is 4 GiB or larger, or there are too many entries.
Result<std::vector<std::uint8_t>> StoreFileArrayBinder(const TFileArrayBinder& binder);

}  // namespace vlt
