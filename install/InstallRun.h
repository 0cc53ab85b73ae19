#pragma once
// The install applied to the machine: a plan's steps in order, each failure
// handled as its step's kind says (install/InstallPlan.h). The run reaches
// the page only through the callbacks it is given: the progress bar, a
// warning, the finish page.
#include <string>
#include <vector>

#include "common/Callback.h"
#include "common/Result.h"
#include "install/InstallPlan.h"
#include "platform/Services.h"
#include "program/Texts.h"

namespace vlt {

class TDateiSammlung;

// How the run reaches the page.
struct InstallPage {
  Callback<void()> step;  // the progress bar advances
  // A warning (the text of the current language): the page shows it and the
  // run goes on, or ends where the step's kind says so.
  Callback<void(std::string MessageTexts::*)> warn;
  // The finish page takes over; `productWritten` says whether it may offer
  // to start the product.
  Callback<void(bool productWritten)> finish;
};

// What a run did.
struct InstallReport {
  // The folder as typed, once the run confirmed it; "" when it ended before.
  std::string folder;
  // Files of the folder this run failed to write. A failed write leaves no
  // cut file, so such a file is missing or an earlier, whole one (in use,
  // read-only): only a missing one is never registered, linked or started.
  std::vector<std::string> unwritten;
  bool registryFailed = false;
  // A failure that ended the run for the default error report.
  Status failure;
};

// Runs `plan` against `sys`, extracting from `payload`.
InstallReport RunInstall(const InstallPlan& plan, Services& sys, const TDateiSammlung& payload,
                         const InstallPage& page);

}  // namespace vlt
