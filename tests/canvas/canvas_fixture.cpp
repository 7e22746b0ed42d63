#include "canvas_fixture.h"

#include "platform_notes.h"

#include <QApplication>
#include <QImage>
#include <QRect>
#include <QtGlobal>
#include <algorithm>
#include <sstream>
#include <cmath>

long InkImage::Count() const {
  long n = 0;
  for (unsigned char v : ink) n += v;
  return n;
}

InkImage InkOf(const CBitmap& bitmap) { return InkOf(bitmap, DotWindow{0, 0, bitmap.Width(), bitmap.Height()}); }

InkImage InkOf(const CBitmap& bitmap, const DotWindow& window) {
  InkImage img;
  img.width = window.width;
  img.height = window.height;
  img.ink.assign(static_cast<size_t>(img.width) * img.height, 0);
  for (int y = 0; y < img.height; ++y) {
    const int by = y + window.y0;
    if (by < 0 || by >= bitmap.Height()) continue;
    const BYTE* row = bitmap.Row(by);
    for (int x = 0; x < img.width; ++x) {
      const int bx = x + window.x0;
      if (bx < 0 || bx >= bitmap.Width()) continue;
      img.ink[static_cast<size_t>(y) * img.width + x] = ((row[bx >> 3] >> (7 - (bx & 7))) & 1) ? 0 : 1;
    }
  }
  return img;
}

InkImage InkOfBlock(const std::vector<BYTE>& block) {
  InkImage img;
  if (block.size() < static_cast<size_t>(MonoBmpFile::kHeaderSize)) return img;
  img.width = MonoBmpFile::Width(block.data());
  img.height = MonoBmpFile::Height(block.data());
  const int stride = static_cast<int>(MonoBmpFile::Stride(img.width));
  img.ink.assign(static_cast<size_t>(img.width) * img.height, 0);
  for (int y = 0; y < img.height; ++y) {
    const BYTE* row = block.data() + MonoBmpFile::kHeaderSize + static_cast<size_t>(img.height - 1 - y) * stride;
    for (int x = 0; x < img.width; ++x)
      img.ink[static_cast<size_t>(y) * img.width + x] = ((row[x >> 3] >> (7 - (x & 7))) & 1) ? 0 : 1;
  }
  return img;
}

namespace {

struct Edge {
  double x0, y0, x1, y1;
};

InkImage FillEdges(const std::vector<Edge>& edges, int width, int height) {
  InkImage img;
  img.width = width;
  img.height = height;
  img.ink.assign(static_cast<size_t>(width) * height, 0);
  std::vector<double> xs;
  for (int y = 0; y < height; ++y) {
    const double cy = y + 0.5;
    xs.clear();
    for (const Edge& e : edges) {
      if ((e.y0 <= cy) == (e.y1 <= cy)) continue;
      xs.push_back(e.x0 + (cy - e.y0) * (e.x1 - e.x0) / (e.y1 - e.y0));
    }
    std::sort(xs.begin(), xs.end());
    for (size_t k = 0; k + 1 < xs.size(); k += 2) {
      const int a = std::max(0, static_cast<int>(std::ceil(xs[k] - 0.5)));
      const int b = std::min(width, static_cast<int>(std::ceil(xs[k + 1] - 0.5)));
      for (int x = a; x < b; ++x) img.ink[static_cast<size_t>(y) * width + x] = 1;
    }
  }
  return img;
}

}  // namespace

InkImage FillOutline(const POINT* points, const BYTE* types, int count, int pageWidth, int pageHeight,
                     const DotWindow& window) {
  std::vector<Edge> edges;
  const double ox = pageWidth / 2.0 - window.x0, oy = pageHeight / 2.0 - window.y0;
  auto dot = [&](const POINT& p) { return std::pair<double, double>(p.x + ox, oy - p.y); };
  int start = -1;
  for (int i = 0; i <= count; ++i) {
    const bool figureEnds = (i == count) || (types[i] == PT_MOVETO);
    if (figureEnds && start >= 0 && i - 1 > start) {
      for (int k = start; k < i; ++k) {
        const auto a = dot(points[k]);
        const auto b = dot(points[k + 1 < i ? k + 1 : start]);
        edges.push_back({a.first, a.second, b.first, b.second});
      }
    }
    if (i < count && types[i] == PT_MOVETO) start = i;
  }
  return FillEdges(edges, window.width, window.height);
}

InkImage FillCircles(const POINT* centres, const SIZE* radii, int count, int pageWidth, int pageHeight,
                     const DotWindow& window) {
  std::vector<Edge> edges;
  const double ox = pageWidth / 2.0 - window.x0, oy = pageHeight / 2.0 - window.y0;
  constexpr int kSteps = 720;
  for (int i = 0; i < count; ++i) {
    const double cx = centres[i].x + ox, cy = oy - centres[i].y;
    for (int s = 0; s < kSteps; ++s) {
      const double t0 = 2 * M_PI * s / kSteps, t1 = 2 * M_PI * (s + 1) / kSteps;
      edges.push_back({cx + radii[i].cx * std::cos(t0), cy + radii[i].cy * std::sin(t0),
                       cx + radii[i].cx * std::cos(t1), cy + radii[i].cy * std::sin(t1)});
    }
  }
  return FillEdges(edges, window.width, window.height);
}

