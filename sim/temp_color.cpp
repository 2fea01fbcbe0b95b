// The colour of a temperature: fixed blue and green curves, and a red curve
// chosen by colorScale. Computed in double, handed out as floats; no clamping.
#include "sim/temp_color.h"

int colorScale = 0;

double TempToRed(double n) {
  const double v = n * 255.0;
  switch (colorScale) {
    case 0:  // "w/o greens": red rises from its root at v = 40
      if (v >= 40.0) return (v - 40.0) * (v - 471.0) * (-2.1114864864864866e-05);
      return 0.0;
    case 1:  // "w/o yellows": red starts with a small step at v = 150.45
      if (v >= 150.45) return (v - 150.0) * (v - 400.0) * (-6.510416666666667e-05);
      return 0.0;
    case 2:  // "equilibrium": the threshold is on n itself
      if (n >= 0.51) return (v - 130.0) * (v - 400.0) * (-5.501760563380282e-05);
      return 0.0;
    default:
      return 0.0;
  }
}

void TempToColor(double temperature, float rgb[3]) {
  const double n = (temperature - 1.0) * 0.3333333333333333;
  const double red = TempToRed(n);
  const double green = ((255.0 * n - 255.0) * n) * (-0.01556396484375);
  const double v = n * 255.0;
  double blue = 0.0;
  if (v <= 150.0) blue = (v - 150.0) * (v + 150.0) * (-4.389044944e-05);
  rgb[0] = static_cast<float>(red);
  rgb[1] = static_cast<float>(green);
  rgb[2] = static_cast<float>(blue);
}
