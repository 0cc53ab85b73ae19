#pragma once
// The install settings page: directory, options, the install procedure and
// the program's one cancel confirmation.
#include "forms/Form.h"

namespace vlt {

class Program;

class TForm2 : public Form {
 public:
  explicit TForm2(Program& program);
  static const FormSpec kLayout;

  // The controls of kLayout, bound once the page is built.
  Control& Label_Installationsverzeichnis = Ctl("Label_Installationsverzeichnis");
  Control& Bevel1 = Ctl("Bevel1");
  Control& Label_BitteInstallationseinstellungenVornehmen =
      Ctl("Label_BitteInstallationseinstellungenVornehmen");
  Control& BitBtn_Weiter = Ctl("BitBtn_Weiter");
  Control& BitBtn_Suchen = Ctl("BitBtn_Suchen");
  Control& Edit_InstallVerz = Ctl("Edit_InstallVerz");
  Control& CheckBox_automatischstarten = Ctl("CheckBox_automatischstarten");
  Control& CheckBox_VerknupfungAufDesktop = Ctl("CheckBox_VerknupfungAufDesktop");
  Control& CheckBox_EintragInsStartmenu = Ctl("CheckBox_EintragInsStartmenu");
  Control& BitBtn_Abbrechen = Ctl("BitBtn_Abbrechen");
  Control& Panel1 = Ctl("Panel1");
  Control& Image1 = Ctl("Image1");  // the side picture, handed over by the licence page
  Control& ProgressBar1 = Ctl("ProgressBar1");

 private:
  Program& program_;
};

}  // namespace vlt
