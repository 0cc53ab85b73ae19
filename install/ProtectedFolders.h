#pragma once
// The folders that belong to Windows or to its users as a whole. None of
// them is ever the product's own: the install refuses each one itself as its
// directory (a folder below one is fine), and the uninstaller neither deletes
// other files in one nor removes it.
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace vlt {

class Shell;

class ProtectedFolders {
 public:
  // Looks the folders up once, each by its identity:
  // - every shell folder of this user and of the machine (wherever this
  //   user's are redirected to), and the known folders without a shell
  //   folder number (Public, Downloads ...);
  // - the 64-bit Program Files folders;
  // - the folder that holds the profiles, every profile the machine's
  //   profile list names, and every folder in the profiles' folder (another
  //   user's, Public, Default);
  // - in every one of those profiles, its standard folders (Desktop,
  //   Documents, Downloads, AppData ...) and the folders at the places where
  //   this user's known folders lie in this user's profile.
  ProtectedFolders(Shell& shell, FileSystem& fs);

  // True when `folder` is a volume root or one of the folders above, by
  // identity: no other spelling, short name, link or drive letter gets past
  // it. A folder that does not exist is none of them. An existing folder
  // whose identity cannot be read is counted as one (it cannot be told
  // apart), and so is every existing folder while one of the folders above
  // exists without an identity to compare with.
  bool Contains(const std::string& folder) const;

 private:
  void Add(const std::string& path);
  void AddProfile(const std::string& profile, const std::vector<std::string>& inProfile);

  FileSystem& fs_;
  std::vector<FileIdentity> folders_;
  bool unidentified_ = false;
};

}  // namespace vlt
