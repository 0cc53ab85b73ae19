#pragma once
// Erasing the uninstaller after it has ended: a small batch script, written
// outside the install directory and started hidden, waits for the running
// executable to become deletable, erases it, removes the install directory
// if that is empty, and erases itself.
#include <string>

namespace vlt {

class FileSystem;
class Shell;

// How often the script tries to erase the executable, about a second apart
// (so it gives up after about five minutes, enough for the user to close the
// completion message). It never spins a processor and never runs for ever,
// even for an executable it can never erase.
inline constexpr int kSelfRemovalTries = 300;

// The folder the script is written to: the folder that contains the user's
// Templates folder (the profile folder, or the Windows folder where the
// Templates folder is its ShellNew subfolder); the user's profile folder
// when the shell knows no Templates folder. Raises FileError when neither
// is known, rather than writing to the root of the current drive.
std::string SelfRemovalScriptFolder(Shell& shell);

// The script's full path: `folder`, "\", and the executable's file name with
// the extension ".bat" ("vltsetup.exe" -> "vltsetup.bat").
std::string SelfRemovalScriptPath(const std::string& folder, const std::string& exePath);

// The script's bytes, in the OEM code page that the command interpreter reads
// batch files in, with CRLF after every line. A path that code page cannot
// hold is written as its short (8.3) form; a "%" is doubled so that it is
// read literally. Raises FileError when a path can be written neither way:
// a script naming a wrong path could erase something else.
std::string SelfRemovalScriptText(FileSystem& fs, const std::string& exePath,
                                  const std::string& scriptPath);

// Writes the script for the running executable `exePath` (replacing an older
// one) and starts it hidden, with its own folder as working directory so
// that it never holds the install directory open. Does not wait for it.
// Raises FileError, with a text that names the script, when the script cannot
// be written; nothing is started then.
void ScheduleSelfRemoval(FileSystem& fs, Shell& shell, const std::string& exePath);

}  // namespace vlt
