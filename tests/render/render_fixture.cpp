#include "render_fixture.h"

namespace render_test {

Page::Page(int width, int height, int bitsPerPixel) : m_width(width), m_height(height) {
  m_dc.CreateCompatibleDC(nullptr);
  if (bitsPerPixel == 1) {
    m_bitmap.CreateBitmap(width, height, 1, 1, nullptr);
  } else {
    m_bitmap.CreateBitmap(width, height, 1, 32, nullptr);
  }
  m_old = m_dc.SelectObject(&m_bitmap);
  m_dc.PatBlt(0, 0, width, height, WHITENESS);
  // The renderer draws into device contexts that are in MM_HIMETRIC.
  m_dc.SetMapMode(MM_HIMETRIC);
}

Page::~Page() { m_dc.SelectObject(m_old); }

COLORREF Page::Pixel(int x, int y) { return m_bitmap.PixelColour(x, y); }

bool Page::IsInk(int x, int y) { return Pixel(x, y) != 0xFFFFFF; }

long long Page::InkCount() {
  long long n = 0;
  for (int y = 0; y < m_height; ++y)
    for (int x = 0; x < m_width; ++x) n += IsInk(x, y) ? 1 : 0;
  return n;
}

}  // namespace render_test
