// One complete frame: background and fog, the counter, the rotation
// increment, the filled pass and the line pass, the buffer swap.
#pragma once

typedef void (*DrawFunction)();
extern DrawFunction drawList[8];
extern float savedRotation[16];
extern int restoreRotation;
extern int savedRotationTaken;   // 1 once the first frame has stored the orientation it found

// Where each frame draws the elapsed seconds, under the view transform alone:
// the left edge of the first digit cell, the baseline and the glyph unit.
const float counterLeft = -2.0f;
const float counterBaseline = 2.0f;
const float counterUnit = 0.08f;

int RenderScene();   // result of SwapBuffers(mainDC)
void DrawNothing();
