// Outline and raster mode put the same design at the same place on the machine, and the
// threaded engine sends what the normal engine sends, through the machine simulator.
#include <QCoreApplication>

#include <algorithm>
#include <cmath>

#include "engrave_fixture.h"
#include "output/engrave_engine.h"
#include "output/thread_engrave_engine.h"

namespace {

struct Config {
  double fieldOffX = 0, fieldOffY = 0, areaOffX = 0, areaOffY = 0;
  int mirrorX = 0, mirrorY = 0, swap = 0;
  double scaleX = 1, scaleY = 1;
};

struct Box {
  double x0, y0, x1, y1;
};

class AgreementTest : public EngraveTest {
 protected:
  void SetUp() override {
    EngraveTest::SetUp();
    S().DrawingArea.DPM = 20;
    S().DrawingArea.Span = 0.05;
    S().DrawingArea.Width = 60;
    S().DrawingArea.Height = 60;
    S().DrawingField.FieldX = 100;
    S().DrawingField.FieldY = 100;
  }

  void Apply(const Config& c) {
    S().DrawingField.OffsetX = c.fieldOffX;
    S().DrawingField.OffsetY = c.fieldOffY;
    S().DrawingArea.OffsetX = c.areaOffX;
    S().DrawingArea.OffsetY = c.areaOffY;
    S().DrawingData.ChangeX = c.mirrorX;
    S().DrawingData.ChangeY = c.mirrorY;
    S().DrawingData.ChangeXY = c.swap;
    S().DrawingData.ScaleX = c.scaleX;
    S().DrawingData.ScaleY = c.scaleY;
  }

  // Where the design's page point (mm) goes on the machine in the normal variant: the area's
  // centre at the field offset from the field's centre, the field's bottom-left corner at 0.
  static void Expected(const Config& c, double x, double y, double& mx, double& my) {
    const double hw = 2000, hh = 2000;
    mx = 40 * x + 40 * (c.fieldOffX - c.areaOffX) + hw;
    my = 40 * y + 40 * (c.fieldOffY - c.areaOffY) + hh;
    if (c.mirrorX) mx = 2 * hw - mx;
    if (c.mirrorY) my = 2 * hh - my;
    mx *= c.scaleX;
    my *= c.scaleY;
    if (c.swap) std::swap(mx, my);
  }

  // The fixed-field variant for machine model m.
  Box ExpectedFix(int model, double x0, double y0, double x1, double y1) {
    const CKorvaneSettings& s = S();
    const double fx = s.System.FieldOriginX, fy = s.System.FieldOriginY;
    const double ax = s.DrawingArea.OffsetX * 40, ay = s.DrawingArea.OffsetY * 40;
    const double w2 = s.DrawingArea.Width * 20, h2 = s.DrawingArea.Height * 20;
    auto at = [&](double x, double y, double& mx, double& my) {
      const double fromLeft = (w2 + 40 * x) * s.DrawingData.ScaleX;
      const double fromTop = (h2 - 40 * y) * s.DrawingData.ScaleY;
      if (model == 3) {
        mx = fx + ax + fromLeft;
        my = fy - ay - fromTop;
      } else {
        mx = fy + ay + fromTop;
        my = fx + ax + fromLeft;
      }
    };
    double ax0, ay0, ax1, ay1;
    at(x0, y0, ax0, ay0);
    at(x1, y1, ax1, ay1);
    return Box{std::min(ax0, ax1), std::min(ay0, ay1), std::max(ax0, ax1), std::max(ay0, ay1)};
  }

  Box ExpectedBox(const Config& c, double x0, double y0, double x1, double y1) {
    double ax, ay, bx, by;
    Expected(c, x0, y0, ax, ay);
    Expected(c, x1, y1, bx, by);
    return Box{std::min(ax, bx), std::min(ay, by), std::max(ax, bx), std::max(ay, by)};
  }

  std::string RunJob(bool threaded, bool fixed, int outStyle, int direction) {
    S().DrawingArea.OutStyleIndex = outStyle;
    S().DrawingArea.ScanDirectionIndex = direction;
    int zoom = 0;
    if (threaded) {
      CThreadEngraveEngineFix engine;
      engine.Attach(&doc, &source, nullptr);
      EXPECT_EQ(fixed ? engine.StartFix(&zoom) : engine.Start(&zoom), 1);
      engine.WaitForWorker();
      EXPECT_EQ(engine.GetExitCode(), 0);
      EXPECT_EQ(engine.Stop(), 1);
    } else {
      CEngraveEngineFix engine;
      engine.Attach(&doc, &source);
      EXPECT_EQ(fixed ? engine.StartFix(&zoom) : engine.Start(&zoom), 1);
    }
    return Take();
  }

  // Marks of a stream, within a window round the expected box.
  static Box Marks(const std::string& stream, const Box& around, int circleModel) {
    const int margin = 400;
    CMachineSimulator sim(static_cast<int>(around.x0) - margin, static_cast<int>(around.y0) - margin,
                          static_cast<int>(around.x1 - around.x0) + 2 * margin,
                          static_cast<int>(around.y1 - around.y0) + 2 * margin, circleModel);
    EXPECT_TRUE(sim.Run(stream)) << sim.Error();
    EXPECT_EQ(sim.OutsideCount(), 0);
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    EXPECT_TRUE(sim.MarkBox(x0, y0, x1, y1));
    return Box{double(x0), double(y0), double(x1), double(y1)};
  }

