// The entry of a program run on the headless backend (the platform's
// contract suite): a fresh state, then ProgramMain, as on a real desktop.
#include "platform/headless/headless.h"

int main() {
  headless::Reset();
  return ProgramMain(ProgramInstance(), nullptr, "", SW_SHOWDEFAULT);
}
