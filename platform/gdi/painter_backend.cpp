#include "platform/gdi/painter_backend.h"

#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/gdi/raster_backend.h"
#include "platform/qt_prompter.h"

namespace {

QPen PenOf(const GdiDrawState& st) {
  QPen pen(ColorToQColor(st.penColour));
  pen.setWidth(std::max(1, st.penWidth));
  if (st.penWidth <= 1) {
    pen.setCosmetic(true);
  } else {
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
  }
  return pen;
}

// Stroke points name pixels: the stroke runs through their centres.
QPointF StrokePoint(const DPOINT& p) { return QPointF(p.x + 0.5, p.y + 0.5); }

QImage DibToImage(const void* bits, const BITMAPINFO* bmi, COLORREF* palette0, COLORREF* palette1) {
  const BITMAPINFOHEADER& h = bmi->bmiHeader;
  const int w = h.biWidth;
  const int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  const int bpp = h.biBitCount;
  if (w <= 0 || height <= 0 || (bpp != 1 && bpp != 24 && bpp != 32) || h.biCompression != BI_RGB)
    return QImage();
  const long long stride = ((static_cast<long long>(w) * bpp + 31) / 32) * 4;
  const bool bottomUp = h.biHeight > 0;
  QImage img(w, height, QImage::Format_RGB32);
  if (img.isNull()) return img;
  const BYTE* src = static_cast<const BYTE*>(bits);
  QRgb pal[2] = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
  if (bpp == 1) {
    for (int i = 0; i < 2; ++i) {
      const RGBQUAD& q = bmi->bmiColors[i];
      pal[i] = qRgb(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
    if (palette0) *palette0 = RGB(qRed(pal[0]), qGreen(pal[0]), qBlue(pal[0]));
    if (palette1) *palette1 = RGB(qRed(pal[1]), qGreen(pal[1]), qBlue(pal[1]));
  }
  for (int y = 0; y < height; ++y) {
    const BYTE* row = src + stride * (bottomUp ? height - 1 - y : y);
    QRgb* out = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < w; ++x) {
      if (bpp == 1) {
        out[x] = pal[(row[x >> 3] >> (7 - (x & 7))) & 1];
      } else {
        const BYTE* p = row + x * (bpp / 8);
        out[x] = qRgb(p[2], p[1], p[0]);
      }
    }
  }
  return img;
}

// Draws the source rectangle of img into the signed destination rectangle; a source extent
// whose sign differs from the destination's mirrors along that axis.
void DrawImageStretched(QPainter& painter, const QImage& img, int x, int y, int w, int h, int xs,
                        int ys, int ws, int hs) {
  if (w == 0 || h == 0 || ws == 0 || hs == 0) return;
  QImage part = img.copy(std::min(xs, xs + ws), std::min(ys, ys + hs), std::abs(ws), std::abs(hs));
  const bool flipX = (w < 0) != (ws < 0);
  const bool flipY = (h < 0) != (hs < 0);
  if (flipX || flipY) part = part.mirrored(flipX, flipY);
  QRect target(std::min(x, x + w), std::min(y, y + h), std::abs(w), std::abs(h));
  painter.drawImage(target, part);
}

// The part of a stretched DIB that lands within clip, at its size on the device: each pixel
// takes the source pixel under its centre, as a scaled drawImage samples. Null when nothing lands
// there; at gives the part's top-left pixel.
QImage StretchedPart(const void* bits, const BITMAPINFO* bmi, long long x, long long y, long long w, long long h,
                     long long xs, long long ys, long long ws, long long hs, const RECT& clip, QPoint& at) {
  const BITMAPINFOHEADER& hd = bmi->bmiHeader;
  const long long width = hd.biWidth;
  const long long height = hd.biHeight < 0 ? -static_cast<long long>(hd.biHeight) : hd.biHeight;
  const int bpp = hd.biBitCount;
  const bool bottomUp = hd.biHeight > 0;
  const long long stride = ((width * bpp + 31) / 32) * 4;
  const bool flipX = (w < 0) != (ws < 0), flipY = (h < 0) != (hs < 0);
  const long long left = std::min(x, x + w), top = std::min(y, y + h), aw = std::abs(w), ah = std::abs(h);
  const long long srcLeft = std::min(xs, xs + ws), aws = std::abs(ws), ahs = std::abs(hs);
  // Source rows from the top of the image.
  const long long srcTopRow = bottomUp ? height - ys - hs : ys;
  const long long srcTop = std::min(srcTopRow, srcTopRow + hs);
  const long long x0 = std::max<long long>(left, clip.left), x1 = std::min<long long>(left + aw, clip.right);
  const long long y0 = std::max<long long>(top, clip.top), y1 = std::min<long long>(top + ah, clip.bottom);
  if (x1 <= x0 || y1 <= y0) return QImage();
  QImage part(static_cast<int>(x1 - x0), static_cast<int>(y1 - y0), QImage::Format_RGB32);
  if (part.isNull()) return part;
  QRgb pal[2] = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
  if (bpp == 1) {
    for (int i = 0; i < 2; ++i) {
      const RGBQUAD& q = bmi->bmiColors[i];
      pal[i] = qRgb(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
  }
  // Source column of each destination column; -1 outside the image (drawn black, as a copy of
  // a rectangle past the image's edge is).
  std::vector<long long> columns(static_cast<size_t>(x1 - x0));
  for (long long dx = x0; dx < x1; ++dx) {
    long long s = ((dx - left) * 2 + 1) * aws / (aw * 2);
    if (flipX) s = aws - 1 - s;
    const long long c = srcLeft + s;
    columns[static_cast<size_t>(dx - x0)] = (c >= 0 && c < width) ? c : -1;
  }
  const BYTE* src = static_cast<const BYTE*>(bits);
  for (long long dy = y0; dy < y1; ++dy) {
    long long s = ((dy - top) * 2 + 1) * ahs / (ah * 2);
    if (flipY) s = ahs - 1 - s;
    const long long r = srcTop + s;
    QRgb* out = reinterpret_cast<QRgb*>(part.scanLine(static_cast<int>(dy - y0)));
    if (r < 0 || r >= height) {
      std::fill(out, out + part.width(), qRgb(0, 0, 0));
      continue;
    }
    const BYTE* row = src + stride * (bottomUp ? height - 1 - r : r);
    for (size_t i = 0; i < columns.size(); ++i) {
      const long long c = columns[i];
      if (c < 0) {
        out[i] = qRgb(0, 0, 0);
      } else if (bpp == 1) {
        out[i] = pal[(row[c >> 3] >> (7 - (c & 7))) & 1];
      } else {
        const BYTE* p = row + c * (bpp / 8);
        out[i] = qRgb(p[2], p[1], p[0]);
      }
    }
  }
  at = QPoint(static_cast<int>(x0), static_cast<int>(y0));
  return part;
}

}  // namespace

int DotsPerInchToPixelsPerMetre(int dpi) { return DoubleToInt(dpi * 10000.0 / 254.0 + 0.5); }

CPainterBackend::CPainterBackend(QPainter& painter, int pixelsPerMetreX, int pixelsPerMetreY)
    : m_painter(painter), m_ppmX(pixelsPerMetreX), m_ppmY(pixelsPerMetreY) {
  QPaintEngine* engine = painter.paintEngine();
  // Pixel devices (widgets, images) get the raster back end's exact coverage and raster
  // operations; printers get outlines, which stay sharp at any resolution, and plain copies (a
  // PDF engine claims raster operations but cannot draw them).
  m_exact = engine && engine->type() == QPaintEngine::Raster;
  m_rasterOps = m_exact && engine->hasFeature(QPaintEngine::RasterOpModes);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  // An image painted without a transform can take plain copies of cells straight into its rows
  // (a call of the painter per span costs more than the span): the clip is read once here.
  QPaintDevice* device = painter.device();
  if (m_exact && device && device->devType() == QInternal::Image &&
      painter.deviceTransform().type() == QTransform::TxNone) {
    auto* image = static_cast<QImage*>(device);
    const QImage::Format f = image->format();
    if (f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 || f == QImage::Format_ARGB32_Premultiplied) {
      m_direct = image;
      m_directClipped = painter.hasClipping();
      const QRect whole(0, 0, image->width(), image->height());
      if (m_directClipped) {
        for (const QRect& r : painter.clipRegion())
          if (const QRect in = r & whole; !in.isEmpty()) m_directClip.push_back(in);
      } else {
        m_directClip.push_back(whole);
      }
    }
  }
}

int CPainterBackend::GetDeviceCaps(int index) const {
  SIZE s = SurfaceSize();
  switch (index) {
    case HORZRES: return s.cx;
    case VERTRES: return s.cy;
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case LOGPIXELSX: return DoubleToInt(m_ppmX * 254.0 / 10000.0 + 0.5);
    case LOGPIXELSY: return DoubleToInt(m_ppmY * 254.0 / 10000.0 + 0.5);
    case HORZSIZE: return m_ppmX > 0 ? DoubleToInt(s.cx * 1000.0 / m_ppmX + 0.5) : 0;
    case VERTSIZE: return m_ppmY > 0 ? DoubleToInt(s.cy * 1000.0 / m_ppmY + 0.5) : 0;
    default: return 0;
  }
}

SIZE CPainterBackend::SurfaceSize() const {
  SIZE s;
  if (QPaintDevice* d = m_painter.device()) {
    s.cx = d->width();
    s.cy = d->height();
  }
  return s;
}

void CPainterBackend::ResetComposition() {
  m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

bool CPainterBackend::ApplyRop2(int rop2) {
  ResetComposition();
  if (rop2 == R2_NOP) return false;
  if (!m_rasterOps) return true;  // printers: every operation draws as a plain copy
  switch (rop2) {
    case R2_NOT: m_painter.setCompositionMode(QPainter::RasterOp_NotDestination); break;
    case R2_XORPEN: m_painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination); break;
    case R2_NOTXORPEN: m_painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination); break;
    case R2_MASKPEN: m_painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination); break;
    case R2_MERGEPEN: m_painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination); break;
    case R2_NOTCOPYPEN: m_painter.setCompositionMode(QPainter::RasterOp_NotSource); break;
    case R2_MASKPENNOT: m_painter.setCompositionMode(QPainter::RasterOp_SourceAndNotDestination); break;
    case R2_MASKNOTPEN: m_painter.setCompositionMode(QPainter::RasterOp_NotSourceAndDestination); break;
    case R2_MERGEPENNOT: m_painter.setCompositionMode(QPainter::RasterOp_SourceOrNotDestination); break;
    case R2_MERGENOTPEN: m_painter.setCompositionMode(QPainter::RasterOp_NotSourceOrDestination); break;
    case R2_NOTMASKPEN: m_painter.setCompositionMode(QPainter::RasterOp_NotSourceOrNotDestination); break;
    case R2_NOTMERGEPEN: m_painter.setCompositionMode(QPainter::RasterOp_NotSourceAndNotDestination); break;
    default: break;  // R2_COPYPEN; R2_BLACK and R2_WHITE are given their colour by the caller
  }
  return true;
}

