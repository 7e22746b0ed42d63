// Dialog template 137: the triangle page.
#pragma once

#include "platform/ui/control_host.h"

namespace dlg137 {
inline constexpr int IDD = 137;
inline constexpr int IDC_OFFSET_X = 1239;
inline constexpr int IDC_SPIN_OFFSET_X = 1240;
inline constexpr int IDC_OFFSET_Y = 1242;
inline constexpr int IDC_SPIN_OFFSET_Y = 1243;
inline constexpr int IDC_SIZE_X = 1245;
inline constexpr int IDC_SPIN_SIZE_X = 1246;
inline constexpr int IDC_SIZE_Y = 1248;
inline constexpr int IDC_SPIN_SIZE_Y = 1249;
inline constexpr int IDC_EDGE_SIZE = 1251;
inline constexpr int IDC_SPIN_EDGE_SIZE = 1252;
inline constexpr int IDC_ROWS = 1257;
inline constexpr int IDC_SPIN_ROWS = 1258;
inline constexpr int IDC_COLUMNS = 1260;
inline constexpr int IDC_SPIN_COLUMNS = 1261;
inline constexpr int IDC_ROW_GAP = 1263;
inline constexpr int IDC_SPIN_ROW_GAP = 1264;
inline constexpr int IDC_COLUMN_GAP = 1266;
inline constexpr int IDC_SPIN_COLUMN_GAP = 1267;
inline constexpr int IDC_KEEP_ASPECT = 1268;
inline constexpr int IDC_GRAPHIC_STYLE = 1253;
inline constexpr int IDC_APEX_UP = 1254;
inline constexpr int IDC_APEX_DOWN = 1255;
}  // namespace dlg137

extern const DlgTemplate g_Dialog137;
