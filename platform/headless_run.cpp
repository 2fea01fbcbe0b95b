// Starts the program under the headless platform, as its main() would.
// Relies on ProgramMain, which the program defines; kept apart so that tests
// without a program can link the rest.
#include "platform/headless.h"

int headless::RunProgram(int showCommand) {
  return ProgramMain(Instance(), nullptr, "", showCommand);
}
