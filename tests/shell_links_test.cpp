#include <gtest/gtest.h>

#include "fakes/FakePlatform.h"
#include "install/ShellLinks.h"

namespace vlt {
namespace {

TEST(SpecialFolderPath, DropsOneTrailingBackslashAndYieldsEmptyForUnknownFolders) {
  fake::FakeFileSystem fs;
  fake::FakeShell shell(fs);
  shell.folders = {{csidl::kPrograms, "C:\\Start Menu\\Programs\\"},
                   {csidl::kDesktop, "C:\\Users\\Anna\\Desktop"},
                   {csidl::kTemplates, "D:\\"}};
  EXPECT_EQ(SpecialFolderPath(shell, csidl::kPrograms), "C:\\Start Menu\\Programs");
  EXPECT_EQ(SpecialFolderPath(shell, csidl::kDesktop), "C:\\Users\\Anna\\Desktop");
  EXPECT_EQ(SpecialFolderPath(shell, csidl::kTemplates), "D:");
  EXPECT_EQ(SpecialFolderPath(shell, csidl::kDrives), "");
}

TEST(CreateShellLink, SetsTargetArgumentsAndTheTargetsFolderAsWorkingDirectory) {
  struct Case {
    const char* target;
    const char* arguments;
    const char* workingDirectory;
  } const cases[] = {
      {"C:\\Programme\\VelTori Advanced\\veltori.exe", "", "C:\\Programme\\VelTori Advanced"},
      {"C:\\Programme\\VelTori Advanced\\vltsetup.exe", "-remove", "C:\\Programme\\VelTori Advanced"},
      {"C:\\veltori.exe", "", "C:"},
      {"http://www.veltori.example", "", "http:"},
      {"veltori.exe", "", ""},
  };
  fake::FakeFileSystem fs;
  fake::FakeShell shell(fs);
  const std::string link = "C:\\Users\\Anna\\Desktop\\Veltori Advanced.lnk";
  for (const Case& c : cases) {
    EXPECT_TRUE(CreateShellLink(shell, link, c.target, c.arguments).Ok()) << c.target;
    ASSERT_FALSE(shell.links.empty());
    const fake::SavedLink& saved = shell.links.back();
    EXPECT_EQ(saved.linkFile, link);
    EXPECT_EQ(saved.data.target, c.target);
    EXPECT_EQ(saved.data.arguments, c.arguments);
    EXPECT_EQ(saved.data.workingDirectory, c.workingDirectory) << c.target;
  }
}

TEST(CreateShellLink, FailureToCreateTheLinkObjectReachesTheCaller) {
  fake::FakeFileSystem fs;
  fake::FakeShell shell(fs);
  shell.failLinkObject = true;
  const Status created = CreateShellLink(shell, "C:\\x.lnk", "C:\\x.exe", "");
  ASSERT_FALSE(created.Ok());
  EXPECT_EQ(created.Error().code, 0x80040154u);
}

}  // namespace
}  // namespace vlt
