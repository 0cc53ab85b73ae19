#include "driver/KeyChord.h"
#include "driver/Script.h"

#include <gtest/gtest.h>

#include <set>

namespace vltdrive {
namespace {

using Words = std::vector<std::string>;

TEST(SplitWords, QuotingRules) {
  struct Case {
    const char* line;
    Words words;
  } const cases[] = {
      {"click \"&Next >>\"", {"click", "&Next >>"}},
      {"  tick   Deutsch 1  ", {"tick", "Deutsch", "1"}},
      // Backslashes in double quotes stay: paths read as typed.
      {R"(read-link "C:\users\root\Desktop\x.lnk")", {"read-link", R"(C:\users\root\Desktop\x.lnk)"}},
      {R"(echo "say \"hi\"")", {"echo", "say \"hi\""}},
      {R"(echo 'C:\dir\')", {"echo", R"(C:\dir\)"}},
      {R"(echo 'it''s')", {"echo", "its"}},
      {R"(expect-msgbox $"Fehler.\rBitte \\ \"x\"")", {"expect-msgbox", "Fehler.\rBitte \\ \"x\""}},
      {R"(x --title="A B")", {"x", "--title=A B"}},
      {"echo \"\" ''", {"echo", "", ""}},
      {"set-text @Edit \"Einträge\"", {"set-text", "@Edit", "Einträge"}},
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitWords(c.line), c.words) << c.line;
}

TEST(SplitWords, RejectsUnterminatedQuotes) {
  for (const char* line : {"click \"&Next", "echo 'abc", R"(echo "C:\dir\")", "echo $\"x"}) {
    EXPECT_THROW(SplitWords(line), ScriptError) << line;
  }
}

TEST(ParseLine, SplitsNameArgumentsAndOptions) {
  auto command = ParseLine(R"(expect-msgbox "Do you really want exit Setup?" --answer "&No" --title Confirmation)",
                           "t");
  ASSERT_TRUE(command);
  EXPECT_EQ(command->name, "expect-msgbox");
  EXPECT_EQ(command->args, Words{"Do you really want exit Setup?"});
  EXPECT_EQ(command->Option("--answer"), "&No");
  EXPECT_EQ(command->Option("--title"), "Confirmation");
  EXPECT_FALSE(command->Has("--timeout"));

  auto withFlag = ParseLine("click \"&Next >>\" --sync --timeout=2.5", "t");
  ASSERT_TRUE(withFlag);
  EXPECT_TRUE(withFlag->Has("--sync"));
  EXPECT_EQ(withFlag->Option("--timeout"), "2.5");

  auto dashText = ParseLine("expect-text @Edit -- --not-an-option", "t");
  ASSERT_TRUE(dashText);
  EXPECT_EQ(dashText->args, (Words{"@Edit", "--not-an-option"}));
}

TEST(ParseLine, SkipsBlankAndCommentLines) {
  EXPECT_FALSE(ParseLine("", "t"));
  EXPECT_FALSE(ParseLine("   ", "t"));
  EXPECT_FALSE(ParseLine("# a note", "t"));
}

TEST(ParseLine, RejectsWhatCannotRun) {
  const char* bad[] = {
      "clik OK",                        // unknown command
      "click",                          // missing argument
      "tick Deutsch",                   // missing state
      "close now",                      // extra argument
      "wait-window X --clas #32770",    // unknown option
      "wait-window X --timeout",        // option without value
      "dump --all=yes",                 // a flag takes no value
      "tick Deutsch maybe",             // state is 0 or 1
      "click @Edit:0",                  // positions count from 1
      "wait-window X --timeout soon",   // seconds
      "expect-running --for -1",        // no negative durations
      "sleep forever",
      "press",                          // at least one key
      "press Tab Hyper+A",              // no such modifier
      "press Alt+Alt+N",                // a modifier twice
      "press Alt+",                     // a modifier without its key
      "press F25",                      // no such key
      "press Return",                   // the key is called Enter
      "expect-focus @Edit:0",
  };
  for (const char* line : bad) {
    EXPECT_THROW(ParseLine(line, "argument 3"), ScriptError) << line;
  }
  try {
    ParseLine("clik OK", "script.txt:7");
    FAIL();
  } catch (const ScriptError& e) {
    EXPECT_NE(std::string(e.what()).find("script.txt:7"), std::string::npos) << e.what();
  }
}

