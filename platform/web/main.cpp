// The program's entry in the page: ProgramMain, then exit() with its code,
// which takes the program's windows off the page (page.js). Relies on web.h.
#include "platform/web/web.h"

#include <cstdlib>

int main() { std::exit(ProgramMain(ProgramInstance(), nullptr, "", SW_SHOWDEFAULT)); }
