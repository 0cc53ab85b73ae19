#pragma once
// Shortcut files, over the shell service.
#include <string>

#include "platform/Shell.h"

namespace vlt {

// The working directory a shortcut to `target` gets: everything up to and
// including the last "\" or ":", then one trailing backslash removed.
// "C:\Programme\VelTori Advanced\veltori.exe" gives "C:\Programme\VelTori
// Advanced", "C:\veltori.exe" gives "C:", "http://host" gives "http:".
std::string ShortcutWorkingDirectory(const std::string& target);

// Creates or overwrites the shortcut `linkFile` (a full path ending in
// ".lnk") to `target` with `arguments` (set also when empty) and the working
// directory above; nothing else of the link is set. Fails when the shell's
// link object cannot be created; a shortcut that cannot be saved is silently
// missing.
Status CreateShellLink(Shell& shell, const std::string& linkFile, const std::string& target,
                       const std::string& arguments);

}  // namespace vlt
