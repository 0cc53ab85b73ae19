#include "common/ZLibEx.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>

#include "common/HeapBytes.h"

namespace vlt {
namespace {

// zlib's inflateBack() does the raw deflate part in one call, with the
// output in a window of ours and the input and output through callbacks.
// Its object is a third of the size of inflate()'s, which also brings the
// gzip checksum code (together 17 KB more in the Windows program); the
// RFC 1950 frame around the deflate data (two header bytes, the Adler-32
// trailer) is read here.
constexpr int kWindowBits = MAX_WBITS;
constexpr std::size_t kWindowSize = std::size_t{1} << kWindowBits;
constexpr std::size_t kInputSize = 0x8000;

// The source's bytes, a buffer at a time: shared by the frame reader and
// inflateBack's input callback.
class Input {
 public:
  explicit Input(ByteSource& source) : source_(source), buffer_(AllocateBytes(kInputSize)) {}

  bool Allocated() const { return buffer_ != nullptr; }
  // Reads the next buffer when the current one is used up; false at the end.
  bool Fill() {
    if (rest_.empty()) {
      rest_ = std::span<const std::uint8_t>(
          buffer_.get(), source_.Read(std::span<std::uint8_t>(buffer_.get(), kInputSize)));
    }
    return !rest_.empty();
  }
  // The next byte into `byte`; false when the source has ended (a cut stream).
  bool Byte(unsigned& byte) {
    if (!Fill()) return false;
    byte = rest_.front();
    rest_ = rest_.subspan(1);
    return true;
  }
  std::span<const std::uint8_t> Rest() const { return rest_; }
  void SetRest(std::span<const std::uint8_t> rest) { rest_ = rest; }

 private:
  ByteSource& source_;
  HeapBytes buffer_;
  std::span<const std::uint8_t> rest_;
};

// Checks the RFC 1950 header: deflate, a window zlib can hold, the header
// check; a preset dictionary cannot be had here.
int ReadHeader(Input& input) {
  unsigned cmf = 0;
  unsigned flg = 0;
  if (!input.Byte(cmf) || !input.Byte(flg)) return Z_BUF_ERROR;
  const bool deflate = (cmf & 0x0F) == Z_DEFLATED && (cmf >> 4) + 8 <= kWindowBits;
  if (!deflate || (cmf << 8 | flg) % 31 != 0) return Z_DATA_ERROR;
  if ((flg & 0x20) != 0) return Z_STREAM_ERROR;
  return Z_OK;
}

// What the callbacks share: the output callback reports a target that
// cannot take the bytes, and inflateBack stops.
struct Callbacks {
  Input& input;
  ByteSink& target;
  uLong adler;
  bool targetFull;

  static unsigned In(void* context, z_const unsigned char** next) {
    Input& input = static_cast<Callbacks*>(context)->input;
    if (!input.Fill()) return 0;
    const std::span<const std::uint8_t> rest = input.Rest();
    input.SetRest({});
    *next = const_cast<unsigned char*>(rest.data());
    return static_cast<unsigned>(rest.size());
  }

  static int Out(void* context, unsigned char* bytes, unsigned length) {
    auto& self = *static_cast<Callbacks*>(context);
    self.adler = adler32(self.adler, bytes, length);
    if (self.Deliver(std::span<const std::uint8_t>(bytes, length))) return 0;
    self.targetFull = true;
    return 1;
  }

  // Into the target's room while it has some, the rest by Append.
  bool Deliver(std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
      const std::span<std::uint8_t> room = target.Room();
      if (room.empty()) return target.Append(bytes);
      const std::size_t count = std::min(room.size(), bytes.size());
      std::copy_n(bytes.data(), count, room.data());
      target.Commit(count);
      bytes = bytes.subspan(count);
    }
    return true;
  }
};

// Ends the inflater on every exit.
class BackInflater {
 public:
  BackInflater(z_stream& stream, unsigned char* window) : stream_(stream) {
    status_ = inflateBackInit(&stream_, kWindowBits, window);
  }
  ~BackInflater() {
    if (status_ == Z_OK) inflateBackEnd(&stream_);
  }
  BackInflater(const BackInflater&) = delete;
  BackInflater& operator=(const BackInflater&) = delete;
  int Status() const { return status_; }

 private:
  z_stream& stream_;
  int status_;
};

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

int InflateStream(ByteSource& source, ByteSink& target) {
  Input input(source);
  const HeapBytes window = AllocateBytes(kWindowSize);
  if (!input.Allocated() || !window) return Z_MEM_ERROR;
  if (const int header = ReadHeader(input); header != Z_OK) return header;

  z_stream stream{};  // zero-filled: zlib's own memory routines
  const BackInflater inflater(stream, window.get());
  if (inflater.Status() != Z_OK) return inflater.Status();
  Callbacks callbacks{input, target, adler32(0, Z_NULL, 0), false};
  // What the header left of the first buffer goes to zlib first.
  stream.next_in = const_cast<unsigned char*>(input.Rest().data());
  stream.avail_in = static_cast<uInt>(input.Rest().size());
  input.SetRest({});
  const int status =
      inflateBack(&stream, &Callbacks::In, &callbacks, &Callbacks::Out, &callbacks);
  if (callbacks.targetFull) return Z_MEM_ERROR;
  // Z_BUF_ERROR: the input ended before the deflate data did.
  if (status != Z_STREAM_END) return status < 0 ? status : Z_DATA_ERROR;

  // The Adler-32 of the inflated bytes, most significant byte first, and
  // then nothing more.
  input.SetRest(std::span<const std::uint8_t>(stream.next_in, stream.avail_in));
  uLong trailer = 0;
  for (int i = 0; i < 4; ++i) {
    unsigned byte = 0;
    if (!input.Byte(byte)) return Z_BUF_ERROR;
    trailer = trailer << 8 | byte;
  }
  if (trailer != callbacks.adler || input.Fill()) return Z_DATA_ERROR;
  return Z_OK;
}

}  // namespace vlt