  static void ExpectNear(const Box& got, const Box& want, double tolerance, const std::string& what) {
    EXPECT_NEAR(got.x0, want.x0, tolerance) << what;
    EXPECT_NEAR(got.y0, want.y0, tolerance) << what;
    EXPECT_NEAR(got.x1, want.x1, tolerance) << what;
    EXPECT_NEAR(got.y1, want.y1, tolerance) << what;
  }
};

struct ShapeCase {
  const char* name;
  int kind;  // 0 square, 1 triangle, 2 circle
  double cx, cy, size;
};

const ShapeCase kShapes[] = {{"square", 0, 3, -2, 10}, {"triangle", 1, -6, 5, 12}, {"circle", 2, 7, 6, 8}};

const Config kConfigs[] = {
    {},
    {5, -3, 2, 4, 0, 0, 0, 1, 1},
    {5, -3, 2, 4, 1, 0, 0, 1, 1},
    {-4, 6, 3, -5, 0, 1, 1, 1, 1},
    {5, -3, 2, 4, 1, 1, 1, 1.5, 0.75},
    {0, 0, 0, 0, 0, 0, 0, 2, 1},
};

}  // namespace

TEST_F(AgreementTest, OutlineAndRasterJobsMarkTheDesignWhereItBelongs) {
  for (const ShapeCase& shape : kShapes) {
    source.Clear();  // this shape alone
    switch (shape.kind) {
      case 0: source.AddSquare(shape.cx, shape.cy, shape.size); break;
      case 1: source.AddTriangle(shape.cx, shape.cy, shape.size); break;
      default: source.AddCircle(shape.cx, shape.cy, shape.size / 2); break;
    }
    const double h = shape.size / 2;
    for (size_t k = 0; k < std::size(kConfigs); ++k) {
      const Config& c = kConfigs[k];
      Apply(c);
      const Box want = ExpectedBox(c, shape.cx - h, shape.cy - h, shape.cx + h, shape.cy + h);
      const std::string what = std::string(shape.name) + " config " + std::to_string(k);
      const std::string outline = RunJob(false, false, 0, 0);
      EXPECT_EQ(RunJob(true, false, 0, 0), outline) << what;
      const Box outlineBox = Marks(outline, want, 0);
      ExpectNear(outlineBox, want, 2.0, what + " outline");
      // One raster pitch is 1 dot = 2 machine units before scaling.
      const double pitch = 2.0 * std::max(c.scaleX, c.scaleY) + 1.0;
      for (int direction = 0; direction < 3; ++direction) {
        const std::string raster = RunJob(false, false, 1, direction);
        if (direction < 2) {
          EXPECT_EQ(RunJob(true, false, 1, direction), raster) << what;
        }
        ExpectNear(Marks(raster, want, 0), outlineBox, pitch, what + " raster " + std::to_string(direction));
      }
    }
  }
}

TEST_F(AgreementTest, FixedFieldOutlineAndRasterAgreeForEveryModel) {
  S().System.FixField = 1;
  S().System.FieldOriginX = 3000;
  S().System.FieldOriginY = 5000;
  S().DrawingArea.OffsetX = 4;
  S().DrawingArea.OffsetY = -3;
  source.AddSquare(3, -2, 10);
  for (int model = 1; model <= 3; ++model) {
    S().System.FieldMachine = model;
    for (double scale : {1.0, 1.5}) {
      S().DrawingData.ScaleX = scale;
      S().DrawingData.ScaleY = 2.0 - scale / 2;
      const Box want = ExpectedFix(model, -2, -7, 8, 3);
      const std::string what = "model " + std::to_string(model) + " scale " + std::to_string(scale);
      const std::string outline = RunJob(false, true, 0, 0);
      EXPECT_EQ(RunJob(true, true, 0, 0), outline) << what;
      const Box outlineBox = Marks(outline, want, model);
      ExpectNear(outlineBox, want, 2.0, what + " outline");
      for (int direction = 0; direction < 2; ++direction) {
        const std::string raster = RunJob(false, true, 1, direction);
        EXPECT_EQ(RunJob(true, true, 1, direction), raster) << what;
        ExpectNear(Marks(raster, want, model), outlineBox, 2.0 * 1.5 + 1.0,
                   what + " raster " + std::to_string(direction));
      }
    }
  }
}

TEST_F(AgreementTest, CirclesOfTheSimulatorFollowTheModelOneStart) {
  S().System.FieldMachine = 1;
  source.AddCircle(2, 3, 5);
  Config c;
  Apply(c);
  const Box want = ExpectedBox(c, -3, -2, 7, 8);
  ExpectNear(Marks(RunJob(false, false, 0, 0), want, 1), want, 2.0, "model 1 circle");
}
