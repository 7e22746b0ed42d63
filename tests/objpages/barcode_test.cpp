// Barcode objects on the design: the QR Code of every copy in the engraving raster, read back by
// an independent decoder; mirrors, layers that are not engraved, outline jobs of both engines
// through the machine simulator, hit tests and the symbol cache.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "canvas/leftview.h"
#include "machine_simulator.h"
#include "model/drawingobject.h"
#include "model/drawobject.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "model/textobject.h"
#include "pages/object_pages.h"
#include "fake_control_host.h"
#include "res/dialog_142.h"
#include "output/engrave_engine.h"
#include "output/thread_engrave_engine.h"
#include "platform/gdi/gdi.h"
#include "scripted_prompter.h"
#include "temp_dir.h"
#include "outside_tool.h"

namespace {

// The ink of a part of a bitmap: true = black.
struct Ink {
  int x0 = 0, y0 = 0, w = 0, h = 0;
  std::vector<unsigned char> v;
  bool At(int x, int y) const {
    x -= x0, y -= y0;
    return x >= 0 && y >= 0 && x < w && y < h && v[static_cast<size_t>(y) * w + x];
  }
  long Count() const {
    long n = 0;
    for (unsigned char c : v) n += c;
    return n;
  }
};

class DesignOutput : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(doc.OnNewDocument());
    portPath = dir.File("lpt1.out");
    setenv("DRAVENTIS_LPT1", portPath.c_str(), 1);
    view = std::make_unique<CLeftView>(&doc);
    S().DrawingData.HOME = 0;
    S().DrawingField.FieldX = 100;
    S().DrawingField.FieldY = 100;
    S().DrawingArea.Width = 80;
    S().DrawingArea.Height = 60;
    S().DrawingArea.Span = 0.05;
    auto* area = dynamic_cast<CDrawingObject*>(doc.GetObjectList()->GetObject(0));
    ASSERT_TRUE(area && area->m_pSetting);
    area->m_pSetting->m_Layers[0].nSpeed = 8;
  }
  void TearDown() override {
    view.reset();
    unsetenv("DRAVENTIS_LPT1");
  }
  CKorvaneSettings& S() { return doc.m_Settings; }

  CBarcodeObject* AddBarcode(const CString& text, double size, int rows = 1, int columns = 1) {
    CBarcodeObject* b = doc.GetObjectList()->AddBarcode(nullptr, TRUE, TRUE);
    b->m_strText = text;
    b->m_dSizeX = b->m_dSizeY = size;
    b->m_dPosX = b->m_dPosY = 0;
    b->m_nRows = rows;
    b->m_nColumns = columns;
    b->m_dRowGap = b->m_dColumnGap = 1.0;
    b->m_nLevel = 1;
    b->m_nVersion = -1;
    return b;
  }

  // The engraving raster about the page centre, half mm on each side.
  Ink Raster(int dpm, double half) {
    S().DrawingArea.DPM = dpm;
    CDC dc;
    int size[2] = {0, 0};
    CDoubleRect bounds;
    int oldZoom = -1;
    view->GetBitmapDC(&dc, size, &bounds, &oldZoom);
    const CBitmap& bitmap = *dc.GetCurrentBitmap();
    Ink ink;
    const int r = static_cast<int>(half * dpm);
    ink.x0 = size[0] / 2 - r, ink.y0 = size[1] / 2 - r, ink.w = ink.h = 2 * r;
    ink.v.assign(static_cast<size_t>(ink.w) * ink.h, 0);
    for (int y = 0; y < ink.h; ++y)
      for (int x = 0; x < ink.w; ++x)
        ink.v[static_cast<size_t>(y) * ink.w + x] = bitmap.PixelColour(ink.x0 + x, ink.y0 + y) == 0;
    CLeftView::ReleaseBitmapDC(&dc);
    view->RestoreZoom(&doc, oldZoom);
    view->SetRenderMode(RENDER_SCREEN);
    return ink;
  }

  // zbarimg's texts of a picture (one per symbol found); absent decoder: skip.
  std::vector<std::string> Decode(const Ink& ink) {
    QImage image(ink.w + 80, ink.h + 80, QImage::Format_Grayscale8);
    image.fill(255);
    for (int y = 0; y < ink.h; ++y)
      for (int x = 0; x < ink.w; ++x)
        if (ink.v[static_cast<size_t>(y) * ink.w + x]) image.setPixel(x + 40, y + 40, qRgb(0, 0, 0));
    const std::string png = dir.File("raster.png"), out = dir.File("zbar.txt");
    EXPECT_TRUE(image.save(QString::fromStdString(png)));
    const std::string command = "zbarimg --quiet --raw -Sdisable -Sqrcode.enable '" + png + "' > '" + out + "' 2>/dev/null";
    EXPECT_GE(std::system(command.c_str()), 0);
    std::ifstream in(out);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  static bool HaveDecoder() { return std::system("command -v zbarimg >/dev/null 2>&1") == 0; }

  // The stream of a job whose normal engine gives `result` (1: done).
  std::string Job(bool threaded, int result = 1) {
    S().DrawingArea.OutStyleIndex = 0;
    int zoom = -1;
    if (threaded) {
      CThreadEngraveEngine engine;
      EXPECT_EQ(engine.Attach(&doc, view.get(), nullptr), 1);
      EXPECT_EQ(engine.Start(&zoom), 1);
      engine.WaitForWorker();
    } else {
      CEngraveEngine engine;
      EXPECT_EQ(engine.Attach(&doc, view.get()), 1);
      EXPECT_EQ(engine.Start(&zoom), result);
    }
    view->RestoreZoom(&doc, zoom);
    view->SetRenderMode(RENDER_SCREEN);
    std::string bytes = TempDir::Read(portPath);
    std::remove(portPath.c_str());
    return bytes;
  }

  TempDir dir;
  ScriptedPrompter prompter;
  CKorvaneDoc doc;
  std::unique_ptr<CLeftView> view;
  std::string portPath;
};

