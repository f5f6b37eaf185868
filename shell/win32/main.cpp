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

// The dpi of the window's monitor: read at creation, then as each WM_DPICHANGED reports it.
int currentDpi = 96;
// Set while the program moves and sizes its own window. A dpi change reported meanwhile (the
// window reached a monitor of another dpi) is only noted; the placement under way takes it up.
bool placing = false;

// Window creation: keep the window and its menu, then the game's start-up (opening book,
// settings, display, player marks, new game); the palette once the display has its colours.
LRESULT onCreate(HWND window) {
  win32Platform.attach(window);
  currentDpi = windowDpi(window);
  win32Platform.setScale(pictureScale(currentDpi));
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

// The work area (the monitor less the taskbar) of the monitor; the primary one's when the
// monitor cannot be asked.
ScreenArea workArea(HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  RECT r{0, 0, 640, 480};
  if (monitor && GetMonitorInfoA(monitor, &info)) {
    r = info.rcWork;
  } else {
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
  }
  return ScreenArea{r.left, r.top, r.right, r.bottom};
}

// Sizes the window so that its client area is exactly the back buffer at the largest scale that
// lets the whole window fit the work area, and places it there: centred, or from the corner
// given. The frame is measured anew at each pass, so a menu bar that wraps at the new width,
// or a dpi change that the window's own move brings about, is taken up by the next pass.
void placeWindow(HWND window, const ScreenArea& work, const POINT* corner) {
  placing = true;
  for (int pass = 0; pass < 4; ++pass) {
    RECT outer;
    RECT client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    const int frameWidth = outer.right - outer.left - client.right;
    const int frameHeight = outer.bottom - outer.top - client.bottom;
    const int wanted = pictureScale(currentDpi);
    const WindowPlacement p =
        corner ? movedPlacement(work, corner->x, corner->y, frameWidth, frameHeight, wanted)
               : startPlacement(work, frameWidth, frameHeight, wanted);
    win32Platform.setScale(p.scale);
    if (outer.left == p.x && outer.top == p.y && outer.right - outer.left == p.width &&
        outer.bottom - outer.top == p.height) {
      break;
    }
    SetWindowPos(window, nullptr, p.x, p.y, p.width, p.height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  placing = false;
  InvalidateRect(window, nullptr, FALSE);
}

// The window has reached a monitor of another dpi, or the monitor's setting changed. The
// suggested rectangle comes first, as the system advises, so that the frame and the menu bar
// are measured at the new dpi; then the client area becomes the back buffer at the new scale
// (or less, to fit), from the suggested corner and inside that monitor's work area.
LRESULT onDpiChanged(HWND window, WPARAM wParam, LPARAM lParam) {
  currentDpi = LOWORD(wParam);
  if (placing) return 0;
  const RECT suggested = *reinterpret_cast<const RECT*>(lParam);
  placing = true;
  SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  placing = false;
  const POINT corner{suggested.left, suggested.top};
  placeWindow(window, workArea(MonitorFromRect(&suggested, MONITOR_DEFAULTTONEAREST)), &corner);
  return 0;
}

// The game's board key for a virtual-key code, 0 for any other key. Keys pressed with Alt come
// as WM_SYSKEYDOWN and stay with the default handling, which opens the menu by its mnemonics.
unsigned boardKeyOf(WPARAM virtualKey) {
  switch (virtualKey) {
    case VK_LEFT:
      return KEY_LEFT;
    case VK_RIGHT:
      return KEY_RIGHT;
    case VK_UP:
      return KEY_UP;
    case VK_DOWN:
      return KEY_DOWN;
    case VK_RETURN:
    case VK_SPACE:
      return KEY_PLAY;
    case VK_HOME:
      return KEY_HOME;
    case VK_END:
      return KEY_END;
    default:
      return 0;
  }
}

// Each auto-repeated WM_KEYDOWN of a held key is one more key to the game.
LRESULT onKeyDown(HWND window, WPARAM wParam, LPARAM lParam) {
  const unsigned key = boardKeyOf(wParam);
  if (key == 0 || !win32Platform.attached()) {
    return DefWindowProcA(window, WM_KEYDOWN, wParam, lParam);
  }
  dispatchGameMessage(MSG_KEYDOWN, key, 0);
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
    case WM_KEYDOWN:
      return onKeyDown(window, wParam, lParam);
    case MSG_DELIVER_TURN:
      win32Platform.turnAsked();
      return 0;
    case WM_TIMER:
      if (wParam == TIMER_DELIVER_TURN) {
        win32Platform.turnCome();
        return 0;
      }
      [[fallthrough]];
    case MSG_MOVE_READY:
    case WM_COMMAND:
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
// centred in the work area of the monitor it was made on, shown and painted at once.
int createMainWindow(HINSTANCE instance, int showCommand) {
  HWND window = CreateWindowExA(0, CLASS_NAME, CAPTION, WINDOW_STYLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  if (!window) return 0;
  placeWindow(window, workArea(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY)), nullptr);
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
