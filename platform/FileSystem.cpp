#include "platform/FileSystem.h"

namespace vlt {

bool FileExists(FileSystem& fs, const std::string& path) {
  const std::vector<DirEntry> entries = fs.Find(path);
  return !entries.empty() && !entries.front().isDirectory;
}

}  // namespace vlt
