#pragma once
// The uninstall page: the checklist of what is installed.
#include "program/Page.h"

namespace vlt {

class Program;

class TForm4 : public Page {
 public:
  explicit TForm4(Program& program);
  static const FormSpec kLayout;

  // The controls of kLayout, bound once the page is built.
  Control& Panel1 = Ctl("Panel1");
  Control& Image1 = Ctl("Image1");
  Control& Label_WasEntfernen = Ctl("Label_WasEntfernen");
  Control& CheckBox_DelExe = Ctl("CheckBox_DelExe");
  Control& CheckBox_DelHilfe = Ctl("CheckBox_DelHilfe");
  Control& CheckBox_DelRegistry = Ctl("CheckBox_DelRegistry");
  Control& CheckBox_DelStartmenue = Ctl("CheckBox_DelStartmenue");
  Control& CheckBox_DelDesktopLnk = Ctl("CheckBox_DelDesktopLnk");
  Control& CheckBox_DelCfg = Ctl("CheckBox_DelCfg");
  Control& CheckBox_DelPufferText = Ctl("CheckBox_DelPufferText");
  Control& CheckBox_DelPufferBild = Ctl("CheckBox_DelPufferBild");
  Control& CheckBox_DelSontiges = Ctl("CheckBox_DelSontiges");
  Control& CheckBox_DelUninst = Ctl("CheckBox_DelUninst");
  Control& Bevel1 = Ctl("Bevel1");
  Control& BitBtn_Abbrechen = Ctl("BitBtn_Abbrechen");
  Control& BitBtn_Deinstallieren = Ctl("BitBtn_Deinstallieren");

  // Offers (enables and checks) each item whose target is present.
  void FormCreate();
  void BitBtn_AbbrechenClick();
  // The removal procedure.
  Status BitBtn_DeinstallierenClick();

 protected:
  void FormCloseQuery(bool& CanClose) override;

 private:
  // Whether the install directory held an installation when the page was
  // made: only then may the self-removal remove it once it is empty.
  bool installDirIsProducts_ = false;
};

}  // namespace vlt
