// vltdrive: drives another program's windows from a script, for the
// end-to-end tests. See e2e/README.md for the language.
//
//   vltdrive [--timeout S] [-f SCRIPT] [COMMAND ...]
//
// Each COMMAND argument is one script line; -f reads more lines from a file
// (they run first). Exit codes: 0 every step passed, 1 a step failed,
// 2 the script is wrong (nothing was run).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Commands.h"
#include "Console.h"
#include "Script.h"
#include "Session.h"
#include "TextMatch.h"
#include "TreeDump.h"
#include "Wide.h"

namespace vltdrive {
namespace {

constexpr int kExitFailed = 1;
constexpr int kExitBadScript = 2;

void PrintUsage() {
  std::string text =
      "usage: vltdrive [--timeout S] [-f SCRIPT] [COMMAND ...]\n"
      "  each COMMAND argument is one script line, e.g. 'click \"&Next >>\"'\n"
      "  --timeout S   how long waiting steps wait by default (10 s)\n"
      "  -f SCRIPT     read script lines from a file (UTF-8), run before the arguments\n"
      "controls (SEL): a caption (\"&Next >>\" or \"Next >>\"), @Class[:N], #id, =literal\n"
      "commands:\n";
  for (const CommandSpec& spec : CommandSpecs()) text += "  " + std::string(spec.usage) + "\n";
  Print(text);
}

std::string ReadScriptFile(const std::string& path) {
  HANDLE file = CreateFileW(ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw ScriptError("cannot open script " + Quoted(path));
  std::string text;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
  CloseHandle(file);
  if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
  return text;
}

struct Invocation {
  double timeout = 10.0;
  std::vector<Command> commands;
  bool help = false;
};

Invocation ParseInvocation(const std::vector<std::string>& args) {
  Invocation invocation;
  std::vector<Command> fromArguments;
  size_t i = 0;
  for (; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      invocation.help = true;
    } else if (arg == "--timeout" && i + 1 < args.size()) {
      Command context;
      context.name = "--timeout";
      invocation.timeout = ParseSeconds(args[++i], context);
    } else if (arg == "-f" && i + 1 < args.size()) {
      const std::string& path = args[++i];
      std::vector<Command> lines = ParseScript(ReadScriptFile(path), path);
      invocation.commands.insert(invocation.commands.end(), lines.begin(), lines.end());
    } else {
      break;
    }
  }
  for (; i < args.size(); ++i) {
    if (auto command = ParseLine(args[i], "argument " + std::to_string(i + 1))) {
      fromArguments.push_back(std::move(*command));
    }
  }
  invocation.commands.insert(invocation.commands.end(), fromArguments.begin(), fromArguments.end());
  for (size_t n = 0; n < invocation.commands.size(); ++n) {
    invocation.commands[n].step = static_cast<int>(n + 1);
    if (!FindHandler(invocation.commands[n].name)) {
      throw ScriptError("internal: command " + invocation.commands[n].name + " has no handler");
    }
  }
  return invocation;
}

std::string Elapsed(ULONGLONG startTick) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "[%6.2fs]", static_cast<double>(GetTickCount64() - startTick) / 1000.0);
  return buffer;
}

std::string Indented(const std::string& text, const std::string& prefix) {
  std::string out = prefix;
  for (size_t i = 0; i < text.size(); ++i) {
    out += text[i];
    if (text[i] == '\n' && i + 1 < text.size()) out += prefix;
  }
  return out;
}

int Run(const Invocation& invocation) {
  Session session;
  session.defaultTimeout = invocation.timeout;
  wchar_t ackDirectory[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"VLTDRIVE_ACK_DIR", ackDirectory, MAX_PATH) > 0) {
    session.ackDirectory = ackDirectory;
  }
  const ULONGLONG start = GetTickCount64();
  for (const Command& command : invocation.commands) {
    PrintLine(Elapsed(start) + " " + std::to_string(command.step) + " " + command.source);
    try {
      FindHandler(command.name)(session, command);
    } catch (const std::exception& e) {
      std::string report = "FAILED at step " + std::to_string(command.step) + ": " + command.source + "\n" +
                           Indented(e.what(), "  ") + "\n";
      if (session.window && !IsWindow(session.window)) {
        report += "current window " + Quoted(session.windowCaption) + ": destroyed\n";
      } else if (session.window && !IsWindowVisible(session.window)) {
        report += "current window " + Quoted(session.windowCaption) + " (hidden):\n" +
                  Indented(DumpTree(session.window), "  ");
      }
      report += "shown windows:\n" + Indented(DumpScreen(false), "  ");
      Print(report);
      return dynamic_cast<const ScriptError*>(&e) ? kExitBadScript : kExitFailed;
    }
  }
  PrintLine(Elapsed(start) + " passed: " + std::to_string(invocation.commands.size()) + " steps");
  return 0;
}

}  // namespace
}  // namespace vltdrive

int wmain(int argc, wchar_t** argv) {
  using namespace vltdrive;
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(ToUtf8(argv[i]));
  Invocation invocation;
  try {
    invocation = ParseInvocation(args);
  } catch (const ScriptError& e) {
    PrintError(std::string("vltdrive: ") + e.what());
    return kExitBadScript;
  }
  if (invocation.help || invocation.commands.empty()) {
    PrintUsage();
    return invocation.help ? 0 : kExitBadScript;
  }
  return Run(invocation);
}
