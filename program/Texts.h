#pragma once
// The program-wide texts that are not page texts: the ten message texts and
// the thirteen dialog captions. ApplyLanguage fills them.
#include <string>

namespace vlt {

struct MessageTexts {
  // All empty until a language is applied.
  std::string MsgExtractError;
  std::string MsgCreateDirError;
  std::string MsgRegistryError;
  std::string MsgCopyUninstallerError;
  std::string LinkNameRun;
  std::string LinkNameUninstall;
  std::string LinkNameHelp;
  std::string TitleChooseFolder;
  std::string MsgConfirmCancel;
  std::string MsgUninstallDone;

  bool operator==(const MessageTexts&) const = default;
};

struct DialogCaptions {
  // The built-in captions, in force until a language is applied.
  std::string CaptionYes = "&Yes";
  std::string CaptionNo = "&No";
  std::string CaptionOk = "OK";
  std::string CaptionCancel = "Cancel";
  std::string CaptionHelp = "&Help";
  std::string CaptionAbort = "&Abort";
  std::string CaptionRetry = "&Retry";
  std::string CaptionIgnore = "&Ignore";
  std::string CaptionAll = "&All";
  std::string TitleWarning = "Warning";
  std::string TitleError = "Error";
  std::string TitleInformation = "Information";
  std::string TitleConfirmation = "Confirm";

  bool operator==(const DialogCaptions&) const = default;
};

}  // namespace vlt
