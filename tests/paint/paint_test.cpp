// The paint editor over a real canvas view and document: layout and grid, tools by mouse, undo,
// selection and clipboard, filters, and the document's paint mode with a recording frame.
#include <gtest/gtest.h>

#include <algorithm>

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QMouseEvent>
#include <QWidget>
#include <cstdlib>
#include <deque>
#include <memory>
#include <random>
#include <string>

#include "canvas/leftview.h"
#include "imaging/dib_image.h"
#include "imaging/monobmp.h"
#include "imaging/monoimagetool.h"
#include "imaging/paint_editor.h"
#include "imaging/paint_selection_clipboard.h"
#include "fake_control_host.h"
#include "pages/page_image_edit.h"
#include "pages/thicken_dialog.h"
#include "res/dialog_195.h"
#include "res/dialog_196.h"
#include "model/bmpobject.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "scripted_prompter.h"
#include "temp_dir.h"
#include "outside_tool.h"

namespace {

// A 1-bit block with ink where fn(x, y) (y down) holds.
template <class Fn>
std::vector<BYTE> MakeImage(int width, int height, Fn fn, COLORREF ink = RGB(0, 0, 0)) {
  std::vector<BYTE> block = MonoBmpFile::Create(width, height, ink);
  const int stride = static_cast<int>(MonoBmpFile::Stride(width));
  for (int y = 0; y < height; ++y) {
    BYTE* row = block.data() + MonoBmpFile::kHeaderSize + static_cast<size_t>(height - 1 - y) * stride;
    for (int x = 0; x < width; ++x)
      if (fn(x, y)) row[x / 8] &= static_cast<BYTE>(~(0x80 >> (x % 8)));
  }
  return block;
}

// Ink (0 bit with a black entry 0) of a block at (x, y), y down.
bool InkAt(const std::vector<BYTE>& block, int x, int y) {
  const int w = MonoBmpFile::Width(block.data()), h = MonoBmpFile::Height(block.data());
  const int stride = static_cast<int>(MonoBmpFile::Stride(w));
  const BYTE* row = block.data() + MonoBmpFile::kHeaderSize + static_cast<size_t>(h - 1 - y) * stride;
  const bool zero = ((row[x >> 3] >> (7 - (x & 7))) & 1) == 0;
  // Palette entry 0 white: a 0 bit shows white.
  const BYTE* pal = block.data() + 54;
  const bool whiteFirst = pal[0] == 0xFF && pal[1] == 0xFF && pal[2] == 0xFF;
  return whiteFirst ? !zero : zero;
}

int CountInk(const std::vector<BYTE>& block) {
  const int w = MonoBmpFile::Width(block.data()), h = MonoBmpFile::Height(block.data());
  int n = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) n += InkAt(block, x, y) ? 1 : 0;
  return n;
}

struct RecordingFrame : IDocMainFrame {
  void UpdateZoomPane(int index) override { zoomPane = index; }
  void ShowSealModeBars(int mode) override { sealBars = mode; }
  void ShowCursorPosPixels(int x, int y) override { pane = "x=" + std::to_string(x) + "  y=" + std::to_string(y); }
  void ClearMessagePane() override { pane.clear(); }
  void ShowEditBars(int flag) override { editBars = flag; }
  void ShowMenuBar(int flag) override { menuBar = flag; }
  void ToggleImageSelectionButton(int flag) override { imageButton = flag, ++imageToggles; }
  void SetFrameTimer(UINT id, UINT ms) override { timers.push_back({id, ms}); }
  int zoomPane = -1, sealBars = -1, editBars = -1, menuBar = -1, imageButton = -1, imageToggles = 0;
  std::string pane;
  std::vector<std::pair<UINT, UINT>> timers;
};

struct RecordingForm : CView, IDocFormView {
  void OnUpdate(CView*, LPARAM hint, CObject*) override { hints.push_back(static_cast<int>(hint)); }
  void SetModeCaption(const CString&) override {}
  void ForwardToImageEditPage(int code) override { forwarded.push_back(code); }
  int QueryImageEditPage(int& x, int& y, int& same) override {
    x = qx, y = qy, same = qsame;
    return qresult;
  }
  std::vector<int> hints, forwarded;
  int qx = 0, qy = 0, qsame = 0, qresult = 0;
};

class PaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_bModified = 0;
    doc = std::make_unique<CKorvaneDoc>();
    ASSERT_TRUE(doc->OnNewDocument());
    doc->SetMainFrame(&frame);
    view = std::make_unique<CLeftView>(doc.get());
    doc->AddView(&form);
    view->resize(820, 620);
    view->show();
    QApplication::processEvents();
  }
  void TearDown() override {
    if (doc->m_bPaintMode) doc->EndPaintMode();
    doc->RemoveView(&form);
    view.reset();
    doc.reset();
    g_bModified = 0;
  }
  // A bitmap object of the image, made current.
  CBmpObject* AddCurrentBitmap(std::vector<BYTE> image) {
    CBmpObject* p = doc->GetObjectList()->AddBmpFromImage(std::move(image));
    doc->m_pCurrentObject = p;
    doc->m_nCurrentKind = TYPE_BMP;
    doc->m_nCurrentIndex = doc->GetObjectList()->GetCount() - 1;
    doc->m_nSelectCount = 1;
    return p;
  }
  CPaintEditor& Editor() { return *view->GetPaintEditor(); }
  QWidget* Port() { return view->viewport(); }
  // Client point of an image pixel's centre at the editor's zoom.
  QPoint At(int x, int y) {
    const CSize m = Editor().GetMargin();
    const double z = Editor().GetZoom() / 10.0;
    return QPoint(static_cast<int>(m.cx + (x + 0.5) * z) - view->GetScrollPos(SB_HORZ),
                  static_cast<int>(m.cy + (y + 0.5) * z) - view->GetScrollPos(SB_VERT));
  }
  // Begins paint mode on a w x h image at 400 % with the scroll at the image's corner.
  void BeginAt400(std::vector<BYTE> image) {
    AddCurrentBitmap(std::move(image));
    ASSERT_EQ(doc->BeginPaintMode(), 1);
    doc->SetPaintZoom(40);
    view->ScrollToPosition(POINT{80, 80});
    QApplication::processEvents();
  }
  const std::vector<BYTE>& Current() { return Editor().GetCurrentSnapshot()->m_Image; }
  void Send(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(p), Port()->mapToGlobal(QPointF(p)), button, held, Qt::NoModifier);
    QApplication::sendEvent(Port(), &e);
  }
  void Press(Qt::MouseButton b, QPoint p) { Send(QEvent::MouseButtonPress, p, b, b); }
  void Release(Qt::MouseButton b, QPoint p) { Send(QEvent::MouseButtonRelease, p, b, Qt::NoButton); }
  void Move(QPoint p, Qt::MouseButtons held = Qt::NoButton) { Send(QEvent::MouseMove, p, Qt::NoButton, held); }
  void Click(Qt::MouseButton b, QPoint p) {
    Press(b, p);
    Release(b, p);
  }
  void Drag(Qt::MouseButton button, QPoint from, QPoint to) {
    Press(button, from);
    Move((from + to) / 2, button);
    Move(to, button);
    Release(button, to);
  }

  TempDir dir;
  ScriptedPrompter prompter;
  RecordingFrame frame;
  RecordingForm form;
  std::unique_ptr<CKorvaneDoc> doc;
  std::unique_ptr<CLeftView> view;
};

std::vector<BYTE> White(int w, int h) {
  return MakeImage(w, h, [](int, int) { return false; });
}

// ---- wrapper --------------------------------------------------------------------------------

TEST(DibImage, AttachTwiceKeepsHandlesAndPadsOddWidths) {
  CDibImage dib;
  EXPECT_FALSE(dib.Attach(nullptr));
  EXPECT_TRUE(dib.IsEmpty());
  CBitmap a, b;
  ASSERT_TRUE(a.CreateBitmap(37, 5, 1, 1, nullptr));
  ASSERT_TRUE(b.CreateBitmap(8, 3, 1, 1, nullptr));
  ASSERT_TRUE(dib.Attach(&a));
  EXPECT_EQ(dib.m_nWidth, 37);
  EXPECT_EQ(dib.m_nHeight, 5);
  // 37 pixels pack into 8 bytes a row (a multiple of 4).
  EXPECT_EQ(MonoBmpFile::Stride(37), 8u);
  ASSERT_TRUE(dib.Attach(&b));
  EXPECT_EQ(dib.m_nWidth, 8);
  EXPECT_TRUE(a.IsCreated());
  EXPECT_TRUE(b.IsCreated());
  EXPECT_EQ(dib.m_pBits, dib.m_pImage + MonoBmpFile::kHeaderSize);
}

