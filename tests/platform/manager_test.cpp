// The window manager's side of the platform: what a manager finds on a window
// when it is asked to map it, a size it refuses asked back only once,
// maximise undone once, a queue that is not idle while the program window is
// unseen, X errors caught or shown, the work area. A small manager runs in a
// thread on its own connection.
#include "tests/platform/support.h"

#include <FL/Fl_Window.H>
#include <X11/Xatom.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

const int kSize = 200;

intptr_t SnapBackProc(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  Hear(window, message, wParam, lParam);
  if (message == WM_SIZE) {
    SetWindowPos(window, nullptr, 80, 80, kSize, kSize, SWP_NOMOVE);
    return 0;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

intptr_t QuietDialogProc(WindowHandle, unsigned, uintptr_t, intptr_t) { return 0; }

std::vector<long> Longs(Display* d, Window w, const char* name, Atom type) {
  Atom actual;
  int format;
  unsigned long n, after;
  unsigned char* data = nullptr;
  std::vector<long> out;
  if (XGetWindowProperty(d, w, XInternAtom(d, name, False), 0, 32, False, type, &actual, &format, &n, &after,
                         &data) == Success &&
      data && format == 32)
    out.assign((long*)data, (long*)data + n);
  if (data) XFree(data);
  return out;
}

// What a manager found on a window when the program asked to map it.
struct MapRequestSeen {
  Window window = 0;
  XSizeHints hints{};
  long hintFlags = 0;
  std::vector<long> types, states, motif;
  Window transientFor = 0;
  int x = 0, y = 0;
};

// A window manager reduced to what the tests ask of one: it maps what it is
// asked to map, noting what it finds; it grants or refuses size changes; it
// notes state requests; on command it resizes a window or sets its state.
class Manager {
 public:
  explicit Manager(bool refuseSizes) : refuseSizes_(refuseSizes) {}
  ~Manager() { Stop(); }

  bool Start() {
    d_ = XOpenDisplay(nullptr);
    if (!d_) return false;
    XSelectInput(d_, DefaultRootWindow(d_), SubstructureRedirectMask | SubstructureNotifyMask);
    XSync(d_, False);
    running_ = true;
    thread_ = std::thread([this] { Run(); });
    return true;
  }
  void Stop() {
    if (!d_) return;
    running_ = false;
    thread_.join();
    XCloseDisplay(d_);
    d_ = nullptr;
  }

  // Commands carried out on the manager's thread.
  void Resize(Window w, int width, int height) { Command([=] { XResizeWindow(d_, w, width, height); }); }
  void SetMaximised(Window w) {
    Command([=] {
      Atom states[2] = {XInternAtom(d_, "_NET_WM_STATE_MAXIMIZED_VERT", False),
                        XInternAtom(d_, "_NET_WM_STATE_MAXIMIZED_HORZ", False)};
      XChangeProperty(d_, w, XInternAtom(d_, "_NET_WM_STATE", False), XA_ATOM, 32, PropModeReplace,
                      (unsigned char*)states, 2);
    });
  }

  std::vector<MapRequestSeen> Maps() {
    std::lock_guard<std::mutex> lock(mutex_);
    return maps_;
  }
  int SizeRequests() {
    std::lock_guard<std::mutex> lock(mutex_);
    return sizeRequests_;
  }
  std::vector<long> StateRemovals() {   // the states asked to be removed
    std::lock_guard<std::mutex> lock(mutex_);
    return removals_;
  }

 private:
  void Command(std::function<void()> f) {
    std::lock_guard<std::mutex> lock(mutex_);
    commands_.push_back(std::move(f));
  }
  void Run() {
    while (running_) {
      std::vector<std::function<void()>> commands;
      {
        std::lock_guard<std::mutex> lock(mutex_);
        commands.swap(commands_);
      }
      for (auto& f : commands) f();
      XFlush(d_);
      if (!XPending(d_)) {
        usleep(2000);
        continue;
      }
      XEvent e;
      XNextEvent(d_, &e);
      if (e.type == MapRequest) Map(e.xmaprequest.window);
      else if (e.type == ConfigureRequest) Configure(e.xconfigurerequest);
      else if (e.type == ClientMessage && e.xclient.message_type == XInternAtom(d_, "_NET_WM_STATE", False)) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (e.xclient.data.l[0] == 0) removals_.push_back(e.xclient.data.l[1]);
      }
    }
  }
  void Map(Window w) {
    MapRequestSeen seen;
    seen.window = w;
    XGetWMNormalHints(d_, w, &seen.hints, &seen.hintFlags);
    seen.types = Longs(d_, w, "_NET_WM_WINDOW_TYPE", XA_ATOM);
    seen.states = Longs(d_, w, "_NET_WM_STATE", XA_ATOM);
    Atom motif = XInternAtom(d_, "_MOTIF_WM_HINTS", False);
    seen.motif = Longs(d_, w, "_MOTIF_WM_HINTS", motif);
    XGetTransientForHint(d_, w, &seen.transientFor);
    Window root;
    unsigned width, height, border, depth;
    XGetGeometry(d_, w, &root, &seen.x, &seen.y, &width, &height, &border, &depth);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      maps_.push_back(seen);
    }
    XMapWindow(d_, w);
  }
  void Configure(const XConfigureRequestEvent& r) {
    XWindowAttributes now{};
    XGetWindowAttributes(d_, r.window, &now);
    bool resizes = ((r.value_mask & CWWidth) && r.width != now.width) ||
                   ((r.value_mask & CWHeight) && r.height != now.height);
    if (resizes) {
      std::lock_guard<std::mutex> lock(mutex_);
      ++sizeRequests_;
    }
    if (resizes && refuseSizes_) {
      // Refused: the window is told its geometry as it stays.
      XEvent e{};
      e.xconfigure.type = ConfigureNotify;
      e.xconfigure.event = e.xconfigure.window = r.window;
      e.xconfigure.x = now.x;
      e.xconfigure.y = now.y;
      e.xconfigure.width = now.width;
      e.xconfigure.height = now.height;
      XSendEvent(d_, r.window, False, StructureNotifyMask, &e);
      return;
    }
    XWindowChanges changes{};
    changes.x = r.x;
    changes.y = r.y;
    changes.width = r.width;
    changes.height = r.height;
    XConfigureWindow(d_, r.window, r.value_mask & (CWX | CWY | CWWidth | CWHeight), &changes);
  }

  bool refuseSizes_;
  Display* d_ = nullptr;
  std::atomic<bool> running_{false};
  std::thread thread_;
  std::mutex mutex_;
  std::vector<std::function<void()>> commands_;
  std::vector<MapRequestSeen> maps_;
  int sizeRequests_ = 0;
  std::vector<long> removals_;
};

