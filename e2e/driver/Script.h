// The driver's script language. Portable: no Win32.
//
// A script is a list of commands, one per line (or one per command-line
// argument). A line is split into words:
//   - blanks separate words;
//   - "double quotes" group blanks into a word; only \" is an escape, every
//     other backslash stays, so "C:\users\root" reads as typed;
//   - 'single quotes' group literally, no escapes at all;
//   - $"dollar quotes" understand \r \n \t \" \\ (texts with line breaks);
//   - quoted and bare pieces that touch form one word: --title="A B".
// The first word names the command, words starting with "--" are options
// (each takes the next word as its value, except the flags a command
// declares), the rest are positional arguments. A lone "--" ends the options.
// Blank lines and lines whose first word starts with "#" are ignored.
#pragma once

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vltdrive {

// A script that cannot run as written; the text names the line and the fault.
class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Command {
  std::string name;
  std::vector<std::string> args;                 // positional, in order
  std::map<std::string, std::string> options;    // "--class" -> "#32770"; flags -> ""
  std::string source;                            // the line as written
  int step = 0;                                  // 1-based position in the script

  bool Has(const std::string& option) const { return options.count(option) != 0; }
  std::string Option(const std::string& option, const std::string& fallback = {}) const;
};

// What a command accepts; the parser rejects anything else before a single
// step runs, so a typo never leaves a program half driven.
struct CommandSpec {
  std::string_view name;
  int minArgs;
  int maxArgs;
  std::vector<std::string_view> valueOptions;  // take a value
  std::vector<std::string_view> flagOptions;   // stand alone
  std::string_view usage;                      // for --help and error texts
};

// Every command the driver knows, in the order --help lists them.
const std::vector<CommandSpec>& CommandSpecs();
const CommandSpec* FindSpec(std::string_view name);

// Splits one line into words. Throws ScriptError on an unterminated quote.
std::vector<std::string> SplitWords(std::string_view line);

// Parses one line into a command checked against its spec, or nothing for a
// blank or comment line. Throws ScriptError naming `where` on any fault.
std::optional<Command> ParseLine(std::string_view line, const std::string& where);

// Parses a whole script text (lines separated by LF or CR LF); steps are
// numbered from `firstStep`.
std::vector<Command> ParseScript(std::string_view text, const std::string& sourceName,
                                 int firstStep = 1);

// "0"/"1" (also "no"/"yes", "false"/"true") for the expect-* commands.
bool ParseFlagValue(const std::string& word, const Command& command);

// Seconds such as "10" or "2.5"; throws ScriptError naming the command.
double ParseSeconds(const std::string& word, const Command& command);

// How a command names a child control:
//   "Weiter >>"  caption (accelerator markers do not count)
//   @Edit        class name, first such control; @Edit:2 the second one
//   #1001        control id
//   =@literal    caption that starts with "@", "#" or "="
struct Selector {
  enum class Kind { Caption, ClassName, ControlId };
  Kind kind = Kind::Caption;
  std::string text;  // caption or class name
  int index = 1;     // ClassName: 1-based among controls of that class
  int id = 0;        // ControlId
};
Selector ParseSelector(const std::string& word);
std::string Describe(const Selector& selector);

}  // namespace vltdrive
