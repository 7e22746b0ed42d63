// Dialog template 130: the one-string port dialog.
#pragma once

#include "platform/ui/control_host.h"

namespace dlg130 {
inline constexpr int IDD = 130;
inline constexpr int IDC_TEXT = 1000;
}  // namespace dlg130

extern const DlgTemplate g_Dialog130;
