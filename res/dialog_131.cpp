#include "res/dialog_131.h"

namespace {

const DlgControl kControls[] = {
    {30001, CTL_STATIC, "編集エリア", 6, 10, 44, 8, CS_NONE, 0},
    {1031, CTL_EDIT, "", 52, 8, 40, 12, CS_NONE, 0},
    {1033, CTL_UPDOWN, "", 92, 8, 9, 12, CS_NONE, 1031},
    {30002, CTL_STATIC, "グリッド", 6, 25, 44, 8, CS_NONE, 0},
    {1035, CTL_EDIT, "", 52, 23, 40, 12, CS_NONE, 0},
    {1037, CTL_UPDOWN, "", 92, 23, 9, 12, CS_NONE, 1035},
    {30003, CTL_STATIC, "スケールX", 6, 40, 44, 8, CS_NONE, 0},
    {1081, CTL_EDIT, "", 52, 38, 40, 12, CS_NONE, 0},
    {1079, CTL_UPDOWN, "", 92, 38, 9, 12, CS_NONE, 1081},
    {30004, CTL_STATIC, "スケールY", 6, 55, 44, 8, CS_NONE, 0},
    {1087, CTL_EDIT, "", 52, 53, 40, 12, CS_NONE, 0},
    {1085, CTL_UPDOWN, "", 92, 53, 9, 12, CS_NONE, 1087},
    {30005, CTL_STATIC, "ホームX", 6, 70, 44, 8, CS_NONE, 0},
    {1093, CTL_EDIT, "", 52, 68, 40, 12, CS_NONE, 0},
    {1091, CTL_UPDOWN, "", 92, 68, 9, 12, CS_NONE, 1093},
    {30006, CTL_STATIC, "ホームY", 6, 85, 44, 8, CS_NONE, 0},
    {1099, CTL_EDIT, "", 52, 83, 40, 12, CS_NONE, 0},
    {1097, CTL_UPDOWN, "", 92, 83, 9, 12, CS_NONE, 1099},
    {1040, CTL_CHECK, "X Y 軸交換", 122, 8, 90, 10, CS_NONE, 0},
    {1042, CTL_CHECK, "X 軸交換", 122, 22, 90, 10, CS_NONE, 0},
    {1044, CTL_CHECK, "Y 軸交換", 122, 36, 90, 10, CS_NONE, 0},
    {1046, CTL_CHECK, "彫刻後のホーム", 122, 50, 90, 10, CS_NONE, 0},
    {1493, CTL_PUSH, "K2", 122, 68, 40, 14, CS_NONE, 0},
    {1494, CTL_PUSH, "K3", 168, 68, 40, 14, CS_NONE, 0},
    {30100, CTL_GROUP, "レイヤー", 6, 102, 209, 70, CS_NONE, 0},
    {1050, CTL_RADIO, "黒", 14, 114, 46, 10, CS_NONE, 1050},
    {1052, CTL_RADIO, "赤", 14, 127, 46, 10, CS_NONE, 1050},
    {1054, CTL_RADIO, "黄", 14, 140, 46, 10, CS_NONE, 1050},
    {1056, CTL_RADIO, "緑", 14, 153, 46, 10, CS_NONE, 1050},
    {1058, CTL_RADIO, "シアン", 62, 114, 46, 10, CS_NONE, 1050},
    {1060, CTL_RADIO, "青", 62, 127, 46, 10, CS_NONE, 1050},
    {1062, CTL_RADIO, "マゼンタ", 62, 140, 46, 10, CS_NONE, 1050},
    {1064, CTL_RADIO, "白", 62, 153, 46, 10, CS_NONE, 1050},
    {30007, CTL_STATIC, "彫刻回数", 116, 115, 40, 8, CS_NONE, 0},
    {1105, CTL_EDIT, "", 158, 113, 36, 12, CS_NONE, 0},
    {1103, CTL_UPDOWN, "", 194, 113, 9, 12, CS_NONE, 1105},
    {30008, CTL_STATIC, "パワー", 116, 130, 40, 8, CS_NONE, 0},
    {1113, CTL_EDIT, "", 158, 128, 36, 12, CS_NONE, 0},
    {1110, CTL_UPDOWN, "", 194, 128, 9, 12, CS_NONE, 1113},
    {30009, CTL_STATIC, "スピード", 116, 145, 40, 8, CS_NONE, 0},
    {1122, CTL_EDIT, "", 158, 143, 36, 12, CS_NONE, 0},
    {1119, CTL_UPDOWN, "", 194, 143, 9, 12, CS_NONE, 1122},
    {1067, CTL_CHECK, "一定速度", 116, 158, 80, 10, CS_NONE, 0},
};

}  // namespace

const DlgTemplate g_Dialog131 = {131, "描画データ", 221, 180, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