const char* kKanjiUtf8 = "品質検査 QR-2026";

TEST_F(DesignOutput, EveryCopyOfTheRasterDecodesToTheText) {
  REQUIRE_OUTSIDE_TOOL(HaveDecoder(), "zbarimg (zbar-tools)");
  AddBarcode(CString::FromUtf8(kKanjiUtf8), 20, 2, 2);
  const Ink ink = Raster(20, 22);
  ASSERT_GT(ink.Count(), 0);
  const std::vector<std::string> texts = Decode(ink);
  ASSERT_EQ(texts.size(), 4u);
  for (const std::string& t : texts) EXPECT_EQ(t, kKanjiUtf8);
}

TEST_F(DesignOutput, TheSymbolIsTheCentredSquareOfEachCopyAndMirrorsAsABitmap) {
  // A copy 30 wide and 20 high: the symbol takes 20 x 20 in its middle.
  CBarcodeObject* b = AddBarcode(CString("MIRROR 12345"), 20);
  b->m_dSizeX = 30;
  const Ink plain = Raster(20, 16);
  int x0 = plain.w, x1 = -1, y0 = plain.h, y1 = -1;
  for (int y = 0; y < plain.h; ++y)
    for (int x = 0; x < plain.w; ++x)
      if (plain.v[static_cast<size_t>(y) * plain.w + x]) x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
  ASSERT_GE(x1, 0);
  // The dark modules lie inside the square less its quiet zone, centred on the copy.
  EXPECT_NEAR((x0 + x1) / 2.0, plain.w / 2.0, 2.0);
  EXPECT_NEAR((y0 + y1) / 2.0, plain.h / 2.0, 2.0);
  // Version 1: 21 modules of the 29 (quiet zone included) across the 400 dots of 20 mm.
  EXPECT_NEAR(x1 - x0 + 1, 400.0 * 21 / 29, 3.0);
  EXPECT_NEAR(y1 - y0 + 1, 400.0 * 21 / 29, 3.0);

  b->m_bMirrorX = 1;
  const Ink mirrored = Raster(20, 16);
  long differ = 0;
  for (int y = 0; y < plain.h; ++y)
    for (int x = 0; x < plain.w; ++x)
      differ += plain.At(plain.x0 + x, plain.y0 + y) != mirrored.At(mirrored.x0 + plain.w - 1 - x, mirrored.y0 + y);
  EXPECT_LT(differ, plain.Count() / 50) << "mirror X is the left-right flip of the symbol";

  // A layer that is not engraved leaves the raster empty.
  b->m_bMirrorX = 0;
  doc.GetObjectList()->SetObjectLayer(1, 2);
  doc.m_bLayerEngrave[2] = 0;
  EXPECT_EQ(Raster(20, 16).Count(), 0);
}

TEST_F(DesignOutput, OutlineJobsOfBothEnginesAgreeAndMarkTheModuleEdges) {
  AddBarcode(CString("EDGE"), 12);
  // The design at one dot per machine unit, page coordinates (y up).
  const Ink design = Raster(40, 10);
  const std::string stream = Job(false);
  ASSERT_FALSE(stream.empty());
  EXPECT_EQ(Job(true), stream);

  // Field 100 mm: page (0, 0) is machine (2000, 2000).
  CMachineSimulator sim(1500, 1500, 1000, 1000);
  ASSERT_TRUE(sim.Run(stream)) << sim.Error();
  EXPECT_EQ(sim.OutsideCount(), 0);
  ASSERT_GT(sim.MarkCount(), 0);
  long far = 0, marks = 0;
  const int cx = design.x0 + design.w / 2, cy = design.y0 + design.h / 2;
  for (int my = sim.Bottom(); my < sim.Bottom() + sim.Height(); ++my)
    for (int mx = sim.Left(); mx < sim.Left() + sim.Width(); ++mx) {
      if (!sim.IsMarked(mx, my)) continue;
      ++marks;
      // Machine (mx, my) is raster dot (cx + x, cy - 1 - y) with x, y from the page centre.
      const int px = cx + (mx - 2000), py = cy - 1 - (my - 2000);
      bool edge = false;
      for (int dy = -2; dy <= 2 && !edge; ++dy)
        for (int dx = -2; dx <= 2 && !edge; ++dx)
          edge = design.At(px + dx, py + dy) != design.At(px + dx + 1, py + dy) ||
                 design.At(px + dx, py + dy) != design.At(px + dx, py + dy + 1);
      far += !edge;
    }
  // The tracer cuts a corner here and there by a unit or two; nothing strays further.
  EXPECT_LE(far, marks / 500) << "of " << marks << " marks";
  // And the edges of the dark modules are marked all round.
  long edges = 0, missed = 0;
  for (int y = 1; y < design.h - 1; ++y)
    for (int x = 1; x < design.w - 1; ++x) {
      const int px = design.x0 + x, py = design.y0 + y;
      if (!design.At(px, py) || (design.At(px - 1, py) && design.At(px + 1, py) && design.At(px, py - 1) && design.At(px, py + 1)))
        continue;
      ++edges;
      const int mx = px - cx + 2000, my = cy - 1 - py + 2000;
      bool hit = false;
      for (int dy = -2; dy <= 2 && !hit; ++dy)
        for (int dx = -2; dx <= 2 && !hit; ++dx) hit = sim.IsMarked(mx + dx, my + dy);
      missed += !hit;
    }
  ASSERT_GT(edges, 0);
  EXPECT_LE(missed, edges / 100) << "of " << edges << " edge dots";
}

