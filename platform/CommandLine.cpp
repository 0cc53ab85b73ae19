#include "platform/CommandLine.h"

namespace vlt {
namespace {

bool IsSeparator(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view line) {
  std::vector<std::string> result;
  std::size_t i = 0;
  const std::size_t n = line.size();
  for (;;) {
    // Skip separators and empty "" pairs standing where an argument begins.
    for (;;) {
      while (i < n && IsSeparator(line[i])) ++i;
      if (i + 1 < n && line[i] == '"' && line[i + 1] == '"') {
        i += 2;
      } else {
        break;
      }
    }
    if (i >= n) break;
    std::string arg;
    while (i < n && !IsSeparator(line[i])) {
      if (line[i] == '"') {
        ++i;
        while (i < n && line[i] != '"') arg += line[i++];
        if (i < n) ++i;  // closing quote
      } else {
        arg += line[i++];
      }
    }
    result.push_back(std::move(arg));
  }
  return result;
}

std::string FirstArgument(const std::vector<std::string>& arguments) {
  return arguments.empty() ? std::string() : arguments.front();
}

}  // namespace vlt
