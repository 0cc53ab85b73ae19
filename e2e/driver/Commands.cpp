#include "Commands.h"

#include <map>

namespace vltdrive {

CommandHandler FindHandler(const std::string& name) {
  static const std::map<std::string, CommandHandler> handlers = {
      {"wait-window", WaitWindow},         {"expect-window", ExpectWindow},
      {"wait-gone", WaitGone},             {"expect-title", ExpectTitle},
      {"wait-exit", WaitExit},             {"expect-running", ExpectRunning},
      {"expect-text", ExpectText},         {"expect-checked", ExpectChecked},
      {"expect-enabled", ExpectEnabled},   {"expect-visible", ExpectVisible},
      {"click", Click},                    {"tick", Tick},
      {"set-text", SetText},               {"expect-msgbox", ExpectMessageBox},
      {"answer-msgbox", AnswerMessageBox}, {"close", CloseWindow},
      {"dump", Dump},                      {"list-windows", ListWindows},
      {"read-link", ReadLink},             {"expect-process", ExpectProcess},
      {"wait-no-process", WaitNoProcess},  {"screenshot", Screenshot},
      {"sleep", SleepFor},                 {"echo", Echo},
      {"version", Version},                {"expect-reg", ExpectRegistryValue},
      {"expect-no-reg", ExpectNoRegistry}, {"expect-reg-names", ExpectRegistryNames},
      {"press", PressKeys},                {"type", TypeText},
      {"expect-focus", ExpectFocus},       {"expect-label", ExpectLabel},
      {"expect-acc-name", ExpectAccessibleName},
      {"expect-rect", ExpectRect},         {"expect-whole-texts", ExpectWholeTexts},
      {"expect-on-screen", ExpectOnScreen},
  };
  auto it = handlers.find(name);
  return it == handlers.end() ? nullptr : it->second;
}

}  // namespace vltdrive