// ---- layout ---------------------------------------------------------------------------------

TEST_F(PaintTest, FitZoomCanvasWidthRightEdgeAndTinyPanes) {
  view->resize(410 + (view->width() - Port()->width()), 210 + (view->height() - Port()->height()));
  QApplication::processEvents();
  AddCurrentBitmap(White(100, 50));
  ASSERT_EQ(doc->BeginPaintMode(), 1);
  ASSERT_EQ(Port()->width(), 410);
  EXPECT_DOUBLE_EQ(doc->SetPaintZoom(0), 40.0);
  EXPECT_EQ(Editor().GetShownSize().cx, 400);
  EXPECT_EQ(Editor().GetShownSize().cy, 200);
  EXPECT_EQ(Editor().GetMargin().cx, 5);
  EXPECT_EQ(Editor().GetMargin().cy, 5);
  // The right edge of the shown image maps to the width.
  PaintPoint pt;
  ASSERT_TRUE(Editor().ViewToImage(405, 100, pt));
  EXPECT_EQ(pt.x, 100);
  EXPECT_EQ(frame.pane, "x=100  y=23");
  EXPECT_FALSE(Editor().ViewToImage(2, 2, pt));
  EXPECT_EQ(pt.x, -1);
  EXPECT_TRUE(frame.pane.empty());
  doc->EndPaintMode();

  // At 100 % a 300-pixel image in an 800-pixel pane: the canvas is the pane + one margin.
  view->resize(800 + (view->width() - Port()->width()), 600 + (view->height() - Port()->height()));
  QApplication::processEvents();
  AddCurrentBitmap(White(300, 40));
  ASSERT_EQ(doc->BeginPaintMode(), 1);
  CRect client;
  view->GetClientRect(&client);
  ASSERT_GT(client.Width(), 500);
  EXPECT_EQ(Editor().GetCanvasSize().cx, client.Width() + 100);

  // Panes of no room still give a positive zoom.
  for (int side : {0, 8}) {
    view->resize(side + (view->width() - Port()->width()), side + (view->height() - Port()->height()));
    QApplication::processEvents();
    const double z = doc->SetPaintZoom(0);
    EXPECT_GT(z, 0.0) << side;
    EXPECT_GT(Editor().GetZoom(), 0.0);
    ASSERT_FALSE(Editor().ViewToImage(1, 1, pt) && pt.x < 0);
  }
}

TEST_F(PaintTest, GridBytesAtEachZoomAndNoneBelowOrAtOddFits) {
  AddCurrentBitmap(White(16, 8));
  ASSERT_EQ(doc->BeginPaintMode(), 1);
  doc->SetPaintGrid(1);
  struct Case {
    int zoom;
    std::vector<BYTE> marker;
  };
  for (const Case& c : {Case{40, {0x77}}, Case{60, {0x7D, 0xF7, 0xDF}}, Case{80, {0x7F}}}) {
    doc->SetPaintZoom(c.zoom);
    ASSERT_TRUE(Editor().IsGridShown()) << c.zoom;
    const auto& bits = Editor().GridBits();
    const int stride = Editor().GridStride();
    EXPECT_EQ(bits[0], 0x55);
    EXPECT_EQ(bits[static_cast<size_t>(stride)], 0xFF);
    for (size_t i = 0; i < c.marker.size(); ++i) EXPECT_EQ(bits[2u * stride + i], c.marker[i]) << c.zoom;
    // Every cell starts with a dotted row.
    EXPECT_EQ(bits[static_cast<size_t>(c.zoom / 10) * stride], 0x55);
  }
  doc->SetPaintZoom(20);
  EXPECT_FALSE(Editor().IsGridShown());
  // A fit that is not a whole 40, 60 or 80.
  view->resize(16 * 4 + 10 - 1 + (view->width() - Port()->width()), 400 + (view->height() - Port()->height()));
  QApplication::processEvents();
  const double z = doc->SetPaintZoom(0);
  EXPECT_LT(z, 40.0);
  EXPECT_GE(z, 39.0);
  EXPECT_FALSE(Editor().IsGridShown());
}

TEST_F(PaintTest, ScrollWiderThanTheClientRepaintsEverything) {
  BeginAt400(MakeImage(600, 200, [](int x, int) { return x % 2 == 0; }));
  view->UpdateWindow();
  view->ScrollToPosition(POINT{80 + 1000, 80});
  view->UpdateWindow();
  const QImage& s = view->SurfaceImage();
  // Both ends of the client show the stripes (none left white by a partial band).
  int blackLeft = 0, blackRight = 0;
  for (int x = 0; x < 40; ++x) blackLeft += (s.pixel(x, 100) & 0xFFFFFF) == 0 ? 1 : 0;
  for (int x = s.width() - 40; x < s.width(); ++x) blackRight += (s.pixel(x, 100) & 0xFFFFFF) == 0 ? 1 : 0;
  EXPECT_GT(blackLeft, 10);
  EXPECT_GT(blackRight, 10);
}

// ---- tools ----------------------------------------------------------------------------------

TEST_F(PaintTest, PenClickAndDragMakeOneSnapshotEachAndEraserRightPaintsBlack) {
  BeginAt400(White(60, 40));
  doc->SetPaintTool(0);
  Click(Qt::LeftButton, At(5, 5));
  EXPECT_EQ(Editor().GetSnapshotCount(), 2);
  Drag(Qt::LeftButton, At(10, 10), At(20, 10));
  EXPECT_EQ(Editor().GetSnapshotCount(), 3);
  EXPECT_TRUE(InkAt(Current(), 15, 10));
  // Eraser: left white over the ink, right black.
  doc->SetPaintTool(2);
  doc->SetPaintSize(3);
  Drag(Qt::LeftButton, At(14, 10), At(16, 10));
  EXPECT_FALSE(InkAt(Current(), 15, 10));
  Drag(Qt::RightButton, At(30, 30), At(34, 30));
  EXPECT_TRUE(InkAt(Current(), 32, 30));
}

TEST_F(PaintTest, SquareTipSizesAndShapes) {
  BeginAt400(White(60, 60));
  doc->SetPaintTool(4);
  doc->SetPaintShape(0);
  doc->SetPaintSize(3);
  Drag(Qt::LeftButton, At(10, 10), At(20, 10));
  // Swept squares of half-size 1: (x - 1, y - 1) to (x + 1, y + 1), right and bottom open.
  EXPECT_TRUE(InkAt(Current(), 15, 9));
  EXPECT_TRUE(InkAt(Current(), 15, 10));
  EXPECT_FALSE(InkAt(Current(), 15, 11));
  EXPECT_FALSE(InkAt(Current(), 15, 8));
  // A line of length 0 and a circle of radius 0 still end in a snapshot.
  doc->SetPaintTool(8);
  int before = Editor().GetSnapshotCount();
  Click(Qt::LeftButton, At(40, 40));
  EXPECT_EQ(Editor().GetSnapshotCount(), before + 1);
  doc->SetPaintTool(10);
  before = Editor().GetSnapshotCount();
  Click(Qt::LeftButton, At(45, 45));
  EXPECT_EQ(Editor().GetSnapshotCount(), before + 1);
  // A filled rectangle.
  doc->SetPaintTool(14);
  doc->SetPaintSize(1);
  doc->SetPaintFillMode(1);
  Drag(Qt::LeftButton, At(30, 2), At(40, 8));
  EXPECT_TRUE(InkAt(Current(), 35, 5));
}

TEST_F(PaintTest, PolygonRightStartedClosesWithLeftAndFillsOrOutlines) {
  BeginAt400(White(60, 60));
  doc->SetPaintTool(16);
  doc->SetPaintFillMode(1);
  const int before = Editor().GetSnapshotCount();
  Click(Qt::RightButton, At(10, 10));
  Move(At(11, 11));
  Click(Qt::RightButton, At(30, 10));
  Move(At(29, 11));
  EXPECT_EQ(Editor().GetSnapshotCount(), before);
  Click(Qt::LeftButton, At(30, 30));
  EXPECT_EQ(Editor().GetSnapshotCount(), before + 1);
  // Right-button polygons paint white: fill the area black first to see it.
  doc->PaintInvert();
  EXPECT_TRUE(InkAt(Current(), 50, 50));
  // Unfilled: the closed outline (first vertex repeated), the inside untouched.
  doc->SetPaintFillMode(0);
  Move(At(5, 39));  // the closing click's stroke ends here
  Click(Qt::RightButton, At(5, 40));
  Move(At(6, 41));
  Click(Qt::RightButton, At(25, 40));
  Move(At(24, 41));
  Click(Qt::LeftButton, At(25, 58));
  EXPECT_FALSE(InkAt(Current(), 5, 40));  // white outline on the black image
  EXPECT_FALSE(InkAt(Current(), 15, 49));  // the closing edge back to the first vertex
  EXPECT_TRUE(InkAt(Current(), 20, 45));
}

