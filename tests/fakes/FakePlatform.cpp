#include "fakes/FakePlatform.h"

#include <sstream>

#include "common/Paths.h"
#include "forms/Form.h"
#include "payload/BinderRecord.h"
#include "payload_data/PayloadSamples.h"

namespace vlt::fake {
namespace {

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  std::istringstream in(text);
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

void FakeApplication::Run(Form& mainForm) {
  ++runCount;
  if (!terminated) mainForm.Show();
}

std::string FakeApplication::SystemMessage(std::uint32_t code) const {
  switch (code) {
    case 5: return "Access is denied.";
    case 112: return "There is not enough space on the disk.";
    case 0x80040154u: return "Class not registered";
    default: return "System error " + std::to_string(code);
  }
}

Status FakeProcesses::Terminate(std::uint32_t id, std::uint32_t) {
  if (unkillable.count(id) != 0) return Failure{Attempt::EndProcess, std::to_string(id), 5};
  if (onTerminate) onTerminate(id);
  terminated.push_back(id);
  return {};
}

std::string FakeProfileFile::ReadString(const std::string& path, const std::string& section,
                                        const std::string& key,
                                        const std::string& defaultValue) {
  const std::optional<std::string> content = fs_.ReadFile(path);
  if (!content) return defaultValue;
  bool inSection = false;
  for (const std::string& line : SplitLines(*content)) {
    const std::string trimmed = Trim(line);
    if (trimmed.starts_with("[")) {
      inSection = AsciiEqualNoCase(Trim(trimmed.substr(1, trimmed.find(']') - 1)), section);
    } else if (inSection) {
      const auto eq = trimmed.find('=');
      if (eq != std::string::npos && AsciiEqualNoCase(Trim(trimmed.substr(0, eq)), key)) {
        return Trim(trimmed.substr(eq + 1));
      }
    }
  }
  return defaultValue;
}

Status FakeProfileFile::WriteString(const std::string& path, const std::string& section,
                                  const std::string& key, const std::string& value) {
  std::vector<std::string> lines = SplitLines(fs_.ReadFile(path).value_or(""));
  // Find the section, then the key inside it; add what is missing.
  std::size_t sectionLine = lines.size();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string trimmed = Trim(lines[i]);
    if (trimmed.starts_with("[") &&
        AsciiEqualNoCase(Trim(trimmed.substr(1, trimmed.find(']') - 1)), section)) {
      sectionLine = i;
      break;
    }
  }
  if (sectionLine == lines.size()) {
    lines.push_back("[" + section + "]");
    lines.push_back(key + "=" + value);
  } else {
    std::size_t end = sectionLine + 1;
    bool replaced = false;
    for (; end < lines.size() && !Trim(lines[end]).starts_with("["); ++end) {
      const auto eq = lines[end].find('=');
      if (eq != std::string::npos && AsciiEqualNoCase(Trim(lines[end].substr(0, eq)), key)) {
        lines[end] = key + "=" + value;
        replaced = true;
        break;
      }
    }
    if (!replaced) lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(end), key + "=" + value);
  }
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  const Status written =
      fs_.WriteFile(path, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
  if (!written.Ok()) return Failure{Attempt::WriteProfile, path, written.Error().code};
  return {};
}

Status FakeRegistry::CreateKey(const std::string& key) {
  if (readOnly) return Failure{Attempt::WriteRegistry, key, 5};
  Key& k = keys_[AsciiUpper(ExcludeTrailingBackslash(key))];
  if (k.path.empty()) k.path = ExcludeTrailingBackslash(key);
  return {};
}

Status FakeRegistry::WriteString(const std::string& key, const std::string& name,
                                 const std::string& value) {
  if (readOnly) return Failure{Attempt::WriteRegistry, key, 5};
  static_cast<void>(CreateKey(key));
  keys_[AsciiUpper(ExcludeTrailingBackslash(key))].values[AsciiUpper(name)] = {name, value};
  return {};
}

Status FakeRegistry::DeleteValue(const std::string& key, const std::string& name) {
  if (readOnly) return Failure{Attempt::DeleteRegistry, key, 5};
  auto it = keys_.find(AsciiUpper(ExcludeTrailingBackslash(key)));
  if (it == keys_.end() || it->second.values.erase(AsciiUpper(name)) == 0) {
    return Failure{Attempt::DeleteRegistry, key, 2};
  }
  return {};
}

Status FakeRegistry::DeleteKeyTree(const std::string& key, const std::string& subKey) {
  if (readOnly) return Failure{Attempt::DeleteRegistry, key, 5};
  const std::string full = AsciiUpper(JoinPath(key, subKey));
  bool any = false;
  for (auto it = keys_.begin(); it != keys_.end();) {
    if (it->first == full || it->first.starts_with(full + "\\")) {
      it = keys_.erase(it);
      any = true;
    } else {
      ++it;
    }
  }
  if (!any) return Failure{Attempt::DeleteRegistry, key, 2};
  return {};
}

bool FakeRegistry::ValueExists(const std::string& key, const std::string& name) {
  if (readOnly) return false;
  return Value(key, name).has_value();
}

bool FakeRegistry::HasKey(const std::string& key) const {
  return keys_.count(AsciiUpper(ExcludeTrailingBackslash(key))) != 0;
}

std::optional<std::string> FakeRegistry::Value(const std::string& key,
                                               const std::string& name) const {
  auto it = keys_.find(AsciiUpper(ExcludeTrailingBackslash(key)));
  if (it == keys_.end()) return std::nullopt;
  auto v = it->second.values.find(AsciiUpper(name));
  if (v == it->second.values.end()) return std::nullopt;
  return v->second.second;
}

std::map<std::string, std::string> FakeRegistry::Values(const std::string& key) const {
  std::map<std::string, std::string> result;
  auto it = keys_.find(AsciiUpper(ExcludeTrailingBackslash(key)));
  if (it != keys_.end()) {
    for (const auto& [upper, value] : it->second.values) result[value.first] = value.second;
  }
  return result;
}

std::vector<std::string> FakeRegistry::Keys() const {
  std::vector<std::string> result;
  for (const auto& [upper, key] : keys_) result.push_back(key.path);
  return result;
}

FakeShell::FakeShell(FakeFileSystem& fs) : fs_(fs) {
  folders[csidl::kDesktop] = "C:\\Users\\Anna\\Desktop";
  folders[csidl::kDesktopDirectory] = "C:\\Users\\Anna\\Desktop";
  folders[csidl::kPrograms] = "C:\\Users\\Anna\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs";
  folders[csidl::kTemplates] = "C:\\Users\\Anna\\Templates";
  folders[0x0005] = "C:\\Users\\Anna\\Documents";  // CSIDL_PERSONAL
  folders[csidl::kProfile] = "C:\\Users\\Anna";
  // A 32-bit program on 64-bit Windows.
  folders[csidl::kProgramFiles] = "C:\\Program Files (x86)";
  folders[csidl::kWindows] = "C:\\Windows";
  folders[csidl::kSystem] = "C:\\Windows\\system32";
  knownFolders[KnownFolder::UserProfiles] = "C:\\Users";
  knownFolders[KnownFolder::Public] = "C:\\Users\\Public";
  knownFolders[KnownFolder::Downloads] = "C:\\Users\\Anna\\Downloads";
  knownFolders[KnownFolder::ProgramFiles64] = "C:\\Program Files";
  for (const auto& [id, path] : folders) fs_.AddDir(path);
  for (const auto& [id, path] : knownFolders) fs_.AddDir(path);
  fs_.AddDir("C:\\Windows\\Temp");
}

std::string FakeShell::KnownFolderPath(KnownFolder folder) {
  auto it = knownFolders.find(folder);
  return it == knownFolders.end() ? std::string() : it->second;
}

std::optional<std::string> FakeShell::ShellLinkTarget(const std::string& linkFile) {
  const std::optional<std::string> content = fs_.ReadFile(linkFile);
  if (!content) return std::nullopt;
  const std::string target = content->substr(0, content->find('|'));
  if (target.empty() || target.find("://") != std::string::npos) return std::nullopt;
  return target;
}

std::string FakeShell::FolderPath(int csidl) {
  auto it = folders.find(csidl);
  return it == folders.end() ? std::string() : it->second;
}

Status FakeShell::SaveShellLink(const std::string& linkFile, const ShellLinkData& link) {
  if (failLinkObject) return Failure{Attempt::CreateShellLink, linkFile, 0x80040154u};
  const std::string content = link.target + "|" + link.arguments + "|" + link.workingDirectory;
  // A shortcut that cannot be saved is simply missing.
  if (fs_.WriteFile(linkFile, {reinterpret_cast<const std::uint8_t*>(content.data()),
                               content.size()}).Ok()) {
    links.push_back({linkFile, link});
  }
  return {};
}

std::optional<std::string> FakeShell::BrowseForFolder(int rootCsidl, const std::string& title) {
  browseCalls.emplace_back(rootCsidl, title);
  return browseResult;
}

MsgButton FakeMessageDialog::Show(const MessageBoxRequest& request) {
  shown.push_back(request);
  if (onShow) onShow(request);
  if (answers.empty()) return request.defaultButton;
  const MsgButton answer = answers.front();
  answers.pop_front();
  return answer;
}

const std::vector<std::pair<std::string, std::string>>& FakeResources::DefaultPayloadFiles() {
  static const std::vector<std::pair<std::string, std::string>> files = {
      {"veltori.exe", "MZ stand-in program"},
      {"veltori.hlp", "help text"},
      {"veltori.cnt", ":Base veltori.hlp"},
  };
  return files;
}

FakeResources::FakeResources() {
  std::vector<samples::SampleFile> files;
  for (const auto& [name, content] : DefaultPayloadFiles()) {
    files.push_back({name, samples::Bytes(content.begin(), content.end())});
  }
  data[kPayloadResource] = samples::StoreRecord(*samples::MakeBinder(files));
}

std::optional<std::span<const std::uint8_t>> FakeResources::Data(const std::string& name) {
  auto it = data.find(name);
  if (it == data.end()) return std::nullopt;
  return std::span<const std::uint8_t>(it->second);
}

}  // namespace vlt::fake
