// A menu as data: the main menu bar, the context menus and their sub-menus are trees of entries.
// A popup has items; a separator has id 0 and no text; a command entry has its id and text.
#pragma once

#include <string>
#include <vector>

#include "platform/wintypes.h"

struct MenuTemplate {
  UINT id = 0;
  std::string text;                 // UTF-8, with '&' before the access key where it has one
  std::vector<MenuTemplate> items;  // non-empty for a popup

  bool IsPopup() const { return !items.empty(); }
  bool IsSeparator() const { return id == 0 && text.empty() && items.empty(); }
};
