// The canvas never shows what is not there: after every mouse operation, once the pending paint
// has run, the window surface equals a full repaint of the same state, pixel for pixel. Scripted
// sequences of clicks, bands, drags, resizes, Esc, context menus, paint mode and seal moves run
// with single and multiple selections at two zoom levels, and the surface is compared after each.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QScrollBar>
#include <QWheelEvent>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "canvas/canvas_frame.h"
#include "canvas/object_tracker.h"
#include "canvas_fixture.h"
#include "platform/ui/modal_dialogs.h"
#include "res/dialog_134.h"

namespace {

class FrameForMenus : public ICanvasFrame {
 public:
  void ShowCursorPosMm(double, double) override {}
  BOOL IsCommandEnabled(UINT) override { return TRUE; }
  void OnCommand(UINT) override {}
};

class RepaintInvariant : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    view->SetCanvasFrame(&frame);
    ShowView();
  }

  QWidget* Viewport() { return view->viewport(); }
  void Press(QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QTest::mousePress(Viewport(), b, m, p);
  }
  void Release(QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QTest::mouseRelease(Viewport(), b, m, p);
  }
  // A move with the left button held, as the pointer sends it during a drag.
  void DragTo(QPoint p) {
    QMouseEvent e(QEvent::MouseMove, QPointF(p), Viewport()->mapToGlobal(QPointF(p)), Qt::NoButton, Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(Viewport(), &e);
  }
  void Click(QPoint p, Qt::KeyboardModifiers m = Qt::NoModifier) {
    Press(p, Qt::LeftButton, m);
    Release(p, Qt::LeftButton, m);
  }
  void Drag(QPoint from, QPoint to) {
    Press(from);
    DragTo((from + to) / 2);
    DragTo(to);
    Release(to);
  }
  void Escape() { QTest::keyClick(view.get(), Qt::Key_Escape); }
  // A band from the bottom-right corner of the client area to its top-left one.
  void BandAroundEverything() {
    Drag(QPoint(Viewport()->width() - 3, Viewport()->height() - 3), QPoint(3, 3));
    ASSERT_EQ(view->GetTrackObject(), -1);
  }
  // A drag of the selection by its middle.
  void MoveSelection(QPoint by) {
    const QPoint from = Centre(Tracker());
    Drag(from, from + by);
  }
  QPoint EmptyCorner() { return QPoint(Viewport()->width() - 3, 3); }

  static QPoint Centre(const CRect& r) { return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); }
  // Shapes are hit on their frame band only.
  static QPoint OnBand(const CRect& r) { return QPoint(r.left + 2, (r.top + r.bottom) / 2); }
  CRect Tracker() {
    CRect t(view->GetTracker()->GetTrackRect());
    t.NormalizeRect();
    return t;
  }

  // Runs what the operation left pending, then compares the surface with a full repaint.
  void ExpectShowsTheDesign(const std::string& step) {
    const StalePixels stale = CompareWithFullRepaint();
    ASSERT_GE(stale.count, 0) << step << ": the surface changed its size";
    EXPECT_EQ(stale.count, 0) << "zoom " << zoom << ", after " << step << ": stale pixels within " << stale.x << ","
                              << stale.y << " " << stale.width << "x" << stale.height << ", first at" << stale.first;
  }

  void TearDown() override {
    view->SetCanvasFrame(nullptr);
    CanvasTest::TearDown();
  }

  FrameForMenus frame;
  int zoom = 9;
};

// A design of several kinds spread over the page: A and B side by side, text and a bitmap below.
struct Design {
  int a = 0, b = 0, text = 0, arc = 0, bmp = 0;
};

