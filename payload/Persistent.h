#pragma once
// The common base of objects that can take their values from another object.

namespace vlt {

class Persistent {
 public:
  virtual ~Persistent() = default;
  // Copies what this class understands from `source`. Each class decides
  // which sources it accepts and what happens with the others.
  virtual void Assign(const Persistent& source) = 0;

  // The class of this object, for Assign to tell its sources apart: a class
  // that accepts objects of its own kind answers with the address of a tag
  // of its own (the Windows program is built without run-time type
  // information, which would otherwise answer that question).
  using ClassTag = const void*;
  virtual ClassTag Tag() const { return nullptr; }

 protected:
  Persistent() = default;
  Persistent(const Persistent&) = default;
  Persistent& operator=(const Persistent&) = default;
};

}  // namespace vlt
