#include "res/dialog_257.h"

namespace {

const DlgControl kControls[] = {
    {30001, CTL_GROUP, "形状", 7, 4, 104, 30, CS_NONE, 0},
    {1611, CTL_RADIO, "丸", 15, 17, 26, 10, CS_NONE, 1611},
    {1612, CTL_RADIO, "小判", 43, 17, 32, 10, CS_NONE, 1611},
    {1613, CTL_RADIO, "角", 78, 17, 26, 10, CS_NONE, 1611},
    {30002, CTL_STATIC, "サイズ", 120, 10, 28, 8, CS_NONE, 0},
    {1614, CTL_EDIT, "", 150, 8, 36, 12, CS_NONE, 0},
    {30003, CTL_STATIC, "X", 189, 10, 8, 8, CS_CENTER, 0},
    {1615, CTL_EDIT, "", 199, 8, 36, 12, CS_NONE, 0},
    {1621, CTL_STATIC, "R", 243, 10, 10, 8, CS_CENTER, 0},
    {1616, CTL_EDIT, "", 255, 8, 36, 12, CS_NONE, 0},
    {30004, CTL_STATIC, "枠サイズ", 120, 26, 36, 8, CS_NONE, 0},
    {1624, CTL_EDIT, "", 160, 24, 36, 12, CS_NONE, 0},
    {30005, CTL_STATIC, "彫り方", 7, 42, 30, 8, CS_NONE, 0},
    {1619, CTL_COMBO, "", 40, 40, 90, 13, CS_NONE, 0},
    {1618, CTL_STATIC, "", 7, 57, 316, 101, CS_NONE, 0},
    {30006, CTL_STATIC, "文字", 7, 164, 30, 8, CS_NONE, 0},
    {1617, CTL_EDIT_MULTILINE, "", 7, 174, 150, 52, CS_NONE, 0},
    {30007, CTL_STATIC, "フォント", 168, 164, 40, 8, CS_NONE, 0},
    {1625, CTL_COMBO, "", 168, 174, 124, 13, CS_NONE, 0},
    {1622, CTL_PUSH, "...", 296, 174, 22, 13, CS_NONE, 0},
    {1623, CTL_EDIT, "", 168, 192, 124, 12, CS_HIDDEN | CS_READONLY, 0},
    {IDOK, CTL_PUSH, "OK", 212, 212, 50, 14, CS_DEFAULT, 0},
    {IDCANCEL, CTL_PUSH, "ｷｬﾝｾﾙ", 268, 212, 50, 14, CS_NONE, 0},
};

}  // namespace

const DlgTemplate g_Dialog257 = {257, "実印の新規作成", 330, 232, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
