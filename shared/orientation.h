// The model's orientation and zoom: steered by the trackball (input/), turned
// by every frame and read by the drawers (render/). No logic.
#pragma once

// The spin at start-up: 0.031 degree a frame about this axis.
constexpr float startSpinAngle = 0.031f;
constexpr float startSpinAxis[3] = {-0.1f, 0.1f, 0.1f};

extern float rotation[16];        // column-major, as OpenGL
extern float spinAngle;           // degrees added by each frame while tracking
extern float spinAxis[3];         // eye coordinates, not normalised
extern int tracking;              // 1: every frame applies the increment; 0: frozen
extern int spinning;              // 1: frames follow each other without a request
extern float modelScale;          // zoom factor of disc, hemisphere and grid
