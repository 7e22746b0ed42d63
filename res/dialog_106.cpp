#include "res/dialog_106.h"

namespace {

const DlgControl kControls[] = {
    {1505, CTL_STATIC, "Orbelle 設定確認", 10, 8, 256, 16, CS_NONE, 0},
    {1506, CTL_STATIC, "「次へ」のボタンをクリックすると、Orbelleは原点復帰します", 10, 30, 262, 14, CS_NONE, 0},
    {1507, CTL_STATIC, "Orbelleの電源がONになっていることを確認してください", 20, 56, 250, 12, CS_NONE, 0},
    {1508, CTL_STATIC, "Orbelleの「スキャン」がONになっていることを確認してください", 20, 74, 250, 12, CS_NONE, 0},
    {1509, CTL_STATIC, "Orbelleの「レーザー」がOFFになっていることを確認してください", 20, 92, 250, 12, CS_NONE, 0},
};

}  // namespace

const DlgTemplate g_Dialog106 = {106, "フィールドエリアの原点設定ウィザード　-　② Orbelle 設定確認", 276, 140, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
const DlgTemplate g_Dialog262 = {262, "フィールドエリアの原点設定ウィザード　-　① Orbelle 設定確認", 276, 140, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
