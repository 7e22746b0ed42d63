#include "res/dialog_231.h"

namespace {

const DlgControl kControls[] = {
    {1583, CTL_RADIO, "0", 10, 10, 22, 10, CS_NONE, 1583},
    {1591, CTL_STATIC, "", 10, 24, 16, 10, CS_NONE, 0},
    {1584, CTL_RADIO, "1", 34, 10, 22, 10, CS_NONE, 1583},
    {1592, CTL_STATIC, "", 34, 24, 16, 10, CS_NONE, 0},
    {1585, CTL_RADIO, "2", 58, 10, 22, 10, CS_NONE, 1583},
    {1593, CTL_STATIC, "", 58, 24, 16, 10, CS_NONE, 0},
    {1586, CTL_RADIO, "3", 82, 10, 22, 10, CS_NONE, 1583},
    {1594, CTL_STATIC, "", 82, 24, 16, 10, CS_NONE, 0},
    {1587, CTL_RADIO, "4", 106, 10, 22, 10, CS_NONE, 1583},
    {1595, CTL_STATIC, "", 106, 24, 16, 10, CS_NONE, 0},
    {1588, CTL_RADIO, "5", 130, 10, 22, 10, CS_NONE, 1583},
    {1596, CTL_STATIC, "", 130, 24, 16, 10, CS_NONE, 0},
    {1589, CTL_RADIO, "6", 154, 10, 22, 10, CS_NONE, 1583},
    {1597, CTL_STATIC, "", 154, 24, 16, 10, CS_NONE, 0},
    {1590, CTL_RADIO, "7", 178, 10, 22, 10, CS_NONE, 1583},
    {1598, CTL_STATIC, "", 178, 24, 16, 10, CS_NONE, 0},
    {IDOK, CTL_PUSH, "OK", 96, 44, 50, 14, CS_DEFAULT, 0},
    {IDCANCEL, CTL_PUSH, "キャンセル", 150, 44, 50, 14, CS_NONE, 0},
};

}  // namespace

const DlgTemplate g_Dialog231 = {231, "レイヤー設定", 206, 64, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
