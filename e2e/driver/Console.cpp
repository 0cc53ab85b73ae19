#include "Console.h"

#include <windows.h>

#include <string>

#include "Wide.h"

namespace vltdrive {
namespace {

void WriteAll(DWORD which, std::string_view text) {
  HANDLE handle = GetStdHandle(which);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
  // A real console wants UTF-16; pipes and files (the harness) get the bytes.
  DWORD mode = 0;
  if (GetConsoleMode(handle, &mode)) {
    std::wstring wide = ToWide(text);
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  while (!text.empty()) {
    DWORD written = 0;
    if (!WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) || written == 0) {
      return;
    }
    text.remove_prefix(written);
  }
}

}  // namespace

void Print(std::string_view text) { WriteAll(STD_OUTPUT_HANDLE, text); }

void PrintLine(std::string_view text) {
  std::string line(text);
  line += '\n';
  WriteAll(STD_OUTPUT_HANDLE, line);
}

void PrintError(std::string_view text) {
  std::string line(text);
  line += '\n';
  WriteAll(STD_ERROR_HANDLE, line);
}

}  // namespace vltdrive
