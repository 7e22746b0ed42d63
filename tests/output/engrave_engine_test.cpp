#include <QApplication>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

#include "engrave_fixture.h"
#include "output/engrave_engine.h"
#include "output/thread_engrave_engine.h"

namespace {

int RunNormal(CKorvaneDoc& doc, IEngraveSource& source, int* oldZoom = nullptr) {
  CEngraveEngine engine;
  engine.Attach(&doc, &source);
  int zoom = 0;
  return engine.Start(oldZoom ? oldZoom : &zoom);
}

}  // namespace

TEST_F(EngraveTest, NotAttachedSendsNothing) {
  CEngraveEngine engine;
  EXPECT_EQ(engine.Attach(nullptr, &source), 0);
  EXPECT_EQ(engine.Attach(&doc, static_cast<IEngraveSource*>(nullptr)), 0);
  EXPECT_EQ(engine.Attach(&doc, static_cast<CLeftView*>(nullptr)), 0);
  int zoom = 7;
  EXPECT_EQ(engine.Start(&zoom), -1);
  EXPECT_EQ(Take(), "");
}

TEST_F(EngraveTest, AJobWithoutAMarkSendsNothingAndEveryOtherEndsWithTheParkOrAFinalPenUp) {
  int zoom = 0;
  prompter.ExpectMessage(IDOK, CString::FromUtf8("何も彫刻されません").c_str());
  EXPECT_EQ(RunNormal(doc, source, &zoom), CEngraveEngine::START_NOTHING_TO_SEND);
  prompter.VerifyAllUsed();
  EXPECT_EQ(Take(), "");

  AddMark();
  EXPECT_EQ(RunNormal(doc, source, &zoom), 1);
  EXPECT_EQ(zoom, -1);
  const std::string stream = Take();
  EXPECT_EQ(stream.rfind("SP2;VS8;\nPU", 0), 0u) << stream;
  EXPECT_EQ(EndOf(stream), "SP2;VS4;\npu;\n");

  // HOME: the field's centre plus HomeX, HomeY, scaled, sent twice; upward from the field's
  // bottom edge as the outline origin counts.
  S().DrawingData.HOME = 1;
  S().DrawingData.HomeX = 1.0;
  S().DrawingData.HomeY = -2.0;
  S().DrawingData.ScaleX = 2.0;
  EXPECT_EQ(RunNormal(doc, source), 1);
  EXPECT_EQ(EndOf(Take()), "SP2;VS4;\nPU4080,1920;PU4080,1920;");
}

TEST_F(EngraveTest, ASpeedOfOneStaysOneAtTheEnd) {
  SetSpeed(1);
  AddMark();
  EXPECT_EQ(RunNormal(doc, source), 1);
  const std::string stream = Take();
  EXPECT_EQ(stream.rfind("SP2;VS1;\n", 0), 0u);
  EXPECT_EQ(EndOf(stream), "SP2;VS1;\npu;\n");
}

TEST_F(EngraveTest, OutlineFiguresCloseOnTheirOwnStart) {
  // An open line, then a closed triangle: the triangle's closing point goes back to its own
  // first point, not to the line's.
  FakeShape line;
  line.kind = TYPE_LINE;
  line.open = true;
  line.pts = {{0, 0}, {1, 0}, {1, 1}};
  source.Add(line);
  source.AddTriangle(5, 5, 2);
  S().DrawingField.FieldX = 0;
  S().DrawingField.FieldY = 0;
  EXPECT_EQ(RunNormal(doc, source), 1);
  EXPECT_EQ(Take(),
            "SP2;VS8;\n"
            "PU0,0;PD40,0;PD40,40;"
            "PU200,240;PD160,160;PD240,160;PD200,240;"
            "SP2;VS4;\npu;\n");
}

TEST_F(EngraveTest, PlotsAndEntriesNotToEngraveAreLeftOut) {
  const int a = source.AddSquare(0, 0, 1);
  const int b = source.AddSquare(0, 0, 1);
  source.SetOutlineKind(a, TYPE_PLT);
  source.SetOutlineKind(b, TYPE_NONE);
  // Nothing else to engrave: nothing to mark.
  prompter.ExpectMessage(IDOK, CString::FromUtf8("何も彫刻されません").c_str());
  EXPECT_EQ(RunNormal(doc, source), CEngraveEngine::START_NOTHING_TO_SEND);
  prompter.VerifyAllUsed();
  EXPECT_EQ(Take(), "");
}

TEST_F(EngraveTest, CirclesStartAtTheBoxCornerOnModelOneElseAtTheCentre) {
  source.AddCircle(1, 2, 0.5);
  S().DrawingField.FieldX = 0;
  S().DrawingField.FieldY = 0;
  EXPECT_EQ(RunNormal(doc, source), 1);
  EXPECT_EQ(Take(), "SP2;VS8;\nPU40,80;CE20,20,360;\nSP2;VS4;\npu;\n");
  S().System.FieldMachine = 1;
  EXPECT_EQ(RunNormal(doc, source), 1);
  EXPECT_EQ(Take(), "SP2;VS8;\nPU20,100;CE20,20,360;\nSP2;VS4;\npu;\n");
}

