// Dialog template 133: the field page.
#pragma once

#include "platform/ui/control_host.h"

namespace dlg133 {
inline constexpr int IDD = 133;
inline constexpr int IDC_FIELD_X = 1106;
inline constexpr int IDC_SPIN_FIELD_X = 1109;
inline constexpr int IDC_FIELD_Y = 1118;
inline constexpr int IDC_SPIN_FIELD_Y = 1115;
inline constexpr int IDC_OFFSET_X = 1126;
inline constexpr int IDC_SPIN_OFFSET_X = 1124;
inline constexpr int IDC_OFFSET_Y = 1132;
inline constexpr int IDC_SPIN_OFFSET_Y = 1130;
inline constexpr int IDC_PREVIEW = 1415;
inline constexpr int IDC_ANCHOR_FIRST = 1136;
inline constexpr int IDC_ANCHOR_LAST = 1144;
inline constexpr int IDC_PLOTTER_MOVE = 1145;
inline constexpr int IDC_OUTLINE_TEST = 1146;
}  // namespace dlg133

extern const DlgTemplate g_Dialog133;
