// The five tool bars of the main frame, in the order the frame creates them.
#pragma once

#include <vector>

#include "platform/wintypes.h"

namespace res {

struct ToolbarLayout {
  UINT windowId;
  UINT resourceId;
  const char* title;           // UTF-8
  std::vector<UINT> buttons;   // command ids; 0 = separator
  UINT extraBitmap;            // 0 = none
  int extraCount;              // images in extraBitmap, in the order of the bar's layer buttons
};

const std::vector<ToolbarLayout>& Toolbars();

// Every command id of the menus, the context menus, the bars and the accelerators, ascending.
std::vector<UINT> AllCommandIds();

}  // namespace res
