#include "payload/PayloadCheck.h"

#include <algorithm>
#include <string>

#include "common/Concat.h"
#include "common/HeapBytes.h"
#include "common/ZLibEx.h"

namespace vlt {
namespace {

std::string EntryText(int index, const TDatei& entry) {
  return Concat({"entry ", std::to_string(index), " (\"", entry.Dateiname, "\", start ",
                 std::to_string(entry.DateiStart), ", size ", std::to_string(entry.DateiGroesse),
                 ")"});
}

}  // namespace

Result<PayloadLengths> CheckPayload(const TFileArrayBinder& binder) {
  const TDateiSammlung& files = binder.DateiSammlung();
  for (int index = 0; index < files.Count(); ++index) {
    const TDatei& entry = files.Items(index);
    if (entry.DateiStart < 0 || entry.DateiGroesse < 0) {
      return Failure{Concat({EntryText(index, entry), " has a negative start or size"})};
    }
  }

  const std::span<const std::uint8_t> block = files.SammlungsDaten().Bytes();
  PayloadLengths lengths{.compressed = block.size()};
  if (!block.empty()) {
    const std::size_t room = std::min(files.InflatedLength(), MaxInflatedLength(block.size()));
    const HeapBytes inflated = AllocateBytes(room);
    const Inflated result =
        inflated ? InflateInto(block, {inflated.get(), room}) : Inflated{.status = kInflateMemoryError};
    if (result.status != kInflateOk) {
      return Failure{Concat(
          {"the compressed block does not inflate: ", InflateStatusText(result.status)})};
    }
    lengths.inflated = result.length;
  }
  for (int index = 0; index < files.Count(); ++index) {
    const TDatei& entry = files.Items(index);
    if (!entry.LiesWithin(lengths.inflated)) {
      return Failure{Concat({EntryText(index, entry), " lies outside the inflated block of ",
                             std::to_string(lengths.inflated), " bytes"})};
    }
  }
  return lengths;
}

}  // namespace vlt
