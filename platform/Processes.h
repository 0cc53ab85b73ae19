#pragma once
// Process enumeration and termination.
#include <cstdint>
#include <string>
#include <vector>

#include "common/Result.h"

namespace vlt {

struct ProcessInfo {
  std::uint32_t id = 0;
  // The executable-file field of the process entry, up to its first NUL.
  std::string exeFile;
};

class Processes {
 public:
  virtual ~Processes() = default;
  // Every process of the system; empty when no snapshot can be taken.
  virtual std::vector<ProcessInfo> List() = 0;
  // Opens the process for termination only and terminates it with
  // `exitCode`, without waiting. Fails when it could not be opened or ended.
  virtual Status Terminate(std::uint32_t id, std::uint32_t exitCode) = 0;
};

}  // namespace vlt
