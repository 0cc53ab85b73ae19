#include "tools/PayloadPack.h"

#include <zlib.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iterator>
#include <limits>
#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <system_error>

#include "payload/BinderRecord.h"
#include "payload/PayloadCheck.h"
#include "tools/PeResources.h"

namespace vlt::pack {
namespace {

namespace fs = std::filesystem;

constexpr int kCompressionLevel = 9;
constexpr const char* kUsage =
    "usage: payload-pack OUTPUT FILE...\n"
    "       payload-pack --list FILE\n"
    "       payload-pack --version\n"
    "  Packs the FILEs, in the order given, into the payload record OUTPUT.\n"
    "  --list checks the payload of FILE (a payload record or a built setup\n"
    "  program) and prints its table; the exit code is 0 only when it is sound.\n";

// A failure with a message meant for the user.
struct PackError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::vector<std::uint8_t> Compress(const std::vector<std::uint8_t>& joined) {
  uLongf length = compressBound(static_cast<uLong>(joined.size()));
  std::vector<std::uint8_t> block(length);
  const int status = compress2(block.data(), &length, joined.data(),
                               static_cast<uLong>(joined.size()), kCompressionLevel);
  if (status != Z_OK)
    throw PackError("zlib could not compress the files (status " + std::to_string(status) + ")");
  block.resize(length);
  return block;
}

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw PackError("cannot read " + path + ": " + std::strerror(errno));
  std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
  if (in.bad()) throw PackError("cannot read " + path + ": read error");
  return bytes;
}

InputFile ReadInput(const std::string& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (ec) throw PackError("cannot read " + path + ": " + ec.message());
  if (!fs::exists(status)) throw PackError("cannot read " + path + ": no such file");
  if (!fs::is_regular_file(status)) throw PackError("cannot read " + path + ": not a regular file");

  return InputFile{.name = fs::path(path).filename().string(), .bytes = ReadBytes(path)};
}

// Writes beside `output` first, so a failure never leaves a partial record
// under the output's name.
void WriteAtomically(const std::string& output, const std::vector<std::uint8_t>& bytes) {
  const fs::path target(output);
  fs::path temp = target;
  temp += ".tmp-payload-pack";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) throw PackError("cannot write " + temp.string() + ": " + std::strerror(errno));
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      fs::remove(temp, ignored);
      throw PackError("cannot write " + temp.string() + ": write error");
    }
  }
  std::error_code ec;
  fs::rename(temp, target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    throw PackError("cannot create " + output + ": " + ec.message());
  }
}

void PrintTable(const TFileArrayBinder& binder, std::uint64_t inflated, std::ostream& out) {
  const TDateiSammlung& entries = binder.DateiSammlung();
  std::size_t nameWidth = 4;
  for (int i = 0; i < entries.Count(); ++i)
    nameWidth = std::max(nameWidth, entries.Items(i).Dateiname.size());

  out << std::left << std::setw(7) << "index" << std::setw(static_cast<int>(nameWidth) + 2)
      << "name" << std::right << std::setw(12) << "size" << std::setw(12) << "start" << '\n';
  for (int i = 0; i < entries.Count(); ++i) {
    const TDatei& entry = entries.Items(i);
    out << std::left << std::setw(7) << i << std::setw(static_cast<int>(nameWidth) + 2)
        << entry.Dateiname << std::right << std::setw(12) << entry.DateiGroesse << std::setw(12)
        << entry.DateiStart << '\n';
  }
  out << "compressed block: " << entries.SammlungsDaten().Size() << " bytes\n"
      << "inflated block:   " << inflated << " bytes\n";
}

