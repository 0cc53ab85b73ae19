#include "platform/win32/Win32Processes.h"

#include <cwchar>

#include "platform/win32/Handles.h"
#include "platform/win32/SystemMessage.h"
#include "platform/portable/Utf16.h"

#include <tlhelp32.h>

namespace vlt::win32 {

std::vector<ProcessInfo> Win32Processes::List() {
  std::vector<ProcessInfo> processes;
  const UniqueFileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return processes;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more;
       more = ::Process32NextW(snapshot.Get(), &entry)) {
    const std::size_t length = ::wcsnlen(entry.szExeFile, MAX_PATH);
    processes.push_back({entry.th32ProcessID, WideToUtf8({entry.szExeFile, length})});
  }
  return processes;
}

Status Win32Processes::Terminate(std::uint32_t id, std::uint32_t exitCode) {
  const UniqueKernelHandle process(::OpenProcess(PROCESS_TERMINATE, FALSE, id));
  if (!process || !::TerminateProcess(process.Get(), exitCode)) {
    return SystemFailure(Attempt::EndProcess, std::to_string(id), ::GetLastError());
  }
  return {};
}

}  // namespace vlt::win32
