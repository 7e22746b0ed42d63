// Dialog template 135: the rectangle page.
#pragma once

#include "platform/ui/control_host.h"

namespace dlg135 {
inline constexpr int IDD = 135;
inline constexpr int IDC_OFFSET_X = 1176;
inline constexpr int IDC_SPIN_OFFSET_X = 1177;
inline constexpr int IDC_OFFSET_Y = 1180;
inline constexpr int IDC_SPIN_OFFSET_Y = 1179;
inline constexpr int IDC_SIZE_X = 1183;
inline constexpr int IDC_SPIN_SIZE_X = 1182;
inline constexpr int IDC_SIZE_Y = 1186;
inline constexpr int IDC_SPIN_SIZE_Y = 1185;
inline constexpr int IDC_EDGE_SIZE = 1189;
inline constexpr int IDC_SPIN_EDGE_SIZE = 1188;
inline constexpr int IDC_EDGE_RADIUS = 1191;
inline constexpr int IDC_SPIN_EDGE_RADIUS = 1192;
inline constexpr int IDC_ROWS = 1195;
inline constexpr int IDC_SPIN_ROWS = 1194;
inline constexpr int IDC_COLUMNS = 1198;
inline constexpr int IDC_SPIN_COLUMNS = 1197;
inline constexpr int IDC_ROW_GAP = 1201;
inline constexpr int IDC_SPIN_ROW_GAP = 1200;
inline constexpr int IDC_COLUMN_GAP = 1204;
inline constexpr int IDC_SPIN_COLUMN_GAP = 1203;
inline constexpr int IDC_KEEP_ASPECT = 1205;
inline constexpr int IDC_EDGE_STYLE = 1206;
inline constexpr int IDC_CORNER_SQUARE = 1207;
inline constexpr int IDC_CORNER_ROUND = 1209;
inline constexpr int IDC_CORNER_BEVEL = 1211;
}  // namespace dlg135

extern const DlgTemplate g_Dialog135;
