// The monitor's dots per inch, through whichever of the platform's functions this Windows has.
// Every function newer than Windows 7 is looked up at run time, so the program still starts
// there; with none of them the system's one dpi is used, which is what Windows 7 scales by.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

// The window message that reports a new dpi: wParam's low half the new dpi, lParam the
// rectangle the system suggests at that dpi.
constexpr UINT MSG_DPICHANGED = 0x02E0;

// The dpi of the monitor the window is on (of the system where monitors share one).
int windowDpi(HWND window);

// During window creation (WM_NCCREATE): asks Windows 10 1607, which knows per-monitor
// awareness only in its first form, to scale the caption and the menu bar with the dpi as
// later versions do by themselves. Does nothing elsewhere.
void enableNonClientScaling(HWND window);
