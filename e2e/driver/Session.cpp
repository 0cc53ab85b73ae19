#include "Session.h"

#include <cstdio>

#include "Console.h"

namespace vltdrive {

double StepTimeout(const Session& session, const Command& command) {
  return command.Has("--timeout") ? ParseSeconds(command.Option("--timeout"), command)
                                  : session.defaultTimeout;
}

std::string Seconds(double seconds) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.1f s", seconds);
  return buffer;
}

HWND RequireWindow(const Session& session, const Command& command) {
  if (!session.window) {
    throw StepFailure(command.name + " needs a current window: find one with wait-window first");
  }
  return session.window;
}

void SetCurrentWindow(Session& session, HWND hwnd, const std::string& caption) {
  session.window = hwnd;
  session.windowCaption = caption;
  DWORD processId = 0;
  GetWindowThreadProcessId(hwnd, &processId);
  if (processId != session.processId || !session.process.Valid()) {
    session.processId = processId;
    session.process = ProcessHandle(
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  }
}

void Say(const std::string& text) {
  std::string_view body = text;
  while (!body.empty() && body.back() == '\n') body.remove_suffix(1);
  std::string indented = "      ";
  for (char c : body) {
    indented += c;
    if (c == '\n') indented += "      ";
  }
  PrintLine(indented);
}

}  // namespace vltdrive
