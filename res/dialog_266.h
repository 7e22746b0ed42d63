// Dialog template 266: the seal-kind choice.
#pragma once

#include "platform/ui/control_host.h"

namespace dlg266 {
inline constexpr int IDD = 266;
inline constexpr int IDC_PERSONAL = 1626;
inline constexpr int IDC_CORPORATE = 1627;
}  // namespace dlg266

extern const DlgTemplate g_Dialog266;
