// Dialog template 195: the image-edit tool page (font "ＭＳ Ｐゴシック" 9 pt like every page).
#pragma once

#include "platform/ui/control_host.h"

namespace dlg195 {
inline constexpr int IDD = 195;
inline constexpr int IDC_TOOL_PEN = 1563;
inline constexpr int IDC_TOOL_ERASER = 1564;
inline constexpr int IDC_TOOL_BRUSH = 1565;
inline constexpr int IDC_TOOL_FILL = 1566;
inline constexpr int IDC_TOOL_LINE = 1570;
inline constexpr int IDC_TOOL_CIRCLE = 1573;
inline constexpr int IDC_TOOL_ELLIPSE = 1579;
inline constexpr int IDC_TOOL_RECTANGLE = 1574;
inline constexpr int IDC_TOOL_POLYGON = 1576;
inline constexpr int IDC_TOOL_SELECT = 1575;
inline constexpr int IDC_TOOL_GROUP = 1580;
inline constexpr int IDC_SIZE_LABEL = 1567;
inline constexpr int IDC_SIZE = 1568;
inline constexpr int IDC_SPIN_SIZE = 1569;
inline constexpr int IDC_SHAPE_LABEL = 1571;
inline constexpr int IDC_SHAPE = 1577;
inline constexpr int IDC_FILL_LABEL = 1572;
inline constexpr int IDC_FILL = 1578;
inline constexpr int IDC_THICKEN = 1547;
inline constexpr int IDC_OUTLINE = 1548;
inline constexpr int IDC_INVERT = 1549;
inline constexpr int IDC_BLACK = 1552;
inline constexpr int IDC_WHITE = 1553;
inline constexpr int IDC_UNDO = 1551;
inline constexpr int IDC_REDO = 1550;
inline constexpr int IDC_MASK_DRAW = 1554;
}  // namespace dlg195

extern const DlgTemplate g_Dialog195;
