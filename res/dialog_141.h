// Dialog template 141: the arc-text page.
#pragma once

#include "platform/ui/control_host.h"

namespace dlg141 {
inline constexpr int IDD = 141;
inline constexpr int IDC_OFFSET_X = 1364;
inline constexpr int IDC_SPIN_OFFSET_X = 1365;
inline constexpr int IDC_OFFSET_Y = 1367;
inline constexpr int IDC_SPIN_OFFSET_Y = 1368;
inline constexpr int IDC_RADIUS_X = 1370;
inline constexpr int IDC_SPIN_RADIUS_X = 1371;
inline constexpr int IDC_RADIUS_Y = 1373;
inline constexpr int IDC_SPIN_RADIUS_Y = 1374;
inline constexpr int IDC_SPAN = 1376;
inline constexpr int IDC_SPIN_SPAN = 1377;
inline constexpr int IDC_ANGLE = 1379;
inline constexpr int IDC_SPIN_ANGLE = 1380;
inline constexpr int IDC_SIZE_X = 1382;
inline constexpr int IDC_SPIN_SIZE_X = 1383;
inline constexpr int IDC_SIZE_Y = 1385;
inline constexpr int IDC_SPIN_SIZE_Y = 1386;
inline constexpr int IDC_ROWS = 1391;
inline constexpr int IDC_SPIN_ROWS = 1392;
inline constexpr int IDC_COLUMNS = 1394;
inline constexpr int IDC_SPIN_COLUMNS = 1395;
inline constexpr int IDC_ROW_GAP = 1397;
inline constexpr int IDC_SPIN_ROW_GAP = 1398;
inline constexpr int IDC_COLUMN_GAP = 1400;
inline constexpr int IDC_SPIN_COLUMN_GAP = 1401;
inline constexpr int IDC_TEXT = 1389;
inline constexpr int IDC_CONFIRM = 1388;
inline constexpr int IDC_UPPER = 1403;
inline constexpr int IDC_LOWER = 1404;
inline constexpr int IDC_KEEP_ASPECT = 1405;
}  // namespace dlg141

extern const DlgTemplate g_Dialog141;
