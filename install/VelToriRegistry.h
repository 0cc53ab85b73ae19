#pragma once
// Writing and removing the system-wide entries of an installation: the
// autostart value, the uninstall entry and the "Autostart" key of config.vlt.
// Names and places are in install/RegistryEntries.h.
#include <string>

#include "platform/FileSystem.h"
#include "platform/ProfileFile.h"
#include "platform/Registry.h"

namespace vlt {

// The autostart value's data: the product's executable in `installDir`, in
// double quotes. Unquoted, a path with blanks would let Windows start another
// program whose path is a prefix of ours ("C:\Programme\VelTori.exe").
std::string AutostartCommand(const std::string& installDir);
// The uninstall command: the uninstaller in `installDir`, in double quotes,
// then " -remove".
std::string UninstallCommand(const std::string& installDir);

// Writes (`install`) or removes the uninstall entry, writes (`autoStart`) or
// deletes the autostart value, and sets "Autostart" in `installDir`\config.vlt
// to "ja" or "nein". `installDir` may end with a backslash. An install
// whose uninstaller copy failed (`uninstallerWritten` false) writes no
// uninstall entry that names a missing or cut program.
//
// Only an installation's own entries are deleted: the uninstall entry, and
// in a removal the autostart value, go only when they name a program in
// `installDir` (by identity, EntryNamesFolder); another installation's stay.
// An install without autostart deletes the autostart value wherever it
// points: the newest install decides what starts with Windows. Installing
// creates config.vlt when it is missing; removing only changes one that
// exists (a file made by the removal would keep the install directory from
// going).
//
// The registry half and the configuration half are guarded separately: a
// failed write in the registry half ends that half (later registry steps
// are not done) but the configuration half runs in every case. The result
// is false when either half failed, true otherwise. Deleting values and
// keys is not checked, so removing entries that do not exist succeeds and
// creates nothing.
// Nothing is rolled back and nothing is shown.
bool VelToriRegistry(Registry& registry, ProfileFile& profile, FileSystem& fs,
                     const std::string& installDir, bool install, bool autoStart,
                     bool uninstallerWritten = true);

// The program a command names: the text between its leading pair of double
// quotes, else the text without a trailing " -remove", else the whole text.
std::string CommandProgram(const std::string& command);

// Where the product's entries of the machine point, as read with read access
// alone (so a standard user sees them too).
struct RegisteredPlaces {
  enum class Place { Missing, ThisFolder, Elsewhere };
  Place autostart = Place::Missing;  // the Run value's program
  Place uninstall = Place::Missing;  // the uninstall entry's command
  bool AnyHere() const { return autostart == Place::ThisFolder || uninstall == Place::ThisFolder; }
  bool AnyElsewhere() const {
    return autostart == Place::Elsewhere || uninstall == Place::Elsewhere;
  }
  // Another installation is registered and none in `folder`: a program
  // there is a copy outside that installation.
  bool OnlyElsewhere() const { return AnyElsewhere() && !AnyHere(); }
};
RegisteredPlaces LocateRegisteredEntries(Registry& registry, FileSystem& fs,
                                         const std::string& folder);

// The directory VelToriRegistry works on: the confirmed install directory in
// an install run, the folder of the running setup program (`exePath`, without
// trailing backslash) in an uninstall run.
std::string RegistryInstallDir(bool uninstallMode, const std::string& installVerz,
                               const std::string& exePath);

// Whether the autostart value exists. Opens the existing Run key with full
// access, so a user without rights to change it gets false; any failure
// yields false.
bool AutostartEntryExists(Registry& registry);
// Whether the product's uninstall key exists, by the same rule: a key that
// cannot be opened with full access counts as absent.
bool UninstallEntryExists(Registry& registry);
// Whether the removal of the registry entries has anything to remove: the
// autostart value or the uninstall key. Either one alone is a trace of an
// installation (an install without autostart writes no Run value).
bool RegistryEntriesExist(Registry& registry);

}  // namespace vlt