TEST_F(PaintTest, FloodFillFillsBoundedWhiteAndNothingOnBlack) {
  // A black frame round (10..20, 10..20).
  BeginAt400(MakeImage(40, 40, [](int x, int y) {
    return (x == 10 || x == 20) && y >= 10 && y <= 20 ? true : (y == 10 || y == 20) && x >= 10 && x <= 20;
  }));
  doc->SetPaintTool(6);
  const int before = Editor().GetSnapshotCount();
  Click(Qt::LeftButton, At(15, 15));
  EXPECT_EQ(Editor().GetSnapshotCount(), before + 1);
  EXPECT_TRUE(InkAt(Current(), 15, 15));
  EXPECT_FALSE(InkAt(Current(), 5, 5));
  Click(Qt::LeftButton, At(10, 10));
  EXPECT_EQ(Editor().GetSnapshotCount(), before + 1);
}

TEST_F(PaintTest, DragOutAndBackContinuesAndReleaseOutsideGivesOneSnapshot) {
  BeginAt400(White(60, 40));
  doc->SetPaintTool(0);
  const int before = Editor().GetSnapshotCount();
  Press(Qt::LeftButton, At(5, 5));
  Move(At(10, 5), Qt::LeftButton);
  Move(QPoint(2, 2), Qt::LeftButton);  // outside the image, in the margin
  Move(At(20, 5), Qt::LeftButton);
  Release(Qt::LeftButton, QPoint(2, 2));
  EXPECT_EQ(Editor().GetSnapshotCount(), before + 1);
  EXPECT_TRUE(InkAt(Current(), 15, 5));
}

TEST_F(PaintTest, WhitePaletteImageKeepsItsSenseThroughWriteBack) {
  std::vector<BYTE> image = MakeImage(32, 16, [](int x, int) { return x < 8; });
  // Entry 0 white, entry 1 black, bits inverted: the same picture.
  BYTE* pal = image.data() + 54;
  for (int i = 0; i < 3; ++i) std::swap(pal[i], pal[4 + i]);
  for (size_t i = MonoBmpFile::kHeaderSize; i < image.size(); ++i) image[i] = static_cast<BYTE>(~image[i]);
  CBmpObject* object = AddCurrentBitmap(image);
  ASSERT_TRUE(InkAt(object->m_Image, 2, 2));
  ASSERT_EQ(doc->BeginPaintMode(), 1);
  doc->SetPaintTool(0);
  Drag(Qt::LeftButton, At(20, 8), At(22, 8));
  doc->EndPaintMode();
  EXPECT_TRUE(InkAt(object->m_Image, 2, 2));
  EXPECT_FALSE(InkAt(object->m_Image, 12, 2));
  EXPECT_TRUE(InkAt(object->m_Image, 20, 8));
  EXPECT_EQ(g_bModified, 1);
}

// ---- undo -----------------------------------------------------------------------------------

TEST_F(PaintTest, TenSnapshotsAtMostAndUndoneOnesDropAtTheNextChange) {
  BeginAt400(White(40, 40));
  for (int i = 0; i < 9; ++i) doc->PaintInvert();
  EXPECT_EQ(Editor().GetSnapshotCount(), 10);
  for (int i = 0; i < 9; ++i) doc->PaintUndoRedo(0);
  EXPECT_EQ(CountInk(Current()), 0);
  EXPECT_FALSE(doc->CanPaintUndoRedo(0));
  // Undo at the end repaints nothing.
  view->UpdateWindow();
  doc->PaintUndoRedo(0);
  EXPECT_FALSE(view->Surface().HasPending());
  for (int i = 0; i < 9; ++i) doc->PaintUndoRedo(1);
  doc->PaintInvert();  // the tenth change drops the picture the edit began with
  EXPECT_EQ(Editor().GetSnapshotCount(), 10);
  for (int i = 0; i < 12; ++i) doc->PaintUndoRedo(0);
  EXPECT_EQ(CountInk(Current()), 40 * 40);

  for (int i = 0; i < 9; ++i) doc->PaintUndoRedo(1);
  doc->PaintUndoRedo(0);
  doc->PaintUndoRedo(0);
  doc->PaintInvert();
  EXPECT_FALSE(doc->CanPaintUndoRedo(1));
  EXPECT_EQ(Editor().GetSnapshotCount(), 9);
}

// ---- selection and clipboard ----------------------------------------------------------------

TEST_F(PaintTest, CutFillsWhiteCopyKeepsAndBothDropTheSelection) {
  BeginAt400(MakeImage(40, 40, [](int, int) { return true; }));
  Drag(Qt::LeftButton, At(5, 5), At(15, 15));
  ASSERT_FALSE(Editor().GetSelection().IsRectEmpty());
  CBitmap* copy = doc->PaintCopyCut(1);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(CountInk(Current()), 1600);
  EXPECT_TRUE(Editor().GetSelection().IsRectEmpty());
  EXPECT_EQ(doc->PaintCopyCut(1), nullptr);
  delete copy;
  Drag(Qt::LeftButton, At(5, 5), At(15, 15));
  const CRect sel = Editor().GetSelection();
  CBitmap* cut = doc->PaintCopyCut(0);
  ASSERT_NE(cut, nullptr);
  EXPECT_EQ(CountInk(Current()), 1600 - sel.Width() * sel.Height());
  EXPECT_FALSE(InkAt(Current(), 8, 8));
  delete cut;
}

TEST_F(PaintTest, ContextMenusOfferTheirCommands) {
  BeginAt400(White(40, 40));
  Drag(Qt::LeftButton, At(5, 5), At(15, 15));
  prompter.ExpectMenu(0);
  Click(Qt::RightButton, At(8, 8));
  std::vector<MenuTemplate> menus{prompter.LastMenu()};
  prompter.ExpectMenu(0);
  Move(At(29, 29));
  Click(Qt::RightButton, At(30, 30));
  menus.push_back(prompter.LastMenu());
  auto ids = [](const MenuTemplate& m) {
    std::vector<UINT> v;
    for (const MenuTemplate& i : m.items) {
      if (i.IsPopup())
        for (const MenuTemplate& j : i.items) v.push_back(j.id);
      else if (i.id) v.push_back(i.id);
    }
    return v;
  };
  EXPECT_EQ(ids(menus[0]), (std::vector<UINT>{32907, 32908, 32909, 32910, 32911}));
  const std::vector<UINT> outside = ids(menus[1]);
  ASSERT_GE(outside.size(), 3u);
  EXPECT_EQ(outside[0], 32909u);
  EXPECT_EQ(outside[1], 32912u);
  EXPECT_EQ(outside[2], 32913u);
  EXPECT_EQ(outside.size(), 13u);
}

TEST_F(PaintTest, PasteFloatsWithoutCoveringInkMergesOnPressOutsideAndUndoDrops) {
  BeginAt400(MakeImage(40, 40, [](int x, int) { return x == 12; }));
  CBitmap picture;
  ASSERT_TRUE(picture.CreateBitmap(8, 8, 1, 1, nullptr));  // all black
  for (int y = 0; y < 8; ++y) picture.Row(y)[0] = 0x0F;     // left half black, right half white
  Editor().m_ptContext = CPoint(Editor().GetMargin().cx + 8 * 4, Editor().GetMargin().cy + 8 * 4);
  doc->PaintInvert();
  doc->PaintInvert();
  ASSERT_TRUE(doc->PaintPaste(&picture));
  EXPECT_EQ(form.forwarded.back(), 18);
  EXPECT_EQ(Editor().m_nTool, 20);
  EXPECT_EQ(doc->SetPaintTool(18), 20);
  // Undo drops the floating picture unmerged.
  const int snapshots = Editor().GetSnapshotCount();
  doc->PaintUndoRedo(0);
  EXPECT_EQ(Editor().m_nTool, 18);
  EXPECT_EQ(Editor().GetSnapshotCount(), snapshots);
  doc->PaintUndoRedo(1);
  ASSERT_TRUE(doc->PaintPaste(&picture));
  // A press outside merges it; the image's line under the white half stays.
  const int before = Editor().GetSnapshotCount();
  Click(Qt::LeftButton, At(30, 30));
  EXPECT_EQ(Editor().GetSnapshotCount(), before + 1);
  EXPECT_EQ(Editor().m_nTool, 18);
  EXPECT_TRUE(InkAt(Current(), 9, 9));
  EXPECT_TRUE(InkAt(Current(), 12, 9));
  EXPECT_FALSE(InkAt(Current(), 14, 9));
}

