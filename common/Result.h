#pragma once
// Failures travel as values. An operation that can fail returns a Status
// (success, or the failure it met) or a Result<T> (its value, or the
// failure); the caller decides on the spot what a failure means there: a
// warning and go on, the default error report, or an end.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace vlt {

// What went wrong: the text the default error report shows (the system's
// own, or a fixed English text) and the system error code, 0 when none.
struct Failure {
  std::string message;
  std::uint32_t code = 0;
};

class [[nodiscard]] Status {
 public:
  Status() = default;  // success
  Status(Failure failure) : failure_(std::move(failure)) {}

  bool Ok() const { return !failure_.has_value(); }
  // Only for a status that is not Ok().
  const Failure& Error() const { return *failure_; }

 private:
  std::optional<Failure> failure_;
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

}  // namespace vlt
