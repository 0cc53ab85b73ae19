#include "lang/ApplyLanguage.h"

#include "common/Paths.h"
#include "lang/Language.h"
#include "lang/TextTables.h"
#include "platform/Shell.h"
#include "program/Program.h"

namespace vlt {
namespace {

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
    // The tables have no rows for the language page: its texts are bilingual.
    Page* page = program.FindPage(key.pageClass);
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
      // tests rule out; Ctl ends the program rather than skip it silently.
      page->Ctl(key.member).SetText(text);
    }
  }
}

}  // namespace vlt