class RepaintInvariantDesign : public RepaintInvariant {
 protected:
  Design Make() {
    Design d;
    d.a = AddShape(TYPE_RECTANGLE, 20, 14, -30, 14);
    d.b = AddShape(TYPE_CIRCLE, 16, 16, 2, 14);
    d.text = AddShape(TYPE_TEXT1, 24, 8, -25, -14);
    d.arc = AddShape(TYPE_TEXT2, 20, 20, 14, -14);
    d.bmp = AddBitmap(MakeImage(40, 40, [](int x, int y) { return (x / 5 + y / 5) % 2 == 0; }), 10, 10, 32, 16);
    return d;
  }
  void Start(int z) {
    zoom = z;
    g_bModified = 0;
    view->DeleteTracker(FALSE);
    doc->OnNewDocument();
    d = Make();
    Repaint(zoom);
    QApplication::processEvents();
  }
  Design d;
};

TEST_F(RepaintInvariantDesign, SingleSelectionClicksDragsResizesAndEscape) {
  for (int z : {9, 15}) {
    Start(z);
    ExpectShowsTheDesign("the first paint");
    Click(OnBand(ClientRectOf(d.a)));
    ASSERT_EQ(view->GetTrackObject(), d.a);
    ExpectShowsTheDesign("a click on A");
    Click(Centre(ClientRectOf(d.text)));
    ASSERT_EQ(view->GetTrackObject(), d.text);
    ExpectShowsTheDesign("a click on the text");
    Click(QPoint(12, 12));
    ASSERT_EQ(view->GetTrackObject(), -2);
    ExpectShowsTheDesign("a click on empty canvas");
    Click(OnBand(ClientRectOf(d.a)), Qt::ControlModifier);
    ASSERT_EQ(view->GetTrackObject(), d.a);
    ExpectShowsTheDesign("a ctrl-click on A");
    // A press that selects drags at once.
    Drag(OnBand(ClientRectOf(d.b)), OnBand(ClientRectOf(d.b)) + QPoint(23, 17));
    ASSERT_EQ(view->GetTrackObject(), d.b);
    ExpectShowsTheDesign("a drag of B by a press that selects it");
    Drag(OnBand(ClientRectOf(d.b)), OnBand(ClientRectOf(d.b)) + QPoint(-31, -9));
    ExpectShowsTheDesign("a drag of the selected B");
    CRect t = Tracker();
    Drag(QPoint(t.right + 4, (t.top + t.bottom) / 2), QPoint(t.right + 30, (t.top + t.bottom) / 2));
    ExpectShowsTheDesign("a right-edge resize of B");
    t = Tracker();
    Drag(QPoint(t.left - 4, (t.top + t.bottom) / 2), QPoint(t.left + 25, (t.top + t.bottom) / 2));
    ExpectShowsTheDesign("a left-edge resize of B that shrinks it");
    t = Tracker();
    Drag(QPoint(t.right + 4, t.bottom + 4), QPoint(t.right - 20, t.bottom - 14));
    ExpectShowsTheDesign("a bottom-right corner resize of B that shrinks it");
    t = Tracker();
    Drag(QPoint(t.left - 4, t.top - 4), QPoint(t.left - 20, t.top - 25));
    ExpectShowsTheDesign("a top-left corner resize of B");
    // Keep-aspect: the edge drag changes both sides.
    Click(Centre(ClientRectOf(d.arc)));
    ASSERT_EQ(view->GetTrackObject(), d.arc);
    At<CText2Object>(d.arc)->m_bKeepAspect = 1;
    t = Tracker();
    Drag(QPoint((t.left + t.right) / 2, t.top - 4), QPoint((t.left + t.right) / 2, t.top - 30));
    ExpectShowsTheDesign("a keep-aspect top-edge drag of the arc text");
    t = Tracker();
    Drag(QPoint(t.right + 4, t.bottom + 4), QPoint(t.right - 22, t.bottom - 5));
    ExpectShowsTheDesign("a keep-aspect corner drag of the arc text");
    // Esc during a drag: the feedback goes and nothing moves.
    const QPoint p = Centre(Tracker());
    Press(p);
    DragTo(p + QPoint(40, 30));
    Escape();
    Release(p + QPoint(40, 30));
    ExpectShowsTheDesign("Esc during a drag");
    // A move back to the start commits nothing.
    Press(p);
    DragTo(p + QPoint(25, 0));
    DragTo(p);
    Release(p);
    ExpectShowsTheDesign("a drag back to its start");
    Click(QPoint(12, 12));
    ExpectShowsTheDesign("deselecting the arc text");
  }
}

