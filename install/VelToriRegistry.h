#pragma once
// Writing and removing the system-wide entries of an installation: the
// autostart value, the uninstall entry and the "Autostart" key of config.vlt.
// Names and places are in install/RegistryEntries.h.
#include <optional>
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

// What VelToriRegistry does, for which installation.
struct RegistryChange {
  std::string installDir;  // may end with a backslash
  bool install = false;    // write the uninstall entry; else remove the entries
  bool autoStart = false;  // write the autostart value and "ja"; else delete it and "nein"
  // Install: a whole uninstaller copy lies in installDir. Without one no
  // uninstall entry is written that names a missing or cut program.
  bool uninstallerWritten = true;
  // Removal: installDir's config.vlt is this installation's (not a user's
  // file of the same name beside a copy of the uninstaller), so its
  // "Autostart" is set to "nein".
  bool configIsOurs = true;
};

// Writes or removes the uninstall entry, writes or deletes the autostart
// value, and sets "Autostart" in installDir\config.vlt to "ja" or "nein".
//
// Only an installation's own entries are deleted: the uninstall entry, and
// in a removal the autostart value, go only when they name a program in
// `installDir` (by identity) or are stale (RegisteredPlaces); another
// installation's stay.
// An install without autostart deletes the autostart value wherever it
// points: the newest install decides what starts with Windows. Installing
// creates config.vlt when it is missing; removing only changes one that
// exists (a file made by the removal would keep the install directory from
// going).
//
// The registry half and the configuration half are guarded separately: a
// failed write in the registry half ends that half (later registry steps
// are not done) but the configuration half runs in every case. The result
// is the registry half's failure, else the configuration half's. Deleting
// values and keys is best effort, so removing entries that do not exist
// succeeds and creates nothing.
// Nothing is rolled back and nothing is shown.
Status VelToriRegistry(Registry& registry, ProfileFile& profile, FileSystem& fs,
                       const RegistryChange& change);

// The program a command names: the text between its leading pair of double
// quotes, else the text without a trailing " -remove", else the whole text.
std::string CommandProgram(const std::string& command);

// Where the product's entries of the machine point, as read with read access
// alone (so a standard user sees them too).
//
// Missing: no such entry. ThisFolder: it names a program in the folder (by
// identity). Elsewhere: another installation, whose program is there.
// Stale: it names a program that is gone (the folder moved or deleted, the
// drive letter changed), or nothing a copy could find (no full path, an
// uninstall entry without its command); it starts nothing of ours, and any
// copy may clear it.
struct RegisteredPlaces {
  enum class Place { Missing, ThisFolder, Elsewhere, Stale };
  Place autostart = Place::Missing;  // the Run value's program
  Place uninstall = Place::Missing;  // the uninstall entry's command
  bool AnyHere() const { return autostart == Place::ThisFolder || uninstall == Place::ThisFolder; }
  bool AnyElsewhere() const {
    return autostart == Place::Elsewhere || uninstall == Place::Elsewhere;
  }
  // Another installation is registered and none in `folder`: a program
  // there is a copy outside that installation.
  bool OnlyElsewhere() const { return AnyElsewhere() && !AnyHere(); }
  bool AnyStale() const { return autostart == Place::Stale || uninstall == Place::Stale; }
};
RegisteredPlaces LocateRegisteredEntries(Registry& registry, FileSystem& fs,
                                         const std::string& folder);

// The folder of the installation the machine's entries name (the uninstall
// entry first, then the Run value), where it exists and holds the
// uninstaller or the product: where an upgrade belongs. nullopt otherwise.
std::optional<std::string> RegisteredInstallDir(Registry& registry, FileSystem& fs);

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
