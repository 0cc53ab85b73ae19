#pragma once
// The folders the uninstaller never treats as the product's own, whatever
// they hold: it never offers to delete their other files, nor removes them.
#include <string>

namespace vlt {

class Shell;

// True for a folder that belongs to Windows or to the user as a whole,
// whatever it holds: a volume root, a shell folder (the desktop, Documents,
// the profile, the Windows and system folders, the Program Files folders,
// the start menu ...), the folder of the users' profiles, and every folder
// directly in the user's profile (Downloads, Saved Games and others that
// have no shell folder number). Names compare without regard to the case of
// ASCII letters and to a trailing backslash.
bool IsShellFolder(Shell& shell, const std::string& folder);

}  // namespace vlt
