#include "res/dialog_142.h"

namespace {

const DlgControl kControls[] = {
    {1406, CTL_LIST, "", 6, 8, 52, 136, CS_NONE, 0},
    {30001, CTL_STATIC, "サイズX", 66, 10, 50, 8, CS_NONE, 0},
    {1408, CTL_EDIT, "", 116, 8, 44, 12, CS_NONE, 0},
    {1409, CTL_UPDOWN, "", 160, 8, 9, 12, CS_NONE, 1408},
    {30002, CTL_STATIC, "サイズY", 66, 25, 50, 8, CS_NONE, 0},
    {1411, CTL_EDIT, "", 116, 23, 44, 12, CS_NONE, 0},
    {1412, CTL_UPDOWN, "", 160, 23, 9, 12, CS_NONE, 1411},
    {30003, CTL_STATIC, "オフセットX", 66, 40, 50, 8, CS_NONE, 0},
    {1414, CTL_EDIT, "", 116, 38, 44, 12, CS_NONE, 0},
    {1415, CTL_UPDOWN, "", 160, 38, 9, 12, CS_NONE, 1414},
    {30004, CTL_STATIC, "オフセットY", 66, 55, 50, 8, CS_NONE, 0},
    {1417, CTL_EDIT, "", 116, 53, 44, 12, CS_NONE, 0},
    {1418, CTL_UPDOWN, "", 160, 53, 9, 12, CS_NONE, 1417},
    {30005, CTL_STATIC, "角度", 66, 70, 50, 8, CS_NONE, 0},
    {1420, CTL_EDIT, "", 116, 68, 44, 12, CS_NONE, 0},
    {1421, CTL_UPDOWN, "", 160, 68, 9, 12, CS_NONE, 1420},
    {30006, CTL_STATIC, "フォント幅X", 66, 85, 50, 8, CS_NONE, 0},
    {1423, CTL_EDIT, "", 116, 83, 44, 12, CS_NONE, 0},
    {1424, CTL_UPDOWN, "", 160, 83, 9, 12, CS_NONE, 1423},
    {30007, CTL_STATIC, "フォント幅Y", 66, 100, 50, 8, CS_NONE, 0},
    {1426, CTL_EDIT, "", 116, 98, 44, 12, CS_NONE, 0},
    {1427, CTL_UPDOWN, "", 160, 98, 9, 12, CS_NONE, 1426},
    {30008, CTL_STATIC, "線幅X", 66, 115, 50, 8, CS_NONE, 0},
    {1429, CTL_EDIT, "", 116, 113, 44, 12, CS_NONE, 0},
    {1430, CTL_UPDOWN, "", 160, 113, 9, 12, CS_NONE, 1429},
    {30009, CTL_STATIC, "線幅Y", 66, 130, 50, 8, CS_NONE, 0},
    {1432, CTL_EDIT, "", 116, 128, 44, 12, CS_NONE, 0},
    {1433, CTL_UPDOWN, "", 160, 128, 9, 12, CS_NONE, 1432},
    {1504, CTL_CHECK, "フォント幅・線幅の方向を変更する", 8, 149, 160, 10, CS_NONE, 0},
};

}  // namespace

const DlgTemplate g_Dialog142 = {142, "単一文字のプロパティ", 221, 190, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
