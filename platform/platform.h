// Non-portable functions: the few window, dialog, message, timer, GDI and
// GL-context operations the program uses, in the shape the program calls them.
// On Windows each is the Win32 call (platform/win32/); elsewhere one
// emulation core (platform/core/) serves the X11 backend of the real program
// (platform/x11/: FLTK and GLX) and the headless one over EGL for tests and
// benchmarks (platform/headless/), through backend.h.
// Nothing outside platform/ includes a toolkit or X11 header.
// What every backend keeps of these promises is tested once, on each, by
// tests/contract.
#pragma once

#include <cstdint>

// ---- handles ---------------------------------------------------------------
// Opaque; each implementation defines the structs.
typedef struct PlatformInstance* InstanceHandle;  // the program itself
typedef struct PlatformWindow* WindowHandle;      // window, dialog or control
typedef struct PlatformDC* DeviceContext;         // drawing surface of a window, or a memory one
typedef struct PlatformGLContext* RenderContext;  // an OpenGL rendering context
typedef struct PlatformBitmap* BitmapHandle;      // a decoded bitmap resource
typedef struct PlatformPalette* PaletteHandle;    // a logical colour palette
typedef struct PlatformIcon* IconHandle;          // a decoded icon resource
typedef struct PlatformCursor* CursorHandle;      // a system cursor

typedef intptr_t (*WindowProc)(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam);
typedef intptr_t (*DialogProc)(WindowHandle dialog, unsigned message, uintptr_t wParam, intptr_t lParam);

// ---- message numbers and their parameters ------------------------------------
enum : unsigned {
  WM_CREATE = 0x0001,
  WM_DESTROY = 0x0002,
  WM_SIZE = 0x0005,             // wParam: size type; lParam: MakeLParam(width, height)
  WM_PAINT = 0x000F,
  WM_CLOSE = 0x0010,
  WM_QUIT = 0x0012,             // wParam: exit code
  WM_NEXTDLGCTL = 0x0028,       // to a dialog: wParam a control and lParam 1, or wParam 0 (next) or 1 (previous)
  WM_KEYDOWN = 0x0100,          // wParam: virtual-key code (VK_); lParam: repeat count, KF_ flags in the high word
  WM_KEYUP = 0x0101,
  WM_CHAR = 0x0102,             // wParam: the character typed (Unicode); lParam: its WM_KEYDOWN's
  WM_QUERYNEWPALETTE = 0x030F,
  WM_PALETTECHANGED = 0x0311,   // wParam: the window that changed the palette
  WM_INITDIALOG = 0x0110,
  WM_COMMAND = 0x0111,          // wParam: MakeWParam(control id, notification); lParam: control
  WM_TIMER = 0x0113,            // wParam: timer id
  WM_VSCROLL = 0x0115,          // wParam: MakeWParam(request, thumb position); lParam: scroll bar
  WM_MOUSEMOVE = 0x0200,        // lParam: MakeLParam(x, y), client pixels, signed 16-bit each
  WM_LBUTTONDOWN = 0x0201,
  WM_LBUTTONUP = 0x0202,
  WM_RBUTTONDOWN = 0x0204,
  WM_RBUTTONUP = 0x0205,
};

enum : unsigned { SIZE_RESTORED = 0 };
// The high word of a key message's lParam: the key was down before (a key
// held repeats its WM_KEYDOWN with KF_REPEAT), it is being released.
enum : unsigned { KF_REPEAT = 0x4000, KF_UP = 0x8000 };
// Virtual-key codes: the keys the program and the dialog manager act on.
// VK_PACKET is a key known only by the character it types (WM_CHAR).
enum : unsigned {
  VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10, VK_ESCAPE = 0x1B, VK_SPACE = 0x20,
  VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28,
  VK_ADD = 0x6B, VK_SUBTRACT = 0x6D, VK_F6 = 0x75, VK_PACKET = 0xE7,
};
enum : unsigned { BN_CLICKED = 0 };

// scroll requests (low word of WM_VSCROLL's wParam) and bar types
enum : unsigned {
  SB_LINEUP = 0, SB_LINEDOWN = 1, SB_PAGEUP = 2, SB_PAGEDOWN = 3,
  SB_THUMBPOSITION = 4, SB_THUMBTRACK = 5, SB_TOP = 6, SB_BOTTOM = 7, SB_ENDSCROLL = 8,
};
enum : int { SB_CTL = 2 };

