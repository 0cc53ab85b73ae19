// "Save": the three kinds of system entries the setup program leaves
// behind, so the harness's readers (files, INI, registry, shortcuts) can be
// proved on known values.
#include <shlobj.h>
#include <shobjidl.h>

#include "TestApp.h"

namespace vlttestapp {
namespace {

constexpr wchar_t kIniFolder[] = L"C:\\vlttest";
constexpr wchar_t kIniPath[] = L"C:\\vlttest\\settings.ini";
constexpr wchar_t kRegistryKey[] = L"Software\\VelToriTest";

std::wstring OwnPath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

bool SaveShortcut(const std::wstring& language) {
  wchar_t desktop[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop))) return false;
  const std::wstring exe = OwnPath();
  const std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link)))) {
    return false;
  }
  link->SetPath(exe.c_str());
  link->SetArguments((L"--from-link " + language).c_str());
  link->SetWorkingDirectory(folder.c_str());
  link->SetDescription(L"VelTori test link");
  IPersistFile* file = nullptr;
  bool saved = false;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    saved = SUCCEEDED(file->Save((std::wstring(desktop) + L"\\Test App.lnk").c_str(), TRUE));
    file->Release();
  }
  link->Release();
  return saved;
}

bool SaveIni(const std::wstring& language) {
  CreateDirectoryW(kIniFolder, nullptr);
  return WritePrivateProfileStringW(L"Sprache", L"Sprache", language.c_str(), kIniPath) != FALSE;
}

// The 32-bit view on purpose: the setup program writes there, and the
// harness must read it back from a 64-bit build too.
bool SaveRegistry(const std::wstring& language) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kRegistryKey, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  LONG result = RegSetValueExW(key, L"Language", 0, REG_SZ, reinterpret_cast<const BYTE*>(language.c_str()),
                               static_cast<DWORD>((language.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

}  // namespace

std::wstring SaveSettings(const std::wstring& language) {
  std::wstring failed;
  if (!SaveShortcut(language)) failed += L" shortcut";
  if (!SaveIni(language)) failed += L" ini";
  if (!SaveRegistry(language)) failed += L" registry";
  return failed.empty() ? L"saved" : L"save failed:" + failed;
}

}  // namespace vlttestapp
