#pragma once
// The program-wide state of one run: the services, the page references, the
// texts of the current language, the stored language and the install
// directory. Pages reach each other and the shared state through it.
#include <exception>
#include <initializer_list>
#include <memory>
#include <string>

#include "forms/Form.h"
#include "lang/Texts.h"
#include "platform/Services.h"

namespace vlt {

class TForm_Sprache;
class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TFileArrayBinder;

class Program {
 public:
  explicit Program(Services& services);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  Services& sys;

  // Message texts and dialog captions of the current language.
  MessageTexts msg;
  DialogCaptions captions;

  // Language identifier read from config.vlt in uninstall mode; "" otherwise.
  std::string StoredLanguage;
  // The install directory as typed, once the install procedure confirmed it.
  std::string InstallVerz;
  // A setup run's payload, checked at start-up; the settings page takes it
  // when it is created.
  std::unique_ptr<TFileArrayBinder> CheckedPayload;

  // One reference per page class; empty when this run did not create it.
  std::unique_ptr<TForm_Sprache> Form_Sprache;
  std::unique_ptr<TForm1> Form1;
  std::unique_ptr<TForm2> Form2;
  std::unique_ptr<TForm3> Form3;
  std::unique_ptr<TForm4> Form4;

  // The first page created: shown first, and closing it ends the program.
  Form* MainForm() const { return mainForm_; }
  // Called by each page's creation: the first one becomes the main page.
  void PageCreated(Form& page);

  // What every page needs to build its window and report its errors.
  FormContext MakeFormContext();

  bool UninstallMode() const;

  // The message box with the current dialog captions.
  MsgButton ShowMessage(const std::string& text, MsgKind kind,
                        std::initializer_list<MsgButton> buttons);
  // The default error report for an exception that leaves a handler: the
  // exception's text under the application title, with the built-in OK.
  void ShowException(const std::exception& error);

 private:
  Form* mainForm_ = nullptr;
};

}  // namespace vlt
