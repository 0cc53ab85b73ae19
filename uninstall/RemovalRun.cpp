#include "uninstall/RemovalRun.h"

#include "install/VelToriRegistry.h"
#include "uninstall/Presence.h"
#include "uninstall/Removal.h"
#include "uninstall/SelfRemoval.h"

namespace vlt {
namespace {

// Whatever cannot be removed stays, and is offered again by the next start.
constexpr char kBestEffort[] = "the removal is best effort";

// One removal's state and its actions, one overload each.
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
    IgnoreFailure(VelToriRegistry(sys_.registry, sys_.profile, sys_.fs,
                                  {.installDir = a.installDir, .configIsOurs = a.configIsOurs}),
                  kBestEffort);
  }
  void operator()(const removal::DeleteFile& a) {
    IgnoreFailure(sys_.fs.DeleteFile(a.path), kBestEffort);
  }
  void operator()(const removal::DeleteMatchingFiles& a) {
    DeleteMatchingFiles(sys_.fs, a.directory, a.mask);
  }
  void operator()(const removal::RemoveDirectory& a) {
    IgnoreFailure(sys_.fs.RemoveDirectory(a.path), kBestEffort);
  }
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
