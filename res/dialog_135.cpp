#include "res/dialog_135.h"

namespace {

const DlgControl kControls[] = {
    {30001, CTL_STATIC, "オフセットX", 6, 10, 48, 8, CS_NONE, 0},
    {1176, CTL_EDIT, "", 54, 8, 40, 12, CS_NONE, 0},
    {1177, CTL_UPDOWN, "", 94, 8, 9, 12, CS_NONE, 1176},
    {30002, CTL_STATIC, "オフセットY", 6, 25, 48, 8, CS_NONE, 0},
    {1180, CTL_EDIT, "", 54, 23, 40, 12, CS_NONE, 0},
    {1179, CTL_UPDOWN, "", 94, 23, 9, 12, CS_NONE, 1180},
    {30003, CTL_STATIC, "横幅", 6, 40, 48, 8, CS_NONE, 0},
    {1183, CTL_EDIT, "", 54, 38, 40, 12, CS_NONE, 0},
    {1182, CTL_UPDOWN, "", 94, 38, 9, 12, CS_NONE, 1183},
    {30004, CTL_STATIC, "縦幅", 6, 55, 48, 8, CS_NONE, 0},
    {1186, CTL_EDIT, "", 54, 53, 40, 12, CS_NONE, 0},
    {1185, CTL_UPDOWN, "", 94, 53, 9, 12, CS_NONE, 1186},
    {30005, CTL_STATIC, "エッジサイズ", 6, 70, 48, 8, CS_NONE, 0},
    {1189, CTL_EDIT, "", 54, 68, 40, 12, CS_NONE, 0},
    {1188, CTL_UPDOWN, "", 94, 68, 9, 12, CS_NONE, 1189},
    {30006, CTL_STATIC, "エッジ半径", 6, 85, 48, 8, CS_NONE, 0},
    {1191, CTL_EDIT, "", 54, 83, 40, 12, CS_NONE, 0},
    {1192, CTL_UPDOWN, "", 94, 83, 9, 12, CS_NONE, 1191},
    {30007, CTL_STATIC, "行数", 112, 10, 22, 8, CS_NONE, 0},
    {1195, CTL_EDIT, "", 134, 8, 40, 12, CS_NONE, 0},
    {1194, CTL_UPDOWN, "", 174, 8, 9, 12, CS_NONE, 1195},
    {30008, CTL_STATIC, "列数", 112, 25, 22, 8, CS_NONE, 0},
    {1198, CTL_EDIT, "", 134, 23, 40, 12, CS_NONE, 0},
    {1197, CTL_UPDOWN, "", 174, 23, 9, 12, CS_NONE, 1198},
    {30009, CTL_STATIC, "行間", 112, 40, 22, 8, CS_NONE, 0},
    {1201, CTL_EDIT, "", 134, 38, 40, 12, CS_NONE, 0},
    {1200, CTL_UPDOWN, "", 174, 38, 9, 12, CS_NONE, 1201},
    {30010, CTL_STATIC, "列間", 112, 55, 22, 8, CS_NONE, 0},
    {1204, CTL_EDIT, "", 134, 53, 40, 12, CS_NONE, 0},
    {1203, CTL_UPDOWN, "", 174, 53, 9, 12, CS_NONE, 1204},
    {1205, CTL_CHECK, "縦横の比率を固定する", 8, 102, 110, 10, CS_NONE, 0},
    {1206, CTL_GROUP, "エッジスタイル", 6, 118, 180, 28, CS_NONE, 0},
    {1207, CTL_RADIO, "直角", 16, 130, 46, 10, CS_NONE, 1207},
    {1209, CTL_RADIO, "ラウンド", 72, 130, 50, 10, CS_NONE, 1207},
    {1211, CTL_RADIO, "傾斜", 132, 130, 46, 10, CS_NONE, 1207},
};

}  // namespace

const DlgTemplate g_Dialog135 = {135, "四角形のプロパティ", 199, 200, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
