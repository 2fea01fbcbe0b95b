// The dialog templates of the three panels.
#pragma once

#include "platform/resources.h"

extern const DialogTemplate dialogTemplates[3];
