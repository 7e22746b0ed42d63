#include "res/dialog_110.h"

namespace {

const DlgControl kControls[] = {
    {1505, CTL_STATIC, "フィールド原点　終了", 10, 8, 256, 16, CS_NONE, 0},
    {1506, CTL_STATIC, "フィールド原点は設定されました\n「終了」をクリックして、アプリケーションを再起動してください", 10, 30, 262, 30, CS_NONE, 0},
};

}  // namespace

const DlgTemplate g_Dialog110 = {110, "フィールドエリアの原点設定ウィザード　-　⑤ 終了", 276, 140, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
const DlgTemplate g_Dialog265 = {265, "フィールドエリアの原点設定ウィザード　-　④ 終了", 276, 140, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
