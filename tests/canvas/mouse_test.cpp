// Mouse editing on the canvas, driven by mouse and key events sent to the view's viewport:
// click and band selection, tracker drags and their commit, the context menu, the area capture,
// cursors and the cursor pane, and paint mode handing every event to the editor.
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>
#include <set>

#include "canvas/canvas_frame.h"
#include "canvas/object_tracker.h"
#include "canvas_fixture.h"
#include "imaging/paint_editor.h"
#include "platform/qt_prompter.h"
#include "platform/ui/modal_dialogs.h"
#include "outside_tool.h"

#include <QMenu>
#include <QScreen>
#include <QTimer>

namespace {

constexpr UINT kEditImage = 32905;
constexpr UINT kDelete = 32878;

class FakeCanvasFrame : public ICanvasFrame {
 public:
  void ShowCursorPosMm(double x, double y) override { positions.emplace_back(x, y); }
  BOOL IsCommandEnabled(UINT id) override { return disabled.count(id) ? FALSE : TRUE; }
  void OnCommand(UINT id) override { commands.push_back(id); }

  std::set<UINT> disabled;
  std::vector<std::pair<double, double>> positions;
  std::vector<UINT> commands;
};

class RecordingEditor : public CPaintEditor {
 public:
  void OnLButtonDown(UINT, int x, int y) override { calls.push_back("down " + Xy(x, y)); }
  void OnLButtonUp(UINT, int x, int y) override { calls.push_back("up " + Xy(x, y)); }
  void OnLButtonDblClk(UINT, int x, int y) override { calls.push_back("dbl " + Xy(x, y)); }
  void OnRButtonDown(UINT, int x, int y) override { calls.push_back("rdown " + Xy(x, y)); }
  void OnRButtonUp(UINT, int x, int y) override { calls.push_back("rup " + Xy(x, y)); }
  void OnMouseMove(UINT flags, int x, int y) override {
    calls.push_back("move " + Xy(x, y) + ((flags & MK_LBUTTON) ? " L" : ""));
  }
  void OnNcMouseMove() override { calls.push_back("nc"); }
  static std::string Xy(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
  std::vector<std::string> calls;
};

class CanvasMouse : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    view->SetCanvasFrame(&frame);
    ShowView();
    Repaint(9);
  }
  void TearDown() override {
    view->SetCanvasFrame(nullptr);
    CanvasTest::TearDown();
  }
  void Send(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons held) {
    QWidget* vp = view->viewport();
    QMouseEvent e(type, QPointF(p), vp->mapToGlobal(QPointF(p)), button, held, Qt::NoModifier);
    QApplication::sendEvent(vp, &e);
  }
  void Press(QPoint p, Qt::MouseButton b = Qt::LeftButton) { Send(QEvent::MouseButtonPress, p, b, b); }
  void Release(QPoint p, Qt::MouseButton b = Qt::LeftButton) { Send(QEvent::MouseButtonRelease, p, b, Qt::NoButton); }
  void Move(QPoint p, Qt::MouseButtons held = Qt::LeftButton) { Send(QEvent::MouseMove, p, Qt::NoButton, held); }
  void DoubleClick(QPoint p) { Send(QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton); }
  void Click(QPoint p) {
    Press(p);
    Release(p);
  }
  void Band(QPoint from, QPoint to) {
    Press(from);
    Move((from + to) / 2);
    Move(to);
    Release(to);
  }
  void Escape() {
    QKeyEvent e(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(view.get(), &e);
  }
  static QPoint Centre(const CRect& r) { return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); }
  // A point on the left side of a shape's frame band (shapes are hit on their band only).
  static QPoint OnBand(const CRect& r) { return QPoint(r.left + 2, (r.top + r.bottom) / 2); }
  CRect TrackerRect() { return CRect(view->GetTracker()->GetTrackRect()); }
  CDoubleSize SizeToMm(int dx, int dy) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CDoubleSize s;
    view->GetRenderer()->DeviceSizeToMm(&s, &dc, dx + view->GetScrollPos(SB_HORZ), dy + view->GetScrollPos(SB_VERT));
    return s;
  }

  FakeCanvasFrame frame;
};

TEST_F(CanvasMouse, ClicksSelectTheLowerIndexAndEmptyCanvasStartsABandThatSelectsNothing) {
  const int a = AddShape(TYPE_RECTANGLE, 30, 20, 0, 0);
  AddShape(TYPE_RECTANGLE, 30, 20, 0, 0);  // drawn over the first
  Repaint(9);
  Click(OnBand(ClientRectOf(a)));
  EXPECT_EQ(view->GetTrackObject(), a);
  EXPECT_EQ(doc->m_nCurrentIndex, a);
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_RECTANGLE);
  // A double click on empty canvas is not a second press: the selection stays.
  DoubleClick(QPoint(20, 20));
  EXPECT_EQ(view->GetTrackObject(), a);
  // A press on empty canvas selects the work area, removes the tracker and starts a band.
  Press(QPoint(20, 20));
  EXPECT_EQ(view->GetTrackObject(), -2);
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_DRAWING);
  EXPECT_EQ(view->m_bDragging, 1);
  Release(QPoint(20, 20));
  EXPECT_EQ(view->m_bDragging, 0);
  EXPECT_EQ(view->GetTrackObject(), -2);
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_DRAWING);
}

