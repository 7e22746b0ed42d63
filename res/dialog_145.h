// Dialog template 145: the bitmap page.
#pragma once

#include "platform/ui/control_host.h"

namespace dlg145 {
inline constexpr int IDD = 145;
inline constexpr int IDC_OFFSET_X = 1417;
inline constexpr int IDC_SPIN_OFFSET_X = 1418;
inline constexpr int IDC_OFFSET_Y = 1420;
inline constexpr int IDC_SPIN_OFFSET_Y = 1421;
inline constexpr int IDC_SIZE_X = 1423;
inline constexpr int IDC_SPIN_SIZE_X = 1424;
inline constexpr int IDC_SIZE_Y = 1426;
inline constexpr int IDC_SPIN_SIZE_Y = 1427;
inline constexpr int IDC_ROWS = 1429;
inline constexpr int IDC_SPIN_ROWS = 1430;
inline constexpr int IDC_COLUMNS = 1432;
inline constexpr int IDC_SPIN_COLUMNS = 1433;
inline constexpr int IDC_ROW_GAP = 1435;
inline constexpr int IDC_SPIN_ROW_GAP = 1436;
inline constexpr int IDC_COLUMN_GAP = 1438;
inline constexpr int IDC_SPIN_COLUMN_GAP = 1439;
inline constexpr int IDC_KEEP_ASPECT = 1443;
inline constexpr int IDC_IMAGE_STYLE = 1440;
inline constexpr int IDC_STYLE_NORMAL = 1441;
inline constexpr int IDC_STYLE_INVERT = 1442;
inline constexpr int IDC_TONE = 1579;
inline constexpr int IDC_TONE_1 = 1447;
inline constexpr int IDC_TONE_2 = 1445;
inline constexpr int IDC_TONE_3 = 1446;
inline constexpr int IDC_GRADATION = 1580;
inline constexpr int IDC_GRADATION_1 = 1581;
inline constexpr int IDC_GRADATION_2 = 1582;
inline constexpr int IDC_CHANGE_IMAGE = 1499;
inline constexpr int IDC_EDIT_IMAGE = 1500;
}  // namespace dlg145

extern const DlgTemplate g_Dialog145;
