#include "res/dialog_266.h"

namespace {

const DlgControl kControls[] = {
    {30001, CTL_GROUP, "印鑑を選択してください", 7, 7, 120, 44, CS_NONE, 0},
    {1626, CTL_RADIO, "実印", 20, 20, 60, 10, CS_NONE, 1626},
    {1627, CTL_RADIO, "法人印", 20, 34, 60, 10, CS_NONE, 1626},
    {IDOK, CTL_PUSH, "OK", 136, 10, 50, 14, CS_DEFAULT, 0},
    {IDCANCEL, CTL_PUSH, "ｷｬﾝｾﾙ", 136, 30, 50, 14, CS_NONE, 0},
};

}  // namespace

const DlgTemplate g_Dialog266 = {266, "印鑑種の選択", 194, 58, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
