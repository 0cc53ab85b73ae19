// Processes: the one behind the current window, and others by exe name.
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdlib>

#include "Commands.h"
#include "TextMatch.h"
#include "Wide.h"

namespace vltdrive {
namespace {

// Ids of the running processes whose exe file name (without folder) equals
// `exeName`, ASCII case ignored, as the process list shows them.
std::vector<DWORD> ProcessIdsByExeName(const std::string& exeName) {
  std::vector<DWORD> ids;
  SnapshotHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot.Valid()) throw StepFailure("cannot list processes (CreateToolhelp32Snapshot failed)");
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more; more = Process32NextW(snapshot.Get(), &entry)) {
    std::string name = ToUtf8(entry.szExeFile);
    if (size_t cut = name.find_last_of("\\/:"); cut != std::string::npos) name.erase(0, cut + 1);
    if (EqualsNoCase(name, exeName)) ids.push_back(entry.th32ProcessID);
  }
  return ids;
}

std::string IdList(const std::vector<DWORD>& ids) {
  std::string text;
  for (DWORD id : ids) text += (text.empty() ? "" : ", ") + std::to_string(id);
  return text;
}

HANDLE RequireProcess(const Session& session, const Command& command) {
  RequireWindow(session, command);
  if (!session.process.Valid()) {
    throw StepFailure("the process of " + Quoted(session.windowCaption) + " (id " +
                      std::to_string(session.processId) + ") could not be opened for waiting");
  }
  return session.process.Get();
}

}  // namespace

void WaitExit(Session& session, const Command& command) {
  HANDLE process = RequireProcess(session, command);
  const double timeout = StepTimeout(session, command);
  if (WaitForSingleObject(process, static_cast<DWORD>(timeout * 1000.0)) != WAIT_OBJECT_0) {
    throw StepFailure("the process of " + Quoted(session.windowCaption) + " still runs after " +
                      Seconds(timeout));
  }
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  Say("process " + std::to_string(session.processId) + " ended with exit code " + std::to_string(code));
  if (command.Has("--code") && command.Option("--code") != std::to_string(code)) {
    throw StepFailure("wanted exit code " + command.Option("--code") + ", got " + std::to_string(code));
  }
}

void ExpectRunning(Session& session, const Command& command) {
  HANDLE process = RequireProcess(session, command);
  const double seconds = command.Has("--for") ? ParseSeconds(command.Option("--for"), command) : 0.0;
  if (WaitForSingleObject(process, static_cast<DWORD>(seconds * 1000.0)) != WAIT_TIMEOUT) {
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    throw StepFailure("the process of " + Quoted(session.windowCaption) + " has ended (exit code " +
                      std::to_string(code) + ")");
  }
  if (seconds > 0) Say("still running after " + Seconds(seconds));
}

void ExpectProcess(Session& session, const Command& command) {
  const std::string& name = command.args[0];
  size_t wanted = 0;  // 0: any number but none
  if (command.Has("--count")) {
    const std::string count = command.Option("--count");
    char* end = nullptr;
    long parsed = std::strtol(count.c_str(), &end, 10);
    if (count.empty() || *end != '\0' || parsed < 1) {
      throw ScriptError("step " + std::to_string(command.step) + ": --count takes a number from 1, got " +
                        Quoted(count));
    }
    wanted = static_cast<size_t>(parsed);
  }
  // With --new only processes started after this step began count: a
  // program that runs one after another (a script's pause command) has run
  // again since.
  const bool onlyNew = command.Has("--new");
  std::vector<DWORD> before;
  if (onlyNew) before = ProcessIdsByExeName(name);
  std::vector<DWORD> ids;
  const double timeout = StepTimeout(session, command);
  if (!PollUntil(timeout, [&] {
        ids = ProcessIdsByExeName(name);
        std::erase_if(ids, [&](DWORD id) { return std::find(before.begin(), before.end(), id) != before.end(); });
        return wanted ? ids.size() == wanted : !ids.empty();
      })) {
    if (ids.empty()) {
      throw StepFailure(std::string(onlyNew ? "no new process " : "no process ") + Quoted(name) +
                        " runs (waited " + Seconds(timeout) + ")");
    }
    throw StepFailure("wanted " + std::to_string(wanted) + " processes " + Quoted(name) + ", saw " +
                      std::to_string(ids.size()) + ": " + IdList(ids));
  }
  Say(name + " runs as process " + IdList(ids));
}

void WaitNoProcess(Session& session, const Command& command) {
  const std::string& name = command.args[0];
  std::vector<DWORD> ids;
  const double timeout = StepTimeout(session, command);
  if (!PollUntil(timeout, [&] { return (ids = ProcessIdsByExeName(name)).empty(); })) {
    throw StepFailure(name + " still runs after " + Seconds(timeout) + " as process " + IdList(ids));
  }
}

}  // namespace vltdrive
