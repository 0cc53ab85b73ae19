#pragma once
// The payload as the install procedure needs it: loaded from the program's
// own record and checked whole before anything is written.
#include <memory>

#include "common/Result.h"
#include "payload/FileArrayBinder.h"
#include "platform/Resources.h"

namespace vlt {

// The entries the install procedure extracts: the product's executable, its
// help file and the help file's contents table.
inline constexpr int kInstalledEntryCount = 3;

// Loads the record "PAYLOAD" of `resources` and checks it with CheckPayload:
// the whole block inflates and every entry lies inside it. Fails for a
// missing or damaged record, a damaged block or table, or one with fewer
// than kInstalledEntryCount entries; the message names the fault.
Result<std::unique_ptr<TFileArrayBinder>> LoadInstallPayload(Resources& resources);

// The record "PAYLOAD" of `resources` as stored, unchecked: for comparing
// what lies on disk with what this setup carries. An empty container when
// the record is missing or does not load.
std::unique_ptr<TFileArrayBinder> LoadPayloadOrEmpty(Resources& resources);

}  // namespace vlt
