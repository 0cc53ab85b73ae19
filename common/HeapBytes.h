#pragma once
// Byte buffers whose size the data decides (a payload block, its inflated
// bytes): allocated so that memory that cannot be had is an answer the
// caller handles, not the end of the program.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

namespace vlt {

struct FreeBytes {
  void operator()(std::uint8_t* bytes) const { ::operator delete(bytes); }
};
using HeapBytes = std::unique_ptr<std::uint8_t[], FreeBytes>;

// `count` bytes, not initialised; empty when memory cannot be had.
inline HeapBytes AllocateBytes(std::size_t count) {
  return HeapBytes(static_cast<std::uint8_t*>(::operator new(count, std::nothrow)));
}

}  // namespace vlt
