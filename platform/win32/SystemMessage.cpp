#include "platform/win32/SystemMessage.h"

#include "platform/win32/Handles.h"
#include "platform/portable/Utf16.h"

namespace vlt::win32 {

std::string SystemMessage(std::uint32_t code) {
  wchar_t* text = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  const UniqueLocalMemory owner(text);
  std::wstring message(text != nullptr ? text : L"", length);
  while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' ||
                              message.back() == L' ')) {
    message.pop_back();
  }
  if (!message.empty()) return WideToUtf8(message);

  // HRESULTs read best in hexadecimal, plain error numbers in decimal.
  std::string digits;
  const bool hex = code > 0xFFFF;
  for (std::uint32_t rest = code; rest != 0 || digits.empty(); rest /= hex ? 16 : 10) {
    digits.insert(digits.begin(), "0123456789ABCDEF"[rest % (hex ? 16 : 10)]);
  }
  return "System error " + (hex ? "0x" + digits : digits);
}

Failure SystemFailure(Attempt attempt, const std::string& subject, std::uint32_t code) {
  return Failure{attempt, subject, code};
}

}  // namespace vlt::win32