// The payload record `path` holds: the file itself, or the resource PAYLOAD
// of a built setup program.
std::vector<std::uint8_t> RecordOf(const std::string& path, const std::vector<std::uint8_t>& file) {
  if (!pe::LooksLikePe(file)) return file;
  std::optional<std::span<const std::uint8_t>> record;
  try {
    record = pe::FindResource(file, pe::kRtRcdata, std::string(kPayloadResource));
  } catch (const pe::PeError& e) {
    throw PackError(path + ": damaged program: " + e.what());
  }
  if (!record)
    throw PackError(path + ": no payload record: the program has no RCDATA resource " +
                    kPayloadResource);
  return {record->begin(), record->end()};
}

int ListPayload(const std::string& path, std::ostream& out, std::ostream& err) {
  try {
    const std::vector<std::uint8_t> record = RecordOf(path, ReadBytes(path));
    const Result<std::unique_ptr<TFileArrayBinder>> binder = LoadFileArrayBinder(record);
    if (!binder.Ok()) throw PackError(path + ": no sound payload record: " + binder.Error().subject);
    const Result<PayloadLengths> lengths = CheckPayload(*binder.Value());
    if (!lengths.Ok()) throw PackError(path + ": damaged payload: " + lengths.Error().subject);
    PrintTable(*binder.Value(), lengths.Value().inflated, out);
    return 0;
  } catch (const std::exception& e) {
    err << "payload-pack: " << e.what() << '\n';
    return 1;
  }
}

}  // namespace

void FillBinder(const std::vector<InputFile>& files, TFileArrayBinder& binder) {
  binder.Name = "FileArrayBinder1";
  binder.DesignLeft = 128;
  binder.DesignTop = 184;

  TDateiSammlung& entries = binder.DateiSammlung();
  entries.Clear();
  std::vector<std::uint8_t> joined;
  for (const InputFile& file : files) {
    if (file.name.size() > 255) throw PackError("file name longer than 255 bytes: " + file.name);
    if (joined.size() + file.bytes.size() >
        static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
      throw PackError("the files together exceed 2 GiB, more than the entry table can address");
    }
    TDatei& entry = entries.Add();
    entry.Dateiname = file.name;
    entry.DateiStart = static_cast<std::int32_t>(joined.size());
    entry.DateiGroesse = static_cast<std::int32_t>(file.bytes.size());
    joined.insert(joined.end(), file.bytes.begin(), file.bytes.end());
  }
  if (!entries.SetSammlungsDaten(Compress(joined))) throw std::bad_alloc();
}

int RunPayloadPack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    out << kUsage;
    return 0;
  }
  if (args.size() == 1 && args[0] == "--version") {
    out << "payload-pack " << VELTORI_VERSION << '\n';
    return 0;
  }
  if (!args.empty() && args[0] == "--list") {
    if (args.size() != 2 || args[1].empty()) {
      err << "payload-pack: --list takes one file\n" << kUsage;
      return 2;
    }
    return ListPayload(args[1], out, err);
  }
  for (const std::string& arg : args) {
    if (arg.size() > 1 && arg[0] == '-') {
      err << "payload-pack: unknown option " << arg << '\n' << kUsage;
      return 2;
    }
    if (arg.empty()) {
      err << "payload-pack: empty argument\n" << kUsage;
      return 2;
    }
  }
  if (args.size() < 2) {
    err << "payload-pack: "
        << (args.empty() ? "no output file and no input files given" : "no input files given")
        << '\n'
        << kUsage;
    return 2;
  }

  try {
    std::vector<InputFile> files;
    for (std::size_t i = 1; i < args.size(); ++i) files.push_back(ReadInput(args[i]));
    TFileArrayBinder binder;
    FillBinder(files, binder);
    const Result<std::vector<std::uint8_t>> record = StoreFileArrayBinder(binder);
    if (!record.Ok()) throw PackError(record.Error().subject);
    WriteAtomically(args[0], record.Value());
    std::uint64_t inflated = 0;
    for (const InputFile& file : files) inflated += file.bytes.size();
    PrintTable(binder, inflated, out);
    return 0;
  } catch (const std::exception& e) {
    err << "payload-pack: " << e.what() << '\n';
    return 1;
  }
}

}  // namespace vlt::pack
