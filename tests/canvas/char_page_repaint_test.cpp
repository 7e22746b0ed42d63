// Typing into a text's character page never leaves a stale picture: the canvas keeps what it
// last measured of a text, and after every key, font or angle change, mirror, zoom and value put
// back, the window surface equals a full repaint of the same state, pixel for pixel. The same
// holds while texts are moved by odd steps, where the kept rectangle is carried along.
#include <QApplication>
#include <string>

#include "canvas_fixture.h"
#include "fake_control_host.h"
#include "pages/object_pages.h"
#include "res/dialog_140.h"
#include "res/dialog_142.h"

namespace {

class PageDocument : public IPageFormHost {
 public:
  CKorvaneDoc* doc = nullptr;
  CKorvaneDoc* GetPageDocument() override { return doc; }
  int GetRememberedPage(int) override { return 1; }
  void SetRememberedPage(int, int) override {}
};

// The control ids of one character page.
struct CharPageIds {
  int list, sizeX, sizeY, offsetY, angle, fontWidthX, lineWidthX;
  // The field and value that make one character stand clear of the rest of its text.
  int liftId;
  const char* lift;
};
constexpr CharPageIds kStraight{dlg140::IDC_CHAR_LIST, dlg140::IDC_SIZE_X,       dlg140::IDC_SIZE_Y,
                                dlg140::IDC_OFFSET_Y,  dlg140::IDC_ANGLE,        dlg140::IDC_FONT_WIDTH_X,
                                dlg140::IDC_LINE_WIDTH_X, dlg140::IDC_OFFSET_Y, "9"};
constexpr CharPageIds kArc{dlg142::IDC_CHAR_LIST, dlg142::IDC_SIZE_X,       dlg142::IDC_SIZE_Y,
                           dlg142::IDC_OFFSET_Y,  dlg142::IDC_ANGLE,        dlg142::IDC_FONT_WIDTH_X,
                           dlg142::IDC_LINE_WIDTH_X, dlg142::IDC_OFFSET_Y, "-40"};

class CharPageRepaint : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    pageDocument.doc = doc.get();
    CPageHelper::SetFormHost(&pageDocument);
    ShowView();
  }
  void TearDown() override {
    CPageHelper::SetFormHost(nullptr);
    CanvasTest::TearDown();
  }

  // Runs what the step left pending, then compares the surface with a full repaint.
  void ExpectShowsTheDesign(const std::string& step) {
    const StalePixels stale = CompareWithFullRepaint();
    ASSERT_GE(stale.count, 0) << step << ": the surface changed its size";
    EXPECT_EQ(stale.count, 0) << "after " << step << ": stale pixels within " << stale.x << "," << stale.y << " "
                              << stale.width << "x" << stale.height;
  }

  // Drives one text's character page through the steps; the text is current.
  template <class Page>
  void RunSteps(int index, const CharPageIds& ids) {
    Repaint(9);
    doc->SetCurrentObject(index, TRUE, TRUE);
    Page page;
    CFakeControlHost host(*page.GetTemplate());
    page.AttachHost(&host);
    page.Activate();
    ExpectShowsTheDesign("choosing the text");
    host.ChooseRow(ids.list, 1);
    // A value pasted into the page, then the picture checked.
    auto put = [&](int id, const char* value, const char* step) {
      host.Paste(id, value);
      ExpectShowsTheDesign(step);
    };
    // Each key is its own change, as the operator types "2.5".
    host.Type(ids.sizeX, "2");
    ExpectShowsTheDesign("a key into size X");
    put(ids.sizeX, "2.5", "size X 2.5");
    put(ids.sizeY, "-1", "a smaller size Y");
    put(ids.angle, "45", "an angle of 45");
    put(ids.fontWidthX, "0.8", "a font width");
    put(ids.lineWidthX, "0.4", "a line width of the whole text");
    // One character lifted far out of its line, then put back.
    put(ids.liftId, ids.lift, "the character lifted");
    put(ids.liftId, "0", "the character put back");
    put(ids.liftId, ids.lift, "the character lifted again");
    // Mirrored with the character still lifted: it now hangs below, where nothing was measured.
    doc->MirrorSelection(FALSE, TRUE);
    ExpectShowsTheDesign("the text mirrored");
    put(ids.liftId, "0", "the mirrored character put back");
    put(ids.liftId, ids.lift, "the mirrored character lifted");
    // Another zoom: the lifted character is somewhere else on the screen now.
    Repaint(15);
    ExpectShowsTheDesign("zoomed in");
    put(ids.liftId, "0", "the character put back at the new zoom");
    host.Paste(ids.liftId, ids.lift);
    Repaint(9);
    put(ids.liftId, "0", "the character put back after zooming out again");
    // Every value put back as it was.
    for (int id : {ids.sizeX, ids.sizeY, ids.angle, ids.fontWidthX, ids.lineWidthX}) host.Paste(id, "0");
    doc->MirrorSelection(FALSE, TRUE);
    ExpectShowsTheDesign("every value put back");
  }

  PageDocument pageDocument;
};

TEST_F(CharPageRepaint, StraightTextCharacterPage) {
  AddShape(TYPE_RECTANGLE, 20, 14, -30, 20);
  const int text = AddShape(TYPE_TEXT1, 30, 8, -20, -10);
  At<CText1Object>(text)->SetText("ABCDE");
  RunSteps<CPageText1Char>(text, kStraight);
}

TEST_F(CharPageRepaint, ArcTextCharacterPage) {
  AddShape(TYPE_CIRCLE, 16, 16, 30, 20);
  const int arc = AddShape(TYPE_TEXT2, 30, 30, -20, -10);
  At<CText2Object>(arc)->SetText("ABCDEFG");
  RunSteps<CPageText2Char>(arc, kArc);
}

// Texts moved again and again by steps that are not whole pixels, with a character standing far
// out: each place they leave is found from what was measured before the moves.
TEST_F(CharPageRepaint, TextsMovedByOddStepsLeaveNothingBehind) {
  const int text = AddShape(TYPE_TEXT1, 30, 8, -20, -10);
  At<CText1Object>(text)->SetText("ABCDE");
  At<CText1Object>(text)->m_vCharRecords[4].dOffsetY = 9;
  const int arc = AddShape(TYPE_TEXT2, 30, 30, 25, 5);
  At<CText2Object>(arc)->SetText("ABCDEFG");
  At<CText2Object>(arc)->m_vCharRecords[1].dOffsetY = -12;
  for (int zoom : {9, 15, 5}) {
    Repaint(zoom);
    for (int index : {text, arc}) {
      doc->SetCurrentObject(index, TRUE, TRUE);
      ExpectShowsTheDesign("choosing a text");
      int k = 0;
      for (double step : {0.013, 0.37, 1.19, 0.051}) {
        for (int direction = 0; direction < 4; ++direction) {
          // The position typed into the text's own page, then an arrow key.
          const double x = List().GetObject(index)->m_dPosX;
          doc->SetPropertyDouble(index == text ? 1003 : 1364, x + ((direction + k) % 2 ? step : -step * 1.7), 0);
          ExpectShowsTheDesign("a move along x of " + std::to_string(step) + " mm at zoom " + std::to_string(zoom));
          doc->NudgeSelection(direction);
          ExpectShowsTheDesign("a nudge at zoom " + std::to_string(zoom));
          ++k;
        }
      }
    }
  }
}

}  // namespace
