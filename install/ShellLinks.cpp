#include "install/ShellLinks.h"

#include "common/Paths.h"

namespace vlt {

std::string ShortcutWorkingDirectory(const std::string& target) { return ExtractFileDir(target); }

void CreateShellLink(Shell& shell, const std::string& linkFile, const std::string& target,
                     const std::string& arguments) {
  shell.SaveShellLink(linkFile, ShellLinkData{.target = target,
                                              .arguments = arguments,
                                              .workingDirectory = ShortcutWorkingDirectory(target)});
}

}  // namespace vlt
