// Dialog template 157: the port monitor.
#pragma once

#include "platform/ui/control_host.h"

namespace dlg157 {
inline constexpr int IDD = 157;
inline constexpr int IDC_LINES = 1482;
inline constexpr int IDC_CLEAR = 1483;
}  // namespace dlg157

extern const DlgTemplate g_Dialog157;
