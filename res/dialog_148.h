// Dialog template 148: the multiple-selection page.
#pragma once

#include "platform/ui/control_host.h"

namespace dlg148 {
inline constexpr int IDD = 148;
inline constexpr int IDC_OFFSET_X = 1457;
inline constexpr int IDC_SPIN_OFFSET_X = 1458;
inline constexpr int IDC_OFFSET_Y = 1460;
inline constexpr int IDC_SPIN_OFFSET_Y = 1461;
inline constexpr int IDC_SIZE_X = 1463;
inline constexpr int IDC_SPIN_SIZE_X = 1464;
inline constexpr int IDC_SIZE_Y = 1466;
inline constexpr int IDC_SPIN_SIZE_Y = 1467;
}  // namespace dlg148

extern const DlgTemplate g_Dialog148;
