#include "platform/win32/Win32FileSystem.h"

#include <algorithm>

#include "common/Paths.h"
#include "platform/portable/DirectoryChain.h"
#include "platform/win32/Handles.h"
#include "platform/win32/SystemMessage.h"
#include "platform/portable/Utf16.h"

#include <ntsecapi.h>  // RtlGenRandom; needs <windows.h> first

namespace vlt::win32 {

Status Win32FileSystem::ForceDirectories(const std::string& dir) {
  if (ExcludeTrailingBackslash(dir).empty()) {
    return Failure{"Unable to create directory", ERROR_PATH_NOT_FOUND};
  }
  if (DirectoryExists(dir)) return {};
  for (const std::string& level : DirectoryChain(dir)) {
    if (DirectoryExists(level) || ::CreateDirectoryW(Utf8ToWide(level).c_str(), nullptr)) continue;
    const DWORD error = ::GetLastError();
    // Made meanwhile by someone else: that is what was asked for.
    if (!DirectoryExists(level)) return SystemFailure(error);
  }
  return {};
}

bool Win32FileSystem::DirectoryExists(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesW(Utf8ToWide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32FileSystem::IsReparsePoint(const std::string& path) {
  // Without its trailing backslash the name is the link's own; a drive root
  // keeps it ("C:" alone would be that drive's current directory).
  std::string own = ExcludeTrailingBackslash(path);
  if (own.size() == 2 && own[1] == ':') own += '\\';
  const DWORD attributes = ::GetFileAttributesW(Utf8ToWide(own).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

std::vector<DirEntry> Win32FileSystem::Find(const std::string& pattern) {
  std::vector<DirEntry> entries;
  WIN32_FIND_DATAW data;
  const UniqueFindHandle search(::FindFirstFileExW(Utf8ToWide(pattern).c_str(),
                                                   FindExInfoStandard, &data,
                                                   FindExSearchNameMatch, nullptr, 0));
  if (!search) return entries;
  do {
    entries.push_back({WideToUtf8(data.cFileName),
                       (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                       (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
  } while (::FindNextFileW(search.Get(), &data));
  return entries;
}

bool Win32FileSystem::DeleteFile(const std::string& path) {
  return ::DeleteFileW(Utf8ToWide(path).c_str()) != FALSE;
}

bool Win32FileSystem::RemoveDirectory(const std::string& path) {
  return ::RemoveDirectoryW(Utf8ToWide(path).c_str()) != FALSE;
}

bool Win32FileSystem::CopyFile(const std::string& from, const std::string& to) {
  return ::CopyFileW(Utf8ToWide(from).c_str(), Utf8ToWide(to).c_str(), FALSE) != FALSE;
}

std::optional<std::uint64_t> Win32FileSystem::FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExW(Utf8ToWide(path).c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return std::nullopt;
  }
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool Win32FileSystem::SetNormalAttributes(const std::string& path) {
  return ::SetFileAttributesW(Utf8ToWide(path).c_str(), FILE_ATTRIBUTE_NORMAL) != FALSE;
}

namespace {

// Writes `data` to a file opened with `disposition`; on a failed write the
// file is closed and deleted again, so that no cut file stays behind.
Status WriteWholeFile(const std::string& path, std::span<const std::uint8_t> data,
                    DWORD disposition) {
  const std::wstring widePath = Utf8ToWide(path);
  DWORD error = ERROR_SUCCESS;
  {
    const UniqueFileHandle file(::CreateFileW(widePath.c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                              nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                                              nullptr));
    if (!file) return SystemFailure(::GetLastError());
    while (!data.empty() && error == ERROR_SUCCESS) {
      const auto chunk = static_cast<DWORD>(std::min<std::size_t>(data.size(), 1u << 30));
      DWORD written = 0;
      if (!::WriteFile(file.Get(), data.data(), chunk, &written, nullptr)) {
        error = ::GetLastError();
      } else if (written == 0) {
        error = ERROR_WRITE_FAULT;  // would loop for ever
      } else {
        data = data.subspan(written);
      }
    }
  }
  if (error != ERROR_SUCCESS) {
    ::DeleteFileW(widePath.c_str());
    return SystemFailure(error);
  }
  return {};
}

}  // namespace

Status Win32FileSystem::WriteFile(const std::string& path, std::span<const std::uint8_t> data) {
  return WriteWholeFile(path, data, CREATE_ALWAYS);
}

Status Win32FileSystem::WriteNewFile(const std::string& path,
                                     std::span<const std::uint8_t> data) {
  return WriteWholeFile(path, data, CREATE_NEW);
}

std::optional<FileIdentity> Win32FileSystem::Identity(const std::string& path) {
  // Only the attributes are read; backup semantics open a folder too.
  const UniqueFileHandle file(::CreateFileW(
      Utf8ToWide(path).c_str(), FILE_READ_ATTRIBUTES,
      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
      FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info;
  if (!file || !::GetFileInformationByHandle(file.Get(), &info)) return std::nullopt;
  return FileIdentity{
      .volume = info.dwVolumeSerialNumber,
      .file = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

std::uint32_t Win32FileSystem::UnforeseeableNumber() {
  std::uint32_t number = 0;
  // Fails only where the system has no generator at all; the counter below
  // still makes the next name another one.
  static std::uint32_t calls = 0;
  if (!::RtlGenRandom(&number, sizeof(number))) number = ::GetTickCount() ^ ++calls;
  return number;
}

std::string Win32FileSystem::ShortPathName(const std::string& path) {
  const std::wstring longPath = Utf8ToWide(path);
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetShortPathNameW(longPath.c_str(), buffer.data(),
                                             static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return WideToUtf8(buffer);
    }
    buffer.resize(length);  // the size it needs, its NUL included
  }
}

std::optional<std::string> Win32FileSystem::ToOemCodePage(const std::string& text) {
  // A system set to use UTF-8 as its OEM code page reads the text as it is.
  if (::GetOEMCP() == CP_UTF8) return text;
  const std::wstring wide = Utf8ToWide(text);
  if (wide.empty()) return std::string();
  const auto wideLength = static_cast<int>(wide.size());
  BOOL usedDefault = FALSE;
  const int length = ::WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength,
                                           nullptr, 0, nullptr, &usedDefault);
  if (length <= 0 || usedDefault) return std::nullopt;
  std::string result(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, result.data(),
                        length, nullptr, &usedDefault);
  if (usedDefault) return std::nullopt;
  return result;
}

}  // namespace vlt::win32
