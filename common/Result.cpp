#include "common/Result.h"

namespace vlt {

// Out of line, and never inlined: the code that frees a failure's texts
// stands here once instead of at every place a status ends.
Status::Status(Failure failure) : failure_(std::make_unique<Failure>(std::move(failure))) {}

Status::Status(const Status& other)
    : failure_(other.failure_ ? std::make_unique<Failure>(*other.failure_) : nullptr) {}

Status& Status::operator=(const Status& other) {
  if (this != &other) *this = Status(other);
  return *this;
}

[[gnu::noinline]] Status::~Status() = default;

}  // namespace vlt
