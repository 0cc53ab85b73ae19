// State carried from one step of a script to the next, and the helpers
// every command uses: time-outs, polling, failures, output.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

#include "Handles.h"
#include "Script.h"

namespace vltdrive {

// A step that did not find what it expected. The text says what it wanted
// and what it saw; the runner adds the screen dump.
class StepFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Session {
  // The window that wait-window found last: controls are looked up in it,
  // close and wait-exit act on it and its process.
  HWND window = nullptr;
  std::string windowCaption;
  DWORD processId = 0;
  ProcessHandle process;  // opened when the window was found, so its end is seen even if it is quick

  double defaultTimeout = 10.0;  // seconds, for every waiting step without --timeout
  std::wstring ackDirectory;     // where the harness confirms screenshots (VLTDRIVE_ACK_DIR)
};

// The step's --timeout, or the session default.
double StepTimeout(const Session& session, const Command& command);

// Calls `condition` every 50 ms until it returns true or `seconds` have
// passed; always calls it at least once. Returns the last result.
template <typename Condition>
bool PollUntil(double seconds, Condition condition) {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000.0);
  while (true) {
    if (condition()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(50);
  }
}

// True when `condition` holds at every poll for `seconds` (checked at least
// once): for "nothing happens" expectations.
template <typename Condition>
bool HoldsFor(double seconds, Condition condition) {
  return !PollUntil(seconds, [&] { return !condition(); });
}

// "2.5 s", for reports.
std::string Seconds(double seconds);

// The current window, or a failure telling the script to find one first.
HWND RequireWindow(const Session& session, const Command& command);

// Makes `hwnd` the current window and opens its process for waiting.
void SetCurrentWindow(Session& session, HWND hwnd, const std::string& caption);

// A line of the step's report, indented under the step's own line.
void Say(const std::string& text);

}  // namespace vltdrive
