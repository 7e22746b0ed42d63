#include "res/dialog_141.h"

namespace {

const DlgControl kControls[] = {
    {30001, CTL_STATIC, "オフセットX", 6, 10, 48, 8, CS_NONE, 0},
    {1364, CTL_EDIT, "", 54, 8, 42, 12, CS_NONE, 0},
    {1365, CTL_UPDOWN, "", 96, 8, 9, 12, CS_NONE, 1364},
    {30002, CTL_STATIC, "オフセットY", 6, 25, 48, 8, CS_NONE, 0},
    {1367, CTL_EDIT, "", 54, 23, 42, 12, CS_NONE, 0},
    {1368, CTL_UPDOWN, "", 96, 23, 9, 12, CS_NONE, 1367},
    {30003, CTL_STATIC, "半径X", 6, 40, 48, 8, CS_NONE, 0},
    {1370, CTL_EDIT, "", 54, 38, 42, 12, CS_NONE, 0},
    {1371, CTL_UPDOWN, "", 96, 38, 9, 12, CS_NONE, 1370},
    {30004, CTL_STATIC, "半径Y", 6, 55, 48, 8, CS_NONE, 0},
    {1373, CTL_EDIT, "", 54, 53, 42, 12, CS_NONE, 0},
    {1374, CTL_UPDOWN, "", 96, 53, 9, 12, CS_NONE, 1373},
    {30005, CTL_STATIC, "両端サイズ", 6, 70, 48, 8, CS_NONE, 0},
    {1376, CTL_EDIT, "", 54, 68, 42, 12, CS_NONE, 0},
    {1377, CTL_UPDOWN, "", 96, 68, 9, 12, CS_NONE, 1376},
    {30006, CTL_STATIC, "角度", 6, 85, 48, 8, CS_NONE, 0},
    {1379, CTL_EDIT, "", 54, 83, 42, 12, CS_NONE, 0},
    {1380, CTL_UPDOWN, "", 96, 83, 9, 12, CS_NONE, 1379},
    {30007, CTL_STATIC, "サイズX", 116, 10, 36, 8, CS_NONE, 0},
    {1382, CTL_EDIT, "", 152, 8, 42, 12, CS_NONE, 0},
    {1383, CTL_UPDOWN, "", 194, 8, 9, 12, CS_NONE, 1382},
    {30008, CTL_STATIC, "サイズY", 116, 25, 36, 8, CS_NONE, 0},
    {1385, CTL_EDIT, "", 152, 23, 42, 12, CS_NONE, 0},
    {1386, CTL_UPDOWN, "", 194, 23, 9, 12, CS_NONE, 1385},
    {30009, CTL_STATIC, "行数", 116, 40, 36, 8, CS_NONE, 0},
    {1391, CTL_EDIT, "", 152, 38, 42, 12, CS_NONE, 0},
    {1392, CTL_UPDOWN, "", 194, 38, 9, 12, CS_NONE, 1391},
    {30010, CTL_STATIC, "列数", 116, 55, 36, 8, CS_NONE, 0},
    {1394, CTL_EDIT, "", 152, 53, 42, 12, CS_NONE, 0},
    {1395, CTL_UPDOWN, "", 194, 53, 9, 12, CS_NONE, 1394},
    {30011, CTL_STATIC, "行間", 116, 70, 36, 8, CS_NONE, 0},
    {1397, CTL_EDIT, "", 152, 68, 42, 12, CS_NONE, 0},
    {1398, CTL_UPDOWN, "", 194, 68, 9, 12, CS_NONE, 1397},
    {30012, CTL_STATIC, "列間", 116, 85, 36, 8, CS_NONE, 0},
    {1400, CTL_EDIT, "", 152, 83, 42, 12, CS_NONE, 0},
    {1401, CTL_UPDOWN, "", 194, 83, 9, 12, CS_NONE, 1400},
    {30013, CTL_STATIC, "文字入力", 8, 102, 60, 8, CS_NONE, 0},
    {1389, CTL_EDIT_MULTILINE, "", 8, 112, 160, 40, CS_NONE, 0},
    {1388, CTL_PUSH, "確定", 172, 112, 40, 14, CS_NONE, 0},
    {30014, CTL_GROUP, "文字方向", 6, 158, 100, 28, CS_NONE, 0},
    {1403, CTL_RADIO, "上", 16, 170, 36, 10, CS_NONE, 1403},
    {1404, CTL_RADIO, "下", 58, 170, 36, 10, CS_NONE, 1403},
    {1405, CTL_CHECK, "縦横の比率を固定する", 8, 194, 110, 10, CS_NONE, 0},
};

}  // namespace

const DlgTemplate g_Dialog141 = {141, "回し文字のプロパティ", 221, 250, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
