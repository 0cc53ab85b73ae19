#pragma once
// The licence page: the agreement in a memo, install and cancel buttons.
#include "program/Page.h"

namespace vlt {

class Program;

class TForm1 : public Page {
 public:
  explicit TForm1(Program& program);
  static const FormSpec kLayout;

  // The controls of kLayout, bound once the page is built.
  Control& Bevel1 = Ctl("Bevel1");
  Control& BitBtn_Install = Ctl("BitBtn_Install");
  Control& BitBtn_Abbrechen = Ctl("BitBtn_Abbrechen");
  Control& Memo_Lizentext = Ctl("Memo_Lizentext");
  Control& Panel1 = Ctl("Panel1");
  Control& Image1 = Ctl("Image1");  // the side picture, handed over by the language page

  void BitBtn_InstallClick();
  void BitBtn_AbbrechenClick();

 protected:
  void FormCloseQuery(bool& CanClose) override;
};

}  // namespace vlt