bool CPainterBackend::ApplyBlitRop(DWORD rop, QImage& image) {
  ResetComposition();
  if (!m_rasterOps) {
    // Without raster operations (printers) an AND is drawn as ink over the paper: white, which
    // an AND leaves unchanged, becomes transparent.
    if (rop == SRCAND) {
      image = image.convertToFormat(QImage::Format_ARGB32);
      for (int y = 0; y < image.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
          if ((row[x] & 0xFFFFFF) == 0xFFFFFF) row[x] = 0;
      }
    }
    return true;
  }
  switch (rop) {
    case SRCAND: m_painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination); break;
    case SRCPAINT: m_painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination); break;
    case SRCINVERT: m_painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination); break;
    case NOTSRCCOPY: m_painter.setCompositionMode(QPainter::RasterOp_NotSource); break;
    case SRCERASE: m_painter.setCompositionMode(QPainter::RasterOp_SourceAndNotDestination); break;
    case NOTSRCERASE: m_painter.setCompositionMode(QPainter::RasterOp_NotSourceAndNotDestination); break;
    case MERGEPAINT: m_painter.setCompositionMode(QPainter::RasterOp_NotSourceOrDestination); break;
    default: break;
  }
  return true;
}

namespace {

COLORREF Rop2Colour(int rop2, COLORREF c) {
  if (rop2 == R2_BLACK) return 0;
  if (rop2 == R2_WHITE) return 0xFFFFFF;
  return c;
}

}  // namespace

