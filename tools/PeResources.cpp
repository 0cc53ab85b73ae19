#include "tools/PeResources.h"

#include <cctype>
#include <vector>

namespace vlt::pe {
namespace {

// The headers' fixed offsets (the PE/COFF layout).
constexpr std::size_t kLfanewAt = 0x3C;
constexpr std::size_t kCoffHeaderSize = 20;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::uint16_t kMagicPe32 = 0x10B;
constexpr std::uint16_t kMagicPe32Plus = 0x20B;
constexpr std::uint32_t kResourceDirectoryIndex = 2;
// The resource tree is type, name, language; deeper means a loop.
constexpr int kResourceLevels = 3;

class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  void Need(std::size_t at, std::size_t length, const char* what) const {
    if (at > bytes_.size() || length > bytes_.size() - at)
      throw PeError(std::string("the file is cut short: ") + what + " lies beyond its end");
  }
  std::uint16_t U16(std::size_t at, const char* what) const {
    Need(at, 2, what);
    return static_cast<std::uint16_t>(bytes_[at] | bytes_[at + 1] << 8);
  }
  std::uint32_t U32(std::size_t at, const char* what) const {
    Need(at, 4, what);
    return static_cast<std::uint32_t>(bytes_[at]) | static_cast<std::uint32_t>(bytes_[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes_[at + 2]) << 16 |
           static_cast<std::uint32_t>(bytes_[at + 3]) << 24;
  }
  std::span<const std::uint8_t> Bytes(std::size_t at, std::size_t length, const char* what) const {
    Need(at, length, what);
    return bytes_.subspan(at, length);
  }

 private:
  std::span<const std::uint8_t> bytes_;
};

struct Section {
  std::uint32_t virtualAddress, virtualSize, rawSize, rawOffset;
};

class Image {
 public:
  explicit Image(std::span<const std::uint8_t> bytes) : file_(bytes) {
    if (!LooksLikePe(bytes)) throw PeError("not a Windows executable (no MZ and PE headers)");
    const std::size_t coff = file_.U32(kLfanewAt, "the PE header offset") + 4;
    const std::uint16_t sectionCount = file_.U16(coff + 2, "the COFF header");
    const std::uint16_t optionalSize = file_.U16(coff + 16, "the COFF header");
    const std::size_t optional = coff + kCoffHeaderSize;
    const std::uint16_t magic = file_.U16(optional, "the optional header");
    std::size_t directories = 0;
    std::size_t countAt = 0;
    if (magic == kMagicPe32) {
      countAt = optional + 92;
      directories = optional + 96;
    } else if (magic == kMagicPe32Plus) {
      countAt = optional + 108;
      directories = optional + 112;
    } else {
      throw PeError("unknown optional header magic " + std::to_string(magic));
    }
    const std::uint32_t directoryCount = file_.U32(countAt, "the optional header");
    if (directoryCount > kResourceDirectoryIndex &&
        directories + 8 * (kResourceDirectoryIndex + 1) <= optional + optionalSize) {
      resourceRva_ = file_.U32(directories + 8 * kResourceDirectoryIndex, "the data directories");
      resourceSize_ = file_.U32(directories + 8 * kResourceDirectoryIndex + 4, "the data directories");
    }
    const std::size_t table = optional + optionalSize;
    file_.Need(table, sectionCount * kSectionHeaderSize, "the section table");
    for (std::size_t i = 0; i < sectionCount; ++i) {
      const std::size_t at = table + i * kSectionHeaderSize;
      sections_.push_back({file_.U32(at + 12, "the section table"), file_.U32(at + 8, "the section table"),
                           file_.U32(at + 16, "the section table"), file_.U32(at + 20, "the section table")});
    }
  }

  bool HasResources() const { return resourceRva_ != 0 && resourceSize_ != 0; }
  std::uint32_t ResourceRva() const { return resourceRva_; }

  // The file bytes at `rva`, `length` long; they must lie in one section's
  // raw data and in the file.
  std::span<const std::uint8_t> At(std::uint32_t rva, std::uint32_t length, const char* what) const {
    const Section& s = SectionOf(rva, what);
    const std::uint32_t into = rva - s.virtualAddress;
    if (length > s.rawSize - into) throw PeError(std::string(what) + " runs past the end of its section");
    return file_.Bytes(static_cast<std::size_t>(s.rawOffset) + into, length, what);
  }

