// Draws the blue reference cube from -2 to +2 and the three pink axes, in
// model units that the zoom does not touch. Relies on the line pass.
#include <GL/gl.h>

#include "render/drawers.h"

void DrawReferenceCube() {
  glColor3f(0.0f, 0.0f, 0.9f);
  glLineWidth(1.5f);

  glBegin(GL_LINE_STRIP);
  glVertex3f(-2.0f, -2.0f, -2.0f);
  glVertex3f(-2.0f, 2.0f, -2.0f);
  glVertex3f(2.0f, 2.0f, -2.0f);
  glVertex3f(2.0f, -2.0f, -2.0f);
  glVertex3f(-2.0f, -2.0f, -2.0f);
  glVertex3f(-2.0f, -2.0f, 2.0f);
  glVertex3f(-2.0f, 2.0f, 2.0f);
  glVertex3f(2.0f, 2.0f, 2.0f);
  glVertex3f(2.0f, -2.0f, 2.0f);
  glVertex3f(-2.0f, -2.0f, 2.0f);
  glEnd();

  glBegin(GL_LINE_STRIP);
  glVertex3f(2.0f, 2.0f, -2.0f);
  glVertex3f(2.0f, 2.0f, 2.0f);
  glEnd();

  glBegin(GL_LINE_STRIP);
  glVertex3f(2.0f, -2.0f, -2.0f);
  glVertex3f(2.0f, -2.0f, 2.0f);
  glEnd();

  glBegin(GL_LINE_STRIP);
  glVertex3f(-2.0f, 2.0f, -2.0f);
  glVertex3f(-2.0f, 2.0f, 2.0f);
  glEnd();

  glColor3f(1.0f, 0.0f, 0.7f);
  glLineWidth(4.0f);

  glBegin(GL_LINE_STRIP);
  glVertex3f(0.0f, 0.0f, 0.02f);
  glVertex3f(2.0f, 0.0f, 0.02f);
  glEnd();

  glBegin(GL_LINE_STRIP);
  glVertex3f(0.0f, 0.0f, 0.02f);
  glVertex3f(0.0f, 2.0f, 0.02f);
  glEnd();

  glBegin(GL_LINE_STRIP);
  glVertex3f(0.0f, 0.0f, 0.0f);
  glVertex3f(0.0f, 0.0f, 2.0f);
  glEnd();
}
