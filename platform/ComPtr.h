#pragma once
// Ownership of one reference to a COM object. T is any type with the COM
// reference-counting methods AddRef() and Release(); the pointer owns one
// reference and releases it when it goes out of scope or is reset.
//
// Move-only: code that needs a second owner asks the object for it
// (QueryInterface), which makes the extra reference visible.
#include <utility>

namespace vlt {

template <class T>
class ComPtr {
 public:
  ComPtr() noexcept = default;
  ~ComPtr() { Reset(); }

  ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      Reset();
      ptr_ = std::exchange(other.ptr_, nullptr);
    }
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  // Adopts a reference the caller already owns (no AddRef).
  static ComPtr Attach(T* owned) noexcept {
    ComPtr result;
    result.ptr_ = owned;
    return result;
  }

  T* Get() const noexcept { return ptr_; }
  T* operator->() const noexcept { return ptr_; }
  explicit operator bool() const noexcept { return ptr_ != nullptr; }

  // Releases the reference held, if any.
  void Reset() noexcept {
    if (T* old = std::exchange(ptr_, nullptr)) old->Release();
  }

  // For creation functions with an out-parameter: releases the reference
  // held first, then hands out the address of the (null) slot.
  T** put() noexcept {
    Reset();
    return &ptr_;
  }
  // The same slot as put(), typed for functions that take void**.
  void** put_void() noexcept { return reinterpret_cast<void**>(put()); }

 private:
  T* ptr_ = nullptr;
};

}  // namespace vlt
