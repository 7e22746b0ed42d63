// Dialog template of the colour box: one swatch per layer colour.
#pragma once

#include "platform/ui/control_host.h"

namespace dlgColorBox {
inline constexpr int IDC_COLOR_FIRST = 1583;
inline constexpr int IDC_SWATCH_FIRST = 1591;
}  // namespace dlgColorBox

extern const DlgTemplate g_DialogColorBox;
