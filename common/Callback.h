#pragma once
// A callable kept by value for handlers and callbacks: a lambda capturing
// a few pointers or references (this, locals by reference). It is copied
// as bytes, so unlike std::function it needs no copy and destroy code for
// every kind of callable it holds, which keeps the program small. A
// callable that owns anything (a captured string) does not fit, by design.
// A callable that returns nothing where a result is wanted (a click handler
// that cannot fail, where handlers return a Status) gives a default one.
#include <new>
#include <type_traits>
#include <utility>

namespace vlt {

template <class Signature>
class Callback;

template <class R, class... Args>
class Callback<R(Args...)> {
 public:
  Callback() = default;
  template <class F, class = std::enable_if_t<!std::is_same_v<std::decay_t<F>, Callback>>>
  Callback(F callable) : call_(&Call<F>) {
    static_assert(sizeof(F) <= sizeof(storage_) && alignof(F) <= alignof(void*),
                  "a callback holds a few pointers or references at most");
    static_assert(std::is_trivially_copyable_v<F> && std::is_trivially_destructible_v<F>,
                  "a callback may only hold what can be copied as bytes");
    ::new (static_cast<void*>(storage_)) F(std::move(callable));
  }

  explicit operator bool() const { return call_ != nullptr; }
  // Only for a callback that holds a callable.
  R operator()(Args... args) const { return call_(storage_, std::forward<Args>(args)...); }

 private:
  template <class F>
  static R Call(const void* storage, Args... args) {
    const F& callable = *static_cast<const F*>(storage);
    if constexpr (std::is_void_v<std::invoke_result_t<const F&, Args...>>) {
      callable(std::forward<Args>(args)...);
      return R();
    } else {
      return callable(std::forward<Args>(args)...);
    }
  }

  alignas(void*) unsigned char storage_[4 * sizeof(void*)] = {};
  R (*call_)(const void*, Args...) = nullptr;
};

}  // namespace vlt
