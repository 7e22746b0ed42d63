#include "platform/ui/window_surface.h"

#include <algorithm>

void CWindowSurface::Resize(int width, int height) {
  m_image = QImage(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
  m_image.setDotsPerMeterX(kDotsPerMetre);
  m_image.setDotsPerMeterY(kDotsPerMetre);
  m_image.fill(Qt::white);
  m_pending = QRegion();
  m_erase = QRegion();
}

void CWindowSurface::Invalidate(const RECT& rect, BOOL erase) {
  CRect r(rect);
  r.NormalizeRect();
  const QRect q = QRect(r.left, r.top, r.Width(), r.Height()) & m_image.rect();
  if (q.isEmpty()) return;
  m_pending += q;
  if (erase) m_erase += q;
}

void CWindowSurface::InvalidateAll(BOOL erase) {
  if (m_image.isNull()) return;
  m_pending = QRegion(m_image.rect());
  if (erase) m_erase = m_pending;
}

void CWindowSurface::TakePending(QRegion& paint, QRegion& erase) {
  paint = m_pending;
  erase = m_erase;
  m_pending = QRegion();
  m_erase = QRegion();
}

void CWindowSurface::Validate(const RECT& rect) {
  const QRect q(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  m_pending -= q;
  m_erase -= q;
}