long MismatchesAwayFromEdges(const InkImage& a, const InkImage& b, int reach) {
  auto nearEdge = [reach](const InkImage& img, int x, int y) {
    const unsigned char v = img.At(x, y);
    for (int dy = -reach; dy <= reach; ++dy)
      for (int dx = -reach; dx <= reach; ++dx)
        if (img.At(x + dx, y + dy) != v) return true;
    return false;
  };
  long bad = 0;
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) {
      if (a.At(x, y) == b.At(x, y)) continue;
      if (nearEdge(a, x, y) || nearEdge(b, x, y)) continue;
      ++bad;
    }
  }
  return bad;
}

namespace {

QtMessageHandler g_previousHandler = nullptr;

// A Qt warning during a canvas test is a fault of the test's subject.
void FailOnQtWarning(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if ((type == QtWarningMsg || type == QtCriticalMsg) && !IsPlatformNote(message)) ADD_FAILURE() << "Qt warning: " << message.toStdString();
  if (g_previousHandler) g_previousHandler(type, context, message);
}

}  // namespace

void CanvasTest::SetUp() {
  g_previousHandler = qInstallMessageHandler(FailOnQtWarning);
  g_bModified = 0;
  doc = std::make_unique<CKorvaneDoc>();
  ASSERT_TRUE(doc->OnNewDocument());
  view = std::make_unique<CLeftView>(doc.get());
}

void CanvasTest::TearDown() {
  view.reset();
  doc.reset();
  g_bModified = 0;
  qInstallMessageHandler(g_previousHandler);
  g_previousHandler = nullptr;
}

int CanvasTest::AddShape(int kind, double w, double h, double x, double y) {
  CDrawObject* o = nullptr;
  switch (kind) {
    case TYPE_LINE: {
      auto* p = List().AddLine(nullptr, TRUE, TRUE);
      p->m_dWidth = w;
      p->m_dHeight = h;
      p->m_dAngle = 0;
      o = p;
      break;
    }
    case TYPE_RECTANGLE: {
      auto* p = List().AddRectangle(nullptr, TRUE, TRUE);
      p->m_dWidth = w;
      p->m_dHeight = h;
      p->m_dEdgeSize = 1.0;
      p->m_nEdgeStyle = 0;
      o = p;
      break;
    }
    case TYPE_CIRCLE: {
      auto* p = List().AddCircle(nullptr, TRUE, TRUE);
      p->m_dSizeX = w;
      p->m_dSizeY = h;
      p->m_dEdgeSize = 1.0;
      o = p;
      break;
    }
    case TYPE_TRIANGLE: {
      auto* p = List().AddTriangle(nullptr, TRUE, TRUE);
      p->m_dWidth = w;
      p->m_dHeight = h;
      p->m_dEdgeSize = 1.0;
      o = p;
      break;
    }
    case TYPE_RHOMBIC: {
      auto* p = List().AddRhombic(nullptr, TRUE, TRUE);
      p->m_dWidth = w;
      p->m_dHeight = h;
      p->m_dEdgeSize = 1.0;
      o = p;
      break;
    }
    case TYPE_POLYGON: {
      auto* p = List().AddPolygon(nullptr, TRUE, TRUE);
      p->m_dSize = w;
      p->m_dEdgeSize = 1.0;
      if (p->m_nEdges < 3) p->m_nEdges = 6;
      o = p;
      break;
    }
    case TYPE_TEXT1: {
      auto* p = List().AddText1(nullptr, TRUE, TRUE);
      p->m_dWidth = w;
      p->m_dHeight = h;
      p->SetText("AB");
      o = p;
      break;
    }
    case TYPE_TEXT2: {
      auto* p = List().AddText2(nullptr, TRUE, TRUE);
      p->m_dRadiusX = w / 2;
      p->m_dRadiusY = h / 2;
      p->SetText("ABC");
      o = p;
      break;
    }
    case TYPE_BARCODE: {
      auto* p = List().AddBarcode(nullptr, TRUE, TRUE);
      p->m_dSizeX = w;
      p->m_dSizeY = h;
      o = p;
      break;
    }
    default:
      ADD_FAILURE() << "no shape of kind " << kind;
      return -1;
  }
  o->m_dPosX = x;
  o->m_dPosY = y;
  o->m_nOutputMode = 2;
  const int index = List().GetCount() - 1;
  SetGrid(index, 1, 1, 1.0, 1.0);
  return index;
}

