#include "res/dialog_140.h"

namespace {

const DlgControl kControls[] = {
    {1362, CTL_LIST, "", 6, 8, 52, 136, CS_NONE, 0},
    {30001, CTL_STATIC, "サイズX", 66, 10, 50, 8, CS_NONE, 0},
    {1332, CTL_EDIT, "", 116, 8, 44, 12, CS_NONE, 0},
    {1334, CTL_UPDOWN, "", 160, 8, 9, 12, CS_NONE, 1332},
    {30002, CTL_STATIC, "サイズY", 66, 25, 50, 8, CS_NONE, 0},
    {1340, CTL_EDIT, "", 116, 23, 44, 12, CS_NONE, 0},
    {1338, CTL_UPDOWN, "", 160, 23, 9, 12, CS_NONE, 1340},
    {30003, CTL_STATIC, "オフセットX", 66, 40, 50, 8, CS_NONE, 0},
    {1346, CTL_EDIT, "", 116, 38, 44, 12, CS_NONE, 0},
    {1345, CTL_UPDOWN, "", 160, 38, 9, 12, CS_NONE, 1346},
    {30004, CTL_STATIC, "オフセットY", 66, 55, 50, 8, CS_NONE, 0},
    {1342, CTL_EDIT, "", 116, 53, 44, 12, CS_NONE, 0},
    {1343, CTL_UPDOWN, "", 160, 53, 9, 12, CS_NONE, 1342},
    {30005, CTL_STATIC, "角度", 66, 70, 50, 8, CS_NONE, 0},
    {1352, CTL_EDIT, "", 116, 68, 44, 12, CS_NONE, 0},
    {1351, CTL_UPDOWN, "", 160, 68, 9, 12, CS_NONE, 1352},
    {30006, CTL_STATIC, "フォント幅X", 66, 85, 50, 8, CS_NONE, 0},
    {1355, CTL_EDIT, "", 116, 83, 44, 12, CS_NONE, 0},
    {1354, CTL_UPDOWN, "", 160, 83, 9, 12, CS_NONE, 1355},
    {30007, CTL_STATIC, "フォント幅Y", 66, 100, 50, 8, CS_NONE, 0},
    {1349, CTL_EDIT, "", 116, 98, 44, 12, CS_NONE, 0},
    {1348, CTL_UPDOWN, "", 160, 98, 9, 12, CS_NONE, 1349},
    {30008, CTL_STATIC, "線幅X", 66, 115, 50, 8, CS_NONE, 0},
    {1361, CTL_EDIT, "", 116, 113, 44, 12, CS_NONE, 0},
    {1360, CTL_UPDOWN, "", 160, 113, 9, 12, CS_NONE, 1361},
    {30009, CTL_STATIC, "線幅Y", 66, 130, 50, 8, CS_NONE, 0},
    {1358, CTL_EDIT, "", 116, 128, 44, 12, CS_NONE, 0},
    {1357, CTL_UPDOWN, "", 160, 128, 9, 12, CS_NONE, 1358},
    {1503, CTL_CHECK, "フォント幅・線幅の方向を変更する", 8, 149, 160, 10, CS_NONE, 0},
};

}  // namespace

const DlgTemplate g_Dialog140 = {140, "単一文字のプロパティ", 221, 190, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
