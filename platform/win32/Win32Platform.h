#pragma once
// Every Win32 service of the program, owned in one place, and the bundle of
// references the program runs on. Create it after the thread's COM
// apartment; it must outlive the program's pages.
#include "platform/Services.h"
#include "platform/win32/Win32Application.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32FormHost.h"
#include "platform/win32/Win32MessageDialog.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32ProfileFile.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Resources.h"
#include "platform/win32/Win32Shell.h"

namespace vlt::win32 {

struct Win32Platform {
  Win32Application app;
  Win32Processes processes;
  Win32ProfileFile profile;
  Win32Registry registry;
  Win32FileSystem fs;
  Win32Shell shell;
  Win32MessageDialog dialog;
  Win32Resources resources;
  Win32FormHost forms;

  Services Bundle() {
    return Services{app, processes, profile, registry, fs, shell, dialog, resources, forms};
  }
};

}  // namespace vlt::win32
