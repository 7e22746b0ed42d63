// Typing into a text's character page never leaves a stale picture: the canvas keeps what it
// last measured of a text, and after every key, font or angle change, mirror, zoom and value put
// back, the window surface equals a full repaint of the same state, pixel for pixel. The same
// holds while texts are moved by odd steps, where the kept rectangle is carried along.
#include <QApplication>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "canvas/object_tracker.h"
#include "canvas_fixture.h"
#include "fake_control_host.h"
#include "files/mrk_doc.h"
#include "pages/object_pages.h"
#include "render/text_layout.h"
#include "res/dialog_140.h"
#include "res/dialog_142.h"
#include "temp_dir.h"

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

std::string LongLines(int lines, int per) {
  std::string s;
  for (int i = 0; i < lines; ++i) {
    if (i) s += "\r\n";
    for (int j = 0; j < per; ++j) s.push_back(static_cast<char>('A' + (i * 7 + j) % 26));
  }
  return s;
}

double* FieldOf(CTextCharRecord& r, int id) {
  if (id == dlg140::IDC_SIZE_X) return &r.dSizeX;
  if (id == dlg140::IDC_SIZE_Y) return &r.dSizeY;
  if (id == dlg140::IDC_OFFSET_Y) return &r.dOffsetY;
  if (id == dlg140::IDC_ANGLE) return &r.dAngle;
  return &r.dFontWidthX;
}

// A long straight text edited as an operator does: values typed into its character page,
// characters put into and taken out of its string. Its records are shared with the copies the
// paint, the pages and the canvas take, so after every step the records must be those typed,
// copies taken along the way must keep theirs, the canvas must show what a full repaint of a
// freshly built text shows, and a save and reload must give the records back.
TEST_F(CharPageRepaint, SeededKeysAndRetypingInALongTextPaintAsAFreshTextAndSaveAsTyped) {
  Repaint(9);
  // Far taller than the view, and more records than a chunk of them holds.
  const int index = AddShape(TYPE_TEXT1, 70, 110, -10, -40);
  std::string text = LongLines(55, 40);
  {
    CText1Object* t = At<CText1Object>(index);
    t->m_dCharWidth = 1;
    t->m_dCharHeight = 1.5;
    t->m_dLineGap = 0.5;
    t->SetText(CString(text.c_str()));
  }
  doc->SetCurrentObject(index, TRUE, TRUE);
  CPageText1Char page;
  CFakeControlHost host(*page.GetTemplate());
  page.AttachHost(&host);
  page.Activate();
  std::vector<CTextCharRecord> typed(At<CText1Object>(index)->m_vCharRecords.size());
  ASSERT_GT(typed.size(), 2 * CTextCharRecords::kChunk);

  struct Kept {
    std::unique_ptr<CText1Object> copy;
    std::vector<CTextCharRecord> records;
  };
  std::vector<Kept> kept;
  const int fields[] = {dlg140::IDC_SIZE_X, dlg140::IDC_SIZE_Y, dlg140::IDC_OFFSET_Y, dlg140::IDC_ANGLE,
                        dlg140::IDC_FONT_WIDTH_X};
  const char* values[] = {"0.5", "-0.25", "3", "30", "0.2", "0"};
  std::mt19937 rng(4545);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int step = 0; step < 45; ++step) {
    const int what = pick(0, 9);
    std::string did;
    if (what < 6) {
      const int chars = host.GetCount(dlg140::IDC_CHAR_LIST);
      ASSERT_GT(chars, 0);
      const int row = pick(0, chars - 1);
      host.ChooseRow(dlg140::IDC_CHAR_LIST, row);
      const int record = page.RecordOfRow(row);
      const int field = fields[pick(0, 4)];
      const char* value = values[pick(0, 5)];
      host.Paste(field, value);
      *FieldOf(typed[static_cast<size_t>(record)], field) = std::stod(value);
      did = "a value into character " + std::to_string(row);
    } else if (what < 8) {
      // A character typed into, or taken out of, a line: every record starts again from zero.
      size_t at = static_cast<size_t>(pick(0, static_cast<int>(text.size()) - 1));
      while (at < text.size() && (text[at] == '\r' || text[at] == '\n')) ++at;
      if (what == 6 || at >= text.size()) {
        text.insert(std::min(at, text.size()), 1, 'Q');
        did = "a character typed";
      } else {
        text.erase(at, 1);
        did = "a character taken out";
      }
      ASSERT_EQ(doc->SetObjectText(1326, CString(text.c_str())), 1);
      page.Activate();
      typed.assign(At<CText1Object>(index)->m_vCharRecords.size(), CTextCharRecord{});
    } else {
      Kept k;
      k.copy = std::make_unique<CText1Object>();
      k.copy->CopySettings(At<CText1Object>(index));
      k.records = typed;
      kept.push_back(std::move(k));
      if (kept.size() > 4) kept.erase(kept.begin());
      did = "a copy kept";
    }
    SCOPED_TRACE("step " + std::to_string(step) + ": " + did);
    CText1Object* t = At<CText1Object>(index);
    ASSERT_EQ(t->m_vCharRecords.ToVector(), typed);
    for (const Kept& k : kept) ASSERT_EQ(k.copy->m_vCharRecords.ToVector(), k.records);

    const StalePixels stale = CompareWithFullRepaint();
    ASSERT_EQ(stale.count, 0) << "stale pixels within " << stale.x << "," << stale.y << " " << stale.width << "x"
                              << stale.height;
    // The same text built afresh, nothing shared, every line laid out.
    const QImage shown = view->SurfaceImage().copy();
    t->m_vCharRecords = CTextCharRecords(typed);
    textlayout::SetWholeTextLayout(true);
    view->Invalidate(TRUE);
    view->UpdateWindow();
    textlayout::SetWholeTextLayout(false);
    ASSERT_TRUE(view->SurfaceImage() == shown);
  }

  TempDir dir;
  const std::string path = dir.File("long.mrk");
  ASSERT_TRUE(MrkSaveBinary(*doc, CString(path.c_str())));
  const std::vector<CTextCharRecord> saved = typed;
  doc->OnNewDocument();
  ASSERT_EQ(MrkLoadBinary(*doc, CString(path.c_str())), 1);
  bool found = false;
  for (int i = 0; i < List().GetCount(); ++i) {
    CDrawObject* o = List().GetObject(i);
    if (o->m_nType != TYPE_TEXT1 || static_cast<CText1Object*>(o)->m_strText.str() != text) continue;
    found = true;
    EXPECT_EQ(static_cast<CText1Object*>(o)->m_vCharRecords.ToVector(), saved);
  }
  EXPECT_TRUE(found);
}

