// What the standard library does when it fails, in a program built without
// exceptions.
//
// libstdc++'s containers and strings report a failure by calling
// std::__throw_length_error and its kin, operator new by throwing
// std::bad_alloc. The library's own versions of these throw, and linking them
// brings the whole exception runtime into the program: the unwinder, the
// exception classes with their strings, the terminate handler and its
// demangler. Defined here, they end the process instead, after telling the
// user why. Only a fault of the program or exhausted memory gets here; there
// is no caller to hand the failure to.
//
// Every function of the library's object that holds the __throw_ functions is
// defined, so that the linker never needs that object (a second definition
// of any of them would fail the link). Nothing here allocates: the memory
// may be gone.
#include "platform/win32/WinApi.h"

#include <cstdlib>
#include <new>

namespace {

[[noreturn]] void EndWithLibraryFailure(const wchar_t* text) {
  // The program's title (kApplicationTitle), which this layer cannot include.
  ::MessageBoxW(nullptr, text, L"VelTori Advanced Setup", MB_OK | MB_ICONERROR | MB_TASKMODAL);
  ::ExitProcess(1);
}

constexpr const wchar_t* kOutOfMemory = L"Out of memory.";
constexpr const wchar_t* kTooLong = L"Internal error: length limit exceeded.";
constexpr const wchar_t* kOutOfRange = L"Internal error: position out of range.";
constexpr const wchar_t* kInvalidArgument = L"Internal error: invalid argument.";
constexpr const wchar_t* kValueOutOfRange = L"Internal error: value out of range.";
constexpr const wchar_t* kBadType = L"Internal error: bad type.";

// malloc(0) may answer null; operator new must answer a distinct block.
void* Allocate(std::size_t size) noexcept { return std::malloc(size != 0 ? size : 1); }

}  // namespace

// The library's operator new[] and delete forward to these and to free().
void* operator new(std::size_t size) {
  void* block = Allocate(size);
  if (block == nullptr) EndWithLibraryFailure(kOutOfMemory);
  return block;
}

// For allocations that may fail without ending the program.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }

namespace std {

void __throw_bad_alloc() { EndWithLibraryFailure(kOutOfMemory); }
void __throw_bad_array_new_length() { EndWithLibraryFailure(kOutOfMemory); }
void __throw_length_error(const char*) { EndWithLibraryFailure(kTooLong); }
void __throw_out_of_range(const char*) { EndWithLibraryFailure(kOutOfRange); }
void __throw_out_of_range_fmt(const char*, ...) { EndWithLibraryFailure(kOutOfRange); }
void __throw_logic_error(const char*) { EndWithLibraryFailure(kInvalidArgument); }
void __throw_domain_error(const char*) { EndWithLibraryFailure(kInvalidArgument); }
void __throw_invalid_argument(const char*) { EndWithLibraryFailure(kInvalidArgument); }
void __throw_runtime_error(const char*) { EndWithLibraryFailure(kValueOutOfRange); }
void __throw_range_error(const char*) { EndWithLibraryFailure(kValueOutOfRange); }
void __throw_overflow_error(const char*) { EndWithLibraryFailure(kValueOutOfRange); }
void __throw_underflow_error(const char*) { EndWithLibraryFailure(kValueOutOfRange); }
void __throw_bad_exception() { EndWithLibraryFailure(kBadType); }
void __throw_bad_cast() { EndWithLibraryFailure(kBadType); }
void __throw_bad_typeid() { EndWithLibraryFailure(kBadType); }
void __throw_bad_function_call() {
  EndWithLibraryFailure(L"Internal error: empty function called.");
}

}  // namespace std

// A call through a pure virtual or deleted function's slot in a virtual
// table: the library's versions end in std::terminate, which brings the
// exception runtime with it.
extern "C" void __cxa_pure_virtual() {
  EndWithLibraryFailure(L"Internal error: pure virtual function called.");
}
extern "C" void __cxa_deleted_virtual() {
  EndWithLibraryFailure(L"Internal error: deleted virtual function called.");
}
