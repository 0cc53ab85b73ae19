// expect-reg, expect-no-reg, expect-reg-names: registry checks from inside
// the prefix, many in one driver run (each `reg query` would be a process
// start of its own). Keys are named as reg.exe names them
// (HKLM\Software\..., HKCU\...); --view 32|64 picks the registry view.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "Commands.h"
#include "TextMatch.h"
#include "Wide.h"

namespace vltdrive {
namespace {

struct KeyName {
  HKEY root;
  std::string path;  // below the root, backslashes kept
};

KeyName SplitKey(const std::string& key) {
  static const struct {
    const char* name;
    HKEY root;
  } roots[] = {{"HKLM", HKEY_LOCAL_MACHINE}, {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
               {"HKCU", HKEY_CURRENT_USER},  {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
               {"HKCR", HKEY_CLASSES_ROOT},  {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
               {"HKU", HKEY_USERS},          {"HKEY_USERS", HKEY_USERS}};
  const std::string::size_type slash = key.find('\\');
  const std::string head = key.substr(0, slash);
  for (const auto& root : roots) {
    if (EqualsNoCase(head, root.name)) {
      return {root.root, slash == std::string::npos ? std::string() : key.substr(slash + 1)};
    }
  }
  throw StepFailure("not a registry key (HKLM\\..., HKCU\\...): " + Quoted(key));
}

REGSAM ViewFlag(const Command& command) {
  const std::string view = command.Option("--view");
  if (view.empty()) return 0;
  if (view == "32") return KEY_WOW64_32KEY;
  if (view == "64") return KEY_WOW64_64KEY;
  throw StepFailure("--view must be 32 or 64, not " + Quoted(view));
}

std::string Where(const Command& command) {
  return command.Has("--view") ? " (view " + command.Option("--view") + ")" : std::string();
}

// An open key, closed on scope exit; null when the key does not exist.
class OpenKey {
 public:
  OpenKey(const std::string& key, REGSAM view) {
    const KeyName name = SplitKey(key);
    const LONG status = RegOpenKeyExW(name.root, ToWide(name.path).c_str(), 0, KEY_READ | view, &key_);
    if (status != ERROR_SUCCESS) key_ = nullptr;
  }
  ~OpenKey() {
    if (key_) RegCloseKey(key_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

// A value as reg.exe shows it: strings as they are, DWORDs as 0x..., or
// nothing when the value does not exist.
bool ReadValue(HKEY key, const std::string& name, std::string& text) {
  DWORD type = 0, size = 0;
  const std::wstring wideName = ToWide(name);
  if (RegQueryValueExW(key, wideName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
  std::vector<BYTE> data(size + sizeof(wchar_t));
  if (RegQueryValueExW(key, wideName.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS) return false;
  if (type == REG_SZ || type == REG_EXPAND_SZ) {
    std::wstring value(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
    while (!value.empty() && value.back() == L'\0') value.pop_back();
    text = ToUtf8(value);
  } else if (type == REG_DWORD && size == sizeof(DWORD)) {
    DWORD number = 0;
    std::copy(data.begin(), data.begin() + sizeof number, reinterpret_cast<BYTE*>(&number));
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%lx", static_cast<unsigned long>(number));
    text = buffer;
  } else {
    throw StepFailure("value " + Quoted(name) + " has type " + std::to_string(type) +
                      ", which this check does not read");
  }
  return true;
}

}  // namespace

void ExpectRegistryValue(Session&, const Command& command) {
  const std::string& key = command.args[0];
  const std::string& name = command.args[1];
  const std::string& expected = command.args[2];
  OpenKey open(key, ViewFlag(command));
  if (!open.get()) throw StepFailure("no registry key " + key + Where(command));
  std::string seen;
  if (!ReadValue(open.get(), name, seen)) throw StepFailure("no registry value " + key + "\\" + name + Where(command));
  if (seen != expected) {
    throw StepFailure("wanted " + key + "\\" + name + Where(command) + " = " + Quoted(expected) + ", saw " +
                      Quoted(seen));
  }
  Say(key + "\\" + name + Where(command) + " = " + Quoted(seen));
}

void ExpectNoRegistry(Session&, const Command& command) {
  const std::string& key = command.args[0];
  OpenKey open(key, ViewFlag(command));
  if (command.args.size() == 1) {
    if (open.get()) throw StepFailure("registry key " + key + Where(command) + " exists");
    Say("no registry key " + key + Where(command));
    return;
  }
  const std::string& name = command.args[1];
  std::string seen;
  if (open.get() && ReadValue(open.get(), name, seen)) {
    throw StepFailure("registry value " + key + "\\" + name + Where(command) + " exists: " + Quoted(seen));
  }
  Say("no registry value " + key + "\\" + name + Where(command));
}

void ExpectRegistryNames(Session&, const Command& command) {
  const std::string& key = command.args[0];
  OpenKey open(key, ViewFlag(command));
  if (!open.get()) throw StepFailure("no registry key " + key + Where(command));
  std::vector<std::string> seen;
  for (DWORD index = 0;; ++index) {
    wchar_t name[16384];
    DWORD length = sizeof name / sizeof name[0];
    const LONG status = RegEnumValueW(open.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS) throw StepFailure("cannot list the values of " + key + ": error " + std::to_string(status));
    seen.push_back(ToUtf8(std::wstring(name, length)));
  }
  std::vector<std::string> wanted(command.args.begin() + 1, command.args.end());
  std::sort(seen.begin(), seen.end());
  std::sort(wanted.begin(), wanted.end());
  auto joined = [](const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names) text += (text.empty() ? "" : " ") + Quoted(name);
    return text.empty() ? std::string("(none)") : text;
  };
  if (seen != wanted) {
    throw StepFailure("wanted the values " + joined(wanted) + " in " + key + Where(command) + ", saw " + joined(seen));
  }
  Say("values of " + key + Where(command) + ": " + joined(seen));
}

}  // namespace vltdrive
