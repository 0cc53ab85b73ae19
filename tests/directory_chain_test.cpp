#include <gtest/gtest.h>

#include "platform/portable/DirectoryChain.h"

namespace vlt::win32 {
namespace {

using Chain = std::vector<std::string>;

TEST(DirectoryChain, ListsEveryLevelBelowTheVolume) {
  struct Case {
    const char* dir;
    Chain expected;
  } const cases[] = {
      {"C:\\Programme\\VelTori Advanced",
       {"C:\\Programme", "C:\\Programme\\VelTori Advanced"}},
      {"C:\\Programme\\VelTori Advanced\\", {"C:\\Programme", "C:\\Programme\\VelTori Advanced"}},
      {"D:\\x", {"D:\\x"}},
      {"C:\\", {}},  // the volume itself cannot be made
      {"C:", {}},
      {"", {}},
      {"C:a\\b", {"C:a", "C:a\\b"}},  // relative to the drive's current directory
      {"\\\\server\\share\\Tools\\VelTori",
       {"\\\\server\\share\\Tools", "\\\\server\\share\\Tools\\VelTori"}},
      {"\\\\server\\share", {}},
      {"\\\\server\\share\\", {}},
      {"\\\\server", {}},
      {"\\\\?\\C:\\long\\path", {"\\\\?\\C:\\long", "\\\\?\\C:\\long\\path"}},
      {"\\Programme\\x", {"\\Programme", "\\Programme\\x"}},  // rooted on the current drive
      {"relative\\dir", {"relative", "relative\\dir"}},
      {"C:\\a\\\\b", {"C:\\a", "C:\\a\\\\b"}},  // a doubled backslash is no extra level
      {"C:\\Gr\xc3\xbc\xc3\x9f" "e\\\xe2\x82\xac",
       {"C:\\Gr\xc3\xbc\xc3\x9f" "e", "C:\\Gr\xc3\xbc\xc3\x9f" "e\\\xe2\x82\xac"}},
  };
  for (const Case& c : cases) EXPECT_EQ(DirectoryChain(c.dir), c.expected) << c.dir;
}

}  // namespace
}  // namespace vlt::win32