TEST_F(CanvasMouse, BandsSelectWhollyEnclosedVisibleObjects) {
  const int a = AddShape(TYPE_RECTANGLE, 20, 10, -40, 30);
  const int b = AddShape(TYPE_CIRCLE, 15, 15, 40, 30);
  const int hidden = AddShape(TYPE_RECTANGLE, 10, 10, 0, -40);
  List().SetObjectLayer(hidden, 3);
  doc->m_bLayerVisible[3] = 0;
  Repaint(9);
  const CRect ra = ClientRectOf(a), rb = ClientRectOf(b), rh = ClientRectOf(hidden);
  // One object: a single tracker and the current object.
  Band(QPoint(ra.left - 10, ra.top - 10), QPoint(ra.right + 10, ra.bottom + 10));
  EXPECT_EQ(view->GetTrackObject(), a);
  EXPECT_EQ(doc->m_nCurrentIndex, a);
  EXPECT_EQ(view->m_bDragging, 0);
  // Two objects drawn right to left: the multi-selection around their union.
  Band(QPoint(rb.right + 10, rb.bottom + 10), QPoint(ra.left - 10, ra.top - 10));
  EXPECT_EQ(view->GetTrackObject(), -1);
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_MULTI);
  EXPECT_EQ(doc->GetSelectedCount(), 2);
  const CRect u = TrackerRect();
  EXPECT_NEAR(u.left, std::min(ra.left, rb.left), 1);
  EXPECT_NEAR(u.top, std::min(ra.top, rb.top), 1);
  EXPECT_NEAR(u.right, std::max(ra.right, rb.right), 1);
  EXPECT_NEAR(u.bottom, std::max(ra.bottom, rb.bottom), 1);
  // Half of an object inside the band: nothing selected.
  Band(QPoint(ra.left - 10, ra.top - 10), QPoint(Centre(ra).x(), ra.bottom + 10));
  EXPECT_EQ(view->GetTrackObject(), -2);
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_DRAWING);
  // A hidden object is neither hit nor enclosed.
  Click(OnBand(rh));
  EXPECT_EQ(view->GetTrackObject(), -2);
  Band(QPoint(rh.left - 10, rh.top - 10), QPoint(rh.right + 10, rh.bottom + 10));
  EXPECT_EQ(view->GetTrackObject(), -2);
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_DRAWING);
}

TEST_F(CanvasMouse, AHandleDragCallsTheDocumentOnceAfterReleaseAlsoScrolled) {
  for (int zoom : {9, 15}) {
    SCOPED_TRACE(zoom);
    g_bModified = 0;
    doc->OnNewDocument();
    view->DeleteTracker(FALSE);
    const int a = AddShape(TYPE_RECTANGLE, 30, 20, 0, 0);
    Repaint(zoom);
    if (zoom == 15) {
      ASSERT_GT(view->GetScrollPos(SB_HORZ), 0);
    }
    Click(OnBand(ClientRectOf(a)));
    ASSERT_EQ(view->GetTrackObject(), a);
    const CRect before = ClientRectOf(a);
    const double w0 = At<CRectangleObject>(a)->m_dWidth, h0 = At<CRectangleObject>(a)->m_dHeight;
    const QPoint handle(TrackerRect().right + 4, TrackerRect().bottom + 4);
    Move(handle, Qt::NoButton);
    EXPECT_EQ(view->viewport()->cursor().shape(), Qt::SizeFDiagCursor);
    Press(handle);
    Move(handle + QPoint(10, 4));
    Move(handle + QPoint(20, 10));
    // Nothing reaches the document while the button is down.
    EXPECT_EQ(At<CRectangleObject>(a)->m_dWidth, w0);
    Release(handle + QPoint(20, 10));
    const CDoubleSize size = SizeToMm(20, 10);
    EXPECT_NEAR(At<CRectangleObject>(a)->m_dWidth, w0 + size.cx, 1e-9);
    EXPECT_NEAR(At<CRectangleObject>(a)->m_dHeight, h0 - size.cy, 1e-9);
    view->UpdateWindow();
    const CRect after = ClientRectOf(a);
    EXPECT_NEAR(after.left, before.left, 1);
    EXPECT_NEAR(after.top, before.top, 1);
    EXPECT_NEAR(after.Width(), before.Width() + 20, 1);
    EXPECT_NEAR(after.Height(), before.Height() + 10, 1);
    EXPECT_EQ(view->GetTrackObject(), a);
    EXPECT_NEAR(TrackerRect().right, after.right, 1);
  }
}

