#pragma once
// The finish page.
#include "forms/Form.h"

namespace vlt {

class Program;

class TForm3 : public Form {
 public:
  explicit TForm3(Program& program);
  static const FormSpec kLayout;

 private:
  Program& program_;
};

}  // namespace vlt
