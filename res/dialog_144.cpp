#include "res/dialog_144.h"

namespace {

const DlgControl kControls[] = {
    {30001, CTL_STATIC, "オフセットX", 6, 10, 48, 8, CS_NONE, 0},
    {1298, CTL_EDIT, "", 54, 8, 40, 12, CS_NONE, 0},
    {1299, CTL_UPDOWN, "", 94, 8, 9, 12, CS_NONE, 1298},
    {30002, CTL_STATIC, "オフセットY", 6, 25, 48, 8, CS_NONE, 0},
    {1301, CTL_EDIT, "", 54, 23, 40, 12, CS_NONE, 0},
    {1302, CTL_UPDOWN, "", 94, 23, 9, 12, CS_NONE, 1301},
    {30003, CTL_STATIC, "サイズ", 6, 40, 48, 8, CS_NONE, 0},
    {1304, CTL_EDIT, "", 54, 38, 40, 12, CS_NONE, 0},
    {1305, CTL_UPDOWN, "", 94, 38, 9, 12, CS_NONE, 1304},
    {30004, CTL_STATIC, "エッジサイズ", 6, 55, 48, 8, CS_NONE, 0},
    {1307, CTL_EDIT, "", 54, 53, 40, 12, CS_NONE, 0},
    {1308, CTL_UPDOWN, "", 94, 53, 9, 12, CS_NONE, 1307},
    {30005, CTL_STATIC, "エッジの数", 6, 70, 48, 8, CS_NONE, 0},
    {1310, CTL_EDIT, "", 54, 68, 40, 12, CS_NONE, 0},
    {1311, CTL_UPDOWN, "", 94, 68, 9, 12, CS_NONE, 1310},
    {30006, CTL_STATIC, "行数", 108, 10, 22, 8, CS_NONE, 0},
    {1313, CTL_EDIT, "", 130, 8, 40, 12, CS_NONE, 0},
    {1314, CTL_UPDOWN, "", 170, 8, 9, 12, CS_NONE, 1313},
    {30007, CTL_STATIC, "列数", 108, 25, 22, 8, CS_NONE, 0},
    {1316, CTL_EDIT, "", 130, 23, 40, 12, CS_NONE, 0},
    {1317, CTL_UPDOWN, "", 170, 23, 9, 12, CS_NONE, 1316},
    {30008, CTL_STATIC, "行間", 108, 40, 22, 8, CS_NONE, 0},
    {1319, CTL_EDIT, "", 130, 38, 40, 12, CS_NONE, 0},
    {1320, CTL_UPDOWN, "", 170, 38, 9, 12, CS_NONE, 1319},
    {30009, CTL_STATIC, "列間", 108, 55, 22, 8, CS_NONE, 0},
    {1322, CTL_EDIT, "", 130, 53, 40, 12, CS_NONE, 0},
    {1323, CTL_UPDOWN, "", 170, 53, 9, 12, CS_NONE, 1322},
};

}  // namespace

const DlgTemplate g_Dialog144 = {144, "多角形のプロパティ", 191, 133, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