gdi::Clip CPainterBackend::SurfaceClip() const {
  // The painter's clip box, not the whole surface: a paint of a small region covers shapes only
  // there.
  const RECT box = ClipBox();
  gdi::Clip c;
  c.left = box.left;
  c.top = box.top;
  c.right = box.right;
  c.bottom = box.bottom;
  return c;
}

bool CPainterBackend::Direct() const {
  return m_direct && m_painter.hasClipping() == m_directClipped && m_painter.opacity() == 1.0 &&
         m_painter.deviceTransform().type() == QTransform::TxNone;
}

void CPainterBackend::WriteSpans(const gdi::SpanRegion& rgn, QRgb value) {
  // The pixels a fill of each span would give: the opaque colour, within the clip.
  uchar* bits = const_cast<uchar*>(static_cast<const QImage*>(m_direct)->constBits());
  const qsizetype stride = m_direct->bytesPerLine();
  for (const QRect& c : m_directClip) {
    const int cl = c.left(), cr = c.right() + 1, ct = c.top(), cb = c.bottom() + 1;
    for (const gdi::SpanBand& band : rgn.bands) {
      const int top = std::max(band.top, ct), bottom = std::min(band.bottom, cb);
      if (top >= bottom) continue;
      for (int i = 0; i < band.count; ++i) {
        const int l = std::max(rgn.xs[band.first + 2 * i], cl);
        const int r = std::min(rgn.xs[band.first + 2 * i + 1], cr);
        if (l >= r) continue;
        for (int y = top; y < bottom; ++y) {
          QRgb* row = reinterpret_cast<QRgb*>(bits + stride * y);
          std::fill(row + l, row + r, value);
        }
      }
    }
  }
}