// A drag's XOR feedback and the invalidations of its commit against what a full repaint shows.
TEST_F(CanvasMouse, DragsLeaveNoPixelFromAPendingPaintOrAnOverturnedSelection) {
  const int a = AddShape(TYPE_RECTANGLE, 30, 20, -40, 20);
  const int b = AddShape(TYPE_RECTANGLE, 30, 20, 40, -20);
  Repaint(9);
  const CRect ra = ClientRectOf(a), rb = ClientRectOf(b);
  {
    SCOPED_TRACE("a press that selects another object drags it before its paint has run");
    Click(OnBand(ra));
    ASSERT_EQ(view->GetTrackObject(), a);
    QApplication::processEvents();
    // The feedback's top row first lies on the strips of a's frame, whose erase is pending.
    const QPoint from = OnBand(rb), by(ra.left - rb.left, ra.bottom + 4 - rb.top);
    Press(from);
    Move(from + by);
    QApplication::processEvents();
    Move(from + by + QPoint(30, 30));
    Release(from + by + QPoint(30, 30));
    const StalePixels stale = CompareWithFullRepaint();
    EXPECT_EQ(stale.count, 0) << "within " << stale.x << "," << stale.y << " " << stale.width << "x"
                              << stale.height << ", first at" << stale.first;
  }
  {
    SCOPED_TRACE("the top handle of a multi-selection dragged past its bottom");
    const CRect na = ClientRectOf(a), nb = ClientRectOf(b);
    Band(QPoint(std::min(na.left, nb.left) - 10, std::min(na.top, nb.top) - 10),
         QPoint(std::max(na.right, nb.right) + 10, std::max(na.bottom, nb.bottom) + 10));
    ASSERT_EQ(view->GetTrackObject(), -1);
    QApplication::processEvents();
    const CRect t = TrackerRect();
    const QPoint handle((t.left + t.right) / 2, t.top - 4);
    // It lands above the old top, by more than the old frame's handles reach.
    const QPoint to = handle + QPoint(0, 2 * t.Height() + 60);
    Press(handle);
    Move((handle + to) / 2);
    Move(to);
    Release(to);
    const StalePixels stale = CompareWithFullRepaint();
    EXPECT_EQ(stale.count, 0) << "within " << stale.x << "," << stale.y << " " << stale.width << "x"
                              << stale.height << ", first at" << stale.first;
  }
}

// A press on an object outside a multi-selection drags that object at once; the selection
// follows after the release. The commit names the one object while the document still holds
// the selection, and the object's new place must be repainted whole: a text's glyphs reach far
// beyond its frame, which is all the tracker covers.
TEST_F(CanvasMouse, APressOutsideAMultiSelectionRepaintsTheDraggedTextWhole) {
  const int a = AddShape(TYPE_RECTANGLE, 10, 10, -40, 25);
  const int b = AddShape(TYPE_RECTANGLE, 10, 10, -20, 25);
  const int text = AddShape(TYPE_TEXT1, 30, 2, 20, 0);
  auto* t = At<CText1Object>(text);
  t->SetText("Hj");
  t->m_dCharWidth = 12;
  t->m_dCharHeight = 24;
  Repaint(9);
  const CRect ra = ClientRectOf(a), rb = ClientRectOf(b);
  for (const QPoint by : {QPoint(-40, 30), QPoint(25, -35)}) {
    SCOPED_TRACE("dragged by " + std::to_string(by.x()) + "," + std::to_string(by.y()));
    Band(QPoint(std::min(ra.left, rb.left) - 5, std::min(ra.top, rb.top) - 5),
         QPoint(std::max(ra.right, rb.right) + 5, std::max(ra.bottom, rb.bottom) + 5));
    ASSERT_EQ(view->GetTrackObject(), -1);
    QApplication::processEvents();
    const QPoint from = Centre(ClientRectOf(text));
    Press(from);
    Move(from + by / 2);
    Move(from + by);
    Release(from + by);
    EXPECT_EQ(view->GetTrackObject(), text);
    const StalePixels stale = CompareWithFullRepaint();
    EXPECT_EQ(stale.count, 0) << "within " << stale.x << "," << stale.y << " " << stale.width << "x"
                              << stale.height << ", first at" << stale.first;
  }
}

// A multi-selection scaled along one axis: an arc text's characters do not scale with the
// selection's rectangle, so its glyphs land beyond where the rectangle carries them.
TEST_F(CanvasMouse, AScaledSelectionLeavesNoPixelOfAWideArcText) {
  const int arc = AddShape(TYPE_TEXT2, 30, 30, -20, 0);
  auto* t = At<CText2Object>(arc);
  t->SetText("WIDE");
  t->m_dCharWidth = 60;
  t->m_dCharHeight = 6;
  AddShape(TYPE_RECTANGLE, 10, 10, 30, -10);
  Repaint(9);
  for (const int dx : {50, -70, 35}) {
    SCOPED_TRACE("the right handle by " + std::to_string(dx));
    Band(QPoint(1, 1), QPoint(view->viewport()->width() - 2, view->viewport()->height() - 2));
    ASSERT_EQ(view->GetTrackObject(), -1);
    QApplication::processEvents();
    const CRect r = TrackerRect();
    const QPoint handle(r.right + 4, (r.top + r.bottom) / 2);
    Press(handle);
    Move(handle + QPoint(dx / 2, 0));
    Move(handle + QPoint(dx, 0));
    Release(handle + QPoint(dx, 0));
    const StalePixels stale = CompareWithFullRepaint();
    EXPECT_EQ(stale.count, 0) << "within " << stale.x << "," << stale.y << " " << stale.width << "x"
                              << stale.height << ", first at" << stale.first;
  }
}

