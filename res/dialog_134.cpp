#include "res/dialog_134.h"

namespace {

const DlgControl kControls[] = {
    {30001, CTL_STATIC, "オフセットX", 6, 10, 48, 8, CS_NONE, 0},
    {1148, CTL_EDIT, "", 54, 8, 40, 12, CS_NONE, 0},
    {1149, CTL_UPDOWN, "", 94, 8, 9, 12, CS_NONE, 1148},
    {30002, CTL_STATIC, "オフセットY", 6, 25, 48, 8, CS_NONE, 0},
    {1152, CTL_EDIT, "", 54, 23, 40, 12, CS_NONE, 0},
    {1151, CTL_UPDOWN, "", 94, 23, 9, 12, CS_NONE, 1152},
    {30003, CTL_STATIC, "横幅", 6, 40, 48, 8, CS_NONE, 0},
    {1155, CTL_EDIT, "", 54, 38, 40, 12, CS_NONE, 0},
    {1154, CTL_UPDOWN, "", 94, 38, 9, 12, CS_NONE, 1155},
    {30004, CTL_STATIC, "縦幅", 6, 55, 48, 8, CS_NONE, 0},
    {1158, CTL_EDIT, "", 54, 53, 40, 12, CS_NONE, 0},
    {1157, CTL_UPDOWN, "", 94, 53, 9, 12, CS_NONE, 1158},
    {30005, CTL_STATIC, "角度", 6, 70, 48, 8, CS_NONE, 0},
    {1161, CTL_EDIT, "", 54, 68, 40, 12, CS_NONE, 0},
    {1160, CTL_UPDOWN, "", 94, 68, 9, 12, CS_NONE, 1161},
    {30006, CTL_STATIC, "行数", 112, 10, 22, 8, CS_NONE, 0},
    {1164, CTL_EDIT, "", 134, 8, 40, 12, CS_NONE, 0},
    {1163, CTL_UPDOWN, "", 174, 8, 9, 12, CS_NONE, 1164},
    {30007, CTL_STATIC, "列数", 112, 25, 22, 8, CS_NONE, 0},
    {1167, CTL_EDIT, "", 134, 23, 40, 12, CS_NONE, 0},
    {1166, CTL_UPDOWN, "", 174, 23, 9, 12, CS_NONE, 1167},
    {30008, CTL_STATIC, "行間", 112, 40, 22, 8, CS_NONE, 0},
    {1170, CTL_EDIT, "", 134, 38, 40, 12, CS_NONE, 0},
    {1169, CTL_UPDOWN, "", 174, 38, 9, 12, CS_NONE, 1170},
    {30009, CTL_STATIC, "列間", 112, 55, 22, 8, CS_NONE, 0},
    {1173, CTL_EDIT, "", 134, 53, 40, 12, CS_NONE, 0},
    {1172, CTL_UPDOWN, "", 174, 53, 9, 12, CS_NONE, 1173},
    {1174, CTL_CHECK, "縦横の比率を固定する", 8, 87, 110, 10, CS_NONE, 0},
};

}  // namespace

const DlgTemplate g_Dialog134 = {134, "直線のプロパティ", 201, 158, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
