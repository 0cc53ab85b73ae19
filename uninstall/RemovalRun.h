#pragma once
// The removal applied to the machine: a plan's actions in order, best
// effort (a file that cannot be deleted stays and the rest go on), except
// for the self-removal script, which comes first and whose failure stops
// everything before anything is removed.
#include <optional>

#include "common/Result.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "uninstall/RemovalPlan.h"

namespace vlt {

// What a removal did.
struct RemovalReport {
  // The script to start as the program ends; nullopt when the uninstaller's
  // item did not run.
  std::optional<ShellExecuteRequest> selfRemoval;
  // The script could not be written: nothing was removed.
  Status failure;
};

RemovalReport RunRemoval(const RemovalPlan& plan, Services& sys);

}  // namespace vlt
