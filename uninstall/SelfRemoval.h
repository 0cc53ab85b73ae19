#pragma once
// Erasing the uninstaller after it has ended: a small batch script, written
// outside the install directory to a folder only administrators can change,
// waits for the executable to become deletable, erases it, removes the
// install directory if that is empty, and erases itself. The script is
// written during the removal (so that a failure is still reported on the
// page) and started as the program ends.
#include <cstdint>
#include <string>

#include "platform/Shell.h"

namespace vlt {

class FileSystem;

// How often the script tries to erase the executable, about a second apart,
// once the program is ending: long enough for the process to exit, and it
// never runs for ever, even for an executable that another program holds
// open.
inline constexpr int kSelfRemovalTries = 300;

// The folder the script is written to and runs in: the system's temporary
// folder below the Windows folder, which the uninstaller's elevated rights
// share with no standard user's program (they may add files there, but
// neither change ours nor replace what the script starts). Where the
// system has none: the folder that contains the user's Templates folder,
// else the user's profile folder. Fails when none is known, rather than
// writing to the root of the current drive.
Result<std::string> SelfRemovalScriptFolder(Shell& shell, FileSystem& fs);

// The script's name for `number`: "vltsetup-", eight hex digits, ".bat".
// ASCII whatever the uninstaller is called, so that the command interpreter
// reads it alike in every code page.
std::string SelfRemovalScriptName(std::uint32_t number);

// How many names the script tries: a name someone took in advance (a file
// or a folder of that name) is passed over for another, unforeseeable one,
// so this many collisions in a row mean a folder nothing new can go into.
inline constexpr int kSelfRemovalScriptNameTries = 8;

// What the script needs to know.
struct SelfRemovalScript {
  std::string exePath;      // the running uninstaller
  std::string scriptPath;   // where the script lies
  std::string systemFolder; // the programs it starts lie here, named in full
  bool removeFolder = true; // remove the executable's folder when it is empty
};

// The script's bytes, with CRLF after every line. Every program it starts is
// named by its full path in the system folder, so that nothing resolves
// through its working directory or PATH. Paths are written in the OEM code
// page the command interpreter reads batch files in (a path outside it by
// its short 8.3 form); where some path has neither form, the whole script is
// UTF-8 and first switches the console to code page 65001. A "%" is doubled
// so that it is read literally. Fails when the running program's path cannot
// be written in any of these ways.
Result<std::string> SelfRemovalScriptText(FileSystem& fs, const SelfRemovalScript& script);

// Writes the script for the running executable `exePath` and returns the
// request that starts it hidden: the system's command interpreter by its
// full path, without AutoRun commands, in the script's folder, so that it
// never holds the install directory open. Starts nothing.
//
// The script is a new file under a name nobody can take in advance
// (SelfRemovalScriptName of an unforeseeable number; on a collision another
// one), never a file that existed before, so never someone else's. An
// uninstaller `insideInstallation` (its folder holds the product's files and
// is the product's own) is given normal attributes, so that the script can
// erase it, and its folder is removed once empty; a copy elsewhere keeps
// its attributes and folder. Fails, with a text that names the script, when
// the script cannot be written.
Result<ShellExecuteRequest> WriteSelfRemovalScript(FileSystem& fs, Shell& shell,
                                                   const std::string& exePath,
                                                   bool insideInstallation);

}  // namespace vlt
