#pragma once
// The Windows shell: special folders, shell links, ShellExecute and the
// folder browser. Needs COM initialised on the calling thread (apartment
// model), which the program does once at start-up.
#include "platform/Shell.h"

namespace vlt::win32 {

class Win32Shell : public Shell {
 public:
  std::string FolderPath(int csidl) override;
  // The shell's known folders; the 64-bit Program Files folders from the
  // machine's 64-bit registry view, where Windows keeps them.
  std::string KnownFolderPath(KnownFolder folder) override;
  // From the profile list in the machine's 64-bit registry view, with the
  // environment variables of each path expanded.
  std::vector<std::string> UserProfiles() override;
  // Fails with the system's message for the failing HRESULT.
  Status SaveShellLink(const std::string& linkFile, const ShellLinkData& link) override;
  std::optional<std::string> ShellLinkTarget(const std::string& linkFile) override;
  Status Execute(const ShellExecuteRequest& request) override;
  // Owned by the active window, which is disabled while the browser is up.
  std::optional<std::string> BrowseForFolder(int rootCsidl, const std::string& title) override;
};

}  // namespace vlt::win32
