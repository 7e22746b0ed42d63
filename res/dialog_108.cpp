#include "res/dialog_108.h"

namespace {

const DlgControl kControls[] = {
    {1505, CTL_STATIC, "フィールド原点設定", 10, 8, 256, 16, CS_NONE, 0},
    {1506, CTL_STATIC, "下の矢印ボタンを操作して、フィールド原点を設定してください", 10, 30, 262, 14, CS_NONE, 0},
    {30001, CTL_STATIC, "X方向", 30, 62, 30, 10, CS_NONE, 0},
    {1516, CTL_EDIT, "", 64, 58, 70, 18, CS_READONLY, 0},
    {1513, CTL_UPDOWN, "", 134, 58, 11, 18, CS_NONE, 1516},
    {30002, CTL_STATIC, "Y方向", 30, 90, 30, 10, CS_NONE, 0},
    {1518, CTL_EDIT, "", 64, 86, 70, 18, CS_READONLY, 0},
    {1517, CTL_UPDOWN, "", 134, 86, 11, 18, CS_NONE, 1518},
    {1515, CTL_PUSH, "機械原点に戻る", 170, 72, 84, 18, CS_NONE, 0},
};

}  // namespace

const DlgTemplate g_Dialog108 = {108, "フィールドエリアの原点設定ウィザード　-　③ Orbelle フィールド原点の設定", 276, 140, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
const DlgTemplate g_Dialog263 = {263, "フィールドエリアの原点設定ウィザード　-　② Orbelle フィールド原点の設定", 276, 140, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
