#include "res/dialog_281.h"

namespace {

const DlgControl kControls[] = {
    {30001, CTL_STATIC, "オフセットX", 6, 10, 48, 8, CS_NONE, 0},
    {1435, CTL_EDIT, "", 54, 8, 40, 12, CS_NONE, 0},
    {1436, CTL_UPDOWN, "", 94, 8, 9, 12, CS_NONE, 1435},
    {30002, CTL_STATIC, "オフセットY", 6, 25, 48, 8, CS_NONE, 0},
    {1438, CTL_EDIT, "", 54, 23, 40, 12, CS_NONE, 0},
    {1439, CTL_UPDOWN, "", 94, 23, 9, 12, CS_NONE, 1438},
    {30003, CTL_STATIC, "サイズX", 6, 40, 48, 8, CS_NONE, 0},
    {1441, CTL_EDIT, "", 54, 38, 40, 12, CS_NONE, 0},
    {1442, CTL_UPDOWN, "", 94, 38, 9, 12, CS_NONE, 1441},
    {30004, CTL_STATIC, "サイズY", 6, 55, 48, 8, CS_NONE, 0},
    {1444, CTL_EDIT, "", 54, 53, 40, 12, CS_NONE, 0},
    {1445, CTL_UPDOWN, "", 94, 53, 9, 12, CS_NONE, 1444},
    {30005, CTL_STATIC, "行数", 120, 10, 22, 8, CS_NONE, 0},
    {1453, CTL_EDIT, "", 142, 8, 40, 12, CS_NONE, 0},
    {1454, CTL_UPDOWN, "", 182, 8, 9, 12, CS_NONE, 1453},
    {30006, CTL_STATIC, "列数", 120, 25, 22, 8, CS_NONE, 0},
    {1456, CTL_EDIT, "", 142, 23, 40, 12, CS_NONE, 0},
    {1457, CTL_UPDOWN, "", 182, 23, 9, 12, CS_NONE, 1456},
    {30007, CTL_STATIC, "行間", 120, 40, 22, 8, CS_NONE, 0},
    {1459, CTL_EDIT, "", 142, 38, 40, 12, CS_NONE, 0},
    {1460, CTL_UPDOWN, "", 182, 38, 9, 12, CS_NONE, 1459},
    {30008, CTL_STATIC, "列間", 120, 55, 22, 8, CS_NONE, 0},
    {1462, CTL_EDIT, "", 142, 53, 40, 12, CS_NONE, 0},
    {1463, CTL_UPDOWN, "", 182, 53, 9, 12, CS_NONE, 1462},
    {1450, CTL_STATIC, "文字列", 8, 76, 60, 8, CS_NONE, 0},
    {1451, CTL_EDIT, "", 8, 86, 160, 12, CS_NONE, 0},
    {1325, CTL_PUSH, "確定", 172, 85, 40, 14, CS_NONE, 0},
    {1646, CTL_COMBO, "", 8, 106, 70, 13, CS_NONE, 0},
    {1647, CTL_COMBO, "", 90, 106, 70, 13, CS_HIDDEN, 0},
};

}  // namespace

const DlgTemplate g_Dialog281 = {281, "QRコードのプロパティ", 221, 290, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
