// A screen paint leaves out what its clip cannot show: every kind has a bound that holds all it
// draws (turned, mirrored, thickened, lifted characters, grids), a paint copies and lays out only
// the entries whose bound meets the clip, and what is left out keeps the stored bounds a full walk
// would give it, so that after scrolls, zooms and edits the window equals a full repaint.
#include <QApplication>
#include <QImage>
#include <algorithm>
#include <functional>
#include <random>
#include <sstream>
#include <string>

#include "canvas/cull_bounds.h"
#include "files/mrk_binary.h"
#include "canvas_fixture.h"

namespace {

class PaintCull : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    ShowView();
  }
  QImage Paint() {
    view->Invalidate(TRUE);
    view->UpdateWindow();
    return view->SurfaceImage().convertToFormat(QImage::Format_RGB32);
  }
  // The bound of an entry in the client pixels of the window's current mapping.
  RECT BoundOf(int index) {
    std::unique_ptr<CDC> dc = view->GetDC();
    view->OnPrepareDC(dc.get());
    RECT r{};
    EXPECT_TRUE(view->PaintBound(index, *List().GetObject(index), dc.get(), r));
    return r;
  }
  std::string StaleBounds() {
    std::ostringstream out;
    for (int i = 1; i < List().GetCount(); ++i) {
      const CDrawObject* o = List().GetObject(i);
      if (o->m_bDeleted) continue;
      const CDoubleRect want = FullWalkBounds(i);
      const CDoubleRect& got = o->m_rcBounds;
      if (got.left != want.left || got.top != want.top || got.right != want.right || got.bottom != want.bottom)
        out << " entry " << i;
    }
    return out.str();
  }
};

CText1Object* Text1(CObjectList& list, int index) { return static_cast<CText1Object*>(list.GetObject(index)); }
CText2Object* Text2(CObjectList& list, int index) { return static_cast<CText2Object*>(list.GetObject(index)); }

