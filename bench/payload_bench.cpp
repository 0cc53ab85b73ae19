// payload_bench: what one extraction costs against a bare zlib inflate of the
// same block, and its peak memory against the bound of the entry's bytes,
// the inflater's working buffer and the compressed block. Payloads at the
// shipped product's sizes
// (794,112 + 117,216 + 595 bytes) and at 10 and 100 times those sizes, with
// content that compresses about as well as a program does; and what the
// start-up check of the whole payload costs at those sizes.
//
// Every time is taken twice: with fresh memory for every buffer, as a
// program gets it, and with the allocator keeping freed memory, which leaves
// the work itself. Where the first touch of fresh memory is dear (on some
// virtual machines it costs as much as inflating into it), the first column
// counts page faults too: the bare inflate fills a buffer of the inflated
// size, an extraction one of its entry's size and the start-up check none.
// The first touch is measured on its own too. Each time is the median of
// several runs.
#include <malloc.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "bench/AllocationCounter.h"
#include "common/ZLibEx.h"
#include "payload/FileArrayBinder.h"
#include "payload/PayloadCheck.h"
#include "platform/FileSystem.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Program-like bytes: instruction-like runs with operands, zero padding,
// text of a resource and string table, and repeats of recent stretches.
// About 48% of its size at compression level 9.
Bytes ProgramLike(std::size_t size, std::uint32_t seed) {
  static constexpr std::uint8_t kOps[] = {
      0x8B, 0x89, 0xE8, 0xC3, 0x55, 0x5D, 0x83, 0xFF, 0x74, 0x75, 0x0F, 0x85, 0x84, 0x50, 0x51,
      0x52, 0x53, 0x56, 0x57, 0x5E, 0x5F, 0x33, 0xC0, 0x6A, 0x68, 0xEB, 0xE9, 0x8D, 0x3B, 0x85};
  static constexpr const char* kWords[] = {
      "Hilfe",  "Eintrag",       "VelTori", "Advanced", "Text",    "Bild",  "Fehler",
      "Datei",  "Einstellungen", "Sprache", "Deutsch",  "English", "Taste", "Fenster",
      "Button", "Caption",       "Width",   "Height",   "Font",    "Color"};
  std::mt19937 rng(seed);
  Bytes out = {'M', 'Z'};
  out.reserve(size + 4096);
  while (out.size() < size) {
    const unsigned kind = rng() % 100;
    if (kind < 42) {
      for (unsigned n = 8 + rng() % 64; n > 0; --n) {
        out.push_back(kOps[rng() % std::size(kOps)]);
        const unsigned operand = rng() % 6;
        if (operand == 0) {
          for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(rng()));
        } else if (operand < 3) {
          out.push_back(static_cast<std::uint8_t>(rng() % 64 * 4));
        }
      }
    } else if (kind < 50) {
      out.insert(out.end(), rng() % 200, 0);
    } else if (kind < 62) {
      for (unsigned n = 1 + rng() % 6; n > 0; --n) {
        const std::string word = kWords[rng() % std::size(kWords)];
        out.insert(out.end(), word.begin(), word.end());
        out.push_back(rng() % 3 != 0 ? ' ' : 0);
      }
    } else if (out.size() > 4096) {
      const std::size_t length = 16 + rng() % 200;
      const std::size_t reach = std::min<std::size_t>(out.size() - length - 1, 65535 - length);
      const std::size_t from = out.size() - 1 - rng() % reach;
      for (std::size_t i = 0; i < length; ++i) out.push_back(out[from + i]);
    }
  }
  out.resize(size);
  return out;
}

Bytes Compress(const Bytes& data) {
  uLongf length = compressBound(static_cast<uLong>(data.size()));
  Bytes block(length);
  if (compress2(block.data(), &length, data.data(), static_cast<uLong>(data.size()), 9) != Z_OK) {
    std::fprintf(stderr, "compress2 failed\n");
    std::exit(1);
  }
  block.resize(length);
  return block;
}

