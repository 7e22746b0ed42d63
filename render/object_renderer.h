// CObjectRenderer: the geometry engine of the canvas. It turns object geometry in millimetres
// (y up, origin at the page centre) into logical units of an MM_HIMETRIC device context in one of
// three coordinate modes, converts back from device pixels, draws the shape and bitmap kinds and
// the work-area frame bands, and emits shape outlines into an open path for outline output.
#pragma once

#include "model/geometry.h"
#include "platform/wintypes.h"

class CDC;
class CDrawObject;
class CRectangleObject;
class CCircleObject;
class CTriangleObject;
class CRhombicObject;
class CPolygonObject;
class CBmpObject;

enum RenderMode : int {
  RENDER_SCREEN = 0,   // 1 mm = zoom x 100 logical units
  RENDER_ENGRAVE = 1,  // 1 mm = the dots-per-millimetre setting in device dots
  RENDER_MACHINE = 2,  // 1 mm = 40 device dots, one dot per machine unit
};

// What the renderer reads of the document each time it is bound. The document implements it.
class IRenderDocument {
 public:
  // The zoom table's factor at the document's zoom index.
  virtual double GetZoomFactor() const = 0;
  // The unzoomed page in 0.01 mm (DrawX, DrawY).
  virtual int GetDrawX() const = 0;
  virtual int GetDrawY() const = 0;
  // The drawing area's dots per millimetre (DPM).
  virtual int GetDpm() const = 0;
  // Non-zero while the paint editor runs in the canvas.
  virtual int IsPaintMode() const = 0;

 protected:
  ~IRenderDocument() = default;
};

class CObjectRenderer {
 public:
  CObjectRenderer();
  virtual ~CObjectRenderer();
  CObjectRenderer(const CObjectRenderer&) = delete;
  CObjectRenderer& operator=(const CObjectRenderer&) = delete;

  // ---- Binding and modes -------------------------------------------------------------------
  // Both return FALSE without a document, and also when the document's dots per millimetre is
  // below 1: that value is refused (the last valid one, initially 40, stays in use) while the
  // screen mode is bound as usual.
  BOOL InitForClient(CDC* dc, IRenderDocument* doc, const CRect* client);
  BOOL Init(CDC* dc, IRenderDocument* doc);
  void CalcScales(CDC* dc);
  int SetMode(int mode);
  int GetMode() const { return m_nMode; }
  void GrowExtent(int cx, int cy);
  void SetCenter(CRect rect);
  int SetScrollOffset(int bar, int pos);
  int IsInitialised() const { return m_bInitialised; }
  int GetDpm() const { return m_nDpm; }

  // ---- Sizes and origins (ints, truncated) -------------------------------------------------
  void GetExtent(int out[2]) const;
  void GetBitmapSize(int out[2]) const;
  void GetMachineBitmapSize(int out[2]) const;
  void GetPageSize(int out[2]) const;
  void GetPageBitmapSize(int out[2]) const;
  void GetPageMachineBitmapSize(int out[2]) const;
  void GetOrigin(int out[2]) const;
  int ScaleByDpm(double mm) const;
  void ScalePointByDpm(CDoublePoint& p) const;

  // ---- Millimetres to logical units of the current mode -------------------------------------
  void MmRectToLogical(double w, double h, double cx, double cy, CDoubleRect* out) const;
  void MmEdgesToLogical(double left, double top, double right, double bottom, CDoubleRect* out) const;
  void GetCenteredSquare(double side, CDoubleRect* out) const;
  void GetCenteredRect(double w, double h, CDoubleRect* out) const;
  void GetSquareRect(double side, double cx, double cy, CDoubleRect* out) const;
  void LengthToLogical(double len, double out[2]) const;
  void LengthToLogicalInt(double len, int out[2]) const;
  void LengthToLogicalSize(double len, int out[2]) const;
  void SizeToLogical(double w, double h, double out[2]) const;
  double LengthToLogicalAxis(int axis, double len) const;

  // ---- Device pixels to millimetres (these set MM_HIMETRIC) ----------------------------------
  CDoublePoint* DeviceToMm(CDoublePoint* out, CDC* dc, int x, int y) const;
  CDoubleSize* DeviceSizeToMm(CDoubleSize* out, CDC* dc, int dx, int dy) const;
  CDoubleRect* DeviceRectToMm(CDoubleRect* out, CDC* dc, int x1, int y1, int x2, int y2) const;
  CDoubleRect* DeviceRectToLogical(CDoubleRect* out, CDC* dc, const CRect* rect) const;

