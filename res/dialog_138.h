// Dialog template 138: the rhombus page.
#pragma once

#include "platform/ui/control_host.h"

namespace dlg138 {
inline constexpr int IDD = 138;
inline constexpr int IDC_OFFSET_X = 1273;
inline constexpr int IDC_SPIN_OFFSET_X = 1274;
inline constexpr int IDC_OFFSET_Y = 1276;
inline constexpr int IDC_SPIN_OFFSET_Y = 1277;
inline constexpr int IDC_SIZE_X = 1279;
inline constexpr int IDC_SPIN_SIZE_X = 1280;
inline constexpr int IDC_SIZE_Y = 1282;
inline constexpr int IDC_SPIN_SIZE_Y = 1283;
inline constexpr int IDC_EDGE_SIZE = 1270;
inline constexpr int IDC_SPIN_EDGE_SIZE = 1271;
inline constexpr int IDC_ROWS = 1285;
inline constexpr int IDC_SPIN_ROWS = 1286;
inline constexpr int IDC_COLUMNS = 1288;
inline constexpr int IDC_SPIN_COLUMNS = 1289;
inline constexpr int IDC_ROW_GAP = 1291;
inline constexpr int IDC_SPIN_ROW_GAP = 1292;
inline constexpr int IDC_COLUMN_GAP = 1294;
inline constexpr int IDC_SPIN_COLUMN_GAP = 1295;
inline constexpr int IDC_KEEP_ASPECT = 1296;
}  // namespace dlg138

extern const DlgTemplate g_Dialog138;
