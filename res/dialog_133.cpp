#include "res/dialog_133.h"

namespace {

const DlgControl kControls[] = {
    {30001, CTL_STATIC, "フィールドX", 6, 10, 46, 8, CS_NONE, 0},
    {1106, CTL_EDIT, "", 54, 8, 40, 12, CS_NONE, 0},
    {1109, CTL_UPDOWN, "", 94, 8, 9, 12, CS_NONE, 1106},
    {30002, CTL_STATIC, "フィールドY", 6, 25, 46, 8, CS_NONE, 0},
    {1118, CTL_EDIT, "", 54, 23, 40, 12, CS_NONE, 0},
    {1115, CTL_UPDOWN, "", 94, 23, 9, 12, CS_NONE, 1118},
    {30003, CTL_STATIC, "オフセットX", 6, 40, 46, 8, CS_NONE, 0},
    {1126, CTL_EDIT, "", 54, 38, 40, 12, CS_NONE, 0},
    {1124, CTL_UPDOWN, "", 94, 38, 9, 12, CS_NONE, 1126},
    {30004, CTL_STATIC, "オフセットY", 6, 55, 46, 8, CS_NONE, 0},
    {1132, CTL_EDIT, "", 54, 53, 40, 12, CS_NONE, 0},
    {1130, CTL_UPDOWN, "", 94, 53, 9, 12, CS_NONE, 1132},
    {1415, CTL_OWNERDRAW, "", 112, 8, 103, 76, CS_NONE, 0},
    {30200, CTL_GROUP, "", 6, 90, 132, 50, CS_NONE, 0},
    {1139, CTL_RADIO, "左上", 12, 100, 40, 10, CS_NONE, 1136},
    {1137, CTL_RADIO, "中央上", 54, 100, 40, 10, CS_NONE, 1136},
    {1142, CTL_RADIO, "右上", 96, 100, 40, 10, CS_NONE, 1136},
    {1140, CTL_RADIO, "左中", 12, 112, 40, 10, CS_NONE, 1136},
    {1136, CTL_RADIO, "中央", 54, 112, 40, 10, CS_NONE, 1136},
    {1143, CTL_RADIO, "右中", 96, 112, 40, 10, CS_NONE, 1136},
    {1141, CTL_RADIO, "左下", 12, 124, 40, 10, CS_NONE, 1136},
    {1138, CTL_RADIO, "中央下", 54, 124, 40, 10, CS_NONE, 1136},
    {1144, CTL_RADIO, "右下", 96, 124, 40, 10, CS_NONE, 1136},
    {1145, CTL_PUSH, "プロッタの移動", 144, 96, 71, 14, CS_NONE, 0},
    {1146, CTL_PUSH, "アウトラインのテスト", 144, 114, 71, 14, CS_NONE, 0},
};

}  // namespace

const DlgTemplate g_Dialog133 = {133, "フィールド", 221, 146, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