void CPainterBackend::PaintSpans(const gdi::SpanRegion& rgn, const QColor& colour) {
  if (colour.alpha() == 255 && m_painter.compositionMode() == QPainter::CompositionMode_SourceOver && Direct()) {
    WriteSpans(rgn, colour.rgba());
    return;
  }
  for (const gdi::SpanBand& band : rgn.bands) {
    for (int i = 0; i < band.count; ++i) {
      const int l = rgn.xs[band.first + 2 * i], r = rgn.xs[band.first + 2 * i + 1];
      m_painter.fillRect(QRect(l, band.top, r - l, band.bottom - band.top), colour);
    }
  }
}

// Brush inside, pen over it, as the raster back end paints a shape.
void CPainterBackend::PaintShape(const gdi::SpanRegion& area, const gdi::SpanRegion& penArea,
                                 bool fill, bool pen, COLORREF fillColour, const GdiDrawState& st) {
  // Under a plain copy the cells go straight into the image, without the painter's state.
  const bool copy = st.rop2 == R2_COPYPEN || st.rop2 == R2_BLACK || st.rop2 == R2_WHITE;
  if (copy && Direct()) {
    const COLORREF fc = Rop2Colour(st.rop2, fillColour), pc = Rop2Colour(st.rop2, st.penColour);
    if (fill)
      WriteSpans(pen && fc != pc && !penArea.IsEmpty() ? gdi::SpanRegion::Combine(area, penArea, RGN_DIFF) : area,
                 ColorToQColor(fc).rgba());
    if (pen) WriteSpans(penArea, ColorToQColor(pc).rgba());
    return;
  }
  m_painter.save();
  if (ApplyRop2(st.rop2)) {
    const QColor fc = ColorToQColor(Rop2Colour(st.rop2, fillColour));
    // Under a plain copy a pen of the brush's colour may go over the brush: the same pixels
    // without cutting the pen out first.
    const bool over = st.rop2 == R2_COPYPEN && fillColour == st.penColour;
    if (fill)
      PaintSpans(pen && !over && !penArea.IsEmpty() ? gdi::SpanRegion::Combine(area, penArea, RGN_DIFF) : area, fc);
    if (pen) PaintSpans(penArea, ColorToQColor(Rop2Colour(st.rop2, st.penColour)));
  }
  m_painter.restore();
}

namespace {

// The cells of a shape that have a 4-neighbour outside it: a 1-pixel pen's frame.
gdi::SpanRegion Ring(const gdi::SpanRegion& area) {
  gdi::SpanRegion inner = area;
  for (int k = 0; k < 4; ++k) {
    gdi::SpanRegion shifted = area;
    shifted.Offset(k == 0 ? 1 : k == 1 ? -1 : 0, k == 2 ? 1 : k == 3 ? -1 : 0);
    inner = gdi::SpanRegion::Combine(inner, shifted, RGN_AND);
  }
  return gdi::SpanRegion::Combine(area, inner, RGN_DIFF);
}

}  // namespace

