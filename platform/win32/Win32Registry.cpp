#include "platform/win32/Win32Registry.h"

#include "platform/win32/Handles.h"
#include "platform/win32/SystemMessage.h"
#include "platform/portable/Utf16.h"

namespace vlt::win32 {
namespace {

constexpr REGSAM kAccess = KEY_ALL_ACCESS | KEY_WOW64_32KEY;

// Opens `key` into `handle`, creating it and its missing parents.
Status CreateOrOpen(const std::string& key, UniqueRegKey& handle) {
  const LSTATUS status = ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, Utf8ToWide(key).c_str(), 0, nullptr,
                                           REG_OPTION_NON_VOLATILE, kAccess, nullptr,
                                           handle.put(), nullptr);
  if (status != ERROR_SUCCESS) {
    return SystemFailure(Attempt::WriteRegistry, key, static_cast<std::uint32_t>(status));
  }
  return {};
}

// Opens an existing `key`; an empty owner when that fails.
UniqueRegKey OpenExisting(const std::string& key) {
  UniqueRegKey handle;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, Utf8ToWide(key).c_str(), 0, kAccess, handle.put()) !=
      ERROR_SUCCESS) {
    handle.Reset();
  }
  return handle;
}

}  // namespace

Status Win32Registry::CreateKey(const std::string& key) {
  UniqueRegKey handle;
  return CreateOrOpen(key, handle);
}

Status Win32Registry::WriteString(const std::string& key, const std::string& name,
                                  const std::string& value) {
  UniqueRegKey handle;
  VLT_RETURN_IF_FAILED(CreateOrOpen(key, handle));
  const std::wstring data = Utf8ToWide(value);
  const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));  // with its NUL
  const LSTATUS status = ::RegSetValueExW(handle.Get(), Utf8ToWide(name).c_str(), 0, REG_SZ,
                                          reinterpret_cast<const BYTE*>(data.c_str()), bytes);
  if (status != ERROR_SUCCESS) {
    return SystemFailure(Attempt::WriteRegistry, key, static_cast<std::uint32_t>(status));
  }
  return {};
}

Status Win32Registry::DeleteValue(const std::string& key, const std::string& name) {
  const UniqueRegKey handle = OpenExisting(key);
  const LSTATUS status = handle ? ::RegDeleteValueW(handle.Get(), Utf8ToWide(name).c_str())
                                : ERROR_FILE_NOT_FOUND;
  if (status != ERROR_SUCCESS) {
    return SystemFailure(Attempt::DeleteRegistry, key, static_cast<std::uint32_t>(status));
  }
  return {};
}

Status Win32Registry::DeleteKeyTree(const std::string& key, const std::string& subKey) {
  const UniqueRegKey handle = subKey.empty() ? UniqueRegKey() : OpenExisting(key);
  const LSTATUS status = handle ? ::RegDeleteTreeW(handle.Get(), Utf8ToWide(subKey).c_str())
                                : ERROR_FILE_NOT_FOUND;
  if (status != ERROR_SUCCESS) {
    return SystemFailure(Attempt::DeleteRegistry, key, static_cast<std::uint32_t>(status));
  }
  return {};
}

bool Win32Registry::ValueExists(const std::string& key, const std::string& name) {
  const UniqueRegKey handle = OpenExisting(key);
  return handle && ::RegQueryValueExW(handle.Get(), Utf8ToWide(name).c_str(), nullptr, nullptr,
                                      nullptr, nullptr) == ERROR_SUCCESS;
}

std::optional<std::string> Win32Registry::ReadString(const std::string& key,
                                                     const std::string& name) {
  UniqueRegKey handle;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, Utf8ToWide(key).c_str(), 0,
                      KEY_QUERY_VALUE | KEY_WOW64_32KEY, handle.put()) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  const std::wstring wideName = Utf8ToWide(name);
  // REG_EXPAND_SZ data comes expanded, as REG_SZ.
  constexpr DWORD kStrings = RRF_RT_REG_SZ;
  DWORD bytes = 0;
  if (::RegGetValueW(handle.Get(), nullptr, wideName.c_str(), kStrings, nullptr, nullptr,
                     &bytes) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  // The value may grow between the two calls: ask again with the new size.
  for (int tries = 0; tries < 3; ++tries) {
    std::wstring data(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    const LSTATUS status = ::RegGetValueW(handle.Get(), nullptr, wideName.c_str(), kStrings,
                                          nullptr, data.data(), &bytes);
    if (status == ERROR_SUCCESS) {
      data.resize(::wcsnlen(data.c_str(), data.size()));
      return WideToUtf8(data);
    }
    if (status != ERROR_MORE_DATA) break;
  }
  return std::nullopt;
}

bool Win32Registry::KeyExists(const std::string& key) { return static_cast<bool>(OpenExisting(key)); }

}  // namespace vlt::win32
