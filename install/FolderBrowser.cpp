#include "install/FolderBrowser.h"

#include "common/Paths.h"
#include "install/ProductFiles.h"

namespace vlt {

std::optional<std::string> BrowseForFolder(Shell& shell, int rootCsidl, const std::string& title) {
  std::optional<std::string> chosen = shell.BrowseForFolder(rootCsidl, title);
  if (!chosen || chosen->empty()) return std::nullopt;
  if (chosen->back() != '\\') *chosen += '\\';
  return chosen;
}

std::string InstallDirFromBrowse(const std::string& chosenFolder) {
  return JoinPath(chosenFolder, product::kInstallFolderName);
}

}  // namespace vlt
