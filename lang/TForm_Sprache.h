#pragma once
// The language page: chooses German or English for the whole run.
#include "forms/Form.h"

namespace vlt {

class Program;

class TForm_Sprache : public Form {
 public:
  explicit TForm_Sprache(Program& program);
  static const FormSpec kLayout;

 private:
  Program& program_;
};

}  // namespace vlt
