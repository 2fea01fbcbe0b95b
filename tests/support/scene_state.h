// The program's state below the shell back to its start values, and the scene
// as the window's creation leaves it, for tests that run the scene and the
// trackball one test after another in one process, with no window.
#pragma once

#include <cstring>
#include <vector>

#include "platform/platform.h"

// A module variable and the bytes it held when the process started.
struct StartValue {
  void* variable;
  std::vector<unsigned char> bytes;
};
// Taken from the variable itself: called before main, in the initialiser of
// a list of the variables a reset puts back.
template <typename T>
StartValue KeepStartValue(T& variable) {
  StartValue kept{&variable, std::vector<unsigned char>(sizeof variable)};
  std::memcpy(kept.bytes.data(), &variable, sizeof variable);
  return kept;
}
void RestoreStartValues(const std::vector<StartValue>& values);

// Every module variable of sim/, shared/, render/ and input/ back to the
// value the program starts with: the grid zero-filled, no frame drawn yet,
// no frame pending.
void ResetSceneState();

// A device context that belongs to no window, for mainDC.
DeviceContext TestDC();

// ResetSceneState, then what the window's creation does on the GL context
// the caller has made current, at 819 x 819 with mainDC = TestDC():
// InitLighting, the grid, the view transform and the start orientation.
void StartUpScene();
