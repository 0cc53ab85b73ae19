#pragma once
// Where an installation leaves its traces outside its own files: the machine's
// autostart value, the entry in the list of uninstallable programs, and the
// keys of the product's configuration file. The install and the uninstall
// side both read these names from here, so the two can never drift apart.
namespace vlt::entries {

// Registry keys below HKEY_LOCAL_MACHINE.
inline constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kUninstallParentKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
// The product's own key below kUninstallParentKey.
inline constexpr char kUninstallSubKey[] = "VelToriAdvanced";

// Value names and fixed data.
inline constexpr char kAutoStartValue[] = "VelToriAutoStart";
inline constexpr char kDisplayNameValue[] = "DisplayName";
inline constexpr char kDisplayName[] = "VelTori Advanced";
// Its data is the uninstaller's path and kRemoveArgument (program/RunMode.h).
inline constexpr char kUninstallStringValue[] = "UninstallString";

// Sections and keys of config.vlt.
inline constexpr char kGeneralSection[] = "Allgemein";
inline constexpr char kAutostartKey[] = "Autostart";
inline constexpr char kAutostartOn[] = "ja";
inline constexpr char kAutostartOff[] = "nein";
inline constexpr char kLanguageSection[] = "Sprache";
inline constexpr char kLanguageKey[] = "Sprache";

}  // namespace vlt::entries
