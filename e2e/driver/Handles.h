// Owners for the few Win32 and COM resources the driver holds: the setup
// program's own, so both programs release their handles the same way.
#pragma once

#include "platform/ComPtr.h"
#include "platform/win32/Handles.h"

namespace vltdrive {

using ProcessHandle = vlt::win32::UniqueKernelHandle;
using SnapshotHandle = vlt::win32::UniqueFileHandle;  // empty is INVALID_HANDLE_VALUE
template <typename T>
using ComPtr = vlt::ComPtr<T>;
using ComScope = vlt::win32::ComApartment;

}  // namespace vltdrive
