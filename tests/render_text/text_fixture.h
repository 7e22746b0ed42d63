// Shared pieces of the text renderer tests: a document with the text setting, a memory page in
// the engraving mode at 40 dots per millimetre, text objects with plain settings, and the
// filling of captured outlines.
#pragma once

#include <vector>

#include "model/textobject.h"
#include "platform/gdi/gdi.h"
#include "render/object_renderer.h"
#include "render/text_layout.h"

namespace text_test {

class FakeDocument : public IRenderDocument, public ITextRenderSettings {
 public:
  double zoom = 1.0;
  int drawX = 6000;  // a 60 x 40 mm page
  int drawY = 4000;
  int dpm = 40;
  int v2004 = 0;

  double GetZoomFactor() const override { return zoom; }
  int GetDrawX() const override { return drawX; }
  int GetDrawY() const override { return drawY; }
  int GetDpm() const override { return dpm; }
  int IsPaintMode() const override { return 0; }
  int GetV2004String() const override { return v2004; }
};

// A white memory page of the whole design in MM_HIMETRIC (1 or 32 bits per pixel).
class Page {
 public:
  Page(int width, int height, int bitsPerPixel = 1);
  ~Page();
  Page(const Page&) = delete;
  Page& operator=(const Page&) = delete;

  CDC* dc() { return &m_dc; }
  CBitmap& bitmap() { return m_bitmap; }
  int width() const { return m_width; }
  int height() const { return m_height; }
  bool IsInk(int x, int y) const { return m_bitmap.PixelColour(x, y) != 0xFFFFFF; }
  long long InkCount() const;
  // Saves a 32-bit page as a PNG file.
  bool SavePng(const char* path) const;

 private:
  CDC m_dc;
  CBitmap m_bitmap;
  CBitmap* m_old = nullptr;
  int m_width;
  int m_height;
};

// A straight text with the given text (UTF-8) in Liberation-metric Arial, one copy.
void PlainText1(CText1Object& obj, const char* utf8, double width, double height);
// An arc text with the defaults of a new object and the given text.
void PlainText2(CText2Object& obj, const char* utf8);

// Fills captured outline figures (flattened, logical units) into the page with WINDING.
void FillOutline(Page& page, const TextOutlineLists& lists);

}  // namespace text_test
