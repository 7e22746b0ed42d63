#include "res/dialog_100.h"

namespace {

const DlgControl kControls[] = {
    {IDC_ABOUT_PRODUCT, CTL_STATIC, "Draventis", 14, 10, 130, 10},
    {IDC_ABOUT_VERSION, CTL_STATIC, "", 14, 22, 130, 8},
    {IDC_ABOUT_MAKER, CTL_STATIC, "Vexor Co.,Ltd.", 14, 40, 150, 8},
    {IDC_ABOUT_POSTCODE, CTL_STATIC, "", 14, 52, 150, 8},
    {IDC_ABOUT_ADDRESS, CTL_STATIC, "", 14, 62, 180, 8},
    {IDC_ABOUT_PHONE, CTL_STATIC, "", 14, 72, 90, 8},
    {IDC_ABOUT_FAX, CTL_STATIC, "", 106, 72, 90, 8},
    {IDC_ABOUT_HOMEPAGE, CTL_STATIC, "", 14, 88, 150, 10},
    {IDC_ABOUT_MAIL, CTL_STATIC, "", 14, 100, 150, 10},
    {IDOK, CTL_PUSH, "閉じる", 158, 8, 50, 14, CS_DEFAULT},
};

const DlgTemplate kTemplate = {100, "Draventisのﾊﾞｰｼﾞｮﾝ情報", 218, 118, kControls,
                               static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};

}  // namespace

const DlgTemplate& AboutDialogTemplate() { return kTemplate; }
