// Prints the grid after 3,000 steps at each restart button's boundary
// temperature (the main panel's table) and the
// colours of a sweep of temperatures on every colour scale, each number as
// the hex digits of its bits. Built for Linux and for Windows; the two
// outputs must be the same to the last bit (windows_bit_for_bit).
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "panels/dialog_templates.h"
#include "sim/heat_grid.h"
#include "sim/heat_step.h"
#include "sim/temp_color.h"

namespace {

// Formatted here rather than by printf, whose floating-point and long
// formats differ between C runtimes.
void PutBits(uint64_t bits, int digits) {
  char text[17];
  for (int i = digits - 1; i >= 0; --i) {
    text[i] = "0123456789abcdef"[bits & 0xF];
    bits >>= 4;
  }
  text[digits] = '\0';
  std::fputs(text, stdout);
}

void PutDouble(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  PutBits(bits, 16);
}

void PutFloat(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  PutBits(bits, 8);
}

}  // namespace

int main() {
  for (int k = 0; k < boundaryButtonCount; ++k) {
    const double boundary = boundaryButtons[k].temperature;
    boundaryTemp = boundary;
    InitHeatGrid();
    for (int step = 0; step < 3000; ++step) StepHeat();
    std::fputs("grid ", stdout);
    PutDouble(boundary);
    std::fputs("\n", stdout);
    for (int i = 0; i < 12; ++i) {
      for (int j = 0; j < 12; ++j) {
        std::fputs(j == 0 ? "" : " ", stdout);
        PutDouble(tempGrid[i][j]);
      }
      std::fputs("\n", stdout);
    }
  }
  // 0.5 to 4.5 in steps of 0.001: below, across and above the scales' range.
  for (int scale = 0; scale <= 3; ++scale) {
    colorScale = scale;
    std::printf("colours %d\n", scale);
    for (int k = 0; k <= 4000; ++k) {
      const double temperature = 0.5 + k * 0.001;
      float rgb[3];
      TempToColor(temperature, rgb);
      PutDouble(temperature);
      for (float c : rgb) {
        std::fputs(" ", stdout);
        PutFloat(c);
      }
      std::fputs("\n", stdout);
    }
  }
  return 0;
}
