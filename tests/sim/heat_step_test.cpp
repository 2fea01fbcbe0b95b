// The explicit step: the first steps from the start, the course of whole runs,
// bit-for-bit uniform rows, and the growth of an angular disturbance near the centre.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iomanip>
#include <iostream>

#include "sim/heat_grid.h"
#include "sim/heat_step.h"

namespace {

class HeatStep : public ::testing::Test {
 protected:
  void SetUp() override { boundaryTemp = 2.3; InitHeatGrid(); }
  void TearDown() override { boundaryTemp = 2.3; InitHeatGrid(); }
  void Restart(double boundary) { boundaryTemp = boundary; InitHeatGrid(); }
};

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The first row whose twelve entries are not bit-for-bit equal, or -1.
int FirstNonUniformRow() {
  for (int i = 0; i < 12; ++i)
    for (int j = 1; j < 12; ++j)
      if (!SameBits(tempGrid[i][j], tempGrid[i][0])) return i;
  return -1;
}

TEST_F(HeatStep, FirstStepWarmsOnlyRowTenAndNudgesTheCentre) {
  StepHeat();
  for (int j = 0; j < 12; ++j) {
    EXPECT_NEAR(tempGrid[10][j], 1.37752, 5e-10) << j;
    for (int i = 1; i <= 9; ++i) EXPECT_EQ(tempGrid[i][j], 1.0) << i << "," << j;
    EXPECT_NEAR(tempGrid[0][j], 0.99999999996, 1e-15) << j;
    EXPECT_EQ(tempGrid[11][j], 2.3) << j;
  }
  for (int j = 0; j < 12; ++j) EXPECT_EQ(tempPrev[10][j], 1.0) << "snapshot of the start";
}

TEST_F(HeatStep, SecondStepReachesRowNineAndTheCentreFollowsRowOne) {
  StepHeat();
  StepHeat();
  for (int j = 0; j < 12; ++j) {
    EXPECT_NEAR(tempGrid[9][j], 1.1116620267, 1e-10) << j;
    EXPECT_NEAR(tempGrid[10][j], 1.5540483520, 1e-10) << j;
    EXPECT_NEAR(tempGrid[1][j], 0.99999999999032, 1e-15) << j;
    EXPECT_NEAR(tempGrid[0][j], 0.99999999995032, 1e-15) << j;
    EXPECT_EQ(tempGrid[8][j], 1.0) << j;
  }
}

TEST_F(HeatStep, RunsSettleJustBelowTheBoundaryWithoutOvershoot) {
  struct Case {
    double boundary;
    int within01Lo, within01Hi;  // first step with every node within 0.01 of the boundary
    int within4Lo, within4Hi;    // ... within 0.0001
  };
  const Case cases[] = {
      {2.3, 250, 275, 470, 505},
      {3.3, 280, 305, 490, 535},
      {4.0, 290, 315, 500, 550},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.boundary);
    Restart(c.boundary);
    int within01 = -1, within4 = -1, lastChange = 0;
    double highest = 0.0;
    double before[12][12];
    for (int s = 1; s <= 3000; ++s) {
      std::memcpy(before, tempGrid, sizeof before);
      StepHeat();
      double furthest = 0.0;
      for (int i = 0; i < 12; ++i)
        for (int j = 0; j < 12; ++j) {
          furthest = std::max(furthest, std::fabs(tempGrid[i][j] - c.boundary));
          highest = std::max(highest, tempGrid[i][j]);
        }
      if (within01 < 0 && furthest <= 0.01) within01 = s;
      if (within4 < 0 && furthest <= 0.0001) within4 = s;
      if (std::memcmp(before, tempGrid, sizeof before) != 0) lastChange = s;
    }
    const double centreBelow = c.boundary - tempGrid[0][0];
    const double row10Below = c.boundary - tempGrid[10][0];
    std::cout << "boundary " << c.boundary << ": within 0.01 at step " << within01
              << ", within 0.0001 at " << within4 << ", last change at " << lastChange
              << ", centre " << centreBelow << " below, row 10 " << row10Below << " below\n";

    EXPECT_GE(within01, c.within01Lo);
    EXPECT_LE(within01, c.within01Hi);
    EXPECT_GE(within4, c.within4Lo);
    EXPECT_LE(within4, c.within4Hi);
    EXPECT_GE(lastChange, 1450);
    EXPECT_LE(lastChange, 1750);
    EXPECT_LE(highest, c.boundary);
    EXPECT_GT(centreBelow, 0.0);
    EXPECT_GT(row10Below, 0.0);
    EXPECT_LT(row10Below, centreBelow);
    if (c.boundary == 2.3) {
      EXPECT_NEAR(centreBelow, 1.7e-10, 0.15e-10);
      EXPECT_NEAR(row10Below, 1.4e-12, 0.2e-12);
    } else {
      EXPECT_LT(centreBelow, 1e-9);
    }
    for (int j = 0; j < 12; ++j) EXPECT_EQ(tempGrid[11][j], c.boundary);
  }
}

