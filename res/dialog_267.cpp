#include "res/dialog_267.h"

namespace {

const DlgControl kControls[] = {
    {1632, CTL_CHECK, "内枠", 7, 6, 40, 10, CS_NONE, 0},
    {1628, CTL_CHECK, "天丸", 52, 6, 40, 10, CS_NONE, 0},
    {1633, CTL_CHECK, "内枠彫刻文字は画像を使用する", 100, 6, 150, 10, CS_NONE, 0},
    {30001, CTL_STATIC, "サイズ", 7, 22, 48, 8, CS_NONE, 0},
    {1614, CTL_EDIT, "", 60, 20, 36, 12, CS_NONE, 0},
    {30002, CTL_STATIC, "X", 99, 22, 8, 8, CS_CENTER, 0},
    {1615, CTL_EDIT, "", 109, 20, 36, 12, CS_NONE, 0},
    {30003, CTL_STATIC, "外枠サイズ", 170, 22, 48, 8, CS_NONE, 0},
    {1635, CTL_EDIT, "", 222, 20, 36, 12, CS_NONE, 0},
    {1621, CTL_STATIC, "廻文のサイズ", 7, 38, 52, 8, CS_NONE, 0},
    {1616, CTL_EDIT, "", 60, 36, 36, 12, CS_NONE, 0},
    {1627, CTL_STATIC, "[%]", 99, 38, 16, 8, CS_NONE, 0},
    {1640, CTL_STATIC, "内枠サイズ", 170, 38, 48, 8, CS_NONE, 0},
    {1626, CTL_EDIT, "", 222, 36, 36, 12, CS_NONE, 0},
    {1641, CTL_STATIC, "外枠彫刻文字", 7, 56, 52, 8, CS_NONE, 0},
    {1636, CTL_EDIT, "", 60, 54, 198, 12, CS_NONE, 0},
    {1642, CTL_STATIC, "外枠フォント", 7, 72, 52, 8, CS_NONE, 0},
    {1637, CTL_COMBO, "", 60, 70, 150, 13, CS_NONE, 0},
    {1638, CTL_PUSH, "...", 214, 70, 22, 13, CS_NONE, 0},
    {1648, CTL_GROUP, "", 4, 84, 322, 38, CS_HIDDEN, 0},
    {1643, CTL_STATIC, "内枠彫刻文字", 7, 92, 90, 8, CS_NONE, 0},
    {1634, CTL_CHECK, "内枠文字と外枠文字のフォントを同一にする", 100, 90, 200, 10, CS_NONE, 0},
    {1649, CTL_COMBO, "", 7, 103, 251, 13, CS_NONE, 0},
    {1647, CTL_COMBO, "", 7, 103, 251, 13, CS_HIDDEN, 0},
    {1646, CTL_PUSH, "...", 262, 103, 22, 13, CS_HIDDEN, 0},
    {1644, CTL_STATIC, "内枠フォント", 7, 124, 52, 8, CS_NONE, 0},
    {1630, CTL_COMBO, "", 60, 122, 150, 13, CS_NONE, 0},
    {1631, CTL_PUSH, "...", 214, 122, 22, 13, CS_NONE, 0},
    {1645, CTL_STATIC, "彫り方", 7, 142, 30, 8, CS_NONE, 0},
    {1619, CTL_COMBO, "", 40, 140, 90, 13, CS_NONE, 0},
    {1618, CTL_STATIC, "", 7, 157, 316, 101, CS_NONE, 0},
    {IDOK, CTL_PUSH, "OK", 212, 264, 50, 14, CS_DEFAULT, 0},
    {IDCANCEL, CTL_PUSH, "ｷｬﾝｾﾙ", 268, 264, 50, 14, CS_NONE, 0},
};

}  // namespace

const DlgTemplate g_Dialog267 = {267, "法人印の新規作成", 330, 284, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
