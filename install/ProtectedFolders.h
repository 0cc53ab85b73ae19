#pragma once
// The folders that belong to Windows or to its users as a whole. None of
// them is ever the product's own: the install refuses each one itself as its
// directory (a folder below one is fine), and the uninstaller neither deletes
// other files in one nor removes it.
#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace vlt {

class Shell;

class ProtectedFolders {
 public:
  // Looks the folders up once: every shell folder of the user and of the
  // machine, the known folders without a shell folder number (Public,
  // Downloads ...), the 64-bit Program Files folders, and the folder that
  // holds the users' profiles.
  ProtectedFolders(Shell& shell, FileSystem& fs);

  // True when `folder` is a volume root or, decided by identity so that no
  // other spelling, short name or drive letter (subst) gets past it:
  // - one of the folders above;
  // - a profile: any folder directly in the profiles' folder (another
  //   user's, Public, Default);
  // - the folder at the same place in another user's profile as one of this
  //   user's known folders in this one's (that user's Desktop, Documents).
  // Other folders directly in this user's profile are not: an install there
  // ("C:\Users\Anna\VelTori Advanced") is the product's own. A folder that
  // does not exist is none of them.
  bool Contains(const std::string& folder) const;

 private:
  FileSystem& fs_;
  std::vector<FileIdentity> folders_;
  std::optional<FileIdentity> profiles_;
  // This user's known folders inside the profile, relative to it ("Desktop",
  // "AppData\Roaming").
  std::vector<std::string> inProfile_;
};

}  // namespace vlt
