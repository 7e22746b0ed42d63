// The work-area pages' rows of the property sheet's page table.
#include "model/kinds.h"
#include "pages/korvane_property_sheet.h"
#include "pages/settings_pages.h"

namespace {
template <class Page>
void Row(int index, int mode) {
  CKorvanePropertySheet::RegisterPage(TYPE_DRAWING, index, [] { return std::make_unique<Page>(); }, mode);
}
}  // namespace

void RegisterSettingsPages() {
  Row<CPageDrawData>(0, PAGE_FIELD_FREE);
  Row<CPageDrawArea>(1, PAGE_FIELD_FREE);
  Row<CPageDrawField>(2, PAGE_FIELD_FREE);
  Row<CPageDrawAreaFix>(0, PAGE_FIELD_FIXED);
  Row<CPageDrawDataFix>(1, PAGE_FIELD_FIXED);
}
