// Dialog template 142: the character page of arc text.
#pragma once

#include "platform/ui/control_host.h"

namespace dlg142 {
inline constexpr int IDD = 142;
inline constexpr int IDC_CHAR_LIST = 1406;
inline constexpr int IDC_SIZE_X = 1408;
inline constexpr int IDC_SPIN_SIZE_X = 1409;
inline constexpr int IDC_SIZE_Y = 1411;
inline constexpr int IDC_SPIN_SIZE_Y = 1412;
inline constexpr int IDC_OFFSET_X = 1414;
inline constexpr int IDC_SPIN_OFFSET_X = 1415;
inline constexpr int IDC_OFFSET_Y = 1417;
inline constexpr int IDC_SPIN_OFFSET_Y = 1418;
inline constexpr int IDC_ANGLE = 1420;
inline constexpr int IDC_SPIN_ANGLE = 1421;
inline constexpr int IDC_FONT_WIDTH_X = 1423;
inline constexpr int IDC_SPIN_FONT_WIDTH_X = 1424;
inline constexpr int IDC_FONT_WIDTH_Y = 1426;
inline constexpr int IDC_SPIN_FONT_WIDTH_Y = 1427;
inline constexpr int IDC_LINE_WIDTH_X = 1429;
inline constexpr int IDC_SPIN_LINE_WIDTH_X = 1430;
inline constexpr int IDC_LINE_WIDTH_Y = 1432;
inline constexpr int IDC_SPIN_LINE_WIDTH_Y = 1433;
inline constexpr int IDC_SWAP_DIRECTION = 1504;
}  // namespace dlg142

extern const DlgTemplate g_Dialog142;
