// Dialog template 140: the character page of straight text.
#pragma once

#include "platform/ui/control_host.h"

namespace dlg140 {
inline constexpr int IDD = 140;
inline constexpr int IDC_CHAR_LIST = 1362;
inline constexpr int IDC_SIZE_X = 1332;
inline constexpr int IDC_SPIN_SIZE_X = 1334;
inline constexpr int IDC_SIZE_Y = 1340;
inline constexpr int IDC_SPIN_SIZE_Y = 1338;
inline constexpr int IDC_OFFSET_X = 1346;
inline constexpr int IDC_SPIN_OFFSET_X = 1345;
inline constexpr int IDC_OFFSET_Y = 1342;
inline constexpr int IDC_SPIN_OFFSET_Y = 1343;
inline constexpr int IDC_ANGLE = 1352;
inline constexpr int IDC_SPIN_ANGLE = 1351;
inline constexpr int IDC_FONT_WIDTH_X = 1355;
inline constexpr int IDC_SPIN_FONT_WIDTH_X = 1354;
inline constexpr int IDC_FONT_WIDTH_Y = 1349;
inline constexpr int IDC_SPIN_FONT_WIDTH_Y = 1348;
inline constexpr int IDC_LINE_WIDTH_X = 1361;
inline constexpr int IDC_SPIN_LINE_WIDTH_X = 1360;
inline constexpr int IDC_LINE_WIDTH_Y = 1358;
inline constexpr int IDC_SPIN_LINE_WIDTH_Y = 1357;
inline constexpr int IDC_SWAP_DIRECTION = 1503;
}  // namespace dlg140

extern const DlgTemplate g_Dialog140;
