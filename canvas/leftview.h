// CLeftView: the canvas view. It shows the design at the document's zoom (screen painting and
// mouse editing live in their own files) and is the one object through which the rest of the
// system renders the design for output: 1-bit page bitmaps for the raster engines and the image
// toolkit, and outline points in machine units for the outline engines.
//
// Every rendering works on copies of the list entries made by the document and freed before the
// next entry; no stored object is ever drawn. Output renderings and captures never depend on the
// window: they bind the renderer to the fixed page of the settings at zoom factor 1.0.
#pragma once

#include <QPrinter>
#include <memory>
#include <vector>

#include "canvas/measured_rects.h"
#include "model/doc_seams.h"
#include "model/geometry.h"
#include "platform/gdi/gdi.h"
#include "platform/ui/docview.h"
#include "platform/ui/scrollview.h"
#include "platform/wintypes.h"
#include "render/object_renderer.h"
#include "render/text_layout.h"

class CKorvaneDoc;
class CDrawObject;
class CLineObject;
class CRectangleObject;
class CCircleObject;
class CTriangleObject;
class CRhombicObject;
class CPolygonObject;
class CText1Object;
class CText2Object;
class CBmpObject;
class CBarcodeObject;
class CObjectTracker;
class CPaintEditor;
class CGuideLineText;
class ICanvasFrame;
class CBarcodeSymbolCache;
struct BarcodeSymbol;
struct ImageClipShape;

// The ring clip of a seal image (millimetres until scaled).
struct RingClipShape {
  double dOuterWidth = 0.0;
  double dOuterHeight = 0.0;
  double dInnerWidth = 0.0;
  double dInnerHeight = 0.0;
};

// What the renderer reads of the document, taken from the document's settings each time the
// renderer is bound.
class CRenderDocAdapter : public IRenderDocument, public ITextRenderSettings {
 public:
  explicit CRenderDocAdapter(CKorvaneDoc* doc) : m_pDoc(doc) {}
  virtual ~CRenderDocAdapter() = default;
  double GetZoomFactor() const override;
  int GetDrawX() const override;
  int GetDrawY() const override;
  int GetDpm() const override;
  int IsPaintMode() const override;
  int GetV2004String() const override;

 private:
  CKorvaneDoc* m_pDoc;
};

// The grid of copies of one object: copy size and spacing in millimetres, centred on the
// position. Column by column from the left, each column from the bottom row up.
struct CopyGrid {
  double width = 0.0;
  double height = 0.0;
  int rows = 0;
  int columns = 0;
  double rowGap = 0.0;
  double columnGap = 0.0;
  double posX = 0.0;
  double posY = 0.0;

  // The centre of copy (column i, row j), millimetres.
  double CentreX(int i) const;
  double CentreY(int j) const;
  // Bounds of every copy in millimetres (y up); the empty rectangle without rows or columns.
  CDoubleRect Bounds() const;
};

// A paint bound in millimetres: the copies' centres widened by everything they may draw (y up).
struct MmPaintRect {
  double left = 0, right = 0, low = 0, high = 0;
};

// What a text's paint bound is worked out from besides its grid: its own sizes and the extent
// of its text and records (the records' largest changes, not the records themselves, so that a
// check reads each record once and keeps no copy).
struct TextBoundKey {
  double charWidth = 0, charHeight = 0, charGap = 0, lineGap = 0, angle = 0, lineWidthX = 0, lineWidthY = 0;
  double sizeX = 0, sizeY = 0, offsetX = 0, offsetY = 0, thickX = 0, thickY = 0, shrinkX = 0;
  int writeDirection = 0, italic = 0, lines = 0, longest = 0, turned = 0;
  bool operator==(const TextBoundKey&) const = default;
};

class CCullBounds;

class CLeftView : public CScrollView, public IDocCanvasView {
 public:
  // Attaches itself to the document (which may be given later through AttachDocument).
  explicit CLeftView(CKorvaneDoc* doc = nullptr, QWidget* parent = nullptr);
  ~CLeftView() override;
  CLeftView(const CLeftView&) = delete;
  CLeftView& operator=(const CLeftView&) = delete;

