// OpenGL 1.1 in the browser: the program's own OpenGL calls, kept as OpenGL
// keeps its state and drawn through WebGL 1 with shaders that compute what
// the fixed pipeline computes. Needs a WebGL context (made here, on a canvas
// of the page) with at least 14 vertex attributes; built with Emscripten,
// whose WebGL calls it reaches under their emscripten_ names.
//
// What it implements, for exactly the calls render/ makes:
// - glBegin/glEnd with GL_QUADS and GL_LINE_STRIP; glVertex3f, glNormal3f,
//   glColor3f; glMaterialfv and glMaterialf for the front, the back or both,
//   also between the vertices of a primitive (each vertex keeps the
//   materials in force when it was given).
// - The modelview and projection stacks (32 deep, as the desktop's Mesa):
//   glMatrixMode, glLoadIdentity, glFrustum, glTranslatef, glRotatef,
//   glMultMatrixf, glPushMatrix, glPopMatrix, glGetFloatv of either matrix;
//   in single precision and in the desktop's order of operations, so that a
//   matrix accumulated call by call matches the desktop's (matrix.h).
//   glViewport.
// - Lighting per vertex with Gouraud shading: eight lights (glLightfv:
//   ambient, diffuse, specular, position), directional or positional,
//   without spotlights or attenuation; the scene's ambient of 0.2; a viewer
//   at infinity; two-sided lighting (glLightModeli GL_LIGHT_MODEL_TWO_SIDE),
//   back faces lit with the back material and the normal reversed. Normals
//   are transformed, not renormalised (GL_NORMALIZE off).
// - Fog (glFogf, glFogi, glFogfv): linear, exponential and exponential
//   squared, from the eye distance |z|, per pixel.
// - glPolygonMode(GL_FRONT_AND_BACK, GL_FILL or GL_LINE): quads filled, or
//   their four edges drawn as lines.
// - Lines of any width (WebGL draws only 1-pixel lines): each segment a quad
//   widened across its major axis in window coordinates, at its ends' depth,
//   as OpenGL draws lines that are not antialiased, the width rounded to
//   whole pixels; clipped at the near plane.
// - glEnable/glDisable of GL_LIGHTING, GL_LIGHT0 to GL_LIGHT7, GL_FOG,
//   GL_DEPTH_TEST (depth function GL_LESS); glDisable of GL_TEXTURE_2D and
//   GL_CULL_FACE; glClearColor, glClear, glFlush, glShadeModel(GL_SMOOTH).
//
// - glViewport and glGetIntegerv(GL_VIEWPORT); glReadPixels of RGBA bytes
//   (glReadBuffer GL_BACK, the one buffer drawn into).
// - A pixel ratio (SetPixelRatio): the program's pixels are that many of
//   the drawing buffer's, as a page's CSS pixels are of a high-density
//   screen; the viewport and line widths are scaled by it.
//
// What it does not do: other primitives, flat shading, textures, face
// culling, blending, colour material, spotlights and attenuation, a local
// viewer, glGet of anything but the two matrices; such a call is said once
// on standard error and otherwise ignored. Lit outlines (polygon mode
// GL_LINE with lighting on) take the front material on both faces. Calls
// that OpenGL refuses (a state change between glBegin and glEnd, a matrix
// stack over- or underflow, a frustum with a non-positive or empty depth
// range) change nothing, as there; glGetError does not exist.
//
// How it draws: vertices collect in one batch, as triangles (a quad is two,
// a line segment two more), each vertex carrying its normal, colour and
// materials; the batch is drawn in one WebGL call whenever something it
// depends on is about to change (a matrix, a light, fog, the line width, a
// switch, the viewport, a clear) and at glFlush.
#pragma once

namespace webgl11 {

// Makes a WebGL context on the canvas that the CSS selector names current,
// with a depth buffer, no alpha (materials' alpha never shows through the
// page) and no antialiasing, keeping its picture between frames when
// keepPicture is set; OpenGL's initial state, the viewport the canvas's
// drawing buffer. False, with the reason on standard error, when the page
// has no WebGL or WebGL cannot run the layer.
bool StartLayer(const char* canvas, bool keepPicture);
// Destroys the context; nothing is current afterwards.
void StopLayer();

// The drawing buffer's pixels to one of the program's (the page's
// devicePixelRatio, as the canvas was sized): the viewport the program
// sets, and line widths, are scaled by it before they reach WebGL; the
// program knows only its own pixels (glGetIntegerv). 1 until set; set
// before StartLayer or again while drawing, which sets the viewport anew.
void SetPixelRatio(float ratio);

// Where a line width lies halfway between two whole numbers of pixels (the
// grid's 2.5), OpenGL leaves open which way it rounds, and the desktop's
// Mesa has changed its mind: Debian 12's rounds up (the grid 3 pixels wide),
// Debian 13's to the even number (2), as the layer does unless told to
// round up. The tests tell it what the machine's Mesa does.
void RoundHalfLineWidthsUp(bool up);

}  // namespace webgl11
