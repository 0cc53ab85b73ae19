#include "platform/FileSystem.h"

namespace vlt {

bool FileExists(FileSystem& fs, const std::string& path) {
  const std::vector<DirEntry> entries = fs.Find(path);
  return !entries.empty() && !entries.front().isDirectory;
}

bool SameFile(FileSystem& fs, const std::string& a, const std::string& b) {
  const std::optional<FileIdentity> first = fs.Identity(a);
  return first && first == fs.Identity(b);
}

}  // namespace vlt
