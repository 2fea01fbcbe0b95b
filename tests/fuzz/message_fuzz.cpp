// Message fuzzer: random sequences of the messages the main window and the
// three panels accept, through their real procedures on the headless
// platform with an offscreen context, with frames drawn in between as the idle
// loop draws them. The mouse goes through the queue the program's loop runs
// (the platform's core); the rest is sent. After every message the
// simulation, the transform state and OpenGL's error flag are checked.
//
// Built as a libFuzzer target (HEAT_LIBFUZZER) or as a replay program that
// runs every file of a corpus folder and then seeded random sequences for a
// given number of seconds.
#include <GL/gl.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "panels/dialog_templates.h"
#include "panels/panels.h"
#include "panels/resource_ids.h"
#include "render/camera.h"
#include "render/redraw.h"
#include "shared/orientation.h"
#include "shared/shell_state.h"
#include "sim/heat_grid.h"
#include "tests/support/program_state.h"

namespace {

// ---- reading the input ---------------------------------------------------------
struct Input {
  const uint8_t* data;
  size_t size;
  size_t at = 0;
  bool Done() const { return at >= size; }
  unsigned Byte() { return at < size ? data[at++] : 0u; }
  unsigned Word() { return Byte() | (Byte() << 8); }
  int Signed16() { return (int)(int16_t)(uint16_t)Word(); }
};

const char* currentStep = "";
long currentSeed = -1;   // the random sequence running, or -1 for a corpus file

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "invariant broken after %s: %s\n", currentStep, what);
  if (currentSeed >= 0) std::fprintf(stderr, "  in the random sequence of seed %ld\n", currentSeed);
  std::fprintf(stderr,
               "  tickCount %d elapsedSeconds %d boundaryTemp %.17g cameraDistance %.9g modelScale %.9g\n",
               tickCount, elapsedSeconds, boundaryTemp, (double)cameraDistance, (double)modelScale);
  std::abort();
}

void Check(bool condition, const char* what) {
  if (!condition) Fail(what);
}

// ---- the invariants ------------------------------------------------------------
void CheckSimulation() {
  const double low = std::fmin(1.0, boundaryTemp) - 1e-9;
  const double high = std::fmax(1.0, boundaryTemp);
  for (int j = 0; j < 12; ++j) Check(tempGrid[11][j] == boundaryTemp, "row 11 is not boundaryTemp");
  for (int i = 0; i < 12; ++i) {
    for (int j = 0; j < 12; ++j) {
      const double t = tempGrid[i][j];
      Check(std::isfinite(t), "a temperature is not finite");
      Check(t >= low && t <= high, "a temperature lies outside the start and boundary temperatures");
      Check(std::memcmp(&tempGrid[i][j], &tempGrid[i][0], sizeof(double)) == 0,
            "a row is not bit-for-bit uniform");
    }
  }
}

void CheckTransformState() {
  Check(std::isfinite(modelScale), "modelScale is not finite");
  Check(std::isfinite(cameraDistance), "cameraDistance is not finite");
  for (float r : rotation) Check(std::isfinite(r), "rotation is not finite");
  for (float a : spinAxis) Check(std::isfinite(a), "spinAxis is not finite");
  Check(std::isfinite(spinAngle), "spinAngle is not finite");
}

bool FrustumRefusable() { return (double)cameraDistance + farBeyondCamera <= nearPlane; }

void CheckGl() {
  if (glContext == nullptr) return;   // nothing is current: OpenGL is not ours to ask
  GLint depth = 0, mode = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  // Only a frustum with its far plane at or before the near plane may be refused.
  const bool frustumRefusable = FrustumRefusable();
  for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError()) {
    if (error == GL_INVALID_VALUE && frustumRefusable) continue;
    std::fprintf(stderr, "OpenGL error 0x%x\n", error);
    Fail("OpenGL reported an error");
  }
  Check(depth == 1, "the modelview stack is not back to one matrix");
  Check(mode == GL_MODELVIEW, "GL_MODELVIEW is not the current matrix mode");
  float m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  for (float v : m) Check(std::isfinite(v), "the view transform is not finite");
}

// The extremes a sequence reached, for the run's summary.
struct Reach {
  float minCamera = 5.0f, minScale = 2.0f, maxScale = 2.0f;
  bool frustumRefused = false;
} reach;

void CheckAll() {
  reach.minCamera = std::fmin(reach.minCamera, cameraDistance);
  reach.minScale = std::fmin(reach.minScale, modelScale);
  reach.maxScale = std::fmax(reach.maxScale, modelScale);
  if (FrustumRefusable()) reach.frustumRefused = true;
  CheckSimulation();
  CheckTransformState();
  CheckGl();
}