Atom AtomNamed(const char* name) { return XInternAtom(PlatformDisplay(), name, False); }

bool Has(const std::vector<long>& atoms, const char* name) {
  return std::find(atoms.begin(), atoms.end(), (long)AtomNamed(name)) != atoms.end();
}

class ManagerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    OpenDisplayForTests();
    WindowClass wc{CS_OWNDC, SnapBackProc, ProgramInstance(), nullptr, nullptr, "ManagerTest"};
    RegisterClass(&wc);
  }
  void SetUp() override { heard.clear(); }
  void TearDown() override {
    if (Live(window)) DefWindowProc(window, WM_CLOSE, 0, 0);
    Drain();
  }
  void OpenWindow(int x = 100, int y = 120) {
    window = CreateWindow("ManagerTest", "managed", WS_OVERLAPPEDWINDOW, x, y, kSize, kSize, nullptr);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    ASSERT_TRUE(WaitViewable(window));
    Drain();
  }
  WindowHandle window = nullptr;
};

TEST_F(ManagerTest, TheManagerFindsAFixedSizeAndAnOwnedDialogBeforeTheMap) {
  Manager manager(false);
  ASSERT_TRUE(manager.Start());
  OpenWindow(100, 120);
  WindowHandle dialog = CreateDialogParam(ProgramInstance(), "Panel", window, QuietDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(WaitViewable(dialog));
  std::vector<MapRequestSeen> maps = manager.Maps();
  manager.Stop();

  ASSERT_EQ(maps.size(), 2u);
  const MapRequestSeen& main = maps[0];
  EXPECT_EQ(main.window, XWindowOf(window));
  const long sizeFlags = PMinSize | PMaxSize | PWinGravity | USPosition;
  EXPECT_EQ(main.hintFlags & sizeFlags, sizeFlags);
  EXPECT_EQ(main.hints.min_width, kSize);
  EXPECT_EQ(main.hints.max_width, kSize);
  EXPECT_EQ(main.hints.min_height, kSize);
  EXPECT_EQ(main.hints.max_height, kSize);
  EXPECT_EQ(main.hints.win_gravity, NorthWestGravity) << "the place is the frame's";
  EXPECT_EQ(main.x, 100) << "at its place already, not where the toolkit first put it";
  EXPECT_EQ(main.y, 120);
  ASSERT_EQ(main.motif.size(), 5u);
  EXPECT_EQ(main.motif[1], 4 | 8 | 32) << "move, minimise, close; neither resize nor maximise";

  const MapRequestSeen& panel = maps[1];
  EXPECT_EQ(panel.window, XWindowOf(dialog));
  EXPECT_EQ(panel.transientFor, XWindowOf(window));
  EXPECT_TRUE(Has(panel.types, "_NET_WM_WINDOW_TYPE_DIALOG"));
  EXPECT_TRUE(Has(panel.states, "_NET_WM_STATE_SKIP_TASKBAR"));
  EXPECT_TRUE(Has(panel.states, "_NET_WM_STATE_SKIP_PAGER"));
  ASSERT_EQ(panel.motif.size(), 5u);
  EXPECT_EQ(panel.motif[1], 4) << "no system menu: it can be moved, nothing else";
  EXPECT_EQ(panel.motif[2], 2 | 8) << "border and title: no close, minimise or maximise box";
  EXPECT_EQ(panel.hints.min_width, panel.hints.max_width);
  // Template (40, 16) in Arial 10's units (8 x 15) from the owner's client area.
  EXPECT_EQ(panel.x, 100 + 80);
  EXPECT_EQ(panel.y, 120 + 30);
  EndDialog(dialog, 0);
}

TEST_F(ManagerTest, ASizeTheManagerRefusesIsAskedBackOnceNotInALoop) {
  Manager manager(true);
  ASSERT_TRUE(manager.Start());
  OpenWindow();
  heard.clear();
  manager.Resize(XWindowOf(window), 320, 150);
  ASSERT_TRUE(PumpUntil([&] { return CountHeard(WM_SIZE, window) > 0; }));
  PumpUntil([&] { return manager.SizeRequests() > 0; });
  PumpFor(1.0);   // a loop would have asked hundreds of times by now
  EXPECT_EQ(manager.SizeRequests(), 1);
  int x, y, w, h;
  Geometry(window, &x, &y, &w, &h);
  EXPECT_EQ(w, 320) << "the manager's size stands";
  manager.Stop();

  // A manager that grants it: the size comes back.
  Manager granting(false);
  ASSERT_TRUE(granting.Start());
  granting.Resize(XWindowOf(window), 300, 300);
  ASSERT_TRUE(PumpUntil([&] {
    Geometry(window, &x, &y, &w, &h);
    return granting.SizeRequests() > 0 && w == kSize && h == kSize;
  }));
}

TEST_F(ManagerTest, AMaximisedFixedWindowAsksOnceToLeaveTheState) {
  Manager manager(false);
  ASSERT_TRUE(manager.Start());
  OpenWindow();
  manager.SetMaximised(XWindowOf(window));
  ASSERT_TRUE(PumpUntil([&] { return manager.StateRemovals().size() >= 2; }));
  PumpFor(0.5);
  std::vector<long> removed = manager.StateRemovals();
  EXPECT_EQ(removed.size(), 2u) << "asked once, not again while the manager keeps the state";
  EXPECT_TRUE(Has(removed, "_NET_WM_STATE_MAXIMIZED_VERT"));
  EXPECT_TRUE(Has(removed, "_NET_WM_STATE_MAXIMIZED_HORZ"));
}

// While the window is unmapped, or iconified by its WM_STATE while kept
// mapped, the queue always has a message (the clock's) and is never idle; once
// it is seen again, an empty queue is idle at once.
TEST_F(ManagerTest, TheQueueIsNotIdleWhileTheWindowIsUnseen) {
  OpenWindow();
  SetTimer(window, 1, 30, nullptr);
  Display* other = XOpenDisplay(nullptr);
  ASSERT_NE(other, nullptr);
  Window xid = XWindowOf(window);
  auto idleSoon = [&] {
    Message m;
    return PumpUntil([&] { return PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE) == 0; }, 5.0);
  };
  auto neverIdle = [&] {
    Message m;
    for (int i = 0; i < 4; ++i) {
      if (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE_FLAG) != 1) return false;
      if (m.message != WM_QUIT) DispatchMessage(&m);
    }
    return true;
  };

  XUnmapWindow(other, xid);
  XSync(other, False);
  ASSERT_TRUE(PumpUntil([&] { return !FlWindowOf(window)->visible(); }));
  EXPECT_TRUE(neverIdle()) << "unmapped";
  XMapWindow(other, xid);
  XSync(other, False);
  ASSERT_TRUE(WaitViewable(window));
  EXPECT_TRUE(idleSoon()) << "mapped again";

  // A manager that keeps an iconified window mapped says so in both
  // WM_STATE and _NET_WM_STATE; either alone is what any client can write.
  Atom wmState = XInternAtom(other, "WM_STATE", False);
  Atom netState = XInternAtom(other, "_NET_WM_STATE", False);
  long iconic[2] = {IconicState, 0}, hidden = (long)XInternAtom(other, "_NET_WM_STATE_HIDDEN", False);
  XChangeProperty(other, xid, wmState, wmState, 32, PropModeReplace, (unsigned char*)iconic, 2);
  XSync(other, False);
  PumpFor(0.3);
  EXPECT_TRUE(idleSoon()) << "WM_STATE Iconic alone, the window viewable";
  XChangeProperty(other, xid, netState, XA_ATOM, 32, PropModeReplace, (unsigned char*)&hidden, 1);
  XSync(other, False);
  ASSERT_TRUE(PumpUntil([&] { return window->native->iconic; }));
  EXPECT_TRUE(neverIdle()) << "iconic and hidden while mapped";
  long normal[2] = {NormalState, 0};
  XChangeProperty(other, xid, wmState, wmState, 32, PropModeReplace, (unsigned char*)normal, 2);
  XSync(other, False);
  EXPECT_TRUE(idleSoon()) << "normal again";
  XCloseDisplay(other);
}