void CPainterBackend::Rectangle(const RECT& r, const GdiDrawState& st) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  const bool pen = !st.PenNull();
  if (m_exact && (!pen || st.penWidth <= 1)) {
    const gdi::Clip clip = SurfaceClip();
    gdi::SpanRegion area;
    area.SetRect(std::max(r.left, clip.left - 1), std::max(r.top, clip.top - 1),
                 std::min(r.right, clip.right + 1), std::min(r.bottom, clip.bottom + 1));
    gdi::SpanRegion penArea;
    if (pen) {
      gdi::SpanRegion inner;
      if (r.right - r.left > 2 && r.bottom - r.top > 2)
        inner.SetRect(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1);
      penArea = gdi::SpanRegion::Combine(area, inner, RGN_DIFF);
    }
    PaintShape(area, penArea, !st.brushNull, pen, st.brushColour, st);
    return;
  }
  m_painter.save();
  if (ApplyRop2(st.rop2)) {
    const QRect box(r.left, r.top, r.right - r.left, r.bottom - r.top);
    if (!st.brushNull) m_painter.fillRect(box, ColorToQColor(Rop2Colour(st.rop2, st.brushColour)));
    if (pen) {
      GdiDrawState s = st;
      s.penColour = Rop2Colour(st.rop2, st.penColour);
      QPen qpen = PenOf(s);
      qpen.setJoinStyle(Qt::MiterJoin);
      m_painter.setPen(qpen);
      m_painter.setBrush(Qt::NoBrush);
      double d = st.penStyle == PS_INSIDEFRAME ? (st.penWidth - 1) / 2.0 : 0.0;
      m_painter.drawRect(QRectF(r.left + 0.5 + d, r.top + 0.5 + d, r.right - r.left - 1 - 2 * d,
                                r.bottom - r.top - 1 - 2 * d));
    }
  }
  m_painter.restore();
}

void CPainterBackend::Ellipse(const RECT& r, const GdiDrawState& st) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  const bool pen = !st.PenNull();
  if (m_exact && (!pen || st.penWidth <= 1)) {
    gdi::Clip wide = SurfaceClip();
    wide.left -= 1; wide.top -= 1; wide.right += 1; wide.bottom += 1;
    const gdi::SpanRegion area = gdi::SpanRegion::EllipseInBox(r.left, r.top, r.right, r.bottom, wide);
    PaintShape(area, pen ? Ring(area) : gdi::SpanRegion(), !st.brushNull, pen, st.brushColour, st);
    return;
  }
  m_painter.save();
  if (ApplyRop2(st.rop2)) {
    if (!st.brushNull) {
      QPainterPath path;
      path.addEllipse(QRectF(r.left, r.top, r.right - r.left, r.bottom - r.top));
      m_painter.fillPath(path, ColorToQColor(Rop2Colour(st.rop2, st.brushColour)));
    }
    if (pen) {
      GdiDrawState s = st;
      s.penColour = Rop2Colour(st.rop2, st.penColour);
      m_painter.setPen(PenOf(s));
      m_painter.setBrush(Qt::NoBrush);
      double d = st.penStyle == PS_INSIDEFRAME ? (st.penWidth - 1) / 2.0 : 0.0;
      m_painter.drawEllipse(QRectF(r.left + 0.5 + d, r.top + 0.5 + d, r.right - r.left - 1 - 2 * d,
                                   r.bottom - r.top - 1 - 2 * d));
    }
  }
  m_painter.restore();
}

void CPainterBackend::RoundRect(const RECT& r, int cornerW, int cornerH, const GdiDrawState& st) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  const bool pen = !st.PenNull();
  if (m_exact && (!pen || st.penWidth <= 1)) {
    gdi::Clip wide = SurfaceClip();
    wide.left -= 1; wide.top -= 1; wide.right += 1; wide.bottom += 1;
    const gdi::SpanRegion area =
        gdi::SpanRegion::RoundRect(r.left, r.top, r.right, r.bottom, cornerW, cornerH, wide);
    PaintShape(area, pen ? Ring(area) : gdi::SpanRegion(), !st.brushNull, pen, st.brushColour, st);
    return;
  }
  const double rx = std::min(std::abs(cornerW), r.right - r.left) / 2.0;
  const double ry = std::min(std::abs(cornerH), r.bottom - r.top) / 2.0;
  m_painter.save();
  if (ApplyRop2(st.rop2)) {
    if (!st.brushNull) {
      QPainterPath path;
      path.addRoundedRect(QRectF(r.left, r.top, r.right - r.left, r.bottom - r.top), rx, ry);
      m_painter.fillPath(path, ColorToQColor(Rop2Colour(st.rop2, st.brushColour)));
    }
    if (pen) {
      GdiDrawState s = st;
      s.penColour = Rop2Colour(st.rop2, st.penColour);
      m_painter.setPen(PenOf(s));
      m_painter.setBrush(Qt::NoBrush);
      m_painter.drawRoundedRect(
          QRectF(r.left + 0.5, r.top + 0.5, r.right - r.left - 1, r.bottom - r.top - 1), rx, ry);
    }
  }
  m_painter.restore();
}

