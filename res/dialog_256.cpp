#include "res/dialog_256.h"

namespace {

const DlgControl kControls[] = {
    {0, CTL_STATIC, "1", 7, 9, 8, 8},
    {1478, CTL_EDIT, "", 18, 7, 196, 13},
    {1604, CTL_PUSH, "...", 218, 7, 24, 13},
    {0, CTL_STATIC, "2", 7, 27, 8, 8},
    {1479, CTL_EDIT, "", 18, 25, 196, 13},
    {1605, CTL_PUSH, "...", 218, 25, 24, 13},
    {0, CTL_STATIC, "3", 7, 45, 8, 8},
    {1480, CTL_EDIT, "", 18, 43, 196, 13},
    {1606, CTL_PUSH, "...", 218, 43, 24, 13},
    {0, CTL_STATIC, "4", 7, 63, 8, 8},
    {1481, CTL_EDIT, "", 18, 61, 196, 13},
    {1607, CTL_PUSH, "...", 218, 61, 24, 13},
    {0, CTL_STATIC, "5", 7, 81, 8, 8},
    {1482, CTL_EDIT, "", 18, 79, 196, 13},
    {1608, CTL_PUSH, "...", 218, 79, 24, 13},
    {1609, CTL_CHECK, "「履歴」を使用する", 18, 99, 110, 10},
    {1, CTL_PUSH, "OK", 136, 114, 50, 14, CS_DEFAULT},
    {2, CTL_PUSH, "ｷｬﾝｾﾙ", 192, 114, 50, 14},
};

const DlgTemplate kTemplate = {IDD_PLACESBAR, "プレースバーの登録", 250, 136, kControls,
                               static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};

}  // namespace

const DlgTemplate& PlacesBarDialogTemplate() { return kTemplate; }
