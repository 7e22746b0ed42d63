// Dialog template 156: the port console.
#pragma once

#include "platform/ui/control_host.h"

namespace dlg156 {
inline constexpr int IDD = 156;
inline constexpr int IDC_SCRIPT = 1478;
inline constexpr int IDC_MODE_LOW_LEVEL = 1479;
inline constexpr int IDC_MODE_STREAM = 1480;
inline constexpr int IDC_COUNT = 1481;
inline constexpr int IDC_OUTPUT = 3;
inline constexpr int IDC_CLEAR = 4;
}  // namespace dlg156

extern const DlgTemplate g_Dialog156;