// A wheel while a press drags the object it has just selected: the drag ends and the selection
// is painted at once, with the page at its new place. A text measured before the scroll must be
// painted where it stands now, not left out by where it stood.
TEST_F(CanvasMouse, AWheelDuringTheDragOfAPressLeavesNoTextOut) {
  // A low text, so that one turn of the wheel takes it wholly off where it was measured.
  const int text = AddShape(TYPE_TEXT1, 40, 1, 0, 10);
  auto* t = At<CText1Object>(text);
  t->SetText("SCROLL");
  t->m_dCharWidth = 4;
  t->m_dCharHeight = 1;
  const int box = AddShape(TYPE_RECTANGLE, 20, 20, 0, -15);
  Repaint(15);
  ASSERT_GT(view->verticalScrollBar()->maximum(), 0);
  for (const int delta : {-120, 120}) {
    SCOPED_TRACE("a wheel turn of " + std::to_string(delta));
    const int before = view->GetScrollPos(SB_VERT);
    // The box is not selected, so that the press selects it; the text is repainted as after an
    // edit of it, which keeps its measure at the scroll before.
    Click(Centre(ClientRectOf(text)));
    ASSERT_EQ(view->GetTrackObject(), text);
    view->InvalidateObject(text);
    QApplication::processEvents();
    const QPoint from = OnBand(ClientRectOf(box));
    Press(from);
    Move(from + QPoint(6, 6));
    QWidget* vp = view->viewport();
    QWheelEvent wheel(QPointF(from), vp->mapToGlobal(QPointF(from)), QPoint(), QPoint(0, delta), Qt::LeftButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(vp, &wheel);
    ASSERT_NE(view->GetScrollPos(SB_VERT), before);
    Move(from + QPoint(12, 12));
    Release(from + QPoint(12, 12));
    const StalePixels stale = CompareWithFullRepaint();
    EXPECT_EQ(stale.count, 0) << "within " << stale.x << "," << stale.y << " " << stale.width << "x"
                              << stale.height << ", first at" << stale.first;
  }
}

TEST_F(CanvasMouse, AMoveBackToTheStartOrEscapeLeavesObjectAndTrackerAlone) {
  const int a = AddShape(TYPE_RECTANGLE, 30, 20, 0, 0);
  Repaint(9);
  const QPoint centre = OnBand(ClientRectOf(a));
  Click(centre);
  view->UpdateWindow();
  const QImage shown = view->SurfaceImage().copy();
  const double x0 = At<CRectangleObject>(a)->m_dPosX, y0 = At<CRectangleObject>(a)->m_dPosY;
  const CRect tracker = TrackerRect();
  g_bModified = 0;
  Press(centre);
  Move(centre + QPoint(15, 15));
  Move(centre);
  Release(centre);
  EXPECT_EQ(g_bModified, 0);
  EXPECT_EQ(At<CRectangleObject>(a)->m_dPosX, x0);
  EXPECT_EQ(TrackerRect(), tracker);
  Press(centre);
  Move(centre + QPoint(30, 12));
  Escape();
  EXPECT_EQ(view->GetTracker()->IsTracking(), FALSE);
  Release(centre + QPoint(30, 12));
  EXPECT_EQ(At<CRectangleObject>(a)->m_dPosX, x0);
  EXPECT_EQ(At<CRectangleObject>(a)->m_dPosY, y0);
  EXPECT_EQ(TrackerRect(), tracker);
  view->UpdateWindow();
  EXPECT_TRUE(view->SurfaceImage() == shown) << "the feedback rectangle was not erased";
  // A move of the body commits a move.
  Press(centre);
  Move(centre + QPoint(38, 0));
  Release(centre + QPoint(38, 0));
  EXPECT_NEAR(At<CRectangleObject>(a)->m_dPosX, x0 + SizeToMm(38, 0).cx, 1e-9);
  EXPECT_EQ(At<CRectangleObject>(a)->m_dPosY, y0);
}

TEST_F(CanvasMouse, ATrackerReplacedDuringItsDragEndsTheDragAsCancelled) {
  const int a = AddShape(TYPE_RECTANGLE, 30, 20, -30, 0);
  const int b = AddShape(TYPE_RECTANGLE, 30, 20, 30, 0);
  Repaint(9);
  const QPoint p = OnBand(ClientRectOf(a));
  const double x0 = At<CRectangleObject>(a)->m_dPosX;
  Press(p);
  Move(p + QPoint(20, 0));
  // An update from elsewhere puts the tracker on another object while the button is down.
  view->ChangeTracker(b);
  EXPECT_EQ(view->TrackingTracker(), nullptr);
  Move(p + QPoint(30, 0));
  Release(p + QPoint(30, 0));
  EXPECT_EQ(At<CRectangleObject>(a)->m_dPosX, x0);
  EXPECT_EQ(view->GetTrackObject(), b);
  EXPECT_NE(doc->m_nCurrentIndex, a);
  // The same with the tracker deleted.
  Click(OnBand(ClientRectOf(b)));
  Press(OnBand(ClientRectOf(b)));
  view->DeleteTracker(FALSE);
  Move(p + QPoint(5, 5));
  Release(p + QPoint(5, 5));
  EXPECT_EQ(view->GetTrackObject(), -2);
}

TEST_F(CanvasMouse, LeavingOrEscapeDuringABandErasesItAndSelectsNothing) {
  const int a = AddShape(TYPE_RECTANGLE, 20, 10, 0, 0);
  Repaint(9);
  const CRect ra = ClientRectOf(a);
  view->UpdateWindow();
  const QImage before = view->SurfaceImage().copy();
  Press(QPoint(ra.left - 20, ra.top - 20));
  Move(QPoint(ra.right + 20, ra.bottom + 5));
  Move(QPoint(ra.right + 20, ra.bottom + 20));
  EXPECT_FALSE(view->SurfaceImage() == before);
  Move(QPoint(-5, ra.bottom + 20));  // outside the window
  EXPECT_EQ(view->m_bDragging, 0);
  EXPECT_TRUE(view->SurfaceImage() == before);
  Release(QPoint(ra.right + 20, ra.bottom + 20));
  EXPECT_EQ(view->GetTrackObject(), -2);
  Press(QPoint(ra.left - 20, ra.top - 20));
  Move(QPoint(ra.right + 20, ra.bottom + 20));
  Escape();
  Release(QPoint(ra.right + 20, ra.bottom + 20));
  EXPECT_EQ(view->GetTrackObject(), -2);
  view->UpdateWindow();
  EXPECT_TRUE(view->SurfaceImage() == before);
}

TEST_F(CanvasMouse, TheRightButtonSelectsAndOpensTheSubMenuOfTheKind) {
  const int bmp = AddBitmap(MakeImage(32, 32, [](int, int) { return true; }), 20, 20, -40, 0);
  const int rect = AddShape(TYPE_RECTANGLE, 20, 20, 40, 0);
  Repaint(9);
  frame.disabled.insert(kDelete);
  const QPoint onBmp = Centre(ClientRectOf(bmp));
  prompter.ExpectMenu(kEditImage);
  Press(onBmp, Qt::RightButton);
  Release(onBmp, Qt::RightButton);
  EXPECT_EQ(view->GetTrackObject(), bmp);
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_BMP);
  EXPECT_EQ(prompter.LastMenu().text, "画像用");
  const std::vector<UINT>& enabled = prompter.LastMenuEnabled();
  EXPECT_NE(std::find(enabled.begin(), enabled.end(), kEditImage), enabled.end());
  EXPECT_EQ(std::find(enabled.begin(), enabled.end(), kDelete), enabled.end());
  EXPECT_EQ(prompter.LastMenuPos(), view->viewport()->mapToGlobal(onBmp));
  EXPECT_EQ(frame.commands, std::vector<UINT>{kEditImage});
  // The context point is the press in millimetres.
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CDoublePoint mm;
  view->GetRenderer()->DeviceToMm(&mm, &dc, onBmp.x(), onBmp.y());
  EXPECT_DOUBLE_EQ(doc->m_ptContext.x, mm.x);
  EXPECT_DOUBLE_EQ(doc->m_ptContext.y, mm.y);
  // On empty canvas: the work area and sub-menu 0, closed without a choice.
  prompter.ExpectMenu(0);
  Press(QPoint(15, 15), Qt::RightButton);
  EXPECT_EQ(view->GetTrackObject(), -2);
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_DRAWING);
  EXPECT_EQ(prompter.LastMenu().text, "コンテキストメニュー 1");
  EXPECT_EQ(frame.commands.size(), 1u);
  // A right press on the tracker keeps the selection.
  Click(OnBand(ClientRectOf(rect)));
  prompter.ExpectMenu(0);
  Press(Centre(ClientRectOf(rect)), Qt::RightButton);
  EXPECT_EQ(view->GetTrackObject(), rect);
  EXPECT_EQ(prompter.LastMenu().text, "コンテキストメニュー 1");
  prompter.VerifyAllUsed();
  // Without a frame no menu is shown.
  view->SetCanvasFrame(nullptr);
  Press(QPoint(15, 15), Qt::RightButton);
}

