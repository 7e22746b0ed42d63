// Dialog template 110: origin wizard step 5, the end (also step 4 of the fixed-field wizard, 265).
#pragma once

#include "platform/ui/control_host.h"

namespace dlg110 {
inline constexpr int IDD = 110;
inline constexpr int IDC_TITLE = 1505;
inline constexpr int IDC_TEXT = 1506;
}  // namespace dlg110

extern const DlgTemplate g_Dialog110;
extern const DlgTemplate g_Dialog265;
