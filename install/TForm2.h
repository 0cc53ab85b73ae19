#pragma once
// The install settings page: directory, options, the install procedure and the program's cancel confirmation.
#include "forms/Form.h"

namespace vlt {

class Program;

class TForm2 : public Form {
 public:
  explicit TForm2(Program& program);
  static const FormSpec kLayout;

 private:
  Program& program_;
};

}  // namespace vlt