TEST_F(CanvasMouse, AreaCaptureMakesABitmapOfTheBandOrIsCancelledByTheRightButton) {
  const int a = AddShape(TYPE_RECTANGLE, 20, 10, 0, 0);
  Repaint(9);
  const CRect ra = ClientRectOf(a);
  Click(OnBand(ra));
  ASSERT_EQ(view->GetTrackObject(), a);
  doc->DropSelection();
  EXPECT_EQ(doc->m_bAreaCapture, 1);
  EXPECT_EQ(view->GetTrackObject(), -2);
  // A right press cancels: no band, no object, no menu.
  const int count = List().GetCount();
  Press(QPoint(10, 10), Qt::RightButton);
  EXPECT_EQ(doc->m_bAreaCapture, 0);
  EXPECT_EQ(view->m_bDragging, 0);
  EXPECT_EQ(List().GetCount(), count);
  // A band becomes one bitmap object, the current one.
  const QPoint tl(ra.left - 12, ra.top - 8), br(ra.right + 12, ra.bottom + 8);
  doc->DropSelection();
  Band(tl, br);
  EXPECT_EQ(doc->m_bAreaCapture, 0);
  ASSERT_EQ(List().GetCount(), count + 1);
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_BMP);
  EXPECT_EQ(doc->m_nCurrentIndex, count);
  EXPECT_EQ(view->GetTrackObject(), count);
  const std::vector<BYTE> first = At<CBmpObject>(count)->m_Image;
  EXPECT_GT(first.size(), 62u);
  // The same area dragged from the other corner gives the same image.
  List().GetObject(count)->m_bDeleted = 1;
  doc->DropSelection();
  Band(br, tl);
  ASSERT_EQ(List().GetCount(), count + 2);
  EXPECT_EQ(At<CBmpObject>(count + 1)->m_Image, first);
}

