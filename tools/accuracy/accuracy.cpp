// Compares the program's own simulation with the exact solution for a ball of
// radius 1, unit diffusivity, uniform start 1.0 and the surface held at Tb,
// each restart button's boundary temperature (the main panel's table).
// Writes one data file per boundary temperature and a Markdown table.
// Usage: accuracy OUTPUT_DIR
#include <cmath>
#include <cstdio>
#include <string>

#include "panels/dialog_templates.h"
#include "sim/heat_grid.h"
#include "sim/heat_step.h"

namespace {

const double kPi = 3.14159265358979323846;
const int kSteps = 1600;            // 3.2 s of simulated time, 80 s of display
const int kRows[3] = {0, 5, 9};     // the centre and two further rows

// T(r, t) = Tb + (1 - Tb) (2 / (pi r)) sum (-1)^(n+1) / n sin(n pi r) exp(-n^2 pi^2 t);
// at the centre the limit r -> 0: Tb + (1 - Tb) 2 sum (-1)^(n+1) exp(-n^2 pi^2 t).
double ExactTemperature(double r, double t, double tb) {
  if (t <= 0.0) return r < 1.0 ? 1.0 : tb;
  double sum = 0.0;
  for (int n = 1; n <= 400; ++n) {
    double decay = std::exp(-n * n * kPi * kPi * t);
    if (decay < 1e-300) break;
    double sign = (n % 2 == 1) ? 1.0 : -1.0;
    if (r < 1e-12)
      sum += sign * decay;
    else
      sum += sign / n * std::sin(n * kPi * r) * decay / (kPi * r);
  }
  return tb + (1.0 - tb) * 2.0 * sum;
}

struct RowSummary {
  double largestDifference = 0.0;
  double largestAt = 0.0;
  double gridWithin = -1.0;   // simulated time at which the grid stays within 0.01 of Tb
  double exactWithin = -1.0;  // the same for the exact solution
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: accuracy OUTPUT_DIR\n");
    return 2;
  }
  const std::string outDir = argv[1];

  std::string table;
  table += "| Tb | node | radius | largest difference grid - exact | at t | grid within 0.01 of Tb from t (steps) | exact within 0.01 from t (steps) |\n";
  table += "|---|---|---|---|---|---|---|\n";

  for (int button = 0; button < boundaryButtonCount; ++button) {
    const double tb = boundaryButtons[button].temperature;
    boundaryTemp = tb;
    InitHeatGrid();
    char name[64];
    std::snprintf(name, sizeof name, "/accuracy-%.1f.dat", tb);
    std::FILE* data = std::fopen((outDir + name).c_str(), "w");
    if (data == nullptr) {
      std::perror((outDir + name).c_str());
      return 1;
    }
    std::fprintf(data, "# t");
    for (int row : kRows) std::fprintf(data, " grid_r%.3f exact_r%.3f", rNode[row], rNode[row]);
    std::fprintf(data, "\n");

    RowSummary summary[3];
    for (int step = 0; step <= kSteps; ++step) {
      const double t = step * dt;
      std::fprintf(data, "%.4f", t);
      for (int k = 0; k < 3; ++k) {
        const int row = kRows[k];
        const double grid = tempGrid[row][0];
        const double exact = ExactTemperature(rNode[row], t, tb);
        std::fprintf(data, " %.10f %.10f", grid, exact);
        const double difference = grid - exact;
        if (std::fabs(difference) > std::fabs(summary[k].largestDifference)) {
          summary[k].largestDifference = difference;
          summary[k].largestAt = t;
        }
        // The last entry into the band counts: both curves rise monotonically here.
        if (std::fabs(grid - tb) < 0.01) {
          if (summary[k].gridWithin < 0.0) summary[k].gridWithin = t;
        } else {
          summary[k].gridWithin = -1.0;
        }
        if (std::fabs(exact - tb) < 0.01) {
          if (summary[k].exactWithin < 0.0) summary[k].exactWithin = t;
        } else {
          summary[k].exactWithin = -1.0;
        }
      }
      std::fprintf(data, "\n");
      StepHeat();
    }
    std::fclose(data);

    for (int k = 0; k < 3; ++k) {
      char line[320];
      std::snprintf(line, sizeof line,
                    "| %.1f | row %d | %.4f | %+.4f | %.3f | %.3f (%d) | %.3f (%d) |\n", tb, kRows[k],
                    rNode[kRows[k]], summary[k].largestDifference, summary[k].largestAt,
                    summary[k].gridWithin, (int)std::lround(summary[k].gridWithin / dt),
                    summary[k].exactWithin, (int)std::lround(summary[k].exactWithin / dt));
      table += line;
    }
  }

  std::FILE* out = std::fopen((outDir + "/accuracy-table.md").c_str(), "w");
  if (out == nullptr) {
    std::perror("accuracy-table.md");
    return 1;
  }
  std::fputs(table.c_str(), out);
  std::fclose(out);
  std::fputs(table.c_str(), stdout);
  return 0;
}
