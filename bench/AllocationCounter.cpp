#include "bench/AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace vlt::bench {
namespace {

// Each block carries its size in a header, so unsized deletes can count too.
constexpr std::size_t kHeader = alignof(std::max_align_t);
std::size_t live = 0;
std::size_t peak = 0;

void* Allocate(std::size_t size) {
  auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
  if (block == nullptr) throw std::bad_alloc();
  *reinterpret_cast<std::size_t*>(block) = size;
  live += size;
  if (live > peak) peak = live;
  return block + kHeader;
}

void Release(void* p) noexcept {
  if (p == nullptr) return;
  unsigned char* block = static_cast<unsigned char*>(p) - kHeader;
  live -= *reinterpret_cast<std::size_t*>(block);
  std::free(block);
}

}  // namespace

std::size_t LiveBytes() { return live; }
std::size_t PeakBytes() { return peak; }
void ResetPeak() { peak = live; }

}  // namespace vlt::bench

void* operator new(std::size_t size) { return vlt::bench::Allocate(size); }
void* operator new[](std::size_t size) { return vlt::bench::Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return vlt::bench::Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}
void operator delete(void* p) noexcept { vlt::bench::Release(p); }
void operator delete[](void* p) noexcept { vlt::bench::Release(p); }
void operator delete(void* p, std::size_t) noexcept { vlt::bench::Release(p); }
void operator delete[](void* p, std::size_t) noexcept { vlt::bench::Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { vlt::bench::Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { vlt::bench::Release(p); }
