#include "text_fixture.h"

#include <QImage>

namespace text_test {

Page::Page(int width, int height, int bitsPerPixel) : m_width(width), m_height(height) {
  m_dc.CreateCompatibleDC(nullptr);
  m_bitmap.CreateBitmap(width, height, 1, bitsPerPixel == 1 ? 1 : 32, nullptr);
  m_old = m_dc.SelectObject(&m_bitmap);
  m_dc.PatBlt(0, 0, width, height, WHITENESS);
  m_dc.SetMapMode(MM_HIMETRIC);
}

Page::~Page() { m_dc.SelectObject(m_old); }

long long Page::InkCount() const {
  long long n = 0;
  for (int y = 0; y < m_height; ++y)
    for (int x = 0; x < m_width; ++x) n += IsInk(x, y) ? 1 : 0;
  return n;
}

bool Page::SavePng(const char* path) const {
  QImage image(m_width, m_height, QImage::Format_RGB32);
  for (int y = 0; y < m_height; ++y)
    for (int x = 0; x < m_width; ++x) {
      const COLORREF c = m_bitmap.PixelColour(x, y);
      image.setPixel(x, y, qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
    }
  return image.save(QString::fromUtf8(path), "PNG");
}

void PlainText1(CText1Object& obj, const char* utf8, double width, double height) {
  obj.SetDefaults();
  obj.m_nType = TYPE_TEXT1;
  obj.SetText(CString::FromUtf8(utf8));
  obj.m_dWidth = width;
  obj.m_dHeight = height;
  obj.m_nAlign = 0;
  obj.m_dCharGap = 0;
}

void PlainText2(CText2Object& obj, const char* utf8) {
  obj.SetDefaults();
  obj.m_nType = TYPE_TEXT2;
  obj.SetText(CString::FromUtf8(utf8));
}

void FillOutline(Page& page, const TextOutlineLists& lists) {
  if (lists.points.empty()) return;
  page.dc()->FillFigures(lists.points.data(), lists.types.data(), static_cast<int>(lists.points.size()), 0,
                         WINDING);
}

}  // namespace text_test