TEST_F(CanvasMouse, CursorsFollowTheHandlesAndThePaneGetsThePointInMillimetres) {
  const int a = AddShape(TYPE_RECTANGLE, 40, 30, 0, 0);
  Repaint(9);
  Click(OnBand(ClientRectOf(a)));
  view->UpdateWindow();
  const CRect t = TrackerRect();
  const int mx = (t.left + t.right) / 2, my = (t.top + t.bottom) / 2;
  const struct {
    QPoint p;
    Qt::CursorShape shape;
  } cases[] = {
      {{t.left - 4, t.top - 4}, Qt::SizeFDiagCursor},     {{t.right + 4, t.top - 4}, Qt::SizeBDiagCursor},
      {{t.right + 4, t.bottom + 4}, Qt::SizeFDiagCursor}, {{t.left - 4, t.bottom + 4}, Qt::SizeBDiagCursor},
      {{mx, t.top - 4}, Qt::SizeVerCursor},               {{t.right + 4, my}, Qt::SizeHorCursor},
      {{mx, t.bottom + 4}, Qt::SizeVerCursor},            {{t.left - 4, my}, Qt::SizeHorCursor},
      {{mx, my}, Qt::SizeAllCursor},                      {{t.right + 40, my}, Qt::ArrowCursor},
  };
  for (const auto& c : cases) {
    Move(c.p, Qt::NoButton);
    EXPECT_EQ(view->viewport()->cursor().shape(), c.shape) << c.p.x() << "," << c.p.y();
  }
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CDoublePoint mm;
  view->GetRenderer()->DeviceToMm(&mm, &dc, 123, 234);
  Move(QPoint(123, 234), Qt::NoButton);
  ASSERT_FALSE(frame.positions.empty());
  EXPECT_DOUBLE_EQ(frame.positions.back().first, mm.x);
  EXPECT_DOUBLE_EQ(frame.positions.back().second, mm.y);
  EXPECT_EQ(CursorPosText(1.5, -2.25), CString((std::string(41, ' ') + "x=1.500 y=-2.250").c_str()));
}

TEST_F(CanvasMouse, InPaintModeEveryEventGoesToTheEditorAndNothingIsSelected) {
  const int a = AddShape(TYPE_RECTANGLE, 30, 20, 0, 0);
  Repaint(9);
  auto* editor = new RecordingEditor;
  view->SetPaintEditor(editor);
  doc->m_bPaintMode = 1;
  const QPoint p = Centre(ClientRectOf(a));
  Press(p);
  Move(p + QPoint(3, 4));
  Release(p + QPoint(3, 4));
  DoubleClick(p);
  Press(p, Qt::RightButton);
  Release(p, Qt::RightButton);
  Move(QPoint(-3, 5), Qt::NoButton);
  doc->m_bPaintMode = 0;
  const std::string x = std::to_string(p.x()), y = std::to_string(p.y());
  const std::string x3 = std::to_string(p.x() + 3), y4 = std::to_string(p.y() + 4);
  const std::vector<std::string> expected = {"down " + x + "," + y, "move " + x3 + "," + y4 + " L",
                                             "up " + x3 + "," + y4, "dbl " + x + "," + y,
                                             "rdown " + x + "," + y, "rup " + x + "," + y, "nc"};
  EXPECT_EQ(editor->calls, expected);
  EXPECT_EQ(view->GetTrackObject(), -2);
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_DRAWING);
  EXPECT_TRUE(frame.positions.empty());
  prompter.VerifyAllUsed();
}

// Answers the font dialog with a bold weight and remembers the face it was opened with.
class BoldFontDialogs : public IModalDialogs {
 public:
  BoldFontDialogs() { m_previous = SetModalDialogs(this); }
  ~BoldFontDialogs() override { SetModalDialogs(m_previous); }
  bool LayerDialog(LayerDialogData&) override { return false; }
  bool OutputModeDialog(OutputModeDialogData&) override { return false; }
  bool FontDialog(FontDialogData& data) override {
    ++opened;
    data.weight = 700;
    return true;
  }
  int opened = 0;

 private:
  IModalDialogs* m_previous = nullptr;
};

TEST_F(CanvasMouse, TheFontCommandChangesTheTextTheTrackerStandsOn) {
  const int first = AddShape(TYPE_TEXT1, 30, 10, -30, 0);
  const int second = AddShape(TYPE_TEXT1, 30, 10, 30, 0);
  Repaint(9);
  Click(Centre(ClientRectOf(second)));
  ASSERT_EQ(view->GetTrackObject(), second);
  const int weight = At<CText1Object>(first)->m_nWeight;
  BoldFontDialogs dialogs;
  doc->OnFontCommand();
  EXPECT_EQ(dialogs.opened, 1);
  EXPECT_EQ(At<CText1Object>(second)->m_nWeight, 700);
  EXPECT_EQ(At<CText1Object>(first)->m_nWeight, weight);
}

