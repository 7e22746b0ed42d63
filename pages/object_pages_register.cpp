// The object pages' rows of the property sheet's page table.
#include "model/kinds.h"
#include "pages/korvane_property_sheet.h"
#include "pages/object_pages.h"

namespace {
template <class Page>
void Row(int kind, int index) {
  CKorvanePropertySheet::RegisterPage(kind, index, [] { return std::make_unique<Page>(); });
}
}  // namespace

void RegisterObjectPages() {
  Row<CPageLine>(TYPE_LINE, 0);
  Row<CPageRectangle>(TYPE_RECTANGLE, 0);
  Row<CPageCircle>(TYPE_CIRCLE, 0);
  Row<CPageTriangle>(TYPE_TRIANGLE, 0);
  Row<CPageRhombic>(TYPE_RHOMBIC, 0);
  Row<CPagePolygon>(TYPE_POLYGON, 0);
  Row<CPageText1String>(TYPE_TEXT1, 0);
  Row<CPageText1Char>(TYPE_TEXT1, 1);
  Row<CPageText2String>(TYPE_TEXT2, 0);
  Row<CPageText2Char>(TYPE_TEXT2, 1);
  Row<CPageBMP>(TYPE_BMP, 0);
  Row<CPageQR>(TYPE_BARCODE, 0);
  Row<CPageObjects>(TYPE_MULTI, 0);
}
