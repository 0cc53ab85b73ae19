#include "payload/PayloadCheck.h"

#include <string>

#include "common/Concat.h"
#include "common/ZLibEx.h"

namespace vlt {
Result<PayloadLengths> CheckPayload(const TFileArrayBinder& binder) {
  const TDateiSammlung& files = binder.DateiSammlung();
  const std::span<const std::uint8_t> block = files.SammlungsDaten().Bytes();
  PayloadLengths lengths{.compressed = block.size()};
  if (!block.empty()) {
    // The inflated bytes are only counted (InflateStream does that).
    struct : InflateSink {
      bool Take(std::span<const std::uint8_t>) override { return true; }
    } nowhere;
    const Inflated result = InflateStream(block, files.InflatedLength(), nowhere);
    if (result.status != kInflateOk) {
      return Fault(
          Concat({"the compressed block does not inflate: ", InflateStatusText(result.status)}));
    }
    lengths.inflated = result.length;
  }
  for (int index = 0; index < files.Count(); ++index) {
    const TDatei& entry = files.Items(index);
    if (!entry.LiesWithin(lengths.inflated)) {
      return Fault(Concat({"entry ", std::to_string(index), " (\"", entry.Dateiname,
                                 "\", start ", std::to_string(entry.DateiStart), ", size ",
                                 std::to_string(entry.DateiGroesse),
                                 ") lies outside the inflated block of ",
                                 std::to_string(lengths.inflated), " bytes"}));
    }
  }
  return lengths;
}

}  // namespace vlt
