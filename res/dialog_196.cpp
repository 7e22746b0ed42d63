#include "res/dialog_196.h"

namespace {

// The XY row lies over the X row: only one of the two sets shows at a time.
const DlgControl kControls[] = {
    {1558, CTL_STATIC, "X", 8, 12, 14, 8, CS_NONE, 0},
    {1548, CTL_SLIDER, "", 24, 8, 120, 16, CS_NONE, 0},
    {1552, CTL_EDIT, "", 148, 9, 26, 12, CS_READONLY | CS_RIGHT, 0},
    {1557, CTL_STATIC, "Y", 8, 34, 14, 8, CS_NONE, 0},
    {1549, CTL_SLIDER, "", 24, 30, 120, 16, CS_NONE, 0},
    {1553, CTL_EDIT, "", 148, 31, 26, 12, CS_READONLY | CS_RIGHT, 0},
    {1556, CTL_STATIC, "XY", 8, 12, 14, 8, CS_NONE, 0},
    {1550, CTL_SLIDER, "", 24, 8, 120, 16, CS_NONE, 0},
    {1555, CTL_EDIT, "", 148, 9, 26, 12, CS_READONLY | CS_RIGHT, 0},
    {1554, CTL_CHECK, "X, Y 同一にする", 8, 54, 100, 10, CS_NONE, 0},
    {1, CTL_PUSH, "OK", 48, 72, 50, 14, CS_DEFAULT, 0},
    {2, CTL_PUSH, "ｷｬﾝｾﾙ", 104, 72, 50, 14, CS_NONE, 0},
};

}  // namespace

const DlgTemplate g_Dialog196 = {196, "画像を太くする", 182, 92, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
