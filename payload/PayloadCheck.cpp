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
  void Append(std::span<const std::uint8_t> bytes) override { count_ += bytes.size(); }
  std::size_t Count() const { return count_; }

 private:
  std::size_t count_ = 0;
};

}  // namespace

PayloadLengths CheckPayload(const TFileArrayBinder& binder) {
  const TDateiSammlung& files = binder.DateiSammlung();
  PayloadLengths lengths{.compressed = files.SammlungsDaten().Size()};
  if (lengths.compressed > 0) {
    SpanSource source(files.SammlungsDaten().Bytes());
    CountingSink sink;
    try {
      InflateStream(source, sink);
    } catch (const EZCompressionError& error) {
      throw PayloadError(Concat({"the compressed block does not inflate: ", error.what()}));
    }
    lengths.inflated = sink.Count();
  }
  for (int index = 0; index < files.Count(); ++index) {
    const TDatei& entry = files.Items(index);
    if (!entry.LiesWithin(lengths.inflated)) {
      throw PayloadError(Concat({"entry ", std::to_string(index), " (\"", entry.Dateiname,
                                 "\", start ", std::to_string(entry.DateiStart), ", size ",
                                 std::to_string(entry.DateiGroesse),
                                 ") lies outside the inflated block of ",
                                 std::to_string(lengths.inflated), " bytes"}));
    }
  }
  return lengths;
}

}  // namespace vlt
