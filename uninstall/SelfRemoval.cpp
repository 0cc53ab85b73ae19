#include "uninstall/SelfRemoval.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "common/Concat.h"
#include "common/Paths.h"
#include "install/ShellLinks.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"

namespace vlt {
namespace {

// CSIDL_PROFILE: the user's profile folder (shell32 5.0, Windows 2000 on).
constexpr int kProfileFolderCsidl = 0x0028;
constexpr std::uint32_t kErrorPathNotFound = 3;
constexpr std::uint32_t kErrorNoUnicodeTranslation = 1113;
constexpr int kShowHidden = 0;  // SW_HIDE

// The form of `path` that the command interpreter reads back as the same
// path, in its code page; nullopt when there is none. A file that does not
// exist yet has no short name of its own: its folder's short name then
// stands in front of its (long) name.
std::optional<std::string> OemFormOf(FileSystem& fs, const std::string& path) {
  if (auto oem = fs.ToOemCodePage(path)) return oem;
  std::string shortPath = fs.ShortPathName(path);
  if (shortPath.empty()) {
    const std::string shortFolder = fs.ShortPathName(ExtractFileDir(path));
    if (shortFolder.empty()) return std::nullopt;
    shortPath = JoinPath(shortFolder, ExtractFileName(path));
  }
  return fs.ToOemCodePage(shortPath);
}

// In a batch file "%" starts a variable; "%%" stands for the character.
std::string EscapePercent(const std::string& text) {
  std::string result;
  for (char c : text) {
    result += c;
    if (c == '%') result += '%';
  }
  return result;
}

std::string ScriptPathText(FileSystem& fs, const std::string& path) {
  const std::optional<std::string> oem = OemFormOf(fs, path);
  if (!oem) {
    throw FileError(Concat({"The self-removal script cannot name \"", path,
                            "\": the path holds characters the command interpreter cannot "
                            "read, and it has no short name without them."}),
                    kErrorNoUnicodeTranslation);
  }
  return EscapePercent(*oem);
}

// ShellExecute's working directory: a bare drive ("C:") would mean that
// drive's current directory, not its root.
std::string AsWorkingDirectory(const std::string& folder) {
  return !folder.empty() && folder.back() == ':' ? folder + "\\" : folder;
}

}  // namespace

std::string SelfRemovalScriptFolder(Shell& shell) {
  const std::string templates = SpecialFolderPath(shell, csidl::kTemplates);
  std::string folder = ExtractFileDir(templates);
  if (folder.empty()) folder = SpecialFolderPath(shell, kProfileFolderCsidl);
  if (folder.empty()) {
    throw FileError("No folder was found for the self-removal script: the shell knows neither "
                    "the Templates folder nor the user's profile folder.",
                    kErrorPathNotFound);
  }
  return folder;
}

std::string SelfRemovalScriptPath(const std::string& folder, const std::string& exePath) {
  return JoinPath(folder, ChangeFileExt(ExtractFileName(exePath), ".bat"));
}

std::string SelfRemovalScriptText(FileSystem& fs, const std::string& exePath,
                                  const std::string& scriptPath) {
  const std::string exe = ScriptPathText(fs, exePath);
  const std::string installDir = ScriptPathText(fs, ExtractFileDir(exePath));
  const std::string script = ScriptPathText(fs, scriptPath);
  const std::string tries = std::to_string(kSelfRemovalTries);

  // The core is the label, the erase, the jump back while the executable
  // exists (the program's exit frees it), the folder removal (only when
  // empty) and the script's own erase. The other lines pace the loop (ping
  // is the one pause that every cmd since XP and Wine's cmd have) and bound
  // it; the counter is compared with "==", as text, which every cmd does alike.
  // Where the user has turned delayed expansion on, a "!" in a path would
  // start a variable: the first line turns it off for this script.
  // A volume root is never removed: "rmdir "D:"" would name drive D's
  // current directory, and the root is not the product's anyway.
  const bool removeFolder = !IsVolumeRoot(ExtractFileDir(exePath));
  std::vector<std::string> lines = {
      "setlocal DisableDelayedExpansion",
      Concat({"set /a VltTriesLeft=", tries}),
      ":1",
      Concat({"Erase \"", exe, "\""}),
      "If \"%VltTriesLeft%\"==\"0\" Goto 2",
      "set /a VltTriesLeft=VltTriesLeft-1",
      Concat({"If exist \"", exe, "\" ping -n 2 127.0.0.1 >nul"}),
      Concat({"If exist \"", exe, "\" Goto 1"}),
      ":2",
  };
  if (removeFolder) lines.push_back(Concat({"rmdir \"", installDir, "\""}));
  lines.push_back(Concat({"Erase \"", script, "\""}));
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

void ScheduleSelfRemoval(FileSystem& fs, Shell& shell, const std::string& exePath) {
  const std::string folder = SelfRemovalScriptFolder(shell);
  const std::string scriptPath = SelfRemovalScriptPath(folder, exePath);
  const std::string text = SelfRemovalScriptText(fs, exePath, scriptPath);
  try {
    fs.WriteFile(scriptPath, std::span(reinterpret_cast<const std::uint8_t*>(text.data()),
                                       text.size()));
  } catch (const FileError& error) {
    throw FileError(Concat({"The self-removal script \"", scriptPath,
                            "\" could not be written: ", error.what()}),
                    error.Code());
  }
  shell.Execute(ShellExecuteRequest{.verb = "open",
                                    .file = scriptPath,
                                    .parameters = "",
                                    .directory = AsWorkingDirectory(folder),
                                    .showCommand = kShowHidden});
}

}  // namespace vlt