// Another client's made-up events (XSendEvent) of the kinds only the server
// and the user's devices make change nothing: no click, no unmapped or
// destroyed window, no size; nor do its rewrites of the hints the program
// owns last.
TEST_F(ManagerTest, AnotherClientsMadeUpEventsAndHintsDoNotStick) {
  OpenWindow();
  Display* other = XOpenDisplay(nullptr);
  ASSERT_NE(other, nullptr);
  Window xid = XWindowOf(window);
  auto send = [&](XEvent e) {
    e.xany.window = xid;
    XSendEvent(other, xid, False, NoEventMask, &e);
  };
  XEvent press{};
  press.type = ButtonPress;
  press.xbutton.x = press.xbutton.y = 20;
  press.xbutton.button = Button1;
  press.xbutton.same_screen = True;
  send(press);
  XEvent unmap{};
  unmap.type = UnmapNotify;
  unmap.xunmap.event = unmap.xunmap.window = xid;
  send(unmap);
  XEvent destroy{};
  destroy.type = DestroyNotify;
  destroy.xdestroywindow.event = destroy.xdestroywindow.window = xid;
  send(destroy);
  XEvent configure{};
  configure.type = ConfigureNotify;
  configure.xconfigure.event = configure.xconfigure.window = xid;
  configure.xconfigure.width = configure.xconfigure.height = 7;
  send(configure);
  XSizeHints* foreign = XAllocSizeHints();
  foreign->flags = PMinSize;
  foreign->min_width = foreign->min_height = 999;
  XSetWMNormalHints(other, xid, foreign);
  XFree(foreign);
  XSync(other, False);
  heard.clear();
  PumpFor(0.5);

  EXPECT_EQ(CountHeard(WM_LBUTTONDOWN, window), 0) << "a made-up click";
  EXPECT_EQ(CountHeard(WM_CLOSE, window) + CountHeard(WM_DESTROY, window), 0) << "a made-up destruction";
  EXPECT_EQ(CountHeard(WM_SIZE, window), 0) << "a made-up size";
  ASSERT_TRUE(Live(window));
  EXPECT_TRUE(FlWindowOf(window)->visible()) << "a made-up unmap";
  EXPECT_EQ(FlWindowOf(window)->w(), kSize);
  XSizeHints hints{};
  long supplied = 0;
  ASSERT_TRUE(XGetWMNormalHints(other, xid, &hints, &supplied));
  EXPECT_EQ(hints.min_width, kSize) << "the fixed size declared again";
  EXPECT_EQ(hints.max_width, kSize);
  XCloseDisplay(other);
}

