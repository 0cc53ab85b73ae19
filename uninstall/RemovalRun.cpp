#include "uninstall/RemovalRun.h"

#include "install/VelToriRegistry.h"
#include "uninstall/Presence.h"
#include "uninstall/Removal.h"
#include "uninstall/SelfRemoval.h"

namespace vlt {
namespace {

// One removal's state and its actions, one overload each. Deletions are
// not examined: whatever cannot be removed stays.
class Run {
 public:
  explicit Run(Services& sys) : sys_(sys) {}

  RemovalReport report;

  void operator()(const removal::WriteSelfRemovalScript& a) {
    Result<ShellExecuteRequest> script =
        WriteSelfRemovalScript(sys_.fs, sys_.shell, a.exePath, a.removeFolderWhenEmpty);
    if (script.Ok()) {
      report.selfRemoval = std::move(script.Value());
    } else {
      report.failure = script.AsStatus();
    }
  }
  void operator()(const removal::RemoveRegistryEntries& a) {
    // Best effort, as every removal: what stays is seen on the next start.
    VelToriRegistry(sys_.registry, sys_.profile, sys_.fs,
                    {.installDir = a.installDir, .configIsOurs = a.configIsOurs});
  }
  void operator()(const removal::DeleteFile& a) { sys_.fs.DeleteFile(a.path); }
  void operator()(const removal::DeleteMatchingFiles& a) {
    DeleteMatchingFiles(sys_.fs, a.directory, a.mask);
  }
  void operator()(const removal::RemoveDirectory& a) { sys_.fs.RemoveDirectory(a.path); }
  void operator()(const removal::DeleteOtherFiles& a) {
    DeleteOtherFiles(sys_.fs, a.directory, a.mask, KeepPrefixes());
  }

 private:
  Services& sys_;
};

}  // namespace

RemovalReport RunRemoval(const RemovalPlan& plan, Services& sys) {
  Run run(sys);
  for (const RemovalAction& action : plan) {
    std::visit(run, action);
    if (!run.report.failure.Ok()) break;
  }
  return std::move(run.report);
}

}  // namespace vlt