// Takes each file and forgets it, as a fast disk would.
class DiscardingFileSystem : public vlt::FileSystem {
 public:
  std::size_t written = 0;
  vlt::Status ForceDirectories(const std::string&) override { return {}; }
  bool DirectoryExists(const std::string&) override { return true; }
  bool IsReparsePoint(const std::string&) override { return false; }
  std::vector<vlt::DirEntry> Find(const std::string&) override { return {}; }
  vlt::Status DeleteFile(const std::string&) override { return {}; }
  vlt::Status RemoveDirectory(const std::string&) override { return {}; }
  vlt::Status CopyFile(const std::string&, const std::string&) override { return {}; }
  std::optional<std::uint64_t> FileSize(const std::string&) override { return std::nullopt; }
  vlt::Status SetNormalAttributes(const std::string&) override { return {}; }
  vlt::Status WriteFile(const std::string&, std::span<const std::uint8_t> data) override {
    written += data.size();
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

double Milliseconds(const std::function<void()>& run, int repeats) {
  std::vector<double> times;
  for (int i = 0; i < repeats; ++i) {
    const auto start = std::chrono::steady_clock::now();
    run();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    times.push_back(took.count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// The fastest inflate zlib offers: the whole block in, the whole result out
// in one call, into fresh memory of the final size (as an extraction, too,
// works in fresh memory).
void BareInflate(const Bytes& block, std::size_t inflated) {
  const auto out = std::make_unique_for_overwrite<std::uint8_t[]>(inflated);
  z_stream stream{};
  inflateInit(&stream);
  stream.next_in = const_cast<Bytef*>(block.data());
  stream.avail_in = static_cast<uInt>(block.size());
  stream.next_out = out.get();
  stream.avail_out = static_cast<uInt>(inflated);
  const int status = inflate(&stream, Z_FINISH);
  inflateEnd(&stream);
  if (status != Z_STREAM_END) {
    std::fprintf(stderr, "bare inflate failed: %d\n", status);
    std::exit(1);
  }
}

// What zlib's inflater allocates with malloc (its state, and the 32 KiB
// window it adds once output leaves in pieces), which operator new does not
// see.
std::size_t ZlibStateBytes() {
  const Bytes block = Compress(Bytes(100000, 1));
  Bytes out(1000);
  const struct mallinfo2 before = mallinfo2();
  z_stream stream{};
  inflateInit(&stream);
  stream.next_in = const_cast<Bytef*>(block.data());
  stream.avail_in = static_cast<uInt>(block.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  inflate(&stream, Z_NO_FLUSH);
  const struct mallinfo2 during = mallinfo2();
  inflateEnd(&stream);
  return (during.uordblks + during.hblkhd) - (before.uordblks + before.hblkhd);
}

// Writes every byte of a new buffer once: what the machine charges for
// memory that no one has touched yet (page faults, zeroing).
void FirstTouch(std::size_t bytes) {
  const auto buffer = std::make_unique_for_overwrite<std::uint8_t[]>(bytes);
  std::memset(buffer.get(), 1, bytes);
  volatile std::uint8_t sink = buffer[bytes / 2];
  static_cast<void>(sink);
}

struct Timings {
  double bare = 0;
  double check = 0;
  double entries[3] = {};
};

Timings TimeAll(const vlt::TFileArrayBinder& binder, const Bytes& block, std::size_t inflated,
                vlt::FileSystem& fs, int repeats) {
  Timings t;
  t.bare = Milliseconds([&] { BareInflate(block, inflated); }, repeats);
  t.check = Milliseconds([&] { static_cast<void>(vlt::CheckPayload(binder)); }, repeats);
  for (int i = 0; i < 3; ++i) {
    const vlt::TDatei& entry = binder.DateiSammlung().Items(i);
    t.entries[i] = Milliseconds(
        [&] { vlt::IgnoreFailure(entry.Entpacken("C:\\bench\\file", fs), "only timed"); }, repeats);
  }
  return t;
}

// Runs `measure` with the allocator keeping freed memory for the next
// request instead of giving it back to the system, so that the buffers of
// one run reuse pages an earlier run touched: what is left is the work of
// inflating and copying, without the first touches of fresh memory (which
// cost some machines far more than the copying itself).
template <typename Measure>
auto WithFreedMemoryKept(Measure measure) {
  constexpr int kDefaultThreshold = 128 * 1024;
  mallopt(M_MMAP_THRESHOLD, 1 << 30);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  auto result = measure();
  mallopt(M_MMAP_THRESHOLD, kDefaultThreshold);
  mallopt(M_TRIM_THRESHOLD, kDefaultThreshold);
  malloc_trim(0);
  return result;
}

std::string Grouped(std::uint64_t n) {
  const std::string digits = std::to_string(n);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

void RunScale(int scale, std::size_t zlibState) {
  const std::size_t sizes[] = {794112u * scale, 117216u * scale, 595u * scale};
  vlt::TFileArrayBinder binder;
  Bytes joined;
  for (std::size_t i = 0; i < 3; ++i) {
    const Bytes file = ProgramLike(sizes[i], static_cast<std::uint32_t>(i + 1));
    vlt::TDatei& entry = binder.DateiSammlung().Add();
    entry.DateiStart = static_cast<std::int32_t>(joined.size());
    entry.DateiGroesse = static_cast<std::int32_t>(file.size());
    joined.insert(joined.end(), file.begin(), file.end());
  }
  const Bytes block = Compress(joined);
  if (!binder.DateiSammlung().SetSammlungsDaten(block)) std::abort();
  const std::size_t inflated = joined.size();
  Bytes().swap(joined);

  std::printf("\npayload x%d: %s + %s + %s = %s bytes, compressed %s bytes (%.1f%%)\n", scale,
              Grouped(sizes[0]).c_str(), Grouped(sizes[1]).c_str(), Grouped(sizes[2]).c_str(),
              Grouped(inflated).c_str(), Grouped(block.size()).c_str(),
              100.0 * block.size() / inflated);

  const int repeats = scale == 1 ? 15 : scale == 10 ? 5 : 3;
  DiscardingFileSystem fs;
  const Timings fresh = TimeAll(binder, block, inflated, fs, repeats);
  const Timings reused =
      WithFreedMemoryKept([&] { return TimeAll(binder, block, inflated, fs, repeats); });
  std::printf("                                       fresh memory          freed memory kept\n");
  std::printf("  bare zlib inflate of the block      %9.2f ms             %9.2f ms\n", fresh.bare,
              reused.bare);
  // The start-up check inflates the whole block once and keeps nothing.
  std::printf("  CheckPayload of the whole payload   %9.2f ms = %.2f x    %9.2f ms = %.2f x\n",
              fresh.check, fresh.check / fresh.bare, reused.check, reused.check / reused.bare);
  for (int i = 0; i < 3; ++i) {
    std::printf("  Entpacken entry %d (%11s bytes) %9.2f ms = %.2f x    %9.2f ms = %.2f x\n", i,
                Grouped(sizes[i]).c_str(), fresh.entries[i], fresh.entries[i] / fresh.bare,
                reused.entries[i], reused.entries[i] / reused.bare);
  }
  const double touch = Milliseconds([&] { FirstTouch(inflated); }, repeats);
  std::printf("  first touch of %s fresh bytes: %.2f ms (a bare inflate fills one such\n"
              "  buffer, an extraction one of its entry's size, the start-up check none)\n",
              Grouped(inflated).c_str(), touch);

  // An extraction holds the entry's bytes and the inflater's working buffer
  // (and zlib's state nothing); the container's compressed block stays
  // resident throughout.
  for (int i = 0; i < 3; ++i) {
    const vlt::TDatei& entry = binder.DateiSammlung().Items(i);
    const std::size_t live = vlt::bench::LiveBytes();
    vlt::bench::ResetPeak();
    vlt::IgnoreFailure(entry.Entpacken("C:\\bench\\file", fs), "only its memory is measured");
    const std::size_t peak = vlt::bench::PeakBytes() - live;
    const std::size_t bound = sizes[i] + vlt::kInflateWorkSize;
    std::printf("  peak memory, Entpacken entry %d      %s bytes in its buffers; entry + working\n"
                "                                      buffer %s bytes; peak - that = %+lld bytes\n",
                i, Grouped(peak).c_str(), Grouped(bound).c_str(),
                static_cast<long long>(peak) - static_cast<long long>(bound));
  }
  std::printf("  resident compressed block           %s bytes\n", Grouped(block.size()).c_str());
  std::printf("  zlib's state while inflating        %s bytes (for the bare inflate)\n",
              Grouped(zlibState).c_str());
}

}  // namespace

int main() {
  const std::size_t zlibState = ZlibStateBytes();
  std::printf(
      "payload_bench: times are the median of several runs; files go to a discarding file system\n");
  for (int scale : {1, 10, 100}) RunScale(scale, zlibState);
  return 0;
}
