#include "res/dialog_109.h"

namespace {

const DlgControl kControls[] = {
    {1505, CTL_STATIC, "フィールド原点　設定確認", 10, 8, 256, 16, CS_NONE, 0},
    {1506, CTL_STATIC, "フィールドエリアの原点は下記のように設定されています", 10, 30, 262, 14, CS_NONE, 0},
    {1507, CTL_STATIC, "", 20, 54, 250, 16, CS_NONE, 0},
    {1508, CTL_STATIC, "", 20, 74, 250, 16, CS_NONE, 0},
    {1509, CTL_STATIC, "設定を保存する場合は「次へ」をクリックしてください\n設定をやり直す場合は「戻る」クリックしてください", 10, 100, 262, 28, CS_NONE, 0},
};

}  // namespace

const DlgTemplate g_Dialog109 = {109, "フィールドエリアの原点設定ウィザード　-　④ Orbelle フィールド原点の確認", 276, 140, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
const DlgTemplate g_Dialog264 = {264, "フィールドエリアの原点設定ウィザード　-　③ Orbelle フィールド原点の確認", 276, 140, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