TEST_F(PaintTest, EndingRightAfterAPasteKeepsIt) {
  CBmpObject* object = AddCurrentBitmap(White(40, 40));
  ASSERT_EQ(doc->BeginPaintMode(), 1);
  CBitmap picture;
  ASSERT_TRUE(picture.CreateBitmap(4, 4, 1, 1, nullptr));
  Editor().m_ptContext = CPoint(Editor().GetMargin().cx + 2, Editor().GetMargin().cy + 2);
  ASSERT_TRUE(doc->PaintPaste(&picture));
  doc->EndPaintMode();
  EXPECT_TRUE(InkAt(object->m_Image, 3, 3));
}

TEST_F(PaintTest, ClipboardRoundTripAndColourThreshold) {
  QClipboard* cb = QGuiApplication::clipboard();
  QImage colour(4, 2, QImage::Format_ARGB32);
  colour.fill(QColor(200, 200, 200));
  colour.setPixelColor(0, 0, QColor(20, 40, 30));
  colour.setPixelColor(1, 0, QColor(0, 0, 0, 0));  // transparent: white
  std::unique_ptr<CBitmap> bitmap(BitmapFromClipboardImage(colour));
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->PixelColour(0, 0), 0u);
  EXPECT_EQ(bitmap->PixelColour(1, 0), 0xFFFFFFu);
  EXPECT_EQ(bitmap->PixelColour(2, 1), 0xFFFFFFu);
  cb->setImage(ClipboardImageFromBitmap(*bitmap));
  std::unique_ptr<CBitmap> back(BitmapFromClipboardImage(cb->image()));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->PixelColour(0, 0), 0u);
  EXPECT_EQ(back->PixelColour(3, 1), 0xFFFFFFu);
}

// ---- filters --------------------------------------------------------------------------------

TEST_F(PaintTest, FiltersOnSelectionOrWholeImageAndSavedBytes) {
  BeginAt400(MakeImage(40, 40, [](int x, int y) { return x == 20 && y == 20; }));
  doc->PaintThicken(10, 10, 1);
  EXPECT_TRUE(InkAt(Current(), 15, 20));
  EXPECT_TRUE(InkAt(Current(), 25, 20));
  EXPECT_TRUE(InkAt(Current(), 20, 15));
  doc->PaintUndoRedo(0);
  doc->PaintThicken(6, 0, 0);
  EXPECT_TRUE(InkAt(Current(), 17, 20));
  EXPECT_FALSE(InkAt(Current(), 20, 19));
  doc->PaintUndoRedo(0);
  // A 5 x 5 block keeps its 16 border pixels.
  doc->PaintFill(0);
  doc->PaintUndoRedo(0);
  Drag(Qt::LeftButton, At(2, 2), At(7, 7));
  doc->PaintFill(0);
  EXPECT_EQ(CountInk(Current()), 25 + 1);
  doc->PaintOutline();
  EXPECT_EQ(CountInk(Current()), 16 + 1);
  // Without a selection the whole image.
  Editor().DropSelection();
  doc->PaintInvert();
  EXPECT_EQ(CountInk(Current()), 1600 - 17);
  const CString path(dir.File("saved.bmp").c_str());
  prompter.ExpectFile(path);
  doc->SavePaintImage();
  QFile f(path.ToQString());
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray bytes = f.readAll();
  std::vector<BYTE> saved(bytes.begin(), bytes.end());
  ASSERT_GE(saved.size(), 62u);
  EXPECT_EQ(saved[0], 'B');
  EXPECT_EQ(saved[28], 1);
  EXPECT_EQ(CountInk(saved), 1600 - 17);
}

// ---- document -------------------------------------------------------------------------------

TEST_F(PaintTest, PaintModeEntersAndLeavesInOrder) {
  doc->StartPaintTimer();
  doc->StartPaintEndTimer();
  ASSERT_EQ(frame.timers.size(), 2u);
  EXPECT_EQ(frame.timers[0], (std::pair<UINT, UINT>{3, 100}));
  EXPECT_EQ(frame.timers[1], (std::pair<UINT, UINT>{4, 100}));
  // A line selected: nothing.
  CDrawObject* line = doc->GetObjectList()->AddLine(nullptr, TRUE, TRUE);
  doc->m_pCurrentObject = line;
  doc->m_nCurrentKind = TYPE_LINE;
  EXPECT_EQ(doc->BeginPaintMode(), 0);
  EXPECT_EQ(frame.menuBar, -1);
  // An empty picture: refused with the bars shown again.
  CBmpObject* empty = doc->GetObjectList()->AddBmpFromImage(White(8, 8));
  empty->m_Image.clear();
  empty->UpdateImagePointers();
  doc->m_pCurrentObject = empty;
  doc->m_nCurrentKind = TYPE_BMP;
  EXPECT_EQ(doc->BeginPaintMode(), 0);
  EXPECT_EQ(doc->m_bPaintMode, 0);
  EXPECT_EQ(frame.menuBar, 1);
  EXPECT_EQ(frame.editBars, 1);

  doc->SetZoom(3);
  AddCurrentBitmap(White(30, 30));
  form.hints.clear();
  ASSERT_EQ(doc->BeginPaintMode(), 1);
  EXPECT_EQ(doc->BeginPaintMode(), 0);
  EXPECT_EQ(frame.menuBar, 0);
  EXPECT_EQ(frame.editBars, 0);
  EXPECT_EQ(doc->m_Settings.System.ZoomStep, ZOOM_STEP_DEFAULT);
  EXPECT_EQ(frame.zoomPane, ZOOM_STEP_DEFAULT);
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_IMAGE);
  EXPECT_EQ(form.hints, (std::vector<int>{TYPE_IMAGE}));
  EXPECT_EQ(doc->SetPaintZoom(40), 40.0);
  EXPECT_EQ(doc->SetPaintZoom(40), 0.0);
  // The page's scroll sizes do not replace the editor's.
  const SIZE canvas = view->GetTotalDeviceSize();
  doc->UpdateAllViews(nullptr, HINT_ZOOM_CHANGED, nullptr);
  EXPECT_EQ(view->GetTotalDeviceSize().cx, canvas.cx);
  form.hints.clear();
  g_bModified = 0;
  doc->EndPaintMode();
  EXPECT_EQ(doc->m_bPaintMode, 0);
  EXPECT_EQ(doc->m_Settings.System.ZoomStep, 3);
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_BMP);
  ASSERT_FALSE(form.hints.empty());
  // The form selects the line of the hint's index: the image's.
  EXPECT_EQ(form.hints[form.hints.size() - 1], doc->m_nCurrentIndex);
  EXPECT_EQ(doc->m_nLastAction, HINT_SELECTION_CHANGED);
  EXPECT_EQ(frame.menuBar, 1);
  EXPECT_EQ(frame.editBars, 1);
  EXPECT_EQ(g_bModified, 1);
  EXPECT_EQ(view->GetMapMode(), MM_HIMETRIC);
}

// An object added while the picture is edited stays current afterwards, with its own kind: the
// pages then write to it as what it is, not as the bitmap that was edited.
TEST_F(PaintTest, AnObjectAddedDuringPaintModeKeepsItsKindAfterTheEnd) {
  CBmpObject* bmp = AddCurrentBitmap(White(30, 30));
  ASSERT_EQ(doc->BeginPaintMode(), 1);
  ASSERT_EQ(doc->AddNewObject(TYPE_BARCODE), TYPE_BARCODE);
  CDrawObject* code = doc->m_pCurrentObject;
  doc->EndPaintMode();
  EXPECT_EQ(doc->m_pCurrentObject, code);
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_BARCODE);
  EXPECT_EQ(doc->SetDoubleProperty(1435, 12.0), 1);  // the code's X
  EXPECT_DOUBLE_EQ(code->m_dPosX, 12.0);
  EXPECT_NE(bmp->m_dRowGap, 12.0);

  // Nothing made current meanwhile: the bitmap's pages come back.
  AddCurrentBitmap(White(20, 20));
  ASSERT_EQ(doc->BeginPaintMode(), 1);
  doc->EndPaintMode();
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_BMP);
}

