#include "platform/win32/Win32Shell.h"

#include "platform/win32/Handles.h"
#include "platform/win32/SystemMessage.h"
#include "platform/portable/Utf16.h"

#include <shellapi.h>

namespace vlt::win32 {
namespace {

// The shell link class. Named here rather than taken from the uuid library,
// whose one object file brings every GUID it knows into the executable.
constexpr CLSID kShellLinkClass = {0x00021401, 0x0000, 0x0000,
                                   {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Known folder ids, named here for the same reason.
constexpr GUID kUserProfiles = {0x0762d272, 0xc50a, 0x4bb0,
                                {0xa3, 0x82, 0x69, 0x7d, 0xcd, 0x72, 0x9b, 0x80}};
constexpr GUID kPublic = {0xdfdf76a2, 0xc82a, 0x4d63, {0x90, 0x6a, 0x56, 0x44, 0xac, 0x45, 0x73, 0x85}};
constexpr GUID kPublicDownloads = {0x3d644c9b, 0x1fb8, 0x4f30,
                                   {0x9b, 0x45, 0xf6, 0x70, 0x23, 0x5f, 0x79, 0xc0}};
constexpr GUID kDownloads = {0x374de290, 0x123f, 0x4565, {0x91, 0x64, 0x39, 0xc4, 0x92, 0x5e, 0x46, 0x7b}};
constexpr GUID kSavedGames = {0x4c5c32ff, 0xbb9d, 0x43b0, {0xb5, 0xb4, 0x2d, 0x72, 0xe5, 0x4e, 0xaa, 0xa4}};
constexpr GUID kLinks = {0xbfb9d5e0, 0xc6a9, 0x404c, {0xb2, 0xb2, 0xae, 0x6d, 0xb6, 0xaf, 0x49, 0x68}};
constexpr GUID kContacts = {0x56784854, 0xc6cb, 0x462b, {0x81, 0x69, 0x88, 0xe3, 0x50, 0xac, 0xb8, 0x82}};
constexpr GUID kSavedSearches = {0x7d1d3a04, 0xdebb, 0x4115,
                                 {0x95, 0xcf, 0x2f, 0x29, 0xda, 0x29, 0x20, 0xda}};
constexpr GUID kObjects3D = {0x31c0dd25, 0x9439, 0x4f12, {0xbf, 0x41, 0x7f, 0xf4, 0xed, 0xa3, 0x87, 0x22}};
constexpr GUID kOneDrive = {0xa52bba46, 0xe9e1, 0x435f, {0xb3, 0xd9, 0x28, 0xda, 0xa6, 0x48, 0xc0, 0xf6}};
constexpr GUID kUserProgramFiles = {0x5cd7aee2, 0x2219, 0x4a67,
                                    {0xb8, 0x5d, 0x6c, 0x9c, 0xe1, 0x56, 0x60, 0xcb}};

// A string value of the machine's 64-bit registry view (on 32-bit Windows,
// of its only view), environment variables expanded; "" when unreadable.
std::string Machine64BitValue(const wchar_t* key, const wchar_t* name) {
  UniqueRegKey handle;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY,
                      handle.put()) != ERROR_SUCCESS) {
    return {};
  }
  wchar_t data[MAX_PATH] = {};
  DWORD bytes = sizeof(data) - sizeof(wchar_t);  // room for a NUL the data may lack
  if (::RegGetValueW(handle.Get(), nullptr, name, RRF_RT_REG_SZ, nullptr,
                     data, &bytes) != ERROR_SUCCESS) {
    return {};
  }
  return WideToUtf8(data);
}

// The file-system path of an item list, or "" when it has none.
std::string PathOf(PCIDLIST_ABSOLUTE item) {
  wchar_t path[MAX_PATH] = {};
  if (!::SHGetPathFromIDListW(item, path)) return {};
  return WideToUtf8(path);
}

}  // namespace

std::string Win32Shell::FolderPath(int csidl) {
  UniquePidl folder;
  if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, folder.put()))) return {};
  return PathOf(folder.Get());
}

std::vector<std::string> Win32Shell::UserProfiles() {
  std::vector<std::string> profiles;
  UniqueRegKey list;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE,
                      L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList", 0,
                      KEY_READ | KEY_WOW64_64KEY, list.put()) != ERROR_SUCCESS) {
    return profiles;
  }
  wchar_t sid[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = static_cast<DWORD>(std::size(sid));
    const LSTATUS status =
        ::RegEnumKeyExW(list.Get(), index, sid, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_MORE_DATA) continue;  // no profile has such a name
    if (status != ERROR_SUCCESS) break;
    wchar_t stored[MAX_PATH] = {};
    DWORD bytes = sizeof(stored) - sizeof(wchar_t);
    if (::RegGetValueW(list.Get(), sid, L"ProfileImagePath",
                       RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, stored,
                       &bytes) != ERROR_SUCCESS) {
      continue;
    }
    // Stored as "%SystemDrive%\\Users\\Anna".
    wchar_t path[MAX_PATH] = {};
    const DWORD expanded = ::ExpandEnvironmentStringsW(stored, path, MAX_PATH);
    if (expanded > 1 && expanded <= MAX_PATH) profiles.push_back(WideToUtf8(path));
  }
  return profiles;
}