// ---- the program under test --------------------------------------------------------
struct Program {
  WindowHandle window = nullptr;
  WindowHandle panel = nullptr;
  std::vector<WindowHandle> handles;   // every window and control seen, dead ones too
};

void Remember(Program& p, WindowHandle dialog) {
  if (dialog == nullptr) return;
  for (WindowHandle h : p.handles)
    if (h == dialog) return;
  p.handles.push_back(dialog);
  for (WindowHandle c : headless::Controls(dialog)) p.handles.push_back(c);
}

WindowHandle PickHandle(Program& p, Input& in) {
  const unsigned k = in.Byte();
  if (k == 0 || p.handles.empty()) return nullptr;
  return p.handles[k % p.handles.size()];
}

// The frames the idle loop would draw before the next message: one, or while
// the model spins as many as the idle moment allows (here: up to three).
void IdleFrames(unsigned count) {
  for (unsigned k = 0; k < count && redrawHook != nullptr; ++k) {
    currentStep = "a frame";
    redrawHook();
    CheckAll();
  }
}

// What the program's loop fetches and dispatches before its next idle moment:
// the mouse queued above (moves coalesced) and the panels' paint.
void DispatchQueued() {
  Message message = {};
  while (PeekMessage(&message, nullptr, 0, 0, 1 /* PM_REMOVE */)) {
    if (message.message == WM_QUIT) continue;
    currentStep = "a message from the queue";
    DispatchMessage(&message);
    CheckAll();
  }
}

// The main panel's commands: every control of its template that has an id,
// then ids that no control has.
const std::vector<unsigned>& PanelCommands() {
  static std::vector<unsigned> commands;
  if (commands.empty()) {
    for (const DialogTemplate& dialog : dialogTemplates)
      if (std::strcmp(dialog.name, IDD_MAIN_PANEL) == 0)
        for (int k = 0; k < dialog.itemCount; ++k)
          if (dialog.items[k].id != IDC_STATIC) commands.push_back((unsigned)dialog.items[k].id);
    for (unsigned unknown : {1u, 2u, 0u, 0xFFFFu}) commands.push_back(unknown);
  }
  return commands;
}
const unsigned optionsCommands[] = {IDOK, IDC_FOG, IDC_LIGHTS, IDC_TRANSPARENCY, 2, IDC_OPEN_OPTIONS, 0xFFFF};
const unsigned mouseMessages[] = {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN,
                                  WM_RBUTTONUP};

uintptr_t CommandWParam(Input& in, const unsigned* table, size_t count) {
  const unsigned pick = in.Byte();
  const unsigned id = pick < 200 ? table[pick % count] : in.Word();
  const unsigned notification = (in.Byte() < 224) ? BN_CLICKED : in.Word();
  return MakeWParam(id, notification);
}

