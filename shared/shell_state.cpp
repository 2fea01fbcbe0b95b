// Definitions of the shell state shared with the scene, the trackball and the panels; no logic.
#include "shared/shell_state.h"

int windowWidth = 0;
int windowHeight = 0;
DeviceContext mainDC = nullptr;
RenderContext glContext = nullptr;
int tickCount = 0;
int elapsedSeconds = 0;
