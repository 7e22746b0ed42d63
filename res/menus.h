// Menus and accelerators as data. Menu 149 is the main menu bar (its root items are the top-level
// menus); menu 155 holds the four context menus as its root items: 0 objects, 1 bitmap objects,
// 2 paint editor inside a selection, 3 paint editor elsewhere.
#pragma once

#include <vector>

#include <QKeySequence>

#include "platform/ui/menu_template.h"
#include "platform/wintypes.h"

namespace res {

// The template of a menu resource; an unknown id gives an empty template.
const MenuTemplate& Menu(UINT menuId);

struct Accel {
  QKeySequence key;
  UINT id;
};
// Accelerator table 149.
const std::vector<Accel>& Accelerators();

// The text of a command's entry in menu 149 or, failing that, 155 ("" when no menu carries it).
const char* MenuText(UINT id);
// The text for a command's action: its menu text, else its text from res/strings.h.
const char* ActionText(UINT id);

// Every command id of the menus, the context menus, the bars and the accelerators, ascending
// (also declared in res/toolbars.h).
std::vector<UINT> AllCommandIds();

}  // namespace res
