#pragma once
// The Windows shell: special folders, shell links, starting documents and
// programs, and the folder browser.
#include <optional>
#include <string>
#include <vector>

#include "common/Result.h"

namespace vlt {

// Shell special-folder numbers (CSIDL_ constants).
namespace csidl {
inline constexpr int kDesktop = 0x0000;
inline constexpr int kPrograms = 0x0002;
inline constexpr int kPersonal = 0x0005;  // Documents
inline constexpr int kFavorites = 0x0006;
inline constexpr int kStartup = 0x0007;
inline constexpr int kRecent = 0x0008;
inline constexpr int kSendTo = 0x0009;
inline constexpr int kStartMenu = 0x000b;
inline constexpr int kMyMusic = 0x000d;
inline constexpr int kMyVideo = 0x000e;
inline constexpr int kDesktopDirectory = 0x0010;
inline constexpr int kDrives = 0x0011;
inline constexpr int kNetHood = 0x0013;
inline constexpr int kFonts = 0x0014;
inline constexpr int kTemplates = 0x0015;
inline constexpr int kCommonStartMenu = 0x0016;
inline constexpr int kCommonPrograms = 0x0017;
inline constexpr int kCommonStartup = 0x0018;
inline constexpr int kCommonDesktopDirectory = 0x0019;
inline constexpr int kAppData = 0x001a;
inline constexpr int kPrintHood = 0x001b;
inline constexpr int kLocalAppData = 0x001c;
inline constexpr int kCommonFavorites = 0x001f;
inline constexpr int kInternetCache = 0x0020;
inline constexpr int kCookies = 0x0021;
inline constexpr int kHistory = 0x0022;
inline constexpr int kCommonAppData = 0x0023;
inline constexpr int kWindows = 0x0024;
inline constexpr int kSystem = 0x0025;
inline constexpr int kProgramFiles = 0x0026;
inline constexpr int kMyPictures = 0x0027;
inline constexpr int kProfile = 0x0028;
inline constexpr int kSystemX86 = 0x0029;
inline constexpr int kProgramFilesX86 = 0x002a;
inline constexpr int kProgramFilesCommon = 0x002b;
inline constexpr int kProgramFilesCommonX86 = 0x002c;
inline constexpr int kCommonTemplates = 0x002d;
inline constexpr int kCommonDocuments = 0x002e;
inline constexpr int kCommonAdminTools = 0x002f;
inline constexpr int kAdminTools = 0x0030;
inline constexpr int kCommonMusic = 0x0035;
inline constexpr int kCommonPictures = 0x0036;
inline constexpr int kCommonVideo = 0x0037;
inline constexpr int kResources = 0x0038;
inline constexpr int kCdBurnArea = 0x003b;
}  // namespace csidl

// Folders of the user or the machine that have no shell folder number.
enum class KnownFolder {
  UserProfiles,     // the folder that holds the profiles (C:\Users)
  Public,           // the profile all users share (C:\Users\Public)
  PublicDownloads,
  Downloads,
  SavedGames,
  Links,
  Contacts,
  SavedSearches,
  Objects3D,
  OneDrive,
  UserProgramFiles, // the user's own programs folder
  // The machine's 64-bit Program Files folders. A 32-bit program on 64-bit
  // Windows has no shell folder for them (it is shown the "(x86)" ones).
  ProgramFiles64,
  CommonFiles64,
};
inline constexpr KnownFolder kKnownFolders[] = {
    KnownFolder::UserProfiles,  KnownFolder::Public,        KnownFolder::PublicDownloads, KnownFolder::Downloads,
    KnownFolder::SavedGames,    KnownFolder::Links,           KnownFolder::Contacts,
    KnownFolder::SavedSearches, KnownFolder::Objects3D,       KnownFolder::OneDrive,
    KnownFolder::UserProgramFiles, KnownFolder::ProgramFiles64, KnownFolder::CommonFiles64};

struct ShellLinkData {
  std::string target;
  std::string arguments;  // may be empty; set even then
  std::string workingDirectory;
};

struct ShellExecuteRequest {
  std::string verb;
  std::string file;
  std::optional<std::string> parameters;  // nullopt: none passed; "": empty text
  std::optional<std::string> directory;
  int showCommand = 1;
};

class Shell {
 public:
  virtual ~Shell() = default;
  // The file-system path of a special folder as the shell reports it, or ""
  // when it has none.
  virtual std::string FolderPath(int csidl) = 0;
  // The file-system path of a known folder, or "" when this Windows has none
  // (or the folder does not exist).
  virtual std::string KnownFolderPath(KnownFolder folder) = 0;
  // The profile folder of every user the machine knows (its profile list),
  // as the system stores it; those it cannot read are left out.
  virtual std::vector<std::string> UserProfiles() = 0;
  // Writes a shortcut file through the shell link object. Fails when the
  // object cannot be created or lacks an interface; a shortcut that
  // cannot be saved is silently missing.
  virtual Status SaveShellLink(const std::string& linkFile, const ShellLinkData& link) = 0;
  // The target path a shortcut file names, as stored; nullopt when the file
  // cannot be read as a shortcut or names no file-system path (a web site).
  virtual std::optional<std::string> ShellLinkTarget(const std::string& linkFile) = 0;
  // Starts a program or opens a document, without waiting for it.
  virtual Status Execute(const ShellExecuteRequest& request) = 0;
  // Shows the modal folder browser rooted at `rootCsidl` (file-system folders
  // only). The chosen folder's path, or nullopt when nothing was chosen, the
  // choice has no file-system path or the root cannot be found.
  virtual std::optional<std::string> BrowseForFolder(int rootCsidl, const std::string& title) = 0;
};

// The file-system path of a special folder (csidl:: numbers) without a
// trailing backslash; "" when the shell cannot resolve the folder to one.
std::string SpecialFolderPath(Shell& shell, int csidl);

}  // namespace vlt
