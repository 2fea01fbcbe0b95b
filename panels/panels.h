// The three modeless control panels: the main panel with the legend and the
// boundary buttons, the options panel and the form colours panel.
#pragma once

#include "platform/platform.h"

extern BitmapHandle scaleBitmap;   // bitmap 104, or null when it could not be loaded
extern int scaleBitmapWidth;
extern int scaleBitmapHeight;
extern WindowHandle optionsPanel;      // while open
extern WindowHandle formColorsPanel;   // while open
extern int sliderPos[7];               // scroll bars IDC_FRONT_RED to IDC_ALPHA

intptr_t PanelProc(WindowHandle dialog, unsigned message, uintptr_t wParam, intptr_t lParam);
void DrawScaleBitmap(DeviceContext dc);
intptr_t OptionsProc(WindowHandle dialog, unsigned message, uintptr_t wParam, intptr_t lParam);
intptr_t FormColorsProc(WindowHandle dialog, unsigned message, uintptr_t wParam, intptr_t lParam);