TEST(XErrors, ATrapCatchesAndDescribesOtherErrorsAreShownAndIgnored) {
  OpenDisplayForTests();
  Display* d = PlatformDisplay();
  const Window bogus = 0x3fffff1;   // no such window
  TrapXErrors();
  XMapWindow(d, bogus);
  std::string caught = EndXErrorTrap();
  EXPECT_NE(caught.find("BadWindow"), std::string::npos) << caught;
  EXPECT_EQ(EndXErrorTrap(), "") << "a trap catches only while it is set";

  testing::internal::CaptureStderr();
  XMapWindow(d, bogus);
  XSync(d, False);
  std::string shown = testing::internal::GetCapturedStderr();
  EXPECT_NE(shown.find("X error ignored: BadWindow"), std::string::npos) << shown;
}

TEST(WorkArea, ARectangleMovesInByAsLittleAsNeeded) {
  OpenDisplayForTests();
  Display* d = PlatformDisplay();
  Window root = RootWindow(d, PlatformScreen());
  Atom workArea = XInternAtom(d, "_NET_WORKAREA", False);
  long area[4] = {0, 20, 640, 440};   // a 20-pixel bar at the top
  XChangeProperty(d, root, workArea, XA_CARDINAL, 32, PropModeReplace, (unsigned char*)area, 4);
  XSync(d, False);
  struct Case {
    int x, y, w, h, wantX, wantY;
  } cases[] = {
      {810, 40, 294, 246, 346, 40},    // off the right edge
      {100, 300, 200, 200, 100, 260},  // off the bottom
      {-30, 5, 100, 100, 0, 20},       // off the left and under the bar
      {50, 50, 700, 500, 0, 20},       // too large: its top-left corner stays on
      {10, 30, 300, 300, 10, 30},      // on the area: unchanged
  };
  for (const Case& c : cases) {
    int x = c.x, y = c.y;
    KeepOnWorkArea(&x, &y, c.w, c.h);
    EXPECT_EQ(x, c.wantX) << c.x << ", " << c.y;
    EXPECT_EQ(y, c.wantY) << c.x << ", " << c.y;
  }
  XDeleteProperty(d, root, workArea);
  XSync(d, False);
  int x = 1200, y = 900;
  KeepOnWorkArea(&x, &y, 294, 246);
  EXPECT_EQ(x, DisplayWidth(d, PlatformScreen()) - 294) << "without a manager's work area: the screen";
  EXPECT_EQ(y, DisplayHeight(d, PlatformScreen()) - 246);
}

TEST_F(ManagerTest, AnOwnedDialogThatWouldLeaveTheScreenMovesIn) {
  int screenW = DisplayWidth(PlatformDisplay(), PlatformScreen());
  OpenWindow(screenW - 250, 100);
  WindowHandle dialog = CreateDialogParam(ProgramInstance(), "Panel", window, QuietDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(WaitViewable(dialog));
  int x, y, w, h;
  Geometry(dialog, &x, &y, &w, &h);
  EXPECT_EQ(x + w, screenW) << "at the screen's right edge, not at " << screenW - 250 + 80;
  EXPECT_EQ(y, 100 + 30) << "its height from the template as it was";
  EndDialog(dialog, 0);
}

}  // namespace
