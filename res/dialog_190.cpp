#include "res/dialog_190.h"

namespace {

const DlgControl kControls[] = {
    {30001, CTL_STATIC, "オフセットX", 6, 10, 46, 8, CS_NONE, 0},
    {1057, CTL_EDIT, "", 54, 8, 40, 12, CS_NONE, 0},
    {1059, CTL_UPDOWN, "", 94, 8, 9, 12, CS_NONE, 1057},
    {30002, CTL_STATIC, "オフセットY", 6, 25, 46, 8, CS_NONE, 0},
    {1065, CTL_EDIT, "", 54, 23, 40, 12, CS_NONE, 0},
    {1063, CTL_UPDOWN, "", 94, 23, 9, 12, CS_NONE, 1065},
    {30003, CTL_STATIC, "横幅", 6, 40, 46, 8, CS_NONE, 0},
    {1069, CTL_EDIT, "", 54, 38, 40, 12, CS_NONE, 0},
    {1068, CTL_UPDOWN, "", 94, 38, 9, 12, CS_NONE, 1069},
    {30004, CTL_STATIC, "縦幅", 6, 55, 46, 8, CS_NONE, 0},
    {1072, CTL_EDIT, "", 54, 53, 40, 12, CS_NONE, 0},
    {1071, CTL_UPDOWN, "", 94, 53, 9, 12, CS_NONE, 1072},
    {30005, CTL_STATIC, "枠幅", 6, 70, 46, 8, CS_NONE, 0},
    {1073, CTL_EDIT, "", 54, 68, 40, 12, CS_NONE, 0},
    {1075, CTL_UPDOWN, "", 94, 68, 9, 12, CS_NONE, 1073},
    {1062, CTL_STATIC, "R", 6, 85, 46, 8, CS_NONE, 0},
    {1067, CTL_EDIT, "", 54, 83, 40, 12, CS_NONE, 0},
    {1064, CTL_UPDOWN, "", 94, 83, 9, 12, CS_NONE, 1067},
    {1528, CTL_COMBO, "", 6, 100, 97, 13, CS_NONE, 0},
    {1610, CTL_CHECK, "数値設定の変更で移動する", 6, 118, 130, 10, CS_NONE, 0},
    {1415, CTL_OWNERDRAW, "", 112, 8, 103, 88, CS_NONE, 0},
    {30200, CTL_GROUP, "", 6, 132, 132, 50, CS_NONE, 0},
    {1139, CTL_RADIO, "左上", 12, 142, 40, 10, CS_NONE, 1136},
    {1137, CTL_RADIO, "中央上", 54, 142, 40, 10, CS_NONE, 1136},
    {1142, CTL_RADIO, "右上", 96, 142, 40, 10, CS_NONE, 1136},
    {1140, CTL_RADIO, "左中", 12, 154, 40, 10, CS_NONE, 1136},
    {1136, CTL_RADIO, "中央", 54, 154, 40, 10, CS_NONE, 1136},
    {1143, CTL_RADIO, "右中", 96, 154, 40, 10, CS_NONE, 1136},
    {1141, CTL_RADIO, "左下", 12, 166, 40, 10, CS_NONE, 1136},
    {1138, CTL_RADIO, "中央下", 54, 166, 40, 10, CS_NONE, 1136},
    {1144, CTL_RADIO, "右下", 96, 166, 40, 10, CS_NONE, 1136},
    {1145, CTL_PUSH, "プロッタ移動", 144, 100, 71, 13, CS_NONE, 0},
    {1146, CTL_PUSH, "アウトライン", 144, 116, 71, 13, CS_NONE, 0},
    {1147, CTL_PUSH, "原点復帰", 144, 140, 71, 13, CS_NONE, 0},
    {1148, CTL_PUSH, "機械原点", 144, 156, 71, 13, CS_NONE, 0},
};

}  // namespace

const DlgTemplate g_Dialog190 = {190, "スキャニングエリア", 221, 190, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
