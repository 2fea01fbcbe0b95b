// The disc, the shell, the grid and the cube as the recorder sees them.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "input/trackball.h"
#include "render/drawers.h"
#include "shared/orientation.h"
#include "sim/heat_grid.h"
#include "sim/temp_color.h"
#include "tests/support/recorded_calls.h"

namespace {

class Drawers : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGlState();
    modelScale = 2.0f;
    colorScale = 0;
    boundaryTemp = 2.3;
    InitHeatGrid();
  }
};

// The ring (0 to 10) and sector (0 to 11) of a disc quad, from its corners.
int RingOf(const RecordedQuad& q) {
  const double outer = std::hypot(q.v[1].x, q.v[1].y) / modelScale;
  return (int)std::lround(outer * 11.0) - 1;
}
int SectorOf(const RecordedQuad& q) {
  double angle = std::atan2(q.v[1].x, q.v[1].y);   // from +y towards +x
  if (angle < 0) angle += 2 * M_PI;
  return (int)std::floor((angle - 0.2617916) / 0.5235833 + 1e-4);
}

TEST_F(Drawers, DiscIsElevenRingsOfTwelveQuadsEachOnePrimitive) {
  DrawTemperatureDisc();
  EXPECT_EQ(CountGlCalls("glBegin", GL_QUADS), 11);
  EXPECT_EQ(CountGlCalls("glEnd"), 11);
  EXPECT_EQ(CountGlCalls("glNormal3f"), 132);
  EXPECT_EQ(CountGlCalls("glVertex3f"), 528);
  EXPECT_EQ(CountGlCalls("glMaterialfv"), 264);
  EXPECT_EQ(CountGlCalls("glMaterialfv", GL_FRONT), 132);
  EXPECT_EQ(CountGlCalls("glMaterialfv", GL_BACK), 132);
  ASSERT_EQ(glCalls.front().name, "glLineWidth");
  EXPECT_EQ(glCalls.front().args[0], 1.5);

  // Each ring: the first quad's materials, then glBegin, then per quad
  // normal and four vertices, the later quads' materials ahead of their normals.
  int k = 1;
  for (int ring = 0; ring < 11; ++ring) {
    for (int sector = 0; sector < 12; ++sector) {
      ASSERT_EQ(glCalls[k].name, "glMaterialfv");
      EXPECT_EQ(glCalls[k++].args[0], GL_FRONT);
      ASSERT_EQ(glCalls[k].name, "glMaterialfv");
      EXPECT_EQ(glCalls[k++].args[0], GL_BACK);
      if (sector == 0) {
        ASSERT_EQ(glCalls[k++].name, "glBegin");
      }
      ASSERT_EQ(glCalls[k++].name, "glNormal3f");
      for (int v = 0; v < 4; ++v) ASSERT_EQ(glCalls[k++].name, "glVertex3f");
    }
    ASSERT_EQ(glCalls[k++].name, "glEnd");
  }
  EXPECT_EQ(k, (int)glCalls.size());
}

TEST_F(Drawers, DiscRimLiesAtRadiusTwoPointZeroZeroZeroZeroZeroZeroTwo) {
  DrawTemperatureDisc();
  const std::vector<RecordedQuad> quads = RecordedQuads();
  ASSERT_EQ(quads.size(), 132u);
  for (int s = 0; s < 12; ++s) {
    const RecordedQuad& rim = quads[10 * 12 + s];
    EXPECT_NEAR(std::hypot(rim.v[1].x, rim.v[1].y), 2.0000002, 1.5e-7);
    EXPECT_NEAR(std::hypot(rim.v[2].x, rim.v[2].y), 2.0000002, 1.5e-7);
  }
  // The first ring starts at the centre; the first sector at 6.283/24 from +y.
  EXPECT_EQ(quads[0].v[0].x, 0.0);
  EXPECT_EQ(quads[0].v[3].y, 0.0);
  EXPECT_NEAR(std::atan2(quads[0].v[1].x, quads[0].v[1].y), 0.26179168, 1e-7);
  // The last sector ends 0.000185 rad short of a full turn after the first one's start.
  const RecordedQuad& last = quads[11];
  const double end = std::atan2(last.v[2].x, last.v[2].y) + 2 * M_PI;
  EXPECT_NEAR(end, 6.5447920, 2e-6);
}

TEST_F(Drawers, EveryDiscQuadFacesPlusZWhateverTheZoom) {
  const float scales[] = {2.0f, 0.5f, 37.0f, 1e-30f, FLT_MIN, 1e30f, FLT_MAX};
  for (float scale : scales) {
    SCOPED_TRACE(scale);
    ResetGlState();
    modelScale = scale;
    DrawTemperatureDisc();
    for (const RecordedQuad& q : RecordedQuads()) {
      ASSERT_EQ(q.normal.x, 0.0);
      ASSERT_EQ(q.normal.y, 0.0);
      ASSERT_EQ(q.normal.z, 1.0);
      for (const Vec3& v : q.v) ASSERT_TRUE(std::isfinite(v.x) && std::isfinite(v.y) && v.z == 0.0);
    }
  }
}