TEST_F(PaintCull, EveryKindDrawsOnlyWithinItsBound) {
  struct Case {
    const char* name;
    std::function<int()> make;
  };
  auto text1 = [&](const char* text, double w, double h) {
    const int e = AddShape(TYPE_TEXT1, w, h);
    Text1(List(), e)->m_dCharWidth = 4;
    Text1(List(), e)->m_dCharHeight = 6;
    Text1(List(), e)->SetText(text);
    return e;
  };
  auto text2 = [&](const char* text) {
    const int e = AddShape(TYPE_TEXT2, 30, 24);
    Text2(List(), e)->m_dCharWidth = 4;
    Text2(List(), e)->m_dCharHeight = 6;
    Text2(List(), e)->SetText(text);
    return e;
  };
  auto lifted = [](int count) {
    std::vector<CTextCharRecord> r(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
      r[i].dOffsetX = (i % 3 - 1) * 2.5;
      r[i].dOffsetY = (i % 2 ? 4.0 : -3.0);
      r[i].dSizeX = i % 2 ? 2.0 : 0.0;
      r[i].dSizeY = i % 3 ? 3.0 : 0.0;
      r[i].dAngle = i * 40.0;
      r[i].dFontWidthX = i == 1 ? 0.8 : 0.0;
    }
    return r;
  };
  const Case cases[] = {
      {"line turned", [&] { const int e = AddShape(TYPE_LINE, 40, 2); At<CLineObject>(e)->m_dAngle = 37; return e; }},
      {"rectangle", [&] { return AddShape(TYPE_RECTANGLE, 30, 12); }},
      {"circle", [&] { return AddShape(TYPE_CIRCLE, 20, 14); }},
      {"triangle", [&] { return AddShape(TYPE_TRIANGLE, 20, 16); }},
      {"rhombus", [&] { return AddShape(TYPE_RHOMBIC, 20, 16); }},
      {"polygon", [&] { return AddShape(TYPE_POLYGON, 20, 20); }},
      // A resize takes a polygon's size below zero: its frame must not ring it from outside.
      {"polygon of a negative size, framed", [&] {
         const int e = AddShape(TYPE_POLYGON, 20, 20);
         At<CPolygonObject>(e)->m_dSize = -4;
         At<CPolygonObject>(e)->m_dEdgeSize = 3;
         return e;
       }},
      {"polygon framed past its radius", [&] {
         const int e = AddShape(TYPE_POLYGON, 4, 4);
         At<CPolygonObject>(e)->m_dEdgeSize = 7;
         return e;
       }},
      {"barcode", [&] { const int e = AddShape(TYPE_BARCODE, 14, 14); At<CBarcodeObject>(e)->m_strText = CString("CULL"); return e; }},
      {"bitmap mirrored", [&] {
         const int e = AddBitmap(MakeImage(40, 30, [](int x, int y) { return (x + y) % 5 < 2; }), 20, 15);
         List().GetObject(e)->m_bMirrorX = TRUE;
         return e;
       }},
      {"text", [&] { return text1("AgjQ", 20, 8); }},
      {"text past its frame", [&] { return text1("WWWWWWWWWWWW", 6, 4); }},
      {"text on several lines", [&] { return text1("Ab\r\nWWWW\r\n\r\ngy", 10, 6); }},
      {"text right and centre aligned", [&] {
         const int e = text1("MMMMMMM", 8, 8);
         Text1(List(), e)->m_nAlign = 1;
         const int f = text1("MMMMMMM", 8, 8);
         Text1(List(), f)->m_nAlign = 2;
         Text1(List(), f)->m_dPosY = -20;
         return e;
       }},
      {"text written down", [&] { const int e = text1("ABCDEF", 6, 10); Text1(List(), e)->m_nWriteDirection = 1; return e; }},
      {"text turned", [&] { const int e = text1("Turned", 24, 8); Text1(List(), e)->m_dAngle = 63; return e; }},
      {"text mirrored", [&] {
         const int e = text1("Mirror", 24, 8);
         List().GetObject(e)->m_bMirrorX = TRUE;
         List().GetObject(e)->m_bMirrorY = TRUE;
         return e;
       }},
      {"text thickened and italic", [&] {
         const int e = text1("Thick", 24, 8);
         Text1(List(), e)->m_dLineWidthX = 1.5;
         Text1(List(), e)->m_dLineWidthY = 1.0;
         Text1(List(), e)->m_bItalic = TRUE;
         return e;
       }},
      {"text with lifted characters", [&] {
         const int e = text1("Lifted", 24, 8);
         Text1(List(), e)->m_vCharRecords = lifted(6);
         return e;
       }},
      {"text with characters squeezed to nothing", [&] {
         const int e = text1("WMWM", 6, 8);
         Text1(List(), e)->m_vCharRecords.assign(4, CTextCharRecord{});
         for (CTextCharRecord& r : Text1(List(), e)->m_vCharRecords) r.dSizeX = -3.99;
         return e;
       }},
      {"text with a negative gap", [&] { const int e = text1("Gap", 24, 8); Text1(List(), e)->m_dCharGap = -3; return e; }},
      // A character height of no logical unit leaves the font at its default cell.
      {"text of no character height", [&] {
         const int e = text1("1g", 20, 0);
         Text1(List(), e)->m_dCharHeight = 0;
         return e;
       }},
      {"text of no character height or width, mirrored", [&] {
         const int e = text1("Wj", 20, 0);
         Text1(List(), e)->m_dCharHeight = 0;
         Text1(List(), e)->m_dCharWidth = 0;
         List().GetObject(e)->m_bMirrorY = TRUE;
         return e;
       }},
      {"arc text of no character height", [&] {
         const int e = text2("FLAT");
         Text2(List(), e)->m_dCharHeight = 0;
         return e;
       }},
      {"japanese text", [&] {
         const int e = AddShape(TYPE_TEXT1, 20, 8);
         Text1(List(), e)->m_dCharWidth = 5;
         Text1(List(), e)->m_dCharHeight = 5;
         Text1(List(), e)->SetText(CString::FromUtf8("日本語の銘板"));
         return e;
       }},
      {"arc text", [&] { return text2("ARC TEXT"); }},
      {"arc text below, mirrored", [&] {
         const int e = text2("LOWER");
         Text2(List(), e)->m_nDirection = 1;
         List().GetObject(e)->m_bMirrorX = TRUE;
         return e;
       }},
      {"arc text lifted and thick", [&] {
         const int e = text2("LIFTS");
         Text2(List(), e)->m_vCharRecords = lifted(5);
         Text2(List(), e)->m_dLineWidthX = 1.0;
         Text2(List(), e)->m_dSpan = 300;
         return e;
       }},
      {"grid of turned texts", [&] {
         const int e = text1("Grid", 14, 6);
         Text1(List(), e)->m_dAngle = 20;
         SetGrid(e, 2, 3, 2, -1);
         return e;
       }},
      {"grid of arc texts", [&] { const int e = text2("RING"); SetGrid(e, 2, 2, 3, 3); return e; }},
      {"grid of turned lines", [&] {
         const int e = AddShape(TYPE_LINE, 20, 1);
         At<CLineObject>(e)->m_dAngle = 100;
         SetGrid(e, 3, 2, 4, 4);
         return e;
       }},
  };
  for (int zoom : {9, 14}) {
    for (const Case& c : cases) {
      const int first = List().GetCount();
      c.make();
      const int last = List().GetCount();
      Repaint(zoom);
      const QImage with = Paint();
      std::vector<RECT> bounds;
      for (int i = first; i < last; ++i) bounds.push_back(BoundOf(i));
      for (int i = first; i < last; ++i) List().GetObject(i)->m_bDeleted = TRUE;
      const QImage without = Paint();
      long drawn = 0, outside = 0;
      for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x) {
          if (with.pixel(x, y) == without.pixel(x, y)) continue;
          ++drawn;
          bool in = false;
          for (const RECT& b : bounds) in = in || (x >= b.left && x < b.right && y >= b.top && y < b.bottom);
          if (!in) ++outside;
        }
      EXPECT_GT(drawn, 0) << c.name << " at zoom " << zoom;
      EXPECT_EQ(outside, 0) << c.name << " at zoom " << zoom;
    }
  }
}

