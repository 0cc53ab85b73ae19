#pragma once
// The shortcuts an installation creates, as data: the install procedure
// creates what it lists, in order, and tests check the list without a shell.
#include <optional>
#include <string>
#include <vector>

#include "program/Texts.h"

namespace vlt {

struct Shortcut {
  std::string linkFile;   // full path of the .lnk file
  std::string target;     // file or web address
  std::string arguments;  // "" for none

  bool operator==(const Shortcut&) const = default;
};

struct StartMenuGroup {
  std::string folder;               // <Programs>\VelTori Advanced\ (created first)
  std::vector<Shortcut> shortcuts;  // run, uninstall, help, homepage
};

struct ShortcutPlan {
  // Each is nullopt when its shell folder could not be resolved: a path built
  // on "" would name a folder at the root of the current drive instead.
  std::optional<StartMenuGroup> startMenu;
  std::optional<Shortcut> desktop;
};

// The start-menu group and the desktop shortcut for the product installed in
// `installDir` (a trailing backslash allowed). `texts` supplies the
// localised names of the run, uninstall and help shortcuts; `webSite` is the
// homepage shortcut's target. `programsFolder` and `desktopFolder` are the
// special folders without trailing backslash, "" when unknown.
ShortcutPlan PlanShortcuts(const std::string& installDir, const MessageTexts& texts,
                           const std::string& webSite, const std::string& programsFolder,
                           const std::string& desktopFolder);

}  // namespace vlt