TEST_F(RepaintInvariantDesign, MultipleSelectionBandsDragsResizesAndEscape) {
  for (int z : {9, 15}) {
    Start(z);
    const CRect ra = ClientRectOf(d.a), rb = ClientRectOf(d.b);
    // A band around one object selects it alone.
    Drag(QPoint(ra.left - 10, ra.top - 10), QPoint(ra.right + 10, ra.bottom + 10));
    ASSERT_EQ(view->GetTrackObject(), d.a);
    ExpectShowsTheDesign("a band around A");
    Drag(QPoint(std::min(ra.left, rb.left) - 12, std::min(ra.top, rb.top) - 12),
         QPoint(std::max(ra.right, rb.right) + 12, std::max(ra.bottom, rb.bottom) + 12));
    ASSERT_EQ(view->GetTrackObject(), -1);
    ExpectShowsTheDesign("a band around A and B");
    CRect t;
    MoveSelection(QPoint(37, 21));
    ExpectShowsTheDesign("a drag of A and B");
    MoveSelection(QPoint(-52, -8));
    ExpectShowsTheDesign("a second drag of A and B");
    t = Tracker();
    Drag(QPoint(t.right + 4, t.bottom + 4), QPoint(t.right + 30, t.bottom + 11));
    ExpectShowsTheDesign("a bottom-right corner resize of A and B");
    t = Tracker();
    Drag(QPoint(t.left - 4, t.top - 4), QPoint(t.left + 30, t.top + 10));
    ExpectShowsTheDesign("a top-left corner resize that shrinks A and B");
    t = Tracker();
    Drag(QPoint(t.right + 4, (t.top + t.bottom) / 2), QPoint(t.right - 25, (t.top + t.bottom) / 2));
    ExpectShowsTheDesign("a right-edge resize of A and B");
    t = Tracker();
    Drag(QPoint((t.left + t.right) / 2, t.bottom + 4), QPoint((t.left + t.right) / 2, t.bottom + 30));
    ExpectShowsTheDesign("a bottom-edge resize of A and B");
    t = Tracker();
    Press(Centre(t));
    DragTo(Centre(t) + QPoint(30, 40));
    Escape();
    Release(Centre(t) + QPoint(30, 40));
    ExpectShowsTheDesign("Esc during a drag of A and B");
    // Every object, texts and the bitmap included, then a drag of all.
    ASSERT_NO_FATAL_FAILURE(BandAroundEverything());
    ExpectShowsTheDesign("a band around everything");
    MoveSelection(QPoint(-15, 26));
    ExpectShowsTheDesign("a drag of everything");
    t = Tracker();
    Drag(QPoint(t.right + 4, t.bottom + 4), QPoint(t.right + 40, t.bottom + 25));
    ExpectShowsTheDesign("a corner resize that grows everything");
    t = Tracker();
    Drag(QPoint(t.left - 4, (t.top + t.bottom) / 2), QPoint(t.left + 60, (t.top + t.bottom) / 2));
    ExpectShowsTheDesign("a left-edge resize that shrinks everything");
    Click(EmptyCorner());
    ExpectShowsTheDesign("a click on empty canvas after a multi-selection");
    Drag(QPoint(5, 5), QPoint(20, 20));
    ExpectShowsTheDesign("a band that encloses nothing");
    Press(QPoint(5, 5));
    DragTo(QPoint(60, 40));
    DragTo(QPoint(90, 70));
    Escape();
    Release(QPoint(90, 70));
    ExpectShowsTheDesign("Esc during a band");
  }
}