// A text of no character height is drawn at the font's default cell; a strip of one row through
// its glyphs, as the bounds of an object beside it invalidate, repaints what a full paint shows.
TEST_F(PaintCull, ATextOfNoCharacterHeightRepaintsRowByRowAsAFullPaint) {
  struct Case {
    const char* name;
    const char* text;
    double charWidth;
    bool mirrorY;
    int rows, columns;
  };
  const Case cases[] = {{"a width", "1", 4.53, false, 1, 1},
                        {"a width, mirrored, in a grid", "1", 4.53, true, 2, 3},
                        {"a width, two lines", "1g\r\nHj", 4.53, false, 1, 1},
                        {"no width", "1g\r\nHj", 0, false, 1, 1},
                        {"no width, mirrored, in a grid", "1g\r\nHj", 0, true, 2, 3}};
  for (const Case& c : cases) {
    for (int i = 1; i < List().GetCount(); ++i) List().GetObject(i)->m_bDeleted = TRUE;
    const int e = AddShape(TYPE_TEXT1, 45.3, 0);
    Text1(List(), e)->SetText(c.text);
    Text1(List(), e)->m_dCharWidth = c.charWidth;
    Text1(List(), e)->m_dCharHeight = 0;
    List().GetObject(e)->m_bMirrorY = c.mirrorY;
    SetGrid(e, c.rows, c.columns, 1, 1);
    for (int zoom : {9, 14}) {
      Repaint(zoom);
      // The rows the text draws in.
      List().GetObject(e)->m_bDeleted = TRUE;
      const QImage without = Paint();
      List().GetObject(e)->m_bDeleted = FALSE;
      const QImage whole = Paint();
      int top = -1, bottom = -1;
      for (int y = 0; y < whole.height(); ++y)
        for (int x = 0; x < whole.width(); ++x)
          if (whole.pixel(x, y) != without.pixel(x, y)) {
            if (top < 0) top = y;
            bottom = y;
            break;
          }
      ASSERT_GE(top, 0) << c.name << " at zoom " << zoom << ": nothing drawn";
      for (int y = std::max(0, top - 2); y <= std::min(whole.height() - 1, bottom + 2); ++y) {
        const RECT strip{0, y, whole.width(), y + 1};
        view->InvalidateRect(&strip, TRUE);
        view->UpdateWindow();
        const QImage part = view->SurfaceImage().convertToFormat(QImage::Format_RGB32);
        long stale = 0;
        for (int x = 0; x < whole.width(); ++x) stale += part.pixel(x, y) != whole.pixel(x, y);
        EXPECT_EQ(stale, 0) << c.name << " at zoom " << zoom << ", row " << y;
      }
    }
  }
}

