#include "common/Paths.h"

namespace vlt {
namespace {

std::size_t LastDelimiter(std::string_view path) { return path.find_last_of("\\:"); }

}  // namespace

std::string ExcludeTrailingBackslash(std::string_view path) {
  if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  return std::string(path);
}

std::string JoinPath(std::string_view dir, std::string_view name) {
  std::string result = ExcludeTrailingBackslash(dir);
  result += '\\';
  result += name;
  return result;
}

bool IsVolumeRoot(std::string_view dir) {
  const std::string bare = ExcludeTrailingBackslash(dir);
  if (bare.size() == 2 && bare[1] == ':') return true;
  if (!bare.starts_with("\\\\")) return false;
  // "\\server\share": one backslash between server and share, none after.
  const std::size_t split = bare.find('\\', 2);
  return split != std::string::npos && split > 2 && split + 1 < bare.size() &&
         bare.find('\\', split + 1) == std::string::npos;
}

std::string ExtractFilePath(std::string_view path) {
  const std::size_t pos = LastDelimiter(path);
  return pos == std::string_view::npos ? std::string() : std::string(path.substr(0, pos + 1));
}

std::string ExtractFileDir(std::string_view path) {
  return ExcludeTrailingBackslash(ExtractFilePath(path));
}

std::string ExtractFileName(std::string_view path) {
  const std::size_t pos = LastDelimiter(path);
  return std::string(pos == std::string_view::npos ? path : path.substr(pos + 1));
}

std::string AsciiUpper(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return result;
}

bool AsciiEqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && AsciiUpper(a) == AsciiUpper(b);
}

bool IsFullPath(std::string_view path) {
  return (path.size() > 2 && path[1] == ':' && path[2] == '\\') || path.starts_with("\\\\");
}

}  // namespace vlt
