// The colour in which a temperature is shown: blue cold, green middle, red hot.
#pragma once

extern int colorScale;   // 0 "w/o greens", 1 "w/o yellows", 2 "equilibrium"; other values: no red

// Red component of normalised temperature n by the scale colorScale selects.
double TempToRed(double n);
// Writes red, green and blue of temperature T (computed in double, stored as float).
void TempToColor(double temperature, float rgb[3]);