TEST_F(PaintCull, APaintVisitsTheEntriesItShowsAndLeavesTheRestWithTheirBounds) {
  // 1,600 entries of every kind over the whole page.
  const int kinds[] = {TYPE_LINE, TYPE_RECTANGLE, TYPE_CIRCLE, TYPE_TRIANGLE, TYPE_RHOMBIC,
                       TYPE_POLYGON, TYPE_TEXT1, TYPE_TEXT2, TYPE_BARCODE};
  for (int k = 0; k < 1600; ++k) {
    const double x = -195 + (k % 40) * 10.0, y = -110 + (k / 40) * 5.6;
    const int e = AddShape(kinds[k % 9], 6, 3, x, y);
    if (kinds[k % 9] == TYPE_TEXT1) Text1(List(), e)->SetText(("T" + std::to_string(k)).c_str());
  }
  auto visits = [&] {
    const long long before = view->GetObjectsVisited();
    view->UpdateWindow();
    return view->GetObjectsVisited() - before;
  };
  Repaint(0);
  view->Invalidate(TRUE);
  EXPECT_EQ(visits(), 1600);
  // At 20 times the window shows a few of them: so many are visited, and every other one still
  // has the stored bounds of this zoom.
  Repaint(25);
  view->Invalidate(TRUE);
  const long long shown = visits();
  EXPECT_GT(shown, 0);
  EXPECT_LT(shown, 40);
  EXPECT_EQ(StaleBounds(), "");
  // A scroll step repaints the window: again only what it shows.
  view->ScrollToPosition(POINT{view->GetScrollPos(SB_HORZ) + 300, view->GetScrollPos(SB_VERT)});
  EXPECT_LT(visits(), 40);
  // One object added in a design shown whole paints about it, not the page.
  Repaint(3);
  view->UpdateWindow();
  doc->AddNewObject(TYPE_RECTANGLE);
  QApplication::processEvents();
  EXPECT_LT(visits(), 100);
  EXPECT_EQ(CompareWithFullRepaint().count, 0);
}

