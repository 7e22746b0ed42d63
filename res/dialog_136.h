// Dialog template 136: the circle page.
#pragma once

#include "platform/ui/control_host.h"

namespace dlg136 {
inline constexpr int IDD = 136;
inline constexpr int IDC_OFFSET_X = 1210;
inline constexpr int IDC_SPIN_OFFSET_X = 1212;
inline constexpr int IDC_OFFSET_Y = 1214;
inline constexpr int IDC_SPIN_OFFSET_Y = 1215;
inline constexpr int IDC_SIZE_X = 1217;
inline constexpr int IDC_SPIN_SIZE_X = 1218;
inline constexpr int IDC_SIZE_Y = 1220;
inline constexpr int IDC_SPIN_SIZE_Y = 1221;
inline constexpr int IDC_EDGE_SIZE = 1223;
inline constexpr int IDC_SPIN_EDGE_SIZE = 1224;
inline constexpr int IDC_ROWS = 1226;
inline constexpr int IDC_SPIN_ROWS = 1227;
inline constexpr int IDC_COLUMNS = 1229;
inline constexpr int IDC_SPIN_COLUMNS = 1230;
inline constexpr int IDC_ROW_GAP = 1232;
inline constexpr int IDC_SPIN_ROW_GAP = 1233;
inline constexpr int IDC_COLUMN_GAP = 1235;
inline constexpr int IDC_SPIN_COLUMN_GAP = 1236;
inline constexpr int IDC_KEEP_ASPECT = 1237;
}  // namespace dlg136

extern const DlgTemplate g_Dialog136;