void CPainterBackend::Figures(const std::vector<DeviceFigure>& figures, bool fill, bool stroke,
                              COLORREF fillColour, const GdiDrawState& st) {
  const bool pen = stroke && !st.PenNull();
  if (m_exact) {
    // Reused from path to path (their buffers): text is thousands of small paths. Nothing that
    // paints them draws figures again.
    thread_local gdi::SpanRegion area, penArea;
    FigureCells(figures, fill, pen ? st.penWidth : 0, st.polyFillMode, SurfaceClip(), area, penArea);
    PaintShape(area, penArea, fill, pen, fillColour, st);
    for (gdi::SpanRegion* r : {&area, &penArea}) {
      gdi::TrimKept(r->xs);
      gdi::TrimKept(r->bands);
    }
    return;
  }
  m_painter.save();
  if (ApplyRop2(st.rop2)) {
    if (fill) {
      QPainterPath path;
      path.setFillRule(st.polyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
      for (const DeviceFigure& f : figures) {
        if (f.points.size() < 3) continue;
        path.moveTo(f.points[0].x, f.points[0].y);
        for (size_t i = 1; i < f.points.size(); ++i) path.lineTo(f.points[i].x, f.points[i].y);
        path.closeSubpath();
      }
      m_painter.fillPath(path, ColorToQColor(Rop2Colour(st.rop2, fillColour)));
    }
    if (pen) {
      GdiDrawState s = st;
      s.penColour = Rop2Colour(st.rop2, st.penColour);
      m_painter.setPen(PenOf(s));
      m_painter.setBrush(Qt::NoBrush);
      for (const DeviceFigure& f : figures) {
        if (f.points.empty()) continue;
        QPolygonF poly;
        poly.reserve(static_cast<int>(f.points.size()) + 1);
        for (const DPOINT& p : f.points) poly << StrokePoint(p);
        if (poly.size() == 1) {
          m_painter.drawPoint(poly[0]);
        } else if (f.closed) {
          m_painter.drawPolygon(poly);
        } else {
          m_painter.drawPolyline(poly);
        }
      }
    }
  }
  m_painter.restore();
}

void CPainterBackend::FigureCells(const std::vector<DeviceFigure>& figures, bool fill, int penWidth,
                                  int fillMode, const gdi::Clip& clip, gdi::SpanRegion& area,
                                  gdi::SpanRegion& pen) const {
  area.Clear();
  pen.Clear();
  if (fill) {
    // Reused from path to path: text is thousands of small paths.
    thread_local std::vector<std::vector<gdi::FixPoint>> rings;
    rings.resize(figures.size());
    for (size_t k = 0; k < figures.size(); ++k) {
      std::vector<gdi::FixPoint>& ring = rings[k];
      ring.clear();
      ring.reserve(figures[k].points.size());
      for (const DPOINT& p : figures[k].points) ring.push_back(gdi::ToFix(p.x, p.y));
    }
    gdi::SpanRegion::PolygonInto(rings, fillMode, clip, area);
  }
  if (penWidth > 0) CRasterBackend::StrokeCoverageInto(figures, penWidth, clip, pen);
}

void CPainterBackend::PaintCells(const gdi::SpanRegion& area, const gdi::SpanRegion& pen, const RECT& box,
                                 bool fill, bool stroke, COLORREF fillColour, const GdiDrawState& st) {
  const bool withPen = stroke && !st.PenNull();
  if (Direct()) {
    // Written within the clip rectangles themselves.
    PaintShape(area, pen, fill, withPen, fillColour, st);
    return;
  }
  const gdi::Clip clip = SurfaceClip();
  if (box.left >= clip.left && box.top >= clip.top && box.right <= clip.right && box.bottom <= clip.bottom) {
    PaintShape(area, pen, fill, withPen, fillColour, st);
    return;
  }
  // Cells kept whole for later paints; this paint covers only what its clip shows.
  gdi::SpanRegion within;
  within.SetRect(clip.left, clip.top, clip.right, clip.bottom);
  PaintShape(gdi::SpanRegion::Combine(area, within, RGN_AND), gdi::SpanRegion::Combine(pen, within, RGN_AND),
             fill, withPen, fillColour, st);
}

void CPainterBackend::FillRegion(const gdi::SpanRegion& rgn, COLORREF colour) {
  m_painter.save();
  ResetComposition();
  PaintSpans(rgn, ColorToQColor(colour));
  m_painter.restore();
}

void CPainterBackend::PatBlt(const RECT& r, DWORD rop, const GdiDrawState& st) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  const QRect box(r.left, r.top, r.right - r.left, r.bottom - r.top);
  m_painter.save();
  ResetComposition();
  switch (rop) {
    case WHITENESS: m_painter.fillRect(box, Qt::white); break;
    case BLACKNESS: m_painter.fillRect(box, Qt::black); break;
    case PATCOPY:
      if (!st.brushNull) m_painter.fillRect(box, ColorToQColor(st.brushColour));
      break;
    case DSTINVERT:
      if (m_rasterOps) {
        m_painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        m_painter.fillRect(box, Qt::black);
      }
      break;
    case PATINVERT:
      if (m_rasterOps && !st.brushNull) {
        m_painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        m_painter.fillRect(box, ColorToQColor(st.brushColour));
      }
      break;
    default: break;
  }
  m_painter.restore();
}

