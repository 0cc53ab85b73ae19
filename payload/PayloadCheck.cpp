#include "payload/PayloadCheck.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "common/Concat.h"
#include "common/ZLibEx.h"

namespace vlt {
namespace {

// Counts the inflated bytes and lets them go.
class CountingSink : public ByteSink {
 public:
  bool Append(std::span<const std::uint8_t> bytes) override {
    count_ += bytes.size();
    return true;
  }
  std::size_t Count() const { return count_; }

 private:
  std::size_t count_ = 0;
};

}  // namespace

Result<PayloadLengths> CheckPayload(const TFileArrayBinder& binder) {
  const TDateiSammlung& files = binder.DateiSammlung();
  PayloadLengths lengths{.compressed = files.SammlungsDaten().Size()};
  if (lengths.compressed > 0) {
    SpanSource source(files.SammlungsDaten().Bytes());
    CountingSink sink;
    if (const int status = InflateStream(source, sink); status != 0) {
      return Fault(Concat({"the compressed block does not inflate: ", InflateStatusText(status)}));
    }
    lengths.inflated = sink.Count();
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
