#include "res/dialog_232.h"

namespace {

const DlgControl kControls[] = {
    {30001, CTL_STATIC, "彫刻データには複数のレイヤーが含まれています", 8, 8, 190, 8, CS_NONE, 0},
    {30002, CTL_STATIC, "彫刻を行うレイヤーを選択してください", 8, 24, 190, 8, CS_NONE, 0},
    {1602, CTL_PUSH_CHECKABLE, "すべてのレイヤー", 8, 40, 80, 14, CS_NONE, 0},
    {1603, CTL_PUSH_CHECKABLE, "表示中のレイヤー", 94, 40, 80, 14, CS_NONE, 0},
    {1583, CTL_CHECK, "0 : ", 14, 62, 34, 10, CS_NONE, 0},
    {1591, CTL_STATIC, "", 50, 62, 30, 10, CS_NONE, 0},
    {1584, CTL_CHECK, "1 : ", 14, 76, 34, 10, CS_NONE, 0},
    {1592, CTL_STATIC, "", 50, 76, 30, 10, CS_NONE, 0},
    {1585, CTL_CHECK, "2 : ", 14, 90, 34, 10, CS_NONE, 0},
    {1593, CTL_STATIC, "", 50, 90, 30, 10, CS_NONE, 0},
    {1586, CTL_CHECK, "3 : ", 14, 104, 34, 10, CS_NONE, 0},
    {1594, CTL_STATIC, "", 50, 104, 30, 10, CS_NONE, 0},
    {1587, CTL_CHECK, "4 : ", 104, 62, 34, 10, CS_NONE, 0},
    {1595, CTL_STATIC, "", 140, 62, 30, 10, CS_NONE, 0},
    {1588, CTL_CHECK, "5 : ", 104, 76, 34, 10, CS_NONE, 0},
    {1596, CTL_STATIC, "", 140, 76, 30, 10, CS_NONE, 0},
    {1589, CTL_CHECK, "6 : ", 104, 90, 34, 10, CS_NONE, 0},
    {1597, CTL_STATIC, "", 140, 90, 30, 10, CS_NONE, 0},
    {1590, CTL_CHECK, "7 : ", 104, 104, 34, 10, CS_NONE, 0},
    {1598, CTL_STATIC, "", 140, 104, 30, 10, CS_NONE, 0},
    {IDOK, CTL_PUSH, "OK", 94, 124, 50, 14, CS_DEFAULT, 0},
    {IDCANCEL, CTL_PUSH, "キャンセル", 148, 124, 50, 14, CS_NONE, 0},
};

}  // namespace

const DlgTemplate g_Dialog232 = {232, "彫刻レイヤーの選択", 206, 144, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
