// picture-pack INPUT OUTPUT: compresses one file (a page picture) as a single
// zlib stream at level 9, the form the setup program carries its pictures
// in (platform/portable/PackedPicture.h). Writes beside OUTPUT first and
// renames, so a failed run leaves no partial file.
#include <zlib.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

bool ReadAll(const char* path, std::vector<unsigned char>& bytes) {
  std::FILE* in = std::fopen(path, "rb");
  if (in == nullptr) return false;
  unsigned char piece[65536];
  std::size_t count = 0;
  while ((count = std::fread(piece, 1, sizeof piece, in)) > 0) bytes.insert(bytes.end(), piece, piece + count);
  const bool ok = std::ferror(in) == 0;
  std::fclose(in);
  return ok;
}

bool WriteAll(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  return std::fclose(out) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: picture-pack INPUT OUTPUT\n");
    return 2;
  }
  std::vector<unsigned char> input;
  if (!ReadAll(argv[1], input)) {
    std::perror((std::string("picture-pack: cannot read ") + argv[1]).c_str());
    return 1;
  }
  uLongf length = compressBound(static_cast<uLong>(input.size()));
  std::vector<unsigned char> packed(length);
  if (compress2(packed.data(), &length, input.data(), static_cast<uLong>(input.size()), 9) != Z_OK) {
    std::fprintf(stderr, "picture-pack: zlib could not compress %s\n", argv[1]);
    return 1;
  }
  packed.resize(length);
  const std::string temp = std::string(argv[2]) + ".tmp-picture-pack";
  if (!WriteAll(temp, packed) || std::rename(temp.c_str(), argv[2]) != 0) {
    std::perror((std::string("picture-pack: cannot write ") + argv[2]).c_str());
    std::remove(temp.c_str());
    return 1;
  }
  return 0;
}
