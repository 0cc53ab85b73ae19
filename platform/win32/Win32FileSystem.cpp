#include "platform/win32/Win32FileSystem.h"

#include <algorithm>

#include "common/Paths.h"
#include "platform/portable/DirectoryChain.h"
#include "platform/win32/Handles.h"
#include "platform/win32/SystemMessage.h"
#include "platform/portable/Utf16.h"

namespace vlt::win32 {

Status Win32FileSystem::ForceDirectories(const std::string& dir) {
  if (ExcludeTrailingBackslash(dir).empty()) {
    return SystemFailure(Attempt::CreateDirectory, dir, ERROR_PATH_NOT_FOUND);
  }
  if (DirectoryExists(dir)) return {};
  for (const std::string& level : DirectoryChain(dir)) {
    if (DirectoryExists(level) || ::CreateDirectoryW(Utf8ToWide(level).c_str(), nullptr)) continue;
    const DWORD error = ::GetLastError();
    // Made meanwhile by someone else: that is what was asked for.
    if (!DirectoryExists(level)) return SystemFailure(Attempt::CreateDirectory, level, error);
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

namespace {

// The status of a call that returned `done`, the system's last error if not.
Status Outcome(BOOL done, Attempt attempt, const std::string& subject) {
  if (done) return {};
  return SystemFailure(attempt, subject, ::GetLastError());
}

}  // namespace

Status Win32FileSystem::DeleteFile(const std::string& path) {
  return Outcome(::DeleteFileW(Utf8ToWide(path).c_str()), Attempt::DeleteFile, path);
}

Status Win32FileSystem::RemoveDirectory(const std::string& path) {
  return Outcome(::RemoveDirectoryW(Utf8ToWide(path).c_str()), Attempt::RemoveDirectory, path);
}

Status Win32FileSystem::CopyFile(const std::string& from, const std::string& to) {
  return Outcome(::CopyFileW(Utf8ToWide(from).c_str(), Utf8ToWide(to).c_str(), FALSE),
                 Attempt::CopyFile, to);
}

std::optional<std::uint64_t> Win32FileSystem::FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExW(Utf8ToWide(path).c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return std::nullopt;
  }
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

Status Win32FileSystem::SetNormalAttributes(const std::string& path) {
  return Outcome(::SetFileAttributesW(Utf8ToWide(path).c_str(), FILE_ATTRIBUTE_NORMAL),
                 Attempt::SetAttributes, path);
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
    if (!file) return SystemFailure(Attempt::WriteFile, path, ::GetLastError());
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
    return SystemFailure(Attempt::WriteFile, path, error);
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

namespace {

// FILE_ID_INFO and its class number, from Windows 8's headers, which this
// build's Windows version does not reach.
struct FileIdInfo {
  ULONGLONG VolumeSerialNumber;
  BYTE FileId[16];
};
constexpr auto kFileIdInfoClass = static_cast<FILE_INFO_BY_HANDLE_CLASS>(18);

// An id of all zero bits or all one bits is no id: some file systems give
// it to every file.
bool IsUsableId(std::uint64_t high, std::uint64_t low) {
  return (high | low) != 0 && (high & low) != ~std::uint64_t{0};
}

std::uint64_t LittleEndian64(const BYTE* bytes) {
  std::uint64_t value = 0;
  for (int i = 7; i >= 0; --i) value = (value << 8) | bytes[i];
  return value;
}

// A bare drive ("C:") alone would be that drive's current directory, which
// depends on where the program was started: here it is always the root.
std::wstring WideNoDriveRelative(const std::string& path) {
  std::wstring wide = Utf8ToWide(path);
  if (wide.size() == 2 && wide[1] == L':') wide += L'\\';
  return wide;
}

}  // namespace

std::optional<FileIdentity> Win32FileSystem::Identity(const std::string& path) {
  // Only the attributes are read; backup semantics open a folder too.
  const UniqueFileHandle file(::CreateFileW(
      WideNoDriveRelative(path).c_str(), FILE_READ_ATTRIBUTES,
      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
      FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file) return std::nullopt;
  FileIdentity identity;
  // The 128-bit id where the system has it (Windows 8 on, NTFS and ReFS);
  // otherwise the 64-bit file index, which the same volume then always gives.
  FileIdInfo idInfo;
  BY_HANDLE_FILE_INFORMATION info;
  if (::GetFileInformationByHandleEx(file.Get(), kFileIdInfoClass, &idInfo, sizeof(idInfo))) {
    identity = {.volume = idInfo.VolumeSerialNumber,
                .fileHigh = LittleEndian64(idInfo.FileId + 8),
                .file = LittleEndian64(idInfo.FileId)};
  } else if (::GetFileInformationByHandle(file.Get(), &info)) {
    identity = {.volume = info.dwVolumeSerialNumber,
                .file = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) |
                        info.nFileIndexLow};
  } else {
    return std::nullopt;
  }
  if (!IsUsableId(identity.fileHigh, identity.file)) return std::nullopt;
  return identity;
}

bool Win32FileSystem::Gone(const std::string& path) {
  if (::GetFileAttributesW(WideNoDriveRelative(path).c_str()) != INVALID_FILE_ATTRIBUTES) {
    return false;
  }
  const DWORD error = ::GetLastError();
  // A drive letter nobody has any more reports a path not found as well.
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
         error == ERROR_INVALID_DRIVE;
}

bool Win32FileSystem::HoldsBytes(const std::string& path, std::span<const std::uint8_t> bytes) {
  const UniqueFileHandle file(::CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ,
                                            FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size;
  if (!file || !::GetFileSizeEx(file.Get(), &size) ||
      static_cast<std::uint64_t>(size.QuadPart) != bytes.size()) {
    return false;
  }
  std::uint8_t chunk[16384];
  while (!bytes.empty()) {
    const auto wanted = static_cast<DWORD>(std::min(bytes.size(), sizeof(chunk)));
    DWORD read = 0;
    if (!::ReadFile(file.Get(), chunk, wanted, &read, nullptr) || read != wanted ||
        !std::equal(chunk, chunk + read, bytes.begin())) {
      return false;
    }
    bytes = bytes.subspan(read);
  }
  return true;
}

std::uint32_t Win32FileSystem::UnforeseeableNumber() {
  using GenerateRandomFn = BOOLEAN(WINAPI*)(PVOID, ULONG);
  static GenerateRandomFn generate = [] {
    const HMODULE advapi = ::GetModuleHandleW(L"advapi32.dll");
    const FARPROC proc = advapi != nullptr ? ::GetProcAddress(advapi, "SystemFunction036") : nullptr;
    return reinterpret_cast<GenerateRandomFn>(reinterpret_cast<void (*)()>(proc));
  }();
  std::uint32_t number = 0;
  // Fails only where the system has no generator at all; the counter below
  // still makes the next name another one.
  static std::uint32_t calls = 0;
  if (generate == nullptr || !generate(&number, sizeof(number))) {
    number = ::GetTickCount() ^ ++calls;
  }
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
