// Dialog template 189: the fixed-field data page.
#pragma once

#include "platform/ui/control_host.h"

namespace dlg189 {
inline constexpr int IDD = 189;
inline constexpr int IDC_AREA = 1031;
inline constexpr int IDC_SPIN_AREA = 1033;
inline constexpr int IDC_GRID = 1035;
inline constexpr int IDC_SPIN_GRID = 1037;
inline constexpr int IDC_SCALE_X = 1081;
inline constexpr int IDC_SPIN_SCALE_X = 1079;
inline constexpr int IDC_SCALE_Y = 1087;
inline constexpr int IDC_SPIN_SCALE_Y = 1085;
inline constexpr int IDC_HOME_X = 1093;
inline constexpr int IDC_SPIN_HOME_X = 1091;
inline constexpr int IDC_HOME_Y = 1099;
inline constexpr int IDC_SPIN_HOME_Y = 1097;
inline constexpr int IDC_DPM = 1075;
inline constexpr int IDC_SPIN_DPM = 1074;
inline constexpr int IDC_SPAN = 1080;
inline constexpr int IDC_SPIN_SPAN = 1078;
inline constexpr int IDC_ANGLE = 1084;
inline constexpr int IDC_SPIN_ANGLE = 1088;
inline constexpr int IDC_SPEED = 1122;
inline constexpr int IDC_SPIN_SPEED = 1119;
inline constexpr int IDC_HOME = 1046;
inline constexpr int IDC_SCAN_CONCAVE = 1098;
inline constexpr int IDC_SCAN_CONVEX = 1100;
inline constexpr int IDC_DIR_H = 1111;
inline constexpr int IDC_DIR_V = 1114;
inline constexpr int IDC_OUT_OUTLINE = 1120;
inline constexpr int IDC_OUT_SCAN = 1123;
inline constexpr int IDC_EXPORT_BMP = 1527;
}  // namespace dlg189

extern const DlgTemplate g_Dialog189;
