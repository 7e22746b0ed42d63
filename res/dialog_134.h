// Dialog template 134: the line page.
#pragma once

#include "platform/ui/control_host.h"

namespace dlg134 {
inline constexpr int IDD = 134;
inline constexpr int IDC_OFFSET_X = 1148;
inline constexpr int IDC_SPIN_OFFSET_X = 1149;
inline constexpr int IDC_OFFSET_Y = 1152;
inline constexpr int IDC_SPIN_OFFSET_Y = 1151;
inline constexpr int IDC_SIZE_X = 1155;
inline constexpr int IDC_SPIN_SIZE_X = 1154;
inline constexpr int IDC_SIZE_Y = 1158;
inline constexpr int IDC_SPIN_SIZE_Y = 1157;
inline constexpr int IDC_ANGLE = 1161;
inline constexpr int IDC_SPIN_ANGLE = 1160;
inline constexpr int IDC_ROWS = 1164;
inline constexpr int IDC_SPIN_ROWS = 1163;
inline constexpr int IDC_COLUMNS = 1167;
inline constexpr int IDC_SPIN_COLUMNS = 1166;
inline constexpr int IDC_ROW_GAP = 1170;
inline constexpr int IDC_SPIN_ROW_GAP = 1169;
inline constexpr int IDC_COLUMN_GAP = 1173;
inline constexpr int IDC_SPIN_COLUMN_GAP = 1172;
inline constexpr int IDC_KEEP_ASPECT = 1174;
}  // namespace dlg134

extern const DlgTemplate g_Dialog134;