inline intptr_t MakeLParam(int low, int high) {
  return (intptr_t)(int32_t)(((uint32_t)(uint16_t)high << 16) | (uint16_t)low);
}
inline uintptr_t MakeWParam(unsigned low, unsigned high) {
  return (uintptr_t)(((uint32_t)(uint16_t)high << 16) | (uint16_t)low);
}
inline unsigned LoWord(uintptr_t v) { return (unsigned)(v & 0xFFFF); }
inline unsigned HiWord(uintptr_t v) { return (unsigned)((v >> 16) & 0xFFFF); }
inline int SignedLoWord(intptr_t v) { return (int)(int16_t)(uint16_t)(v & 0xFFFF); }
inline int SignedHiWord(intptr_t v) { return (int)(int16_t)(uint16_t)((v >> 16) & 0xFFFF); }

// ---- styles and flags -----------------------------------------------------
enum : unsigned {
  WS_POPUP = 0x80000000u, WS_CHILD = 0x40000000u, WS_VISIBLE = 0x10000000u,
  WS_CLIPSIBLINGS = 0x04000000u, WS_CLIPCHILDREN = 0x02000000u,
  WS_CAPTION = 0x00C00000u, WS_BORDER = 0x00800000u, WS_SYSMENU = 0x00080000u,
  WS_TABSTOP = 0x00010000u,
  WS_OVERLAPPEDWINDOW = 0x00CF0000u,
  DS_MODALFRAME = 0x80u, DS_SETFONT = 0x40u,
  BS_PUSHBUTTON = 0x0u, BS_DEFPUSHBUTTON = 0x1u, BS_GROUPBOX = 0x7u,
  SS_ICON = 0x3u, SS_SUNKEN = 0x1000u,
  SBS_VERT = 0x1u,
};
enum : unsigned { CS_VREDRAW = 0x1, CS_HREDRAW = 0x2, CS_OWNDC = 0x20 };
enum : int { SW_SHOWNORMAL = 1, SW_SHOWDEFAULT = 10 };
enum : int { SM_CXSCREEN = 0, SM_CYSCREEN = 1 };
enum : int { GWL_HINSTANCE = -6, GWL_ID = -12 };
enum : unsigned { SWP_NOMOVE = 0x2 };
enum : unsigned { PM_NOREMOVE = 0x0 };
enum : unsigned { MB_OK = 0x0, MB_ICONHAND = 0x10 };
enum : int { IDOK = 1, IDCANCEL = 2 };
enum : int { IDC_ARROW = 32512 };
enum : unsigned { SRCCOPY = 0x00CC0020u };

struct Rect { int left, top, right, bottom; };

struct Message {
  WindowHandle window;
  unsigned message;
  uintptr_t wParam;
  intptr_t lParam;
};

struct PaintStruct {
  DeviceContext dc;
  int erase;
  Rect paint;
};

// ---- the program's entry (defined by the program, called by the platform) --
// commandLine is empty: the program takes no arguments.
int ProgramMain(InstanceHandle instance, InstanceHandle previous, const char* commandLine, int showCommand);

// ---- windows ----------------------------------------------------------------
struct WindowClass {
  unsigned style;          // CS_ flags
  WindowProc windowProc;
  InstanceHandle instance;
  IconHandle icon;
  CursorHandle cursor;
  const char* className;   // also the X11 class hint
};

int RegisterClass(const WindowClass* windowClass);                   // nonzero on success
int GetSystemMetrics(int index);   // SM_CXSCREEN, SM_CYSCREEN: full screen width, height in pixels
// Sends WM_CREATE to the class's procedure before it returns.
WindowHandle CreateWindow(const char* className, const char* caption, unsigned style,
                          int x, int y, int width, int height, WindowHandle parent);
int ShowWindow(WindowHandle window, int showCommand);
int UpdateWindow(WindowHandle window);
int SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y,
                 int width, int height, unsigned flags);
