// libFuzzer target: the payload record loader and the extraction behind it.
// Any record must either load or raise RecordError; a loaded record must
// store and load back to the same bytes; extracting its entries must either
// succeed with exactly the entry's bytes, give false, or raise
// EZCompressionError. Sanitizers catch every read outside a buffer.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "common/ZLibEx.h"
#include "payload/BinderRecord.h"
#include "payload/PayloadCheck.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"

namespace {

// Keeps the last file written; one directory refuses everything, to walk the
// failure path as well.
class SinkFileSystem : public vlt::FileSystem {
 public:
  std::size_t lastSize = 0;

  void ForceDirectories(const std::string&) override {}
  bool DirectoryExists(const std::string&) override { return true; }
  bool IsReparsePoint(const std::string&) override { return false; }
  std::vector<vlt::DirEntry> Find(const std::string&) override { return {}; }
  bool DeleteFile(const std::string&) override { return false; }
  bool RemoveDirectory(const std::string&) override { return false; }
  bool CopyFile(const std::string&, const std::string&) override { return false; }
  std::optional<std::uint64_t> FileSize(const std::string&) override { return std::nullopt; }
  bool SetNormalAttributes(const std::string&) override { return false; }
  void WriteFile(const std::string& path, std::span<const std::uint8_t> data) override {
    if (path.rfind("C:\\Fehlt\\", 0) == 0) throw vlt::FileError("Cannot create file " + path, 3);
    volatile std::uint8_t touch = 0;
    for (std::uint8_t b : data) touch = touch ^ b;  // every byte must be readable
    lastSize = data.size();
  }
  void WriteNewFile(const std::string& path, std::span<const std::uint8_t> data) override {
    WriteFile(path, data);
  }
  std::optional<vlt::FileIdentity> Identity(const std::string&) override { return std::nullopt; }
  std::uint32_t UnforeseeableNumber() override { return 0; }
  std::string ShortPathName(const std::string& path) override { return path; }
  std::optional<std::string> ToOemCodePage(const std::string& text) override { return text; }
};

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::unique_ptr<vlt::TFileArrayBinder> binder;
  try {
    binder = vlt::LoadFileArrayBinder(std::span(data, size));
  } catch (const vlt::RecordError&) {
    return 0;
  }

  const std::vector<std::uint8_t> stored = vlt::StoreFileArrayBinder(*binder);
  Require(vlt::StoreFileArrayBinder(*vlt::LoadFileArrayBinder(stored)) == stored);

  // The start-up check and extraction must agree: a payload the check
  // passes extracts every entry, and a block extraction cannot inflate is
  // never passed.
  bool sound = true;
  try {
    vlt::CheckPayload(*binder);
  } catch (const vlt::PayloadError&) {
    sound = false;
  }

  SinkFileSystem fs;
  const vlt::TDateiSammlung& entries = binder->DateiSammlung();
  for (int i = 0; i < entries.Count() && i < 4; ++i) {
    const vlt::TDatei& entry = entries.Items(i);
    try {
      const std::string path = (i % 2 == 0 ? "C:\\Ziel\\" : "C:\\Fehlt\\") + std::to_string(i);
      const bool written = entry.Entpacken(path, fs);
      if (written) {
        Require(i % 2 == 0 && fs.lastSize == static_cast<std::size_t>(entry.DateiGroesse));
      }
      if (sound && i % 2 == 0) Require(written);
    } catch (const vlt::EZCompressionError&) {
      Require(!sound);  // a block that does not inflate
    }
  }
  return 0;
}