TEST_F(CanvasMouse, Screenshots) {
  const char* out = nullptr;
  REQUIRE_SCREENSHOT_DIR(out);
  const int a = AddShape(TYPE_RECTANGLE, 30, 20, -30, 15);
  const int b = AddShape(TYPE_CIRCLE, 25, 25, 30, 15);
  AddShape(TYPE_TRIANGLE, 25, 20, -30, -25);
  const int t = AddShape(TYPE_TEXT1, 50, 12, 25, -25);
  At<CText1Object>(t)->SetText("ABC");
  List().SetObjectLayer(b, 1);
  Repaint(9);
  auto shot = [&](const char* name) {
    QApplication::processEvents();
    EXPECT_TRUE(view->grab().save(QString(out) + "/" + name));
  };
  Click(OnBand(ClientRectOf(a)));
  view->UpdateWindow();
  shot("mouse_selected.png");
  const QPoint handle(TrackerRect().right + 4, TrackerRect().bottom + 4);
  Press(handle);
  Move(handle + QPoint(30, 20));
  shot("mouse_drag.png");
  Release(handle + QPoint(30, 20));
  view->UpdateWindow();
  const CRect ra = ClientRectOf(a), rb = ClientRectOf(b);
  Press(QPoint(ra.left - 15, ra.top - 15));
  Move(QPoint(rb.right + 15, rb.bottom + 15));
  shot("mouse_band.png");
  Release(QPoint(rb.right + 15, rb.bottom + 15));
  view->UpdateWindow();
  shot("mouse_multi.png");
  // The real menu, grabbed from the screen and closed.
  CQtPrompter qt(view.get());
  IPrompter* previous = SetPrompter(&qt);
  QTimer::singleShot(400, [&] {
    QApplication::primaryScreen()->grabWindow(0).save(QString(out) + "/mouse_menu.png");
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
  });
  Press(Centre(ClientRectOf(a)), Qt::RightButton);
  SetPrompter(previous);
}

// ---- The tracker without the mouse ----------------------------------------------------------------

TEST(ChangeCodes, EveryRowOfTheTableInBothFormsAlsoInverted) {
  const RECT o{100, 100, 200, 150};
  struct Row {
    RECT n;
    int code;
    int out[4];
  };
  const Row rows[] = {
      {{110, 90, 210, 140}, 0, {0, 0, 10, -10}},   {{100, 100, 200, 170}, 3, {0, 20, 0, 20}},
      {{100, 80, 200, 150}, 1, {0, 20, 0, -20}},   {{100, 100, 230, 150}, 4, {30, 0, 30, 0}},
      {{70, 100, 200, 150}, 2, {30, 0, -30, 0}},   {{100, 100, 220, 160}, 8, {20, 10, 20, 10}},
      {{80, 100, 200, 160}, 6, {20, 10, -20, 10}}, {{90, 100, 220, 160}, 9, {30, 10, 15, 10}},
      {{100, 90, 220, 150}, 7, {20, 10, 20, 0}},   {{80, 90, 200, 150}, 5, {20, 10, -20, 0}},
      {{90, 90, 220, 150}, 11, {30, 10, 15, 0}},   {{100, 90, 220, 160}, 10, {20, 20, 10, 10}},
      {{80, 90, 200, 160}, 12, {20, 20, 10, 10}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.code);
    for (int inverted = 0; inverted < 2; ++inverted) {
      RECT n = row.n;
      if (inverted) std::swap(n.left, n.right), std::swap(n.top, n.bottom);
      int out[4] = {-99, -99, -99, -99};
      EXPECT_EQ(CLeftView::GetRectChange(o, n, out), row.code);
      for (int k = 0; k < 4; ++k) EXPECT_EQ(out[k], row.out[k]) << k;
      double scale[2] = {0, 0}, shift[2] = {0, 0};
      EXPECT_EQ(CLeftView::GetRectChange(o, n, scale, shift), row.code);
      CRect nn(n);
      nn.NormalizeRect();
      const CRect oo(o);
      const bool sx = row.code == 2 || row.code == 4 || row.code >= 5;
      const bool sy = row.code == 1 || row.code == 3 || row.code >= 5;
      EXPECT_DOUBLE_EQ(scale[0], sx ? static_cast<double>(nn.Width()) / oo.Width() : 1.0);
      EXPECT_DOUBLE_EQ(scale[1], sy ? static_cast<double>(nn.Height()) / oo.Height() : 1.0);
      EXPECT_DOUBLE_EQ(shift[0], row.out[2]);
      EXPECT_DOUBLE_EQ(shift[1], row.out[3]);
    }
  }
  // All four edges moved, or nothing at all.
  int out[4] = {7, 7, 7, 7};
  EXPECT_EQ(CLeftView::GetRectChange(o, RECT{90, 90, 220, 170}, out), 14);
  EXPECT_EQ(CLeftView::GetRectChange(o, RECT{200, 150, 100, 100}, out), 14);
  EXPECT_EQ(out[0], 7);
  // Half truncates toward zero: an odd difference.
  EXPECT_EQ(CLeftView::GetRectChange(o, RECT{99, 100, 200 + 2, 160}, out), 9);
  EXPECT_EQ(out[2], 1);
}

class TrackerFeedback : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    view->resize(600, 400);
    index = AddShape(TYPE_RECTANGLE, 30, 20);
    At<CRectangleObject>(index)->m_bKeepAspect = 1;
  }
  // The rectangle the view reports for a drag to r, or r itself without an override.
  CRect Feedback(int trackerIndex, RECT old, RECT r) {
    view->InitTracker(trackerIndex, old, FALSE);
    std::unique_ptr<CDC> dc = view->GetDC();
    view->OnTrackerDrawRect(reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(&r));
    const CObjectTracker* t = view->GetTracker();
    return t->m_bOverride ? CRect(t->m_rcOverride) : CRect(r);
  }
  int index = 0;
};

