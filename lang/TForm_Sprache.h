#pragma once
// The language page: chooses German or English for the whole run. Its own
// texts are bilingual and never translated.
#include "program/Page.h"

namespace vlt {

class Program;

class TForm_Sprache : public Page {
 public:
  explicit TForm_Sprache(Program& program);
  static const FormSpec kLayout;

  // The controls of kLayout, bound once the page is built.
  Control& Panel1 = Ctl("Panel1");
  Control& Image1 = Ctl("Image1");
  Control& Label1 = Ctl("Label1");
  Control& Label2 = Ctl("Label2");
  Control& Image2 = Ctl("Image2");
  Control& Image3 = Ctl("Image3");
  // One group: exactly one is checked. The install procedure reads the
  // choice from them later.
  Control& RadioButton_Deutsch = Ctl("RadioButton_Deutsch");
  Control& RadioButton_English = Ctl("RadioButton_English");
  Control& Bevel1 = Ctl("Bevel1");
  Control& BitBtn_Cancel = Ctl("BitBtn_Cancel");
  Control& BitBtn_Next = Ctl("BitBtn_Next");

  void FormCreate();
  void BitBtn_NextClick();
  void BitBtn_CancelClick();

 protected:
  void FormCloseQuery(bool& CanClose) override;
};

}  // namespace vlt
