#pragma once
// An in-memory file system with Windows rules: drive-letter paths with
// backslashes, case-insensitive names that keep their case, "*" and "?"
// matching as a directory search does ("*.*" matches every name, and a mask
// ending in ".*" also matches names without an extension), the entries "."
// and ".." in every directory but a drive root, read-only files, files in use,
// directories that refuse new entries, and directory links (junctions and
// symbolic links): a path that passes through a link reaches its target, as
// on Windows, while the link's own name reaches the link (its attributes,
// its removal).
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace vlt::fake {

class FakeFileSystem : public FileSystem {
 public:
  FakeFileSystem();  // drive C: exists

  Status ForceDirectories(const std::string& dir) override;
  bool DirectoryExists(const std::string& path) override;
  bool IsReparsePoint(const std::string& path) override;
  std::vector<DirEntry> Find(const std::string& pattern) override;
  Status DeleteFile(const std::string& path) override;
  Status RemoveDirectory(const std::string& path) override;
  Status CopyFile(const std::string& from, const std::string& to) override;
  std::optional<std::uint64_t> FileSize(const std::string& path) override;
  Status SetNormalAttributes(const std::string& path) override;
  Status WriteFile(const std::string& path, std::span<const std::uint8_t> data) override;
  Status WriteNewFile(const std::string& path, std::span<const std::uint8_t> data) override;
  // Short names come from SetShortName; the OEM code page is 850 (Latin-1
  // letters fit, anything beyond does not).
  // Equal for every path that leads to the same node (links followed).
  std::optional<FileIdentity> Identity(const std::string& path) override;
  // Nothing there, unless its drive is one that does not answer.
  bool Gone(const std::string& path) override;
  bool HoldsBytes(const std::string& path, std::span<const std::uint8_t> bytes) override;
  // The next of `unforeseeable`, else 1, 2, 3 ...
  std::uint32_t UnforeseeableNumber() override;
  std::deque<std::uint32_t> unforeseeable;
  std::string ShortPathName(const std::string& path) override;
  std::optional<std::string> ToOemCodePage(const std::string& text) override;
  void SetShortName(const std::string& path, const std::string& shortPath);

  // Test set-up and inspection.
  void AddDrive(const std::string& drive);  // "D:"
  void AddDir(const std::string& path);     // with parents
  void AddFile(const std::string& path, const std::string& content = "");  // with parents
  // A directory link at `path` (its parent must exist) that leads to `target`.
  void AddDirectoryLink(const std::string& path, const std::string& target);
  // A drive letter for a folder (subst): not a link of the file system.
  void AddSubstDrive(const std::string& drive, const std::string& target);
  // The node `path` leads to exists, but its identity cannot be read.
  void HideIdentity(const std::string& path);
  // `drive` ("N:", a share that does not answer): nothing on it can be
  // seen, and nothing on it is known to be gone.
  void SetUnreachable(const std::string& drive);
  void SetReadOnly(const std::string& path, bool readOnly = true);
  void SetInUse(const std::string& path, bool inUse = true);
  // New files and subdirectories cannot be created in `dir`.
  void DenyCreate(const std::string& dir, bool deny = true);
  // `drive` ("D:") holds only `bytes` more: a longer write stops there, as on
  // a full volume. A copy cut so reports failure, or success where
  // `cutCopiesSucceed` is set (what a copy's result alone does not show).
  void SetFreeSpace(const std::string& drive, std::uint64_t bytes);
  bool cutCopiesSucceed = false;
  bool IsReadOnly(const std::string& path) const;
  bool Exists(const std::string& path) const;
  bool IsFile(const std::string& path) const;
  std::optional<std::string> ReadFile(const std::string& path) const;
  // Every file and directory, full paths in their stored case, sorted.
  std::vector<std::string> AllPaths() const;
  // Case-insensitive wildcard match of one name against a mask.
  static bool MatchMask(const std::string& name, const std::string& mask);

 private:
  struct Node {
    std::string path;  // full path in its original case
    bool isDirectory = false;
    std::string data = {};
    bool readOnly = false;
    bool inUse = false;
    bool denyCreate = false;
    std::optional<std::string> linkTarget = {};  // a directory link
    bool substDrive = false;  // a drive letter for linkTarget, no reparse point
    bool hiddenIdentity = false;
  };
  static std::string Key(const std::string& path);
  // `path` with every link on the way replaced by its target, the last
  // part included (Resolve) or left as it is (Locate).
  std::string Resolve(const std::string& path, int depth = 0) const;
  std::string Locate(const std::string& path) const;
  Node* Lookup(const std::string& path);
  const Node* Lookup(const std::string& path) const;
  bool ParentAcceptsNew(const std::string& path) const;
  // Stores `data` at `path` as far as its drive has room; false when cut.
  bool Store(const std::string& path, const std::string& data);
  std::map<std::string, Node> nodes_;
  std::map<std::string, std::string> shortNames_;
  std::map<std::string, std::uint64_t> identities_;
  std::uint32_t numbers_ = 0;  // by Key of the resolved path
  std::vector<std::string> unreachable_;  // upper-cased drives
  std::map<std::string, std::uint64_t> freeSpace_;  // by upper-cased drive; none: no limit  // by upper-cased path without trailing "\"
};

}  // namespace vlt::fake