TEST_F(Drawers, UniformGridShowsOneColourTheBlueOfOnePointZero) {
  float blue[3];
  TempToColor(1.0, blue);
  DrawTemperatureDisc();
  for (const RecordedQuad& q : RecordedQuads()) {
    ASSERT_EQ(q.diffuseFront.size(), 4u);
    EXPECT_EQ(q.diffuseFront[0], blue[0]);
    EXPECT_EQ(q.diffuseFront[1], blue[1]);
    EXPECT_EQ(q.diffuseFront[2], blue[2]);
    EXPECT_EQ(q.diffuseFront[3], 1.0f);   // the alpha the drawer hands over
  }
}

TEST_F(Drawers, EachGridNodeColoursTheQuadsOfItsRingsAndSectors) {
  struct Case {
    int i, j;
    std::vector<std::pair<int, int>> changed;   // (ring, sector)
  };
  const Case cases[] = {
      {0, 0, {{0, 0}, {0, 1}, {1, 0}, {1, 1}}},
      {9, 10, {{10, 11}}},
      {5, 3, {{6, 4}}},
      {0, 7, {{0, 8}, {1, 8}}},
      {10, 4, {}},
      {11, 0, {}},
      {11, 6, {}},
      {3, 11, {}},
  };
  DrawTemperatureDisc();
  const std::vector<RecordedQuad> before = RecordedQuads();
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "tempGrid[" << c.i << "][" << c.j << "]");
    InitHeatGrid();
    tempGrid[c.i][c.j] = 3.7;
    ResetGlState();
    DrawTemperatureDisc();
    const std::vector<RecordedQuad> after = RecordedQuads();
    ASSERT_EQ(after.size(), before.size());
    std::vector<std::pair<int, int>> changed;
    for (size_t q = 0; q < after.size(); ++q)
      if (after[q].diffuseFront != before[q].diffuseFront) changed.emplace_back(RingOf(after[q]), SectorOf(after[q]));
    EXPECT_EQ(changed, c.changed);
  }
}

TEST_F(Drawers, ShellIsTwelveBandsInOneColourOfTheSurfaceNode) {
  tempGrid[11][0] = 3.3;
  tempGrid[11][5] = 1.0;   // another surface node: not shown
  float expected[3];
  TempToColor(3.3, expected);
  DrawBoundaryHemisphere();
  EXPECT_EQ(CountGlCalls("glBegin", GL_QUADS), 12);
  EXPECT_EQ(CountGlCalls("glEnd"), 12);
  EXPECT_EQ(CountGlCalls("glNormal3f"), 144);
  EXPECT_EQ(CountGlCalls("glVertex3f"), 576);
  ASSERT_EQ(CountGlCalls("glMaterialfv"), 2);
  const int front = FindCall("glMaterialfv", {GL_FRONT, GL_DIFFUSE});
  const int back = FindCall("glMaterialfv", {GL_BACK, GL_DIFFUSE});
  ASSERT_GE(front, 0);
  ASSERT_GT(back, front);
  EXPECT_LT(back, FindCall("glBegin"));
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(glCalls[front].args[2 + k], expected[k]);
    EXPECT_EQ(glCalls[back].args[2 + k], expected[k]);
  }
  EXPECT_EQ(glCalls.front().name, "glLineWidth");
  EXPECT_EQ(glCalls.front().args[0], 1.5);
}

TEST_F(Drawers, ShellHasAPinholeAtTheBottomAndItsRimMeetsTheDisc) {
  const float scales[] = {2.0f, 1.0f, 5.0f};
  for (float scale : scales) {
    SCOPED_TRACE(scale);
    ResetGlState();
    modelScale = scale;
    DrawBoundaryHemisphere();
    const std::vector<RecordedQuad> quads = RecordedQuads();
    ASSERT_EQ(quads.size(), 144u);
    for (int s = 0; s < 12; ++s) {
      const RecordedQuad& bottom = quads[s];
      for (int k : {0, 3}) {
        EXPECT_NEAR(std::hypot(bottom.v[k].x, bottom.v[k].y), 0.0000463 * scale, 0.0000001 * scale);
        EXPECT_NEAR(bottom.v[k].z, -scale, 1e-6 * scale);
      }
      const RecordedQuad& top = quads[11 * 12 + s];
      for (int k : {1, 2}) {
        EXPECT_NEAR(top.v[k].z, 2.09e-7 * scale, 0.02e-7 * scale);
        EXPECT_NEAR(std::hypot(top.v[k].x, top.v[k].y), scale, 1e-6 * scale);
      }
    }
  }
  EXPECT_NEAR(RecordedQuads()[143].v[1].z / 5.0 * 2.0, 4.2e-7, 0.05e-7);
}