// A key into the character page of a long straight text repaints about the key's line alone. The
// window must still equal a full repaint after keys in the middle and at the end of the text
// (a character made taller, shorter, wider, lifted and pushed far out of its line, turned,
// thickened, then put back), written across and down, at two zooms, scrolled to the line; the
// text's stored bounds and the tracker's frame must be those a full repaint leaves, what the
// canvas measures of the text afterwards must be a fresh measure's, and with the whole text
// shown a key lays out fewer lines than the full repaint.
TEST_F(CharPageRepaint, KeysInALongTextRepaintAboutTheirLineAsAFullRepaintWould) {
  struct Key {
    int id;
    double value;
  };
  const Key keys[] = {{dlg140::IDC_SIZE_Y, 2},       {dlg140::IDC_SIZE_Y, -0.8},     {dlg140::IDC_SIZE_X, 1.5},
                      {dlg140::IDC_OFFSET_Y, 5},     {dlg140::IDC_OFFSET_Y, -7},     {dlg140::IDC_OFFSET_X, -3},
                      {dlg140::IDC_ANGLE, 40},       {dlg140::IDC_FONT_WIDTH_X, 0.3}, {dlg140::IDC_FONT_WIDTH_Y, 0.2},
                      {dlg140::IDC_SIZE_Y, 0},       {dlg140::IDC_SIZE_X, 0},        {dlg140::IDC_OFFSET_Y, 0},
                      {dlg140::IDC_OFFSET_X, 0},     {dlg140::IDC_ANGLE, 0},         {dlg140::IDC_FONT_WIDTH_X, 0},
                      {dlg140::IDC_FONT_WIDTH_Y, 0}};
  constexpr int kLines = 120, kPer = 40;
  // The client rectangle a paint bound gives the text in the window's current mapping.
  auto boundOf = [&](int index) {
    std::unique_ptr<CDC> dc = view->GetDC();
    view->OnPrepareDC(dc.get());
    RECT r{};
    EXPECT_TRUE(view->PaintBound(index, *List().GetObject(index), dc.get(), r));
    return r;
  };
  for (int direction : {0, 1}) {
    SCOPED_TRACE(direction ? "written down" : "written across");
    Repaint(9);
    // Lines 2 mm apart; written down, the lines are columns running left to right.
    const int index = direction ? AddShape(TYPE_TEXT1, kLines * 2.0, kPer * 1.5 + 2, 0, 0)
                                : AddShape(TYPE_TEXT1, kPer * 1.5 + 10, kLines * 2.0, -20, 0);
    CText1Object* t = At<CText1Object>(index);
    t->m_nWriteDirection = direction;
    t->m_dCharWidth = 1.5;
    t->m_dCharHeight = 1.5;
    t->m_dCharGap = 0;
    t->m_dLineGap = 0.5;
    t->SetText(CString(LongLines(kLines, kPer).c_str()));
    doc->SetCurrentObject(index, TRUE, TRUE);
    for (int zoom : {9, 15}) {
      // A character in the middle of the text, and the last one.
      for (int line : {kLines / 2, kLines - 1}) {
        const int column = line == kLines - 1 ? kPer - 1 : 17;
        const int record = line * (kPer + 2) + column;
        SCOPED_TRACE("zoom " + std::to_string(zoom) + ", line " + std::to_string(line));
        Repaint(zoom);
        // The line scrolled to the middle of the window, as far as the bars go.
        const CRect frame = ClientRectOf(index);
        const double at = (line + 0.5) / kLines;
        const int x = direction ? frame.left + static_cast<int>(at * frame.Width()) : frame.CenterPoint().x;
        const int y = direction ? frame.CenterPoint().y : frame.top + static_cast<int>(at * frame.Height());
        view->ScrollToPosition(POINT{view->GetScrollPos(SB_HORZ) + x - 450, view->GetScrollPos(SB_VERT) + y - 350});
        ExpectShowsTheDesign("scrolling to the line");
        for (const Key& key : keys) {
          const std::string step = "the key " + std::to_string(key.id) + " = " + std::to_string(key.value);
          ASSERT_EQ(doc->SetPropertyDouble(key.id, key.value, record), 1) << step;
          const long long before = textlayout::LaidOutLines();
          QApplication::processEvents();
          view->UpdateWindow();
          const long long keyLines = textlayout::LaidOutLines() - before;
          const CDoubleRect stored = t->m_rcBounds;
          const CRect tracker(view->GetTracker()->GetTrackRect());
          ExpectShowsTheDesign(step);
          const long long fullLines = textlayout::LaidOutLines() - before - keyLines;
          const CDoubleRect fresh = t->m_rcBounds;
          EXPECT_TRUE(stored.left == fresh.left && stored.top == fresh.top && stored.right == fresh.right &&
                      stored.bottom == fresh.bottom)
              << step << ": the stored bounds differ from a full repaint's";
          EXPECT_EQ(tracker, CRect(view->GetTracker()->GetTrackRect())) << step;
          // Each line's glyphs may reach several lines beyond it (a paint lays out every line
          // that can reach its clip), but not across a window that shows the whole text.
          if (zoom == 9) {
            EXPECT_LT(keyLines * 3, fullLines * 2) << step << ": the key repainted the whole text";
          }
        }
        // What the canvas measures of the text now, against a measure of every line afresh.
        view->InvalidateObject(index);
        const RECT kept = boundOf(index);
        view->OnUpdate(nullptr, HINT_NEW_DOCUMENT, nullptr);
        textlayout::SetWholeTextLayout(true);
        view->InvalidateObject(index);
        const RECT measured = boundOf(index);
        textlayout::SetWholeTextLayout(false);
        EXPECT_EQ(CRect(kept), CRect(measured));
        ExpectShowsTheDesign("the text measured afresh");
      }
    }
    doc->DeleteSelection();
  }
}

