// CPaintEditor: the bitmap editor that runs inside the canvas view while the document is in
// paint mode. It edits a copy of the object's picture (the current snapshot); every change adds a
// step to the undo list, and only EndEdit with write-back hands the current picture to the object.
// Coordinates: client pixels; canvas pixels = client + scroll position;
// image pixels = (canvas - margin) x 10 / zoom, cut toward zero.
#pragma once

#include <deque>
#include <memory>
#include <vector>

#include <QCursor>

#include "imaging/paint_tools.h"
#include "model/bmpobject.h"
#include "platform/gdi/gdi.h"
#include "platform/wintypes.h"

class CKorvaneDoc;
class CScrollView;
class CLeftView;
class CDibImage;
class CRectTracker;
class IDocMainFrame;

class CPaintEditor {
 public:
  CPaintEditor();
  virtual ~CPaintEditor();
  CPaintEditor(const CPaintEditor&) = delete;
  CPaintEditor& operator=(const CPaintEditor&) = delete;

  // ---- called by the canvas view
  // Remembers the owner view (before its window exists), loads the cursors, clears the pending
  // state.
  virtual void Attach(CScrollView* owner);
  // Starts editing a copy of the object's image; canvas gets the canvas size in pixels at the
  // current zoom. FALSE when the picture is empty.
  virtual BOOL BeginEdit(CKorvaneDoc* doc, CBmpObject* object, SIZE* canvas);
  // Ends editing; giveBack hands the edited image back to the object.
  virtual void EndEdit(BOOL giveBack);
  // Paints the whole image-edit view into the view's device context (canvas coordinates).
  virtual void Draw(CDC* pDC);
  // The view's new scroll position after it scrolled.
  virtual void OnHScroll(int pos);
  virtual void OnVScroll(int pos);
  // The view was resized; the layout follows with the current scroll positions.
  virtual void OnSize(int hpos, int vpos);
  // Zoom in tenths (0 fits the window); canvas gets the canvas size at that zoom.
  virtual double SetZoom(int zoom, SIZE* canvas);
  // The view's scroll position the editor paints against.
  virtual void StoreScrollPos(int x, int y) { m_ptScroll = CPoint(x, y); }
  // The whole client area repainted (erasing).
  virtual void Redraw();

  virtual void OnLButtonDown(UINT flags, int x, int y);
  virtual void OnLButtonUp(UINT flags, int x, int y);
  virtual void OnLButtonDblClk(UINT flags, int x, int y) { (void)flags, (void)x, (void)y; }
  virtual void OnRButtonDown(UINT flags, int x, int y);
  virtual void OnRButtonUp(UINT flags, int x, int y);
  virtual void OnMouseMove(UINT flags, int x, int y);
  // The pointer left the client area: the brush preview goes.
  virtual void OnNcMouseMove();

  // ---- called by the document and the tool page
  // Returns the previous tool code.
  int SetTool(int code);
  // Drops an open polygon: 1 when there was one.
  int CancelPolygon();
  void SetGrid(int on);
  // ---- selection, clipboard, undo, filters (paint_selection.cpp)
  // Drops what could be redone and makes the given picture (taken over), or for null the
  // current one with the pending operation and a floating picture merged, the current snapshot.
  // Returns the number of snapshots the undo list reaches.
  int PushSnapshot(CBmpEditObject* snapshot);
  void UndoRedo(int redo);
  BOOL CanUndoRedo(int redo) const;
  // A new 1-bit bitmap of the selection (the caller owns it), null without one; 0 cuts.
  HBITMAP CopySelection(int copy);
  BOOL PasteBitmap(HBITMAP bitmap);
  void DropSelection();
  void CancelSelection(int flag);
  void EndFloating();
  void ShowContextMenu(int inside);
  void Thicken(int x, int y, int same);
  void ExtractOutline();
  void Invert();
  void FillSelection(int white);
  BOOL SaveImage(const CString& path);

  // ---- tools (paint_tools.cpp)
  void BeginTool(const PaintPoint& pt, int button);
  void ContinueTool(const PaintPoint& pt);
  void FinishTool(const PaintPoint& pt);
  void EndStroke();
  // Current snapshot, pending operation and floating picture at image scale into dc (a memory
  // DC with a 1-bit bitmap of the image size selected).
  void RenderImage(CDC* dc);
  // The area a square of half-size e sweeps from (a, b) to (c, d).
  static void BuildSweptRegion(CRgn& rgn, int a, int b, int c, int d, int e);