std::string Win32Shell::KnownFolderPath(KnownFolder folder) {
  constexpr wchar_t kCurrentVersion[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
  const GUID* id = nullptr;
  switch (folder) {
    case KnownFolder::ProgramFiles64: return Machine64BitValue(kCurrentVersion, L"ProgramFilesDir");
    case KnownFolder::CommonFiles64: return Machine64BitValue(kCurrentVersion, L"CommonFilesDir");
    case KnownFolder::UserProfiles: id = &kUserProfiles; break;
    case KnownFolder::Public: id = &kPublic; break;
    case KnownFolder::PublicDownloads: id = &kPublicDownloads; break;
    case KnownFolder::Downloads: id = &kDownloads; break;
    case KnownFolder::SavedGames: id = &kSavedGames; break;
    case KnownFolder::Links: id = &kLinks; break;
    case KnownFolder::Contacts: id = &kContacts; break;
    case KnownFolder::SavedSearches: id = &kSavedSearches; break;
    case KnownFolder::Objects3D: id = &kObjects3D; break;
    case KnownFolder::OneDrive: id = &kOneDrive; break;
    case KnownFolder::UserProgramFiles: id = &kUserProgramFiles; break;
  }
  UniqueCoTaskString path;
  if (id == nullptr || FAILED(::SHGetKnownFolderPath(*id, 0, nullptr, path.put()))) return {};
  return WideToUtf8(path.Get());
}

Status Win32Shell::SaveShellLink(const std::string& linkFile, const ShellLinkData& link) {
  ComPtr<IUnknown> object;
  HRESULT result = ::CoCreateInstance(kShellLinkClass, nullptr,
                                      CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                      __uuidof(IUnknown), object.put_void());
  if (FAILED(result)) {
    return SystemFailure(Attempt::CreateShellLink, linkFile, static_cast<std::uint32_t>(result));
  }
  ComPtr<IShellLinkW> shellLink;
  result = object->QueryInterface(__uuidof(IShellLinkW), shellLink.put_void());
  if (FAILED(result)) {
    return SystemFailure(Attempt::CreateShellLink, linkFile, static_cast<std::uint32_t>(result));
  }
  ComPtr<IPersistFile> file;
  result = object->QueryInterface(__uuidof(IPersistFile), file.put_void());
  if (FAILED(result)) {
    return SystemFailure(Attempt::CreateShellLink, linkFile, static_cast<std::uint32_t>(result));
  }

  // A shortcut that cannot be written is simply missing: results unchecked.
  shellLink->SetArguments(Utf8ToWide(link.arguments).c_str());
  shellLink->SetPath(Utf8ToWide(link.target).c_str());
  shellLink->SetWorkingDirectory(Utf8ToWide(link.workingDirectory).c_str());
  file->Save(Utf8ToWide(linkFile).c_str(), FALSE);
  // Released in reverse order of acquisition: file, link, then the object.
  return {};
}

std::optional<std::string> Win32Shell::ShellLinkTarget(const std::string& linkFile) {
  ComPtr<IShellLinkW> shellLink;
  if (FAILED(::CoCreateInstance(kShellLinkClass, nullptr, CLSCTX_INPROC_SERVER,
                                __uuidof(IShellLinkW), shellLink.put_void()))) {
    return std::nullopt;
  }
  ComPtr<IPersistFile> file;
  if (FAILED(shellLink->QueryInterface(__uuidof(IPersistFile), file.put_void())) ||
      FAILED(file->Load(Utf8ToWide(linkFile).c_str(), STGM_READ))) {
    return std::nullopt;
  }
  // The path as stored: nothing is resolved or searched for.
  wchar_t target[MAX_PATH] = {};
  if (shellLink->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH) != S_OK || target[0] == 0) {
    return std::nullopt;
  }
  return WideToUtf8(target);
}

Status Win32Shell::Execute(const ShellExecuteRequest& request) {
  const std::wstring verb = Utf8ToWide(request.verb);
  const std::wstring file = Utf8ToWide(request.file);
  const std::wstring parameters = Utf8ToWide(request.parameters.value_or(""));
  const std::wstring directory = Utf8ToWide(request.directory.value_or(""));
  const auto result = reinterpret_cast<std::intptr_t>(
      ::ShellExecuteW(nullptr, verb.empty() ? nullptr : verb.c_str(), file.c_str(),
                      request.parameters ? parameters.c_str() : nullptr,
                      request.directory ? directory.c_str() : nullptr, request.showCommand));
  // Above 32 it worked; below, the value is an error code of its own kind.
  if (result <= 32) return SystemFailure(Attempt::StartProgram, request.file, ::GetLastError());
  return {};
}

std::optional<std::string> Win32Shell::BrowseForFolder(int rootCsidl, const std::string& title) {
  const HWND owner = ::GetActiveWindow();
  UniquePidl root;
  if (FAILED(::SHGetSpecialFolderLocation(owner, rootCsidl, root.put()))) return std::nullopt;

  const std::wstring wideTitle = Utf8ToWide(title);
  wchar_t displayName[MAX_PATH] = {};
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.pidlRoot = root.Get();
  info.pszDisplayName = displayName;
  info.lpszTitle = wideTitle.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  const UniquePidl chosen(::SHBrowseForFolderW(&info));
  if (!chosen) return std::nullopt;
  std::string path = PathOf(chosen.Get());
  if (path.empty()) return std::nullopt;
  return path;
}

}  // namespace vlt::win32
