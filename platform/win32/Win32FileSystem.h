#pragma once
// The file system through the wide Windows functions.
#include "platform/FileSystem.h"

namespace vlt::win32 {

class Win32FileSystem : public FileSystem {
 public:
  // Fails with the system's message when a directory cannot be
  // created; drive roots and UNC shares are taken as given (DirectoryChain).
  Status ForceDirectories(const std::string& dir) override;
  bool DirectoryExists(const std::string& path) override;
  bool IsReparsePoint(const std::string& path) override;
  std::vector<DirEntry> Find(const std::string& pattern) override;
  Status DeleteFile(const std::string& path) override;
  Status RemoveDirectory(const std::string& path) override;
  Status CopyFile(const std::string& from, const std::string& to) override;
  std::optional<std::uint64_t> FileSize(const std::string& path) override;
  Status SetNormalAttributes(const std::string& path) override;
  Status WriteFile(const std::string& path, std::span<const std::uint8_t> data) override;
  Status WriteNewFile(const std::string& path, std::span<const std::uint8_t> data) override;
  // The volume serial number and 128-bit file id of the opened file or
  // folder; the 64-bit file index where the file system has no such id.
  std::optional<FileIdentity> Identity(const std::string& path) override;
  bool Gone(const std::string& path) override;
  bool HoldsBytes(const std::string& path, std::span<const std::uint8_t> bytes) override;
  // RtlGenRandom: the system's random generator, without a crypto provider.
  // Looked up when first needed, after start-up has limited where DLLs are
  // loaded from: advapi32 forwards it to cryptbase.dll, which is no known
  // DLL, so an import would have it found beside the program first.
  std::uint32_t UnforeseeableNumber() override;
  std::string ShortPathName(const std::string& path) override;
  std::optional<std::string> ToOemCodePage(const std::string& text) override;
};

}  // namespace vlt::win32
