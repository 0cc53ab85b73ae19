#pragma once
// Sample payloads for the payload tests: file contents that compress like a
// program, zlib streams made on the spot, and containers filled the way the
// packing tool fills them.
#include <zlib.h>

#include <cstdint>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "payload/BinderRecord.h"
#include "payload/FileArrayBinder.h"

namespace vlt::samples {

using Bytes = std::vector<std::uint8_t>;

// `size` bytes that begin with "MZ": short runs drawn from a small set of
// opcode-like bytes, zero padding and repeated stretches.
inline Bytes ExeLike(std::size_t size, std::uint32_t seed) {
  std::mt19937 rng(seed);
  static constexpr std::uint8_t kOps[] = {0x8B, 0x89, 0xE8, 0xC3, 0x55,
                                          0x5D, 0x83, 0xFF, 0x74, 0x0F};
  Bytes out = {'M', 'Z'};
  while (out.size() < size) {
    switch (rng() % 4) {
      case 0:
        out.insert(out.end(), rng() % 24, 0);
        break;
      case 1:
        if (out.size() > 64) {
          const std::size_t from = rng() % (out.size() - 32);
          for (std::size_t i = 0; i < 32; ++i) out.push_back(out[from + i]);
        }
        break;
      default:
        for (int i = rng() % 16; i >= 0; --i) {
          out.push_back(rng() % 3 == 0 ? static_cast<std::uint8_t>(rng()) : kOps[rng() % 10]);
        }
    }
  }
  out.resize(size);
  return out;
}

inline Bytes Compress(const Bytes& data, int level = 9) {
  uLongf length = compressBound(static_cast<uLong>(data.size()));
  Bytes block(length);
  if (compress2(block.data(), &length, data.data(), static_cast<uLong>(data.size()), level) !=
      Z_OK) {
    throw std::runtime_error("compress2 failed");
  }
  block.resize(length);
  return block;
}

struct SampleFile {
  std::string name;
  Bytes bytes;
};

inline Bytes Join(const std::vector<SampleFile>& files) {
  Bytes joined;
  for (const SampleFile& f : files) joined.insert(joined.end(), f.bytes.begin(), f.bytes.end());
  return joined;
}

// A container as the packing tool makes it: entries joined end to end.
inline std::unique_ptr<TFileArrayBinder> MakeBinder(const std::vector<SampleFile>& files,
                                                    int level = 9) {
  auto binder = std::make_unique<TFileArrayBinder>();
  binder->Name = "FileArrayBinder1";
  binder->DesignLeft = 128;
  binder->DesignTop = 184;
  std::int32_t start = 0;
  for (const SampleFile& f : files) {
    TDatei& entry = binder->DateiSammlung().Add();
    entry.Dateiname = f.name;
    entry.DateiStart = start;
    entry.DateiGroesse = static_cast<std::int32_t>(f.bytes.size());
    start += entry.DateiGroesse;
  }
  if (!binder->DateiSammlung().SetSammlungsDaten(Compress(Join(files), level))) {
    throw std::runtime_error("no memory for the sample block");
  }
  return binder;
}

// The record of `binder`, as the packing tool stores it.
inline Bytes StoreRecord(const TFileArrayBinder& binder) {
  Result<Bytes> record = StoreFileArrayBinder(binder);
  if (!record.Ok()) throw std::runtime_error(record.Error().subject);
  return std::move(record.Value());
}

// The three files of a built payload, at the sizes of the shipped product.
inline const std::vector<SampleFile>& ProductFiles() {
  static const std::vector<SampleFile> files = {
      {"veltori.exe", ExeLike(794112, 1)},
      {"veltori.hlp", ExeLike(117216, 2)},
      {"veltori.cnt", ExeLike(595, 3)},
  };
  return files;
}

}  // namespace vlt::samples
