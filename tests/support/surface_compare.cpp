#include "surface_compare.h"

#include <QApplication>
#include <QImage>
#include <QRect>
#include <sstream>

#include "canvas/leftview.h"

StalePixels CompareWithFullRepaint(CLeftView& view) {
  QApplication::processEvents();
  view.UpdateWindow();
  const QImage shown = view.SurfaceImage().copy();
  view.Invalidate(TRUE);
  view.UpdateWindow();
  const QImage& fresh = view.SurfaceImage();
  StalePixels out;
  if (shown.size() != fresh.size()) {
    out.count = -1;
    return out;
  }
  QRect box;
  std::ostringstream first;
  for (int y = 0; y < fresh.height(); ++y) {
    const auto* a = reinterpret_cast<const QRgb*>(shown.constScanLine(y));
    const auto* b = reinterpret_cast<const QRgb*>(fresh.constScanLine(y));
    for (int x = 0; x < fresh.width(); ++x) {
      if (a[x] == b[x]) continue;
      if (++out.count <= 6) first << " (" << x << "," << y << ")";
      box |= QRect(x, y, 1, 1);
    }
  }
  out.x = box.x();
  out.y = box.y();
  out.width = box.width();
  out.height = box.height();
  out.first = first.str();
  return out;
}
