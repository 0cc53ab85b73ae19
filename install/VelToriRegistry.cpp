#include "install/VelToriRegistry.h"

#include <exception>
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

void WriteRegistryEntries(Registry& registry, FileSystem& fs, const std::string& installDir,
                          bool install, bool autoStart, bool uninstallerWritten) {
  const RegisteredPlaces registered = LocateRegisteredEntries(registry, fs, installDir);
  if (autoStart) {
    registry.WriteString(entries::kRunKey, entries::kAutoStartValue, AutostartCommand(installDir));
  } else if (install || registered.autostart == Place::ThisFolder) {
    registry.DeleteValue(entries::kRunKey, entries::kAutoStartValue);  // missing is fine
  }

  if (install && uninstallerWritten) {
    const std::string key = UninstallKey();
    registry.CreateKey(key);
    registry.WriteString(key, entries::kDisplayNameValue, entries::kDisplayName);
    registry.WriteString(key, entries::kUninstallStringValue, UninstallCommand(installDir));
  } else if (registered.uninstall == Place::ThisFolder) {
    registry.DeleteKeyTree(entries::kUninstallParentKey, entries::kUninstallSubKey);
  }
}

void WriteAutostartKey(ProfileFile& profile, FileSystem& fs, const std::string& installDir,
                       bool install, bool autoStart) {
  const std::string config = JoinPath(installDir, product::kConfigFile);
  if (!install && !FileExists(fs, config)) return;
  profile.Flush(config);
  profile.WriteString(config, entries::kGeneralSection, entries::kAutostartKey,
                      autoStart ? entries::kAutostartOn : entries::kAutostartOff);
  profile.Flush(config);
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
  bool ok = true;
  try {
    WriteRegistryEntries(registry, fs, installDir, install, autoStart, uninstallerWritten);
  } catch (const std::exception&) {
    ok = false;
  }
  try {
    WriteAutostartKey(profile, fs, installDir, install, autoStart);
  } catch (const std::exception&) {
    ok = false;
  }
  return ok;
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
  try {
    // One trailing backslash on a key path is ignored by the registry.
    return registry.ValueExists(std::string(entries::kRunKey) + "\\", entries::kAutoStartValue);
  } catch (const std::exception&) {
    return false;
  }
}

bool UninstallEntryExists(Registry& registry) {
  try {
    return registry.KeyExists(JoinPath(entries::kUninstallParentKey, entries::kUninstallSubKey));
  } catch (const std::exception&) {
    return false;
  }
}

bool RegistryEntriesExist(Registry& registry) {
  return AutostartEntryExists(registry) || UninstallEntryExists(registry);
}

}  // namespace vlt
