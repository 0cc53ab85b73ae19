#include "Script.h"

#include <algorithm>
#include <cstdlib>
#include <set>

#include "KeyChord.h"

namespace vltdrive {

std::string Command::Option(const std::string& option, const std::string& fallback) const {
  auto it = options.find(option);
  return it == options.end() ? fallback : it->second;
}

const std::vector<CommandSpec>& CommandSpecs() {
  static const std::vector<CommandSpec> specs = {
      {"wait-window", 1, 1, {"--class", "--timeout"}, {},
       "wait-window CAPTION [--class C] [--timeout S]   wait for a visible top-level window; it becomes the current window"},
      {"expect-window", 1, 1, {"--class", "--for"}, {},
       "expect-window CAPTION [--class C] [--for S]     a visible window is there now (and still after S seconds)"},
      {"wait-gone", 0, 1, {"--class", "--timeout"}, {},
       "wait-gone [CAPTION] [--class C] [--timeout S]   wait until the window (default: the current one) is hidden or destroyed"},
      {"expect-title", 1, 1, {"--timeout"}, {},
       "expect-title TEXT                               the current window's caption"},
      {"wait-exit", 0, 0, {"--timeout", "--code"}, {},
       "wait-exit [--timeout S] [--code N]              wait until the current window's process has ended"},
      {"expect-running", 0, 0, {"--for"}, {},
       "expect-running [--for S]                        the current window's process still runs (after S seconds)"},
      {"expect-text", 2, 2, {"--timeout"}, {"--contains"},
       "expect-text SEL TEXT [--contains]               a control's text (or a part of it)"},
      {"expect-checked", 2, 2, {"--timeout"}, {},
       "expect-checked SEL 0|1                          a check box's or radio button's state"},
      {"expect-enabled", 2, 2, {"--timeout"}, {},
       "expect-enabled SEL 0|1                          a control is enabled (1) or greyed (0)"},
      {"expect-visible", 2, 2, {"--timeout"}, {},
       "expect-visible SEL 0|1                          a control is shown (1) or hidden (0)"},
      {"click", 1, 1, {"--timeout"}, {"--sync"},
       "click SEL [--sync]                              press a push button (posted; --sync waits for the handler)"},
      {"tick", 2, 2, {"--timeout"}, {},
       "tick SEL 0|1                                    set a check box or radio button by clicking it if needed"},
      {"set-text", 2, 2, {"--timeout"}, {},
       "set-text SEL TEXT                               replace an edit's text"},
      {"press", 1, 64, {"--timeout"}, {},
       "press KEY...                                    key presses (Tab, Shift+Tab, Space, Enter, Escape, Alt+N, Down ...) to the current window, brought to the front"},
      {"type", 1, 1, {"--timeout"}, {},
       "type TEXT                                       type a text key by key into the current window's focused control"},
      {"expect-focus", 1, 1, {"--timeout"}, {},
       "expect-focus SEL                                the control has the keyboard focus"},
      {"expect-label", 2, 2, {"--timeout"}, {},
       "expect-label SEL TEXT                           the window before the control in z-order is a label with this text and no tab stop"},
      {"expect-acc-name", 2, 2, {"--timeout"}, {},
       "expect-acc-name SEL TEXT                        the control's name as the accessibility layer (oleacc) gives it"},
      {"expect-msgbox", 1, 1, {"--title", "--answer", "--timeout"}, {},
       "expect-msgbox TEXT [--title T] [--answer B]     a message box (#32770) with this text; B closes it"},
      {"answer-msgbox", 1, 1, {"--title", "--timeout"}, {},
       "answer-msgbox BUTTON [--title T]                press a button of whatever message box is open"},
      {"close", 0, 0, {}, {},
       "close                                           ask the current window to close (WM_CLOSE)"},
      {"dump", 0, 0, {}, {"--all"},
       "dump [--all]                                    print the current window's tree (--all: every top-level window)"},
      {"list-windows", 0, 0, {}, {},
       "list-windows                                    one line per top-level window, hidden ones too"},
      {"read-link", 1, 1, {"--target", "--arguments", "--workdir", "--description"}, {},
       "read-link PATH [--target T] [--arguments A] [--workdir W] [--description D]   load a .lnk and print (and check) it"},
      {"expect-reg", 3, 3, {"--view"}, {},
       "expect-reg KEY NAME VALUE [--view 32|64]        a registry value (strings as stored, DWORDs as 0x...)"},
      {"expect-no-reg", 1, 2, {"--view"}, {},
       "expect-no-reg KEY [NAME] [--view 32|64]         the key (or its value NAME) does not exist"},
      {"expect-reg-names", 1, 64, {"--view"}, {},
       "expect-reg-names KEY [NAME...] [--view 32|64]   the key holds exactly these values"},
      {"expect-process", 1, 1, {"--count", "--timeout"}, {"--new"},
       "expect-process NAME [--count N] [--new]         a process (exactly N) with this exe name runs (--new: one started after the step began)"},
      {"wait-no-process", 1, 1, {"--timeout"}, {},
       "wait-no-process NAME [--timeout S]              wait until no process with this exe name runs"},
      {"expect-on-screen", 0, 0, {}, {},
       "expect-on-screen   the window lies wholly inside its monitor's work area"},
      {"expect-rect", 5, 5, {"--dpi", "--tolerance", "--timeout"}, {},
       "expect-rect SEL LEFT TOP WIDTH HEIGHT --dpi N   the control's place in the window's client area is this 96-DPI one scaled to N DPI (within --tolerance pixels, 2; - skips a number)"},
      {"expect-whole-texts", 0, 0, {"--dpi", "--font"}, {},
       "expect-whole-texts --dpi N [--font FACE,...:POINTS]  no label, button or title text is cut off at N DPI (in the first face that has the size, else the message font in whole points), no label overlaps a sibling"},
      {"screenshot", 1, 1, {}, {},
       "screenshot NAME                                 ask the harness for a PNG of the screen now"},
      {"sleep", 1, 1, {}, {},
       "sleep S                                         pause S seconds"},
      {"echo", 0, 64, {}, {},
       "echo TEXT...                                    print a note"},
      {"version", 0, 0, {}, {},
       "version                                         print the driver's version and word size"},
  };
  return specs;
}

const CommandSpec* FindSpec(std::string_view name) {
  for (const auto& spec : CommandSpecs()) {
    if (spec.name == name) return &spec;
  }
  return nullptr;
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool Contains(const std::vector<std::string_view>& list, std::string_view word) {
  return std::find(list.begin(), list.end(), word) != list.end();
}

}  // namespace

std::vector<std::string> SplitWords(std::string_view line) {
  std::vector<std::string> words;
  size_t i = 0;
  while (true) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size()) break;
    std::string word;
    while (i < line.size() && !IsBlank(line[i])) {
      char c = line[i];
      if (c == '\'') {
        size_t end = line.find('\'', i + 1);
        if (end == std::string_view::npos) throw ScriptError("unterminated single quote");
        word.append(line.substr(i + 1, end - i - 1));
        i = end + 1;
      } else if (c == '"' || (c == '$' && i + 1 < line.size() && line[i + 1] == '"')) {
        const bool escapes = c == '$';
        i += escapes ? 2 : 1;
        bool closed = false;
        while (i < line.size()) {
          char q = line[i];
          if (q == '"') {
            closed = true;
            ++i;
            break;
          }
          if (q == '\\' && i + 1 < line.size()) {
            char next = line[i + 1];
            const char* escaped = nullptr;
            if (next == '"') {
              escaped = "\"";
            } else if (escapes) {
              switch (next) {
                case '\\': escaped = "\\"; break;
                case 'r': escaped = "\r"; break;
                case 'n': escaped = "\n"; break;
                case 't': escaped = "\t"; break;
                default: break;
              }
            }
            if (escaped) {
              word += escaped;
              i += 2;
              continue;
            }
          }
          word += q;
          ++i;
        }
        if (!closed) throw ScriptError("unterminated double quote");
      } else {
        word += c;
        ++i;
      }
    }
    words.push_back(std::move(word));
  }
  return words;
}

