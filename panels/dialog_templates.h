// The dialog templates of the three panels, and the program's resources that
// the entry hands to the platform: the templates, bitmap 104 and icon 32512.
#pragma once

#include "platform/platform.h"

extern const DialogTemplate dialogTemplates[3];
extern const ResourceTable programResources;
