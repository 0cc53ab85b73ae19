#pragma once
// What every page of this program shares: its form is built from its layout
// with the program's host and error report, it reaches the other pages and
// the run's state through the program, and its creation is announced (the
// first page created becomes the main page).
#include "forms/Form.h"

namespace vlt {

class Program;

class Page : public Form {
 protected:
  Page(Program& program, const FormSpec& layout);

  // The wizard moves on, never back: this page copies its side picture (the
  // control "Image1", which every page has) into `next`, shows `next` and
  // hides itself.
  void HandOverTo(Page& next);

  Program& program_;
};

}  // namespace vlt