// A band or a drag meets a scroll by the bar, a wheel step or a zoom while the button is held:
// it ends as Esc ends it, and neither its rectangle nor its later moves leave pixels behind.
TEST_F(RepaintInvariantDesign, ABandOrADragEndsWhenTheViewScrollsOrZooms) {
  const std::vector<std::pair<std::string, std::function<void()>>> interruptions = {
      {"a scroll by the bar", [this] { view->verticalScrollBar()->setValue(view->verticalScrollBar()->value() + 37); }},
      {"a wheel step",
       [this] {
         const QPointF at(120, 90);
         QWheelEvent wheel(at, Viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::LeftButton, Qt::NoModifier,
                           Qt::NoScrollPhase, false);
         QApplication::sendEvent(Viewport(), &wheel);
       }},
      {"a zoom", [this] { doc->SetZoom(zoom - 1); }},
  };
  for (const auto& [what, interrupt] : interruptions) {
    for (int moves : {1, 3}) {
      SCOPED_TRACE(what + ", " + std::to_string(moves) + " moves");
      Start(15);
      ASSERT_GT(view->GetScrollLimit(SB_VERT), 40);
      const int before = view->GetScrollPos(SB_VERT);
      Press(QPoint(5, 5));
      for (int k = 1; k <= moves; ++k) DragTo(QPoint(5 + 40 * k, 5 + 30 * k));
      interrupt();
      if (what != "a zoom") {
        ASSERT_NE(view->GetScrollPos(SB_VERT), before);
      }
      ExpectShowsTheDesign(what + " during a band");
      DragTo(QPoint(200, 160));
      ExpectShowsTheDesign("a move after " + what + " during a band");
      Release(QPoint(200, 160));
      ExpectShowsTheDesign("the release after " + what + " during a band");
      EXPECT_EQ(view->GetTrackObject(), -2);
      // The next band works as ever.
      const CRect ra = ClientRectOf(d.a);
      Drag(QPoint(ra.left - 10, ra.top - 10), QPoint(ra.right + 10, ra.bottom + 10));
      EXPECT_EQ(view->GetTrackObject(), d.a);
      ExpectShowsTheDesign("a band after " + what);

      // A drag of the selection meets the same: it ends as Esc ends it, and A stays put.
      const double x = At<CRectangleObject>(d.a)->m_dPosX, y = At<CRectangleObject>(d.a)->m_dPosY;
      const QPoint from = Centre(Tracker());
      Press(from);
      for (int k = 1; k <= moves; ++k) DragTo(from + QPoint(9 * k, 7 * k));
      interrupt();
      ExpectShowsTheDesign(what + " during a drag");
      DragTo(from + QPoint(40, 30));
      ExpectShowsTheDesign("a move after " + what + " during a drag");
      Release(from + QPoint(40, 30));
      ExpectShowsTheDesign("the release after " + what + " during a drag");
      EXPECT_EQ(view->GetTrackObject(), d.a);
      EXPECT_EQ(At<CRectangleObject>(d.a)->m_dPosX, x);
      EXPECT_EQ(At<CRectangleObject>(d.a)->m_dPosY, y);
    }
  }
}

// A resize commits through millimetres, and the frame is placed from the bounds the next paint
// measures: by some steps they land a pixel off the dragged rectangle. Every handle of a
// selection of everything, dragged by steps of a few pixels, leaves the frame and its handles
// whole.
TEST_F(RepaintInvariantDesign, ResizesByEveryFewPixelsLeaveTheFrameWhole) {
  for (int z : {3, 9}) {
    for (int scroll : {0, 18}) {
      for (const auto& [hx, hy] : {std::pair{0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}, {1, 2}, {0, 2}, {0, 1}}) {
        Start(z);
        view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->value() + scroll);
        ASSERT_NO_FATAL_FAILURE(BandAroundEverything());
        for (int step : {-9, 5, 17, -3, 11}) {
          ASSERT_TRUE(view->GetTracker());
          const CRect t = Tracker();
          const QPoint from(hx == 0 ? t.left - 4 : hx == 2 ? t.right + 4 : (t.left + t.right) / 2,
                            hy == 0 ? t.top - 4 : hy == 2 ? t.bottom + 4 : (t.top + t.bottom) / 2);
          Drag(from, from + QPoint(hx == 1 ? 0 : step, hy == 1 ? 0 : step));
          ExpectShowsTheDesign("zoom " + std::to_string(z) + ", scrolled " + std::to_string(scroll) + ", handle " +
                               std::to_string(hx) + std::to_string(hy) + " by " + std::to_string(step));
          if (HasFailure()) return;
        }
      }
    }
  }
}

