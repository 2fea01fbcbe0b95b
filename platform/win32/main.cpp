// The program's entry on Windows: WinMain hands over to ProgramMain, whose
// result is the process's exit code. Relies on win32.h.
#include "platform/win32/win32.h"

// The program takes no arguments: the command line is not passed on.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int showCommand) {
  return ProgramMain(reinterpret_cast<InstanceHandle>(instance), reinterpret_cast<InstanceHandle>(previous),
                     "", showCommand);
}