namespace {

// Values a command reads later are checked now, so a wrong script fails
// before it drives anything.
void CheckValues(const Command& command) {
  static const std::set<std::string_view> takeSelector = {
      "expect-text", "expect-checked", "expect-enabled", "expect-visible", "click",          "tick",
      "set-text",    "expect-focus",   "expect-label",   "expect-acc-name"};
  static const std::set<std::string_view> takeState = {"expect-checked", "expect-enabled", "expect-visible",
                                                       "tick"};
  if (takeSelector.count(command.name)) ParseSelector(command.args[0]);
  if (takeState.count(command.name)) ParseFlagValue(command.args[1], command);
  for (const char* option : {"--timeout", "--for"}) {
    if (command.Has(option)) ParseSeconds(command.Option(option), command);
  }
  if (command.name == "sleep") ParseSeconds(command.args[0], command);
  if (command.name == "press") {
    for (const std::string& key : command.args) ParseKeyChord(key);
  }
}

}  // namespace

std::optional<Command> ParseLine(std::string_view line, const std::string& where) {
  std::vector<std::string> words;
  try {
    words = SplitWords(line);
  } catch (const ScriptError& e) {
    throw ScriptError(where + ": " + e.what());
  }
  if (words.empty() || words[0].starts_with("#")) return std::nullopt;

  const CommandSpec* spec = FindSpec(words[0]);
  if (!spec) throw ScriptError(where + ": unknown command \"" + words[0] + "\" (see --help)");

  Command command;
  command.name = words[0];
  command.source = std::string(line);
  bool optionsEnded = false;
  for (size_t i = 1; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (!optionsEnded && word == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && word.size() > 2 && word.starts_with("--")) {
      std::string name = word;
      std::optional<std::string> inlineValue;
      if (size_t eq = word.find('='); eq != std::string::npos) {
        name = word.substr(0, eq);
        inlineValue = word.substr(eq + 1);
      }
      if (Contains(spec->flagOptions, name) && !inlineValue) {
        command.options[name] = "";
      } else if (Contains(spec->valueOptions, name)) {
        if (inlineValue) {
          command.options[name] = *inlineValue;
        } else if (i + 1 < words.size()) {
          command.options[name] = words[++i];
        } else {
          throw ScriptError(where + ": option " + name + " of " + command.name + " needs a value");
        }
      } else {
        throw ScriptError(where + ": " + command.name + " has no option " + name + "\n  usage: " +
                          std::string(spec->usage));
      }
    } else {
      command.args.push_back(word);
    }
  }
  int count = static_cast<int>(command.args.size());
  if (count < spec->minArgs || count > spec->maxArgs) {
    throw ScriptError(where + ": " + command.name + " takes " +
                      (spec->minArgs == spec->maxArgs
                           ? std::to_string(spec->minArgs)
                           : std::to_string(spec->minArgs) + " to " + std::to_string(spec->maxArgs)) +
                      " argument(s), got " + std::to_string(count) + "\n  usage: " +
                      std::string(spec->usage));
  }
  try {
    CheckValues(command);
  } catch (const ScriptError& e) {
    throw ScriptError(where + ": " + e.what());
  }
  return command;
}

