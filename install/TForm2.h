#pragma once
// The install settings page: directory, options, the install procedure and
// the program's one cancel confirmation.
#include <memory>
#include <string>

#include "payload/FileArrayBinder.h"
#include "program/Page.h"

namespace vlt {

class Program;

class TForm2 : public Page {
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

  // The product's files, loaded from the program's own payload record when
  // the page is created; empty when the record is missing or damaged.
  std::unique_ptr<TFileArrayBinder> FileArrayBinder1;

  // The install procedure: runs the install (install/InstallRun.h) with the
  // progress bar, the warnings and the hand-over to the finish page. A
  // failure it returns is one whose step lets it reach the default error
  // report: the run ends there, with both buttons still disabled.
  Status BitBtn_WeiterClick();
  void BitBtn_SuchenClick();
  // Proposes the folder of the installation the machine's entries name,
  // where it still holds the product: an upgrade goes where the product is.
  // The language's default stands otherwise.
  void ProposeRegisteredFolder();
  void BitBtn_AbbrechenClick();
  // Writes (Install) or removes the autostart value, the uninstall entry and
  // the "Autostart" key of config.vlt; false when a step failed. An install
  // without a whole uninstaller copy registers no uninstall entry.
  bool VelToriRegistry(bool Install, bool AutoStart, bool UninstallerWritten = true);

 protected:
  // The program's one cancel confirmation, which every page's cancel path
  // runs: Yes ends the program.
  void FormCloseQuery(bool& CanClose) override;

 private:
  void LoadPayload();
};

}  // namespace vlt
