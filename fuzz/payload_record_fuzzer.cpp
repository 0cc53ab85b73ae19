// libFuzzer target: the payload record loader and the extraction behind it.
// Any record must either load or fail; a loaded record must store and load
// back to the same bytes; extracting its entries must either succeed with
// exactly the entry's bytes or give false, and a payload the whole check
// passes must extract. The input is also inflated as deflate data behind a
// sound zlib header, which must end with a status. Sanitizers catch every
// read outside a buffer.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "common/ZLibEx.h"
#include "payload/BinderRecord.h"
#include "payload/PayloadCheck.h"
#include "platform/FileSystem.h"

namespace {

// Keeps the last file written; one directory refuses everything, to walk the
// failure path as well.
class SinkFileSystem : public vlt::FileSystem {
 public:
  std::size_t lastSize = 0;

  vlt::Status ForceDirectories(const std::string&) override { return {}; }
  bool DirectoryExists(const std::string&) override { return true; }
  bool IsReparsePoint(const std::string&) override { return false; }
  std::vector<vlt::DirEntry> Find(const std::string&) override { return {}; }
  vlt::Status DeleteFile(const std::string&) override { return {}; }
  vlt::Status RemoveDirectory(const std::string&) override { return {}; }
  vlt::Status CopyFile(const std::string&, const std::string&) override { return {}; }
  std::optional<std::uint64_t> FileSize(const std::string&) override { return std::nullopt; }
  vlt::Status SetNormalAttributes(const std::string&) override { return {}; }
  vlt::Status WriteFile(const std::string& path, std::span<const std::uint8_t> data) override {
    if (path.rfind("C:\\Fehlt\\", 0) == 0) return vlt::Failure{vlt::Attempt::WriteFile, path, 3};
    volatile std::uint8_t touch = 0;
    for (std::uint8_t b : data) touch = touch ^ b;  // every byte must be readable
    lastSize = data.size();
    return {};
  }
  vlt::Status WriteNewFile(const std::string& path, std::span<const std::uint8_t> data) override {
    return WriteFile(path, data);
  }
  std::optional<vlt::FileIdentity> Identity(const std::string&) override { return std::nullopt; }
  bool Gone(const std::string&) override { return false; }
  bool HoldsBytes(const std::string&, std::span<const std::uint8_t>) override { return false; }
  std::uint32_t UnforeseeableNumber() override { return 0; }
  std::string ShortPathName(const std::string& path) override { return path; }
  std::optional<std::string> ToOemCodePage(const std::string& text) override { return text; }
};

void Require(bool condition) {
  if (!condition) std::abort();
}

// Reads every byte it is handed.
class TouchingSink : public vlt::ByteSink {
 public:
  bool Append(std::span<const std::uint8_t> bytes) override {
    volatile std::uint8_t touch = 0;
    for (std::uint8_t b : bytes) touch = touch ^ b;
    return true;
  }
};

void InflateAnything(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> stream = {0x78, 0xDA};
  stream.insert(stream.end(), data, data + size);
  vlt::SpanSource source(stream);
  TouchingSink sink;
  const int status = vlt::InflateStream(source, sink);
  Require(status == vlt::kInflateOk || status < 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  InflateAnything(data, size);
  const auto loaded = vlt::LoadFileArrayBinder(std::span(data, size));
  if (!loaded.Ok()) return 0;
  const vlt::TFileArrayBinder* binder = loaded.Value().get();

  const auto stored = vlt::StoreFileArrayBinder(*binder);
  Require(stored.Ok());
  const auto reloaded = vlt::LoadFileArrayBinder(stored.Value());
  Require(reloaded.Ok());
  const auto restored = vlt::StoreFileArrayBinder(*reloaded.Value());
  Require(restored.Ok() && restored.Value() == stored.Value());

  // The start-up check and extraction must agree: a payload the check
  // passes extracts every entry, and a block extraction cannot inflate is
  // never passed.
  const bool sound = vlt::CheckPayload(*binder).Ok();

  SinkFileSystem fs;
  const vlt::TDateiSammlung& entries = binder->DateiSammlung();
  for (int i = 0; i < entries.Count() && i < 4; ++i) {
    const vlt::TDatei& entry = entries.Items(i);
    const std::string path = (i % 2 == 0 ? "C:\\Ziel\\" : "C:\\Fehlt\\") + std::to_string(i);
    const bool written = entry.Entpacken(path, fs);
    if (written) {
      Require(i % 2 == 0 && fs.lastSize == static_cast<std::size_t>(entry.DateiGroesse));
    }
    if (sound && i % 2 == 0) Require(written);
  }
  return 0;
}
