#include "res/dialog_189.h"

namespace {

const DlgControl kControls[] = {
    {30001, CTL_STATIC, "編集エリア", 6, 10, 46, 8, CS_NONE, 0},
    {1031, CTL_EDIT, "", 54, 8, 40, 12, CS_NONE, 0},
    {1033, CTL_UPDOWN, "", 94, 8, 9, 12, CS_NONE, 1031},
    {30002, CTL_STATIC, "グリッド", 6, 27, 46, 8, CS_NONE, 0},
    {1035, CTL_EDIT, "", 54, 25, 40, 12, CS_NONE, 0},
    {1037, CTL_UPDOWN, "", 94, 25, 9, 12, CS_NONE, 1035},
    {30003, CTL_STATIC, "スケールX", 6, 44, 46, 8, CS_NONE, 0},
    {1081, CTL_EDIT, "", 54, 42, 40, 12, CS_NONE, 0},
    {1079, CTL_UPDOWN, "", 94, 42, 9, 12, CS_NONE, 1081},
    {30004, CTL_STATIC, "スケールY", 6, 61, 46, 8, CS_NONE, 0},
    {1087, CTL_EDIT, "", 54, 59, 40, 12, CS_NONE, 0},
    {1085, CTL_UPDOWN, "", 94, 59, 9, 12, CS_NONE, 1087},
    {30005, CTL_STATIC, "ホームX", 6, 78, 46, 8, CS_NONE, 0},
    {1093, CTL_EDIT, "", 54, 76, 40, 12, CS_NONE, 0},
    {1091, CTL_UPDOWN, "", 94, 76, 9, 12, CS_NONE, 1093},
    {30006, CTL_STATIC, "ホームY", 112, 10, 44, 8, CS_NONE, 0},
    {1099, CTL_EDIT, "", 158, 8, 40, 12, CS_NONE, 0},
    {1097, CTL_UPDOWN, "", 198, 8, 9, 12, CS_NONE, 1099},
    {30007, CTL_STATIC, "解像度", 112, 22, 44, 8, CS_NONE, 0},
    {1075, CTL_EDIT, "", 158, 25, 40, 12, CS_NONE, 0},
    {1074, CTL_UPDOWN, "", 198, 25, 9, 12, CS_NONE, 1075},
    {30008, CTL_STATIC, "走査間隔", 112, 44, 44, 8, CS_NONE, 0},
    {1080, CTL_EDIT, "", 158, 42, 40, 12, CS_NONE, 0},
    {1078, CTL_UPDOWN, "", 198, 42, 9, 12, CS_NONE, 1080},
    {30009, CTL_STATIC, "彫刻角度", 112, 61, 44, 8, CS_NONE, 0},
    {1084, CTL_EDIT, "", 158, 59, 40, 12, CS_NONE, 0},
    {1088, CTL_UPDOWN, "", 198, 59, 9, 12, CS_NONE, 1084},
    {30010, CTL_STATIC, "スピード", 112, 78, 44, 8, CS_NONE, 0},
    {1122, CTL_EDIT, "", 158, 76, 40, 12, CS_NONE, 0},
    {1119, CTL_UPDOWN, "", 198, 76, 9, 12, CS_NONE, 1122},
    {30011, CTL_STATIC, "(Dot/mm)", 112, 31, 44, 8, CS_NONE, 0},
    {1046, CTL_CHECK, "彫刻後のホーム", 6, 94, 100, 10, CS_NONE, 0},
    {30102, CTL_GROUP, "スキャニングのスタイル", 6, 110, 209, 26, CS_NONE, 0},
    {1098, CTL_RADIO, "凹彫刻", 14, 121, 60, 10, CS_NONE, 1098},
    {1100, CTL_RADIO, "凸彫刻", 90, 121, 60, 10, CS_NONE, 1098},
    {30103, CTL_GROUP, "スキャニング方向", 6, 140, 209, 26, CS_NONE, 0},
    {1111, CTL_RADIO, "水平方向", 14, 151, 60, 10, CS_NONE, 1111},
    {1114, CTL_RADIO, "垂直方向", 90, 151, 60, 10, CS_NONE, 1111},
    {30104, CTL_GROUP, "出力のスタイル", 6, 170, 209, 26, CS_NONE, 0},
    {1120, CTL_RADIO, "アウトライン", 14, 181, 60, 10, CS_NONE, 1120},
    {1123, CTL_RADIO, "スキャニング", 90, 181, 60, 10, CS_NONE, 1120},
    {1527, CTL_PUSH, "BMPファイル変換", 6, 202, 80, 14, CS_NONE, 0},
};

}  // namespace

const DlgTemplate g_Dialog189 = {189, "描画データ", 221, 222, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