// An object added as the drawing bar adds it gets its frame where its first paint measures it:
// that paint erases and draws the whole frame, so nothing is left for a second pass, and a delete
// leaves the design as a full repaint shows it. Each kind at two zoom levels, over the design.
TEST_F(RepaintInvariantDesign, AnAddedObjectsFirstPaintDrawsItsWholeFrame) {
  for (int z : {3, 9}) {
    Start(z);
    for (int kind : {TYPE_RECTANGLE, TYPE_CIRCLE, TYPE_LINE, TYPE_TEXT1, TYPE_TEXT2, TYPE_BARCODE}) {
      const std::string name = "kind " + std::to_string(kind) + " at zoom " + std::to_string(z);
      ASSERT_EQ(doc->AddNewObject(kind), kind);
      view->UpdateWindow();
      ASSERT_TRUE(view->GetTracker()) << name;
      EXPECT_FALSE(view->Surface().HasPending()) << name << ": the frame was left for another paint";
      ExpectShowsTheDesign("adding " + name);
      ASSERT_EQ(doc->DeleteSelection(), 1);
      ExpectShowsTheDesign("deleting " + name);
      if (HasFailure()) return;
    }
  }
}

// A line is drawn turned about its centre, past the box of its length and thickness: turning it
// on its page repaints where it lay and where it lies, and a line added after takes the page's
// angle and is painted whole at once. Two zoom levels, over the design.
TEST_F(RepaintInvariantDesign, ATurnedLineRepaintsItsWholeBodyWhenAddedTurnedOrDeleted) {
  for (int z : {3, 9}) {
    Start(z);
    ASSERT_EQ(doc->AddNewObject(TYPE_LINE), TYPE_LINE);
    ExpectShowsTheDesign("adding a line");
    ASSERT_EQ(doc->SetPropertyDouble(dlg134::IDC_SIZE_X, 120, 0), 1);
    ExpectShowsTheDesign("lengthening it");
    for (double angle : {7.0, 2.371, 33.0, 0.0, -12.0}) {
      ASSERT_EQ(doc->SetPropertyDouble(dlg134::IDC_ANGLE, angle, 0), 1);
      ExpectShowsTheDesign("turning it to " + std::to_string(angle));
    }
    ASSERT_EQ(doc->DeleteSelection(), 1);
    ExpectShowsTheDesign("deleting the turned line");
    ASSERT_EQ(doc->AddNewObject(TYPE_LINE), TYPE_LINE);
    ASSERT_EQ(At<CLineObject>(doc->m_nCurrentIndex)->m_dAngle, -12.0);
    view->UpdateWindow();
    EXPECT_FALSE(view->Surface().HasPending()) << "the added line was left for another paint";
    ExpectShowsTheDesign("adding a line the page turns");
    if (HasFailure()) return;
  }
}