  // ---- mouse helpers
  // The point record of a client point; FALSE outside the shown image.
  BOOL ViewToImage(int x, int y, PaintPoint& out);
  void UpdateCursor(const PaintPoint& pt);
  void DrawBrushPreview(const PaintPoint& pt);

  // ---- for tests and the document
  int GetSnapshotCount() const { return m_pCurrent ? static_cast<int>(m_Steps.size()) + 1 : 0; }
  int GetUndoPos() const { return m_nUndoPos; }
  CBmpEditObject* GetCurrentSnapshot() const { return m_pCurrent; }
  CDibImage* GetFloating() const { return m_pFloating; }
  const CRect& GetDirtyRect() const { return m_rcDirty; }
  CSize GetMargin() const { return m_szMargin; }
  CSize GetShownSize() const { return CSize(m_nShownW, m_nShownH); }
  CSize GetCanvasSize() const { return CSize(m_nCanvasW, m_nCanvasH); }
  CSize GetImageSize() const { return CSize(m_nImageW, m_nImageH); }
  double GetZoom() const { return m_dZoom; }
  int IsZoomed() const { return m_bZoomed; }
  int IsGridShown() const { return m_bGridShown; }
  const std::vector<BYTE>& GridBits() const { return m_GridBits; }
  int GridStride() const { return m_nGridStride; }
  const CRect& GetSelection() const { return m_rcSelect; }
  CPaintOperation* GetPending() const { return m_pPending; }
  CBmpObject* GetSourceObject() const { return m_pSource; }
  int IsEditing() const { return m_pCurrent != nullptr; }
  const Qt::CursorShape* CursorShapes() const { return m_hCursorShape; }
  const QCursor& CurrentCursor() const { return m_curShown; }
  // Where the last context menu opened (canvas pixels): the paste target.
  CPoint m_ptContext;

  // The brush preview's rectangle; the view empties it when it is activated in paint mode.
  CRect m_rcBrush;
  int m_nTool = 0;
  int m_nPenSize = 1;
  int m_nPenShape = 0;
  int m_bFill = 0;
  int m_bGridOn = 0;

 protected:
  CScrollView* m_pOwner = nullptr;
  CPoint m_ptScroll;

 private:
  friend class CPaintEditorTestAccess;
  CLeftView* View() const;
  IDocMainFrame* Frame() const;
  void ClearHistory();
  void DeletePending();
  CRect ClientRect() const;
  // Image rectangle to client pixels (normalised).
  CRect ImageToClient(const RECT& image) const;
  int Zoom10(int v) const;         // v x zoom / 10, cut toward zero
  int WholeZoom() const;           // the zoom cut to a whole number
  void Invalidate(const RECT& client, BOOL erase);
  void InvalidatePadded(const RECT& image, int pad, BOOL join);
  void InvalidateAll(BOOL erase);
  void UpdateView();
  void BuildGrid();
  // The source and target rectangles of a partial redraw; FALSE when nothing is to be drawn.
  BOOL PartialRects(CRect& src, CRect& dst) const;
  void DrawClipMask(CDC* dc);
  // A memory DC with a fresh 1-bit bitmap that RenderImage filled: of the whole image, or of
  // `part` of it (image pixels), the DC's origin at the part's top left.
  BOOL RenderToMemory(CDC& dc, CBitmap& bitmap, const CRect* part = nullptr);
  // Grid row `y` (shown pixels from the image's top) from shown column x0, `width` pixels, into
  // `row` (zeroed; 1 bits white).
  void GridRow(BYTE* row, int x0, int width, int y) const;
  // The grid over `shown` (shown pixels from the image's top left) as a bitmap of its size.
  BOOL MakeGridPart(CBitmap& bitmap, const CRect& shown) const;
  CBmpEditObject* SnapshotFromBitmap(CDC& dc, CBitmap& bitmap);
  // The picture as shown, rendered and read back whole.
  CBmpEditObject* MakeWholeSnapshot();
  // One step of the undo list, between two neighbouring snapshots: what the snapshot on its other
  // side holds and the current one does not, as blocks of stored bytes or the whole picture.
  // Applying it swaps that with the current picture, so one record undoes and then redoes.
  struct ByteBlock {
    int row0 = 0, rows = 0;     // stored rows
    size_t col0 = 0, cols = 0;  // bytes within a row
    std::vector<BYTE> bytes;
  };
  struct UndoStep {
    std::unique_ptr<CBmpEditObject> whole;
    std::vector<ByteBlock> blocks;
    bool trimmed = false;  // m_bTrimmed of the other side
    CRect area;            // image pixels the blocks change on screen
  };
  void ApplyStep(UndoStep& step);
  // A block of the current picture's stored bytes, copied out.
  ByteBlock CutBlock(int row0, int rows, size_t col0, size_t cols) const;
  // The steps newer than the current snapshot go: they can no longer be redone.
  void DropRedo();
  // The oldest steps go past the undo list's length.
  void KeepNewestSteps();
  // The current picture becomes one step back; `snapshot` (taken over) the current one.
  void PushWhole(CBmpEditObject* snapshot);
  // The pending operation and a floating picture merged into the current picture.
  void CommitChange();
  // The picture rectangle the pending operation and a floating picture draw into, widened to
  // whole bytes of a row (empty: nothing); FALSE when it cannot be told.
  BOOL ChangedRect(CRect& changed) const;
  // Whether the snapshot's pixel bits are what a read-back of its own pixels gives (its size and
  // the read-back's palette), so that a part can be laid into them.
  bool IsPlainSnapshot(const CBmpEditObject& snap) const;
  // No bit set past the picture's right edge in any stored row, as a read-back leaves it.
  bool RowsTrimmed(const CBmpEditObject& snap) const;
  // `part` of the current picture rendered, read back and laid into it in place, the bytes it
  // replaced kept as a step; FALSE when it could not be rendered.
  bool LayPart(const CRect& part);
  void FloodFillAt(const PaintPoint& pt, int button);
  void PolygonClick(const PaintPoint& pt, int button);
  CRect ClipToImage(CRect r) const;
  // The filters' common pattern over a copy of the current snapshot.
  template <class F>
  void ApplyFilter(F&& filter, int growX, int growY);
  void FinishBand();

