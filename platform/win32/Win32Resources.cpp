#include "platform/win32/Win32Resources.h"

#include "platform/portable/Utf16.h"
#include "platform/win32/WinApi.h"

namespace vlt::win32 {

std::optional<std::span<const std::uint8_t>> ExecutableResource(LPCWSTR name, LPCWSTR type) {
  const HRSRC info = ::FindResourceW(nullptr, name, type);
  if (info == nullptr) return std::nullopt;
  const HGLOBAL loaded = ::LoadResource(nullptr, info);
  const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
  if (bytes == nullptr) return std::nullopt;
  return std::span<const std::uint8_t>(static_cast<const std::uint8_t*>(bytes),
                                       ::SizeofResource(nullptr, info));
}

std::optional<std::span<const std::uint8_t>> Win32Resources::Data(const std::string& name) {
  if (name.empty()) return std::nullopt;
  return ExecutableResource(Utf8ToWide(name).c_str(), RT_RCDATA);
}

}  // namespace vlt::win32
