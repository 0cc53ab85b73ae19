#pragma once
// The file system. Paths are full Windows paths (drive or UNC, backslashes).
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/Result.h"

namespace vlt {

struct DirEntry {
  std::string name;  // file name without directory
  bool isDirectory = false;
  // A junction, a symbolic link or another reparse point: what lies behind
  // it belongs to some other place, which a deletion must not reach.
  bool isReparsePoint = false;
};

// What a file or folder is, independent of how its path is spelled: the
// volume's serial number and the file's id on it (128 bits: on ReFS the low
// 64 alone are not unique). Two paths name the same file or folder exactly
// when their identities are equal (another drive letter for the same folder,
// a short name, another case, a junction on the way all lead to the same
// identity).
struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t fileHigh = 0;
  std::uint64_t file = 0;
  bool operator==(const FileIdentity&) const = default;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Creates `dir` with every missing parent. Fails when a directory cannot
  // be created; an empty path fails as well.
  virtual Status ForceDirectories(const std::string& dir) = 0;
  // True when the attributes of `path` can be read and mark a directory.
  virtual bool DirectoryExists(const std::string& path) = 0;
  // True when the attributes of `path` itself (not of what it points to) can
  // be read and mark a reparse point: a junction or a symbolic link.
  virtual bool IsReparsePoint(const std::string& path) = 0;
  // Every entry that a directory search for `pattern` (which may hold "*" and
  // "?") returns with all attributes, in the order the search returns them,
  // "." and ".." included. Empty when nothing matches.
  virtual std::vector<DirEntry> Find(const std::string& pattern) = 0;
  // The pattern that matches every name, those without an extension too.
  static constexpr char kEveryName[] = "*.*";

  // A plain deletion; fails when the file is read-only, in use or a
  // directory.
  virtual Status DeleteFile(const std::string& path) = 0;
  // Removes an empty directory; a directory junction or symbolic link is
  // removed as a link, whatever its target holds.
  virtual Status RemoveDirectory(const std::string& path) = 0;
  // Copies a file, replacing an existing target. A copy that fails part way
  // (a full disk) may leave a cut target behind.
  virtual Status CopyFile(const std::string& from, const std::string& to) = 0;
  // The size of an existing file; nullopt when it cannot be read.
  virtual std::optional<std::uint64_t> FileSize(const std::string& path) = 0;
  // Gives a file normal attributes (no longer read-only, hidden or system).
  virtual Status SetNormalAttributes(const std::string& path) = 0;

  // Creates `path` anew (an existing file is truncated; no sharing while it is
  // open; normal attributes) and writes `data`. Fails when the file cannot be
  // created or written; a file that could not be written whole is
  // deleted again, so no cut file is left for another program to trip over.
  virtual Status WriteFile(const std::string& path, std::span<const std::uint8_t> data) = 0;
  // As WriteFile, but fails when `path` exists already (code 80,
  // ERROR_FILE_EXISTS, or 183 or 5 for a folder of that name): the file
  // written is always one this call created, with the folder's inherited
  // rights, never one that somebody else made beforehand and still controls.
  virtual Status WriteNewFile(const std::string& path, std::span<const std::uint8_t> data) = 0;

  // The identity of the existing file or folder `path` leads to (links on the
  // way and at its end followed); nullopt when it cannot be opened or the
  // system gives it no usable id (0 or all ones).
  virtual std::optional<FileIdentity> Identity(const std::string& path) = 0;
  // True only when the system says nothing is at `path`: no such file, no
  // such folder on the way, no such drive. False when something is there or
  // the system cannot tell (no rights, a share that does not answer).
  virtual bool Gone(const std::string& path) = 0;
  // True when `path` is a file whose bytes are exactly `bytes`; false when
  // they differ or the file cannot be read.
  virtual bool HoldsBytes(const std::string& path, std::span<const std::uint8_t> bytes) = 0;

  // A number no other program can foresee (from the system's random
  // generator), for names that nobody may take in advance.
  virtual std::uint32_t UnforeseeableNumber() = 0;

  // The short (8.3) form of an existing path, or "" when the system has none.
  virtual std::string ShortPathName(const std::string& path) = 0;
  // `text` in the OEM code page, the one the command interpreter reads batch
  // files in; nullopt when a character has no place in that code page.
  virtual std::optional<std::string> ToOemCodePage(const std::string& text) = 0;
};

// True when a search for `path` finds a first entry and that entry is not a
// directory. With wildcards: whether the first match is a file.
bool FileExists(FileSystem& fs, const std::string& path);

// True when `a` and `b` both exist and are the same file or folder, by
// identity; false when either cannot be opened.
bool SameFile(FileSystem& fs, const std::string& a, const std::string& b);

}  // namespace vlt
