#pragma once
// The licence page.
#include "forms/Form.h"

namespace vlt {

class Program;

class TForm1 : public Form {
 public:
  explicit TForm1(Program& program);
  static const FormSpec kLayout;

 private:
  Program& program_;
};

}  // namespace vlt
