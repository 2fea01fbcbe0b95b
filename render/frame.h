// One complete frame: background and fog, the counter, the rotation
// increment, the filled pass and the line pass, the buffer swap.
#pragma once

typedef void (*DrawFunction)();
extern DrawFunction drawList[8];
extern float savedRotation[16];
extern int restoreRotation;
extern int savedRotationTaken;   // 1 once the first frame has stored the orientation it found

int RenderScene();   // result of SwapBuffers(mainDC)
void DrawNothing();
