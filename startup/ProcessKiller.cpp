#include "startup/ProcessKiller.h"

#include "common/Paths.h"

namespace vlt {

bool ExeNameMatches(std::string_view exeField, std::string_view exeName) {
  return AsciiEqualNoCase(ExtractFileName(exeField), exeName) ||
         AsciiEqualNoCase(exeField, exeName);
}

bool KillProcessesByExeName(Processes& processes, std::string_view exeName) {
  bool result = false;
  for (const ProcessInfo& process : processes.List()) {
    if (ExeNameMatches(process.exeFile, exeName)) result = processes.Terminate(process.id, 0).Ok();
  }
  return result;
}

}  // namespace vlt
