// Seven directional lights fixed to the eye, the front and back materials
// and the linear fog. Relies on SetProjection for the lights' placement.
#include "render/lighting.h"

#include <GL/gl.h>

#include "render/camera.h"

const float lightPositions[7][4] = {
    {5.0f, 6.0f, -4.0f, 0.0f},   {0.0f, 14.0f, 14.0f, 0.0f}, {5.0f, -6.0f, -2.0f, 0.0f},
    {-8.0f, 8.0f, -10.0f, 0.0f}, {2.0f, -2.0f, 5.0f, 0.0f},  {0.0f, -10.0f, -8.0f, 0.0f},
    {-20.0f, -10.0f, -2.0f, 0.0f},
};
int lightingOn = 1;
int fogOn = 0;
float frontDiffuse[3] = {0.5f, 0.5f, 0.5f};
float backDiffuse[3] = {0.5f, 0.5f, 0.5f};
float materialAlpha = 0.5f;

void ApplyMaterials() {
  const float frontAmbient[4] = {0.08f, 0.05f, 0.05f, 1.0f};
  const float frontColour[4] = {frontDiffuse[0], frontDiffuse[1], frontDiffuse[2], materialAlpha};
  const float frontSpecular[4] = {0.35f, 0.35f, 0.55f, 1.0f};
  const float backAmbient[4] = {0.01f, 0.01f, 0.01f, 1.0f};
  const float backColour[4] = {backDiffuse[0], backDiffuse[1], backDiffuse[2], materialAlpha};
  const float backSpecular[4] = {0.35f, 0.3f, 0.3f, 1.0f};

  glMaterialfv(GL_FRONT, GL_AMBIENT, frontAmbient);
  glMaterialfv(GL_FRONT, GL_DIFFUSE, frontColour);
  glMaterialfv(GL_FRONT, GL_SPECULAR, frontSpecular);
  glMaterialf(GL_FRONT, GL_SHININESS, 20.0f);
  glMaterialfv(GL_BACK, GL_AMBIENT, backAmbient);
  glMaterialfv(GL_BACK, GL_DIFFUSE, backColour);
  glMaterialfv(GL_BACK, GL_SPECULAR, backSpecular);
  glMaterialf(GL_BACK, GL_SHININESS, 20.0f);
}

void InitLighting() {
  const float fogColour[4] = {0.35f, 0.35f, 0.15f, 1.0f};
  const float greyAmbient[4] = {0.35f, 0.35f, 0.35f, 1.0f};
  const float greyDiffuse[4] = {0.3f, 0.3f, 0.3f, 1.0f};
  const float greySpecular[4] = {0.25f, 0.25f, 0.25f, 1.0f};

  glFogf(GL_FOG_START, 0.0f);
  glFogf(GL_FOG_END, 25.0f);
  glFogi(GL_FOG_MODE, GL_LINEAR);
  glFogf(GL_FOG_DENSITY, 0.45000002f);
  glFogfv(GL_FOG_COLOR, fogColour);

  SetProjection();
  glTranslatef(0.0f, 0.0f, -5.0f);
  ApplyMaterials();

  // Light 0 keeps OpenGL's white defaults; 1 to 6 are dim grey; light 2 is
  // left off until the first lit frame.
  for (int i = 0; i < 7; ++i) {
    const GLenum light = (GLenum)(GL_LIGHT0 + i);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
    glLightfv(light, GL_POSITION, lightPositions[i]);
    if (i > 0) {
      glLightfv(light, GL_AMBIENT, greyAmbient);
      glLightfv(light, GL_DIFFUSE, greyDiffuse);
      glLightfv(light, GL_SPECULAR, greySpecular);
    }
    if (i != 2) glEnable(light);
  }
}