TEST_F(PaintTest, ImagesFromTheDesignAndTheReleasedButton) {
  CDrawObject* rect = doc->GetObjectList()->AddRectangle(nullptr, TRUE, TRUE);
  (void)rect;
  const int before = doc->GetObjectList()->GetCount();
  g_bModified = 0;
  doc->ScanAreaToImage();
  EXPECT_EQ(g_bModified, 1);
  EXPECT_EQ(doc->GetObjectList()->GetCount(), before + 1);
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_BMP);
  frame.imageToggles = 0;
  doc->SelectionToImage(nullptr);
  EXPECT_EQ(frame.imageToggles, 1);
  EXPECT_EQ(doc->GetObjectList()->GetCount(), before + 1);
}

// ---- page and thicken dialog ----------------------------------------------------------------

struct PageHost : IPageFormHost {
  explicit PageHost(CKorvaneDoc* d) : doc(d) {}
  CKorvaneDoc* GetPageDocument() override { return doc; }
  int GetRememberedPage(int) override { return 0; }
  void SetRememberedPage(int, int) override {}
  CKorvaneDoc* doc;
};

class PageTest : public PaintTest {
 protected:
  void SetUp() override {
    PaintTest::SetUp();
    host = std::make_unique<PageHost>(doc.get());
    CPageHelper::SetFormHost(host.get());
    BeginAt400(White(40, 40));
    page = std::make_unique<CPageImageEdit>();
    controls = std::make_unique<CFakeControlHost>(g_Dialog195);
    page->AttachHost(controls.get());
    page->Activate();
  }
  void TearDown() override {
    page.reset();
    CPageHelper::SetFormHost(nullptr);
    PaintTest::TearDown();
  }
  std::unique_ptr<PageHost> host;
  std::unique_ptr<CPageImageEdit> page;
  std::unique_ptr<CFakeControlHost> controls;
};

TEST_F(PageTest, StartsWithRangeSelectAndOnlyTheImageGroup) {
  using namespace dlg195;
  EXPECT_EQ(controls->GetCheck(IDC_TOOL_SELECT), 1);
  EXPECT_EQ(controls->GetCheck(IDC_TOOL_PEN), 0);
  EXPECT_FALSE(controls->IsWindowEnabled(IDC_SIZE));
  EXPECT_FALSE(controls->IsWindowEnabled(IDC_SHAPE));
  EXPECT_FALSE(controls->IsWindowEnabled(IDC_FILL));
  EXPECT_TRUE(controls->IsWindowEnabled(IDC_INVERT));
  EXPECT_TRUE(controls->IsWindowEnabled(IDC_UNDO));
  EXPECT_EQ(page->IconOf(IDC_TOOL_CIRCLE), 213);
  // The bitmap has no seal part: no mask button.
  EXPECT_FALSE(controls->IsWindowVisible(IDC_MASK_DRAW));
}

TEST_F(PageTest, ToolButtonsSetGroupsAndSendTheirValues) {
  using namespace dlg195;
  controls->ChooseRow(IDC_SHAPE, 1);
  controls->Click(IDC_TOOL_BRUSH);
  EXPECT_EQ(Editor().m_nTool, 4);
  EXPECT_EQ(Editor().m_nPenShape, 1);
  EXPECT_EQ(controls->GetCheck(IDC_TOOL_BRUSH), 1);
  EXPECT_EQ(controls->GetCheck(IDC_TOOL_SELECT), 0);
  EXPECT_TRUE(controls->IsWindowEnabled(IDC_SIZE));
  EXPECT_TRUE(controls->IsWindowEnabled(IDC_SHAPE));
  EXPECT_FALSE(controls->IsWindowEnabled(IDC_FILL));
  EXPECT_FALSE(controls->IsWindowEnabled(IDC_INVERT));
  controls->Click(IDC_TOOL_FILL);
  EXPECT_EQ(Editor().m_nTool, 6);
  for (int id : {IDC_SIZE, IDC_SHAPE, IDC_FILL, IDC_INVERT}) EXPECT_FALSE(controls->IsWindowEnabled(id)) << id;
  controls->Click(IDC_TOOL_CIRCLE);
  controls->Click(IDC_FILL);
  EXPECT_EQ(Editor().m_bFill, 1);
  EXPECT_EQ(page->IconOf(IDC_TOOL_CIRCLE), 216);
  EXPECT_EQ(page->IconOf(IDC_TOOL_ELLIPSE), 218);
  EXPECT_EQ(page->IconOf(IDC_TOOL_RECTANGLE), 220);
  EXPECT_EQ(page->IconOf(IDC_TOOL_POLYGON), 222);
  // A typed size beyond the spin's range sends its top.
  controls->Paste(IDC_SIZE, "200");
  EXPECT_EQ(Editor().m_nPenSize, 100);
  // The main window's tool command: as a click.
  page->SelectTool(0);
  EXPECT_EQ(controls->GetCheck(IDC_TOOL_PEN), 1);
  EXPECT_EQ(Editor().m_nTool, 0);
}

TEST_F(PageTest, ThickenDialogAmountsReachTheImage) {
  using namespace dlg196;
  Editor().DropSelection();
  // XY 5, released: the box shows 10 and OK thickens by 10 both ways.
  CThickenImageDialog::SetRunner([](CThickenImageDialog& d) {
    CFakeControlHost h(g_Dialog196);
    d.AttachHost(&h);
    d.OnInitDialog();
    EXPECT_FALSE(h.IsWindowVisible(IDC_SLIDER_X));
    EXPECT_TRUE(h.IsWindowVisible(IDC_SLIDER_XY));
    h.SetSliderPos(IDC_SLIDER_XY, 5);
    NMUPDOWN nm;
    nm.hdr.code = NM_RELEASEDCAPTURE;
    d.OnNotify(IDC_SLIDER_XY, nm);
    EXPECT_EQ(h.GetDlgItemText(IDC_VALUE_XY), CString("10"));
    d.OnCommand(1, BN_CLICKED);
    d.AttachHost(nullptr);
    return d.GetResult();
  });
  int x = 0, y = 0, same = 0;
  ASSERT_EQ(page->GetThickenAmounts(x, y, same), 1);
  EXPECT_EQ(x, 10);
  EXPECT_EQ(same, 1);
  // Cleared box, X 3 and Y 0: 6 across only.
  CThickenImageDialog::SetRunner([](CThickenImageDialog& d) {
    CFakeControlHost h(g_Dialog196);
    d.AttachHost(&h);
    d.OnInitDialog();
    h.Click(IDC_SAME);
    EXPECT_TRUE(h.IsWindowVisible(IDC_SLIDER_X));
    h.SetSliderPos(IDC_SLIDER_X, 3);
    d.OnCommand(1, BN_CLICKED);
    d.AttachHost(nullptr);
    return d.GetResult();
  });
  ASSERT_EQ(page->GetThickenAmounts(x, y, same), 1);
  EXPECT_EQ(x, 6);
  EXPECT_EQ(y, 0);
  EXPECT_EQ(same, 0);
  // OK untouched: 0, 0 and the flag: the image stays.
  CThickenImageDialog::SetRunner([](CThickenImageDialog& d) {
    CFakeControlHost h(g_Dialog196);
    d.AttachHost(&h);
    d.OnInitDialog();
    d.OnCommand(1, BN_CLICKED);
    d.AttachHost(nullptr);
    return d.GetResult();
  });
  const std::vector<BYTE> before = Current();
  controls->Click(dlg195::IDC_TOOL_SELECT);
  controls->Click(dlg195::IDC_THICKEN);
  EXPECT_EQ(Current(), before);
  CThickenImageDialog::SetRunner({});
}

