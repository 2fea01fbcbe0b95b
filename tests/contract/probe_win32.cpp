// The contract suite on the Win32 backend: geometry and visibility from
// user32, the system's clock, a message box's OK pressed from a thread
// timer, which the box's own loop dispatches while it waits, and keys
// through Windows' input.
#include "platform/win32/win32.h"
#include "tests/contract/backend_probe.h"

#include <string>

namespace probe {

const bool kCreateSizeIsOuter = true;
const bool kWideScrollRangeRefused = false;   // under Wine
const bool kRealClock = true;

double ProcessorSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto seconds = [](const FILETIME& t) { return (((uint64_t)t.dwHighDateTime << 32) | t.dwLowDateTime) * 1e-7; };
  return seconds(kernel) + seconds(user);
}

Box Outer(WindowHandle window) {
  RECT r{};
  GetWindowRect(Hwnd(window), &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

Box Client(WindowHandle window) {
  RECT r{};
  GetClientRect(Hwnd(window), &r);
  POINT origin{0, 0};
  ClientToScreen(Hwnd(window), &origin);
  return {origin.x, origin.y, r.right, r.bottom};
}

Box InDialog(WindowHandle control) {
  RECT r{};
  GetWindowRect(Hwnd(control), &r);
  MapWindowPoints(nullptr, GetParent(Hwnd(control)), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

bool Shown(WindowHandle window) { return IsWindow(Hwnd(window)) && IsWindowVisible(Hwnd(window)); }

bool NeedsPaint(WindowHandle window) { return GetUpdateRect(Hwnd(window), nullptr, FALSE) != 0; }

uint64_t NowMs() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return (uint64_t)(now.QuadPart / (frequency.QuadPart / 1000));
}

void Pass(unsigned milliseconds) { Sleep(milliseconds); }

void AnswerNextMessageBox(const char* caption) {
  static std::string wanted;
  wanted = caption;
  TIMERPROC press = [](HWND, UINT, UINT_PTR timer, DWORD) {
    if (HWND box = FindWindowA("#32770", wanted.c_str())) {
      KillTimer(nullptr, timer);
      PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
  };
  ::SetTimer(static_cast<HWND>(nullptr), 0, 100, press);
}

// The window comes to the foreground, then the key goes into Windows' input
// as the keyboard's would.
void Key(WindowHandle topLevel, unsigned virtualKey, bool down) {
  if (GetForegroundWindow() != Hwnd(topLevel)) SetForegroundWindow(Hwnd(topLevel));
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = (WORD)virtualKey;
  input.ki.wScan = (WORD)MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &input, sizeof input);
}

}  // namespace probe
