// Velnor Part1 on Windows: the entry point, the window class, the one main window and its
// procedure. The game itself is shared code; this file gives it a window and its messages.
#include "display/sheets.h"
#include "shell/app.h"
#include "shell/commands.h"
#include "shell/win32/dpi.h"
#include "shell/win32/win32_platform.h"
#include "shell/win32/window_geometry.h"

namespace {

const char CLASS_NAME[] = "Velnor Part1";
const char CAPTION[] = "Velnor Part1";
const DWORD WINDOW_STYLE = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;  // fixed size, no maximise

Win32Platform win32Platform;

// Window creation: keep the window and its menu, then the game's start-up (opening book,
// settings, display, player marks, new game); the palette once the display has its colours.
LRESULT onCreate(HWND window) {
  win32Platform.attach(window);
  win32Platform.setScale(pictureScale(windowDpi(window)));
  ::onCreate(win32Platform);
  win32Platform.createPalette();
  return 0;
}

LRESULT onPaint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  win32Platform.paintWindow(dc);
  EndPaint(window, &paint);
  return 0;
}

// The game first withdraws the computer and waits until its thread can touch nothing, and lets
// go of the display; only then do the clock, the window and the palette go.
LRESULT onDestroy(HWND window) {
  ::onDestroy();
  KillTimer(window, TIMER_CLOCK);
  win32Platform.detach();
  PostQuitMessage(0);
  return 0;
}

// Sizes the window so that its client area is exactly the back buffer at the picture's scale
// and centres it on the area (right, bottom) whose top-left corner is (left, top). A second
// pass corrects the size should the menu bar have wrapped at the new width.
void placeWindow(HWND window, int left, int top, int right, int bottom) {
  const int scale = win32Platform.scale();
  const int wantedWidth = SCREEN_WIDTH * scale;
  const int wantedHeight = SCREEN_HEIGHT * scale;
  for (int pass = 0; pass < 2; ++pass) {
    RECT outer;
    RECT client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    if (pass > 0 && client.right == wantedWidth && client.bottom == wantedHeight) return;
    const WindowPlacement p = centredPlacement(right - left, bottom - top, outer.right - outer.left,
                                               outer.bottom - outer.top, client.right,
                                               client.bottom, wantedWidth, wantedHeight);
    SetWindowPos(window, nullptr, left + p.x, top + p.y, p.width, p.height, SWP_NOZORDER);
  }
}

// The window has reached a monitor of another dpi (or the monitor's setting changed). The
// system's suggested rectangle comes first, so that the frame and the menu bar are measured at
// the new dpi; then the client area becomes the back buffer at the new scale, centred on the
// monitor the suggested rectangle is on, and the picture is painted again at that scale.
LRESULT onDpiChanged(HWND window, WPARAM wParam, LPARAM lParam) {
  const RECT suggested = *reinterpret_cast<const RECT*>(lParam);
  win32Platform.setScale(pictureScale(LOWORD(wParam)));
  SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoA(MonitorFromRect(&suggested, MONITOR_DEFAULTTONEAREST), &monitor)) {
    const RECT& m = monitor.rcMonitor;
    placeWindow(window, m.left, m.top, m.right, m.bottom);
  }
  InvalidateRect(window, nullptr, FALSE);
  return 0;
}

}  // namespace

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      enableNonClientScaling(window);
      return DefWindowProcA(window, message, wParam, lParam);
    case WM_CREATE:
      return onCreate(window);
    case WM_PAINT:
      return onPaint(window);
    case WM_DESTROY:
      return onDestroy(window);
    case MSG_DPICHANGED:
      return onDpiChanged(window, wParam, lParam);
    case WM_LBUTTONDOWN:
      // The game sees the click where it falls in the back buffer, whatever the scale.
      if (win32Platform.attached()) {
        const uint32_t click = bufferClick(static_cast<uint32_t>(lParam), win32Platform.scale());
        dispatchGameMessage(message, wParam, static_cast<LPARAM>(click));
      }
      return 0;
    case MSG_MOVE_READY:
    case WM_COMMAND:
    case WM_TIMER:
      // Nothing reaches the game once its window is going away.
      if (win32Platform.attached()) dispatchGameMessage(message, wParam, lParam);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

ATOM registerWindowClass(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, "ICON");
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszMenuName = "MENU";
  windowClass.lpszClassName = CLASS_NAME;
  return RegisterClassA(&windowClass);
}

// The whole start-up runs inside CreateWindowExA (WM_CREATE); then the window is sized,
// centred, shown and painted at once.
int createMainWindow(HINSTANCE instance, int showCommand) {
  HWND window = CreateWindowExA(0, CLASS_NAME, CAPTION, WINDOW_STYLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  if (!window) return 0;
  // The desktop's left and top are not used: the primary monitor's corner is (0, 0).
  RECT desktop;
  GetWindowRect(GetDesktopWindow(), &desktop);
  placeWindow(window, 0, 0, desktop.right, desktop.bottom);
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  return 1;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR, int showCommand) {
  if (!previousInstance && !registerWindowClass(instance)) return 0;
  if (!createMainWindow(instance, showCommand)) return 0;
  MSG message{};
  int status = 0;
  for (;;) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      status = static_cast<int>(message.wParam);
      break;
    }
    if (got == -1) break;  // a broken queue ends the program rather than spinning
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  win32Platform.waitForThreads();
  return status;
}
