#include "res/dialog_195.h"

namespace {

// The tool buttons show icons only; their texts name them for the accessibility layer.
const DlgControl kControls[] = {
    {1580, CTL_GROUP, "", 6, 4, 175, 60, CS_NONE, 0},
    {1563, CTL_PUSH_CHECKABLE, "ペン", 12, 14, 30, 22, CS_NONE, 0},
    {1564, CTL_PUSH_CHECKABLE, "消しゴム", 46, 14, 30, 22, CS_NONE, 0},
    {1565, CTL_PUSH_CHECKABLE, "ブラシ", 80, 14, 30, 22, CS_NONE, 0},
    {1566, CTL_PUSH_CHECKABLE, "流し込み", 114, 14, 30, 22, CS_NONE, 0},
    {1570, CTL_PUSH_CHECKABLE, "直線", 148, 14, 30, 22, CS_NONE, 0},
    {1573, CTL_PUSH_CHECKABLE, "円", 12, 38, 30, 22, CS_NONE, 0},
    {1579, CTL_PUSH_CHECKABLE, "楕円", 46, 38, 30, 22, CS_NONE, 0},
    {1574, CTL_PUSH_CHECKABLE, "四角形", 80, 38, 30, 22, CS_NONE, 0},
    {1576, CTL_PUSH_CHECKABLE, "多角形", 114, 38, 30, 22, CS_NONE, 0},
    {1575, CTL_PUSH_CHECKABLE, "範囲選択", 148, 38, 30, 22, CS_NONE, 0},
    {1567, CTL_STATIC, "サイズ", 8, 74, 40, 8, CS_NONE, 0},
    {1568, CTL_EDIT, "", 50, 72, 36, 12, CS_RIGHT, 0},
    {1569, CTL_UPDOWN, "", 86, 72, 9, 12, CS_NONE, 1568},
    {1571, CTL_STATIC, "形状", 8, 92, 40, 8, CS_NONE, 0},
    {1577, CTL_COMBO, "", 50, 90, 45, 12, CS_NONE, 0},
    {1572, CTL_STATIC, "塗りつぶし", 8, 110, 40, 8, CS_NONE, 0},
    {1578, CTL_CHECK, "", 50, 109, 12, 10, CS_NONE, 0},
    {1547, CTL_PUSH, "線幅変更", 110, 72, 70, 14, CS_NONE, 0},
    {1548, CTL_PUSH, "輪郭抽出", 110, 90, 70, 14, CS_NONE, 0},
    {1549, CTL_PUSH, "色調反転", 110, 108, 70, 14, CS_NONE, 0},
    {1552, CTL_PUSH, "黒", 110, 126, 34, 14, CS_NONE, 0},
    {1553, CTL_PUSH, "白", 146, 126, 34, 14, CS_NONE, 0},
    {1551, CTL_PUSH, "元に戻す", 8, 150, 84, 14, CS_NONE, 0},
    {1550, CTL_PUSH, "やり直し", 96, 150, 84, 14, CS_NONE, 0},
    {1554, CTL_PUSH, "マスク描画", 8, 172, 84, 14, CS_NONE, 0},
};

}  // namespace

const DlgTemplate g_Dialog195 = {195, "イメージ編集", 187, 237, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