std::vector<Command> ParseScript(std::string_view text, const std::string& sourceName,
                                 int firstStep) {
  std::vector<Command> commands;
  int lineNumber = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    ++lineNumber;
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (auto command = ParseLine(line, sourceName + ":" + std::to_string(lineNumber))) {
      command->step = firstStep + static_cast<int>(commands.size());
      commands.push_back(std::move(*command));
    }
    start = end + 1;
  }
  return commands;
}

bool ParseFlagValue(const std::string& word, const Command& command) {
  if (word == "1" || word == "yes" || word == "true") return true;
  if (word == "0" || word == "no" || word == "false") return false;
  throw ScriptError(command.name + ": expected 0 or 1, got \"" + word + "\"");
}

double ParseSeconds(const std::string& word, const Command& command) {
  char* end = nullptr;
  double seconds = std::strtod(word.c_str(), &end);
  if (word.empty() || end != word.c_str() + word.size() || !(seconds >= 0) || seconds > 3600) {
    throw ScriptError(command.name + ": expected seconds (0 to 3600), got \"" + word + "\"");
  }
  return seconds;
}


Selector ParseSelector(const std::string& word) {
  Selector selector;
  if (word.starts_with("=")) {
    selector.text = word.substr(1);
    return selector;
  }
  if (word.size() > 1 && word[0] == '@') {
    selector.kind = Selector::Kind::ClassName;
    std::string rest = word.substr(1);
    if (size_t colon = rest.rfind(':'); colon != std::string::npos) {
      std::string number = rest.substr(colon + 1);
      char* end = nullptr;
      long index = std::strtol(number.c_str(), &end, 10);
      if (number.empty() || *end != '\0' || index < 1) {
        throw ScriptError("bad selector \"" + word + "\": after ':' comes a position from 1");
      }
      selector.index = static_cast<int>(index);
      rest = rest.substr(0, colon);
    }
    selector.text = rest;
    return selector;
  }
  if (word.size() > 1 && word[0] == '#') {
    char* end = nullptr;
    long id = std::strtol(word.c_str() + 1, &end, 0);
    if (*end != '\0') throw ScriptError("bad selector \"" + word + "\": '#' is followed by a control id");
    selector.kind = Selector::Kind::ControlId;
    selector.id = static_cast<int>(id);
    return selector;
  }
  selector.text = word;
  return selector;
}

std::string Describe(const Selector& selector) {
  switch (selector.kind) {
    case Selector::Kind::ClassName:
      return "control of class " + selector.text +
             (selector.index > 1 ? " number " + std::to_string(selector.index) : "");
    case Selector::Kind::ControlId:
      return "control with id " + std::to_string(selector.id);
    case Selector::Kind::Caption:
      break;
  }
  return "control \"" + selector.text + "\"";
}

}  // namespace vltdrive
