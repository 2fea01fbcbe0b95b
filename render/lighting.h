// Seven directional lights fixed to the eye, two-sided materials, linear fog.
#pragma once

extern const float lightPositions[7][4];
extern int lightingOn;
extern int fogOn;
extern float frontDiffuse[3];
extern float backDiffuse[3];
extern float materialAlpha;

void InitLighting();
void ApplyMaterials();