BOOL CPainterBackend::StretchBlt(int x, int y, int w, int h, const CDCBackend& src, int xs, int ys,
                                 int ws, int hs, DWORD rop, const GdiDrawState& st,
                                 COLORREF srcBkColour) {
  (void)srcBkColour;
  if (!src.CanGivePixels()) return FALSE;
  if (w == 0 || h == 0 || ws == 0 || hs == 0) return TRUE;
  // The source rectangle as an image; a 1-bit source takes the text colour for 0 and the
  // background colour for 1, as on any colour device.
  const int left = std::min(xs, xs + ws), top = std::min(ys, ys + hs);
  const int aw = std::abs(ws), ah = std::abs(hs);
  QImage img(aw, ah, QImage::Format_RGB32);
  if (img.isNull()) return FALSE;
  const bool mono = src.BitsPerPixelForBlit() == 1;
  for (int j = 0; j < ah; ++j) {
    QRgb* out = reinterpret_cast<QRgb*>(img.scanLine(j));
    for (int i = 0; i < aw; ++i) {
      COLORREF c = src.SourcePixel(left + i, top + j);
      if (mono) c = c ? st.bkColour : st.textColour;
      out[i] = qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
    }
  }
  m_painter.save();
  ApplyBlitRop(rop, img);
  // The image already is the source rectangle; only the signs of the extents still count.
  DrawImageStretched(m_painter, img, x, y, w, h, ws < 0 ? aw : 0, hs < 0 ? ah : 0, ws < 0 ? -aw : aw,
                     hs < 0 ? -ah : ah);
  m_painter.restore();
  return TRUE;
}

BOOL CPainterBackend::StretchDIBits(int x, int y, int w, int h, int xs, int ys, int ws, int hs,
                                    const void* bits, const BITMAPINFO* bmi, DWORD rop,
                                    const GdiDrawState& st) {
  (void)st;
  if (!bits || !bmi) return FALSE;
  const BITMAPINFOHEADER& hd = bmi->bmiHeader;
  if (m_exact) {
    // Pixel devices: only what lands within the clip is converted, at its size there, so the
    // work and the memory follow the shown pixels, not the image's.
    const int bpp = hd.biBitCount;
    if (hd.biWidth <= 0 || hd.biHeight == 0 || (bpp != 1 && bpp != 24 && bpp != 32) || hd.biCompression != BI_RGB)
      return FALSE;
    if (w == 0 || h == 0 || ws == 0 || hs == 0) return TRUE;
    QPoint at;
    QImage part = StretchedPart(bits, bmi, x, y, w, h, xs, ys, ws, hs, ClipBox(), at);
    if (part.isNull()) return TRUE;
    m_painter.save();
    ApplyBlitRop(rop, part);
    m_painter.drawImage(at, part);
    m_painter.restore();
    return TRUE;
  }
  QImage img = DibToImage(bits, bmi, nullptr, nullptr);
  if (img.isNull()) return FALSE;
  // Source rows count from the bottom in a bottom-up DIB.
  int top = ys;
  if (bmi->bmiHeader.biHeight > 0) top = img.height() - ys - hs;
  m_painter.save();
  ApplyBlitRop(rop, img);
  DrawImageStretched(m_painter, img, x, y, w, h, xs, top, ws, hs);
  m_painter.restore();
  return TRUE;
}

