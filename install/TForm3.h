#pragma once
// The finish page: the completion note and what to start on the way out.
#include "program/Page.h"

namespace vlt {

class Program;

class TForm3 : public Page {
 public:
  explicit TForm3(Program& program);
  static const FormSpec kLayout;

  // The controls of kLayout, bound once the page is built.
  Control& Bevel1 = Ctl("Bevel1");
  Control& Label_Installationerfolgreich = Ctl("Label_Installationerfolgreich");
  Control& Label_VielSpass = Ctl("Label_VielSpass");
  Control& Label_StandardHotkey = Ctl("Label_StandardHotkey");
  Control& BitBtn_FertigStellen = Ctl("BitBtn_FertigStellen");
  Control& CheckBox_VelToriJetztStarten = Ctl("CheckBox_VelToriJetztStarten");
  Control& CheckBox_WebseiteBesuchen = Ctl("CheckBox_WebseiteBesuchen");
  Control& Panel1 = Ctl("Panel1");
  Control& Image1 = Ctl("Image1");  // the side picture, handed over by the settings page

  void BitBtn_FertigStellenClick();
  // The product was not written whole: the start box is cleared and greyed,
  // so that the way out never starts a missing or cut program.
  void OfferNoProductStart();

 protected:
  // Closing the window acts like the button, starts included.
  void FormCloseQuery(bool& CanClose) override;
};

}  // namespace vlt
