// A window's own pixels. Parts of the program draw into windows outside paint events (XOR
// feedback, rubber bands, the paint editor), which Qt cannot do on a widget; so a window keeps
// its client pixels in an image, drawing goes to the image, and the widget's paint event only
// copies the image out. Invalidated areas wait in a pending region until the next paint.
#pragma once

#include <QImage>
#include <QRegion>

#include "platform/wintypes.h"

class CWindowSurface {
 public:
  // Screen resolution (96 dots per inch) so that MM_HIMETRIC maps as on the screen.
  static constexpr int kDotsPerMetre = 3780;

  // A new white surface of the size (nothing pending).
  void Resize(int width, int height);
  QImage& Image() { return m_image; }
  const QImage& Image() const { return m_image; }
  int Width() const { return m_image.width(); }
  int Height() const { return m_image.height(); }

  // Adds a rectangle (client pixels) to the pending region, and to the part to be erased first
  // when erase is set. Clipped to the surface.
  void Invalidate(const RECT& rect, BOOL erase);
  void InvalidateAll(BOOL erase);
  bool HasPending() const { return !m_pending.isEmpty(); }
  const QRegion& Pending() const { return m_pending; }
  const QRegion& PendingErase() const { return m_erase; }
  // Hands out the pending regions and clears them.
  void TakePending(QRegion& paint, QRegion& erase);
  // Takes a rectangle off the pending region (it was painted some other way).
  void Validate(const RECT& rect);

 private:
  QImage m_image;
  QRegion m_pending;
  QRegion m_erase;
};