intptr_t GetWindowLong(WindowHandle window, int index);              // GWL_ID or GWL_HINSTANCE
int InvalidateRect(WindowHandle window, const Rect* rect, int erase);  // null rect: whole client area
DeviceContext BeginPaint(WindowHandle window, PaintStruct* paint);
int EndPaint(WindowHandle window, const PaintStruct* paint);
// Default handling; WM_CLOSE destroys the window (and the windows it owns).
intptr_t DefWindowProc(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam);

// ---- message loop, timer, mouse capture ----------------------------------
int PeekMessage(Message* message, WindowHandle window, unsigned first, unsigned last, unsigned remove);
int GetMessage(Message* message, WindowHandle window, unsigned first, unsigned last);  // 0 on WM_QUIT, -1 on error
int TranslateMessage(const Message* message);
intptr_t DispatchMessage(const Message* message);
void PostQuitMessage(int exitCode);
// Posts WM_TIMER (wParam = id) every period; callback must be null.
uintptr_t SetTimer(WindowHandle window, uintptr_t id, unsigned periodMs, void* callback);
WindowHandle SetCapture(WindowHandle window);   // returns the previous capture window
int ReleaseCapture();
// Calls the window's procedure (a dialog's, with the dialog manager's default
// handling after it) and returns its answer.
intptr_t SendMessage(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam);

// ---- the keyboard ------------------------------------------------------------
// The user's keys come as WM_KEYDOWN and WM_KEYUP to the window that has the
// focus when they are fetched; TranslateMessage then posts WM_CHAR for a key
// down that types a character. A top-level window shown, a mouse press in a
// window or on a push button give it the focus (a dialog's goes to its first
// tab stop); so does SetFocus.
WindowHandle SetFocus(WindowHandle window);   // the window that had it; null, and no change, for a dead one
WindowHandle GetFocus();                      // null when no window of the program has it

// ---- dialogs and controls -------------------------------------------------
// Builds a modeless dialog from the named template of the program's resources,
// sends WM_INITDIALOG (lParam = param) and shows it if the template is WS_VISIBLE.
// owner null: a top-level window positioned from the screen's top-left corner;
// otherwise positioned from the owner's client area and destroyed with it.
WindowHandle CreateDialogParam(InstanceHandle instance, const char* templateName,
                               WindowHandle owner, DialogProc proc, intptr_t param);
int EndDialog(WindowHandle dialog, intptr_t result);   // takes the dialog off the screen and destroys it
WindowHandle GetDlgItem(WindowHandle dialog, int id);
// The dialog manager, for a message of the dialog or of one of its controls:
// Tab and Shift+Tab move the focus to the next or previous visible tab stop
// (WM_NEXTDLGCTL), Enter presses the focused push button (WM_COMMAND with
// BN_CLICKED, as a click), Escape sends WM_COMMAND IDCANCEL; anything else is
// translated and dispatched. Nonzero when the message was the dialog's.
// (A focused push button presses itself on Space, dialog manager or not.)
int IsDialogMessage(WindowHandle dialog, Message* message);
// The visible tab stop after (previous: before) control in template order,
// wrapping round; control null: the first one (previous: none).
WindowHandle GetNextDlgTabItem(WindowHandle dialog, WindowHandle control, int previous);
int SetScrollRange(WindowHandle window, int bar, int minimum, int maximum, int redraw);
int SetScrollPos(WindowHandle window, int bar, int position, int redraw);  // returns the previous position
int MessageBox(WindowHandle owner, const char* text, const char* caption, unsigned style);

// ---- resources --------------------------------------------------------------
// The program's dialog templates, bitmaps and icons, found by name or number.
struct DialogItem {
  int id;                  // -1: a control without identifier
  const char* className;   // "BUTTON", "STATIC" or "SCROLLBAR"
  const char* text;        // caption; for an SS_ICON static the icon number, as "#32512"
  unsigned style;          // full style word, WS_VISIBLE included when shown
  short x, y, width, height;   // dialog units
};

struct DialogTemplate {
  const char* name;        // "ColorScrDlg", ...
  unsigned style;
  short x, y, width, height;   // dialog units
  const char* caption;
  const char* fontFace;    // "Arial", "Arial Black"
  int fontPoints;
  const DialogItem* items;
  int itemCount;
};

struct BinaryResource {
  int id;
  const unsigned char* data;   // the file's bytes: a .bmp for bitmaps, a .ico for icons
  unsigned size;
};

