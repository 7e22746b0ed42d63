// Dialog template 107: origin wizard step 1, the machine model.
#pragma once

#include "platform/ui/control_host.h"

namespace dlg107 {
inline constexpr int IDD = 107;
inline constexpr int IDC_TITLE = 1505;
inline constexpr int IDC_K2 = 1510;
inline constexpr int IDC_K3 = 1511;
inline constexpr int IDC_K1 = 1512;
}  // namespace dlg107

extern const DlgTemplate g_Dialog107;
