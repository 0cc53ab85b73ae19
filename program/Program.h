#pragma once
// The program-wide state of one run: the services, the pages with one
// reference per page class, the texts of the current language, the stored
// language and the install directory. Pages reach each other and the shared
// state through it. The page classes stand above this folder: here they are
// only declared, and start-up creates them.
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "forms/Form.h"
#include "platform/Services.h"
#include "program/Page.h"
#include "program/Texts.h"

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

  // One reference per page class, set when start-up creates the page; null
  // when this run did not create it.
  TForm_Sprache* Form_Sprache = nullptr;
  TForm1* Form1 = nullptr;
  TForm2* Form2 = nullptr;
  TForm3* Form3 = nullptr;
  TForm4* Form4 = nullptr;

  // Creates a page of class PageClass. The program keeps it until it ends,
  // and then destroys the pages in the order they were created.
  template <class PageClass>
  PageClass* CreatePage() {
    auto page = std::make_unique<PageClass>(*this);
    PageClass* created = page.get();
    pages_.push_back(std::move(page));
    return created;
  }

  // The pages by the class names the text keys use ("TForm2"), for code
  // that must not know the page classes: the page, or null when this run did
  // not create it; PageNamed ends the program with a message then.
  Page* FindPage(std::string_view className) const;
  Page& PageNamed(std::string_view className) const;

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
  // The default error report for a failure that a handler hands up: its
  // text under the application title, with the built-in OK.
  void ShowFailure(const Failure& failure);

 private:
  std::vector<std::unique_ptr<Page>> pages_;
  Form* mainForm_ = nullptr;
};

}  // namespace vlt
