// The paint editor's pending operation: the stroke or shape being drawn, kept as the records
// the renderer draws over the current snapshot until the stroke ends and becomes a snapshot.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <QGuiApplication>

// Paint tool codes; a right-button operation's kind is the code + 1.
enum PaintTool : int {
  PAINT_PEN = 0,
  PAINT_ERASER = 2,
  PAINT_BRUSH = 4,
  PAINT_FLOOD = 6,
  PAINT_LINE = 8,
  PAINT_CIRCLE = 10,
  PAINT_ELLIPSE = 12,
  PAINT_RECT = 14,
  PAINT_POLYGON = 16,
  PAINT_SELECT = 18,
  PAINT_FLOATING = 20,
};

// The menu command that chooses each tool, in tool-code order.
struct PaintToolCommand {
  unsigned int id;
  int code;
};
inline constexpr PaintToolCommand kPaintToolCommands[] = {
    {32914, PAINT_PEN},    {32915, PAINT_ERASER},  {32916, PAINT_BRUSH}, {32917, PAINT_FLOOD},   {32918, PAINT_LINE},
    {32919, PAINT_CIRCLE}, {32920, PAINT_ELLIPSE}, {32921, PAINT_RECT},  {32923, PAINT_POLYGON}, {32922, PAINT_SELECT}};

// One point of a stroke: canvas x, y and image x, y.
struct PaintPoint {
  std::int32_t cx = 0;
  std::int32_t cy = 0;
  std::int32_t x = 0;
  std::int32_t y = 0;
};

// Every record begins with its kind (tool code, + 1 for the right button).
struct CPaintShape {
  explicit CPaintShape(int kind) : nKind(kind) {}
  virtual ~CPaintShape() = default;
  std::int32_t nKind;
};
struct CPaintStrokeShape : CPaintShape {  // pen, eraser, brush
  using CPaintShape::CPaintShape;
  std::int32_t nPenSize = 1;
  std::int32_t nTipShape = 0;
};
struct CPaintLineShape : CPaintShape {
  explicit CPaintLineShape(int button) : CPaintShape(8 + button) {}
  std::int32_t nPenSize = 1, x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};
struct CPaintCircleShape : CPaintShape {
  explicit CPaintCircleShape(int button) : CPaintShape(10 + button) {}
  std::int32_t nPenSize = 1, cx = 0, cy = 0, radius = 0, fill = 0;
};
struct CPaintEllipseShape : CPaintShape {
  explicit CPaintEllipseShape(int button) : CPaintShape(12 + button) {}
  std::int32_t nPenSize = 1, x0 = 0, y0 = 0, x1 = 0, y1 = 0, fill = 0;
};
struct CPaintRectShape : CPaintShape {
  explicit CPaintRectShape(int button) : CPaintShape(14 + button) {}
  std::int32_t nPenSize = 1, x0 = 0, y0 = 0, x1 = 0, y1 = 0, fill = 0;
};
struct CPaintPolygonShape : CPaintShape {
  explicit CPaintPolygonShape(int button) : CPaintShape(16 + button) {}
  std::int32_t nPenSize = 1, fill = 0, closed = 0;
};
struct CPaintSelectShape : CPaintShape {
  explicit CPaintSelectShape(int button) : CPaintShape(18 + button) {}
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

class CPaintOperation {
 public:
  CPaintOperation() = default;
  virtual ~CPaintOperation() = default;
  CPaintOperation(const CPaintOperation&) = delete;
  CPaintOperation& operator=(const CPaintOperation&) = delete;

  int Kind() const { return m_pShape ? m_pShape->nKind : -1; }
  int Tool() const { return Kind() & ~1; }
  int Button() const { return Kind() & 1; }

  std::unique_ptr<CPaintShape> m_pShape;
  std::vector<PaintPoint> m_Points;
};

// The busy pointer while an operation on the whole picture runs (on a large one it takes longer
// than a frame).
class PaintBusyCursor {
 public:
  PaintBusyCursor() {
    if (qGuiApp) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  }
  ~PaintBusyCursor() {
    if (qGuiApp) QGuiApplication::restoreOverrideCursor();
  }
  PaintBusyCursor(const PaintBusyCursor&) = delete;
  PaintBusyCursor& operator=(const PaintBusyCursor&) = delete;
};
