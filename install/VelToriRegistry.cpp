#include "install/VelToriRegistry.h"

#include <exception>

#include "common/Concat.h"
#include "common/Paths.h"
#include "install/ProductFiles.h"
#include "install/RegistryEntries.h"
#include "program/RunMode.h"

namespace vlt {
namespace {

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

void WriteRegistryEntries(Registry& registry, const std::string& installDir, bool install,
                          bool autoStart, bool uninstallerWritten) {
  if (autoStart) {
    registry.WriteString(entries::kRunKey, entries::kAutoStartValue, AutostartCommand(installDir));
  } else {
    registry.DeleteValue(entries::kRunKey, entries::kAutoStartValue);  // missing is fine
  }

  if (install && uninstallerWritten) {
    const std::string key = JoinPath(entries::kUninstallParentKey, entries::kUninstallSubKey);
    registry.CreateKey(key);
    registry.WriteString(key, entries::kDisplayNameValue, entries::kDisplayName);
    registry.WriteString(key, entries::kUninstallStringValue, UninstallCommand(installDir));
  } else {
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
    WriteRegistryEntries(registry, installDir, install, autoStart, uninstallerWritten);
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
