#include "program/RunMode.h"

#include "platform/CommandLine.h"

namespace vlt {

bool IsUninstallMode(const std::vector<std::string>& arguments) {
  return FirstArgument(arguments) == kRemoveArgument;
}

}  // namespace vlt
