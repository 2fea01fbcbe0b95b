// Definitions of the model's orientation and zoom with their start values; no logic.
#include "shared/orientation.h"

float rotation[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
float spinAngle = startSpinAngle;
float spinAxis[3] = {startSpinAxis[0], startSpinAxis[1], startSpinAxis[2]};
int tracking = 1;
int spinning = 1;
float modelScale = 2.0f;