  void AttachDocument(CKorvaneDoc* doc);
  // The run's one printer (the application's); null: the view's own one.
  void SetPrinter(QPrinter* printer) { m_pAppPrinter = printer; }
  CKorvaneDoc* GetDocument() const;
  CObjectRenderer* GetRenderer() const { return m_pRenderer; }
  // The renderer's initialised flag; 0 without a renderer.
  int IsRendererReady() const override;
  // A sink for the view's trace lines.
  static void Trace(const char* line);

  // ---- CView
  void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;
  void SetFocus() override;

  // ---- Window and painting (screen side)
  using CScrollView::InvalidateRect;
  BOOL PreCreateWindow();
  void OnInitialUpdate() override;
  void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) override;
  void OnDraw(CDC* pDC) override;
  BOOL OnEraseBkgnd(CDC* pDC) override;
  void OnDrawDraw(CDC* pDC);
  void OnDrawPaint(CDC* pDC);
  BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
  void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
  void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
  void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
  void OnHScroll(UINT code, UINT pos, void* scrollBar) override;
  void OnVScroll(UINT code, UINT pos, void* scrollBar) override;
  void OnSize(UINT type, int cx, int cy) override;
  void OnDestroy() override;
  LRESULT SendMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Scroll sizes from the zoomed page and the window (hints 10010 and 10019).
  void SetScrollSizesForZoom();

  // ---- Commands: 57607 print, 57609 preview, 57608 print without the dialog; 32853-32857 the
  // guide-line text. FALSE for an id the view does not handle.
  BOOL OnCommand(UINT id);
  void OnFilePrintCommand();
  void OnFilePrintPreviewCommand();
  void FilePrint() override;
  void FilePrintPreview() override;
  void OnChoosefont();
  void OnOutline();
  void OnShowguides();
  void OnQuicktest();
  void OnArctest();

  // ---- Mouse editing
  // Loads the five sizing cursors (run from the constructor).
  BOOL Create();
  // The main frame's services (cursor pane, context-menu commands); may stay null.
  void SetCanvasFrame(ICanvasFrame* frame) { m_pFrame = frame; }
  void SetFrame(ICanvasFrame* frame) { SetCanvasFrame(frame); }
  ICanvasFrame* GetCanvasFrame() const { return m_pFrame; }
  void OnLButtonDown(UINT flags, CPoint point) override;
  void OnLButtonUp(UINT flags, CPoint point) override;
  void OnLButtonDblClk(UINT flags, CPoint point) override;
  void OnRButtonDown(UINT flags, CPoint point) override;
  void OnRButtonUp(UINT flags, CPoint point) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  void OnNcMouseMove(UINT hitTest, CPoint point) override;
  void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
  void OnTrackEnded(BOOL result) override;
  // Press handling: the left form may drag the tracker or start a band; the right form only
  // selects.
  void CheckPointL(CPoint point);
  void CheckPointL(CPoint point, BOOL rightForm);
  // The first entry hit at the client point (deleted and hidden-layer entries skipped); out gets
  // its stored bounds as a document device rectangle. -1 for none or when a copy fails.
  int HitTest(CDC* dc, CKorvaneDoc* doc, RECT* out, int x, int y);
  int MakeConnotation(CKorvaneDoc* doc);
  // Flags the entries inside the band (client pixels) and unites their stored bounds.
  int ConnotateTest(CDC* dc, CKorvaneDoc* doc, RECT band, int count, CDoubleRect* bounds);
  void StartDrag(int x, int y);
  void MoveDrag(int x, int y);
  void EndDrag();
  // A scroll or a zoom moves the page under the client corners of a band or a tracker drag: the
  // band or the drag ends as Esc ends it, before the full repaint that follows.
  void EndDragsForRepaint();
  void OnContextMenu(CPoint point);
  void SetTrackerCursor(CPoint point);

  // ---- Tracker management
  void InitTracker(int index, RECT rect, BOOL redraw);
  void ResizeTracker(BOOL redraw);
  void DeleteTracker(BOOL redraw);
  int GetTrackObject() const;
  void ChangeTracker(int index);
  void InvalidateSelectedObjects();
  LRESULT OnTrackerAdjustRect(WPARAM wParam, LPARAM lParam);
  LRESULT OnTrackerChangedRect(WPARAM wParam, LPARAM lParam);
  LRESULT OnTrackerDrawRect(WPARAM wParam, LPARAM lParam);
  CObjectTracker* GetTracker() const { return m_pTracker; }
  // The change code of a drag from old to new (both normalised first); out: width change,
  // height change, x shift, y shift in device pixels.
  static int GetRectChange(RECT oldRect, RECT newRect, int out[4]);
  // The same codes for a multi-selection: scale factors and shifts.
  static int GetRectChange(RECT oldRect, RECT newRect, double scale[2], double shift[2]);

  // ---- Paint mode
  BOOL BeginImageEditView(CKorvaneDoc* doc, CBmpObject* object);
  void EndImageEditView(CKorvaneDoc* doc);
  double SetImageEditZoom(int zoom);
  CPaintEditor* GetPaintEditor() const { return m_pPaintEditor; }
  // Replaces the editor (tests); the view owns the new one.
  void SetPaintEditor(CPaintEditor* editor);

  // ---- Small services
  void GetCurrentFont(LOGFONT* out);
  void RotatePoint(int out[2], int cx, int cy, int x, int y, int degrees);
  void ScaleByZoom(ImageClipShape* shape);
  void ScaleByZoom(RingClipShape* shape);
  CGuideLineText* GetGuideLineText() const { return m_pGuideLineText; }

  // ---- What the document calls (IDocCanvasView)
  void InvalidateRect(const RECT& rect, BOOL erase) override;
  void InvalidateObject(int index) override;
  void InvalidateSelection() override;
  void InvalidateCharRecord(int index, int record) override;
  BOOL CalcObject(CDrawObject* object, CDoubleRect& out) override;
  BOOL GetTrackerIndex(int& index) override;

  // ---- Grid of copies and bounds in millimetres
  static CopyGrid GetCopyGrid(const CDrawObject* object);
  void CalcLine(CLineObject* obj, CDoubleRect& out);
  void CalcRectangle(CRectangleObject* obj, CDoubleRect& out);
  void CalcCircle(CCircleObject* obj, CDoubleRect& out);
  void CalcTriangle(CTriangleObject* obj, CDoubleRect& out);
  void CalcRhombic(CRhombicObject* obj, CDoubleRect& out);
  void CalcPolygon(CPolygonObject* obj, CDoubleRect& out);
  void CalcText1(CText1Object* obj, CDoubleRect& out);
  void CalcText2(CText2Object* obj, CDoubleRect& out);
  void CalcBmp(CBmpObject* obj, CDoubleRect& out);
  void CalcBarcode(CBarcodeObject* obj, CDoubleRect& out);

  // ---- Drawing every copy (screen flag 1 on screen, 0 for print and bitmaps). The object's
  // bounds receive the top-left of the first column's top copy and the bottom-right of the last
  // column's bottom copy, in the current mode's logical units.
  void DrawObject(CDC* pDC, CDrawObject* obj, BOOL screen);
  void DrawLine(CDC* pDC, CLineObject* obj);
  void DrawRectangle(CDC* pDC, CRectangleObject* obj, BOOL screen);
  void DrawCircle(CDC* pDC, CCircleObject* obj, BOOL screen);
  void DrawTriangle(CDC* pDC, CTriangleObject* obj, BOOL screen);
  void DrawRhombic(CDC* pDC, CRhombicObject* obj, BOOL screen);
  void DrawPolygon(CDC* pDC, CPolygonObject* obj, BOOL screen);
  void DrawText1(CDC* pDC, CText1Object* obj);
  void DrawText2(CDC* pDC, CText2Object* obj);
  void DrawBmp(CDC* pDC, CBmpObject* obj);
  void DrawBarcode(CDC* pDC, CBarcodeObject* obj);

  // ---- Engraving every copy in black; the bounds of this object's copies go to bounds (left
  // unchanged without rows or columns).
  void EngraveObject(CDC* pDC, CDrawObject* obj, CDoubleRect* bounds);
  void EngraveLine(CDC* pDC, CLineObject* obj, CDoubleRect* bounds);
  void EngraveRectangle(CDC* pDC, CRectangleObject* obj, CDoubleRect* bounds);
  void EngraveCircle(CDC* pDC, CCircleObject* obj, CDoubleRect* bounds);
  void EngraveTriangle(CDC* pDC, CTriangleObject* obj, CDoubleRect* bounds);
  void EngraveRhombic(CDC* pDC, CRhombicObject* obj, CDoubleRect* bounds);
  void EngravePolygon(CDC* pDC, CPolygonObject* obj, CDoubleRect* bounds);
  void EngraveText1(CDC* pDC, CText1Object* obj, CDoubleRect* bounds);
  void EngraveText2(CDC* pDC, CText2Object* obj, CDoubleRect* bounds);
  void EngraveBmp(CDC* pDC, CBmpObject* obj, CDoubleRect* bounds);
  void EngraveBarcode(CDC* pDC, CBarcodeObject* obj, CDoubleRect* bounds);

  // ---- Outline capture into the buffers (screen logical units; SetOutlineData converts).
  // Each returns the point count (circles: the entry count), 0 when nothing was captured and
  // -1 when no path could be read.
  int GetLinePoints(CDC* pDC, CLineObject* obj);
  int GetRectanglePoints(CDC* pDC, CRectangleObject* obj);
  // Path flag 0: one centre and radius pair per copy, a second pair for the inner ring when the
  // ring has a width. No other flag is used.
  int GetCirclePoints(CDC* pDC, CCircleObject* obj, int pathFlag);
  int GetTrianglePoints(CDC* pDC, CTriangleObject* obj);
  int GetRhombicPoints(CDC* pDC, CRhombicObject* obj);
  int GetPolygonPoints(CDC* pDC, CPolygonObject* obj);
  int GetText1Points(CDC* pDC, CText1Object* obj);
  int GetText2Points(CDC* pDC, CText2Object* obj);
  // Machine units directly: every copy of the traced image, scaled to the object's size in
  // millimetres and mirrored as it is drawn.
  int GetBmpBmpPoints(CDC* pDC, CBmpObject* obj);
  // The traced contours of the dark modules of every copy's symbol, machine units, as a bitmap.
  int GetBarcodePoints(CDC* pDC, CBarcodeObject* obj);
  // How many symbols were encoded so far (a repaint encodes none).
  int GetBarcodeEncodeCount() const;

  // ---- Outline capture for the engines (machine units relative to the page centre, y up)
  // Kind code 0..9; TYPE_NONE (13) for a deleted entry or one on a layer not engraved;
  // TYPE_UNKNOWN (20) for an index that names no entry.
  int GetOutlineType(int index);
  // The number of points (circles: centres) captured; -1 while the buffers are held (nothing
  // changes), -2 for an index that names no entry, 0 when the entry is skipped or yields nothing,
  // kObjectTooLarge when the object is refused as too large (the operator is told).
  int SetOutlineData(int index);
  void ReleaseOutlinePoints();
  // Screen logical units to machine units, in place.
  void ConvertUnit(POINT* points, int count);
  void ConvertUnit(SIZE* radii, int count);
  void ConvertUnit(CDoubleRect* rect);
  void StartOutlinePoints(CDC* pDC);
  // Closes, flattens and reads the path into new buffers; the count, -1 when no path was ever
  // opened. A path without points allocates nothing.
  int GetOutlinePoints(CDC* pDC);

  // The capture buffers: read in place by the engines, freed by ReleaseOutlinePoints.
  int m_bPathOpen = 0;
  std::vector<POINT> m_pOutlinePoints;
  std::vector<BYTE> m_pOutlineTypes;
  std::vector<SIZE> m_pCircleRadii;  // (rx, ry) per circle entry

  // ---- Output bitmaps
  // The engraving raster: the page at the dots-per-millimetre setting (mode 1). pDC gets a
  // memory device context holding the page bitmap; both are the caller's (delete the device
  // context first, then its bitmap with GetCurrentBitmap()). size gets the bitmap's width and
  // height, bounds the union of the drawn objects in bitmap dots (y down), oldZoom the zoom
  // index to give back through RestoreZoom; the view stays in mode 1 at zoom 1.0 until then.
  // The entry count - 1, or 0 when an entry could not be copied.
  int GetBitmapDC(CDC* pDC, int* size, CDoubleRect* bounds, int* oldZoom);
  // Deletes a device context handed out by GetBitmapDC, then the bitmap selected in it.
  static void ReleaseBitmapDC(CDC* pDC);
  // The image-toolkit renderings. Each attaches a memory device context to pDC with pBitmap
  // selected: a bitmap of exactly the scan rectangle's size holding that part of the page.
  // size gets the page bitmap's size, scan the part in page dots (y down). Zoom and mode are as
  // before on return. FALSE, with nothing attached, when there is nothing to hand back.
  // The seal image: the inner texts cut to the inner-frame circle (frameFlag 1) or to the area
  // shape (frameFlag 0), machine dots.
  BOOL GetBitmapDC(CDC* pDC, CBitmap* pBitmap, int* size, RECT* scan, int frameFlag);
  // The listed entries only, machine dots.
  BOOL GetBitmapDC(CDC* pDC, CBitmap* pBitmap, int* size, RECT* scan, const int* indexes, int count);
  // The whole design in machine dots, cut to the scanning area or to a clip in millimetres.
  BOOL GetBitmapDC(CDC* pDC, CBitmap* pBitmap, int* size, RECT* scan, const CDoubleRect* clipMm);
  // The whole design at the dots-per-millimetre setting, cut to the scanning area.
  BOOL GetBitmapDC(CDC* pDC, CBitmap* pBitmap, int* size, RECT* scan);

  int OnEngrave(CDC* pDC, CDoubleRect* bounds);
  void OnBmpDraw(CDC* pDC, RECT* scan);
  void OnBmpDraw(CDC* pDC, RECT* scan, const int* indexes, int count);
  // The seal renderings; FALSE when there is no inner-frame circle (nothing drawn).
  BOOL OnBmpDrawSealCircle(CDC* pDC, RECT* scan);
  void OnBmpDrawSealArea(CDC* pDC, RECT* scan);
  static int IsIndexListed(int index, const int* list, int count);

  // ---- Areas in the current mode's logical units, or bitmap dots
  void GetScanningArea(CDoubleRect* out);
  int GetUchiwakuArea(CDoubleRect* out);
  void GetField(CDoubleRect* out);
  void GetScanningAreaBMP(CDoubleRect* out);
  void GetScanningAreaBMPFix(CDoubleRect* out);
  void GetFieldBMP(CDoubleRect* out);

  void RestoreZoom(CKorvaneDoc* doc, int index) override;
  int GetRenderMode() const;
  int SetRenderMode(int mode) override;

  // The cached mask rectangles (screen logical units), also written by the seal renderings.
  RECT m_rcPageMask{};
  RECT m_rcAreaMask{};

 private:
  // Binds the renderer to the fixed page (no client area) in the document's current zoom.
  void BindForOutput(CDC* dc);
  // Binds the renderer for the window's client area, as the screen uses it.
  void BindForClient(CDC* dc);
  // A device context of the screen's resolution for bindings and captures.
  static void MakeWindowDC(CDC& dc);
  // The frame band of the scanning area in the current mode.
  void DrawAreaFrame(CDC* pDC);
  // The area shape of `outlineIndex` inside rect (logical units), as a region.
  void MakeAreaShapeRgn(CRgn& rgn, const RECT& rect, int outlineIndex);
  // Fills white what lies on the page outside the shape.
  void WhiteOutside(CDC* pDC, CRgn& shape);
  // Draws the straight texts of the seal's inner text in black.
  BOOL DrawSealInnerTexts(CDC* pDC);
  void WriteScanRect(RECT* scan);
  // The common body of the toolkit renderings; draw returns FALSE when nothing is to be handed
  // back.
  template <class Draw>
  BOOL RenderForToolkit(CDC* pDC, CBitmap* pBitmap, int* size, RECT* scan, int mode, Draw draw);
  // The layer engrave flag of a layer (1 for a layer outside the table).
  int IsLayerEngraved(int layer) const;
  int IsLayerVisible(int layer) const;
  // Runs fn(copyRect in logical units, column i, row j, copy number n) for every copy.
  template <class Fn>
  void ForEachCopy(const CopyGrid& grid, Fn fn) const;
  // The common parts of Draw<Kind> and Engrave<Kind>.
  // fn(copyRect) for each copy a screen paint can see, or fn(copyRect, sink) for every copy of a
  // kind that keeps its figures: sink is null for a copy to draw, else a DC that draws nothing.
  template <class Fn>
  void DrawCopies(CDrawObject* obj, Fn fn);
  // The first and last column and row of a grid whose drawing can reach the clip of the screen
  // paint; false when every copy is to be drawn (no screen paint, a copy limit, no bound known).
  struct ShownCopies {
    int i0 = 0, i1 = -1, j0 = 0, j1 = -1;
  };
  bool GetShownCopies(CDrawObject* obj, const CopyGrid& grid, ShownCopies& out);
  // How far from each copy's centre, in millimetres along x and y, anything the object draws
  // may reach: turned, mirrored, thickened, with lifted or resized characters. False when the
  // numbers cannot be trusted (the object is then always drawn).
  // A text's key, when given, stands for the walks over its text and records.
  bool CopyReach(const CDrawObject& obj, const CopyGrid& grid, double& reachX, double& reachY,
                 const TextBoundKey* text = nullptr) const;
  // Millimetres to the client pixels of a screen paint: the renderer's mapping and the device
  // context's, both without turn or shear, taken once per paint.
  struct MmToClient {
    double x0 = 0, y0 = 0, sx = 0, sy = 0;
  };
  MmToClient ClientMapping(CDC* dc) const;
  bool PaintBound(int index, const CDrawObject& obj, const MmToClient& map, RECT& out) const;
  bool PaintBound(int index, const CDrawObject& obj, const CopyGrid& grid, const MmToClient& map, RECT& out) const;
  // The parts of a paint bound: the copies' centres widened by their reach (millimetres), that
  // rectangle in client pixels with the slack, and a text's kept measure cutting it down.
  bool MmPaintBound(const CDrawObject& obj, const CopyGrid& grid, MmPaintRect& out,
                    const TextBoundKey* text = nullptr) const;
  static bool DevicePaintBound(const MmPaintRect& mm, const MmToClient& map, RECT& out);
  // Whether DevicePaintBound gives a rectangle for `mm` and it misses `clip`.
  static bool DeviceMisses(const MmPaintRect& mm, const MmToClient& map, const RECT& clip);
  void NarrowToMeasure(int index, const CDrawObject& obj, RECT& out) const;
  // Whether a screen paint whose clip box is `clip` may leave entry `index` out: its bound misses
  // the clip. The entry's stored bounds are brought up to date as a walk would leave them; an
  // entry whose figures a hit test reads is left out only while they still stand where it is.
  bool SkipUnseen(int index, CDrawObject& entry, const MmToClient& map, const RECT& clip);
  template <class Fn>
  void EngraveCopies(CDrawObject* obj, CDoubleRect* bounds, Fn fn);
  static void ClearCaptured(CDrawObject* obj);
  static void SetRectangleCornerStyles(CRectangleObject* obj);
  template <class Fn>
  int CapturePath(CDC* pDC, CDrawObject* obj, Fn fn);
  // Fills the point buffers from the renderer's glyph lists.
  int TakeTextLists(std::vector<POINT>& points, std::vector<BYTE>& types, const std::vector<int>& counts);

  // ---- The bound on the work of one object
 public:
  // An object whose outline capture or raster would cost more than kMaxObjectCost is refused:
  // nothing of it is captured or drawn and the operator is told. The cost is the outline points
  // of all its copies, with one more for each character and for each copy.
  static constexpr long long kMaxObjectCost = 50000000;
  // What the captures (and SetOutlineData) give for a refused object.
  static constexpr int kObjectTooLarge = -3;
  // The cost of all copies of an object estimated from its first copy, in the device context's
  // current mode; the capture buffers are left as they were.
  long long EstimateObjectCost(CDC* pDC, CDrawObject* obj);

 private:
  // The capture of one object by its kind, in the view's logical units (circles: centres and
  // radii); the point count or kObjectTooLarge.
  int CaptureKind(CDC* pDC, CDrawObject* obj);
  // Whether a raster pass may draw the object; one that may not is named in refused.
  bool RasterAllows(CDC* pDC, CDrawObject* obj, std::vector<CString>& refused);
  // The one message of a capture or a raster pass that left objects out, shown once the view
  // is back in its own mode and zoom.
  static void ReportObjectsTooLarge(const std::vector<CString>& names);
  // The names of the objects the last raster pass left out as too large.
  std::vector<CString> m_vRefusedObjects;
  // While above 0, ForEachCopy walks only this many copies.
  int m_nCopyLimit = 0;
  // The screen paint's DC while its objects are drawn: copies outside its clip are left out.
  CDC* m_pPaintClipDC = nullptr;
  // Copies handed to the renderer for drawing since the view was made.
  long long m_nCopiesDrawn = 0;

 public:
  long long GetCopiesDrawn() const { return m_nCopiesDrawn; }
  long long GetObjectsVisited() const { return m_nObjectsVisited; }
  // The client rectangle that holds everything entry `index` draws on screen in the device
  // context's current mapping; false when no bound is known.
  bool PaintBound(int index, const CDrawObject& obj, CDC* dc, RECT& out) const;

 private:

  // The printer of the run; the view's own one until the application's is wired in.
  QPrinter& Printer();
  QPrinter& PrinterForPrinting() override { return m_pAppPrinter ? *m_pAppPrinter : Printer(); }
  // A window DC for bindings: the surface's resolution, MM_HIMETRIC.
  void BindForScreen();
  void AreaOutline(CDC* pDC);
  void FillMask(CDC* pDC);
  // The device rectangle of all copies of an entry (client pixels); FALSE without one.
  BOOL ObjectDeviceRect(int index, RECT* out);
  // The measure itself, as the renderer and the kept measures give it.
  BOOL MeasureDeviceRect(int index, RECT* out);
  // The client band that holds everything the line of character record `record` of a single,
  // unturned and unmirrored straight text draws, across the window; false for any other entry.
  bool CharRecordBand(int index, int record, RECT& out);
  // The last measures of the texts, so that a place asked for again is not laid out again.
  CMeasuredRects m_measured;
  // A kept rectangle carried to where the object has moved since (client pixels, widened by
  // the glyphs' rounding); false when it cannot be carried.
  bool ShiftKeptRect(CMeasuredRects::Kept& kept, const CDrawObject& object);
  // A multi-selection's drag commit: every selected object's place now and after the drag from
  // the tracker's old to its new rectangle (client pixels).
  void InvalidateMovedSelection(const CRect& oldRect, const CRect& newRect);
  // The paint's tracker at d (document device pixels), set from the bounds just drawn.
  void DrawTrackerAt(CDC* pDC, RECT d);
  // Invalidates the union of the paint bounds of entries first..end-1 (the whole window when one
  // of them has none).
  void InvalidatePaintBounds(int first, int end);

  CKorvaneDoc* m_pDoc = nullptr;
  CRenderDocAdapter m_RenderDoc{nullptr};

 public:
  // Members of the screen side, in the view's order.
  CPaintEditor* m_pPaintEditor = nullptr;
  CRect m_rcPrint;
  CObjectRenderer* m_pRenderer = nullptr;
  CObjectTracker* m_pTracker = nullptr;
  CObjectTracker* m_pBandTracker = nullptr;
  CGuideLineText* m_pGuideLineText = nullptr;
  int m_nBandState = 0;
  int m_bDragging = 0;
  CRect m_rcBand;
  int* m_pConnotation = nullptr;
  int m_nConnotationSize = 0;
  int m_bPrinting = 0;
  int m_bSkipTrackerDraw = 0;
  // Whether the last commit of a multi-selection's drag only moved it. A move carries every
  // object's pixels with it, so its commit knows where they land; a scale does not scale a text's
  // glyphs with the selection, so the objects are measured again once they have changed.
  int m_bCommitMovedOnly = 0;
  // The renderer's extent the last screen paint was drawn with (logical units).
  int m_nPaintedExtent[2] = {0, 0};
  int m_bPaintedExtentKnown = 0;
  int m_nMaskKind = 0;
  int m_bMaskUnder = 0;
  CPoint m_ptBandStart;
  // The entry a press selected while its drag runs; selected when the drag ends.
  int m_nTrackSelect = 0;
  ICanvasFrame* m_pFrame = nullptr;
  // IDC_SIZEALL, IDC_SIZENESW, IDC_SIZENS, IDC_SIZENWSE, IDC_SIZEWE.
  Qt::CursorShape m_hCursors[5] = {Qt::ArrowCursor, Qt::ArrowCursor, Qt::ArrowCursor, Qt::ArrowCursor,
                                   Qt::ArrowCursor};

 private:
  std::unique_ptr<QPrinter> m_pPrinter;
  QPrinter* m_pAppPrinter = nullptr;
  // The symbol of a barcode object set up for drawing; null when no symbol holds its text.
  BarcodeSymbol* GetBarcodeSymbol(const CBarcodeObject* obj);
  std::shared_ptr<CBarcodeSymbolCache> m_pBarcodeSymbols;
  // Entries a screen paint copied and drew (those left out by their bound cost a rectangle test).
  long long m_nObjectsVisited = 0;
  // The bounds earlier paints worked out, so that an unchanged entry costs a comparison.
  std::unique_ptr<CCullBounds> m_pCull;

 public:
  const CCullBounds& GetCullBounds() const { return *m_pCull; }
};
