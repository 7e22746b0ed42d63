// Dialog template 257: the new personal seal.
#pragma once

#include "platform/ui/control_host.h"

namespace dlg257 {
inline constexpr int IDD = 257;
inline constexpr int IDC_SHAPE_ROUND = 1611;
inline constexpr int IDC_SHAPE_OVAL = 1612;
inline constexpr int IDC_SHAPE_SQUARE = 1613;
inline constexpr int IDC_WIDTH = 1614;
inline constexpr int IDC_HEIGHT = 1615;
inline constexpr int IDC_ROUND = 1616;
inline constexpr int IDC_TEXT = 1617;
inline constexpr int IDC_STYLE_PICTURE = 1618;
inline constexpr int IDC_STYLE = 1619;
inline constexpr int IDC_ROUND_LABEL = 1621;
inline constexpr int IDC_CHOOSE_FONT = 1622;
inline constexpr int IDC_FONT_NAME = 1623;
inline constexpr int IDC_FRAME = 1624;
inline constexpr int IDC_FONT = 1625;
}  // namespace dlg257

extern const DlgTemplate g_Dialog257;