// For a look by eye: 800 % with the grid, a selection and a floating paste; the tool page.
TEST_F(PaintTest, Screenshots) {
  const char* out = nullptr;
  REQUIRE_SCREENSHOT_DIR(out);
  AddCurrentBitmap(MakeImage(60, 40, [](int x, int y) { return (x - 20) * (x - 20) + (y - 20) * (y - 20) < 150; }));
  ASSERT_EQ(doc->BeginPaintMode(), 1);
  doc->SetPaintZoom(80);
  doc->SetPaintGrid(1);
  view->ScrollToPosition(POINT{60, 60});
  Drag(Qt::LeftButton, At(2, 2), At(10, 8));
  CBitmap picture;
  ASSERT_TRUE(picture.CreateBitmap(6, 6, 1, 1, nullptr));
  for (int y = 0; y < 6; ++y) picture.Row(y)[0] = y % 2 ? 0x54 : 0xA8;
  Editor().m_ptContext = CPoint(Editor().GetMargin().cx + 8 * 14, Editor().GetMargin().cy + 8 * 3);
  Editor().DropSelection();
  ASSERT_TRUE(doc->PaintPaste(&picture));
  view->UpdateWindow();
  view->SurfaceImage().save(QString::fromUtf8(out) + "/paint_800_grid_float.png");
  QWidget parent;
  parent.resize(400, 520);
  CPageImageEdit page;
  QWidget* w = page.CreatePageWindow(&parent);
  page.Activate();
  parent.show();
  QApplication::processEvents();
  w->grab().save(QString::fromUtf8(out) + "/paint_page.png");
}

// ---- what is shown --------------------------------------------------------------------------

// The view shows the picture at the zoom with its grid, pixel for pixel, where it was painted in
// parts: while a pen stroke is drawn and after scrolls.
TEST_F(PaintTest, PartialPaintsShowThePictureAndItsGrid) {
  BeginAt400(MakeImage(300, 200, [](int x, int y) { return (x * 7 + y * 3) % 11 == 0; }));
  doc->SetPaintGrid(1);
  ASSERT_TRUE(Editor().IsGridShown());
  view->UpdateWindow();
  doc->SetPaintTool(0);
  doc->SetPaintSize(3);
  auto check = [&](const char* when) {
    // The whole picture with the stroke so far, rendered at image scale.
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(300, 200, 1, 1, nullptr));
    dc.SelectObject(&bitmap);
    Editor().RenderImage(&dc);
    const QImage& surface = view->SurfaceImage();
    const CSize m = Editor().GetMargin();
    const int sx = view->GetScrollPos(SB_HORZ), sy = view->GetScrollPos(SB_VERT);
    int compared = 0, wrong = 0;
    for (int y = 0; y < surface.height(); ++y)
      for (int x = 0; x < surface.width(); ++x) {
        const int X = x + sx - m.cx, Y = y + sy - m.cy;
        if (X < 0 || Y < 0 || X >= 1200 || Y >= 800) continue;
        const int r = Y % 4;
        const bool grid = (r == 0 && X % 2 == 0) || (r == 2 && X % 4 == 0);
        const bool black = grid || bitmap.PixelColour(X / 4, Y / 4) == 0;
        ++compared;
        if (((surface.pixel(x, y) & 0xFFFFFF) == 0) != black && wrong++ == 0)
          ADD_FAILURE() << when << ": client pixel " << x << "," << y;
      }
    EXPECT_GT(compared, 100000) << when;
    EXPECT_EQ(wrong, 0) << when;
  };
  Press(Qt::LeftButton, At(20, 20));
  for (int i = 1; i < 25; ++i) {
    Move(At(20 + i * 3, 20 + (i * i) % 30), Qt::LeftButton);
    view->UpdateWindow();
  }
  check("during the stroke");
  Release(Qt::LeftButton, At(95, 30));
  view->UpdateWindow();
  check("after the stroke");
  view->ScrollToPosition(POINT{80 + 37, 80 + 53});
  view->UpdateWindow();
  check("after a scroll");
}

// A 20,000-pixel picture at 800 % shows its grid (the grid is made for what is shown).
TEST_F(PaintTest, GridOfALargePictureAt800) {
  AddCurrentBitmap(White(20000, 20000));
  ASSERT_EQ(doc->BeginPaintMode(), 1);
  doc->SetPaintGrid(1);
  doc->SetPaintZoom(80);
  EXPECT_TRUE(Editor().IsGridShown());
  view->ScrollToPosition(POINT{100 + 8 * 10000, 100 + 8 * 10000});
  view->UpdateWindow();
  // The dotted first row of a cell: black on every even column of the shown image.
  const QImage& surface = view->SurfaceImage();
  int dots = 0;
  for (int x = 0; x < 16; ++x) dots += (surface.pixel(x, 0) & 0xFFFFFF) == 0 ? 1 : 0;
  EXPECT_EQ(dots, 8);
}

// A picture 30,000,000 pixels long at 800 %: the sizes are those of the picture, not wrapped
// ints, and the far end is reached and painted.
TEST_F(PaintTest, VeryLongPictureAt800) {
  AddCurrentBitmap(MakeImage(30000000, 1, [](int x, int) { return x >= 29999990; }));
  ASSERT_EQ(doc->BeginPaintMode(), 1);
  doc->SetPaintZoom(80);
  EXPECT_EQ(Editor().GetShownSize().cx, 240000000);
  EXPECT_EQ(Editor().GetCanvasSize().cx, 240000200);
  view->ScrollToPosition(POINT{240000200, 0});
  view->UpdateWindow();
  PaintPoint pt;
  const QPoint end = At(29999995, 0);
  ASSERT_TRUE(Editor().ViewToImage(end.x(), end.y(), pt));
  EXPECT_EQ(pt.x, 29999995);
  EXPECT_EQ(view->SurfaceImage().pixel(end) & 0xFFFFFF, 0u);
  // Fitted into the pane, one shown pixel stands for tens of thousands of the picture's.
  EXPECT_GT(doc->SetPaintZoom(0), 0.0);
  view->UpdateWindow();
  EXPECT_LE(Editor().GetShownSize().cx, 820);
}

// ---- clipboard and context menu -------------------------------------------------------------

// Closing the editor takes back its own picture, but not one put on the clipboard since.
TEST(PaintClipboard, ClosingClearsOnlyThePictureThatIsStillItsOwn) {
  QClipboard* cb = QGuiApplication::clipboard();
  QImage mine(6, 4, QImage::Format_RGB32);
  mine.fill(Qt::black);
  {
    CPaintEditor editor;
    cb->setImage(mine);
    editor.NoteOwnClipboard();
  }
  EXPECT_TRUE(cb->image().isNull());
  QImage theirs(3, 3, QImage::Format_RGB32);
  theirs.fill(Qt::white);
  {
    CPaintEditor editor;
    cb->setImage(mine);
    editor.NoteOwnClipboard();
    cb->setImage(theirs);
  }
  EXPECT_EQ(cb->image().size(), QSize(3, 3));
  {
    CPaintEditor editor;
    cb->setImage(mine);
    editor.NoteOwnClipboard();
    cb->setText("LOT-42");
  }
  EXPECT_EQ(cb->text(), QString("LOT-42"));
  cb->clear();
}

// The first press in paint mode is the right button: the menu opens at the press, without the
// current tool's entry, and a paste from it lands under the cursor.
TEST_F(PaintTest, ContextMenuOpensAtThePressAndPasteLandsThere) {
  BeginAt400(White(40, 40));
  prompter.ExpectMenu(0);
  Click(Qt::RightButton, At(30, 20));
  EXPECT_EQ(prompter.LastMenuPos(), Port()->mapToGlobal(At(30, 20)));
  const std::vector<UINT>& enabled = prompter.LastMenuEnabled();
  EXPECT_EQ(std::count(enabled.begin(), enabled.end(), 32922u), 0);  // range select, the current tool
  EXPECT_EQ(std::count(enabled.begin(), enabled.end(), 32914u), 1);
  CBitmap picture;
  ASSERT_TRUE(picture.CreateBitmap(4, 4, 1, 1, nullptr));  // all black
  ASSERT_TRUE(doc->PaintPaste(&picture));
  EXPECT_EQ(Editor().GetSelection().left, 30);
  EXPECT_EQ(Editor().GetSelection().top, 20);
}

TEST_F(PageTest, TypedSizeOutOfRangeShowsTheSizeInUse) {
  using namespace dlg195;
  controls->Click(IDC_TOOL_BRUSH);
  controls->Paste(IDC_SIZE, "200");
  EXPECT_EQ(Editor().m_nPenSize, 100);
  EXPECT_EQ(controls->GetDlgItemText(IDC_SIZE), CString("100"));
  controls->Paste(IDC_SIZE, "0");
  EXPECT_EQ(Editor().m_nPenSize, 1);
  EXPECT_EQ(controls->GetDlgItemText(IDC_SIZE), CString("1"));
  controls->Paste(IDC_SIZE, "42");
  EXPECT_EQ(Editor().m_nPenSize, 42);
  EXPECT_EQ(controls->GetDlgItemText(IDC_SIZE), CString("42"));
}

}  // namespace

