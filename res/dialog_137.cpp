#include "res/dialog_137.h"

namespace {

const DlgControl kControls[] = {
    {30001, CTL_STATIC, "オフセットX", 6, 10, 48, 8, CS_NONE, 0},
    {1239, CTL_EDIT, "", 54, 8, 40, 12, CS_NONE, 0},
    {1240, CTL_UPDOWN, "", 94, 8, 9, 12, CS_NONE, 1239},
    {30002, CTL_STATIC, "オフセットY", 6, 25, 48, 8, CS_NONE, 0},
    {1242, CTL_EDIT, "", 54, 23, 40, 12, CS_NONE, 0},
    {1243, CTL_UPDOWN, "", 94, 23, 9, 12, CS_NONE, 1242},
    {30003, CTL_STATIC, "横幅", 6, 40, 48, 8, CS_NONE, 0},
    {1245, CTL_EDIT, "", 54, 38, 40, 12, CS_NONE, 0},
    {1246, CTL_UPDOWN, "", 94, 38, 9, 12, CS_NONE, 1245},
    {30004, CTL_STATIC, "縦幅", 6, 55, 48, 8, CS_NONE, 0},
    {1248, CTL_EDIT, "", 54, 53, 40, 12, CS_NONE, 0},
    {1249, CTL_UPDOWN, "", 94, 53, 9, 12, CS_NONE, 1248},
    {30005, CTL_STATIC, "エッジサイズ", 6, 70, 48, 8, CS_NONE, 0},
    {1251, CTL_EDIT, "", 54, 68, 40, 12, CS_NONE, 0},
    {1252, CTL_UPDOWN, "", 94, 68, 9, 12, CS_NONE, 1251},
    {30006, CTL_STATIC, "行数", 112, 10, 22, 8, CS_NONE, 0},
    {1257, CTL_EDIT, "", 134, 8, 40, 12, CS_NONE, 0},
    {1258, CTL_UPDOWN, "", 174, 8, 9, 12, CS_NONE, 1257},
    {30007, CTL_STATIC, "列数", 112, 25, 22, 8, CS_NONE, 0},
    {1260, CTL_EDIT, "", 134, 23, 40, 12, CS_NONE, 0},
    {1261, CTL_UPDOWN, "", 174, 23, 9, 12, CS_NONE, 1260},
    {30008, CTL_STATIC, "行間", 112, 40, 22, 8, CS_NONE, 0},
    {1263, CTL_EDIT, "", 134, 38, 40, 12, CS_NONE, 0},
    {1264, CTL_UPDOWN, "", 174, 38, 9, 12, CS_NONE, 1263},
    {30009, CTL_STATIC, "列間", 112, 55, 22, 8, CS_NONE, 0},
    {1266, CTL_EDIT, "", 134, 53, 40, 12, CS_NONE, 0},
    {1267, CTL_UPDOWN, "", 174, 53, 9, 12, CS_NONE, 1266},
    {1268, CTL_CHECK, "縦横の比率を固定する", 8, 87, 110, 10, CS_NONE, 0},
    {1253, CTL_GROUP, "グラフィックスタイル", 6, 103, 180, 28, CS_NONE, 0},
    {1254, CTL_RADIO, "上", 16, 115, 40, 10, CS_NONE, 1254},
    {1255, CTL_RADIO, "下", 72, 115, 40, 10, CS_NONE, 1254},
};

}  // namespace

const DlgTemplate g_Dialog137 = {137, "三角形のプロパティ", 198, 187, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
