// libFuzzer target: the payload record loader and the extraction behind it.
// Any record must either load or fail; a loaded record must store and load
// back to the same bytes; extracting its entries must either succeed with
// exactly the entry's bytes or give false, and a payload the whole check
// passes must extract. The input is also inflated as a zlib stream by the
// program's inflater and by zlib, which must agree on whether it inflates
// and to which bytes. Sanitizers catch every read or write outside a buffer.
#include <zlib.h>

#include <algorithm>
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

// Inflates the zlib stream `stream` with zlib into at most `capacity` bytes:
// whether it inflates whole (zlib's end of stream, every byte of the stream
// taken), and the bytes.
bool ZlibInflates(std::span<const std::uint8_t> stream, std::size_t capacity,
                  std::vector<std::uint8_t>& inflated) {
  inflated.resize(capacity);
  z_stream z{};
  if (inflateInit(&z) != Z_OK) std::abort();
  z.next_in = const_cast<Bytef*>(stream.data());
  z.avail_in = static_cast<uInt>(stream.size());
  z.next_out = inflated.data();
  z.avail_out = static_cast<uInt>(capacity);
  const int status = inflate(&z, Z_FINISH);
  inflated.resize(capacity - z.avail_out);
  const bool whole = status == Z_STREAM_END && z.avail_in == 0;
  inflateEnd(&z);
  return whole;
}

// The input as a zlib stream, inflated by the program's inflater and by
// zlib, which must agree on whether it inflates and to what. The first byte
// chooses the stream: the rest as it is, or the rest as deflate data behind
// a sound header and, where zlib inflates that, the checksum of its bytes
// (so that many inputs inflate); the most bytes it may inflate to: ample, or
// exactly, one byte less or one byte more than zlib's bytes; and the
// working buffer: the usual one, or the smallest, handed on every few
// hundred bytes.
void InflateWithBoth(const std::uint8_t* data, std::size_t size) {
  constexpr std::size_t kAmple = 1 << 16;
  if (size == 0) return;
  const unsigned choice = data[0];
  const std::span<const std::uint8_t> rest(data + 1, size - 1);
  std::vector<std::uint8_t> stream;
  if ((choice & 1) != 0) {
    stream.assign(rest.begin(), rest.end());
  } else {
    stream = {0x78, 0xDA};
    std::vector<std::uint8_t> raw(kAmple);
    z_stream z{};
    if (inflateInit2(&z, -15) != Z_OK) std::abort();
    z.next_in = const_cast<Bytef*>(rest.data());
    z.avail_in = static_cast<uInt>(rest.size());
    z.next_out = raw.data();
    z.avail_out = static_cast<uInt>(raw.size());
    const bool ended = inflate(&z, Z_FINISH) == Z_STREAM_END;
    const std::size_t taken = rest.size() - z.avail_in;
    const std::size_t made = raw.size() - z.avail_out;
    inflateEnd(&z);
    stream.insert(stream.end(), rest.begin(), rest.begin() + (ended ? taken : rest.size()));
    if (ended) {
      const uLong adler = adler32(adler32(0, nullptr, 0), raw.data(), static_cast<uInt>(made));
      for (int shift = 24; shift >= 0; shift -= 8) stream.push_back((adler >> shift) & 0xFF);
    }
  }

  std::vector<std::uint8_t> expected;
  std::size_t capacity = kAmple;
  if (ZlibInflates(stream, kAmple, expected)) {
    const std::size_t length = expected.size();
    const std::size_t choices[] = {kAmple, length, length > 0 ? length - 1 : 0, length + 1};
    capacity = choices[(choice >> 1) & 3];
  }
  const bool zlibWhole = ZlibInflates(stream, capacity, expected);

  struct Collected : vlt::InflateSink {
    bool Take(std::span<const std::uint8_t> piece) override {
      bytes.insert(bytes.end(), piece.begin(), piece.end());
      return true;
    }
    std::vector<std::uint8_t> bytes;
  } ours;
  const vlt::Inflated result = vlt::InflateStream(
      stream, capacity, ours, (choice & 8) != 0 ? vlt::kInflateMinWorkSize : vlt::kInflateWorkSize);
  Require(result.status == vlt::kInflateOk || result.status < 0);
  Require(result.length == ours.bytes.size() && result.length <= capacity);
  Require((result.status == vlt::kInflateOk) == zlibWhole);
  if (zlibWhole) Require(ours.bytes == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  InflateWithBoth(data, size);
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
    const bool written = entry.Entpacken(path, fs).Ok();
    if (written) {
      Require(i % 2 == 0 && fs.lastSize == static_cast<std::size_t>(entry.DateiGroesse));
    }
    if (sound && i % 2 == 0) Require(written);
  }
  return 0;
}
