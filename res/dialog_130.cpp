#include "res/dialog_130.h"

namespace {

const DlgControl kControls[] = {
    {1000, CTL_EDIT, "", 7, 8, 186, 13, CS_NONE, 0},
    {1, CTL_PUSH, "OK", 90, 31, 50, 14, CS_DEFAULT, 0},
    {2, CTL_PUSH, "ｷｬﾝｾﾙ", 143, 31, 50, 14, CS_NONE, 0},
};

}  // namespace

const DlgTemplate g_Dialog130 = {130, "パラレルポートに文字列を出力する", 200, 52, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
