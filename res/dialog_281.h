// Dialog template 281: the QR Code page.
#pragma once

#include "platform/ui/control_host.h"

namespace dlg281 {
inline constexpr int IDD = 281;
inline constexpr int IDC_OFFSET_X = 1435;
inline constexpr int IDC_SPIN_OFFSET_X = 1436;
inline constexpr int IDC_OFFSET_Y = 1438;
inline constexpr int IDC_SPIN_OFFSET_Y = 1439;
inline constexpr int IDC_SIZE_X = 1441;
inline constexpr int IDC_SPIN_SIZE_X = 1442;
inline constexpr int IDC_SIZE_Y = 1444;
inline constexpr int IDC_SPIN_SIZE_Y = 1445;
inline constexpr int IDC_ROWS = 1453;
inline constexpr int IDC_SPIN_ROWS = 1454;
inline constexpr int IDC_COLUMNS = 1456;
inline constexpr int IDC_SPIN_COLUMNS = 1457;
inline constexpr int IDC_ROW_GAP = 1459;
inline constexpr int IDC_SPIN_ROW_GAP = 1460;
inline constexpr int IDC_COLUMN_GAP = 1462;
inline constexpr int IDC_SPIN_COLUMN_GAP = 1463;
inline constexpr int IDC_TEXT_LABEL = 1450;
inline constexpr int IDC_TEXT = 1451;
inline constexpr int IDC_CONFIRM = 1325;
inline constexpr int IDC_LEVEL = 1646;
inline constexpr int IDC_VERSION = 1647;
}  // namespace dlg281

extern const DlgTemplate g_Dialog281;
