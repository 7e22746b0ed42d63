// Dialog template 144: the polygon page.
#pragma once

#include "platform/ui/control_host.h"

namespace dlg144 {
inline constexpr int IDD = 144;
inline constexpr int IDC_OFFSET_X = 1298;
inline constexpr int IDC_SPIN_OFFSET_X = 1299;
inline constexpr int IDC_OFFSET_Y = 1301;
inline constexpr int IDC_SPIN_OFFSET_Y = 1302;
inline constexpr int IDC_SIZE = 1304;
inline constexpr int IDC_SPIN_SIZE = 1305;
inline constexpr int IDC_EDGE_SIZE = 1307;
inline constexpr int IDC_SPIN_EDGE_SIZE = 1308;
inline constexpr int IDC_EDGES = 1310;
inline constexpr int IDC_SPIN_EDGES = 1311;
inline constexpr int IDC_ROWS = 1313;
inline constexpr int IDC_SPIN_ROWS = 1314;
inline constexpr int IDC_COLUMNS = 1316;
inline constexpr int IDC_SPIN_COLUMNS = 1317;
inline constexpr int IDC_ROW_GAP = 1319;
inline constexpr int IDC_SPIN_ROW_GAP = 1320;
inline constexpr int IDC_COLUMN_GAP = 1322;
inline constexpr int IDC_SPIN_COLUMN_GAP = 1323;
}  // namespace dlg144

extern const DlgTemplate g_Dialog144;
