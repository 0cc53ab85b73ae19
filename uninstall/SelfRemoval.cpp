#include "uninstall/SelfRemoval.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "common/Concat.h"
#include "common/Paths.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"

namespace vlt {
namespace {

constexpr std::uint32_t kErrorPathNotFound = 3;
constexpr std::uint32_t kErrorNoUnicodeTranslation = 1113;
constexpr int kShowHidden = 0;  // SW_HIDE

// A new file's name is someone else's: a file (ERROR_FILE_EXISTS), a folder
// (ERROR_ALREADY_EXISTS, or ERROR_ACCESS_DENIED as CreateFile reports one).
bool IsNameTaken(std::uint32_t code) { return code == 80 || code == 183 || code == 5; }

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

// ShellExecute's working directory: a bare drive ("C:") would mean that
// drive's current directory, not its root.
std::string AsWorkingDirectory(const std::string& folder) {
  return !folder.empty() && folder.back() == ':' ? folder + "\\" : folder;
}

// Every path the script names, in the form it is written in: all in the
// OEM code page when each has a form there, else all in UTF-8.
struct ScriptPaths {
  bool utf8 = false;
  std::string exe, folder, script, ping, chcp;
};

Result<ScriptPaths> ScriptPathsFor(FileSystem& fs, const SelfRemovalScript& s) {
  const std::string paths[] = {s.exePath, ExtractFileDir(s.exePath), s.scriptPath,
                               JoinPath(s.systemFolder, "ping.exe"),
                               JoinPath(s.systemFolder, "chcp.com")};
  std::vector<std::string> written;
  for (const std::string& path : paths) {
    std::optional<std::string> oem = OemFormOf(fs, path);
    if (!oem) break;
    written.push_back(EscapePercent(*oem));
  }
  if (written.size() == std::size(paths)) {
    return ScriptPaths{false, written[0], written[1], written[2], written[3], written[4]};
  }
  // UTF-8 names every path; only the switch to it must be readable before.
  const std::optional<std::string> chcp = OemFormOf(fs, paths[4]);
  if (!chcp) {
    return Failure{Attempt::NameSelfRemovalScript, s.scriptPath, kErrorNoUnicodeTranslation,
                   s.exePath};
  }
  return ScriptPaths{true, EscapePercent(paths[0]), EscapePercent(paths[1]), EscapePercent(paths[2]),
          EscapePercent(paths[3]), EscapePercent(*chcp)};
}

std::span<const std::uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

}  // namespace

Result<std::string> SelfRemovalScriptFolder(Shell& shell, FileSystem& fs) {
  const std::string windows = SpecialFolderPath(shell, csidl::kWindows);
  if (!windows.empty() && fs.DirectoryExists(JoinPath(windows, "Temp"))) {
    return JoinPath(windows, "Temp");
  }
  std::string folder = ExtractFileDir(SpecialFolderPath(shell, csidl::kTemplates));
  if (folder.empty()) folder = SpecialFolderPath(shell, csidl::kProfile);
  if (folder.empty()) {
    return Failure{Attempt::FindScriptFolder, {}, kErrorPathNotFound};
  }
  return folder;
}

std::string SelfRemovalScriptName(std::uint32_t number) {
  constexpr char kDigits[] = "0123456789abcdef";
  std::string name = "vltsetup-";
  for (int shift = 28; shift >= 0; shift -= 4) name += kDigits[(number >> shift) & 0xf];
  return name + ".bat";
}

Result<std::string> SelfRemovalScriptText(FileSystem& fs, const SelfRemovalScript& script) {
  const Result<ScriptPaths> paths = ScriptPathsFor(fs, script);
  if (!paths.Ok()) return paths.Error();
  const ScriptPaths& p = paths.Value();
  const std::string tries = std::to_string(kSelfRemovalTries);

  // The core is the label, the erase, the jump back while the executable
  // exists (the program's exit frees it), the folder removal (only when
  // empty) and the script's own erase. The other lines pace the loop (ping
  // is the one pause that every cmd since XP and Wine's cmd have) and bound
  // it; the counter is compared with "==", as text, which every cmd does alike.
  // Where the user has turned delayed expansion on, a "!" in a path would
  // start a variable: the script turns it off for itself.
  // A volume root is never removed: "rmdir "D:"" would name drive D's
  // current directory, and the root is not the product's anyway.
  std::vector<std::string> lines;
  // cmd reads a batch file line by line in the console's code page.
  if (p.utf8) lines.push_back(Concat({"\"", p.chcp, "\" 65001 >nul"}));
  const std::vector<std::string> loop = {
      "setlocal DisableDelayedExpansion",
      Concat({"set /a VltTriesLeft=", tries}),
      ":1",
      Concat({"Erase \"", p.exe, "\""}),
      "If \"%VltTriesLeft%\"==\"0\" Goto 2",
      "set /a VltTriesLeft=VltTriesLeft-1",
      Concat({"If exist \"", p.exe, "\" \"", p.ping, "\" -n 2 127.0.0.1 >nul"}),
      Concat({"If exist \"", p.exe, "\" Goto 1"}),
      ":2",
  };
  lines.insert(lines.end(), loop.begin(), loop.end());
  if (script.removeFolder && !IsVolumeRoot(ExtractFileDir(script.exePath))) {
    lines.push_back(Concat({"rmdir \"", p.folder, "\""}));
  }
  lines.push_back(Concat({"Erase \"", p.script, "\""}));
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

Result<ShellExecuteRequest> WriteSelfRemovalScript(FileSystem& fs, Shell& shell,
                                                   const std::string& exePath,
                                                   bool insideInstallation) {
  const Result<std::string> scriptFolder = SelfRemovalScriptFolder(shell, fs);
  if (!scriptFolder.Ok()) return scriptFolder.Error();
  const std::string& folder = scriptFolder.Value();
  const std::string systemFolder = SpecialFolderPath(shell, csidl::kSystem);
  if (systemFolder.empty()) {
    return Failure{Attempt::FindSystemFolder, {}, kErrorPathNotFound};
  }
  SelfRemovalScript script{.exePath = exePath,
                           .scriptPath = {},
                           .systemFolder = systemFolder,
                           .removeFolder = insideInstallation};
  for (int tries = 1;; ++tries) {
    script.scriptPath = JoinPath(folder, SelfRemovalScriptName(fs.UnforeseeableNumber()));
    const Result<std::string> text = SelfRemovalScriptText(fs, script);
    const Status written =
        text.Ok() ? fs.WriteNewFile(script.scriptPath, Bytes(text.Value())) : text.AsStatus();
    if (written.Ok()) break;
    const Failure& error = written.Error();
    if (IsNameTaken(error.code) && tries < kSelfRemovalScriptNameTries) continue;
    if (error.attempt == Attempt::NameSelfRemovalScript) return error;
    return Failure{Attempt::WriteSelfRemovalScript, script.scriptPath, error.code};
  }
  // A read-only uninstaller (copied from a CD by an older setup) could never
  // be erased by the script. A copy outside an installation is the user's
  // file as it is.
  if (insideInstallation) {
    IgnoreFailure(fs.SetNormalAttributes(exePath), "the script then tries and reports nothing");
  }
  // "/d": no AutoRun command of the registry; "/c" with the path quoted
  // twice, since cmd strips the outer pair of quotes.
  return ShellExecuteRequest{.verb = "open",
                             .file = JoinPath(systemFolder, "cmd.exe"),
                             .parameters = Concat({"/d /c \"\"", script.scriptPath, "\"\""}),
                             .directory = AsWorkingDirectory(folder),
                             .showCommand = kShowHidden};
}

}  // namespace vlt
