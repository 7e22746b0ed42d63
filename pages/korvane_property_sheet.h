// The form view's property sheet: the pages of the current object's kind, opened at the page
// last shown for that kind. The page classes register themselves by kind and page index, so
// that each page is written in its own file; the form view builds one object of each.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "pages/page_helper.h"
#include "platform/ui/property_sheet.h"

// Which fixed-field mode a page of kind 14 belongs to.
enum PageFieldMode : int {
  PAGE_FIELD_ANY = 0,    // every kind but the drawing object
  PAGE_FIELD_FREE = 1,   // drawing object, fixed-field mode off
  PAGE_FIELD_FIXED = 2,  // drawing object, fixed-field mode on
};

// What the form view asks of the image-edit page (kind 19).
class IImageEditPage {
 public:
  virtual ~IImageEditPage() = default;
  // Selects paint tool code 0 to 18 as if its button were clicked.
  virtual void SelectTool(int code) = 0;
  // Runs the thicken-amount dialog: 1 on OK with the amounts and the same-amount flag, else 0.
  virtual int GetThickenAmounts(int& x, int& y, int& same) = 0;
};

class CKorvanePropertySheet : public CPropertySheet, public CPageHelper {
 public:
  using PageFactory = std::function<std::unique_ptr<CKorvanePage>()>;

  CKorvanePropertySheet();
  ~CKorvanePropertySheet() override;

  // Opens the page remembered for the kind (0 for kinds that remember none).
  BOOL ActivateTypePage(int kind);

  // The page table by kind. A page class registers the page it is at (kind, page index) and,
  // for the drawing object, the fixed-field mode it belongs to; registering the same place
  // again replaces the factory. Kinds without rows show no pages.
  static void RegisterPage(int kind, int pageIndex, PageFactory factory, int fieldMode = PAGE_FIELD_ANY);
  static void UnregisterPage(int kind, int pageIndex, int fieldMode = PAGE_FIELD_ANY);
  // Whether a kind has a row in the table (kinds 0 to 9, 12, 14 and 19).
  static bool KindHasPages(int kind);
  // The number of pages registered for a kind in a fixed-field mode.
  static int RegisteredPageCount(int kind, bool fieldFixed);
  // One new object of each page of a kind, in page-index order; a place nothing registered for
  // is left out.
  static std::vector<std::unique_ptr<CKorvanePage>> CreatePagesOfKind(int kind, bool fieldFixed);
  // The kinds in the order the form view builds their pages: the drawing pages first, then the
  // others in the order of the form view's members.
  static const std::vector<int>& CreationOrder();
};
