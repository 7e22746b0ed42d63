// A binary project file loaded into a document with its canvas view, then every object's outline
// captured and rendered into the engraving raster, as the engines do.
#include "canvas/leftview.h"
#include "files/mrk_doc.h"
#include "fuzz/fuzz_support.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "platform/gdi/gdi.h"

namespace {

// Enough objects to meet every kind the file holds, few enough to keep each run short.
constexpr int kMaxObjects = 12;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::Init();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzz::WriteInput(data, size, "design.mrk");
  CKorvaneDoc doc;
  if (!doc.OnNewDocument()) fuzz::Fail("new document");
  CLeftView view(&doc);
  if (!MrkLoadBinary(doc, CString(path.c_str()))) return 0;
  const int n = std::min(doc.GetObjectList()->GetCount(), kMaxObjects + 1);
  for (int i = 1; i < n; ++i) {
    view.GetOutlineType(i);
    const int count = view.SetOutlineData(i);
    fuzz::Check(count <= 0 || view.m_pOutlinePoints != nullptr, "points come with a buffer");
    view.ReleaseOutlinePoints();

    CDC dc;
    CBitmap bitmap;
    int pageSize[2] = {0, 0};
    RECT part{0, 0, 0, 0};
    view.GetBitmapDC(&dc, &bitmap, pageSize, &part, &i, 1);
    dc.DeleteDC();
    bitmap.DeleteObject();
  }
  // The engraving raster of the whole design at the file's resolution.
  CDC page;
  int dots[2] = {0, 0};
  CDoubleRect bounds;
  int oldZoom = 0;
  view.GetBitmapDC(&page, dots, &bounds, &oldZoom);
  CLeftView::ReleaseBitmapDC(&page);
  view.RestoreZoom(&doc, oldZoom);
  return 0;
}
