// A binary project file loaded into a document with its canvas view, then every object's outline
// captured and the design rendered into the engraving raster, as the engines do.
#include "canvas/leftview.h"
#include "files/mrk_doc.h"
#include "fuzz/fuzz_support.h"
#include "model/korvane_doc.h"
#include "model/bmpobject.h"
#include "model/objectlist.h"
#include "model/textobject.h"
#include "platform/gdi/gdi.h"

namespace {

// Enough objects to meet every kind the file holds, few enough to keep each run short.
constexpr int kMaxObjects = 12;
// The grid of copies is cut to this many rows and columns: a full grid (999 x 999 copies of an
// arc text, which the property pages accept too) takes tens of seconds to capture, which is the
// cost of the grid, not of reading the file.
constexpr int kMaxGrid = 8;

template <class Kind>
void CutGrid(CDrawObject* o) {
  auto* k = static_cast<Kind*>(o);
  k->m_nRows = std::min(k->m_nRows, kMaxGrid);
  k->m_nColumns = std::min(k->m_nColumns, kMaxGrid);
}

void CutGridOf(CDrawObject* o) {
  switch (o->m_nType) {
    case TYPE_LINE: CutGrid<CLineObject>(o); break;
    case TYPE_RECTANGLE: CutGrid<CRectangleObject>(o); break;
    case TYPE_CIRCLE: CutGrid<CCircleObject>(o); break;
    case TYPE_TRIANGLE: CutGrid<CTriangleObject>(o); break;
    case TYPE_RHOMBIC: CutGrid<CRhombicObject>(o); break;
    case TYPE_POLYGON: CutGrid<CPolygonObject>(o); break;
    case TYPE_TEXT1: CutGrid<CText1Object>(o); break;
    case TYPE_TEXT2: CutGrid<CText2Object>(o); break;
    case TYPE_BMP: CutGrid<CBmpObject>(o); break;
    case TYPE_BARCODE: CutGrid<CBarcodeObject>(o); break;
    default: break;
  }
}

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
  for (int i = 1; i < n; ++i) CutGridOf(doc.GetObjectList()->GetObject(i));
  for (int i = 1; i < n; ++i) {
    view.GetOutlineType(i);
    const int count = view.SetOutlineData(i);
    fuzz::Check(count <= 0 || !view.m_pOutlinePoints.empty(), "points come with a buffer");
    view.ReleaseOutlinePoints();
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