// Returns false when the sequence has ended (the main window was closed).
bool Step(Program& p, Input& in) {
  const unsigned op = in.Byte() % 20;
  bool loopLags = false;
  switch (op) {
    case 0: case 1: case 2: case 3: {   // mouse, anywhere, mostly moves
      const unsigned which = in.Byte();
      const unsigned message = which < 128 ? WM_MOUSEMOVE : mouseMessages[which % 5];
      int x = in.Signed16(), y = in.Signed16();
      if (in.Byte() < 160) {   // mostly inside or near the window
        x = (int)((unsigned)x % (unsigned)(windowWidth * 2 + 1)) - windowWidth / 2;
        y = (int)((unsigned)y % (unsigned)(windowHeight * 2 + 1)) - windowHeight / 2;
      }
      // Queued as the user's mouse. Now and then the mouse is quicker than
      // the loop, and moves pile up (and coalesce) before it catches up.
      const unsigned keys = in.Byte();
      currentStep = "a mouse message";
      QueueInput(p.window, message, keys & 3u, MakeLParam(x, y));
      loopLags = (keys & 4u) != 0;
      break;
    }
    case 4: case 5: {   // clock ticks, a burst of them
      const unsigned ticks = 1 + in.Byte() % 32;
      for (unsigned k = 0; k < ticks; ++k) {
        currentStep = "a timer tick";
        SendTo(p.window, WM_TIMER, in.Byte() < 250 ? 1 : in.Word(), 0);
        CheckSimulation();
      }
      break;
    }
    case 6:
      currentStep = "a paint message";
      SendTo(p.window, WM_PAINT, 0, 0);
      break;
    case 7: {   // size message as sent, or a resize by the window manager
      const unsigned kind = in.Byte();
      const int w = (int)(in.Word() % 5000), h = (int)(in.Word() % 5000);
      currentStep = "a size message";
      if (kind & 1) Resized(p.window, w, h);
      else SendTo(p.window, WM_SIZE, kind % 3, MakeLParam(w, h));
      break;
    }
    case 8: {
      const unsigned kind = in.Byte();
      WindowHandle from = (kind & 1) ? p.window : PickHandle(p, in);
      currentStep = "a palette message";
      SendTo(p.window, (kind & 2) ? WM_QUERYNEWPALETTE : WM_PALETTECHANGED, (uintptr_t)from, 0);
      break;
    }
    case 9: case 10: case 11: {   // a command of the main panel, hidden and unknown ones too
      const uintptr_t wParam = CommandWParam(in, PanelCommands().data(), PanelCommands().size());
      currentStep = "a main panel command";
      SendTo(p.panel, WM_COMMAND, wParam, (intptr_t)PickHandle(p, in));
      Remember(p, optionsPanel);
      Remember(p, formColorsPanel);
      break;
    }
    case 12: {   // the main panel's own size and paint
      currentStep = "a main panel paint or size";
      const unsigned kind = in.Byte();
      if (kind % 3 == 0) SendTo(p.panel, WM_PAINT, 0, 0);
      else if (kind % 3 == 1) SendTo(p.panel, WM_SIZE, 0, MakeLParam(in.Word(), in.Word()));
      else Resized(p.panel, (int)(in.Word() % 3000), (int)(in.Word() % 3000));
      break;
    }
    case 13: {   // the options panel, open or not (a closed one's handle is dead)
      WindowHandle target = optionsPanel != nullptr ? optionsPanel : PickHandle(p, in);
      currentStep = "an options panel message";
      if (in.Byte() < 32) SendTo(target, WM_CLOSE, 0, 0);
      else SendTo(target, WM_COMMAND, CommandWParam(in, optionsCommands, std::size(optionsCommands)), 0);
      break;
    }
    case 14: case 15: case 16: {   // scroll messages with any request, position and control
      WindowHandle target = formColorsPanel != nullptr ? formColorsPanel : PickHandle(p, in);
      const unsigned r = in.Byte();
      const unsigned request = r < 160 ? 4 + (r & 1) : (r < 224 ? r % 9 : in.Word());
      const unsigned position = in.Byte() < 192 ? in.Byte() : in.Word();
      WindowHandle bar = nullptr;
      const unsigned c = in.Byte();
      if (c < 192 && formColorsPanel != nullptr) bar = GetDlgItem(formColorsPanel, IDC_FRONT_RED + (int)(c % 7));
      else bar = PickHandle(p, in);
      currentStep = "a scroll message";
      SendTo(target, WM_VSCROLL, MakeWParam(request, position), (intptr_t)bar);
      break;
    }
    case 17: {   // the form colours panel's OK and close box, and other commands
      WindowHandle target = formColorsPanel != nullptr ? formColorsPanel : PickHandle(p, in);
      const unsigned kind = in.Byte();
      currentStep = "a form colours panel command";
      if (kind < 64) SendTo(target, WM_CLOSE, 0, 0);
      else SendTo(target, WM_COMMAND, MakeWParam(kind < 160 ? 1 : in.Word(), BN_CLICKED), 0);
      break;
    }
    case 18: {   // a user's click on any control (only shown buttons answer)
      WindowHandle control = PickHandle(p, in);
      currentStep = "a click";
      if (control != nullptr) headless::Click(control);
      Remember(p, optionsPanel);
      Remember(p, formColorsPanel);
      break;
    }
    case 19: {   // the end: the window closed, or a message no procedure handles
      if (in.Byte() < 16) {
        currentStep = "closing the main window";
        SendTo(p.window, WM_CLOSE, 0, 0);
        break;
      }
      unsigned message = in.Word();
      if (message == WM_CREATE || message == WM_DESTROY || message == WM_CLOSE || message == WM_INITDIALOG ||
          message == WM_QUIT)
        message = WM_PAINT;
      currentStep = "an unknown message";
      SendTo(in.Byte() & 1 ? p.window : p.panel, message, in.Word(), in.Word());
      break;
    }
  }
  if (!loopLags) DispatchQueued();
  // A close request may also reach the window through any handle picked above.
  // Its loop then ends at the quit message: no frame is drawn after it.
  if (!Live(p.window)) {
    Check(glContext == nullptr, "the rendering context outlived the window");
    Check(redrawHook == nullptr, "a frame is still requested after the window closed");
    return false;
  }
  CheckAll();
  const unsigned frames = 1 + in.Byte() % 3;
  if (PendingMessages().empty()) IdleFrames(frames);   // the loop draws only when nothing waits
  return true;
}

}  // namespace

