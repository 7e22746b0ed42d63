// The resources the application shell reads: menus, bars, accelerators, prompts and pictures.
// They live in res/; until that folder is part of the build a small stand-in below keeps the
// shell building and running (the five bars with plain pictures, the shell's own menu entries).
#pragma once

#if __has_include("res/toolbars.h")
#include "res/images.h"
#include "res/menus.h"
#include "res/resource.h"
#include "res/strings.h"
#include "res/toolbars.h"
#else
#include <vector>

#include <QIcon>
#include <QImage>
#include <QKeySequence>

#include "platform/ui/menu_template.h"
#include "platform/wintypes.h"

// Stand-in until res/ lands; remove together with this branch of the #if.
namespace res {
struct ToolbarSpec {
  UINT windowId;
  UINT resourceId;
  const char* title;
  std::vector<UINT> buttons;  // 0 = separator
  UINT extraBitmap;
  int extraCount;
};
struct Accel {
  QKeySequence key;
  UINT id;
};
const MenuTemplate& Menu(UINT menuId);
const std::vector<ToolbarSpec>& Toolbars();
const std::vector<Accel>& Accelerators();
const char* CommandPrompt(UINT id);
const char* CommandTip(UINT id);
const char* CommandText(UINT id);
QImage BarImage(UINT commandId);
QImage ExtraImage(UINT bitmapId, int index);
QImage SplashPicture();
QIcon ProgramIcon();
QIcon DocumentIcon();
std::vector<UINT> AllCommandIds();
}  // namespace res
#define KORVANE_RES_STANDIN 1
#endif
