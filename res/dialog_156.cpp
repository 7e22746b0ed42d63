#include "res/dialog_156.h"

namespace {

const DlgControl kControls[] = {
    {1478, CTL_EDIT_MULTILINE, "", 7, 7, 306, 168, CS_NONE, 0},
    {30001, CTL_STATIC, "繰り返し回数", 7, 186, 52, 8, CS_NONE, 0},
    {1481, CTL_EDIT, "", 7, 197, 52, 12, CS_NONE, 0},
    {30002, CTL_GROUP, "動作モード", 70, 180, 150, 45, CS_NONE, 0},
    {1479, CTL_RADIO, "コマンドプロンプト", 78, 194, 130, 10, CS_NONE, 1479},
    {1480, CTL_RADIO, "Draventis", 78, 208, 130, 10, CS_NONE, 1479},
    {3, CTL_PUSH, "出力", 240, 180, 73, 14, CS_DEFAULT, 0},
    {4, CTL_PUSH, "クリア", 240, 196, 73, 14, CS_NONE, 0},
    {1, CTL_PUSH, "終了", 240, 212, 73, 14, CS_NONE, 0},
};

}  // namespace

const DlgTemplate g_Dialog156 = {156, "パラレルポートへの文字列出力コンソール", 320, 232, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