// A capture for a job binds the renderer for the output and gives the canvas its binding back
// for the client as it is then. When the client changed since the last paint (a scroll bar came
// or went without a zoom), the page lies elsewhere and is shown there.
TEST_F(RepaintInvariantDesign, ABindingGivenBackAfterACaptureIsShown) {
  // Zoomed out, so that the page is smaller than the client and the binding follows the client.
  Start(2);
  ExpectShowsTheDesign("the first paint");
  // The view narrower and lower without new scroll sizes: the last binding fits the old client.
  view->resize(view->width() - 37, view->height() - 23);
  QApplication::processEvents();
  ExpectShowsTheDesign("a smaller view");
  int size[2] = {0, 0}, oldZoom = -1;
  CDoubleRect bounds;
  CDC dc;
  view->GetBitmapDC(&dc, size, &bounds, &oldZoom);
  CLeftView::ReleaseBitmapDC(&dc);
  view->RestoreZoom(doc.get(), oldZoom);
  view->SetRenderMode(RENDER_SCREEN);
  ExpectShowsTheDesign("a capture's binding given back");
  CapturedOutline(d.a, CentreWindow());
  ExpectShowsTheDesign("an outline capture");
}

TEST_F(RepaintInvariantDesign, ContextMenusAndLeavingPaintMode) {
  for (int z : {9, 15}) {
    Start(z);
    prompter.ExpectMenu(0);
    Press(OnBand(ClientRectOf(d.a)), Qt::RightButton);
    Release(OnBand(ClientRectOf(d.a)), Qt::RightButton);
    ExpectShowsTheDesign("a context menu on A");
    prompter.ExpectMenu(0);
    Press(Centre(ClientRectOf(d.bmp)), Qt::RightButton);
    Release(Centre(ClientRectOf(d.bmp)), Qt::RightButton);
    ASSERT_EQ(view->GetTrackObject(), d.bmp);
    ExpectShowsTheDesign("a context menu on the bitmap");
    prompter.ExpectMenu(0);
    Press(QPoint(12, 12), Qt::RightButton);
    Release(QPoint(12, 12), Qt::RightButton);
    ExpectShowsTheDesign("a context menu on empty canvas");
    // Paint mode on the bitmap, then back.
    Click(Centre(ClientRectOf(d.bmp)));
    ASSERT_EQ(doc->m_nCurrentKind, TYPE_BMP);
    ASSERT_EQ(doc->BeginPaintMode(), 1);
    ExpectShowsTheDesign("entering paint mode");
    doc->EndPaintMode();
    ExpectShowsTheDesign("leaving paint mode");
    Click(OnBand(ClientRectOf(d.a)));
    ExpectShowsTheDesign("a click on A after paint mode");
    prompter.VerifyAllUsed();
  }
}

// The seal dialogs answered: a round personal seal of two characters, a corporate seal with its
// ring text, inner frame and top dot.
class RoundSealDialogs : public IModalDialogs {
 public:
  RoundSealDialogs() { m_previous = SetModalDialogs(this); }
  ~RoundSealDialogs() override { SetModalDialogs(m_previous); }
  bool LayerDialog(LayerDialogData&) override { return false; }
  bool OutputModeDialog(OutputModeDialogData&) override { return false; }
  bool FontDialog(FontDialogData&) override { return false; }
  bool PersonalSealDialog(PersonalSealDialogData& d) override {
    d.shape = 0;
    d.width = d.height = 18.0;
    d.frame = 0.5;
    d.style = 0;
    d.fontHist[0] = "IPAMincho";
    d.lines = {CString::FromUtf8("山田")};
    return true;
  }
  bool CorporateSealDialog(CorporateSealDialogData& d) override {
    d.width = d.height = 24.0;
    d.kaibunSize = 25.0;
    d.sotoSize = 0.5;
    d.uchiSize = 0.3;
    d.uchiwaku = 1;
    d.tenmaru = 1;
    d.style = 2;
    d.ringText = CString::FromUtf8("株式会社山田商事");
    d.sotoFont[0] = "IPAMincho";
    d.uchiFont[0] = "IPAMincho";
    d.uchiText.insert(d.uchiText.begin(), CString::FromUtf8("代表印"));
    return true;
  }

 private:
  IModalDialogs* m_previous = nullptr;
};