TEST_F(Drawers, ShellNormalsAreUnitAndPointOutward) {
  DrawBoundaryHemisphere();
  for (const RecordedQuad& q : RecordedQuads()) {
    EXPECT_NEAR(Length(q.normal), 1.0, 1e-6);
    const Vec3 centre{(q.v[0].x + q.v[2].x) / 2, (q.v[0].y + q.v[2].y) / 2, (q.v[0].z + q.v[2].z) / 2};
    EXPECT_GT(q.normal.x * centre.x + q.normal.y * centre.y + q.normal.z * centre.z, 0.0);
    // Counter-clockwise seen from outside: (V1 - V0) x (V2 - V0) points outward too.
  }
}

TEST_F(Drawers, DegenerateZoomsNeverSendNaNOrInfiniteNormals) {
  const float scales[] = {1e-30f, FLT_MIN, 1e-45f, 1e30f, FLT_MAX, 0.0f};
  for (float scale : scales) {
    SCOPED_TRACE(scale);
    ResetGlState();
    modelScale = scale;
    DrawTemperatureDisc();
    DrawBoundaryHemisphere();
    DrawDiscGrid();
    ASSERT_EQ(CountGlCalls("glNormal3f"), 132 + 144 + 132);
    for (const GlCall& call : glCalls)
      if (call.name == "glNormal3f" || call.name == "glVertex3f") {
        for (double a : call.args) ASSERT_TRUE(std::isfinite(a)) << call.name;
      }
    for (const RecordedQuad& q : RecordedQuads()) EXPECT_NEAR(Length(q.normal), 1.0, 1e-6);
  }
}

TEST_F(Drawers, ExtremeZoomsStillLightTheShellFromOutsideAndTheDiscFromPlusZ) {
  const float scales[] = {1e-30f, 1e25f, 3e38f};
  for (float scale : scales) {
    SCOPED_TRACE(scale);
    ResetGlState();
    modelScale = scale;
    DrawTemperatureDisc();
    const std::vector<RecordedQuad> disc = RecordedQuads();
    for (const RecordedQuad& q : disc) EXPECT_EQ(q.normal.z, 1.0);
    ResetGlState();
    DrawBoundaryHemisphere();
    for (const RecordedQuad& q : RecordedQuads()) {
      const Vec3 centre{(q.v[0].x + q.v[2].x) / 2, (q.v[0].y + q.v[2].y) / 2, (q.v[0].z + q.v[2].z) / 2};
      EXPECT_GT(q.normal.x * centre.x + q.normal.y * centre.y + q.normal.z * centre.z, 0.0);
      EXPECT_NEAR(Length(q.normal), 1.0, 1e-6);
    }
  }
}

TEST_F(Drawers, GridOutlinesTheDiscCellsInDarkGreyJustInFrontOfIt) {
  DrawTemperatureDisc();
  const std::vector<RecordedQuad> disc = RecordedQuads();
  ResetGlState();
  DrawDiscGrid();
  ASSERT_GE(glCalls.size(), 2u);
  EXPECT_EQ(glCalls[0].name, "glColor3f");
  EXPECT_EQ(glCalls[0].args, (std::vector<double>{0.1f, 0.1f, 0.1f}));
  EXPECT_EQ(glCalls[1].name, "glLineWidth");
  EXPECT_EQ(glCalls[1].args[0], 2.5);
  EXPECT_EQ(CountGlCalls("glMaterialfv"), 0);
  EXPECT_EQ(CountGlCalls("glBegin", GL_QUADS), 11);
  const std::vector<RecordedQuad> grid = RecordedQuads();
  ASSERT_EQ(grid.size(), 132u);
  for (size_t q = 0; q < grid.size(); ++q) {
    EXPECT_EQ(grid[q].normal.x, 0.0);
    EXPECT_EQ(grid[q].normal.y, 0.0);
    EXPECT_EQ(grid[q].normal.z, -1.0);
    EXPECT_EQ(grid[q].primitive, disc[q].primitive);
    for (int k = 0; k < 4; ++k) {
      EXPECT_EQ(grid[q].v[k].z, 0.01f);
      EXPECT_NEAR(grid[q].v[k].x, disc[q].v[k].x, 4e-7);
      EXPECT_NEAR(grid[q].v[k].y, disc[q].v[k].y, 4e-7);
    }
  }
}

