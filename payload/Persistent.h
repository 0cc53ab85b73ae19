#pragma once
// The common base of objects that can take their values from another object.

namespace vlt {

class Persistent {
 public:
  virtual ~Persistent() = default;
  // Copies what this class understands from `source`. Each class decides
  // which sources it accepts and what happens with the others.
  virtual void Assign(const Persistent& source) = 0;

 protected:
  Persistent() = default;
  Persistent(const Persistent&) = default;
  Persistent& operator=(const Persistent&) = default;
};

}  // namespace vlt