TEST_F(PaintCull, RepaintsEqualAFullRepaintAfterScrollsZoomsAndEdits) {
  std::mt19937 rng(45);
  auto uniform = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
  const int kinds[] = {TYPE_LINE, TYPE_RECTANGLE, TYPE_CIRCLE, TYPE_TRIANGLE, TYPE_RHOMBIC,
                       TYPE_POLYGON, TYPE_TEXT1, TYPE_TEXT2, TYPE_BARCODE};
  for (int k = 0; k < 300; ++k) {
    const int kind = kinds[k % 9];
    const int e = AddShape(kind, uniform(2, 30), uniform(1, 20), uniform(-200, 200), uniform(-115, 115));
    if (kind == TYPE_TEXT1) {
      Text1(List(), e)->SetText(("Plate " + std::to_string(k)).c_str());
      Text1(List(), e)->m_dAngle = k % 4 ? 0 : uniform(-180, 180);
      Text1(List(), e)->m_dLineWidthX = k % 5 ? 0 : 0.5;
    }
    if (kind == TYPE_LINE) At<CLineObject>(e)->m_dAngle = uniform(0, 180);
    if (k % 17 == 0) SetGrid(e, 2, 3, 1, 2);
  }
  Repaint(9);
  for (int step = 0; step < 60; ++step) {
    std::string what;
    switch (rng() % 6) {
      case 0: {
        const int x = static_cast<int>(rng() % (view->GetScrollLimit(SB_HORZ) + 1));
        const int y = static_cast<int>(rng() % (view->GetScrollLimit(SB_VERT) + 1));
        view->ScrollToPosition(POINT{x, y});
        what = "scroll";
        break;
      }
      case 1:
        doc->SetZoom(static_cast<int>(rng() % 26));
        what = "zoom";
        break;
      case 2:
        doc->AddNewObject(kinds[rng() % 9]);
        what = "add";
        break;
      case 3:
        doc->SetCurrentObject(1 + static_cast<int>(rng() % (List().GetCount() - 1)), TRUE, TRUE);
        doc->NudgeSelection(static_cast<int>(rng() % 4));
        what = "nudge";
        break;
      case 4:
        doc->SetCurrentObject(1 + static_cast<int>(rng() % (List().GetCount() - 1)), TRUE, TRUE);
        doc->DeleteSelection();
        what = "delete";
        break;
      default: {
        // A part of the window repainted on its own.
        const int x = static_cast<int>(rng() % 800), y = static_cast<int>(rng() % 600);
        const RECT r{x, y, x + 1 + static_cast<int>(rng() % 200), y + 1 + static_cast<int>(rng() % 200)};
        view->InvalidateRect(&r, TRUE);
        what = "part";
        break;
      }
    }
    const StalePixels stale = CompareWithFullRepaint();
    ASSERT_EQ(stale.count, 0) << "step " << step << " (" << what << "):" << stale.first;
    ASSERT_EQ(StaleBounds(), "") << "step " << step << " (" << what << ")";
  }
}

