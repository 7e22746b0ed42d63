#include "engrave_fixture.h"
#include "output/engrave_engine.h"
#include "output/engrave_job.h"
#include "output/thread_engrave_engine.h"

namespace {

class FixedTest : public EngraveTest {
 protected:
  void SetUp() override {
    EngraveTest::SetUp();
    S().System.FixField = 1;
    S().System.FieldOriginX = 1000;
    S().System.FieldOriginY = 2000;
    S().DrawingArea.Width = 40;
    S().DrawingArea.Height = 40;
  }
  CEngraveJob Job() {
    CEngraveJob job;
    job.CopySettings(doc);
    return job;
  }
};

}  // namespace

TEST_F(FixedTest, ModelThreeKeepsTheAxesAndRunsYDownFromTheOrigin) {
  S().System.FieldMachine = 3;
  CEngraveJob job = Job();
  POINT p = job.TransformPointFix(POINT{0, 0});
  EXPECT_EQ(p.x, 1000 + 800);
  EXPECT_EQ(p.y, 2000 - 800);
  // Area offsets move the whole area, unscaled; the design scales from the area's corner.
  S().DrawingArea.OffsetX = 2;
  S().DrawingArea.OffsetY = 3;
  S().DrawingData.ScaleX = 2;
  job = Job();
  p = job.TransformPointFix(POINT{40, 80});
  EXPECT_EQ(p.x, 1000 + 80 + (800 + 40) * 2);
  EXPECT_EQ(p.y, 2000 - 120 - (800 - 80));
  POINT c{40, 80};
  SIZE r{20, 10};
  job.TransformCircleFix(c, r);
  EXPECT_EQ(c.x, p.x);
  EXPECT_EQ(c.y, p.y);
  EXPECT_EQ(r.cx, 40);
  EXPECT_EQ(r.cy, 10);
}

TEST_F(FixedTest, SwappedModelsExchangeTheAxesAndTheRadii) {
  S().DrawingArea.OffsetX = 2;
  S().DrawingArea.OffsetY = 3;
  for (int model : {1, 2}) {
    S().System.FieldMachine = model;
    const CEngraveJob job = Job();
    const POINT p = job.TransformPointFix(POINT{40, 80});
    EXPECT_EQ(p.x, 2000 + 800 + 120 - 80);
    EXPECT_EQ(p.y, 1000 + 800 + 80 + 40);
    POINT c{40, 80};
    SIZE r{20, 10};
    job.TransformCircleFix(c, r);
    EXPECT_EQ(c.x, p.x);
    EXPECT_EQ(c.y, p.y);
    EXPECT_EQ(r.cx, 10);
    EXPECT_EQ(r.cy, 20);
  }
}

TEST_F(FixedTest, RasterPointsGoFromTheAreaCornerByModel) {
  S().System.FieldMachine = 3;
  S().DrawingArea.DPM = 20;
  S().DrawingArea.OffsetX = 1;
  S().DrawingArea.OffsetY = 1;
  CEngraveJob job = Job();
  job.m_rcArea = CDoubleRect(100, 50, 900, 850);
  // Model 3 mirrors the row about the area's top, so rows below it go down the machine.
  POINT p = job.ToMachineFix(110, job.RowYFix(60));
  EXPECT_EQ(p.x, 20 + 1000 + 40);
  EXPECT_EQ(p.y, -20 + 2000 - 40);
  EXPECT_EQ(job.ColumnYFix(60), 40);
  S().System.FieldMachine = 1;
  job = Job();
  job.m_rcArea = CDoubleRect(100, 50, 900, 850);
  p = job.ToMachineFix(110, job.RowYFix(60));
  EXPECT_EQ(p.x, 2000 + 20 + 40);
  EXPECT_EQ(p.y, 1000 + 20 + 40);
}

TEST_F(FixedTest, AJobAlwaysParksAtTheAreaCorner) {
  S().System.FieldMachine = 3;
  S().DrawingArea.OffsetX = 2;
  S().DrawingArea.OffsetY = 3;
  S().DrawingData.HOME = 0;
  AddMark();
  CEngraveEngineFix engine;
  engine.Attach(&doc, &source);
  int zoom = 0;
  EXPECT_EQ(engine.StartFix(&zoom), 1);
  EXPECT_EQ(EndOf(Take()), "SP2;VS4;\nPU1080,1880;PU1080,1880;");
}

TEST_F(FixedTest, ConcentricScanHasNothingToMarkAndSendsNothing) {
  S().System.FieldMachine = 1;
  S().DrawingArea.OutStyleIndex = 1;
  S().DrawingArea.ScanDirectionIndex = 2;
  S().DrawingArea.DPM = 10;
  S().DrawingArea.Span = 0.1;
  source.AddSquare(0, 0, 10);
  CEngraveEngineFix engine;
  engine.Attach(&doc, &source);
  int zoom = 0;
  prompter.ExpectMessage(IDOK, CString::FromUtf8("何も彫刻されません").c_str());
  EXPECT_EQ(engine.StartFix(&zoom), CEngraveEngine::START_NOTHING_TO_SEND);
  prompter.VerifyAllUsed();
  EXPECT_EQ(Take(), "");
}

TEST_F(FixedTest, WithoutAMachineModelNoJobStarts) {
  S().System.FieldMachine = 0;
  source.AddSquare(0, 0, 10);
  CEngraveEngineFix engine;
  engine.Attach(&doc, &source);
  int zoom = 0;
  prompter.ExpectMessage(IDOK, CString::FromUtf8("機種").c_str());
  EXPECT_EQ(engine.StartFix(&zoom), CEngraveEngine::START_REFUSED);
  prompter.VerifyAllUsed();
  CThreadEngraveEngineFix threaded;
  threaded.Attach(&doc, &source, nullptr);
  prompter.ExpectMessage(IDOK, CString::FromUtf8("機種").c_str());
  EXPECT_EQ(threaded.StartFix(&zoom), 0);
  prompter.VerifyAllUsed();
  EXPECT_EQ(prompter.Log().size(), 2u);
  EXPECT_EQ(Take(), "");
}
