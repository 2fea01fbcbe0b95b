// The dialog templates of the three panels, and the program's resources that
// the entry hands to the platform: the templates, bitmap 104 and icon 32512.
#pragma once

#include "platform/platform.h"

extern const DialogTemplate dialogTemplates[3];
extern const ResourceTable programResources;

// A restart button of the main panel and the boundary temperature it restarts
// the run at; its label in the template is that temperature's level on the legend.
struct BoundaryButton {
  int id;
  double temperature;
};
extern const BoundaryButton boundaryButtons[];
extern const int boundaryButtonCount;