int CanvasTest::AddBitmap(std::vector<BYTE> image, double w, double h, double x, double y) {
  CBmpObject* p = List().AddBmpFromImage(std::move(image));
  if (!p) {
    ADD_FAILURE() << "bitmap not added";
    return -1;
  }
  p->m_dWidth = w;
  p->m_dHeight = h;
  p->m_dPosX = x;
  p->m_dPosY = y;
  p->m_nOutputMode = 2;
  return List().GetCount() - 1;
}

namespace {
template <class T>
void Grid(CDrawObject* o, int rows, int columns, double rowGap, double columnGap) {
  auto* p = static_cast<T*>(o);
  p->m_nRows = rows;
  p->m_nColumns = columns;
  p->m_dRowGap = rowGap;
  p->m_dColumnGap = columnGap;
}
}  // namespace

void CanvasTest::SetGrid(int index, int rows, int columns, double rowGap, double columnGap) {
  CDrawObject* o = List().GetObject(index);
  switch (o->m_nType) {
    case TYPE_LINE: Grid<CLineObject>(o, rows, columns, rowGap, columnGap); break;
    case TYPE_RECTANGLE: Grid<CRectangleObject>(o, rows, columns, rowGap, columnGap); break;
    case TYPE_CIRCLE: Grid<CCircleObject>(o, rows, columns, rowGap, columnGap); break;
    case TYPE_TRIANGLE: Grid<CTriangleObject>(o, rows, columns, rowGap, columnGap); break;
    case TYPE_RHOMBIC: Grid<CRhombicObject>(o, rows, columns, rowGap, columnGap); break;
    case TYPE_POLYGON: Grid<CPolygonObject>(o, rows, columns, rowGap, columnGap); break;
    case TYPE_TEXT1: Grid<CText1Object>(o, rows, columns, rowGap, columnGap); break;
    case TYPE_TEXT2: Grid<CText2Object>(o, rows, columns, rowGap, columnGap); break;
    case TYPE_BMP: Grid<CBmpObject>(o, rows, columns, rowGap, columnGap); break;
    case TYPE_BARCODE: Grid<CBarcodeObject>(o, rows, columns, rowGap, columnGap); break;
    default: break;
  }
}

InkImage CanvasTest::EngraveRaster(const DotWindow& window, int* result, CDoubleRect* bounds, int* size) {
  CDC dc;
  int sz[2] = {0, 0};
  CDoubleRect b;
  int oldZoom = -1;
  const int n = view->GetBitmapDC(&dc, sz, &b, &oldZoom);
  if (result) *result = n;
  if (bounds) *bounds = b;
  if (size) {
    size[0] = sz[0];
    size[1] = sz[1];
  }
  InkImage img = InkOf(*dc.GetCurrentBitmap(), window);
  CLeftView::ReleaseBitmapDC(&dc);
  view->RestoreZoom(doc.get(), oldZoom);
  view->SetRenderMode(RENDER_SCREEN);
  return img;
}

InkImage CanvasTest::CapturedOutline(int index, const DotWindow& window) {
  const int w = doc->m_Settings.System.DrawX * 40 / 100;
  const int h = doc->m_Settings.System.DrawY * 40 / 100;
  const int n = view->SetOutlineData(index);
  InkImage img;
  if (n > 0 && !view->m_pCircleRadii.empty())
    img = FillCircles(view->m_pOutlinePoints.data(), view->m_pCircleRadii.data(), n, w, h, window);
  else if (n > 0)
    img = FillOutline(view->m_pOutlinePoints.data(), view->m_pOutlineTypes.data(), n, w, h, window);
  else
    img = FillOutline(nullptr, nullptr, 0, w, h, window);
  view->ReleaseOutlinePoints();
  return img;
}

void CanvasTest::Repaint(int zoom) {
  doc->SetZoomQuiet(zoom);
  view->SetScrollSizesForZoom();
  view->UpdateWindow();
}

CRect CanvasTest::ClientRectOf(int index) {
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  dc.SetMapMode(MM_HIMETRIC);
  RECT r;
  view->GetRenderer()->LogicalRectToDevice(&dc, List().GetObject(index)->m_rcBounds, &r);
  CRect c(r);
  c.OffsetRect(-view->GetScrollPos(SB_HORZ), -view->GetScrollPos(SB_VERT));
  c.NormalizeRect();
  return c;
}

CDoubleRect CanvasTest::FullWalkBounds(int index) {
  const CopyGrid g = CLeftView::GetCopyGrid(List().GetObject(index));
  CDoubleRect a, b;
  view->GetRenderer()->MmRectToLogical(g.width, g.height, g.CentreX(0), g.CentreY(g.rows - 1), &a);
  view->GetRenderer()->MmRectToLogical(g.width, g.height, g.CentreX(g.columns - 1), g.CentreY(0), &b);
  return CDoubleRect(a.left, a.top, b.right, b.bottom);
}

void CanvasTest::ShowView() {
  view->resize(900, 700);
  view->show();
  QApplication::processEvents();
}
