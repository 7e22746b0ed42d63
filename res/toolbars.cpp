#include "res/toolbars.h"

#include <set>

#include "res/menus.h"
#include "res/resource.h"
#include "res/strings.h"

namespace res {

const std::vector<ToolbarLayout>& Toolbars() {
  static const std::vector<ToolbarLayout> kBars = {
      {IDW_MAIN_TOOLBAR, IDR_MAINFRAME, kMainBarTitle,
       {ID_FILE_PRINT, 0, ID_FILE_NEW, 0, ID_FILE_OPEN, ID_FILE_INSERT, ID_FILE_SAVE_AS_NAMED, 0,
        ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR, 0, ID_ENGRAVE_THREAD, 0,
        ID_ZOOM_IN, ID_ZOOM_OUT, 0, ID_CENTER_BOTH, ID_CENTER_HORZ, ID_CENTER_VERT, 0,
        ID_MIRROR_X, ID_MIRROR_Y, 0, ID_OUTPUT_MODE, ID_FONT, 0, ID_STEP_UP, ID_STEP_DOWN, 0,
        ID_LAYER_DIALOG, 0, ID_APP_ABOUT},
       0, 0},
      {IDW_OBJECT_BAR, IDR_OBJECT_BAR, kObjectBarTitle,
       {ID_ADD_LINE, ID_ADD_RECTANGLE, ID_ADD_CIRCLE, ID_ADD_TRIANGLE, ID_ADD_RHOMBUS,
        ID_ADD_POLYGON, ID_ADD_TEXT, ID_ADD_ARC_TEXT, ID_ADD_BMP, 0, ID_SCAN_AREA_TO_IMAGE,
        ID_SELECTION_TO_IMAGE},
       0, 0},
      {IDW_LAYER_BAR, IDR_LAYER_BAR, kLayerBarTitle,
       {ID_LAYER_TOGGLE_0, ID_LAYER_TOGGLE_0 + 1, ID_LAYER_TOGGLE_0 + 2, ID_LAYER_TOGGLE_0 + 3,
        ID_LAYER_TOGGLE_0 + 4, ID_LAYER_TOGGLE_0 + 5, ID_LAYER_TOGGLE_0 + 6, ID_LAYER_TOGGLE_7},
       IDB_LAYER_HIDDEN, 8},
      {IDW_PERSONAL_SEAL_BAR, IDR_PERSONAL_SEAL_BAR, kPersonalSealBarTitle,
       {ID_PSEAL_OUTER_FRAME, ID_PSEAL_INNER_TEXT, ID_PSEAL_MASK, 0, ID_PSEAL_TEXT_TO_IMAGE, 0,
        ID_PSEAL_STUB},
       IDB_PERSONAL_SEAL_HIDDEN, 4},
      {IDW_CORPORATE_SEAL_BAR, IDR_CORPORATE_SEAL_BAR, kCorporateSealBarTitle,
       {ID_CSEAL_OUTER_FRAME, ID_CSEAL_RING_TEXT, ID_CSEAL_INNER_FRAME, ID_CSEAL_INNER_TEXT, 0,
        ID_CSEAL_MASK_0, ID_CSEAL_MASK_1, 0, ID_CSEAL_RING_TO_IMAGE, ID_CSEAL_INNER_TO_IMAGE, 0,
        ID_CSEAL_STUB},
       IDB_CORPORATE_SEAL_HIDDEN, 6},
  };
  return kBars;
}

namespace {
void CollectMenuIds(const MenuTemplate& menu, std::set<UINT>& ids) {
  for (const MenuTemplate& item : menu.items) {
    if (item.IsPopup())
      CollectMenuIds(item, ids);
    else if (item.id != 0)
      ids.insert(item.id);
  }
}
}  // namespace

std::vector<UINT> AllCommandIds() {
  std::set<UINT> ids;
  CollectMenuIds(Menu(IDR_MAINFRAME), ids);
  CollectMenuIds(Menu(IDR_CONTEXT_MENU), ids);
  // The recent-file entries that the frame puts in place of the first one.
  for (UINT id = ID_FILE_MRU_FILE1; id <= ID_FILE_MRU_FILE16; ++id) ids.insert(id);
  for (const ToolbarLayout& bar : Toolbars())
    for (UINT id : bar.buttons)
      if (id != 0) ids.insert(id);
  for (const Accel& accel : Accelerators()) ids.insert(accel.id);
  return std::vector<UINT>(ids.begin(), ids.end());
}

}  // namespace res