TEST_F(HeatStep, RowsStayBitForBitUniform) {
  const double boundaries[] = {2.3, 3.3, 4.0, 1.0};
  for (double boundary : boundaries) {
    SCOPED_TRACE(boundary);
    Restart(boundary);
    int broken = -1, brokenAt = 0;
    for (int s = 1; s <= 3000 && broken < 0; ++s) {
      StepHeat();
      broken = FirstNonUniformRow();
      brokenAt = s;
    }
    EXPECT_EQ(broken, -1) << "row " << broken << " split at step " << brokenAt;
    for (int j = 0; j < 12; ++j) EXPECT_TRUE(SameBits(tempGrid[11][j], boundary));
  }
}

TEST_F(HeatStep, BoundaryOneOnlyDriftsTheCentreDownAndThenStaysPut) {
  Restart(1.0);
  for (int s = 0; s < 2000; ++s) StepHeat();
  double settled[12][12];
  std::memcpy(settled, tempGrid, sizeof settled);
  std::cout << "boundary 1.0: centre settles at " << std::setprecision(14) << tempGrid[0][0]
            << std::setprecision(6) << "\n";
  EXPECT_NEAR(tempGrid[0][0], 0.99999999993, 0.5e-11);
  for (int i = 1; i <= 10; ++i) {
    EXPECT_GT(tempGrid[i][0], tempGrid[i - 1][0]) << "row " << i << " drifts less than inside";
    EXPECT_LT(tempGrid[i][0], 1.0) << i;
  }
  for (int s = 0; s < 1000; ++s) StepHeat();
  EXPECT_EQ(std::memcmp(settled, tempGrid, sizeof settled), 0);
}

TEST_F(HeatStep, HalvesMeetOnlyThroughTheCentre) {
  // Disturb the two columns of one half that lie beside the axis; after one
  // step the other half has not seen it (the centre takes it up after row 1).
  struct Case {
    int disturbed[2];
    int otherFrom, otherTo;
  };
  const Case cases[] = {{{0, 5}, 6, 11}, {{6, 11}, 0, 5}};
  StepHeat();
  double plain[12][12];
  std::memcpy(plain, tempGrid, sizeof plain);
  for (const Case& c : cases) {
    InitHeatGrid();
    for (int i = 1; i <= 10; ++i)
      for (int j : c.disturbed) tempGrid[i][j] += 1e-3;
    StepHeat();
    for (int i = 1; i <= 11; ++i)
      for (int j = c.otherFrom; j <= c.otherTo; ++j)
        EXPECT_TRUE(SameBits(tempGrid[i][j], plain[i][j])) << i << "," << j;
    EXPECT_FALSE(SameBits(tempGrid[0][0], plain[0][0])) << "the centre takes the disturbance up";
  }
}

TEST_F(HeatStep, AxisColumnsTakeHeatOnlyFromTheirInnerNeighbour) {
  // In a uniform 1.0 field, 0.001 more on one node of row 5 beside an axis
  // column: one step gives that column 0.002 x 0.001 / (r dTheta)^2 = 3.531e-5,
  // its mirror image across the axis nothing.
  struct Case {
    int neighbour, axis, across;
  };
  const Case cases[] = {{1, 0, 11}, {10, 11, 0}, {4, 5, 6}, {7, 6, 5}};
  for (const Case& c : cases) {
    Restart(1.0);
    tempGrid[5][c.neighbour] += 0.001;
    StepHeat();
    EXPECT_NEAR(tempGrid[5][c.axis] - 1.0, 3.531e-5, 0.002e-5) << "column " << c.axis;
    EXPECT_EQ(tempGrid[5][c.across], 1.0) << "column " << c.across;
  }
}

TEST_F(HeatStep, DisturbanceNearTheCentreGrowsAboutThreePointSixPerStep) {
  // The undisturbed run, row by row, for comparison.
  double plain[16][12][12];
  for (int s = 0; s < 16; ++s) {
    StepHeat();
    std::memcpy(plain[s], tempGrid, sizeof plain[s]);
  }
  InitHeatGrid();
  tempGrid[1][3] += 1e-6;

  StepHeat();
  double previous = 0.0, previousSign = 0.0;
  for (int s = 1; s < 16; ++s) {
    StepHeat();
    double largest = 0.0;
    for (int j = 0; j < 12; ++j)
      largest = std::max(largest, std::fabs(tempGrid[1][j] - plain[s][1][j]));
    const double sign = tempGrid[1][2] > plain[s][1][2] ? 1.0 : -1.0;
    if (s >= 6) {
      const double factor = largest / previous;
      std::cout << "step " << s + 1 << ": row 1 disturbance " << largest << ", factor " << factor
                << "\n";
      EXPECT_GT(factor, 3.4) << s;
      EXPECT_LT(factor, 3.9) << s;
      EXPECT_EQ(sign, -previousSign) << "the pattern changes sign every step";
    }
    previous = largest;
    previousSign = sign;
  }
}

}  // namespace