TEST_F(DesignOutput, AnEmptyTextDrawsAndSendsNothing) {
  AddBarcode(CString(""), 12);
  EXPECT_EQ(Raster(20, 10).Count(), 0);
  EXPECT_EQ(view->SetOutlineData(1), 0);
  view->ReleaseOutlinePoints();
  // A job with nothing to mark says so and sends nothing.
  prompter.ExpectMessage(IDOK, CString::FromUtf8("何も彫刻されません").c_str());
  EXPECT_EQ(Job(false, CEngraveEngine::START_NOTHING_TO_SEND), "");
  prompter.VerifyAllUsed();
}

TEST_F(DesignOutput, TheGridIsMeasuredAndHitAndARepaintDoesNotEncodeAgain) {
  CBarcodeObject* b = AddBarcode(CString("HIT"), 10, 1, 2);
  CDoubleRect r;
  ASSERT_TRUE(view->CalcObject(b, r));
  EXPECT_DOUBLE_EQ(r.left, -10.5);
  EXPECT_DOUBLE_EQ(r.right, 10.5);
  EXPECT_DOUBLE_EQ(r.top, 5);

  Raster(20, 12);
  const int encoded = view->GetBarcodeEncodeCount();
  EXPECT_EQ(encoded, 1);
  Raster(20, 12);
  EXPECT_EQ(view->GetBarcodeEncodeCount(), encoded);
  b->m_strText = CString("HIT 2");
  Raster(20, 12);
  EXPECT_EQ(view->GetBarcodeEncodeCount(), encoded + 1);
}

// The arc-text character page writes the record of the character the row shows: an offset
// typed for C of "AB" CR LF "C" moves C's glyph; the record after it (where a mapping past the
// line break would write) moves nothing.
class PageFormOf : public IPageFormHost {
 public:
  explicit PageFormOf(CKorvaneDoc* doc) : m_doc(doc) {}
  CKorvaneDoc* GetPageDocument() override { return m_doc; }
  int GetRememberedPage(int) override { return 0; }
  void SetRememberedPage(int, int) override {}

 private:
  CKorvaneDoc* m_doc;
};

TEST_F(DesignOutput, AnOffsetTypedForACharacterOfAnArcTextMovesItsGlyph) {
  CText2Object* t = doc.GetObjectList()->AddText2(nullptr, TRUE, TRUE);
  t->SetText(CString("AB\r\nC"));
  t->m_dPosX = t->m_dPosY = 0;
  t->m_dRadiusX = t->m_dRadiusY = 12;
  t->m_dCharWidth = t->m_dCharHeight = 5;
  t->m_nRows = t->m_nColumns = 1;
  t->m_nOutputMode = 2;
  doc.SetCurrentObject(1, TRUE, TRUE);
  const Ink before = Raster(20, 20);
  ASSERT_GT(before.Count(), 0);

  PageFormOf form(&doc);
  CPageHelper::SetFormHost(&form);
  CPageText2Char page;
  CFakeControlHost host(*page.GetTemplate());
  page.AttachHost(&host);
  page.Activate();
  // Record 3 is CR LF's second byte's: no glyph reads it.
  doc.SetPropertyDouble(dlg142::IDC_OFFSET_X, 4.0, 3);
  EXPECT_EQ(Raster(20, 20).v, before.v);
  doc.SetPropertyDouble(dlg142::IDC_OFFSET_X, 0.0, 3);
  host.ChooseRow(dlg142::IDC_CHAR_LIST, 2);
  host.Paste(dlg142::IDC_OFFSET_X, "4");
  const Ink moved = Raster(20, 20);
  EXPECT_NE(moved.v, before.v);
  EXPECT_NEAR(moved.Count(), before.Count(), before.Count() / 5);
  page.AttachHost(nullptr);
  CPageHelper::SetFormHost(nullptr);
}

}  // namespace
