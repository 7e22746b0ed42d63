// A design holding an object too large to capture (a 999 x 999 grid of arc texts) beside a plain
// square, engraved through the real canvas view: every engine refuses the job with the view's one
// message instead of reporting a whole job, and nothing reaches the machine.
#include "engrave_fixture.h"
#include "model/textobject.h"
#include "output/thread_engrave_engine.h"

namespace {

class RefusedObject : public ViewEngraveTest {
 protected:
  void SetUp() override {
    ViewEngraveTest::SetUp();
    CObjectList& list = *doc.GetObjectList();
    auto* square = list.AddRectangle(nullptr, TRUE, TRUE);
    square->m_dWidth = square->m_dHeight = 10;
    square->m_nOutputMode = 2;
    auto* text = list.AddText2(nullptr, TRUE, TRUE);
    text->m_nOutputMode = 2;
    text->m_nRows = text->m_nColumns = 999;
    text->m_dRowGap = text->m_dColumnGap = 0.5;
    name = text->GetName();
    grid = text;
    S().DrawingArea.Span = 0.1;
  }
  void ExpectTooLarge() {
    prompter.ExpectMessage(IDOK, CString::FromUtf8("オブジェクトが大きすぎるため処理できません").c_str());
  }
  void CheckOneMessageNamingTheText(size_t before) {
    prompter.VerifyAllUsed();
    ASSERT_EQ(prompter.Log().size(), before + 1);
    EXPECT_NE(std::string(prompter.Log().back().text.c_str()).find(name), std::string::npos);
  }

  std::string name;
  CDrawObject* grid = nullptr;
};

TEST_F(RefusedObject, TheNormalEngineSendsNothing) {
  for (int raster : {0, 1}) {
    SCOPED_TRACE(raster);
    const size_t before = prompter.Log().size();
    S().DrawingArea.OutStyleIndex = raster;
    ExpectTooLarge();
    CEngraveEngine engine;
    engine.Attach(&doc, view.get());
    int zoom = 0;
    EXPECT_EQ(engine.Start(&zoom), CEngraveEngine::START_OBJECT_REFUSED);
    if (zoom >= 0) view->RestoreZoom(&doc, zoom);
    CheckOneMessageNamingTheText(before);
    // Every object is checked before the first command: the square does not go either.
    EXPECT_EQ(Take(), "");
  }
}

TEST_F(RefusedObject, TheThreadedEngineStartsNoWorkerAndSendsNothing) {
  for (int raster : {0, 1}) {
    SCOPED_TRACE(raster);
    const size_t before = prompter.Log().size();
    S().DrawingArea.OutStyleIndex = raster;
    ExpectTooLarge();
    EndCountingHost host;
    CThreadEngraveEngine engine;
    ASSERT_EQ(engine.Attach(&doc, view.get(), &host), 1);
    int zoom = 0;
    EXPECT_EQ(engine.Start(&zoom), 0);
    if (zoom >= 0) view->RestoreZoom(&doc, zoom);
    CheckOneMessageNamingTheText(before);
    EXPECT_EQ(Take(), "");
    EXPECT_EQ(host.ends, 0);
    // The port is free for the next job.
    EXPECT_FALSE(IsWorkerPortClaimed());
  }
}

// One copy of a circle 100 m across (a seal typed that large) would be drawn and scanned for
// minutes: the raster refuses it before drawing, as it refuses the grid; the square alone still
// goes as before.
TEST_F(RefusedObject, OneHugeCopyIsRefusedInRasterMode) {
  grid->m_bDeleted = TRUE;
  S().DrawingArea.OutStyleIndex = 1;
  const auto start = [&] {
    CEngraveEngine engine;
    engine.Attach(&doc, view.get());
    int zoom = 0;
    const int got = engine.Start(&zoom);
    if (zoom >= 0) view->RestoreZoom(&doc, zoom);
    return got;
  };
  EXPECT_EQ(start(), 1);
  EXPECT_NE(Take(), "");

  auto* circle = doc.GetObjectList()->AddCircle(nullptr, TRUE, TRUE);
  circle->m_dSizeX = circle->m_dSizeY = 100000;
  circle->m_nOutputMode = 2;
  name = circle->GetName();
  const size_t before = prompter.Log().size();
  ExpectTooLarge();
  EXPECT_EQ(start(), CEngraveEngine::START_OBJECT_REFUSED);
  CheckOneMessageNamingTheText(before);
  EXPECT_EQ(Take(), "");
}

}  // namespace