namespace {

// A PNG that only claims a size: its header and an empty data chunk, no pixels.
QByteArray PngHeaderOnly(quint32 width, quint32 height, char colourType) {
  auto be32 = [](QByteArray& to, quint32 v) {
    for (int shift = 24; shift >= 0; shift -= 8) to.append(static_cast<char>((v >> shift) & 0xFF));
  };
  auto chunk = [&be32](QByteArray& to, const QByteArray& typeAndData) {
    be32(to, static_cast<quint32>(typeAndData.size() - 4));
    to.append(typeAndData);
    quint32 crc = 0xFFFFFFFFu;
    for (char c : typeAndData) {
      crc ^= static_cast<quint8>(c);
      for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    be32(to, ~crc);
  };
  QByteArray header("IHDR");
  be32(header, width);
  be32(header, height);
  header.append(char(8)).append(colourType).append(char(0)).append(char(0)).append(char(0));
  QByteArray png("\x89PNG\r\n\x1a\n", 8);
  chunk(png, header);
  chunk(png, QByteArray("IDAT"));
  chunk(png, QByteArray("IEND"));
  return png;
}

}  // namespace

// Qt decodes no picture past 128 MB at 32 bits by default; the clipboard's picture is read within
// the program's own bound instead: a 20,000 x 20,000 1-bit picture is pasted, one that would take
// gigabytes to decode is refused with a word.
TEST(PaintClipboard, ALargePictureIsReadWithinTheBoundOrRefusedWithAWord) {
  ScriptedPrompter prompter;
  QByteArray png;
  {
    QImage mono(20000, 20000, QImage::Format_Mono);
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mono.fill(1);
    mono.setPixel(3, 0, 0);
    mono.setPixel(19999, 19999, 0);
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(mono.save(&buffer, "PNG"));
  }
  QMimeData large;
  large.setData(QStringLiteral("image/png"), png);
  ASSERT_TRUE(ClipboardHasPicture(&large));
  std::unique_ptr<CBitmap> bitmap(BitmapFromClipboard(&large));
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->Width(), 20000);
  EXPECT_EQ(bitmap->Height(), 20000);
  EXPECT_EQ(bitmap->PixelColour(3, 0), 0u);
  EXPECT_EQ(bitmap->PixelColour(19999, 19999), 0u);
  EXPECT_EQ(bitmap->PixelColour(4, 0), 0xFFFFFFu);
  EXPECT_EQ(bitmap->PixelColour(19998, 19999), 0xFFFFFFu);
  bitmap.reset();

  QMimeData colour;
  colour.setData(QStringLiteral("image/png"), PngHeaderOnly(20000, 20000, 6));
  prompter.ExpectMessage(IDOK, CString::FromUtf8("(20000 × 20000 ピクセル) は大きすぎるため貼り付けできません").str().c_str());
  EXPECT_EQ(BitmapFromClipboard(&colour), nullptr);
  // Damaged: said too, and nothing without a picture at all.
  QMimeData cut;
  cut.setData(QStringLiteral("image/png"), PngHeaderOnly(40, 40, 6));
  prompter.ExpectMessage(IDOK, CString::FromUtf8("クリップボードの画像を読み込めません").str().c_str());
  EXPECT_EQ(BitmapFromClipboard(&cut), nullptr);
  QMimeData text;
  text.setText(QStringLiteral("LOT-42"));
  EXPECT_FALSE(ClipboardHasPicture(&text));
  EXPECT_EQ(BitmapFromClipboard(&text), nullptr);
  prompter.VerifyAllUsed();
}

// ---- snapshots of the changed part ----------------------------------------------------------

// Switches the editor to snapshots rendered whole, the reference for the part-wise ones.
class CPaintEditorTestAccess {
 public:
  static void RenderWhole(CPaintEditor& e) { e.m_bWholeSnapshots = true; }
  // Whether the next snapshot can be made from the changed part alone.
  static bool TakesParts(const CPaintEditor& e) { return e.m_pCurrent && e.IsPlainSnapshot(*e.m_pCurrent); }
  // The bytes the newest undo step keeps (a whole picture counts whole).
  static size_t NewestStepBytes(const CPaintEditor& e) {
    if (e.m_Steps.empty()) return 0;
    const CPaintEditor::UndoStep& step = e.m_Steps.front();
    size_t n = step.whole ? step.whole->m_Image.size() : 0;
    for (const CPaintEditor::ByteBlock& b : step.blocks) n += b.bytes.size();
    return n;
  }
};

class PaintSnapshotParts : public PaintTest {
 public:
  using PaintTest::At;
  using PaintTest::BeginAt400;
  using PaintTest::Current;
  using PaintTest::doc;
  using PaintTest::Drag;
  using PaintTest::Editor;
  using PaintTest::view;
};

