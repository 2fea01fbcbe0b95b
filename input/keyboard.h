// The model by keyboard, beside the trackball: turns about the screen's
// axes, stopping and starting the spin, zoom steps; as the main window
// hands it the keys.
#pragma once

// A turn of the model by degrees about an axis fixed on the screen (eye
// coordinates, not normalised), as a frame applies its increment (needs a
// current GL context); the model is left still, and a spin started later
// turns about this axis.
void TurnModel(float degrees, float x, float y, float z);
// A spinning model stops, as after a click in place; a still one spins again
// at the start-up speed about the axis it last turned about (the start-up
// axis when that one is too short to turn about).
void ToggleSpin();
// One zoom step in (out): about a tenth, within the limits: the whole ball
// in front of the camera's near plane, and a tenth of its start size.
void ZoomStep(bool in);

// WM_KEYDOWN (a repeat while the key is held) and WM_CHAR of the main
// window; false for a key they leave to default handling.
bool HandleKeyDown(unsigned key, bool repeat);
bool HandleCharacter(unsigned character);