  // ---- Logical units to device pixels (scroll not applied) ----------------------------------
  POINT* LogicalToDevice(POINT* out, CDC* dc, double x, double y) const;
  void LogicalRectToDevice(CDC* dc, const CDoubleRect& r, RECT* out) const;

  // ---- Logical rectangles to bitmap pixels (rounded half away from zero, y down) -------------
  void RectToBitmap(CDoubleRect& r) const;
  void RectToMachineBitmap(CDoubleRect& r) const;

  // ---- Screen logical units to machine units (0.025 mm, relative to the page centre, y up) ---
  // Always with the screen scale and the screen-mode origin, whatever mode is current.
  void PointsToMachineUnits(CDC* dc, POINT* pts, int count) const;
  void LengthsToMachineUnits(CDC* dc, SIZE* sizes, int count) const;
  void RectToMachineUnits(CDC* dc, CDoubleRect& r) const;

  // ---- Geometry -----------------------------------------------------------------------------
  static void UnionBounds(CDoubleRect& acc, const CDoubleRect& r, int notFirst);
  static void RotatePoint(CDoublePoint* out, double cx, double cy, double px, double py, double degrees);
  static double GetEllipseAngle(double cx, double cy, double rx, double ry, double degrees, CDoublePoint* out);

  // ---- Work-area frame bands (black, current mode; rect in logical units, y up) -------------
  void FillRectFrame(CDC* dc, const CDoubleRect& rect, double widthMm, double radiusMm, BOOL rounded);
  void FillEllipseFrame(CDC* dc, const CDoubleRect& rect, double widthMm);
  void FillTriangleFrame(CDC* dc, const CDoubleRect& rect, double widthMm, BOOL inverted);
  void FillRhombicFrame(CDC* dc, const CDoubleRect& rect, double widthMm);

  // ---- Shapes: one copy in its logical rectangle ---------------------------------------------
  // The band shapes append the copy's outer and inner boundary to the object's point vectors
  // and count the copy. Filling uses a path of its own: no path may be open on dc (nor for the
  // frame bands above).
  void DrawLine(CDC* dc, double left, double top, double right, double bottom, double angle,
                COLORREF colour, BOOL fill, CDoubleRect* bounds);
  void DrawLineSimple(CDC* dc, double left, double top, double right, double bottom, COLORREF colour);
  void DrawRectangle(CDC* dc, double left, double top, double right, double bottom, CRectangleObject* obj,
                     COLORREF colour, BOOL fill, CDoubleRect* bounds, BOOL screen);
  void DrawCircle(CDC* dc, double left, double top, double right, double bottom, CCircleObject* obj,
                  COLORREF colour, BOOL fill, CDoubleRect* bounds, BOOL screen);
  void DrawTriangle(CDC* dc, double left, double top, double right, double bottom, CTriangleObject* obj,
                    COLORREF colour, BOOL fill, CDoubleRect* bounds, BOOL screen);
  void DrawRhombic(CDC* dc, double left, double top, double right, double bottom, CRhombicObject* obj,
                   COLORREF colour, BOOL fill, CDoubleRect* bounds, BOOL screen);
  void DrawPolygon(CDC* dc, double left, double top, double right, double bottom, CPolygonObject* obj,
                   COLORREF colour, BOOL fill, CDoubleRect* bounds, BOOL screen);

  // Outline capture: the copy's figures go into the path the caller has opened on dc.
  void GetLinePoints(CDC* dc, double left, double top, double right, double bottom, double angle);
  void GetRectanglePoints(CDC* dc, double left, double top, double right, double bottom, CRectangleObject* obj);
  void GetCirclePoints(CDC* dc, double left, double top, double right, double bottom, CCircleObject* obj);
  void GetTrianglePoints(CDC* dc, double left, double top, double right, double bottom, CTriangleObject* obj);
  void GetRhombicPoints(CDC* dc, double left, double top, double right, double bottom, CRhombicObject* obj);
  void GetPolygonPoints(CDC* dc, double left, double top, double right, double bottom, CPolygonObject* obj);

  // Outline geometry; the first half of each array is the outer boundary, the second the inner.
  // Cut lengths are clamped to half the side.
  static void GetCutCornerPoints(double left, double top, double right, double bottom, double cutX,
                                 double cutY, POINT out[9]);
  void CalcTriangleVertices(double left, double top, double right, double bottom, double frameWidthMm,
                            BOOL inverted, POINT out[6], BOOL screen) const;
  void CalcRhombicVertices(double left, double top, double right, double bottom, double frameWidthMm,
                           POINT out[8], BOOL screen) const;
  void CalcPolygonVertices(double left, double top, double right, double bottom, double frameWidthMm, int n,
                           POINT* out, BOOL screen) const;