  // The file bytes from `rva` to the end of its section's raw data.
  std::span<const std::uint8_t> FromRva(std::uint32_t rva, const char* what) const {
    const Section& s = SectionOf(rva, what);
    return At(rva, s.rawSize - (rva - s.virtualAddress), what);
  }

 private:
  const Section& SectionOf(std::uint32_t rva, const char* what) const {
    for (const Section& s : sections_) {
      if (rva >= s.virtualAddress && rva - s.virtualAddress < s.rawSize) return s;
    }
    throw PeError(std::string(what) + " lies in no section of the file");
  }

  Reader file_;
  std::vector<Section> sections_;
  std::uint32_t resourceRva_ = 0;
  std::uint32_t resourceSize_ = 0;
};

bool SameName(const Reader& tree, std::uint32_t at, const std::string& name) {
  const std::uint16_t length = tree.U16(at, "a resource name");
  if (length != name.size()) return false;
  for (std::size_t i = 0; i < length; ++i) {
    const std::uint16_t unit = tree.U16(at + 2 + 2 * i, "a resource name");
    if (unit > 0x7F) return false;
    if (std::toupper(static_cast<unsigned char>(unit)) !=
        std::toupper(static_cast<unsigned char>(name[i])))
      return false;
  }
  return true;
}

// The entry of the directory at `directory` (an offset into the resource
// tree) that `key` names; with no key (the language level), the first one.
// Returns the entry's second word, or nullopt.
std::optional<std::uint32_t> Lookup(const Reader& tree, std::uint32_t directory,
                                    const ResourceName* key) {
  const std::uint16_t named = tree.U16(directory + 12, "a resource directory");
  const std::uint16_t numbered = tree.U16(directory + 14, "a resource directory");
  for (std::uint32_t i = 0; i < std::uint32_t{named} + numbered; ++i) {
    const std::uint32_t entry = directory + 16 + 8 * i;
    const std::uint32_t id = tree.U32(entry, "a resource directory entry");
    const std::uint32_t target = tree.U32(entry + 4, "a resource directory entry");
    if (key == nullptr) return target;
    const bool isName = (id & 0x80000000u) != 0;
    if (const auto* number = std::get_if<std::uint16_t>(key)) {
      if (!isName && id == *number) return target;
    } else if (isName && SameName(tree, id & 0x7FFFFFFFu, std::get<std::string>(*key))) {
      return target;
    }
  }
  return std::nullopt;
}

}  // namespace

bool LooksLikePe(std::span<const std::uint8_t> image) {
  if (image.size() < kLfanewAt + 4 || image[0] != 'M' || image[1] != 'Z') return false;
  const Reader file(image);
  const std::size_t pe = file.U32(kLfanewAt, "");
  return pe <= image.size() && image.size() - pe >= 4 && image[pe] == 'P' && image[pe + 1] == 'E' &&
         image[pe + 2] == 0 && image[pe + 3] == 0;
}

std::optional<std::span<const std::uint8_t>> FindResource(std::span<const std::uint8_t> image,
                                                          const ResourceName& type,
                                                          const ResourceName& name) {
  const Image pe(image);
  if (!pe.HasResources()) return std::nullopt;
  // The whole tree as one span: its offsets are relative to its start. Its
  // size in the directory is not to be trusted, the section's raw size is.
  const std::uint32_t start = pe.ResourceRva();
  const Reader tree(pe.FromRva(start, "the resource directory"));
  const ResourceName* keys[kResourceLevels] = {&type, &name, nullptr};
  std::uint32_t node = 0;
  for (int level = 0; level < kResourceLevels; ++level) {
    const std::optional<std::uint32_t> target = Lookup(tree, node, keys[level]);
    if (!target) return std::nullopt;
    const bool isDirectory = (*target & 0x80000000u) != 0;
    if (isDirectory != (level < kResourceLevels - 1))
      throw PeError("the resource directory is damaged: a leaf where a directory belongs, or the reverse");
    node = *target & 0x7FFFFFFFu;
  }
  const std::uint32_t dataRva = tree.U32(node, "a resource data entry");
  const std::uint32_t size = tree.U32(node + 4, "a resource data entry");
  return pe.At(dataRva, size, "the resource's data");
}

}  // namespace vlt::pe
