#pragma once
// The uninstall page: the checklist of what is installed.
#include "forms/Form.h"

namespace vlt {

class Program;

class TForm4 : public Form {
 public:
  explicit TForm4(Program& program);
  static const FormSpec kLayout;

 private:
  Program& program_;
};

}  // namespace vlt
