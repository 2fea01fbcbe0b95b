// Starting state and geometry of the polar grid, and what InitHeatGrid leaves alone.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "sim/heat_grid.h"
#include "sim/heat_step.h"
#include "sim/temp_color.h"

namespace {

// Taken before any test runs: what the program finds at start-up.
struct StartValues {
  double boundary;
  int scale;
  bool gridZero;
};
StartValues CaptureStart() {
  bool zero = dr == 0.0 && dTheta == 0.0 && dt == 0.0;
  for (int i = 0; i < 12; ++i)
    for (int j = 0; j < 12; ++j) zero = zero && tempGrid[i][j] == 0.0;
  return {boundaryTemp, colorScale, zero};
}
const StartValues atStart = CaptureStart();

struct Snapshot {
  double grid[12][12], r[12], theta[12], dr, dTheta, dt, boundary;
};
Snapshot Take() {
  Snapshot s;
  std::memcpy(s.grid, tempGrid, sizeof s.grid);
  std::memcpy(s.r, rNode, sizeof s.r);
  std::memcpy(s.theta, thetaNode, sizeof s.theta);
  s.dr = dr;
  s.dTheta = dTheta;
  s.dt = dt;
  s.boundary = boundaryTemp;
  return s;
}
bool SameBits(const Snapshot& a, const Snapshot& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

class HeatGrid : public ::testing::Test {
 protected:
  void SetUp() override { boundaryTemp = 2.3; InitHeatGrid(); }
  void TearDown() override { boundaryTemp = 2.3; InitHeatGrid(); }
};

TEST(HeatGridStart, ProgramStartsWithSurface23ScaleZeroAndAnEmptyGrid) {
  EXPECT_EQ(atStart.boundary, 2.3);
  EXPECT_EQ(atStart.scale, 0);
  EXPECT_TRUE(atStart.gridZero);
}

TEST_F(HeatGrid, StartingStateIsInteriorOneAndSurfaceBoundary) {
  for (int i = 0; i < 12; ++i)
    for (int j = 0; j < 12; ++j) EXPECT_EQ(tempGrid[i][j], i == 11 ? 2.3 : 1.0) << i << "," << j;
  EXPECT_EQ(dr, 0.09090909091);
  EXPECT_EQ(dTheta, 0.5235987757030186);
  EXPECT_EQ(dt, 0.002);
}

TEST_F(HeatGrid, NodesSitAtTheWrittenRadiiAndAngles) {
  EXPECT_EQ(rNode[0], 0.0);
  EXPECT_EQ(rNode[11], 1.00000000001);
  EXPECT_EQ(thetaNode[0], 0.2617993878200934);
  EXPECT_EQ(thetaNode[11], 6.021385920553298);
  const double degrees[12] = {15, 45, 75, 105, 135, 165, 195, 225, 255, 285, 315, 345};
  for (int k = 0; k < 12; ++k) {
    EXPECT_NEAR(rNode[k], k / 11.0, 1e-10) << k;
    EXPECT_NEAR(thetaNode[k], degrees[k] * 3.14159265358979323846 / 180.0, 1e-8) << k;
  }
}

TEST_F(HeatGrid, InitTwiceEqualsOnceAndLeavesBoundaryAndSnapshotAlone) {
  for (int i = 0; i < 12; ++i)
    for (int j = 0; j < 12; ++j) tempPrev[i][j] = -7.0;
  InitHeatGrid();
  const Snapshot once = Take();
  InitHeatGrid();
  EXPECT_TRUE(SameBits(once, Take()));
  EXPECT_EQ(boundaryTemp, 2.3);
  EXPECT_EQ(tempPrev[5][5], -7.0);
}

TEST_F(HeatGrid, RestartMidRunDiscardsTheRunsTemperatures) {
  const Snapshot fresh = Take();
  for (int s = 0; s < 100; ++s) StepHeat();
  ASSERT_GT(tempGrid[5][0], 1.1);  // the run has got somewhere
  InitHeatGrid();
  EXPECT_TRUE(SameBits(fresh, Take()));

  boundaryTemp = 4.0;  // the panel's "1.0" restart
  InitHeatGrid();
  for (int j = 0; j < 12; ++j) EXPECT_EQ(tempGrid[11][j], 4.0);
  EXPECT_EQ(tempGrid[10][0], 1.0);
}

TEST_F(HeatGrid, ChangingBoundaryWithoutRestartDoesNotChangeTheRun) {
  for (int s = 0; s < 50; ++s) StepHeat();
  const Snapshot plain = Take();
  InitHeatGrid();
  boundaryTemp = 4.0;
  for (int s = 0; s < 50; ++s) StepHeat();
  boundaryTemp = 2.3;
  EXPECT_TRUE(SameBits(plain, Take()));
  EXPECT_EQ(tempGrid[11][0], 2.3);
}

TEST_F(HeatGrid, StepBeforeAnyInitLeavesTheEmptyGridUntouched) {
  // Program-start storage: everything zero.
  std::memset(tempGrid, 0, sizeof tempGrid);
  std::memset(tempPrev, 0, sizeof tempPrev);
  std::memset(rNode, 0, sizeof rNode);
  std::memset(thetaNode, 0, sizeof thetaNode);
  dr = dTheta = dt = 0.0;
  StepHeat();
  for (int i = 0; i < 12; ++i)
    for (int j = 0; j < 12; ++j) EXPECT_EQ(tempGrid[i][j], 0.0) << i << "," << j;
}

}  // namespace
