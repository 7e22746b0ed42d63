#include "res/dialog_132.h"

namespace {

const DlgControl kControls[] = {
    {30001, CTL_STATIC, "オフセットX", 6, 10, 46, 8, CS_NONE, 0},
    {1057, CTL_EDIT, "", 54, 8, 40, 12, CS_NONE, 0},
    {1059, CTL_UPDOWN, "", 94, 8, 9, 12, CS_NONE, 1057},
    {30002, CTL_STATIC, "オフセットY", 6, 27, 46, 8, CS_NONE, 0},
    {1065, CTL_EDIT, "", 54, 25, 40, 12, CS_NONE, 0},
    {1063, CTL_UPDOWN, "", 94, 25, 9, 12, CS_NONE, 1065},
    {30003, CTL_STATIC, "横幅", 6, 44, 46, 8, CS_NONE, 0},
    {1069, CTL_EDIT, "", 54, 42, 40, 12, CS_NONE, 0},
    {1068, CTL_UPDOWN, "", 94, 42, 9, 12, CS_NONE, 1069},
    {30004, CTL_STATIC, "縦幅", 112, 10, 44, 8, CS_NONE, 0},
    {1072, CTL_EDIT, "", 158, 8, 40, 12, CS_NONE, 0},
    {1071, CTL_UPDOWN, "", 198, 8, 9, 12, CS_NONE, 1072},
    {30005, CTL_STATIC, "解像度", 112, 22, 44, 8, CS_NONE, 0},
    {1075, CTL_EDIT, "", 158, 25, 40, 12, CS_NONE, 0},
    {1074, CTL_UPDOWN, "", 198, 25, 9, 12, CS_NONE, 1075},
    {30006, CTL_STATIC, "走査間隔", 112, 44, 44, 8, CS_NONE, 0},
    {1080, CTL_EDIT, "", 158, 42, 40, 12, CS_NONE, 0},
    {1078, CTL_UPDOWN, "", 198, 42, 9, 12, CS_NONE, 1080},
    {30007, CTL_STATIC, "(Dot/mm)", 112, 31, 44, 8, CS_NONE, 0},
    {30100, CTL_GROUP, "アウトライン", 6, 60, 100, 74, CS_NONE, 0},
    {1086, CTL_RADIO, "四角形", 14, 72, 84, 10, CS_NONE, 1086},
    {1088, CTL_RADIO, "円形", 14, 84, 84, 10, CS_NONE, 1086},
    {1090, CTL_RADIO, "菱形", 14, 96, 84, 10, CS_NONE, 1086},
    {1092, CTL_RADIO, "三角形", 14, 108, 84, 10, CS_NONE, 1086},
    {1094, CTL_RADIO, "逆三角形", 14, 120, 84, 10, CS_NONE, 1086},
    {30101, CTL_GROUP, "ファイル変換スタイル", 112, 60, 103, 74, CS_NONE, 0},
    {1127, CTL_RADIO, "スキャニングPlt", 120, 72, 90, 10, CS_NONE, 1127},
    {1129, CTL_RADIO, "BMPファイル", 120, 84, 90, 10, CS_NONE, 1127},
    {1131, CTL_RADIO, "アウトラインVct", 120, 96, 90, 10, CS_NONE, 1127},
    {1133, CTL_RADIO, "アウトラインPlt", 120, 108, 90, 10, CS_NONE, 1127},
    {30102, CTL_GROUP, "スキャニングのスタイル", 6, 138, 100, 28, CS_NONE, 0},
    {1098, CTL_RADIO, "凹彫刻", 12, 150, 44, 10, CS_NONE, 1098},
    {1100, CTL_RADIO, "凸彫刻", 58, 150, 44, 10, CS_NONE, 1098},
    {30103, CTL_GROUP, "スキャニング方向", 112, 138, 103, 28, CS_NONE, 0},
    {1111, CTL_RADIO, "水平方向", 118, 150, 46, 10, CS_NONE, 1111},
    {1114, CTL_RADIO, "垂直方向", 166, 150, 46, 10, CS_NONE, 1111},
    {30104, CTL_GROUP, "出力のスタイル", 6, 170, 120, 28, CS_NONE, 0},
    {1120, CTL_RADIO, "アウトライン", 12, 182, 56, 10, CS_NONE, 1120},
    {1123, CTL_RADIO, "スキャニング", 70, 182, 54, 10, CS_NONE, 1120},
    {1516, CTL_PUSH, "変換", 160, 180, 50, 14, CS_NONE, 0},
};

}  // namespace

const DlgTemplate g_Dialog132 = {132, "スキャニングエリア", 221, 204, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
