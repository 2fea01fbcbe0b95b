// The program's entry on X11: opens the display (or says in one line why it
// cannot), then hands over to ProgramMain. Relies on x11.h.
#include "platform/x11/x11.h"

int main() {
  if (!OpenPlatformDisplay()) return 1;
  return ProgramMain(ProgramInstance(), nullptr, "", SW_SHOWDEFAULT);
}
