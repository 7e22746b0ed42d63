#include "res/dialog_145.h"

namespace {

const DlgControl kControls[] = {
    {30001, CTL_STATIC, "オフセットX", 6, 10, 48, 8, CS_NONE, 0},
    {1417, CTL_EDIT, "", 54, 8, 40, 12, CS_NONE, 0},
    {1418, CTL_UPDOWN, "", 94, 8, 9, 12, CS_NONE, 1417},
    {30002, CTL_STATIC, "オフセットY", 6, 25, 48, 8, CS_NONE, 0},
    {1420, CTL_EDIT, "", 54, 23, 40, 12, CS_NONE, 0},
    {1421, CTL_UPDOWN, "", 94, 23, 9, 12, CS_NONE, 1420},
    {30003, CTL_STATIC, "横幅", 6, 40, 48, 8, CS_NONE, 0},
    {1423, CTL_EDIT, "", 54, 38, 40, 12, CS_NONE, 0},
    {1424, CTL_UPDOWN, "", 94, 38, 9, 12, CS_NONE, 1423},
    {30004, CTL_STATIC, "縦幅", 6, 55, 48, 8, CS_NONE, 0},
    {1426, CTL_EDIT, "", 54, 53, 40, 12, CS_NONE, 0},
    {1427, CTL_UPDOWN, "", 94, 53, 9, 12, CS_NONE, 1426},
    {30005, CTL_STATIC, "行数", 108, 10, 22, 8, CS_NONE, 0},
    {1429, CTL_EDIT, "", 130, 8, 40, 12, CS_NONE, 0},
    {1430, CTL_UPDOWN, "", 170, 8, 9, 12, CS_NONE, 1429},
    {30006, CTL_STATIC, "列数", 108, 25, 22, 8, CS_NONE, 0},
    {1432, CTL_EDIT, "", 130, 23, 40, 12, CS_NONE, 0},
    {1433, CTL_UPDOWN, "", 170, 23, 9, 12, CS_NONE, 1432},
    {30007, CTL_STATIC, "行間", 108, 40, 22, 8, CS_NONE, 0},
    {1435, CTL_EDIT, "", 130, 38, 40, 12, CS_NONE, 0},
    {1436, CTL_UPDOWN, "", 170, 38, 9, 12, CS_NONE, 1435},
    {30008, CTL_STATIC, "列間", 108, 55, 22, 8, CS_NONE, 0},
    {1438, CTL_EDIT, "", 130, 53, 40, 12, CS_NONE, 0},
    {1439, CTL_UPDOWN, "", 170, 53, 9, 12, CS_NONE, 1438},
    {1443, CTL_CHECK, "縦横の比率を固定する", 8, 72, 110, 10, CS_NONE, 0},
    {1440, CTL_GROUP, "イメージのスタイル", 6, 88, 86, 28, CS_NONE, 0},
    {1441, CTL_RADIO, "標準", 14, 100, 34, 10, CS_NONE, 1441},
    {1442, CTL_RADIO, "反転", 52, 100, 34, 10, CS_NONE, 1441},
    {1579, CTL_GROUP, "色調", 98, 88, 86, 28, CS_NONE, 0},
    {1447, CTL_RADIO, "1", 106, 100, 24, 10, CS_NONE, 1447},
    {1445, CTL_RADIO, "2", 132, 100, 24, 10, CS_NONE, 1447},
    {1446, CTL_RADIO, "3", 158, 100, 24, 10, CS_NONE, 1447},
    {1580, CTL_GROUP, "階調補正", 6, 122, 178, 40, CS_HIDDEN, 0},
    {1581, CTL_SLIDER, "", 12, 132, 166, 12, CS_HIDDEN, 0},
    {1582, CTL_SLIDER, "", 12, 146, 166, 12, CS_HIDDEN, 0},
    {1499, CTL_PUSH, "画像の変更", 6, 122, 86, 14, CS_NONE, 0},
    {1500, CTL_PUSH, "イメージの編集　>>", 98, 122, 86, 14, CS_NONE, 0},
};

}  // namespace

const DlgTemplate g_Dialog145 = {145, "BMP のプロパティ", 191, 202, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
