#include "platform/win32/WindowDpi.h"

namespace vlt::win32 {
namespace {

// A function of user32.dll by name, or null where this Windows lacks it.
template <class Function>
Function User32Function(const char* name) {
  const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  const FARPROC proc = user32 != nullptr ? ::GetProcAddress(user32, name) : nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(proc));
}

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);

int SystemDpi() {
  const HDC screen = ::GetDC(nullptr);
  if (screen == nullptr) return USER_DEFAULT_SCREEN_DPI;
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

int DpiOfWindow(HWND window) {
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  const UINT dpi = getDpiForWindow != nullptr ? getDpiForWindow(window) : 0;
  return dpi != 0 ? static_cast<int>(dpi) : SystemDpi();
}

RECT FrameForClient(const RECT& client, DWORD style, DWORD exStyle, int dpi) {
  static const auto adjustForDpi =
      User32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
  RECT frame = client;
  if (adjustForDpi == nullptr || !adjustForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
    frame = client;
    ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  }
  return frame;
}

int SystemMetricForDpi(int index, int dpi) {
  static const auto metricForDpi = User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
  return metricForDpi != nullptr ? metricForDpi(index, static_cast<UINT>(dpi))
                                 : ::GetSystemMetrics(index);
}

bool NonClientMetricsForDpi(NONCLIENTMETRICSW& metrics, int dpi) {
  static const auto parametersForDpi =
      User32Function<SystemParametersInfoForDpiFn>("SystemParametersInfoForDpi");
  metrics = NONCLIENTMETRICSW{};
  metrics.cbSize = sizeof metrics;
  if (parametersForDpi != nullptr &&
      parametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi))) {
    return true;
  }
  return ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) != FALSE;
}

}  // namespace vlt::win32
