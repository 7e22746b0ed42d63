// Dialog template 106: origin wizard step 2, the machine check (also step 1 of the fixed-field wizard, 262).
#pragma once

#include "platform/ui/control_host.h"

namespace dlg106 {
inline constexpr int IDD = 106;
inline constexpr int IDC_TITLE = 1505;
inline constexpr int IDC_TEXT = 1506;
}  // namespace dlg106

extern const DlgTemplate g_Dialog106;
extern const DlgTemplate g_Dialog262;
