#include "platform/portable/DirectoryChain.h"

#include "common/Paths.h"

namespace vlt::win32 {
namespace {

// The length of the volume part that starts a path: "C:" or
// "\\server\share" (the whole path when it names no more than that).
std::size_t VolumeLength(std::string_view path) {
  if (path.size() >= 2 && path[1] == ':') return 2;
  if (path.starts_with("\\\\")) {
    const std::size_t server = path.find('\\', 2);
    if (server == std::string_view::npos) return path.size();
    const std::size_t share = path.find('\\', server + 1);
    return share == std::string_view::npos ? path.size() : share;
  }
  return 0;
}

}  // namespace

std::vector<std::string> DirectoryChain(std::string_view dir) {
  const std::string path = ExcludeTrailingBackslash(dir);
  const std::size_t volume = VolumeLength(path);
  std::vector<std::string> chain;
  for (std::size_t i = volume + 1; i <= path.size(); ++i) {
    // Each backslash after the volume ends one directory; the path itself
    // ends the last. Doubled backslashes name no directory of their own.
    if (i == path.size() || (path[i] == '\\' && path[i - 1] != '\\')) {
      chain.push_back(path.substr(0, i));
    }
  }
  return chain;
}

}  // namespace vlt::win32
