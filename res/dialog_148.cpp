#include "res/dialog_148.h"

namespace {

const DlgControl kControls[] = {
    {30001, CTL_STATIC, "オフセットX", 4, 10, 46, 8, CS_NONE, 0},
    {1457, CTL_EDIT, "", 50, 8, 38, 12, CS_NONE, 0},
    {1458, CTL_UPDOWN, "", 88, 8, 9, 12, CS_NONE, 1457},
    {30002, CTL_STATIC, "オフセットY", 4, 25, 46, 8, CS_NONE, 0},
    {1460, CTL_EDIT, "", 50, 23, 38, 12, CS_NONE, 0},
    {1461, CTL_UPDOWN, "", 88, 23, 9, 12, CS_NONE, 1460},
    {30003, CTL_STATIC, "サイズX", 100, 10, 36, 8, CS_NONE, 0},
    {1463, CTL_EDIT, "", 136, 8, 38, 12, CS_NONE, 0},
    {1464, CTL_UPDOWN, "", 174, 8, 9, 12, CS_NONE, 1463},
    {30004, CTL_STATIC, "サイズY", 100, 25, 36, 8, CS_NONE, 0},
    {1466, CTL_EDIT, "", 136, 23, 38, 12, CS_NONE, 0},
    {1467, CTL_UPDOWN, "", 174, 23, 9, 12, CS_NONE, 1466},
};

}  // namespace

const DlgTemplate g_Dialog148 = {148, "プロパティ", 187, 48, kControls,
                                   static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
