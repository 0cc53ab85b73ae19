// Screenshots through the harness, pauses, notes, version.
#include <string>

#include "Commands.h"
#include "Console.h"
#include "TextMatch.h"
#include "WindowQuery.h"
#include "Wide.h"

namespace vltdrive {
namespace {

bool IsPlainName(const std::string& name) {
  if (name.empty() || name[0] == '.' || name.size() > 64) return false;
  for (char c : name) {
    bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
              c == '_' || c == '.';
    if (!ok) return false;
  }
  return true;
}

// Lets every shown window finish what it was asked to do, so the picture
// shows the state the script has reached, painted.
void LetWindowsSettle() {
  for (HWND hwnd : TopLevelWindows()) {
    if (!IsWindowVisible(hwnd)) continue;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
  }
  Sleep(300);
}

std::string ReadSmallFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  char buffer[1024];
  DWORD read = 0;
  BOOL ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr);
  CloseHandle(file);
  std::string text = ok ? std::string(buffer, read) : std::string();
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

}  // namespace

// The harness reads the driver's output; on the marker line it takes the
// picture and answers with a file "<name>.ack" in VLTDRIVE_ACK_DIR whose
// text is "ok <where>" or "error <why>".
void Screenshot(Session& session, const Command& command) {
  const std::string& name = command.args[0];
  if (!IsPlainName(name)) {
    throw StepFailure("screenshot names use letters, digits, '-', '_' and '.': " + Quoted(name));
  }
  LetWindowsSettle();
  if (session.ackDirectory.empty()) {
    Say("no harness listening (VLTDRIVE_ACK_DIR is not set): no picture taken");
    return;
  }
  const std::wstring ack = session.ackDirectory + L"\\" + ToWide(name) + L".ack";
  DeleteFileW(ack.c_str());
  PrintLine("@@screenshot " + name);
  std::string answer;
  if (!PollUntil(30.0, [&] { return !(answer = ReadSmallFile(ack)).empty(); })) {
    throw StepFailure("the harness did not confirm screenshot " + Quoted(name) + " within 30 s");
  }
  DeleteFileW(ack.c_str());
  if (answer.rfind("ok", 0) != 0) throw StepFailure("screenshot " + Quoted(name) + ": " + answer);
  Say(answer);
}

void SleepFor(Session&, const Command& command) {
  Sleep(static_cast<DWORD>(ParseSeconds(command.args[0], command) * 1000.0));
}

void Echo(Session&, const Command& command) {
  std::string text;
  for (const std::string& word : command.args) text += (text.empty() ? "" : " ") + word;
  Say(text);
}

void Version(Session&, const Command&) {
  Say("vltdrive 1, " + std::to_string(sizeof(void*) * 8) + "-bit");
}

}  // namespace vltdrive
