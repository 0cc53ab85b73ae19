#include <gtest/gtest.h>

#include <set>
#include <string>

#include "install/TForm1.h"
#include "install/TForm2.h"
#include "install/TForm3.h"
#include "lang/LicenceTexts.h"
#include "lang/TextTables.h"
#include "uninstall/TForm4.h"

namespace vlt {
namespace {

// The pages whose texts follow the language; the language page is not among
// them.
const FormSpec* TranslatedLayout(std::string_view pageClass) {
  for (const FormSpec* form : {&TForm1::kLayout, &TForm2::kLayout, &TForm3::kLayout,
                               &TForm4::kLayout}) {
    if (form->className == pageClass) return form;
  }
  return nullptr;
}

TEST(TextTables, EveryPageKeyNamesATextControlOfItsPage) {
  std::set<std::string_view> keys;
  for (const PageTextRow& row : PageTexts()) {
    SCOPED_TRACE(row.key);
    EXPECT_TRUE(keys.insert(row.key).second) << "duplicate key";
    const PageTextKey key = SplitPageTextKey(row.key);
    const FormSpec* form = TranslatedLayout(key.pageClass);
    ASSERT_NE(form, nullptr) << "no translated page " << key.pageClass;
    if (key.member == kCaptionMember) continue;
    const ControlSpec* control = nullptr;
    for (const ControlSpec& candidate : form->controls) {
      if (candidate.name == key.member) control = &candidate;
    }
    ASSERT_NE(control, nullptr) << "no such control";
    EXPECT_TRUE(ShowsText(control->kind));
  }
}

TEST(TextTables, EveryTextOfTheTranslatedPagesHasARow) {
  std::set<std::string> keys;
  for (const PageTextRow& row : PageTexts()) keys.emplace(row.key);
  for (const FormSpec* form : {&TForm1::kLayout, &TForm2::kLayout, &TForm3::kLayout,
                               &TForm4::kLayout}) {
    const std::string prefix = std::string(form->className) + ".";
    EXPECT_TRUE(keys.contains(prefix + "Caption")) << form->className;
    for (const ControlSpec& control : form->controls) {
      if (ShowsText(control.kind)) {
        EXPECT_TRUE(keys.contains(prefix + std::string(control.name))) << control.name;
      }
    }
  }
}

TEST(TextTables, MessageAndCaptionRowsFillEachFieldOnce) {
  std::set<std::string_view> keys;
  MessageTexts messages;
  for (const MessageTextRow& row : MessageTextRows()) {
    EXPECT_TRUE(keys.insert(row.key).second) << row.key;
    EXPECT_TRUE((messages.*row.field).empty()) << row.key << " shares a field";
    messages.*row.field = row.key;
  }
  EXPECT_EQ(keys.size(), 10u);
  for (const std::string* field :
       {&messages.MsgExtractError, &messages.MsgCreateDirError, &messages.MsgRegistryError,
        &messages.MsgCopyUninstallerError,
        &messages.LinkNameRun, &messages.LinkNameUninstall, &messages.LinkNameHelp,
        &messages.TitleChooseFolder, &messages.MsgConfirmCancel, &messages.MsgUninstallDone}) {
    EXPECT_FALSE(field->empty());
  }

  DialogCaptions captions;
  std::set<std::string*> filled;
  for (const DialogCaptionRow& row : DialogCaptionRows()) {
    EXPECT_TRUE(keys.insert(row.key).second) << row.key;
    EXPECT_TRUE(filled.insert(&(captions.*row.field)).second) << row.key;
  }
  EXPECT_EQ(filled.size(), 13u);
}

// The program's own wording, typos and spacing included: these texts are
// what users and the installed shortcuts have always seen.
TEST(TextTables, KeepTheProgramsOwnWording) {
  auto pageText = [](std::string_view key, Language language) {
    for (const PageTextRow& row : PageTexts()) {
      if (row.key == key) return std::string(TextIn(row, language));
    }
    return std::string("<missing>");
  };
  auto message = [](std::string_view key, Language language) {
    for (const MessageTextRow& row : MessageTextRows()) {
      if (row.key == key) return std::string(TextIn(row, language));
    }
    for (const DialogCaptionRow& row : DialogCaptionRows()) {
      if (row.key == key) return std::string(TextIn(row, language));
    }
    return std::string("<missing>");
  };
  constexpr Language de = Language::Deutsch, en = Language::English;
  EXPECT_EQ(pageText("TForm3.Label_VielSpass", de), "Viel Spaß");
  EXPECT_EQ(pageText("TForm3.Label_StandardHotkey", en), "Note: the  default hotkey is \"Scroll Lock\"");
  EXPECT_EQ(pageText("TForm4.CheckBox_DelPufferText", de), "Gepufferte Texteinträge (aktuell)");
  EXPECT_EQ(pageText("TForm2.Edit_InstallVerz", en), "C:\\Programs\\VelTori Advanced");
  EXPECT_EQ(message("MsgExtractError", de),
            "Fehler beim entpacken der Dateien. \rMöglicherweise ist die Anwendung "
            "bereits installiert.");
  EXPECT_EQ(message("MsgCreateDirError", en),
            "Error while creating the directorys.\rPlease validate your input.");
  EXPECT_EQ(message("MsgRegistryError", en),
            "Error while creating the registry-keys. It's possible that you don't have "
            "administrator permissons.");
  EXPECT_EQ(message("TitleConfirmation", de), "Bestätiung");
  EXPECT_EQ(message("CaptionCancel", de), "A&bbrechen");
  EXPECT_EQ(message("CaptionAbort", de), "A&bbrechen");
}

// The completion note names the web site; the stored one names the second
// host and ends in a blank, and otherwise reads the same as the German one.
TEST(TextTables, CompletionNoteCarriesTheWebSite) {
  const std::string sentence =
      "Die Installation von VelTori Advanced ist jetzt abgeschlossen. Falls Sie Fragen haben, "
      "lesen Sie die Hilfe von VelTori und/oder besuchen Sie die Webseite (";
  std::string german, english;
  for (const PageTextRow& row : PageTexts()) {
    if (row.key == "TForm3.Label_Installationerfolgreich") {
      german = row.deutsch;
      english = row.english;
    }
  }
  EXPECT_EQ(german, sentence + VELTORI_WEBSITE ").");
  EXPECT_TRUE(english.starts_with("The installion of VelTori Advanced is finished now!  If "));
  EXPECT_TRUE(english.ends_with("website (" VELTORI_WEBSITE ")."));

  std::string stored;
  for (const ControlSpec& control : TForm3::kLayout.controls) {
    if (control.name == "Label_Installationerfolgreich") stored = control.text;
  }
  EXPECT_EQ(stored, sentence + VELTORI_WEBSITE_HOST_ALT "). ");
}

TEST(WebsiteHost, DropsSchemeAndPath) {
  struct Case {
    const char* address;
    const char* host;
  } const cases[] = {
      {"http://www.veltori.example", "www.veltori.example"},
      {"https://veltori.example/", "veltori.example"},
      {"http://veltori.example/download/index.html", "veltori.example"},
      {"www.veltori.example", "www.veltori.example"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(WebsiteHost(c.address), c.host) << c.address;
}

}  // namespace
}  // namespace vlt
