#include "payload/ZLibEx.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <vector>

namespace vlt {
namespace {

constexpr std::size_t kBufferSize = 0x8000;

// Ends the inflater on every exit; the normal path ends it itself to check
// the status.
class InflaterGuard {
 public:
  explicit InflaterGuard(z_stream& stream) : stream_(&stream) {}
  ~InflaterGuard() {
    if (stream_ != nullptr) inflateEnd(stream_);
  }
  InflaterGuard(const InflaterGuard&) = delete;
  InflaterGuard& operator=(const InflaterGuard&) = delete;
  int End() {
    z_stream* stream = stream_;
    stream_ = nullptr;
    return inflateEnd(stream);
  }

 private:
  z_stream* stream_;
};

// One call of inflate. A stream that asks for a preset dictionary cannot be
// inflated here, and newer zlib would keep asking instead of failing.
int InflateStep(z_stream& stream, int flush) {
  const int status = inflate(&stream, flush);
  if (status == Z_NEED_DICT) throw EZCompressionError(InflateStatusText(Z_STREAM_ERROR));
  return status;
}

// One call of inflate with the output going straight into the target's room
// when it has some, else through `out` and Append.
int InflateInto(z_stream& stream, int flush, ByteSink& target, std::vector<std::uint8_t>& out) {
  const std::span<std::uint8_t> room = target.Room();
  const bool direct = !room.empty();
  const std::size_t capacity = direct ? std::min<std::size_t>(room.size(), UINT_MAX) : out.size();
  stream.next_out = direct ? room.data() : out.data();
  stream.avail_out = static_cast<uInt>(capacity);
  const int status = InflateStep(stream, flush);
  const std::size_t produced = capacity - stream.avail_out;
  if (direct) {
    target.Commit(produced);
  } else if (produced > 0) {
    target.Append(std::span(out.data(), produced));
  }
  return status;
}

}  // namespace

std::string InflateStatusText(int status) {
  // Indexed by 2 - status, zlib's own order.
  static constexpr std::array<const char*, 9> kTexts = {
      "need dictionary",     "stream end",   "",
      "file error",          "stream error", "data error",
      "insufficient memory", "buffer error", "incompatible version"};
  if (status > 2 || status < -6) return "unknown zlib status " + std::to_string(status);
  return kTexts[static_cast<std::size_t>(2 - status)];
}

int CheckInflateStatus(int status) {
  if (status < 0) throw EZCompressionError(InflateStatusText(status));
  return status;
}

void InflateStream(ByteSource& source, ByteSink& target) {
  z_stream stream{};  // zero-filled: zlib's own memory routines
  CheckInflateStatus(inflateInit(&stream));
  InflaterGuard guard(stream);

  std::vector<std::uint8_t> in(kBufferSize);
  std::vector<std::uint8_t> out(kBufferSize);

  std::size_t delivered = source.Read(in);
  while (delivered > 0) {
    stream.next_in = in.data();
    stream.avail_in = static_cast<uInt>(delivered);
    do {
      const int status = InflateInto(stream, Z_NO_FLUSH, target, out);
      // Without flushing, "no progress" only means that zlib wants more input:
      // it happens on sound streams when a piece of input ends exactly where
      // the output buffer filled. A truncated stream still fails below, when
      // finishing.
      if (status != Z_BUF_ERROR) CheckInflateStatus(status);
      // Input after the end of the stream would never be taken.
      if (status == Z_STREAM_END && stream.avail_in > 0) {
        throw EZCompressionError(InflateStatusText(Z_DATA_ERROR));
      }
    } while (stream.avail_in > 0 || stream.avail_out == 0);
    delivered = source.Read(in);
  }

  int status = Z_OK;
  do {
    status = CheckInflateStatus(InflateInto(stream, Z_FINISH, target, out));
  } while (status != Z_STREAM_END || stream.avail_out == 0);

  CheckInflateStatus(guard.End());
}

}  // namespace vlt
