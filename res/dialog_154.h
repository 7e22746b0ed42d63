// Dialog template 154: the output-mode dialog.
#pragma once

#include "platform/ui/control_host.h"

namespace dlg154 {
inline constexpr int IDD = 154;
inline constexpr int IDC_OUTPUT_FIRST = 1469;
inline constexpr int IDC_FILL_FIRST = 1474;
inline constexpr int IDC_INTERVAL = 1476;
}  // namespace dlg154

extern const DlgTemplate g_Dialog154;
