#include <gtest/gtest.h>

#include "fakes/FakePlatform.h"
#include "install/FolderBrowser.h"

namespace vlt {
namespace {

TEST(BrowseForFolder, ChosenFolderEndsInOneBackslashNothingChosenIsNullopt) {
  struct Case {
    std::optional<std::string> shellAnswer;
    std::optional<std::string> expected;
  } const cases[] = {
      {"D:\\Tools", "D:\\Tools\\"},
      {"D:\\Tools\\", "D:\\Tools\\"},
      {"D:\\", "D:\\"},
      {"", std::nullopt},
      {std::nullopt, std::nullopt},
  };
  fake::FakeFileSystem fs;
  fake::FakeShell shell(fs);
  for (const Case& c : cases) {
    shell.browseResult = c.shellAnswer;
    EXPECT_EQ(BrowseForFolder(shell, csidl::kDrives, "Ordner ausw\xc3\xa4hlen"), c.expected)
        << c.shellAnswer.value_or("<nothing>");
  }
  EXPECT_EQ(shell.browseCalls.back(), std::make_pair(csidl::kDrives, std::string("Ordner ausw\xc3\xa4hlen")));
}

TEST(InstallDirFromBrowse, AppendsTheProductFolderToTheChosenFolder) {
  EXPECT_EQ(InstallDirFromBrowse("D:\\"), "D:\\VelTori Advanced");
  EXPECT_EQ(InstallDirFromBrowse("D:\\Tools\\"), "D:\\Tools\\VelTori Advanced");
  EXPECT_EQ(InstallDirFromBrowse("C:\\Program Files\\"), "C:\\Program Files\\VelTori Advanced");
}

}  // namespace
}  // namespace vlt