  // ---- Bitmaps and glyph bitmaps --------------------------------------------------------------
  void DrawBmp(CDC* dc, double left, double top, double right, double bottom, CBmpObject* obj,
               CDoubleRect* out, BOOL screen);
  void HimetricToDots(int out[2], CDC* dc, double cx, double cy) const;
  void PathToDots(RECT* dotBounds, CDC* dc, POINT* dots, const POINT* path, int count,
                  CDoubleRect* pathBounds) const;
  static void OffsetPoints(int out[2], POINT* pts, int count, int left, int top, int right, int bottom,
                           int marginX, int marginY);
  static void GetPointsBounds(const POINT* pts, int count, CDoubleRect* out, const double* margin);

 private:
  // The current mode's logical units per millimetre; false for a mode that is none of the three.
  bool ModeScales(double& sx, double& sy) const;
  void Bind(CDC* dc, IRenderDocument* doc, const CRect* client);
  // Frame width (and a second length) in logical units, widened on the screen when thinner than
  // one device pixel.
  void FrameToLogical(double mm, BOOL screen, double& fx, double& fy) const;

  IRenderDocument* m_pDoc = nullptr;
  int m_bInitialised = 0;
  double m_dScreenScale = 100.0;
  double m_dEngraveScaleX = 0.0;
  double m_dEngraveScaleY = 0.0;
  double m_dMachineScaleX = 0.0;
  double m_dMachineScaleY = 0.0;
  double m_dExtentX = 0.0;
  double m_dExtentY = 0.0;
  double m_dPageX = 0.0;
  double m_dPageY = 0.0;
  double m_dEngraveExtentX = 0.0;
  double m_dEngraveExtentY = 0.0;
  double m_dMachineExtentX = 0.0;
  double m_dMachineExtentY = 0.0;
  double m_dOriginX = 0.0;
  double m_dOriginY = 0.0;
  double m_dScreenOriginX = 0.0;
  double m_dScreenOriginY = 0.0;
  double m_dEngraveOriginX = 0.0;
  double m_dEngraveOriginY = 0.0;
  double m_dMachineOriginX = 0.0;
  double m_dMachineOriginY = 0.0;
  int m_nMode = RENDER_SCREEN;
  int m_nDpm = 40;
  int m_nPixelX = 0;
  int m_nPixelY = 0;
  int m_nScrollX = 0;
  int m_nScrollY = 0;

  // Text layout, measuring and hit tests
 public:
  // (The text types are named with class-keys here so that this header needs no further
  // includes; render/text_layout.h has the outline lists, model/textobject.h the text objects.)
  // ---- Straight text: one copy in its logical rectangle --------------------------------------
  void DrawText1(CDC* dc, IRenderDocument* doc, double left, double top, double right, double bottom,
                 class CText1Object* obj, COLORREF colour, int fill, CDoubleRect* bounds);
  // paint 0 builds the glyph paths and gathers the bounds without painting.
  void LayoutText1(CDC* dc, IRenderDocument* doc, double left, double top, double right, double bottom,
                   class CText1Object* obj, COLORREF colour, int fill, CDoubleRect* bounds, int paint);
  // Outline capture: appends each glyph's flattened outline and its point count to the lists.
  void GetText1Points(CDC* dc, IRenderDocument* doc, double left, double top, double right, double bottom,
                      class CText1Object* obj, struct TextOutlineLists& lists);
  // cx, cy: the copy centre; cell: left, top, right, bottom (y up); ch: one character of one or
  // two bytes, NUL-terminated. The glyph routines return TRUE when the glyph gave bounds (a
  // blank or an empty glyph gives none).
  BOOL DrawText1Char(CDC* dc, double cx, double cy, const RECT& cell, int a, const char* ch, COLORREF colour,
                     int fill, int mirror, double angle, double thickX, double thickY, CDoubleRect* glyphBounds,
                     int paint, int strokeEdge);
  BOOL DrawGlyphPath(CDC* dc, double cx, double cy, const RECT& cell, int a, const char* ch, COLORREF colour,
                     int fill, int mirror, double angle, double thickX, double thickY, CDoubleRect* glyphBounds,
                     int paint, int strokeEdge);
  BOOL DrawGlyphBitmap(CDC* dc, double cx, double cy, const RECT& cell, int a, const char* ch, COLORREF colour,
                       int fill, int mirror, double angle, double thickX, double thickY, CDoubleRect* glyphBounds,
                       int paint, int strokeEdge);
  static void TransformText1Path(int mirror, double angle, POINT* pts, int count, int cellX, int cellY,
                                 double copyX, double copyY);
  int GetText1GlyphPoints(CDC* dc, double cx, double cy, const RECT& cell, int a, const char* ch,
                          struct TextOutlineLists& lists, int mirror, int angle, double thickX, double thickY);

