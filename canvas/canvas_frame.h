// What the canvas view needs of the main frame: the cursor-position pane and the commands of
// its context menu. The main frame implements it; without one the view shows nothing and runs
// no command.
#pragma once

#include <string>

#include "platform/cstring.h"
#include "platform/numfmt.h"
#include "platform/wintypes.h"

class ICanvasFrame {
 public:
  virtual ~ICanvasFrame() = default;
  // The pointer's position in millimetres (y up) for the status bar's first pane.
  virtual void ShowCursorPosMm(double x, double y) { (void)x, (void)y; }
  // A command's update rule: whether a context-menu item is offered enabled.
  virtual BOOL IsCommandEnabled(UINT id) { (void)id; return TRUE; }
  // Runs the command chosen from the context menu.
  virtual void OnCommand(UINT id) { (void)id; }
};

// The first pane's text for a cursor position: 41 blanks, then "x=%.3f y=%.3f".
inline CString CursorPosText(double x, double y) {
  return CString((std::string(41, ' ') + numfmt::Format("x=%.3f y=%.3f", x, y)).c_str());
}
