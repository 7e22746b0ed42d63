#include "res/dialog_138.h"

namespace {

const DlgControl kControls[] = {
    {30001, CTL_STATIC, "オフセットX", 6, 10, 48, 8, CS_NONE, 0},
    {1273, CTL_EDIT, "", 54, 8, 40, 12, CS_NONE, 0},
    {1274, CTL_UPDOWN, "", 94, 8, 9, 12, CS_NONE, 1273},
    {30002, CTL_STATIC, "オフセットY", 6, 25, 48, 8, CS_NONE, 0},
    {1276, CTL_EDIT, "", 54, 23, 40, 12, CS_NONE, 0},
    {1277, CTL_UPDOWN, "", 94, 23, 9, 12, CS_NONE, 1276},
    {30003, CTL_STATIC, "横幅", 6, 40, 48, 8, CS_NONE, 0},
    {1279, CTL_EDIT, "", 54, 38, 40, 12, CS_NONE, 0},
    {1280, CTL_UPDOWN, "", 94, 38, 9, 12, CS_NONE, 1279},
    {30004, CTL_STATIC, "縦幅", 6, 55, 48, 8, CS_NONE, 0},
    {1282, CTL_EDIT, "", 54, 53, 40, 12, CS_NONE, 0},
    {1283, CTL_UPDOWN, "", 94, 53, 9, 12, CS_NONE, 1282},
    {30005, CTL_STATIC, "エッジサイズ", 6, 70, 48, 8, CS_NONE, 0},
    {1270, CTL_EDIT, "", 54, 68, 40, 12, CS_NONE, 0},
    {1271, CTL_UPDOWN, "", 94, 68, 9, 12, CS_NONE, 1270},
    {30006, CTL_STATIC, "行数", 110, 10, 22, 8, CS_NONE, 0},
    {1285, CTL_EDIT, "", 132, 8, 40, 12, CS_NONE, 0},
    {1286, CTL_UPDOWN, "", 172, 8, 9, 12, CS_NONE, 1285},
    {30007, CTL_STATIC, "列数", 110, 25, 22, 8, CS_NONE, 0},
    {1288, CTL_EDIT, "", 132, 23, 40, 12, CS_NONE, 0},
    {1289, CTL_UPDOWN, "", 172, 23, 9, 12, CS_NONE, 1288},
    {30008, CTL_STATIC, "行間", 110, 40, 22, 8, CS_NONE, 0},
    {1291, CTL_EDIT, "", 132, 38, 40, 12, CS_NONE, 0},
    {1292, CTL_UPDOWN, "", 172, 38, 9, 12, CS_NONE, 1291},
    {30009, CTL_STATIC, "列間", 110, 55, 22, 8, CS_NONE, 0},
    {1294, CTL_EDIT, "", 132, 53, 40, 12, CS_NONE, 0},
    {1295, CTL_UPDOWN, "", 172, 53, 9, 12, CS_NONE, 1294},
    {1296, CTL_CHECK, "縦横の比率を固定する", 8, 87, 110, 10, CS_NONE, 0},
};

}  // namespace

const DlgTemplate g_Dialog138 = {138, "菱形のプロパティ", 195, 153, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
