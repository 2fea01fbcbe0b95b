// A program on the FLTK platform that only reports that it started: without
// an X display it must never get this far.
#include "platform/platform.h"

#include <cstdio>

int ProgramMain(InstanceHandle instance, InstanceHandle, const char* commandLine, int showCommand) {
  std::printf("started %d %d \"%s\" %d\n", instance != nullptr, GetSystemMetrics(SM_CYSCREEN), commandLine,
              showCommand);
  return 5;
}
