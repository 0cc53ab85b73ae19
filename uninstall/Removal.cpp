#include "uninstall/Removal.h"

#include "uninstall/Presence.h"

namespace vlt {
namespace {

template <typename Keep>
void DeleteFilesExcept(FileSystem& fs, const std::string& directory, const std::string& mask,
                       Keep keep) {
  if (fs.IsReparsePoint(directory)) return;
  for (const DirEntry& entry : fs.Find(directory + mask)) {
    // Directories ("." and ".." included) are never deleted as files.
    if (entry.isDirectory || entry.isReparsePoint || keep(entry.name)) continue;
    IgnoreFailure(fs.DeleteFile(directory + entry.name), "a file that stays stays; the rest go on");
  }
}

}  // namespace

void DeleteMatchingFiles(FileSystem& fs, const std::string& directory, const std::string& mask) {
  DeleteFilesExcept(fs, directory, mask, [](const std::string&) { return false; });
}

void DeleteOtherFiles(FileSystem& fs, const std::string& directory, const std::string& mask,
                      std::span<const std::string_view> prefixes) {
  DeleteFilesExcept(fs, directory, mask,
                    [&](const std::string& name) { return StartsWithAny(name, prefixes); });
}

}  // namespace vlt
