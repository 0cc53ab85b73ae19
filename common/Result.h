#pragma once
// Failures travel as values. An operation that can fail returns a Status
// (success, or the failure it met) or a Result<T> (its value, or the
// failure); the caller decides on the spot what a failure means there: a
// warning and go on, the default error report, or an end.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace vlt {

// What was being attempted when a failure happened.
enum class Attempt : std::uint8_t {
  Fault,  // no system call: a fault found in data or by the program's own rules
  CreateDirectory,
  WriteFile,
  CopyFile,
  DeleteFile,
  RemoveDirectory,
  SetAttributes,
  WriteRegistry,  // creating a key or writing a value
  DeleteRegistry,
  WriteProfile,
  CreateShellLink,
  StartProgram,
  EndProcess,
  WriteSelfRemovalScript,
  NameSelfRemovalScript,  // `about`: the program the script could not name
  FindScriptFolder,
  FindSystemFolder,
};

// What went wrong: what was attempted, on which path or key, and the
// system's code (0 when none). The words for it are made only where it is
// shown (program/FailureText.h); a Fault carries its own.
struct Failure {
  Attempt attempt = Attempt::Fault;
  std::string subject;     // the path or key; for a Fault, the fault in words
  std::uint32_t code = 0;
  std::string about = {};  // a second path, where the words need one
};

// A fault found without a system call, in words.
inline Failure Fault(std::string words) { return Failure{Attempt::Fault, std::move(words)}; }

// A success costs nothing; a failure lives on the heap, so that a status is
// one pointer and dropping one is a single call wherever it happens.
class [[nodiscard]] Status {
 public:
  Status() = default;  // success
  Status(Failure failure);
  Status(const Status& other);
  Status& operator=(const Status& other);
  Status(Status&&) noexcept = default;
  Status& operator=(Status&&) noexcept = default;
  ~Status();

  bool Ok() const { return failure_ == nullptr; }
  // Only for a status that is not Ok().
  const Failure& Error() const { return *failure_; }

 private:
  std::unique_ptr<Failure> failure_;
};

template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : value_(std::move(value)) {}
  Result(Failure failure) : status_(std::move(failure)) {}

  bool Ok() const { return status_.Ok(); }
  // Only for a result that is Ok().
  T& Value() { return *value_; }
  const T& Value() const { return *value_; }
  // Only for a result that is not Ok().
  const Failure& Error() const { return status_.Error(); }
  // The status alone, to hand a failure up.
  const Status& AsStatus() const { return status_; }

 private:
  std::optional<T> value_;
  Status status_;
};

// A failure that changes nothing for the caller, said so with its reason:
// the reason is for the reader of the code.
inline void IgnoreFailure(const Status&, const char* /*why*/) {}

}  // namespace vlt

// Returns the failure of a Status expression from the enclosing function.
#define VLT_RETURN_IF_FAILED(expression)                 \
  do {                                                   \
    if (::vlt::Status vlt_status_ = (expression); !vlt_status_.Ok()) return vlt_status_; \
  } while (false)
