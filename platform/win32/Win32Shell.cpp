#include "platform/win32/Win32Shell.h"

#include "platform/Errors.h"
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

[[noreturn]] void RaiseComError(HRESULT result) {
  const auto code = static_cast<std::uint32_t>(result);
  throw ComError(SystemMessage(code), code);
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

void Win32Shell::SaveShellLink(const std::string& linkFile, const ShellLinkData& link) {
  ComPtr<IUnknown> object;
  HRESULT result = ::CoCreateInstance(kShellLinkClass, nullptr,
                                      CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                      __uuidof(IUnknown), object.put_void());
  if (FAILED(result)) RaiseComError(result);
  ComPtr<IShellLinkW> shellLink;
  result = object->QueryInterface(__uuidof(IShellLinkW), shellLink.put_void());
  if (FAILED(result)) RaiseComError(result);
  ComPtr<IPersistFile> file;
  result = object->QueryInterface(__uuidof(IPersistFile), file.put_void());
  if (FAILED(result)) RaiseComError(result);

  // A shortcut that cannot be written is simply missing: results unchecked.
  shellLink->SetArguments(Utf8ToWide(link.arguments).c_str());
  shellLink->SetPath(Utf8ToWide(link.target).c_str());
  shellLink->SetWorkingDirectory(Utf8ToWide(link.workingDirectory).c_str());
  file->Save(Utf8ToWide(linkFile).c_str(), FALSE);
  // Released in reverse order of acquisition: file, link, then the object.
}

void Win32Shell::Execute(const ShellExecuteRequest& request) {
  const std::wstring verb = Utf8ToWide(request.verb);
  const std::wstring file = Utf8ToWide(request.file);
  const std::wstring parameters = Utf8ToWide(request.parameters.value_or(""));
  const std::wstring directory = Utf8ToWide(request.directory.value_or(""));
  ::ShellExecuteW(nullptr, verb.empty() ? nullptr : verb.c_str(), file.c_str(),
                  request.parameters ? parameters.c_str() : nullptr,
                  request.directory ? directory.c_str() : nullptr, request.showCommand);
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
