// Dialog template 131: the drawing-data page.
#pragma once

#include "platform/ui/control_host.h"

namespace dlg131 {
inline constexpr int IDD = 131;
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
inline constexpr int IDC_TIMES = 1105;
inline constexpr int IDC_SPIN_TIMES = 1103;
inline constexpr int IDC_POWER = 1113;
inline constexpr int IDC_SPIN_POWER = 1110;
inline constexpr int IDC_SPEED = 1122;
inline constexpr int IDC_SPIN_SPEED = 1119;
inline constexpr int IDC_STABLE = 1067;
inline constexpr int IDC_CHANGE_XY = 1040;
inline constexpr int IDC_CHANGE_X = 1042;
inline constexpr int IDC_CHANGE_Y = 1044;
inline constexpr int IDC_HOME = 1046;
inline constexpr int IDC_LAYER_FIRST = 1050;
inline constexpr int IDC_LAYER_LAST = 1064;
inline constexpr int IDC_PRESET_K2 = 1493;
inline constexpr int IDC_PRESET_K3 = 1494;
}  // namespace dlg131

extern const DlgTemplate g_Dialog131;