struct ResourceTable {
  const DialogTemplate* dialogs;
  int dialogCount;
  const BinaryResource* bitmaps;
  int bitmapCount;
  const BinaryResource* icons;
  int iconCount;
};

// Handed over first thing in ProgramMain; CreateDialogParam and the loads
// below find the resources there. The table is copied; the arrays it points
// to must live as long as the program. On Windows the bitmaps and icons are
// the executable's own and only the templates are read.
void SetProgramResources(const ResourceTable* resources);
IconHandle LoadIcon(InstanceHandle instance, int id);
CursorHandle LoadCursor(InstanceHandle instance, int id);   // instance null, IDC_ARROW
BitmapHandle LoadBitmap(InstanceHandle instance, int id);   // null when missing or undecodable

struct BitmapInfo {
  int bmType;
  int bmWidth;
  int bmHeight;
  int bmWidthBytes;
  unsigned short bmPlanes;
  unsigned short bmBitsPixel;
  void* bmBits;
};
int GetObject(BitmapHandle bitmap, int size, BitmapInfo* info);   // bytes written, 0 on failure

// ---- GDI: device contexts, bitmaps, palettes --------------------------------
DeviceContext GetDC(WindowHandle window);
int ReleaseDC(WindowHandle window, DeviceContext dc);
WindowHandle WindowFromDC(DeviceContext dc);
DeviceContext CreateCompatibleDC(DeviceContext dc);
BitmapHandle SelectObject(DeviceContext dc, BitmapHandle bitmap);   // returns the previous bitmap
int StretchBlt(DeviceContext destination, int x, int y, int width, int height,
               DeviceContext source, int sourceX, int sourceY, int sourceWidth, int sourceHeight,
               unsigned rasterOperation);
int DeleteDC(DeviceContext dc);

struct PaletteEntry { unsigned char peRed, peGreen, peBlue, peFlags; };
struct LogPalette {
  unsigned short palVersion;
  unsigned short palNumEntries;
  const PaletteEntry* palPalEntry;   // palNumEntries entries
};
PaletteHandle CreatePalette(const LogPalette* palette);
PaletteHandle SelectPalette(DeviceContext dc, PaletteHandle palette, int forceBackground);
unsigned RealizePalette(DeviceContext dc);
int UnrealizeObject(PaletteHandle palette);

// ---- pixel formats and GL contexts ------------------------------------------
enum : uint32_t {
  PFD_DOUBLEBUFFER = 0x1, PFD_DRAW_TO_WINDOW = 0x4, PFD_SUPPORT_OPENGL = 0x20,
  PFD_NEED_PALETTE = 0x80,
};
enum : uint8_t { PFD_TYPE_RGBA = 0, PFD_TYPE_COLORINDEX = 1 };
enum : uint8_t { PFD_MAIN_PLANE = 0 };

struct PixelFormatDescriptor {
  uint16_t nSize;
  uint16_t nVersion;
  uint32_t dwFlags;
  uint8_t iPixelType;
  uint8_t cColorBits;
  uint8_t cRedBits, cRedShift, cGreenBits, cGreenShift, cBlueBits, cBlueShift;
  uint8_t cAlphaBits, cAlphaShift;
  uint8_t cAccumBits, cAccumRedBits, cAccumGreenBits, cAccumBlueBits, cAccumAlphaBits;
  uint8_t cDepthBits, cStencilBits, cAuxBuffers;
  uint8_t iLayerType;
  uint8_t bReserved;
  uint32_t dwLayerMask, dwVisibleMask, dwDamageMask;
};
static_assert(sizeof(PixelFormatDescriptor) == 40, "pixel format descriptor is 40 bytes");

int ChoosePixelFormat(DeviceContext dc, const PixelFormatDescriptor* request);   // 0 when none fits
int SetPixelFormat(DeviceContext dc, int format, const PixelFormatDescriptor* request);  // 1 on success
int GetPixelFormat(DeviceContext dc);
int DescribePixelFormat(DeviceContext dc, int format, unsigned size, PixelFormatDescriptor* out);

RenderContext wglCreateContext(DeviceContext dc);
int wglMakeCurrent(DeviceContext dc, RenderContext context);   // both null: no context current
int wglDeleteContext(RenderContext context);
int SwapBuffers(DeviceContext dc);   // presents the back buffer; nonzero on success