// A paint keeps each entry's bound for the next one, and must find out by itself that an entry
// changed: the model's entries are written in place (pages, counters, tests) without a word to
// the canvas. Each case changes one entry so that it draws where its kept bound cannot see, and
// repaints only the part of its new bound that lies outside the old one.
TEST_F(PaintCull, KeptBoundsFollowEntriesChangedInPlace) {
  struct Case {
    const char* name;
    int kind;
    std::function<void(int)> change;
  };
  auto wide = [&](int e) {
    Text1(List(), e)->m_dWidth = 50;
    Text1(List(), e)->m_dCharWidth = 4;
    Text1(List(), e)->SetText("ABCDEFGHIJKL");
  };
  const Case cases[] = {
      {"text moved", TYPE_TEXT1, [&](int e) { List().GetObject(e)->m_dPosX += 30; }},
      {"text's record lifted in place", TYPE_TEXT1, [&](int e) { Text1(List(), e)->m_vCharRecords[0].dOffsetY = 14; }},
      {"text's record moved in place", TYPE_TEXT1, [&](int e) { Text1(List(), e)->m_vCharRecords[1].dOffsetX = 20; }},
      {"text turned", TYPE_TEXT1, [&](int e) { wide(e); Text1(List(), e)->m_dAngle = 90; }},
      {"text on more lines", TYPE_TEXT1, [&](int e) { Text1(List(), e)->SetText("AB\r\nCD\r\nEF\r\nGH"); }},
      {"arc text's record moved in place", TYPE_TEXT2, [&](int e) { Text2(List(), e)->m_vCharRecords[2].dOffsetX = 16; }},
      {"arc text's record lifted in place", TYPE_TEXT2, [&](int e) { Text2(List(), e)->m_vCharRecords[1].dOffsetY = 16; }},
      {"rectangle widened", TYPE_RECTANGLE, [&](int e) { At<CRectangleObject>(e)->m_dWidth = 30; }},
      {"line lengthened", TYPE_LINE, [&](int e) { At<CLineObject>(e)->m_dWidth = 30; }},
      {"copies added", TYPE_CIRCLE, [&](int e) { SetGrid(e, 1, 3, 0, 4); }},
      {"code moved", TYPE_BARCODE, [&](int e) { List().GetObject(e)->m_dPosY -= 25; }},
  };
  // A crowd around the entries that change, each of which stands alone at the left.
  for (int k = 0; k < 120; ++k)
    AddShape(k % 2 ? TYPE_TEXT1 : TYPE_CIRCLE, 5, 3, 20 + (k % 12) * 7.0, -40 + (k / 12) * 8.0);
  std::vector<int> changed;
  for (size_t c = 0; c < std::size(cases); ++c)
    changed.push_back(AddShape(cases[c].kind, 8, 4, -90, 60 - static_cast<double>(c) * 11));
  // Turned, the wide text first stands on its own line; the arc texts get characters to see.
  for (size_t c = 0; c < std::size(cases); ++c)
    if (std::string(cases[c].name) == "text turned") wide(changed[c]);
  for (int e : changed)
    if (List().GetObject(e)->m_nType == TYPE_TEXT2) {
      Text2(List(), e)->m_dCharWidth = Text2(List(), e)->m_dCharHeight = 3;
      Text2(List(), e)->m_dRadiusX = Text2(List(), e)->m_dRadiusY = 5;
    }
  Repaint(9);
  RECT client;
  view->GetClientRect(&client);
  for (size_t c = 0; c < std::size(cases); ++c) {
    const int e = changed[c];
    // A full paint, then a paint of one corner: every entry elsewhere is left out and its
    // bound kept.
    view->Invalidate(TRUE);
    view->UpdateWindow();
    const RECT corner{0, 0, 3, 3};
    view->InvalidateRect(&corner, TRUE);
    view->UpdateWindow();
    ASSERT_GT(view->GetCullBounds().Count(), 100u) << cases[c].name;
    const RECT before = BoundOf(e);
    const QImage old = view->SurfaceImage().copy();
    cases[c].change(e);
    const RECT after = BoundOf(e);
    // The new bound less the old one, in up to four strips, within the window.
    std::vector<RECT> parts;
    const bool apart = after.right <= before.left || before.right <= after.left || after.bottom <= before.top ||
                       before.bottom <= after.top;
    if (apart) {
      parts.push_back(after);
    } else {
      const int top = std::max(after.top, before.top), bottom = std::min(after.bottom, before.bottom);
      parts = {{after.left, after.top, after.right, before.top},
               {after.left, before.bottom, after.right, after.bottom},
               {after.left, top, before.left, bottom},
               {before.right, top, after.right, bottom}};
    }
    for (RECT& r : parts) {
      r = RECT{std::max(r.left, client.left), std::max(r.top, client.top), std::min(r.right, client.right),
               std::min(r.bottom, client.bottom)};
      // One at a time: the clip box of them all would hold the old bound too.
      if (r.left < r.right && r.top < r.bottom) view->InvalidateRect(&r, TRUE);
      view->UpdateWindow();
    }
    const QImage shown = view->SurfaceImage().copy();
    // The parts equal the same parts of a full repaint (elsewhere the old place is still shown).
    view->Invalidate(TRUE);
    view->UpdateWindow();
    const QImage& full = view->SurfaceImage();
    long stale = 0, fresh = 0;
    for (const RECT& r : parts)
      for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
          stale += shown.pixel(x, y) != full.pixel(x, y);
          fresh += full.pixel(x, y) != old.pixel(x, y);
        }
    EXPECT_EQ(stale, 0) << cases[c].name;
    // The case draws something new there, or it proves nothing.
    EXPECT_GT(fresh, 0) << cases[c].name;
  }
}

