#pragma once
// Putting the texts of one language in place.
#include <string>

namespace vlt {

class Program;

// Applies the texts of "Deutsch" or "English" to every existing page, the
// message texts and the dialog captions. Any other identifier changes
// nothing. The uninstall page's controls and MsgUninstallDone are set only in
// uninstall mode.
void ApplyLanguage(Program& program, const std::string& language);

}  // namespace vlt
