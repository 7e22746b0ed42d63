// Shared pieces of the text renderer tests: a document with the text setting, a memory page in
// the engraving mode at 40 dots per millimetre, text objects with plain settings, and the
// filling of captured outlines.
#pragma once

#include <vector>

#include "memory_page.h"
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

// The page the text tests draw on.
using Page = MemoryPage;

// A straight text with the given text (UTF-8) in Liberation-metric Arial, one copy.
void PlainText1(CText1Object& obj, const char* utf8, double width, double height);
// An arc text with the defaults of a new object and the given text.
void PlainText2(CText2Object& obj, const char* utf8);

// Fills captured outline figures (flattened, logical units) into the page with WINDING.
void FillOutline(Page& page, const TextOutlineLists& lists);

}  // namespace text_test
