// The scenes whose frames the desktop's OpenGL (Mesa, offscreen) and the
// browser's OpenGL layer must draw alike: the documentation's two frames,
// the program's other looks (unlit, fogged, turned and zoomed), and one
// picture of raw OpenGL calls for what the program's frames show little of
// (line widths and slopes, lines through the near plane, partial primitives).
#pragma once

struct ReferenceScene {
  const char* name;     // a file name without extension
  void (*setUp)();      // after the start-up below
  bool drawsItself;     // draws its own picture instead of RenderScene's
};

extern const ReferenceScene referenceScenes[];
extern const int referenceSceneCount;

// The scene started up as the window's creation leaves it (819 x 819,
// viewport included) on the current GL context, then set up as scene
// `index` says, then drawn: RenderScene, or the scene's own calls.
// Returns RenderScene's result, 1 for a scene that draws itself.
int DrawReferenceScene(int index);
