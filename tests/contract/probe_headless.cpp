// The contract suite on the headless backend: the virtual clock, and message
// boxes answered at once.
#include "platform/headless/headless.h"
#include "tests/contract/backend_probe.h"

namespace probe {

const bool kCreateSizeIsOuter = false;
const bool kRealClock = false;
uint64_t NowMs() { return headless::Now(); }
double ProcessorSeconds() { return 0; }
void Pass(unsigned milliseconds) { headless::AdvanceClock(milliseconds); }
void AnswerNextMessageBox(const char*) {}

}  // namespace probe
