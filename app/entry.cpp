// The program's entry: the window class, the square OpenGL window, the main panel and
// the idle-driven message loop, which gives the panel's keys to the dialog manager and
// moves the keyboard between the two windows. Relies on platform.h, MainWndProc and PanelProc.
#include "app/entry.h"

#include "app/main_window.h"
#include "panels/dialog_templates.h"
#include "panels/panels.h"
#include "panels/resource_ids.h"
#include "render/redraw.h"
#include "shared/shell_state.h"

namespace {

// F6 takes the keyboard from either window to the other (into the panel onto
// its first button), Escape from the panel back to the model; a held F6 does
// not go back and forth. A key comes to the window that has the focus.
bool MovesTheFocus(const Message& message, WindowHandle window, WindowHandle panel) {
  if (message.message != WM_KEYDOWN || panel == nullptr) return false;
  const bool inPanel = message.window != window;
  if (message.wParam == VK_F6) {
    if (HiWord((uintptr_t)message.lParam) & KF_REPEAT) return true;
    if (inPanel) SetFocus(window);
    else SendMessage(panel, WM_NEXTDLGCTL, (uintptr_t)GetNextDlgTabItem(panel, nullptr, 0), 1);
    return true;
  }
  if (message.wParam == VK_ESCAPE && inPanel) {
    SetFocus(window);
    return true;
  }
  return false;
}

// Frames are drawn only while no message waits; requests in between coalesce.
int RunMessageLoop(WindowHandle window, WindowHandle panel) {
  Message message = {};
  for (;;) {
    while (redrawHook != nullptr) {
      if (PeekMessage(&message, nullptr, 0, 0, PM_NOREMOVE)) break;
      redrawHook();
    }
    if (GetMessage(&message, nullptr, 0, 0) != 1) return (int)message.wParam;
    if (MovesTheFocus(message, window, panel)) continue;
    if (panel != nullptr && IsDialogMessage(panel, &message)) continue;
    TranslateMessage(&message);
    DispatchMessage(&message);
  }
}

}  // namespace

WindowHandle CreateMainWindow(InstanceHandle instance) {
  WindowClass windowClass = {};
  windowClass.style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
  windowClass.windowProc = MainWndProc;
  windowClass.instance = instance;
  windowClass.icon = LoadIcon(instance, IDI_PROGRAM);
  windowClass.cursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.className = "OpenGL";
  RegisterClass(&windowClass);

  // A square of 0.8 times the screen height; on a portrait screen 0.8 times
  // its width instead, so that the whole model fits on the screen.
  windowWidth = (int)(GetSystemMetrics(SM_CYSCREEN) * 0.8);
  windowHeight = (int)(GetSystemMetrics(SM_CYSCREEN) * 0.8);
  const int widthLimit = (int)(GetSystemMetrics(SM_CXSCREEN) * 0.8);
  if (windowWidth > widthLimit) {
    windowWidth = widthLimit;
    windowHeight = widthLimit;
  }

  return CreateWindow("OpenGL", "  Velmora - free distribution soft",
                      WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 10, 10, windowWidth,
                      windowHeight, nullptr);
}

int ProgramMain(InstanceHandle instance, InstanceHandle, const char*, int showCommand) {
  SetProgramResources(&programResources);
  WindowHandle window = CreateMainWindow(instance);
  // Without its window the program could never be closed: the loop would
  // wait for ever with nothing on the screen.
  if (window == nullptr) return 1;
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  WindowHandle panel = CreateDialogParam(instance, IDD_MAIN_PANEL, window, PanelProc, 0);
  SetFocus(window);   // the keys turn and stop the model first
  return RunMessageLoop(window, panel);
}
