#include <gtest/gtest.h>

#include "platform/CommandLine.h"
#include "program/RunMode.h"

namespace vlt {
namespace {

using Args = std::vector<std::string>;

TEST(SplitCommandLine, FollowsTheStartUpRule) {
  struct Case {
    const char* line;
    Args expected;
  } const cases[] = {
      {"setup.exe", {"setup.exe"}},
      {"setup.exe -remove", {"setup.exe", "-remove"}},
      {"  setup.exe \t -remove   x  ", {"setup.exe", "-remove", "x"}},
      {"\"C:\\Program Files\\v\\vltsetup.exe\" -remove",
       {"C:\\Program Files\\v\\vltsetup.exe", "-remove"}},
      {"setup.exe \"-remove\"", {"setup.exe", "-remove"}},
      {"setup.exe \"\" -remove", {"setup.exe", "-remove"}},
      {"setup.exe \"\"\"\" -remove", {"setup.exe", "-remove"}},
      {"setup.exe -re\"mo\"ve", {"setup.exe", "-remove"}},
      {"setup.exe \"a b\"c d", {"setup.exe", "a bc", "d"}},
      {"setup.exe \"unterminated arg", {"setup.exe", "unterminated arg"}},
      {"setup.exe\x01-remove\x1f", {"setup.exe", "-remove"}},
      {"setup.exe -r\xc3\xa9move", {"setup.exe", "-r\xc3\xa9move"}},
      {"", {}},
      {"   ", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitCommandLine(c.line), c.expected) << c.line;
}

TEST(UninstallMode, OnlyAnExactFirstArgumentCounts) {
  EXPECT_TRUE(IsUninstallMode({"-remove"}));
  EXPECT_TRUE(IsUninstallMode({"-remove", "more"}));
  EXPECT_FALSE(IsUninstallMode({}));
  EXPECT_FALSE(IsUninstallMode({"-Remove"}));
  EXPECT_FALSE(IsUninstallMode({"/remove"}));
  EXPECT_FALSE(IsUninstallMode({"-remove "}));
  EXPECT_FALSE(IsUninstallMode({"x", "-remove"}));
  EXPECT_FALSE(IsUninstallMode({""}));
}

}  // namespace
}  // namespace vlt
