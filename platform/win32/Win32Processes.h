#pragma once
// Processes through the tool-help snapshot.
#include "platform/Processes.h"

namespace vlt::win32 {

class Win32Processes : public Processes {
 public:
  std::vector<ProcessInfo> List() override;
  Status Terminate(std::uint32_t id, std::uint32_t exitCode) override;
};

}  // namespace vlt::win32
