#include "res/dialog_136.h"

namespace {

const DlgControl kControls[] = {
    {30001, CTL_STATIC, "オフセットX", 6, 10, 48, 8, CS_NONE, 0},
    {1210, CTL_EDIT, "", 54, 8, 40, 12, CS_NONE, 0},
    {1212, CTL_UPDOWN, "", 94, 8, 9, 12, CS_NONE, 1210},
    {30002, CTL_STATIC, "オフセットY", 6, 25, 48, 8, CS_NONE, 0},
    {1214, CTL_EDIT, "", 54, 23, 40, 12, CS_NONE, 0},
    {1215, CTL_UPDOWN, "", 94, 23, 9, 12, CS_NONE, 1214},
    {30003, CTL_STATIC, "サイズX", 6, 40, 48, 8, CS_NONE, 0},
    {1217, CTL_EDIT, "", 54, 38, 40, 12, CS_NONE, 0},
    {1218, CTL_UPDOWN, "", 94, 38, 9, 12, CS_NONE, 1217},
    {30004, CTL_STATIC, "サイズY", 6, 55, 48, 8, CS_NONE, 0},
    {1220, CTL_EDIT, "", 54, 53, 40, 12, CS_NONE, 0},
    {1221, CTL_UPDOWN, "", 94, 53, 9, 12, CS_NONE, 1220},
    {30005, CTL_STATIC, "エッジサイズ", 6, 70, 48, 8, CS_NONE, 0},
    {1223, CTL_EDIT, "", 54, 68, 40, 12, CS_NONE, 0},
    {1224, CTL_UPDOWN, "", 94, 68, 9, 12, CS_NONE, 1223},
    {30006, CTL_STATIC, "行数", 110, 10, 22, 8, CS_NONE, 0},
    {1226, CTL_EDIT, "", 132, 8, 40, 12, CS_NONE, 0},
    {1227, CTL_UPDOWN, "", 172, 8, 9, 12, CS_NONE, 1226},
    {30007, CTL_STATIC, "列数", 110, 25, 22, 8, CS_NONE, 0},
    {1229, CTL_EDIT, "", 132, 23, 40, 12, CS_NONE, 0},
    {1230, CTL_UPDOWN, "", 172, 23, 9, 12, CS_NONE, 1229},
    {30008, CTL_STATIC, "行間", 110, 40, 22, 8, CS_NONE, 0},
    {1232, CTL_EDIT, "", 132, 38, 40, 12, CS_NONE, 0},
    {1233, CTL_UPDOWN, "", 172, 38, 9, 12, CS_NONE, 1232},
    {30009, CTL_STATIC, "列間", 110, 55, 22, 8, CS_NONE, 0},
    {1235, CTL_EDIT, "", 132, 53, 40, 12, CS_NONE, 0},
    {1236, CTL_UPDOWN, "", 172, 53, 9, 12, CS_NONE, 1235},
    {1237, CTL_CHECK, "縦横の比率を固定する", 8, 87, 110, 10, CS_NONE, 0},
};

}  // namespace

const DlgTemplate g_Dialog136 = {136, "円形のプロパティ", 194, 170, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
