#include "res/dialog_107.h"

namespace {

const DlgControl kControls[] = {
    {1505, CTL_STATIC, "Orbelle の型番を設定します", 10, 8, 256, 16, CS_NONE, 0},
    {30001, CTL_GROUP, "機種を選択してください", 20, 36, 160, 74, CS_NONE, 0},
    {1512, CTL_RADIO, "Orbelle K1", 36, 52, 120, 12, CS_NONE, 1512},
    {1510, CTL_RADIO, "Orbelle K2", 36, 70, 120, 12, CS_NONE, 1512},
    {1511, CTL_RADIO, "Orbelle K3", 36, 88, 120, 12, CS_NONE, 1512},
};

}  // namespace

const DlgTemplate g_Dialog107 = {107, "フィールドエリアの原点設定ウィザード　-　① Orbelle 機種設定", 276, 140, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