COLORREF CPainterBackend::GetPixel(int x, int y) const {
  // Only an image gives its pixels back (a window surface); widgets and printers do not.
  auto* image = dynamic_cast<QImage*>(m_painter.device());
  if (!image || !image->valid(x, y)) return CLR_INVALID;
  const QRgb c = image->pixel(x, y);
  return RGB(qRed(c), qGreen(c), qBlue(c));
}

RECT CPainterBackend::ClipBox() const {
  const SIZE s = SurfaceSize();
  QRect box(0, 0, s.cx, s.cy);
  if (m_painter.hasClipping()) box &= m_painter.clipBoundingRect().toAlignedRect();
  if (box.isEmpty()) return RECT{};
  return RECT{box.left(), box.top(), box.right() + 1, box.bottom() + 1};
}

COLORREF CPainterBackend::SetPixel(int x, int y, COLORREF colour) {
  SIZE s = SurfaceSize();
  if (x < 0 || y < 0 || x >= s.cx || y >= s.cy) return CLR_INVALID;
  m_painter.save();
  ResetComposition();
  m_painter.fillRect(QRect(x, y, 1, 1), ColorToQColor(colour));
  m_painter.restore();
  return colour;
}

BOOL CPainterBackend::FloodFill(int x, int y, COLORREF colour, UINT kind, COLORREF fillColour) {
  (void)x; (void)y; (void)colour; (void)kind; (void)fillColour;
  return FALSE;  // needs the device's pixels
}

void CPainterBackend::DrawFocusRect(const RECT& r) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  m_painter.save();
  if (m_rasterOps) m_painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  const QColor c = m_rasterOps ? QColor(Qt::white) : QColor(Qt::gray);
  // Every other pixel of the frame just inside r; only those within the clip are visited, so a
  // frame far larger than the window costs no more than the window.
  const RECT clip = ClipBox();
  auto firstFrom = [](long long from, long long lo) { return from >= lo ? from : from + (lo - from + 1) / 2 * 2; };
  const long long xEnd = std::min<long long>(r.right, clip.right);
  for (long long x = firstFrom(r.left, clip.left); x < xEnd; x += 2) {
    m_painter.fillRect(QRect(static_cast<int>(x), r.top, 1, 1), c);
    if (r.bottom - 1 > r.top) m_painter.fillRect(QRect(static_cast<int>(x), r.bottom - 1, 1, 1), c);
  }
  const long long yEnd = std::min<long long>(static_cast<long long>(r.bottom) - 1, clip.bottom);
  for (long long y = firstFrom(static_cast<long long>(r.top) + 2, clip.top); y < yEnd; y += 2) {
    m_painter.fillRect(QRect(r.left, static_cast<int>(y), 1, 1), c);
    if (r.right - 1 > r.left) m_painter.fillRect(QRect(r.right - 1, static_cast<int>(y), 1, 1), c);
  }
  m_painter.restore();
}

CPainterDC::CPainterDC(QPainter& painter, QWidget* widget) {
  (void)widget;
  AttachBackend(std::make_unique<CPainterBackend>(painter, SCREEN_PIXELS_PER_METRE,
                                                  SCREEN_PIXELS_PER_METRE));
}

CPainterDC::CPainterDC(QPainter& painter, QImage* image) {
  const int ppmX = image && image->dotsPerMeterX() > 0 ? image->dotsPerMeterX() : SCREEN_PIXELS_PER_METRE;
  const int ppmY = image && image->dotsPerMeterY() > 0 ? image->dotsPerMeterY() : SCREEN_PIXELS_PER_METRE;
  AttachBackend(std::make_unique<CPainterBackend>(painter, ppmX, ppmY));
}

CPainterDC::CPainterDC(QPainter& painter, QPrinter* printer) {
  const int dpi = printer ? printer->resolution() : SCREEN_LOGPIXELS;
  const int ppm = DotsPerInchToPixelsPerMetre(dpi);
  AttachBackend(std::make_unique<CPainterBackend>(painter, ppm, ppm));
}