namespace {

// One seeded edit of an operator's on a w x h picture: every stroke tool, both buttons, pens and
// tips of every size up to the edges, shapes filled and not, polygons, flood fills, filters on a
// selection and on the whole picture, a pasted picture merged. With single, every edit makes one
// snapshot: no cut before a paste, no whole-picture invert after a selection's filter.
void OneEdit(PaintSnapshotParts& t, std::mt19937& rng, int W, int H, bool single = false) {
  CPaintEditor& e = t.Editor();
  CKorvaneDoc& doc = *t.doc;
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  auto point = [&](int x, int y) {
    PaintPoint p;
    p.x = x, p.y = y;
    p.cx = e.GetMargin().cx + x * 4, p.cy = e.GetMargin().cy + y * 4;
    return p;
  };
  auto anywhere = [&] { return point(pick(0, W - 1), pick(0, H - 1)); };
  const int what = pick(0, 9);
  const int button = pick(0, 1);
  e.m_nPenSize = pick(1, 12);
  e.m_nPenShape = pick(0, 1);
  e.m_bFill = pick(0, 1);
  if (what <= 6) {
    static constexpr int kTools[] = {PAINT_PEN, PAINT_ERASER, PAINT_BRUSH, PAINT_LINE,
                                     PAINT_CIRCLE, PAINT_ELLIPSE, PAINT_RECT};
    doc.SetPaintTool(kTools[what]);
    e.BeginTool(anywhere(), button);
    for (int k = pick(1, 5); k > 0; --k) e.ContinueTool(anywhere());
    e.FinishTool(anywhere());
  } else if (what == 7) {
    doc.SetPaintTool(PAINT_POLYGON);
    for (int k = pick(2, 4); k > 0; --k) e.BeginTool(anywhere(), button);
    e.BeginTool(anywhere(), 1 - button);
  } else if (what == 8) {
    doc.SetPaintTool(PAINT_FLOOD);
    e.BeginTool(anywhere(), button);
  } else {
    // A selection: filtered, or copied and pasted elsewhere, then merged.
    doc.SetPaintTool(PAINT_SELECT);
    const QPoint a = t.At(pick(0, W - 1), pick(0, H - 1)), b = t.At(pick(0, W - 1), pick(0, H - 1));
    t.Drag(Qt::LeftButton, a, b);
    switch (pick(0, 3)) {
      case 0: doc.PaintInvert(); break;
      case 1: doc.PaintFill(pick(0, 1)); break;
      case 2: doc.PaintThicken(pick(1, 4), pick(1, 4), 0); break;
      default: {
        std::unique_ptr<CBitmap> picture(doc.PaintCopyCut(single ? 1 : pick(0, 1)));
        if (!picture) break;
        e.m_ptContext = CPoint(e.GetMargin().cx + pick(-5, W) * 4, e.GetMargin().cy + pick(-5, H) * 4);
        if (doc.PaintPaste(picture.get())) e.CancelSelection(0);
        break;
      }
    }
    e.DropSelection();
    if (pick(0, 2) == 0 && !single) doc.PaintInvert();  // the whole picture
  }
}

// An odd width: the last byte of every row is partly past the picture's edge, and the fresh
// picture has those bits set.
std::vector<BYTE> Pattern(int w, int h) {
  return MakeImage(w, h, [w](int x, int y) { return (x * 7 + y * 3) % 11 == 0 || x == w - 1; });
}

// Four seeded edits, then every step undone and redone. Returns the picture after each edit and
// each undo and redo; tookParts tells whether every snapshot after the first could be made of its
// part.
std::vector<std::vector<BYTE>> RunEdits(PaintSnapshotParts& t, unsigned seed, bool whole, bool& tookParts) {
  constexpr int W = 61, H = 45;
  t.BeginAt400(Pattern(W, H));
  CPaintEditor& e = t.Editor();
  CKorvaneDoc& doc = *t.doc;
  if (whole) CPaintEditorTestAccess::RenderWhole(e);
  std::mt19937 rng(seed);
  std::vector<std::vector<BYTE>> pictures{t.Current()};
  tookParts = true;
  // Each edit keeps at most two pictures: the undo list's ten hold them all.
  constexpr int kEdits = 4;
  for (int step = 0; step < kEdits; ++step) {
    if (!whole && step > 0 && !CPaintEditorTestAccess::TakesParts(e)) tookParts = false;
    OneEdit(t, rng, W, H);
    pictures.push_back(t.Current());
  }
  while (doc.CanPaintUndoRedo(0)) {
    doc.PaintUndoRedo(0);
    pictures.push_back(t.Current());
  }
  while (doc.CanPaintUndoRedo(1)) {
    doc.PaintUndoRedo(1);
    pictures.push_back(t.Current());
  }
  doc.EndPaintMode();
  return pictures;
}

// A seeded session on a w x h picture: edits, undos and redos mixed, past the undo list's
// length. The test keeps every picture whole itself: each undo and redo must give back the one
// it kept for that place, and the screen after it must equal a full repaint. Returns the picture
// after every action.
std::vector<std::vector<BYTE>> RunSession(PaintSnapshotParts& t, unsigned seed, int W, int H, bool whole) {
  t.BeginAt400(Pattern(W, H));
  CPaintEditor& e = t.Editor();
  CKorvaneDoc& doc = *t.doc;
  if (whole) CPaintEditorTestAccess::RenderWhole(e);
  std::mt19937 rng(seed);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  // Newest first, as the editor keeps them; pos is the one shown.
  std::deque<std::vector<BYTE>> kept{t.Current()};
  size_t pos = 0;
  std::vector<std::vector<BYTE>> pictures;
  for (int action = 0; action < 40; ++action) {
    const int what = pick(0, 5);
    std::string label = "seed " + std::to_string(seed) + ", " + std::to_string(W) + " x " + std::to_string(H) +
                        ", action " + std::to_string(action);
    if (what <= 2) {
      OneEdit(t, rng, W, H, true);
      // Some edits make no snapshot (a flood fill where the colour is already, a polygon still
      // open); the rest make one, which drops what could be redone.
      const int count = e.GetSnapshotCount();
      bool made = pos > 0 ? e.GetUndoPos() == 0 : count > static_cast<int>(kept.size());
      if (pos == 0 && kept.size() == 10 && count == 10) {
        if (t.Current() == kept[0]) {
          // A snapshot equal to the last, or none: past here the test cannot tell which it holds.
          doc.EndPaintMode();
          return pictures;
        }
        made = true;
      }
      if (made) {
        kept.erase(kept.begin(), kept.begin() + static_cast<std::ptrdiff_t>(pos));
        kept.push_front(t.Current());
        pos = 0;
        while (kept.size() > 10) kept.pop_back();
      } else {
        EXPECT_TRUE(t.Current() == kept[pos]) << label << ": an edit without a snapshot";
      }
    } else {
      const int redo = what == 5 ? 1 : 0;
      const bool can = redo ? pos > 0 : pos + 1 < kept.size();
      EXPECT_EQ(doc.CanPaintUndoRedo(redo) != FALSE, can) << label;
      if (!can) continue;
      t.view->UpdateWindow();
      doc.PaintUndoRedo(redo);
      pos = redo ? pos - 1 : pos + 1;
      EXPECT_TRUE(t.Current() == kept[pos]) << label << (redo ? ": redo" : ": undo");
      // What the undo repainted equals a repaint of everything.
      t.view->UpdateWindow();
      const QImage shown = t.view->SurfaceImage().copy();
      e.Redraw();
      EXPECT_TRUE(shown == t.view->SurfaceImage()) << label << ": the screen after " << (redo ? "a redo" : "an undo");
    }
    EXPECT_EQ(e.GetSnapshotCount(), static_cast<int>(kept.size())) << label;
    pictures.push_back(t.Current());
  }
  doc.EndPaintMode();
  return pictures;
}

}  // namespace

// A snapshot made of the part an edit changed holds exactly the bytes of one rendered whole,
// after every edit and through undo and redo.
TEST_F(PaintSnapshotParts, EqualWholeRenderingsThroughEditsUndoAndRedo) {
  for (unsigned seed = 1; seed <= 16; ++seed) {
    bool parts = false, unused = false;
    const std::vector<std::vector<BYTE>> fast = RunEdits(*this, seed, false, parts);
    const std::vector<std::vector<BYTE>> reference = RunEdits(*this, seed, true, unused);
    EXPECT_TRUE(parts) << "seed " << seed << ": a snapshot was rendered whole";
    ASSERT_EQ(fast.size(), reference.size());
    for (size_t k = 0; k < fast.size(); ++k)
      ASSERT_EQ(fast[k], reference[k]) << "seed " << seed << ", picture " << k;
    // Undone to the start the picture is the one the edit began with; redone, the last.
    const size_t edits = 1 + 4, undone = (fast.size() - edits) / 2;
    EXPECT_EQ(fast[edits + undone - 1], fast.front()) << "seed " << seed;
    EXPECT_EQ(fast.back(), fast[edits - 1]) << "seed " << seed;
  }
}

// Edits, undos and redos mixed on pictures of several widths (bits past the edge or none, wider
// than the window) give the pictures the test kept, and those of snapshots rendered whole.
TEST_F(PaintSnapshotParts, MixedUndoAndRedoGiveBackEveryKeptPicture) {
  static constexpr int kSizes[][2] = {{61, 45}, {64, 40}, {203, 77}, {250, 180}};
  unsigned seed = 100;
  for (const auto& size : kSizes) {
    for (int round = 0; round < 2; ++round, ++seed) {
      const std::vector<std::vector<BYTE>> fast = RunSession(*this, seed, size[0], size[1], false);
      const std::vector<std::vector<BYTE>> reference = RunSession(*this, seed, size[0], size[1], true);
      ASSERT_EQ(fast.size(), reference.size());
      for (size_t k = 0; k < fast.size(); ++k)
        ASSERT_TRUE(fast[k] == reference[k]) << "seed " << seed << ", action " << k;
    }
  }
}

// A stroke or a selection's filter on a large picture keeps only what it changed, and undoing
// them gives back every byte of the picture, the bits past its right edge included.
TEST_F(PaintSnapshotParts, AnEditKeepsItsPartAndUndoRestoresEveryByte) {
  constexpr int W = 4001, H = 3000;
  BeginAt400(Pattern(W, H));
  const std::vector<BYTE> start = Current();
  doc->SetPaintTool(PAINT_PEN);
  for (int stroke = 0; stroke < 3; ++stroke) {
    const std::vector<BYTE> before = Current();
    Editor().m_nPenSize = 3;
    Drag(Qt::LeftButton, At(10 + stroke * 5, 10), At(60, 40 + stroke * 3));
    ASSERT_NE(Current(), before);
    // The first edit also keeps the last bytes of every row, which it clears, and its own rows whole.
    const size_t stride = MonoBmpFile::Stride(W);
    const size_t limit = (stroke == 0 ? H * 3 + 60 * stride : 0) + 80 * 60;
    ASSERT_LT(limit * 20, Current().size());
    EXPECT_LT(CPaintEditorTestAccess::NewestStepBytes(Editor()), limit) << "stroke " << stroke;
  }
  // So does a filter of a selection.
  doc->SetPaintTool(PAINT_SELECT);
  Drag(Qt::LeftButton, At(20, 20), At(50, 30));
  const std::vector<BYTE> unfiltered = Current();
  doc->PaintInvert();
  ASSERT_NE(Current(), unfiltered);
  EXPECT_LT(CPaintEditorTestAccess::NewestStepBytes(Editor()), 80u * 60u);
  for (int edit = 0; edit < 4; ++edit) doc->PaintUndoRedo(0);
  EXPECT_TRUE(Current() == start);
  EXPECT_FALSE(doc->CanPaintUndoRedo(0));
}
