#pragma once
// In-memory stand-ins for every platform service, bundled so a test builds a
// whole program on them. Each records what was done and can be told to fail.
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "fakes/FakeFileSystem.h"
#include "forms/HeadlessHost.h"
#include "platform/Services.h"

namespace vlt::fake {

class FakeApplication : public Application {
 public:
  std::string exeName = "C:\\Downloads\\VelToriSetup.exe";
  std::vector<std::string> arguments;
  std::string title;
  bool terminated = false;
  int runCount = 0;

  std::string ExeName() const override { return exeName; }
  std::vector<std::string> Arguments() const override { return arguments; }
  void SetTitle(const std::string& t) override { title = t; }
  std::string Title() const override { return title; }
  // Windows' English texts for the codes the fakes fail with.
  std::string SystemMessage(std::uint32_t code) const override;
  void Run(Form& mainForm) override;
  void Terminate() override { terminated = true; }
};

class FakeProcesses : public Processes {
 public:
  std::vector<ProcessInfo> running;
  std::set<std::uint32_t> unkillable;  // Terminate fails for these
  std::vector<std::uint32_t> terminated;
  std::function<void(std::uint32_t)> onTerminate;  // called before each successful end

  std::vector<ProcessInfo> List() override { return running; }
  Status Terminate(std::uint32_t id, std::uint32_t exitCode) override;
};

// Profile files kept as real INI text in the fake file system, so that a
// written config.vlt is also a file there. Names compare without case.
class FakeProfileFile : public ProfileFile {
 public:
  explicit FakeProfileFile(FakeFileSystem& fs) : fs_(fs) {}
  std::string ReadString(const std::string& path, const std::string& section,
                         const std::string& key, const std::string& defaultValue) override;
  Status WriteString(const std::string& path, const std::string& section, const std::string& key,
                   const std::string& value) override;
  void Flush(const std::string& path) override { flushes.push_back(path); }

  std::vector<std::string> flushes;

 private:
  FakeFileSystem& fs_;
};

class FakeRegistry : public Registry {
 public:
  Status CreateKey(const std::string& key) override;
  Status WriteString(const std::string& key, const std::string& name,
                   const std::string& value) override;
  Status DeleteValue(const std::string& key, const std::string& name) override;
  Status DeleteKeyTree(const std::string& key, const std::string& subKey) override;
  bool ValueExists(const std::string& key, const std::string& name) override;
  bool KeyExists(const std::string& key) override { return !readOnly && HasKey(key); }
  // Reading needs no rights beyond a standard user's.
  std::optional<std::string> ReadString(const std::string& key, const std::string& name) override {
    return Value(key, name);
  }

  // Without rights: creating and writing raise, opening with full access fails.
  bool readOnly = false;
  bool HasKey(const std::string& key) const;
  std::optional<std::string> Value(const std::string& key, const std::string& name) const;
  std::map<std::string, std::string> Values(const std::string& key) const;
  std::vector<std::string> Keys() const;

 private:
  struct Key {
    std::string path;
    std::map<std::string, std::pair<std::string, std::string>> values;  // UPPER name -> (name, data)
  };
  std::map<std::string, Key> keys_;  // by upper-cased path
};

struct SavedLink {
  std::string linkFile;
  ShellLinkData data;
};

class FakeShell : public Shell {
 public:
  explicit FakeShell(FakeFileSystem& fs);
  std::string FolderPath(int csidl) override;
  std::string KnownFolderPath(KnownFolder folder) override;
  std::vector<std::string> UserProfiles() override { return profiles; }
  Status SaveShellLink(const std::string& linkFile, const ShellLinkData& link) override;
  // The target a shortcut file saved by SaveShellLink holds.
  std::optional<std::string> ShellLinkTarget(const std::string& linkFile) override;
  Status Execute(const ShellExecuteRequest& request) override {
    executed.push_back(request);
    return {};
  }
  std::optional<std::string> BrowseForFolder(int rootCsidl, const std::string& title) override;

  std::map<int, std::string> folders;  // csidl -> path as the shell reports it
  std::map<KnownFolder, std::string> knownFolders;
  std::vector<std::string> profiles = {"C:\\Users\\Anna"};  // the machine's profile list
  std::vector<SavedLink> links;        // every save, in order
  std::vector<ShellExecuteRequest> executed;
  bool failLinkObject = false;         // the link object cannot be created
  std::optional<std::string> browseResult;
  std::vector<std::pair<int, std::string>> browseCalls;

 private:
  FakeFileSystem& fs_;
};

// Answers message boxes from a script; records every box shown.
class FakeMessageDialog : public MessageDialog {
 public:
  std::deque<MsgButton> answers;  // when empty, the default button answers
  std::vector<MessageBoxRequest> shown;
  // Runs while each box is up, before it is answered: lets a test look at
  // the program's state at that moment.
  std::function<void(const MessageBoxRequest&)> onShow;
  MsgButton Show(const MessageBoxRequest& request) override;
};

// Carries a small, valid payload record unless a test replaces it.
class FakeResources : public Resources {
 public:
  FakeResources();
  // The files packed into the default record: veltori.exe, .hlp, .cnt.
  static const std::vector<std::pair<std::string, std::string>>& DefaultPayloadFiles();
  std::map<std::string, std::vector<std::uint8_t>> data;
  std::optional<std::span<const std::uint8_t>> Data(const std::string& name) override;
};

struct FakePlatform {
  FakeFileSystem fs;
  FakeApplication app;
  FakeProcesses processes;
  FakeProfileFile profile{fs};
  FakeRegistry registry;
  FakeShell shell{fs};
  FakeMessageDialog dialog;
  FakeResources resources;
  HeadlessHost forms;
  Services services{app, processes, profile, registry, fs, shell, dialog, resources, forms};
};

}  // namespace vlt::fake
