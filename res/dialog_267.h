// Dialog template 267: the new corporate seal.
#pragma once

#include "platform/ui/control_host.h"

namespace dlg267 {
inline constexpr int IDD = 267;
inline constexpr int IDC_WIDTH = 1614;
inline constexpr int IDC_HEIGHT = 1615;
inline constexpr int IDC_RING_SIZE = 1616;
inline constexpr int IDC_STYLE_PICTURE = 1618;
inline constexpr int IDC_STYLE = 1619;
inline constexpr int IDC_RING_SIZE_LABEL = 1621;
inline constexpr int IDC_INNER_SIZE = 1626;
inline constexpr int IDC_RING_SIZE_UNIT = 1627;
inline constexpr int IDC_TENMARU = 1628;
inline constexpr int IDC_INNER_FONT = 1630;
inline constexpr int IDC_INNER_FONT_CHOOSE = 1631;
inline constexpr int IDC_INNER_FRAME = 1632;
inline constexpr int IDC_INNER_IMAGE = 1633;
inline constexpr int IDC_SAME_FONT = 1634;
inline constexpr int IDC_OUTER_SIZE = 1635;
inline constexpr int IDC_RING_TEXT = 1636;
inline constexpr int IDC_RING_FONT = 1637;
inline constexpr int IDC_RING_FONT_CHOOSE = 1638;
inline constexpr int IDC_INNER_SIZE_LABEL = 1640;
inline constexpr int IDC_RING_TEXT_LABEL = 1641;
inline constexpr int IDC_RING_FONT_LABEL = 1642;
inline constexpr int IDC_INNER_LABEL = 1643;
inline constexpr int IDC_INNER_FONT_LABEL = 1644;
inline constexpr int IDC_STYLE_LABEL = 1645;
inline constexpr int IDC_INNER_IMAGE_BROWSE = 1646;
inline constexpr int IDC_INNER_IMAGE_FILE = 1647;
inline constexpr int IDC_INNER_IMAGE_FRAME = 1648;
inline constexpr int IDC_INNER_TEXT = 1649;
}  // namespace dlg267

extern const DlgTemplate g_Dialog267;