TEST_F(PaintCull, APasteRepaintsAboutThePastedObjectsOnly) {
  // 1,600 entries over the whole page, shown whole; a few of them pasted at their side, one of
  // them selected before, then again with the multi-selection's tracker standing elsewhere.
  const int kinds[] = {TYPE_LINE, TYPE_RECTANGLE, TYPE_CIRCLE, TYPE_TEXT1, TYPE_TEXT2, TYPE_BARCODE};
  for (int k = 0; k < 1600; ++k) {
    const double x = -195 + (k % 40) * 10.0, y = -110 + (k / 40) * 5.6;
    const int e = AddShape(kinds[k % 6], 6, 3, x, y);
    if (kinds[k % 6] == TYPE_TEXT1) Text1(List(), e)->SetText(("P" + std::to_string(k)).c_str());
  }
  Repaint(3);
  auto visits = [&] {
    const long long before = view->GetObjectsVisited();
    QApplication::processEvents();
    view->UpdateWindow();
    return view->GetObjectsVisited() - before;
  };
  doc->SetCurrentObject(700, TRUE, TRUE);
  visits();
  for (const std::vector<int>& indices : {std::vector<int>{701, 702, 741}, std::vector<int>{4, 5, 1599}}) {
    ObjectClipboardBlock block;
    block.indices = indices;
    doc->PasteObjects(block, 1);
    const long long n = visits();
    EXPECT_GT(n, 0);
    // The second block spans the page, so its paint may visit most of it.
    if (indices.front() == 701) {
      EXPECT_LT(n, 200);
    }
    EXPECT_EQ(view->GetTrackObject(), -1);
    const StalePixels stale = CompareWithFullRepaint();
    EXPECT_EQ(stale.count, 0) << stale.first;
  }
}

TEST_F(PaintCull, TheBoundsKeptForDeletedEntriesAreGivenBack) {
  // A block of 3,000 entries, pasted as it were, left out by a paint and then deleted: what
  // the paint kept for them goes with them, while the entries stay in the list.
  const int first = List().GetCount();
  for (int k = 0; k < 3000; ++k) {
    const int e = AddShape(k % 2 ? TYPE_TEXT1 : TYPE_RECTANGLE, 2, 1, -190 + (k % 60) * 6.0, -100 + (k / 60) * 4.0);
    if (k % 2) Text1(List(), e)->SetText(("D" + std::to_string(k)).c_str());
  }
  AddShape(TYPE_CIRCLE, 4, 4, 100, 100);
  Repaint(3);
  const RECT corner{0, 0, 2, 2};
  view->InvalidateRect(&corner, TRUE);
  view->UpdateWindow();
  const CCullBounds& kept = view->GetCullBounds();
  EXPECT_GE(kept.Count(), 3000u);
  const size_t whole = kept.Bytes();
  for (int i = first; i < first + 3000; ++i) List().GetObject(i)->m_bDeleted = TRUE;
  view->InvalidateRect(&corner, TRUE);
  view->UpdateWindow();
  EXPECT_LE(kept.Count(), 1u);
  EXPECT_LT(kept.Bytes(), whole / 2);
  EXPECT_EQ(List().GetCount(), first + 3001);
}

}  // namespace

