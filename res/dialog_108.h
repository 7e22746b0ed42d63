// Dialog template 108: origin wizard step 3, the jog (also step 2 of the fixed-field wizard, 263).
#pragma once

#include "platform/ui/control_host.h"

namespace dlg108 {
inline constexpr int IDD = 108;
inline constexpr int IDC_TITLE = 1505;
inline constexpr int IDC_TEXT = 1506;
inline constexpr int IDC_SPIN_X = 1513;
inline constexpr int IDC_MACHINE_ORIGIN = 1515;
inline constexpr int IDC_EDIT_X = 1516;
inline constexpr int IDC_SPIN_Y = 1517;
inline constexpr int IDC_EDIT_Y = 1518;
}  // namespace dlg108

extern const DlgTemplate g_Dialog108;
extern const DlgTemplate g_Dialog263;
