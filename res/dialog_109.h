// Dialog template 109: origin wizard step 4, the result (also step 3 of the fixed-field wizard, 264).
#pragma once

#include "platform/ui/control_host.h"

namespace dlg109 {
inline constexpr int IDD = 109;
inline constexpr int IDC_TITLE = 1505;
inline constexpr int IDC_TEXT = 1506;
inline constexpr int IDC_LINE_X = 1507;
inline constexpr int IDC_LINE_Y = 1508;
inline constexpr int IDC_HINT = 1509;
}  // namespace dlg109

extern const DlgTemplate g_Dialog109;
extern const DlgTemplate g_Dialog264;