  // ---- Arc text: one copy in its logical rectangle --------------------------------------------
  void DrawText2(CDC* dc, IRenderDocument* doc, double left, double top, double right, double bottom,
                 class CText2Object* obj, COLORREF colour, int fill, CDoubleRect* bounds);
  void LayoutText2(CDC* dc, IRenderDocument* doc, double left, double top, double right, double bottom,
                   class CText2Object* obj, COLORREF colour, int fill, CDoubleRect* bounds, int paint);
  void GetText2Points(CDC* dc, IRenderDocument* doc, double left, double top, double right, double bottom,
                      class CText2Object* obj, struct TextOutlineLists& lists);
  // box: the glyph box on the ellipse (left, top = the anchor; y up); offX, offY logical.
  BOOL DrawText2Char(CDC* dc, double cx, double cy, const CDoubleRect& box, int a, double offX, double offY,
                     const char* ch, COLORREF colour, int fill, int mirror, int angle, double recordAngle,
                     int lower, double thickX, double thickY, CDoubleRect* glyphBounds, int paint, int strokeEdge);
  BOOL DrawText2GlyphPath(CDC* dc, double cx, double cy, const CDoubleRect& box, int a, double offX, double offY,
                          const char* ch, COLORREF colour, int fill, int mirror, int angle, double recordAngle,
                          int lower, double thickX, double thickY, CDoubleRect* glyphBounds, int paint,
                          int strokeEdge);
  BOOL DrawText2GlyphBitmap(CDC* dc, double cx, double cy, const CDoubleRect& box, int a, double offX,
                            double offY, const char* ch, COLORREF colour, int fill, int mirror, int angle,
                            double recordAngle, int lower, double thickX, double thickY, CDoubleRect* glyphBounds,
                            int paint, int strokeEdge);
  // t shifts the glyph left, u lifts it; (ax, ay) is the anchor, (bx, by) the box centre.
  static void TransformText2Path(int mirror, int angle, POINT* pts, int count, int ax, int ay, double offX,
                                 double offY, double bx, double by, double copyX, double copyY,
                                 double recordAngle, int t, int u);
  int GetText2GlyphPoints(CDC* dc, double cx, double cy, const CDoubleRect& box, int a, double offX,
                          double offY, const char* ch, int mirror, int angle, double recordAngle, int lower,
                          double thickX, double thickY, struct TextOutlineLists& lists);

  // ---- Bounds, hit and containment tests ------------------------------------------------------
  // 1 with the client rectangle all copies cover; 0 for no object or a kind outside 0..9.
  int UpdateObjectRect(CDC* dc, CDrawObject* obj, RECT* out);
  // Everything besides the object that UpdateObjectRect's answer depends on (mode, scales,
  // origins, extents, scroll): equal states measure an equal object alike.
  struct MeasureState {
    double values[24] = {};
    bool operator==(const MeasureState&) const = default;
  };
  MeasureState GetMeasureState() const;
  // Device rectangle of the glyphs of all copies; empty without rows or columns.
  void MeasureText1(CDC* dc, class CText1Object* obj, RECT* out);
  void MeasureText2(CDC* dc, class CText2Object* obj, RECT* out);
  BOOL HitTest(CDC* dc, int x, int y, CDrawObject* obj);
  BOOL ConnotateTest(CDC* dc, int left, int top, int right, int bottom, CDrawObject* obj);
  CDoublePoint* DeviceToMmLogical(CDoublePoint* out, CDC* dc, int x, int y, double* lx, double* ly);
  // Packs the records of each line's characters, skipping the two positions of each line break;
  // missing records read as zeros; stops at capacity.
  static void FindCharLine(const class CString* lines, int lineCount, int capacity,
                           struct CTextCharRecord* packed, const struct CTextCharRecord* records,
                           int recordCount);
  // Returns (first angle, last angle) in degrees as x and y; with a DC also draws the guide.
  static CDoublePoint DrawArcGuide(CDC* dc, double left, double top, double right, double bottom, double rx,
                                   double ry, double start, double span, BOOL lower);
};
