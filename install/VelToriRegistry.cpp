#include "install/VelToriRegistry.h"

#include <optional>

#include "common/Concat.h"
#include "common/Paths.h"
#include "install/ProductFiles.h"
#include "install/RegistryEntries.h"
#include "program/RunMode.h"

namespace vlt {
namespace {

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

using Place = RegisteredPlaces::Place;

std::string UninstallKey() {
  return JoinPath(entries::kUninstallParentKey, entries::kUninstallSubKey);
}

Place PlaceOf(const std::optional<std::string>& command, FileSystem& fs,
              const std::string& folder) {
  if (!command) return Place::Missing;
  return SameFile(fs, ExtractFileDir(CommandProgram(*command)), ExcludeTrailingBackslash(folder))
             ? Place::ThisFolder
             : Place::Elsewhere;
}

// The first write that fails ends the writing.
bool WriteRegistryEntries(Registry& registry, FileSystem& fs, const std::string& installDir,
                          bool install, bool autoStart, bool uninstallerWritten) {
  const RegisteredPlaces registered = LocateRegisteredEntries(registry, fs, installDir);
  if (autoStart) {
    if (!registry.WriteString(entries::kRunKey, entries::kAutoStartValue,
                              AutostartCommand(installDir)).Ok()) {
      return false;
    }
  } else if (install || registered.autostart == Place::ThisFolder) {
    registry.DeleteValue(entries::kRunKey, entries::kAutoStartValue);  // missing is fine
  }

  if (install && uninstallerWritten) {
    const std::string key = UninstallKey();
    return registry.CreateKey(key).Ok() &&
           registry.WriteString(key, entries::kDisplayNameValue, entries::kDisplayName).Ok() &&
           registry.WriteString(key, entries::kUninstallStringValue, UninstallCommand(installDir))
               .Ok();
  }
  if (registered.uninstall == Place::ThisFolder) {
    registry.DeleteKeyTree(entries::kUninstallParentKey, entries::kUninstallSubKey);
  }
  return true;
}

bool WriteAutostartKey(ProfileFile& profile, FileSystem& fs, const std::string& installDir,
                       bool install, bool autoStart) {
  const std::string config = JoinPath(installDir, product::kConfigFile);
  if (!install && !FileExists(fs, config)) return true;
  profile.Flush(config);
  const Status written =
      profile.WriteString(config, entries::kGeneralSection, entries::kAutostartKey,
                          autoStart ? entries::kAutostartOn : entries::kAutostartOff);
  if (!written.Ok()) return false;
  profile.Flush(config);
  return true;
}

}  // namespace

std::string AutostartCommand(const std::string& installDir) {
  return Quoted(JoinPath(installDir, product::kExeFile));
}

std::string UninstallCommand(const std::string& installDir) {
  return Concat(
      {Quoted(JoinPath(installDir, product::kUninstallerFile)), " ", kRemoveArgument});
}

bool VelToriRegistry(Registry& registry, ProfileFile& profile, FileSystem& fs,
                     const std::string& installDir, bool install, bool autoStart,
                     bool uninstallerWritten) {
  // Both halves run, whatever the first one met.
  const bool entriesWritten =
      WriteRegistryEntries(registry, fs, installDir, install, autoStart, uninstallerWritten);
  const bool keyWritten = WriteAutostartKey(profile, fs, installDir, install, autoStart);
  return entriesWritten && keyWritten;
}

std::string CommandProgram(const std::string& command) {
  if (command.starts_with('"')) {
    const std::size_t end = command.find('"', 1);
    return command.substr(1, end == std::string::npos ? std::string::npos : end - 1);
  }
  const std::string suffix = Concat({" ", kRemoveArgument});
  if (command.ends_with(suffix)) return command.substr(0, command.size() - suffix.size());
  return command;
}

RegisteredPlaces LocateRegisteredEntries(Registry& registry, FileSystem& fs,
                                         const std::string& folder) {
  RegisteredPlaces places;
  places.autostart =
      PlaceOf(registry.ReadString(entries::kRunKey, entries::kAutoStartValue), fs, folder);
  places.uninstall = PlaceOf(registry.ReadString(UninstallKey(), entries::kUninstallStringValue),
                             fs, folder);
  return places;
}

std::string RegistryInstallDir(bool uninstallMode, const std::string& installVerz,
                               const std::string& exePath) {
  return uninstallMode ? ExtractFileDir(exePath) : installVerz;
}

bool AutostartEntryExists(Registry& registry) {
  // One trailing backslash on a key path is ignored by the registry.
  return registry.ValueExists(Concat({entries::kRunKey, "\\"}), entries::kAutoStartValue);
}

bool UninstallEntryExists(Registry& registry) {
  return registry.KeyExists(JoinPath(entries::kUninstallParentKey, entries::kUninstallSubKey));
}

bool RegistryEntriesExist(Registry& registry) {
  return AutostartEntryExists(registry) || UninstallEntryExists(registry);
}

}  // namespace vlt
