// Dialog template 196: the thicken dialog.
#pragma once

#include "platform/ui/control_host.h"

namespace dlg196 {
inline constexpr int IDD = 196;
inline constexpr int IDC_LABEL_Y = 1557;
inline constexpr int IDC_LABEL_XY = 1556;
inline constexpr int IDC_LABEL_X = 1558;
inline constexpr int IDC_VALUE_XY = 1555;
inline constexpr int IDC_SLIDER_XY = 1550;
inline constexpr int IDC_SAME = 1554;
inline constexpr int IDC_VALUE_Y = 1553;
inline constexpr int IDC_VALUE_X = 1552;
inline constexpr int IDC_SLIDER_Y = 1549;
inline constexpr int IDC_SLIDER_X = 1548;
}  // namespace dlg196

extern const DlgTemplate g_Dialog196;