// The line a record belongs to is found as the layout splits the text: double-byte characters,
// CR LF and lone line feeds, empty lines and a line feed straight after another. The lines stand
// further apart than a line's glyphs can reach, so a key repainted about the wrong line leaves
// the character behind. The records of the line breaks are keyed as well.
TEST_F(CharPageRepaint, AKeyOnAnyRecordOfAWidelySpacedTextRepaintsItsOwnLine) {
  Repaint(9);
  const int index = AddShape(TYPE_TEXT1, 60, 200, 0, 0);
  CText1Object* t = At<CText1Object>(index);
  t->m_dCharWidth = 1.5;
  t->m_dCharHeight = 1.5;
  t->m_dLineGap = 25;
  // "あ" and "い" are two bytes each in code page 932.
  t->SetText(CString("AB\x82\xa0" "C\r\n\x82\xa0\x82\xa2" "D\nE\r\n\r\nFG\n\nH\x82\xa2" "I\r\nJ"));
  doc->SetCurrentObject(index, TRUE, TRUE);
  ExpectShowsTheDesign("choosing the text");
  const int records = static_cast<int>(t->m_vCharRecords.size());
  ASSERT_GT(records, 15);
  for (int record = 0; record < records; ++record) {
    for (double lift : {4.0, 0.0}) {
      ASSERT_EQ(doc->SetPropertyDouble(dlg140::IDC_OFFSET_Y, lift, record), 1);
      ExpectShowsTheDesign("record " + std::to_string(record) + " lifted by " + std::to_string(lift));
    }
  }
}

}  // namespace
