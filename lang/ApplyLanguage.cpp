#include "lang/ApplyLanguage.h"

#include "common/Paths.h"
#include "install/TForm1.h"
#include "install/TForm2.h"
#include "install/TForm3.h"
#include "lang/Language.h"
#include "lang/TextTables.h"
#include "platform/Shell.h"
#include "startup/Program.h"
#include "uninstall/TForm4.h"

namespace vlt {
namespace {

// The translated page of `pageClass`, or null when this run did not create
// it. The language page is not translated: its texts are bilingual.
Form* TranslatedPage(const Program& program, std::string_view pageClass) {
  if (pageClass == "TForm1") return program.Form1.get();
  if (pageClass == "TForm2") return program.Form2.get();
  if (pageClass == "TForm3") return program.Form3.get();
  if (pageClass == "TForm4") return program.Form4.get();
  return nullptr;
}

bool InScope(TextScope scope, bool uninstallMode) {
  return scope == TextScope::BothModes || uninstallMode;
}

}  // namespace

void ApplyLanguage(Program& program, const std::string& identifier) {
  const std::optional<Language> language = ParseLanguage(identifier);
  if (!language) return;
  const bool uninstallMode = program.UninstallMode();

  for (const DialogCaptionRow& row : DialogCaptionRows()) {
    program.captions.*row.field = TextIn(row, *language);
  }
  for (const MessageTextRow& row : MessageTextRows()) {
    if (InScope(row.scope, uninstallMode)) program.msg.*row.field = TextIn(row, *language);
  }
  // Only texts change: checked, enabled and position stay as they are.
  for (const PageTextRow& row : PageTexts()) {
    if (!InScope(row.scope, uninstallMode)) continue;
    const PageTextKey key = SplitPageTextKey(row.key);
    Form* page = TranslatedPage(program, key.pageClass);
    if (page == nullptr) continue;
    std::string text(TextIn(row, *language));
    if (row.systemParent) {
      const std::string parent = SpecialFolderPath(program.sys.shell, *row.systemParent);
      if (!parent.empty()) text = JoinPath(parent, ExtractFileName(text));
    }
    if (key.member == kCaptionMember) {
      page->SetCaption(text);
    } else {
      // A key without its control is a fault of the tables, which the unit
      // tests rule out; Ctl raises rather than skip it silently.
      page->Ctl(key.member).SetText(text);
    }
  }
}

}  // namespace vlt
