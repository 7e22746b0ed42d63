#include "res/dialog_154.h"

namespace {

const DlgControl kControls[] = {
    {1472, CTL_GROUP, "出力・表示スタイル", 6, 6, 150, 50, CS_NONE, 0},
    {1469, CTL_RADIO, "時計回りのアウトライン", 14, 18, 136, 10, CS_NONE, 1469},
    {1470, CTL_RADIO, "反時計回りのアウトライン", 14, 30, 136, 10, CS_NONE, 1469},
    {1471, CTL_RADIO, "塗りつぶし", 14, 42, 136, 10, CS_NONE, 1469},
    {1473, CTL_GROUP, "塗りつぶしのスタイル", 6, 60, 150, 28, CS_NONE, 0},
    {1474, CTL_RADIO, "水平方向", 14, 72, 60, 10, CS_NONE, 1474},
    {1475, CTL_RADIO, "垂直方向", 80, 72, 60, 10, CS_NONE, 1474},
    {1477, CTL_STATIC, "走査間隔(mm)", 8, 98, 60, 8, CS_NONE, 0},
    {1476, CTL_EDIT, "", 70, 96, 50, 12, CS_NONE, 0},
    {IDOK, CTL_PUSH, "OK", 164, 8, 50, 14, CS_DEFAULT, 0},
    {IDCANCEL, CTL_PUSH, "キャンセル", 164, 26, 50, 14, CS_NONE, 0},
};

}  // namespace

const DlgTemplate g_Dialog154 = {154, "出力モード", 222, 116, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
