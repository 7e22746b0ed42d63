// Dialog template 232: the engrave-layer dialog.
#pragma once

#include "platform/ui/control_host.h"

namespace dlg232 {
inline constexpr int IDD = 232;
inline constexpr int IDC_LAYER_FIRST = 1583;
inline constexpr int IDC_SWATCH_FIRST = 1591;
inline constexpr int IDC_ALL_LAYERS = 1602;
inline constexpr int IDC_SHOWN_LAYERS = 1603;
}  // namespace dlg232

extern const DlgTemplate g_Dialog232;
