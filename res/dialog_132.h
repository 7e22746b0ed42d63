// Dialog template 132: the scanning-area page.
#pragma once

#include "platform/ui/control_host.h"

namespace dlg132 {
inline constexpr int IDD = 132;
inline constexpr int IDC_OFFSET_X = 1057;
inline constexpr int IDC_SPIN_OFFSET_X = 1059;
inline constexpr int IDC_OFFSET_Y = 1065;
inline constexpr int IDC_SPIN_OFFSET_Y = 1063;
inline constexpr int IDC_WIDTH = 1069;
inline constexpr int IDC_SPIN_WIDTH = 1068;
inline constexpr int IDC_HEIGHT = 1072;
inline constexpr int IDC_SPIN_HEIGHT = 1071;
inline constexpr int IDC_DPM = 1075;
inline constexpr int IDC_SPIN_DPM = 1074;
inline constexpr int IDC_SPAN = 1080;
inline constexpr int IDC_SPIN_SPAN = 1078;
inline constexpr int IDC_SHAPE_FIRST = 1086;
inline constexpr int IDC_SCAN_CONCAVE = 1098;
inline constexpr int IDC_SCAN_CONVEX = 1100;
inline constexpr int IDC_DIR_H = 1111;
inline constexpr int IDC_DIR_V = 1114;
inline constexpr int IDC_OUT_OUTLINE = 1120;
inline constexpr int IDC_OUT_SCAN = 1123;
inline constexpr int IDC_FILE_FIRST = 1127;
inline constexpr int IDC_CONVERT = 1516;
}  // namespace dlg132

extern const DlgTemplate g_Dialog132;