TEST_F(RepaintInvariant, SealMoves) {
  RoundSealDialogs dialogs;
  for (int z : {9, 15}) {
    zoom = z;
    view->DeleteTracker(FALSE);
    g_bModified = 0;
    doc->BuildPersonalSeal();
    ASSERT_GT(List().GetCount(), 2);
    Repaint(zoom);
    ExpectShowsTheDesign("building the seal");
    // The outer frame and then a character, each moved and resized.
    // The frame is chosen in the object list: its thin ring is hard to hit.
    const int outer = 1, character = List().GetCount() - 1;
    doc->SetCurrentObject(outer, TRUE, TRUE);
    ASSERT_EQ(view->GetTrackObject(), outer);
    ExpectShowsTheDesign("choosing the seal's frame");
    MoveSelection(QPoint(35, 20));
    ExpectShowsTheDesign("a move of the seal's frame");
    CRect t = Tracker();
    Drag(QPoint(t.right + 4, t.bottom + 4), QPoint(t.right + 20, t.bottom + 20));
    ExpectShowsTheDesign("a resize of the seal's frame");
    Click(Centre(ClientRectOf(character)));
    ExpectShowsTheDesign("a click on a character of the seal");
    if (view->GetTrackObject() == character) {
      Drag(Centre(ClientRectOf(character)), Centre(ClientRectOf(character)) + QPoint(-28, 14));
      ExpectShowsTheDesign("a move of a character of the seal");
    }
    ASSERT_NO_FATAL_FAILURE(BandAroundEverything());
    ExpectShowsTheDesign("a band around the whole seal");
    MoveSelection(QPoint(-40, 25));
    ExpectShowsTheDesign("a move of the whole seal");
    Click(EmptyCorner());
    ExpectShowsTheDesign("deselecting the seal");
    // With the mask on, moving the frame moves the mask's hole only where it is drawn.
    doc->ToggleSealMask();
    doc->SetCurrentObject(outer, TRUE, TRUE);
    MoveSelection(QPoint(-20, -30));
    ExpectShowsTheDesign("a move of the masked seal's frame");
    doc->ToggleSealMask();
    ExpectShowsTheDesign("the mask switched off");
  }
}

TEST_F(RepaintInvariant, CorporateSealInnerFrameMovesWithItsMask) {
  RoundSealDialogs dialogs;
  for (int z : {9, 15}) {
    zoom = z;
    view->DeleteTracker(FALSE);
    g_bModified = 0;
    doc->BuildCorporateSeal();
    doc->SetMaskFlag(1, 1);
    Repaint(zoom);
    ExpectShowsTheDesign("building the corporate seal");
    int inner = 0, ring = 0;
    for (int i = 1; i < List().GetCount(); ++i) {
      const CDrawObject* o = List().GetObject(i);
      if (!o->m_bDeleted && o->m_nType == TYPE_CIRCLE && o->m_nGroupId == 2) inner = i;
      if (!o->m_bDeleted && o->m_nType == TYPE_TEXT2) ring = i;
    }
    ASSERT_GT(inner, 0);
    ASSERT_GT(ring, 0);
    // The red ring text, moved on its own.
    doc->SetCurrentObject(ring, TRUE, TRUE);
    ExpectShowsTheDesign("choosing the ring text");
    MoveSelection(QPoint(-24, 31));
    ExpectShowsTheDesign("a move of the ring text");
    doc->SetCurrentObject(inner, TRUE, TRUE);
    ExpectShowsTheDesign("choosing the inner frame");
    MoveSelection(QPoint(26, -18));
    ExpectShowsTheDesign("a move of the inner frame");
    CRect t = Tracker();
    Drag(QPoint(t.left - 4, t.top - 4), QPoint(t.left + 10, t.top + 12));
    ExpectShowsTheDesign("a corner resize of the inner frame");
    ASSERT_NO_FATAL_FAILURE(BandAroundEverything());
    ExpectShowsTheDesign("a band around the corporate seal");
    MoveSelection(QPoint(33, -21));
    ExpectShowsTheDesign("a move of the whole corporate seal");
    doc->SetMaskFlag(1, 0);
  }
}

}  // namespace