TEST_F(TrackerFeedback, KeepAspectCorrectionsOfCornersAndEdges) {
  const RECT o{100, 100, 200, 150};
  // Bottom-right corner to height 80: width 160.
  EXPECT_EQ(Feedback(index, o, RECT{100, 100, 210, 180}), CRect(100, 100, 260, 180));
  // The same handle moved only down (code 3): the width follows, centred on the old centre.
  EXPECT_EQ(Feedback(index, o, RECT{100, 100, 200, 180}), CRect(70, 100, 230, 180));
  // Right edge to width 120: height 60, 5 up and 5 down.
  EXPECT_EQ(Feedback(index, o, RECT{100, 100, 220, 150}), CRect(100, 95, 220, 155));
  // A left corner keeps the right edge.
  EXPECT_EQ(Feedback(index, o, RECT{90, 100, 200, 170}), CRect(60, 100, 200, 170));
  // On a multi-selection the edges are not corrected, and the change is the right edge.
  EXPECT_EQ(Feedback(-1, o, RECT{100, 100, 220, 150}), CRect(100, 100, 220, 150));
  int out[4];
  EXPECT_EQ(CLeftView::GetRectChange(o, RECT{100, 100, 220, 150}, out), 4);
  // Without keep-aspect nothing is corrected and the override goes.
  At<CRectangleObject>(index)->m_bKeepAspect = 0;
  EXPECT_EQ(Feedback(index, o, RECT{100, 100, 210, 180}), CRect(100, 100, 210, 180));
  EXPECT_EQ(view->GetTracker()->m_bOverride, 0);
  // The skip flag swallows one feedback drawing.
  view->m_bSkipTrackerDraw = 1;
  At<CRectangleObject>(index)->m_bKeepAspect = 1;
  EXPECT_EQ(Feedback(index, o, RECT{100, 100, 210, 180}), CRect(100, 100, 210, 180));
  EXPECT_EQ(view->m_bSkipTrackerDraw, 0);
}

TEST_F(TrackerFeedback, ZeroSizedTrackersGiveFiniteNumbersAndCommitNothing) {
  const RECT flat{100, 120, 200, 120}, thin{150, 100, 150, 160}, dot{150, 120, 150, 120};
  const RECT targets[] = {{110, 130, 210, 130}, {100, 110, 200, 140}, {90, 120, 210, 120}, {100, 100, 220, 150},
                          {150, 90, 150, 170},  {140, 100, 160, 160}, {150, 120, 170, 140}, {130, 100, 150, 120}};
  for (const RECT& old : {flat, thin, dot}) {
    for (const RECT& n : targets) {
      double scale[2] = {0, 0}, shift[2] = {0, 0};
      CLeftView::GetRectChange(old, n, scale, shift);
      EXPECT_TRUE(std::isfinite(scale[0]) && std::isfinite(scale[1]));
      // Keep-aspect feedback on a flat single object: no division, no correction.
      const CRect f = Feedback(index, old, n);
      EXPECT_EQ(f, CRect(n));
    }
  }
  // A multi-selection one pixel line high resized upward: nothing reaches the document.
  view->show();
  QApplication::processEvents();
  const int b = AddShape(TYPE_RECTANGLE, 10, 10, 30, 0);
  const int flags[3] = {1, 1, 0};
  doc->SetMultiSelection(flags, 3);
  view->InitTracker(-1, RECT{100, 120, 300, 120}, FALSE);
  const double w0 = At<CRectangleObject>(b)->m_dWidth, h0 = At<CRectangleObject>(b)->m_dHeight;
  CObjectTracker* t = view->GetTracker();
  const CRect start(t->GetTrackRect());
  ASSERT_TRUE(t->Track(view.get(), POINT{200, 124}, TRUE));  // the bottom handle
  t->TrackMove(POINT{200, 154});
  t->TrackRelease(POINT{200, 154});
  EXPECT_EQ(At<CRectangleObject>(b)->m_dWidth, w0);
  EXPECT_EQ(At<CRectangleObject>(b)->m_dHeight, h0);
  EXPECT_TRUE(std::isfinite(At<CRectangleObject>(b)->m_dPosX));
  EXPECT_EQ(CRect(view->GetTracker()->m_rect), start);
}

TEST(RectTrackerHandles, EdgeHandlesNeedThreeHandleSizesAndHitCodesCoverEveryHandle) {
  CRectTracker t;
  t.m_nStyle = CRectTracker::dottedLine | CRectTracker::resizeOutside;
  t.m_nHandleSize = 8;
  t.m_rect = CRect(100, 100, 124, 123);
  EXPECT_EQ(t.GetHandleMask(), 0x0Fu | 0x50u);  // 24 wide, 23 high
  t.m_rect = CRect(100, 100, 123, 124);
  EXPECT_EQ(t.GetHandleMask(), 0x0Fu | 0xA0u);
  t.m_rect = CRect(100, 100, 200, 150);
  EXPECT_EQ(t.GetHandleMask(), 0xFFu);
  const POINT at[] = {{96, 96}, {204, 96}, {204, 154}, {96, 154}, {150, 96}, {204, 125}, {150, 154}, {96, 125}, {150, 125}};
  for (int code = 0; code < 9; ++code) EXPECT_EQ(t.HitTest(at[code]), code);
  EXPECT_EQ(t.HitTest(POINT{300, 300}), -1);
  EXPECT_EQ(t.HitTest(POINT{91, 91}), -1);
  // No drag where nothing is hit.
  EXPECT_FALSE(t.Track(nullptr, POINT{150, 125}, TRUE));
}

}  // namespace
