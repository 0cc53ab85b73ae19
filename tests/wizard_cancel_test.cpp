// The one cancel question, asked from every page that can cancel, through its
// cancel button and its close box.
#include <gtest/gtest.h>

#include <functional>

#include "wizard_support.h"

namespace vlt {
namespace {

using wizard::kDefaultDir;
using wizard::Wizard;

struct Question {
  const char* text;
  const char* title;
  const char* yes;
  const char* no;
};
constexpr Question kGerman{"Setup wirklich abbrechen?", "Bestätiung", "&Ja", "&Nein"};
constexpr Question kEnglish{"Do you really want exit Setup?", "Confirmation", "&Yes", "&No"};

void StoreLanguage(Wizard& w, const char* language) {
  w.p.fs.AddFile(kDefaultDir + "\\veltori.exe", "old");
  w.p.fs.AddFile(kDefaultDir + "\\config.vlt", std::string("[Sprache]\r\nSprache=") + language);
}

struct AskingPage {
  const char* name;
  // Starts a run and brings the page up, with something the user changed on it.
  std::function<Form&(Wizard&)> open;
  const char* cancelButton;
  Question question;
};

const AskingPage kAskingPages[] = {
    {"language page, German preselected",
     [](Wizard& w) -> Form& { w.Start(); return w.Sprache(); },
     "BitBtn_Cancel", kEnglish},
    {"language page, English checked",
     [](Wizard& w) -> Form& {
       w.Start();
       w.Sprache().SimulateClickForTesting("RadioButton_English");
       return w.Sprache();
     },
     "BitBtn_Cancel", kEnglish},
    {"language page of the uninstaller",
     [](Wizard& w) -> Form& { w.StartUninstaller(); return w.Sprache(); },
     "BitBtn_Cancel", kEnglish},
    {"licence page, German",
     [](Wizard& w) -> Form& {
       w.Start();
       w.ChooseLanguage("Deutsch");
       w.Licence().Memo_Lizentext.SetText("typed by the user");
       return w.Licence();
     },
     "BitBtn_Abbrechen", kGerman},
    {"licence page, English",
     [](Wizard& w) -> Form& {
       w.Start();
       w.ChooseLanguage("English");
       return w.Licence();
     },
     "BitBtn_Abbrechen", kEnglish},
    {"settings page, German",
     [](Wizard& w) -> Form& {
       TForm2& page = w.ToSettings("Deutsch");
       page.Edit_InstallVerz.SetText("D:\\Eigene\\VelTori");
       page.SimulateClickForTesting("CheckBox_VerknupfungAufDesktop");
       return page;
     },
     "BitBtn_Abbrechen", kGerman},
    {"settings page, English",
     [](Wizard& w) -> Form& {
       TForm2& page = w.ToSettings("English");
       page.SimulateClickForTesting("CheckBox_automatischstarten");
       return page;
     },
     "BitBtn_Abbrechen", kEnglish},
    {"uninstall page, German stored",
     [](Wizard& w) -> Form& {
       StoreLanguage(w, "Deutsch");
       w.StartUninstaller();
       w.Uninstall().SimulateClickForTesting("CheckBox_DelExe");
       return w.Uninstall();
     },
     "BitBtn_Abbrechen", kGerman},
    {"uninstall page, English stored",
     [](Wizard& w) -> Form& {
       StoreLanguage(w, "English");
       w.StartUninstaller();
       return w.Uninstall();
     },
     "BitBtn_Abbrechen", kEnglish},
    {"uninstall page after the language page",
     [](Wizard& w) -> Form& {
       w.StartUninstaller();
       w.ChooseLanguage("English");
       return w.Uninstall();
     },
     "BitBtn_Abbrechen", kEnglish},
};

TEST(CancelQuestion, EveryPageAsksOnceNoKeepsThePageYesEndsTheRun) {
  for (const AskingPage& asking : kAskingPages) {
    for (const bool closeBox : {false, true}) {
      for (const MsgButton answer : {MsgButton::No, MsgButton::Yes}) {
        SCOPED_TRACE(std::string(asking.name) + (closeBox ? ", close box" : ", button") +
                     (answer == MsgButton::Yes ? ", Yes" : ", No"));
        Wizard w;
        Form& page = asking.open(w);
        ASSERT_TRUE(page.Visible());
        const wizard::PageState before = wizard::StateOf(page);
        const std::vector<std::string> files = w.p.fs.AllPaths();
        const std::vector<std::string> keys = w.p.registry.Keys();
        w.p.dialog.shown.clear();
        w.p.dialog.answers = {answer};

        if (closeBox) {
          EXPECT_EQ(page.UserClose(), answer == MsgButton::Yes);
        } else {
          page.SimulateClickForTesting(asking.cancelButton);
        }

        ASSERT_EQ(w.p.dialog.shown.size(), 1u);
        const MessageBoxRequest& box = w.p.dialog.shown[0];
        EXPECT_EQ(box.kind, MsgKind::Confirmation);
        EXPECT_EQ(box.text, asking.question.text);
        EXPECT_EQ(box.title, asking.question.title);
        using Buttons = std::vector<std::pair<MsgButton, std::string>>;
        EXPECT_EQ(box.buttons, (Buttons{{MsgButton::Yes, asking.question.yes},
                                        {MsgButton::No, asking.question.no}}));
        EXPECT_EQ(w.p.app.terminated, answer == MsgButton::Yes);
        if (answer == MsgButton::No) {
          EXPECT_TRUE(wizard::StateOf(page) == before);
        }
        // Cancelling never writes, removes or starts anything.
        EXPECT_EQ(w.p.fs.AllPaths(), files);
        EXPECT_EQ(w.p.registry.Keys(), keys);
        EXPECT_TRUE(w.p.shell.executed.empty());
      }
    }
  }
}

TEST(CancelQuestion, DeclinedOnTheLanguagePageTheChosenLanguageStillFollows) {
  Wizard w;
  w.Start();
  w.p.dialog.answers = {MsgButton::No};
  w.Sprache().SimulateClickForTesting("BitBtn_Cancel");
  // Asking in English put the English texts in place for now...
  EXPECT_EQ(w.Licence().BitBtn_Install.Text(), "&Install >>");
  // ...and Next with German preselected replaces them.
  w.Sprache().SimulateClickForTesting("BitBtn_Next");
  EXPECT_TRUE(w.Licence().Visible());
  EXPECT_EQ(w.Licence().Caption(), "VelTori Advanced Setup (Schritt 2/4)");
  EXPECT_EQ(w.Licence().BitBtn_Install.Text(), "&Installieren >>");
  w.p.dialog.answers = {MsgButton::No};
  w.Licence().SimulateClickForTesting("BitBtn_Abbrechen");
  EXPECT_EQ(w.p.dialog.shown.back().text, "Setup wirklich abbrechen?");
}

}  // namespace
}  // namespace vlt
