// Dialog template 190: the fixed-field scanning-area page.
#pragma once

#include "platform/ui/control_host.h"

namespace dlg190 {
inline constexpr int IDD = 190;
inline constexpr int IDC_OFFSET_X = 1057;
inline constexpr int IDC_SPIN_OFFSET_X = 1059;
inline constexpr int IDC_OFFSET_Y = 1065;
inline constexpr int IDC_SPIN_OFFSET_Y = 1063;
inline constexpr int IDC_WIDTH = 1069;
inline constexpr int IDC_SPIN_WIDTH = 1068;
inline constexpr int IDC_HEIGHT = 1072;
inline constexpr int IDC_SPIN_HEIGHT = 1071;
inline constexpr int IDC_FRAME = 1073;
inline constexpr int IDC_SPIN_FRAME = 1075;
inline constexpr int IDC_ROUND_LABEL = 1062;
inline constexpr int IDC_ROUND = 1067;
inline constexpr int IDC_SPIN_ROUND = 1064;
inline constexpr int IDC_SHAPE = 1528;
inline constexpr int IDC_SHAPE_SETTER = 1086;
inline constexpr int IDC_MOVE_ON_CHANGE = 1610;
inline constexpr int IDC_PREVIEW = 1415;
inline constexpr int IDC_ANCHOR_FIRST = 1136;
inline constexpr int IDC_ANCHOR_LAST = 1144;
inline constexpr int IDC_PLOTTER_MOVE = 1145;
inline constexpr int IDC_OUTLINE_TEST = 1146;
inline constexpr int IDC_HOME_RETURN = 1147;
inline constexpr int IDC_MACHINE_ORIGIN = 1148;
}  // namespace dlg190

extern const DlgTemplate g_Dialog190;