TEST(ParseScript, NumbersStepsAndNamesLines) {
  auto commands = ParseScript("# comment\r\nwait-window \"A\"\r\n\r\nclick OK\n", "s.txt");
  ASSERT_EQ(commands.size(), 2u);
  EXPECT_EQ(commands[0].step, 1);
  EXPECT_EQ(commands[1].step, 2);
  EXPECT_EQ(commands[1].source, "click OK");
  try {
    ParseScript("click OK\nbogus\n", "s.txt");
    FAIL();
  } catch (const ScriptError& e) {
    EXPECT_NE(std::string(e.what()).find("s.txt:2"), std::string::npos) << e.what();
  }
}

TEST(CommandSpecs, NamesAreUniqueAndUsageStartsWithTheName) {
  std::set<std::string_view> seen;
  for (const CommandSpec& spec : CommandSpecs()) {
    EXPECT_TRUE(seen.insert(spec.name).second) << spec.name;
    EXPECT_TRUE(spec.usage.starts_with(spec.name)) << spec.name;
    EXPECT_LE(spec.minArgs, spec.maxArgs) << spec.name;
  }
}

TEST(ParseValues, FlagsAndSeconds) {
  Command command;
  command.name = "expect-checked";
  EXPECT_TRUE(ParseFlagValue("1", command));
  EXPECT_FALSE(ParseFlagValue("no", command));
  EXPECT_THROW(ParseFlagValue("checked", command), ScriptError);
  EXPECT_DOUBLE_EQ(ParseSeconds("2.5", command), 2.5);
  for (const char* bad : {"", "-1", "ten", "5s", "nan", "99999"}) {
    EXPECT_THROW(ParseSeconds(bad, command), ScriptError) << bad;
  }
}

TEST(ParseKeyChord, ModifiersAndKeysInAnyCase) {
  const KeyChord back = ParseKeyChord("shift+TAB");
  EXPECT_TRUE(back.shift);
  EXPECT_FALSE(back.alt);
  EXPECT_EQ(back.virtualKey, 0x09);  // VK_TAB
  const KeyChord accelerator = ParseKeyChord("Alt+n");
  EXPECT_TRUE(accelerator.alt);
  EXPECT_EQ(accelerator.virtualKey, 'N');
  EXPECT_EQ(ParseKeyChord("Alt+F4").virtualKey, 0x73);  // VK_F4
  for (const char* word : {"Shift+Tab", "Alt+N", "Ctrl+Alt+Delete", "Escape", "F12", "Down", "7"}) {
    EXPECT_EQ(Describe(ParseKeyChord(word)), word);
  }
}

TEST(ParseSelector, Forms) {
  Selector caption = ParseSelector("&Next >>");
  EXPECT_EQ(caption.kind, Selector::Kind::Caption);
  EXPECT_EQ(caption.text, "&Next >>");

  Selector second = ParseSelector("@Edit:2");
  EXPECT_EQ(second.kind, Selector::Kind::ClassName);
  EXPECT_EQ(second.text, "Edit");
  EXPECT_EQ(second.index, 2);

  Selector first = ParseSelector("@msctls_progress32");
  EXPECT_EQ(first.text, "msctls_progress32");
  EXPECT_EQ(first.index, 1);

  Selector id = ParseSelector("#1001");
  EXPECT_EQ(id.kind, Selector::Kind::ControlId);
  EXPECT_EQ(id.id, 1001);
  EXPECT_EQ(ParseSelector("#0x3E9").id, 1001);

  Selector literal = ParseSelector("=#1 choice");
  EXPECT_EQ(literal.kind, Selector::Kind::Caption);
  EXPECT_EQ(literal.text, "#1 choice");

  EXPECT_EQ(ParseSelector("#").kind, Selector::Kind::Caption);  // a lone sign is a caption
  for (const char* bad : {"@Edit:0", "@Edit:x", "@Edit:", "#12a"}) {
    EXPECT_THROW(ParseSelector(bad), ScriptError) << bad;
  }
}

}  // namespace
}  // namespace vltdrive
