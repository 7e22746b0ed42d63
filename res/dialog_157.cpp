#include "res/dialog_157.h"

namespace {

const DlgControl kControls[] = {
    {1482, CTL_LIST, "", 7, 7, 226, 124, CS_NONE, 0},
    {1483, CTL_PUSH, "クリア", 183, 139, 50, 14, CS_NONE, 0},
};

}  // namespace

const DlgTemplate g_Dialog157 = {157, "ポートモニター", 240, 160, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