  CKorvaneDoc* m_pDoc = nullptr;
  std::vector<BYTE> m_GridBits;
  int m_nGridStride = 0;
  CDibImage* m_pFloating = nullptr;
  CRectTracker* m_pTracker = nullptr;
  CPaintOperation* m_pPending = nullptr;
  // Newest first: m_Steps[k] lies between snapshot k + 1 and snapshot k (0 the newest), and
  // m_pCurrent (owned) is snapshot m_nUndoPos.
  std::deque<UndoStep> m_Steps;
  int m_nUndoPos = 0;
  // The current picture's rows have no bit past its right edge, so that a rendered part can be
  // laid into it and leave it as a whole read-back would.
  bool m_bTrimmed = false;
  CSize m_szMargin;
  CRect m_rcDirty;
  CRect m_rcStrip[4];
  int m_bGridShown = 0;
  CBmpEditObject* m_pCurrent = nullptr;
  CBmpObject* m_pSource = nullptr;
  int m_nImageW = 0;
  int m_nImageH = 0;
  int m_nShownW = 0;
  int m_nShownH = 0;
  int m_nCanvasW = 0;
  int m_nCanvasH = 0;
  int m_bFloatDrag = 0;
  PaintPoint m_ptDrag;
  Qt::CursorShape m_hCursorShape[4] = {Qt::ArrowCursor, Qt::CrossCursor, Qt::SizeAllCursor, Qt::ArrowCursor};
  QCursor m_hCursor[4];
  QCursor m_curShown;
  int m_nCursorShown = -1;
  double m_dZoom = 10.0;
  int m_bZoomed = 1;
  COLORREF m_crRight = 0xFFFFFF;
  COLORREF m_crLeft = 0;
  PaintPoint m_ptLast;
  PaintPoint m_ptAnchor;
  int m_bLeftStroke = 0;
  int m_bRightStroke = 0;
  int m_bPolyStart = 1;
  int m_bPolyOpen = 0;
  int m_bPreviewHidden = 1;
  int m_bPreviewFirst = 1;
  int m_nClipPart = 0;
  int m_nClipShape = 0;
  double m_dClipCorner = 0.0;
  double m_dClipW = 0.0;
  double m_dClipH = 0.0;
  CRect m_rcSelect;
  // The rubber band of range select (client pixels) while its button is held.
  int m_bBand = 0;
  CRect m_rcBand;
  // The key of the picture this editor put on the clipboard (0: none), cleared again by the
  // destructor while it is still there.
  qint64 m_nOwnPicture = 0;
  // Every snapshot rendered whole, as the reference the part-wise snapshots are checked against.
  bool m_bWholeSnapshots = false;

 public:
  // Called right after the editor's picture went onto the clipboard.
  void NoteOwnClipboard();
};
