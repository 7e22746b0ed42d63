#include "pages/korvane_property_sheet.h"

#include <map>
#include <tuple>

#include "model/kinds.h"

namespace {

struct PagePlace {
  int kind;
  int field;
  int index;
  bool operator<(const PagePlace& o) const {
    return std::tie(kind, field, index) < std::tie(o.kind, o.field, o.index);
  }
};

std::map<PagePlace, CKorvanePropertySheet::PageFactory>& Registry() {
  static std::map<PagePlace, CKorvanePropertySheet::PageFactory> registry;
  return registry;
}

int FieldOf(int kind, bool fieldFixed) {
  if (kind != TYPE_DRAWING) return PAGE_FIELD_ANY;
  return fieldFixed ? PAGE_FIELD_FIXED : PAGE_FIELD_FREE;
}

}  // namespace

CKorvanePropertySheet::CKorvanePropertySheet() {
  m_bUpdating = 0;
  m_bInitialized = 0;
  m_bAspect = 0;
}

CKorvanePropertySheet::~CKorvanePropertySheet() = default;

BOOL CKorvanePropertySheet::ActivateTypePage(int kind) {
  if (SetActivePage(GetTypePage(kind))) return TRUE;
  // A remembered page the sheet does not hold (fewer pages registered): the first one.
  return SetActivePage(0);
}

void CKorvanePropertySheet::RegisterPage(int kind, int pageIndex, PageFactory factory, int fieldMode) {
  if (kind == TYPE_DRAWING && fieldMode == PAGE_FIELD_ANY) fieldMode = PAGE_FIELD_FREE;
  if (kind != TYPE_DRAWING) fieldMode = PAGE_FIELD_ANY;
  Registry()[PagePlace{kind, fieldMode, pageIndex}] = std::move(factory);
}

void CKorvanePropertySheet::UnregisterPage(int kind, int pageIndex, int fieldMode) {
  if (kind == TYPE_DRAWING && fieldMode == PAGE_FIELD_ANY) fieldMode = PAGE_FIELD_FREE;
  if (kind != TYPE_DRAWING) fieldMode = PAGE_FIELD_ANY;
  Registry().erase(PagePlace{kind, fieldMode, pageIndex});
}

bool CKorvanePropertySheet::KindHasPages(int kind) {
  return (kind >= TYPE_LINE && kind <= TYPE_BARCODE) || kind == TYPE_MULTI || kind == TYPE_DRAWING ||
         kind == TYPE_IMAGE;
}

int CKorvanePropertySheet::RegisteredPageCount(int kind, bool fieldFixed) {
  if (!KindHasPages(kind)) return 0;
  const int field = FieldOf(kind, fieldFixed);
  int n = 0;
  for (const auto& [place, factory] : Registry())
    if (place.kind == kind && place.field == field && factory) ++n;
  return n;
}

std::vector<std::unique_ptr<CKorvanePage>> CKorvanePropertySheet::CreatePagesOfKind(int kind, bool fieldFixed) {
  std::vector<std::unique_ptr<CKorvanePage>> pages;
  if (!KindHasPages(kind)) return pages;
  const int field = FieldOf(kind, fieldFixed);
  // The map is ordered by page index within a (kind, field) place.
  for (const auto& [place, factory] : Registry()) {
    if (place.kind != kind || place.field != field || !factory) continue;
    if (std::unique_ptr<CKorvanePage> page = factory()) pages.push_back(std::move(page));
  }
  return pages;
}

const std::vector<int>& CKorvanePropertySheet::CreationOrder() {
  static const std::vector<int> order = {TYPE_DRAWING, TYPE_LINE,  TYPE_RECTANGLE, TYPE_CIRCLE,
                                         TYPE_TRIANGLE, TYPE_RHOMBIC, TYPE_POLYGON, TYPE_TEXT1,
                                         TYPE_TEXT2,   TYPE_BMP,   TYPE_IMAGE,     TYPE_BARCODE,
                                         TYPE_MULTI};
  return order;
}
