// Dialog template 231: the layer dialog.
#pragma once

#include "platform/ui/control_host.h"

namespace dlg231 {
inline constexpr int IDD = 231;
inline constexpr int IDC_LAYER_FIRST = 1583;
inline constexpr int IDC_SWATCH_FIRST = 1591;
}  // namespace dlg231

extern const DlgTemplate g_Dialog231;
