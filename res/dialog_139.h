// Dialog template 139: the straight-text page.
#pragma once

#include "platform/ui/control_host.h"

namespace dlg139 {
inline constexpr int IDD = 139;
inline constexpr int IDC_OFFSET_X = 1003;
inline constexpr int IDC_SPIN_OFFSET_X = 1002;
inline constexpr int IDC_OFFSET_Y = 1006;
inline constexpr int IDC_SPIN_OFFSET_Y = 1005;
inline constexpr int IDC_WIDTH = 1009;
inline constexpr int IDC_SPIN_WIDTH = 1008;
inline constexpr int IDC_HEIGHT = 1012;
inline constexpr int IDC_SPIN_HEIGHT = 1011;
inline constexpr int IDC_SIZE_X = 1021;
inline constexpr int IDC_SPIN_SIZE_X = 1020;
inline constexpr int IDC_SIZE_Y = 1024;
inline constexpr int IDC_SPIN_SIZE_Y = 1023;
inline constexpr int IDC_CHAR_GAP = 1015;
inline constexpr int IDC_SPIN_CHAR_GAP = 1014;
inline constexpr int IDC_LINE_GAP = 1027;
inline constexpr int IDC_SPIN_LINE_GAP = 1026;
inline constexpr int IDC_ANGLE = 1018;
inline constexpr int IDC_SPIN_ANGLE = 1017;
inline constexpr int IDC_ROWS = 1036;
inline constexpr int IDC_SPIN_ROWS = 1034;
inline constexpr int IDC_COLUMNS = 1041;
inline constexpr int IDC_SPIN_COLUMNS = 1039;
inline constexpr int IDC_ROW_GAP = 1047;
inline constexpr int IDC_SPIN_ROW_GAP = 1045;
inline constexpr int IDC_COLUMN_GAP = 1053;
inline constexpr int IDC_SPIN_COLUMN_GAP = 1051;
inline constexpr int IDC_TEXT = 1326;
inline constexpr int IDC_CONFIRM = 1325;
inline constexpr int IDC_VARIABLE_TEXT = 1324;
inline constexpr int IDC_HORIZONTAL = 1328;
inline constexpr int IDC_VERTICAL = 1329;
inline constexpr int IDC_ALIGN_TOP_LEFT = 1333;
inline constexpr int IDC_ALIGN_TOP_RIGHT = 1335;
inline constexpr int IDC_ALIGN_CENTER = 1337;
inline constexpr int IDC_ALIGN_JUSTIFY = 1339;
inline constexpr int IDC_COUNT_UP_GROUP = 1603;
inline constexpr int IDC_COUNT_UP = 1502;
inline constexpr int IDC_COUNT_START_LABEL = 1031;
inline constexpr int IDC_COUNT_START = 1028;
inline constexpr int IDC_SPIN_COUNT_START = 1030;
inline constexpr int IDC_COUNT_DIGITS_LABEL = 1037;
inline constexpr int IDC_COUNT_DIGITS = 1033;
inline constexpr int IDC_SPIN_COUNT_DIGITS = 1035;
inline constexpr int IDC_RESET_COUNTER = 1330;
}  // namespace dlg139

extern const DlgTemplate g_Dialog139;
