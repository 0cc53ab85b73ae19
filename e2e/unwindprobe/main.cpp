// Throws through the standard library the ways the setup program can, and
// says whether each exception reached its handler. Linked like the setup
// program: an unwind entry that the link dropped for a function that stayed
// ends the program in std::terminate instead of the handler.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct ProbeError {
  int code;
};

// Copies throw on the third copy: the vector grows while copying.
struct CopyThrower {
  static int copies;
  int value;
  explicit CopyThrower(int v) : value(v) {}
  CopyThrower(const CopyThrower& other) : value(other.value) {
    if (++copies == 3) throw ProbeError{3};
  }
  CopyThrower& operator=(const CopyThrower&) = default;
};
int CopyThrower::copies = 0;

int failures = 0;

template <typename Exception, typename Action>
void Expect(const char* what, Action action) {
  try {
    action();
    std::printf("FAILED: %s threw nothing\n", what);
    ++failures;
  } catch (const Exception&) {
    std::printf("caught: %s\n", what);
  } catch (...) {
    std::printf("FAILED: %s threw something else\n", what);
    ++failures;
  }
}

}  // namespace

int wmain(int argc, wchar_t**) {
  // argc keeps the compiler from deciding any of this at compile time.
  const std::size_t one = static_cast<std::size_t>(argc);

  Expect<std::length_error>("string reserve beyond max_size", [&] {
    std::string text("probe");
    text.reserve(text.max_size() + one);
  });
  Expect<std::out_of_range>("string substr past its end", [&] {
    const std::string text("probe");
    (void)text.substr(text.size() + one);
  });
  Expect<std::out_of_range>("wstring at past its end", [&] {
    const std::wstring text(L"probe");
    (void)text.at(text.size() + one);
  });
  Expect<std::bad_function_call>("empty std::function", [&] {
    std::function<void()> nothing;
    if (one) nothing();
  });
  Expect<std::runtime_error>("runtime_error through std::function", [&] {
    std::function<void(const std::string&)> handler = [](const std::string& name) {
      throw std::runtime_error("handler failed: " + name);
    };
    handler(std::string(one, 'x'));
  });
  Expect<std::bad_alloc>("operator new beyond the address space", [&] {
    ::operator delete(::operator new(static_cast<std::size_t>(-1) - 64 + one));
  });
  std::vector<CopyThrower> values;
  Expect<ProbeError>("copy constructor while a vector grows", [&] {
    for (int i = 0; i < 4; ++i) values.push_back(CopyThrower(i));
  });
  Expect<ProbeError>("comparison inside std::sort", [&] {
    std::vector<int> numbers{5, 3, 9, 1, static_cast<int>(one)};
    std::sort(numbers.begin(), numbers.end(), [](int a, int b) {
      if (a == 1 || b == 1) throw ProbeError{1};
      return a < b;
    });
  });

  std::printf(failures == 0 ? "all caught\n" : "%d not caught\n", failures);
  return failures;
}
