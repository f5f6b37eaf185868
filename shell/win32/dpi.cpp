#include "shell/win32/dpi.h"

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using EnableNonClientDpiScalingFunction = BOOL(WINAPI*)(HWND);

constexpr int MDT_EFFECTIVE_DPI = 0;

template <typename Function>
Function user32Function(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

// Windows 8.1's per-monitor dpi lives in shcore.dll, loaded only from the system folder. On
// Windows 7 there is no such file (and the search flag may be unknown): both give null.
GetDpiForMonitorFunction shcoreGetDpiForMonitor() {
  static const GetDpiForMonitorFunction function = [] {
    HMODULE shcore = LoadLibraryExA("shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!shcore) return GetDpiForMonitorFunction{};
    return reinterpret_cast<GetDpiForMonitorFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(shcore, "GetDpiForMonitor")));
  }();
  return function;
}

}  // namespace

int windowDpi(HWND window) {
  // Windows 10 1607 and later.
  if (auto getDpiForWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow")) {
    if (const UINT dpi = getDpiForWindow(window)) return static_cast<int>(dpi);
  }
  // Windows 8.1 and 10 before 1607.
  if (auto getDpiForMonitor = shcoreGetDpiForMonitor()) {
    UINT x = 0;
    UINT y = 0;
    HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    if (SUCCEEDED(getDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &x, &y)) && x > 0) {
      return static_cast<int>(x);
    }
  }
  // Windows 7 and 8: one dpi for the whole system.
  int dpi = 96;
  if (HDC dc = GetDC(window)) {
    dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(window, dc);
  }
  return dpi;
}

void enableNonClientScaling(HWND window) {
  if (auto enable =
          user32Function<EnableNonClientDpiScalingFunction>("EnableNonClientDpiScaling")) {
    enable(window);
  }
}
