#pragma once
// The DPI of a window and the system measures at a DPI. Windows 10 (1607)
// brought the per-window functions; on older systems, where the program is
// system-aware, every window has the system's DPI and the plain functions
// answer for it. The newer functions are looked up at run time, so the
// program still starts on Vista.
#include "platform/win32/WinApi.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace vlt::win32 {

// The DPI `window` is shown at (its monitor's, for a per-monitor aware
// program); the system's DPI where the system has no per-window DPI.
int DpiOfWindow(HWND window);

// The outer size of a window of this style whose client area is `client`.
RECT FrameForClient(const RECT& client, DWORD style, DWORD exStyle, int dpi);

// GetSystemMetrics at `dpi`.
int SystemMetricForDpi(int index, int dpi);

// The fonts and sizes of captions and message boxes at `dpi`; false when
// the system gives none.
bool NonClientMetricsForDpi(NONCLIENTMETRICSW& metrics, int dpi);

}  // namespace vlt::win32
