#pragma once
// Ownership of one operating-system handle. Each handle kind has its own
// traits type, because kinds differ in their empty value (a null handle, or
// INVALID_HANDLE_VALUE for files and searches) and in the call that releases
// them:
//
//   struct Traits {
//     using Type = ...;                  // the handle type
//     static Type Empty() noexcept;      // the value that owns nothing
//     static void Close(Type) noexcept;  // releases a value that is not Empty()
//   };
//
// Move-only: a copy would release the same handle twice.
#include <utility>

namespace vlt {

template <class Traits>
class UniqueHandle {
 public:
  using Type = typename Traits::Type;

  UniqueHandle() noexcept : value_(Traits::Empty()) {}
  // Takes ownership of `value` (which may be the empty value).
  explicit UniqueHandle(Type value) noexcept : value_(value) {}
  ~UniqueHandle() { Reset(); }

  UniqueHandle(UniqueHandle&& other) noexcept : value_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Type Get() const noexcept { return value_; }
  bool Valid() const noexcept { return value_ != Traits::Empty(); }
  explicit operator bool() const noexcept { return Valid(); }

  // Releases the owned handle and takes `value` instead. Passing the handle
  // already owned keeps it (it is not closed under the caller's feet).
  void Reset(Type value = Traits::Empty()) noexcept {
    if (value == value_) return;
    Type old = std::exchange(value_, value);
    if (old != Traits::Empty()) Traits::Close(old);
  }

  // Gives up ownership without closing; the caller owns the result.
  [[nodiscard]] Type Release() noexcept { return std::exchange(value_, Traits::Empty()); }

  // For functions that return a handle through an out-parameter: releases
  // the owned handle first, then hands out the address of the (empty) slot.
  Type* put() noexcept {
    Reset();
    return &value_;
  }

 private:
  Type value_;
};

}  // namespace vlt
