#include "fakes/FakeFileSystem.h"

#include <algorithm>
#include <stdexcept>

#include "common/Paths.h"

namespace vlt::fake {
namespace {

bool IsDriveRoot(const std::string& path) { return path.size() == 2 && path[1] == ':'; }

bool GlobMatch(const char* name, const char* mask) {
  // Classic recursive matcher over upper-cased text.
  if (*mask == '\0') return *name == '\0';
  if (*mask == '*') {
    for (const char* n = name;; ++n) {
      if (GlobMatch(n, mask + 1)) return true;
      if (*n == '\0') return false;
    }
  }
  if (*name == '\0') return false;
  if (*mask == '?' || *mask == *name) return GlobMatch(name + 1, mask + 1);
  return false;
}

}  // namespace

FakeFileSystem::FakeFileSystem() { AddDrive("C:"); }

std::string FakeFileSystem::Key(const std::string& path) {
  // Doubled backslashes name the same path, as on Windows (not a share's
  // leading pair).
  std::string collapsed = path.substr(0, 2);
  for (std::size_t i = collapsed.size(); i < path.size(); ++i) {
    if (path[i] != '\\' || collapsed.back() != '\\') collapsed += path[i];
  }
  return AsciiUpper(ExcludeTrailingBackslash(collapsed));
}

std::string FakeFileSystem::Resolve(const std::string& path, int depth) const {
  const std::string located = Locate(path);
  auto it = nodes_.find(Key(located));
  if (it == nodes_.end() || !it->second.linkTarget || depth > 16) return located;
  return Resolve(*it->second.linkTarget, depth + 1);
}

std::string FakeFileSystem::Locate(const std::string& path) const {
  const std::string own = ExcludeTrailingBackslash(path);
  const std::string parent = ExtractFileDir(own);
  // Links are modelled on drives only: a drive itself, or a path of another
  // form (a share), is its own place.
  if (parent.empty() || parent == own || own.size() < 2 || own[1] != ':') return own;
  return Resolve(parent) + "\\" + ExtractFileName(own);
}

FakeFileSystem::Node* FakeFileSystem::Lookup(const std::string& path) {
  auto it = nodes_.find(Key(Locate(path)));
  return it == nodes_.end() ? nullptr : &it->second;
}

const FakeFileSystem::Node* FakeFileSystem::Lookup(const std::string& path) const {
  auto it = nodes_.find(Key(Locate(path)));
  return it == nodes_.end() ? nullptr : &it->second;
}

bool FakeFileSystem::ParentAcceptsNew(const std::string& path) const {
  const std::string parentPath = Resolve(ExtractFileDir(ExcludeTrailingBackslash(path)));
  auto it = nodes_.find(Key(parentPath));
  return it != nodes_.end() && it->second.isDirectory && !it->second.denyCreate;
}

bool FakeFileSystem::MatchMask(const std::string& name, const std::string& mask) {
  const std::string upperName = AsciiUpper(name);
  std::string upperMask = AsciiUpper(mask);
  if (upperMask == "*.*") upperMask = "*";
  if (GlobMatch(upperName.c_str(), upperMask.c_str())) return true;
  // "NAME.*" also finds "NAME" without an extension.
  if (upperMask.size() >= 2 && upperMask.ends_with(".*") &&
      upperName.find('.') == std::string::npos) {
    return GlobMatch(upperName.c_str(), upperMask.substr(0, upperMask.size() - 2).c_str());
  }
  return false;
}

void FakeFileSystem::AddDrive(const std::string& drive) {
  nodes_[Key(drive)] = Node{.path = drive, .isDirectory = true};
}

// A folder the test cannot arrange is a fault of the test: it stops there.
void FakeFileSystem::AddDir(const std::string& path) {
  if (const Status made = ForceDirectories(path); !made.Ok()) {
    throw std::logic_error("cannot make " + made.Error().subject);
  }
}

void FakeFileSystem::AddFile(const std::string& path, const std::string& content) {
  AddDir(ExtractFileDir(path));
  const std::string located = Locate(path);
  Node& node = nodes_[Key(located)];
  node.path = located;
  node.isDirectory = false;
  node.data = content;
}

void FakeFileSystem::AddDirectoryLink(const std::string& path, const std::string& target) {
  const std::string located = Locate(path);
  nodes_[Key(located)] = Node{.path = located, .isDirectory = true, .linkTarget = target};
}

void FakeFileSystem::AddSubstDrive(const std::string& drive, const std::string& target) {
  nodes_[Key(drive)] =
      Node{.path = drive, .isDirectory = true, .linkTarget = target, .substDrive = true};
}

void FakeFileSystem::HideIdentity(const std::string& path) {
  if (Node* node = Lookup(Resolve(path))) node->hiddenIdentity = true;
}

void FakeFileSystem::SetUnreachable(const std::string& drive) {
  unreachable_.push_back(AsciiUpper(drive.substr(0, 2)));
}

void FakeFileSystem::SetReadOnly(const std::string& path, bool readOnly) {
  if (Node* node = Lookup(path)) node->readOnly = readOnly;
}

void FakeFileSystem::SetInUse(const std::string& path, bool inUse) {
  if (Node* node = Lookup(path)) node->inUse = inUse;
}

void FakeFileSystem::DenyCreate(const std::string& dir, bool deny) {
  if (Node* node = Lookup(dir)) node->denyCreate = deny;
}

void FakeFileSystem::SetFreeSpace(const std::string& drive, std::uint64_t bytes) {
  freeSpace_[AsciiUpper(drive.substr(0, 2))] = bytes;
}

bool FakeFileSystem::IsReadOnly(const std::string& path) const {
  const Node* node = Lookup(path);
  return node != nullptr && node->readOnly;
}

bool FakeFileSystem::Exists(const std::string& path) const { return Lookup(path) != nullptr; }

bool FakeFileSystem::IsFile(const std::string& path) const {
  const Node* node = Lookup(path);
  return node != nullptr && !node->isDirectory;
}

std::optional<std::string> FakeFileSystem::ReadFile(const std::string& path) const {
  const Node* node = Lookup(path);
  if (node == nullptr || node->isDirectory) return std::nullopt;
  return node->data;
}

std::vector<std::string> FakeFileSystem::AllPaths() const {
  std::vector<std::string> paths;
  for (const auto& [key, node] : nodes_) {
    if (!IsDriveRoot(node.path)) paths.push_back(node.path);
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

Status FakeFileSystem::ForceDirectories(const std::string& dir) {
  const std::string path = ExcludeTrailingBackslash(dir);
  if (path.empty()) return Failure{Attempt::CreateDirectory, dir, 3};
  if (Node* node = Lookup(path)) {
    if (node->isDirectory) return {};
    return Failure{Attempt::CreateDirectory, path, 183};
  }
  const std::string parent = ExtractFileDir(path);
  if (parent.empty() || parent == path) return Failure{Attempt::CreateDirectory, path, 3};
  if (Status made = ForceDirectories(parent); !made.Ok()) return made;
  if (!ParentAcceptsNew(path)) return Failure{Attempt::CreateDirectory, path, 5};
  const std::string located = Locate(path);
  nodes_[Key(located)] = Node{.path = located, .isDirectory = true};
  return {};
}

bool FakeFileSystem::DirectoryExists(const std::string& path) {
  const Node* node = Lookup(path);
  return node != nullptr && node->isDirectory;
}

bool FakeFileSystem::IsReparsePoint(const std::string& path) {
  const Node* node = Lookup(path);
  return node != nullptr && node->linkTarget.has_value() && !node->substDrive;
}

std::vector<DirEntry> FakeFileSystem::Find(const std::string& pattern) {
  const std::string dir = ExtractFileDir(pattern);
  const std::string mask = ExtractFileName(pattern);
  std::vector<DirEntry> result;
  const std::string listed = Resolve(dir);  // a search through a link lists its target
  auto dirIt = nodes_.find(Key(listed));
  if (dirIt == nodes_.end() || !dirIt->second.isDirectory || mask.empty()) return result;
  if (!IsDriveRoot(dirIt->second.path)) {
    for (const char* dots : {".", ".."}) {
      if (MatchMask(dots, mask)) result.push_back({dots, true});
    }
  }
  const std::string dirKey = Key(listed) + "\\";
  std::vector<DirEntry> children;
  for (const auto& [key, node] : nodes_) {
    if (key.size() > dirKey.size() && key.starts_with(dirKey) &&
        key.find('\\', dirKey.size()) == std::string::npos) {
      const std::string name = ExtractFileName(node.path);
      if (MatchMask(name, mask)) {
        children.push_back({name, node.isDirectory, node.linkTarget.has_value()});
      }
    }
  }
  std::sort(children.begin(), children.end(), [](const DirEntry& a, const DirEntry& b) {
    return AsciiUpper(a.name) < AsciiUpper(b.name);
  });
  result.insert(result.end(), children.begin(), children.end());
  return result;
}

Status FakeFileSystem::DeleteFile(const std::string& path) {
  const Node* node = Lookup(path);
  if (node == nullptr) return Failure{Attempt::DeleteFile, path, 2};
  if (node->isDirectory || node->readOnly || node->inUse) return Failure{Attempt::DeleteFile, path, 5};
  auto room = freeSpace_.find(AsciiUpper(node->path.substr(0, 2)));
  if (room != freeSpace_.end()) room->second += node->data.size();
  nodes_.erase(Key(node->path));
  return {};
}

Status FakeFileSystem::RemoveDirectory(const std::string& path) {
  const Node* node = Lookup(path);
  if (node == nullptr || !node->isDirectory || node->inUse || IsDriveRoot(node->path)) {
    return Failure{Attempt::RemoveDirectory, path, 5};
  }
  const std::string key = Key(node->path);
  if (!node->linkTarget) {  // a link goes as a link, whatever its target holds
    for (const auto& [other, entry] : nodes_) {
      if (other.starts_with(key + "\\")) return Failure{Attempt::RemoveDirectory, path, 145};
    }
  }
  nodes_.erase(key);
  return {};
}

Status FakeFileSystem::CopyFile(const std::string& from, const std::string& to) {
  const Node* source = Lookup(from);
  if (source == nullptr || source->isDirectory) return Failure{Attempt::CopyFile, to, 2};
  const Node* existing = Lookup(to);
  if (existing != nullptr ? existing->isDirectory || existing->readOnly || existing->inUse
                          : !ParentAcceptsNew(to)) {
    return Failure{Attempt::CopyFile, to, 5};
  }
  const std::string data = source->data;
  if (Store(to, data) || cutCopiesSucceed) return {};
  return Failure{Attempt::CopyFile, to, 112};
}

std::optional<std::uint64_t> FakeFileSystem::FileSize(const std::string& path) {
  const Node* node = Lookup(path);
  if (node == nullptr || node->isDirectory) return std::nullopt;
  return node->data.size();
}

Status FakeFileSystem::SetNormalAttributes(const std::string& path) {
  Node* node = Lookup(path);
  if (node == nullptr || node->isDirectory) return Failure{Attempt::SetAttributes, path, 2};
  node->readOnly = false;
  return {};
}

bool FakeFileSystem::Store(const std::string& path, const std::string& data) {
  const std::string located = Locate(path);
  Node& node = nodes_[Key(located)];
  if (node.path.empty()) node.path = located;
  auto room = freeSpace_.find(AsciiUpper(located.substr(0, 2)));
  const std::uint64_t freed = node.data.size();
  node.data.clear();
  if (room == freeSpace_.end()) {
    node.data = data;
    return true;
  }
  room->second += freed;
  const std::size_t fits = static_cast<std::size_t>(std::min<std::uint64_t>(room->second, data.size()));
  node.data = data.substr(0, fits);
  room->second -= fits;
  return fits == data.size();
}

Status FakeFileSystem::WriteFile(const std::string& path, std::span<const std::uint8_t> data) {
  Node* existing = Lookup(path);
  if (existing != nullptr) {
    if (existing->isDirectory || existing->readOnly || existing->inUse) {
      return Failure{Attempt::WriteFile, path, 5};
    }
  } else if (!ParentAcceptsNew(path)) {
    return Failure{Attempt::WriteFile, path, 3};
  }
  if (!Store(path, std::string(data.begin(), data.end()))) {
    IgnoreFailure(DeleteFile(path), "a cut file is taken back as on Windows");
    return Failure{Attempt::WriteFile, path, 112};
  }
  return {};
}

Status FakeFileSystem::WriteNewFile(const std::string& path, std::span<const std::uint8_t> data) {
  if (Lookup(path) != nullptr) return Failure{Attempt::WriteFile, path, 80};
  return WriteFile(path, data);
}

std::optional<FileIdentity> FakeFileSystem::Identity(const std::string& path) {
  // A path in short form leads where its long form does.
  std::string longPath = path;
  for (const auto& [longKey, shortPath] : shortNames_) {
    const std::string shortKey = Key(shortPath);
    const std::string key = Key(path);
    if (key == shortKey || key.starts_with(shortKey + "\\")) {
      longPath = longKey + key.substr(shortKey.size());
      break;
    }
  }
  const std::string resolved = Resolve(longPath);
  const auto node = nodes_.find(Key(resolved));
  if (node == nodes_.end() || node->second.hiddenIdentity) return std::nullopt;
  const auto [it, added] = identities_.emplace(node->first, identities_.size() + 1);
  return FileIdentity{.volume = static_cast<unsigned char>(AsciiUpper(resolved.substr(0, 1))[0]),
                      .file = it->second};
}

bool FakeFileSystem::Gone(const std::string& path) {
  if (std::ranges::find(unreachable_, AsciiUpper(path.substr(0, 2))) != unreachable_.end()) {
    return false;
  }
  return !Exists(path);
}

bool FakeFileSystem::HoldsBytes(const std::string& path, std::span<const std::uint8_t> bytes) {
  const std::optional<std::string> data = ReadFile(path);
  return data && std::ranges::equal(*data, bytes, [](char a, std::uint8_t b) {
           return static_cast<std::uint8_t>(a) == b;
         });
}

std::uint32_t FakeFileSystem::UnforeseeableNumber() {
  if (unforeseeable.empty()) return ++numbers_;
  const std::uint32_t number = unforeseeable.front();
  unforeseeable.pop_front();
  return number;
}

std::string FakeFileSystem::ShortPathName(const std::string& path) {
  if (!Exists(path)) return "";
  auto it = shortNames_.find(Key(path));
  return it == shortNames_.end() ? path : it->second;
}

void FakeFileSystem::SetShortName(const std::string& path, const std::string& shortPath) {
  shortNames_[Key(path)] = shortPath;
}

std::optional<std::string> FakeFileSystem::ToOemCodePage(const std::string& text) {
  // UTF-8 to code page 850 for the characters tests use; others do not fit.
  static const std::map<char32_t, unsigned char> kCp850 = {
      {U'\u00e4', 0x84}, {U'\u00f6', 0x94}, {U'\u00fc', 0x81}, {U'\u00c4', 0x8e},
      {U'\u00d6', 0x99}, {U'\u00dc', 0x9a}, {U'\u00df', 0xe1}, {U'\u00e9', 0x82}};
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
      ++i;
      continue;
    }
    char32_t cp = 0;
    int len = 0;
    if ((c & 0xe0) == 0xc0) { cp = c & 0x1f; len = 2; }
    else if ((c & 0xf0) == 0xe0) { cp = c & 0x0f; len = 3; }
    else if ((c & 0xf8) == 0xf0) { cp = c & 0x07; len = 4; }
    else return std::nullopt;
    if (i + len > text.size()) return std::nullopt;
    for (int k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3f);
    auto it = kCp850.find(cp);
    if (it == kCp850.end()) return std::nullopt;
    out += static_cast<char>(it->second);
    i += static_cast<std::size_t>(len);
  }
  return out;
}

}  // namespace vlt::fake
