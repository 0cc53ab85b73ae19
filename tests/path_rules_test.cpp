// Rules on typed and derived folder names.
#include <gtest/gtest.h>

#include "common/Paths.h"
#include "install/InstallDirRule.h"

namespace vlt {
namespace {

TEST(IsVolumeRoot, DrivesAndSharesButNothingBelowThem) {
  const struct {
    const char* dir;
    bool root;
  } cases[] = {
      {"D:", true},           {"D:\\", true},
      {"\\\\server\\share", true}, {"\\\\server\\share\\", true},
      {"D:\\Tools", false},   {"\\\\server\\share\\Tools", false},
      {"\\\\server", false},  {"\\\\server\\", false},
      {"\\\\\\share", false}, {"", false},
      {"C:\\VelTori\\\\", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsVolumeRoot(c.dir), c.root) << c.dir;
}

TEST(IsAcceptableInstallDir, AbsoluteFoldersThatWindowsKeepsAsTyped) {
  const struct {
    const char* typed;
    bool accepted;
  } cases[] = {
      {"C:\\Programme\\VelTori Advanced", true},
      {"C:\\Programme\\VelTori Advanced\\", true},
      {"C:\\Programme\\VelTori Advanced\\\\", true},  // empty parts are no parts
      {"\\\\server\\share\\VelTori", true},
      {"C:\\Tools\\.config\\VelTori", true},          // a dot that leads
      {"C:\\Tools\\Gr\xc3\xb6\xc3\x9f" "e 100%", true},
      {"", false},
      {"VelTori", false},
      {"C:VelTori", false},
      {"\\VelTori", false},
      {"D:\\", false},                 // a whole drive
      {"\\\\server\\share\\", false},  // a whole share
      {"C:\\Tools\\VelTori ", false},  // Windows makes "VelTori"
      {"C:\\Tools\\VelTori.", false},
      {"C:\\Tools\\VelTori .\\", false},
      {"C:\\Tools \\VelTori", false},
      {"C:\\Tools\\..\\VelTori", false},
      {"C:\\Tools\\.", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsAcceptableInstallDir(c.typed), c.accepted) << c.typed;
}

}  // namespace
}  // namespace vlt