namespace {

// The paint draws the shapes on the entries themselves: it may leave their bounds and figures
// but nothing that is saved, and a part repainted still equals a full repaint.
TEST_F(PaintCull, ShapesDrawnLeaveWhatIsSavedAsItWas) {
  const int kinds[] = {TYPE_LINE, TYPE_RECTANGLE, TYPE_CIRCLE, TYPE_TRIANGLE, TYPE_RHOMBIC, TYPE_POLYGON};
  std::vector<int> shapes;
  for (int k = 0; k < 48; ++k) {
    const int e = AddShape(kinds[k % 6], 7, 4, -60 + (k % 8) * 15.0, -30 + (k / 8) * 10.0);
    if (k % 5 == 0) SetGrid(e, 2, 2, 1, 1);
    shapes.push_back(e);
  }
  At<CRectangleObject>(shapes[1])->m_nEdgeStyle = 1;
  At<CRectangleObject>(shapes[1])->m_dEdgeRadius = 2;
  At<CRectangleObject>(shapes[7])->m_nEdgeStyle = 2;
  At<CRectangleObject>(shapes[7])->m_dEdgeSize = 0.5;
  List().GetObject(shapes[2])->m_nOutputMode = 0;
  Repaint(9);
  const std::vector<BYTE> saved = CMrkBinaryFile::Serialize(List());
  RECT client;
  view->GetClientRect(&client);
  const RECT part{client.left, client.top, (client.left + client.right) / 2, client.bottom};
  const long long before = view->GetObjectsVisited();
  view->InvalidateRect(&part, TRUE);
  view->UpdateWindow();
  EXPECT_GT(view->GetObjectsVisited() - before, 0);
  EXPECT_EQ(CMrkBinaryFile::Serialize(List()), saved);
  EXPECT_EQ(StaleBounds(), "");
  EXPECT_EQ(CompareWithFullRepaint().count, 0);
}

// An edge style changed while its rectangle lies beyond the window: the paints that leave it out
// still give it the corner styles its drawing would, so that its hit tests and a save agree with
// its edge style as when every object was drawn.
TEST_F(PaintCull, RectanglesLeftOutTakeTheCornerStylesOfTheirEdgeStyle) {
  const int shown = AddShape(TYPE_RECTANGLE, 7, 4, 0, 0);
  const int beyond = AddShape(TYPE_RECTANGLE, 7, 4, 150, 80);
  Repaint(25);
  // At 20 times the window shows the first at most: the second is left out of every paint.
  const long long before = view->GetObjectsVisited();
  view->Invalidate(TRUE);
  view->UpdateWindow();
  ASSERT_LT(view->GetObjectsVisited() - before, 2);
  for (const int e : {shown, beyond}) {
    auto* r = At<CRectangleObject>(e);
    r->m_nEdgeStyle = 1;
    r->m_dEdgeSize = 0.5;
    r->m_dEdgeRadius = 2;
  }
  Repaint(25);
  for (const int e : {shown, beyond}) {
    EXPECT_EQ(At<CRectangleObject>(e)->m_nOuterCornerStyle, 1) << e;
    EXPECT_EQ(At<CRectangleObject>(e)->m_nInnerCornerStyle, 1) << e;
  }
  At<CRectangleObject>(beyond)->m_nEdgeStyle = 2;
  At<CRectangleObject>(beyond)->m_dEdgeSize = 3;
  Repaint(25);
  EXPECT_EQ(At<CRectangleObject>(beyond)->m_nOuterCornerStyle, 2);
  EXPECT_EQ(At<CRectangleObject>(beyond)->m_nInnerCornerStyle, 0);
  EXPECT_EQ(CompareWithFullRepaint().count, 0);
}

// Gaps more negative than the copies are wide and high turn a grid over: its first copy stands
// right of and below its last (or the copies stack). An edit repaints where the measure says the
// object is, before and after, and that must hold every copy.
TEST_F(PaintCull, AnEditOfAGridTurnedOverByItsGapsRepaintsEveryCopy) {
  const int text = AddShape(TYPE_TEXT1, 2, 8, -20, 10);
  Text1(List(), text)->m_dCharWidth = 0;  // the font's own width, past the copy's box
  Text1(List(), text)->m_dCharHeight = 8;
  Text1(List(), text)->SetText("0");
  SetGrid(text, 2, 3, -12, -6);
  const int box = AddShape(TYPE_RECTANGLE, 6, 4, -30, -20);
  SetGrid(box, 3, 2, -9, -8);
  const int image = AddBitmap(MakeImage(16, 12, [](int x, int y) { return (x * y) % 3 == 0; }), 8, 6, 10, -25);
  SetGrid(image, 3, 1, -6.5, 0);
  for (int zoom : {9, 13}) {
    Repaint(zoom);
    Paint();
    for (const int e : {text, box, image}) {
      for (int step = 0; step < 2; ++step) {
        SCOPED_TRACE("zoom " + std::to_string(zoom) + ", entry " + std::to_string(e) + ", move " +
                     std::to_string(step));
        view->InvalidateObject(e);
        List().GetObject(e)->m_dPosX += 9;
        List().GetObject(e)->m_dPosY -= 5;
        view->InvalidateObject(e);
        const StalePixels stale = CompareWithFullRepaint();
        EXPECT_EQ(stale.count, 0) << "within " << stale.x << "," << stale.y << " " << stale.width << "x"
                                  << stale.height << ", first at" << stale.first;
      }
    }
  }
}

}  // namespace