TEST_F(Drawers, ZoomScalesDiscGridAndShellButNotTheGridsOffsetOrTheCube) {
  DrawDiscGrid();
  DrawReferenceCube();
  const std::vector<GlCall> atTwo = glCalls;
  ResetGlState();
  modelScale = 5.0f;
  DrawDiscGrid();
  DrawReferenceCube();
  ASSERT_EQ(glCalls.size(), atTwo.size());
  int gridVertices = 0;
  for (size_t k = 0; k < glCalls.size(); ++k) {
    if (glCalls[k].name != "glVertex3f") continue;
    if (gridVertices++ < 528) {
      EXPECT_NEAR(glCalls[k].args[0], atTwo[k].args[0] * 2.5, 1e-5);
      EXPECT_NEAR(glCalls[k].args[1], atTwo[k].args[1] * 2.5, 1e-5);
      EXPECT_EQ(glCalls[k].args[2], 0.01f);
    } else {
      EXPECT_EQ(glCalls[k].args, atTwo[k].args);   // the cube
    }
  }
}

TEST_F(Drawers, CubeIsTwelveBlueEdgesAndThreePinkAxesEndingOnItsFaces) {
  DrawReferenceCube();
  const std::vector<std::vector<Vec3>> strips = RecordedStrips();
  ASSERT_EQ(strips.size(), 7u);
  // Every cube edge once: each joins two corners differing in one coordinate.
  std::vector<std::pair<Vec3, Vec3>> edges;
  for (int s = 0; s < 4; ++s)
    for (size_t k = 1; k < strips[s].size(); ++k) edges.emplace_back(strips[s][k - 1], strips[s][k]);
  ASSERT_EQ(edges.size(), 12u);
  int alongX = 0, alongY = 0, alongZ = 0;
  for (const auto& e : edges) {
    for (const Vec3& p : {e.first, e.second}) {
      EXPECT_EQ(std::fabs(p.x), 2.0);
      EXPECT_EQ(std::fabs(p.y), 2.0);
      EXPECT_EQ(std::fabs(p.z), 2.0);
    }
    alongX += e.first.x != e.second.x;
    alongY += e.first.y != e.second.y;
    alongZ += e.first.z != e.second.z;
  }
  EXPECT_EQ(alongX, 4);
  EXPECT_EQ(alongY, 4);
  EXPECT_EQ(alongZ, 4);
  for (size_t a = 0; a < edges.size(); ++a)
    for (size_t b = a + 1; b < edges.size(); ++b) {
      const bool same = (Length({edges[a].first.x - edges[b].first.x, edges[a].first.y - edges[b].first.y,
                                 edges[a].first.z - edges[b].first.z}) == 0 &&
                         Length({edges[a].second.x - edges[b].second.x, edges[a].second.y - edges[b].second.y,
                                 edges[a].second.z - edges[b].second.z}) == 0) ||
                        (Length({edges[a].first.x - edges[b].second.x, edges[a].first.y - edges[b].second.y,
                                 edges[a].first.z - edges[b].second.z}) == 0 &&
                         Length({edges[a].second.x - edges[b].first.x, edges[a].second.y - edges[b].first.y,
                                 edges[a].second.z - edges[b].first.z}) == 0);
      EXPECT_FALSE(same) << "edge " << a << " drawn again as " << b;
    }

  struct Axis {
    Vec3 from, to;
  };
  const Axis axes[] = {{{0, 0, 0.02f}, {2, 0, 0.02f}}, {{0, 0, 0.02f}, {0, 2, 0.02f}}, {{0, 0, 0}, {0, 0, 2}}};
  for (int a = 0; a < 3; ++a) {
    ASSERT_EQ(strips[4 + a].size(), 2u);
    EXPECT_EQ(strips[4 + a][0].x, axes[a].from.x);
    EXPECT_EQ(strips[4 + a][0].z, axes[a].from.z);
    EXPECT_EQ(strips[4 + a][1].x, axes[a].to.x);
    EXPECT_EQ(strips[4 + a][1].y, axes[a].to.y);
    EXPECT_EQ(strips[4 + a][1].z, axes[a].to.z);
  }

  // Blue, width 1.5 for the cube; pink, width 4.0 for the axes, left in force.
  const int blue = FindCall("glColor3f", {0.0, 0.0, 0.9});
  const int thin = FindCall("glLineWidth", {1.5});
  const int pink = FindCall("glColor3f", {1.0, 0.0, 0.7});
  const int thick = FindCall("glLineWidth", {4.0});
  EXPECT_EQ(blue, 0);
  EXPECT_EQ(thin, 1);
  EXPECT_GT(pink, thin);
  EXPECT_EQ(thick, pink + 1);
  EXPECT_EQ(FindCall("glBegin", {}, thin), thin + 1);
  EXPECT_EQ(glCalls.back().name, "glEnd");
}

}  // namespace
