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
  // "C:\" and a folder name, `length` UTF-16 units in all.
  const auto folderOf = [](std::size_t length, const std::string& unit = "v") {
    std::string path = "C:\\";
    for (std::size_t i = 3; i < length; ++i) path += unit;
    return path;
  };
  const std::string umlaut = "\xc3\xa4";  // two bytes, one unit
  const std::string clef = "\xf0\x9d\x84\x9e";  // four bytes, two units
  const struct {
    std::string typed;
    bool accepted;
  } cases[] = {
      // "\vltsetup.exe" must still fit MAX_PATH less its NUL (259 units).
      {folderOf(246), true},
      {folderOf(246) + "\\", true},
      {folderOf(247), false},
      {folderOf(246, umlaut), true},
      {folderOf(247, umlaut), false},
      {folderOf(245) + clef, false},
      {folderOf(290), false},
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
