#pragma once
// The uninstall page: the checklist of what is installed.
#include <memory>
#include <optional>

#include "payload/FileArrayBinder.h"
#include "platform/FileSystem.h"
#include "program/Page.h"
#include "uninstall/Presence.h"

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
  // What is there now, looked at anew: the page's creation and its removal
  // both ask.
  Findings LookAtMachine(PresenceQuery& query);

  // The product's files as this setup carries them, to tell ours by content.
  std::unique_ptr<TFileArrayBinder> payload_;
  // The install directory the page looked at: the removal acts in it only
  // while it is still that folder.
  std::optional<FileIdentity> installDir_;
};

}  // namespace vlt
