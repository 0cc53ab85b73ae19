#include "install/ShellLinks.h"

#include "common/Paths.h"

namespace vlt {

std::string ShortcutWorkingDirectory(const std::string& target) { return ExtractFileDir(target); }

Status CreateShellLink(Shell& shell, const std::string& linkFile, const std::string& target,
                       const std::string& arguments) {
  return shell.SaveShellLink(linkFile,
                             ShellLinkData{.target = target,
                                           .arguments = arguments,
                                           .workingDirectory = ShortcutWorkingDirectory(target)});
}

}  // namespace vlt