TEST_F(EngraveTest, RasterWithSpanZeroSendsNothingAndSaysSo) {
  source.AddSquare(0, 0, 5);
  S().DrawingArea.OutStyleIndex = 1;
  S().DrawingArea.Span = 0.0;
  prompter.ExpectMessage(IDOK, CString::FromUtf8("機械へ送るデータがありません").c_str());
  EXPECT_EQ(RunNormal(doc, source), CEngraveEngine::START_NOTHING_TO_SEND);
  prompter.VerifyAllUsed();
  EXPECT_EQ(Take(), "");
  EXPECT_EQ(source.renders, 0);
}

TEST_F(EngraveTest, RasterSettingsThatCannotMakeAJobAreRefused) {
  source.AddSquare(0, 0, 5);
  S().DrawingArea.OutStyleIndex = 1;
  // Each refusal names the setting to change, once.
  S().DrawingArea.Span = -0.1;
  prompter.ExpectMessage(IDOK, CString::FromUtf8("走査間隔").c_str());
  EXPECT_EQ(RunNormal(doc, source), CEngraveEngine::START_REFUSED);
  prompter.VerifyAllUsed();
  S().DrawingArea.Span = 0.05;
  S().DrawingArea.DPM = 0;
  prompter.ExpectMessage(IDOK, CString::FromUtf8("解像度").c_str());
  EXPECT_EQ(RunNormal(doc, source), CEngraveEngine::START_REFUSED);
  prompter.VerifyAllUsed();
  EXPECT_EQ(prompter.Log().size(), 2u);
  EXPECT_EQ(Take(), "");
  // An outline job does not use the resolution.
  S().DrawingArea.OutStyleIndex = 0;
  EXPECT_EQ(RunNormal(doc, source), 1);
}

TEST_F(EngraveTest, APortThatCannotBeOpenedStopsTheJobWithAMessage) {
  setenv("DRAVENTIS_LPT1", dir.File("missing/lpt").c_str(), 1);
  source.AddSquare(0, 0, 5);
  prompter.ExpectMessage(IDOK, "LPT1");
  EXPECT_EQ(RunNormal(doc, source), CEngraveEngine::START_REFUSED);
  prompter.VerifyAllUsed();
}

TEST_F(EngraveTest, CancelEndsTheJobWithThePenUpAndNoOtherEndCommands) {
  source.AddSquare(0, 0, 1);
  source.AddSquare(3, 0, 1);
  CEngraveEngine engine;
  engine.Attach(&doc, &source);
  // Cancel pressed while the first object is sent (the capture of both took the bar's first two
  // steps): the second is never sent.
  QObject::connect(engine.GetProgressDialog().GetProgressBar(), &QProgressBar::valueChanged,
                   [&engine](int value) {
                     if (value == 3) engine.GetProgressDialog().GetCancelButton()->click();
                   });
  int zoom = 0;
  EXPECT_EQ(engine.Start(&zoom), 0);
  const std::string sent = Take();
  EXPECT_EQ(sent.find("VS4"), std::string::npos);
  EXPECT_EQ(sent.rfind("SP2;VS8;\nPU", 0), 0u);
  // Only the first square's move, then the pen goes up where it is.
  EXPECT_EQ(std::count(sent.begin(), sent.end(), 'U'), 1);
  EXPECT_EQ(sent.substr(sent.size() - 4), "pu;\n");
  CMachineSimulator machine(-4000, -4000, 8000, 8000);
  ASSERT_TRUE(machine.Run(sent)) << machine.Error();
  EXPECT_FALSE(machine.IsPenDown());
}

TEST_F(EngraveTest, RasterRunsAreSentAsAMoveAndAMarkAlongAlternatingRows) {
  // A 3 x 2 dot block at DPM 1 in a 10 x 10 area at the page centre.
  S().DrawingArea.OutStyleIndex = 1;
  S().DrawingArea.DPM = 1;
  S().DrawingArea.Span = 1.0;
  S().DrawingArea.Width = 10;
  S().DrawingArea.Height = 10;
  S().DrawingField.FieldX = 10;
  S().DrawingField.FieldY = 10;
  FakeShape block;
  block.pts = {{-1.2, 1}, {1.8, 1}, {1.8, -1}, {-1.2, -1}};
  source.Add(block);
  int zoom = 0;
  EXPECT_EQ(RunNormal(doc, source, &zoom), 1);
  EXPECT_EQ(zoom, 4);  // the canvas's old zoom goes back to the caller
  EXPECT_EQ(source.renders, 1);
  EXPECT_EQ(source.releases, 1);
  // Field 10 dots, page centre at dot (210, 120); rows 119 (left to right) and 120 (right to
  // left) hold the block from dot 209 to 211: machine x = (dot - 205) x 40.
  EXPECT_EQ(Take(), "SP2;VS8;\nPU160,240;PD240,240;PU240,200;PD160,200;SP2;VS4;\npu;\n");
}
