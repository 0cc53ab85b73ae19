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
  const std::string program = CommandProgram(*command);
  if (!IsFullPath(program)) return Place::Stale;  // names nothing a copy could find
  if (SameFile(fs, ExtractFileDir(program), ExcludeTrailingBackslash(folder))) {
    return Place::ThisFolder;
  }
  // Another installation only where its program is there (or might be, on a
  // drive that does not answer): an entry whose program is gone starts
  // nothing, or whatever somebody puts at its place later.
  return fs.Gone(program) ? Place::Stale : Place::Elsewhere;
}

// Whether a removal from `folder` deletes an entry found at `place`.
bool RemovesEntry(Place place) { return place == Place::ThisFolder || place == Place::Stale; }

// The first write that fails ends the writing.
Status WriteRegistryEntries(Registry& registry, FileSystem& fs, const std::string& installDir,
                            bool install, bool autoStart, bool uninstallerWritten) {
  const RegisteredPlaces registered = LocateRegisteredEntries(registry, fs, installDir);
  if (autoStart) {
    VLT_RETURN_IF_FAILED(registry.WriteString(entries::kRunKey, entries::kAutoStartValue,
                                              AutostartCommand(installDir)));
  } else if (install || RemovesEntry(registered.autostart)) {
    IgnoreFailure(registry.DeleteValue(entries::kRunKey, entries::kAutoStartValue),
                  "a value that is not there is what was wanted");
  }

  if (install && uninstallerWritten) {
    const std::string key = UninstallKey();
    VLT_RETURN_IF_FAILED(registry.CreateKey(key));
    VLT_RETURN_IF_FAILED(
        registry.WriteString(key, entries::kDisplayNameValue, entries::kDisplayName));
    return registry.WriteString(key, entries::kUninstallStringValue, UninstallCommand(installDir));
  }
  if (RemovesEntry(registered.uninstall)) {
    IgnoreFailure(registry.DeleteKeyTree(entries::kUninstallParentKey, entries::kUninstallSubKey),
                  "a removal is best effort: what stays is offered again");
  }
  return {};
}

Status WriteAutostartKey(ProfileFile& profile, FileSystem& fs, const RegistryChange& change) {
  const std::string config = JoinPath(change.installDir, product::kConfigFile);
  if (!change.install && (!change.configIsOurs || !FileExists(fs, config))) return {};
  profile.Flush(config);
  VLT_RETURN_IF_FAILED(
      profile.WriteString(config, entries::kGeneralSection, entries::kAutostartKey,
                          change.autoStart ? entries::kAutostartOn : entries::kAutostartOff));
  profile.Flush(config);
  return {};
}

}  // namespace

std::string AutostartCommand(const std::string& installDir) {
  return Quoted(JoinPath(installDir, product::kExeFile));
}

std::string UninstallCommand(const std::string& installDir) {
  return Concat(
      {Quoted(JoinPath(installDir, product::kUninstallerFile)), " ", kRemoveArgument});
}

Status VelToriRegistry(Registry& registry, ProfileFile& profile, FileSystem& fs,
                       const RegistryChange& change) {
  // Both halves run, whatever the first one met.
  Status entries = WriteRegistryEntries(registry, fs, change.installDir, change.install,
                                        change.autoStart, change.uninstallerWritten);
  Status key = WriteAutostartKey(profile, fs, change);
  return !entries.Ok() ? entries : key;
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
  // A value that is no command, or a key without its command, names
  // nothing a copy could find.
  if (places.autostart == Place::Missing && AutostartEntryExists(registry)) {
    places.autostart = Place::Stale;
  }
  if (places.uninstall == Place::Missing && UninstallEntryExists(registry)) {
    places.uninstall = Place::Stale;
  }
  return places;
}

std::optional<std::string> RegisteredInstallDir(Registry& registry, FileSystem& fs) {
  const std::optional<std::string> commands[] = {
      registry.ReadString(UninstallKey(), entries::kUninstallStringValue),
      registry.ReadString(entries::kRunKey, entries::kAutoStartValue)};
  for (const std::optional<std::string>& command : commands) {
    if (!command) continue;
    const std::string program = CommandProgram(*command);
    const std::string folder = ExtractFileDir(program);
    if (IsFullPath(program) && !IsVolumeRoot(folder) &&
        (FileExists(fs, JoinPath(folder, product::kUninstallerFile)) ||
         FileExists(fs, JoinPath(folder, product::kExeFile)))) {
      return folder;
    }
  }
  return std::nullopt;
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
