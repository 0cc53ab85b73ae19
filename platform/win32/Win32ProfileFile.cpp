#include "platform/win32/Win32ProfileFile.h"

#include "platform/win32/SystemMessage.h"
#include "platform/portable/Utf16.h"
#include "platform/win32/WinApi.h"

namespace vlt::win32 {

std::string Win32ProfileFile::ReadString(const std::string& path, const std::string& section,
                                         const std::string& key,
                                         const std::string& defaultValue) {
  const std::wstring widePath = Utf8ToWide(path);
  const std::wstring wideSection = Utf8ToWide(section);
  const std::wstring wideKey = Utf8ToWide(key);
  const std::wstring wideDefault = Utf8ToWide(defaultValue);
  // A value that fills the buffer comes back cut to size - 1: grow and retry.
  std::wstring buffer(256, L'\0');
  for (;;) {
    const DWORD length = ::GetPrivateProfileStringW(
        wideSection.c_str(), wideKey.c_str(), wideDefault.c_str(), buffer.data(),
        static_cast<DWORD>(buffer.size()), widePath.c_str());
    if (length + 1 < buffer.size() || buffer.size() >= 1 << 20) {
      buffer.resize(length);
      return WideToUtf8(buffer);
    }
    buffer.resize(buffer.size() * 4);
  }
}

Status Win32ProfileFile::WriteString(const std::string& path, const std::string& section,
                                     const std::string& key, const std::string& value) {
  if (!::WritePrivateProfileStringW(Utf8ToWide(section).c_str(), Utf8ToWide(key).c_str(),
                                    Utf8ToWide(value).c_str(), Utf8ToWide(path).c_str())) {
    return SystemFailure(Attempt::WriteProfile, path, ::GetLastError());
  }
  return {};
}

void Win32ProfileFile::Flush(const std::string& path) {
  // All three names null: write the cached file to disk. Nothing to report
  // when there is nothing cached.
  ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, Utf8ToWide(path).c_str());
}

}  // namespace vlt::win32
