#pragma once
// The build-time packer: joins product files into one zlib stream and writes
// the payload record (payload/BinderRecord.h) that the setup program embeds.
// A host tool only; the setup program itself carries no compressor.
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "payload/FileArrayBinder.h"

namespace vlt::pack {

struct InputFile {
  std::string name;  // stored entry name: the file name without directory
  std::vector<std::uint8_t> bytes;
};

// Fills `binder` with the files in the given order: one zlib stream at
// compression level 9 (so the block begins 0x78 0xDA), entries joined end to
// end, empty descriptions, the component name and design position of the
// built setup program. Raises std::runtime_error when the files together
// exceed the 2 GiB that the entry table can address or a name is longer than
// 255 bytes.
void FillBinder(const std::vector<InputFile>& files, TFileArrayBinder& binder);

// The whole tool: `args` are the command-line arguments after the program
// name: OUTPUT FILE..., or --list FILE, or --version, or --help.
// Packing writes the record to a temporary file beside OUTPUT
// and renames it, so a failed run leaves no new file behind. Prints the entry
// table and the block lengths to `out`, problems to `err`. Returns the exit
// code: 0 on success, 2 for bad arguments, 1 for any other failure.
// --list FILE reads a payload record, or a Windows executable that carries
// one as its resource PAYLOAD, runs the setup program's own whole-payload
// check on it (CheckPayload) and prints the same table and the compressed
// and inflated lengths; for a damaged or missing payload it prints what is
// wrong to `err` and returns 1.
int RunPayloadPack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vlt::pack
