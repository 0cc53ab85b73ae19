#include "platform/Shell.h"

#include "common/Paths.h"

namespace vlt {

std::string SpecialFolderPath(Shell& shell, int csidl) {
  return ExcludeTrailingBackslash(shell.FolderPath(csidl));
}

}  // namespace vlt