namespace {
// What the sequences reached, to tell a run that explored from one that did not.
struct Stats {
  long frames = 0;
  int withPanelsOpen = 0;    // sequences that ended with the options or colours panel open
  int frustumRefused = 0;    // sequences that took the camera past the near plane
  float minScale = 2.0f, maxScale = 2.0f;
} stats;
Reach lastReach;
}  // namespace

// One sequence from nothing: the platform set up by the first byte (palette
// display, a palette or context that cannot be made, the legend missing),
// the window and its panel opened, then one message after another.
void RunSequence(const uint8_t* data, size_t size) {
  Input in{data, size};
  reach = Reach();
  ResetProgramState();
  const unsigned setup = in.Byte();
  if ((setup & 0x07) == 1) UseThreeThreeTwoFormat();
  headless::FailCreatePalette((setup & 0x0F) == 9);
  headless::FailCreateContext((setup & 0x1F) == 17);
  if ((setup & 0x60) == 0x60) HandResourcesWithoutLegend();

  Program p;
  currentStep = "creating the window";
  p.window = OpenMainWindow(80 + (int)(in.Byte() % 64) * 4 / 5);   // 80 to 130 pixels: cheap frames
  Check(p.window != nullptr, "the main window could not be made");
  p.panel = OpenMainPanel(p.window);
  Check(p.panel != nullptr, "the main panel could not be made");
  p.handles.push_back(p.window);
  Remember(p, p.panel);
  CheckAll();
  IdleFrames(1);

  while (!in.Done())
    if (!Step(p, in)) break;

  stats.frames += headless::FrameCount();
  if (optionsPanel != nullptr || formColorsPanel != nullptr) ++stats.withPanelsOpen;
  if (reach.frustumRefused) ++stats.frustumRefused;
  stats.minScale = std::fmin(stats.minScale, reach.minScale);
  stats.maxScale = std::fmax(stats.maxScale, reach.maxScale);
  lastReach = reach;

  headless::SetIdleCallback({});
  ResetProgramState();
}

#ifdef HEAT_LIBFUZZER

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RunSequence(data, size);
  return 0;
}

#else

namespace {

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

int ReplayCorpus(const std::string& folder, size_t* bytes) {
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) {
    std::fprintf(stderr, "cannot read the corpus folder %s\n", folder.c_str());
    std::exit(2);
  }
  std::vector<std::string> names;
  while (dirent* entry = readdir(dir))
    if (entry->d_name[0] != '.') names.push_back(entry->d_name);
  closedir(dir);
  for (const std::string& name : names) {
    const std::vector<uint8_t> input = ReadFile(folder + "/" + name);
    std::fprintf(stderr, "corpus %s (%zu bytes)\n", name.c_str(), input.size());
    RunSequence(input.data(), input.size());
    std::fprintf(stderr, "  camera down to %g, modelScale %g to %g\n", (double)lastReach.minCamera,
                 (double)lastReach.minScale, (double)lastReach.maxScale);
    *bytes += input.size();
  }
  return (int)names.size();
}

}  // namespace

// message_fuzz [corpus folder] [seconds of random sequences] [first seed]
int main(int argc, char** argv) {
  const std::string corpus = argc > 1 ? argv[1] : "";
  const double seconds = argc > 2 ? std::atof(argv[2]) : 10.0;
  const unsigned firstSeed = argc > 3 ? (unsigned)std::strtoul(argv[3], nullptr, 10) : 1u;

  size_t bytes = 0;
  const int files = corpus.empty() ? 0 : ReplayCorpus(corpus, &bytes);

  const auto start = std::chrono::steady_clock::now();
  const auto elapsed = [&] {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  unsigned seed = firstSeed;
  int sequences = 0;
  for (; elapsed() < seconds; ++seed, ++sequences) {
    std::mt19937 random(seed);
    std::vector<uint8_t> input(64 + random() % 4000);
    for (uint8_t& b : input) b = (uint8_t)random();
    currentSeed = seed;
    RunSequence(input.data(), input.size());
    bytes += input.size();
  }
  std::printf("%d corpus files and %d random sequences (seeds %u to %u), %zu input bytes in %.1f s: "
              "every invariant held\n",
              files, sequences, firstSeed, seed - 1, bytes, elapsed());
  std::printf("%ld frames; %d ended with a second panel open, %d refused the frustum; "
              "modelScale between %g and %g\n",
              stats.frames, stats.withPanelsOpen, stats.frustumRefused, (double)stats.minScale,
              (double)stats.maxScale);
  return 0;
}

#endif
