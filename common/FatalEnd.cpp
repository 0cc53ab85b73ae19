#include "common/FatalEnd.h"

#include <cstdio>
#include <cstdlib>

namespace vlt {
namespace {

FatalReport installedReport = nullptr;

}  // namespace

void SetFatalReport(FatalReport report) { installedReport = report; }

void EndWithFailure(std::string_view message) {
  if (installedReport != nullptr) installedReport(message);
  // Not printf: its formatting code is larger than the rest of the program.
  std::fwrite(message.data(), 1, message.size(), stderr);
  std::fputc('\n', stderr);
  std::abort();
}

}  // namespace vlt
