#include "memory_page.h"

#include <QImage>

MemoryPage::MemoryPage(int width, int height, int bitsPerPixel) : m_width(width), m_height(height) {
  m_dc.CreateCompatibleDC(nullptr);
  m_bitmap.CreateBitmap(width, height, 1, bitsPerPixel == 1 ? 1 : 32, nullptr);
  m_old = m_dc.SelectObject(&m_bitmap);
  m_dc.PatBlt(0, 0, width, height, WHITENESS);
  // The renderer draws into device contexts that are in MM_HIMETRIC.
  m_dc.SetMapMode(MM_HIMETRIC);
}

MemoryPage::~MemoryPage() { m_dc.SelectObject(m_old); }

long long MemoryPage::InkCount() const {
  long long n = 0;
  for (int y = 0; y < m_height; ++y)
    for (int x = 0; x < m_width; ++x) n += IsInk(x, y) ? 1 : 0;
  return n;
}

bool MemoryPage::SavePng(const char* path) const {
  QImage image(m_width, m_height, QImage::Format_RGB32);
  for (int y = 0; y < m_height; ++y)
    for (int x = 0; x < m_width; ++x) {
      const COLORREF c = m_bitmap.PixelColour(x, y);
      image.setPixel(x, y, qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
    }
  return image.save(QString::fromUtf8(path), "PNG");
}
