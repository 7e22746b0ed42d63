#include "res/dialog_101.h"

namespace res {

namespace {

// The list and the image-edit controls share the band above the property sheet: the list is
// hidden while an image is edited.
const DlgControl kControls[] = {
    {IDC_MODE_CAPTION, CTL_STATIC, "", 7, 3, 96, 11},
    {IDC_PROGRESS, CTL_PROGRESS, "Progress1", 108, 4, 70, 9, CS_HIDDEN},
    {IDC_ABORT, CTL_PUSH, "中止", 182, 2, 36, 13, CS_HIDDEN},
    {IDC_OBJECT_LIST, CTL_LIST, "", 7, 17, 211, 44},
    {IDC_ZOOM_GROUP, CTL_GROUP, "編集倍率", 7, 14, 150, 48, CS_HIDDEN},
    {IDC_ZOOM_10, CTL_RADIO, "10%", 12, 24, 28, 10, CS_HIDDEN, IDC_ZOOM_10},
    {IDC_ZOOM_20, CTL_RADIO, "20%", 40, 24, 28, 10, CS_HIDDEN, IDC_ZOOM_10},
    {IDC_ZOOM_40, CTL_RADIO, "40%", 68, 24, 28, 10, CS_HIDDEN, IDC_ZOOM_10},
    {IDC_ZOOM_60, CTL_RADIO, "60%", 96, 24, 28, 10, CS_HIDDEN, IDC_ZOOM_10},
    {IDC_ZOOM_80, CTL_RADIO, "80%", 124, 24, 28, 10, CS_HIDDEN, IDC_ZOOM_10},
    {IDC_ZOOM_100, CTL_RADIO, "100%", 12, 35, 28, 10, CS_HIDDEN, IDC_ZOOM_10},
    {IDC_ZOOM_200, CTL_RADIO, "200%", 40, 35, 28, 10, CS_HIDDEN, IDC_ZOOM_10},
    {IDC_ZOOM_400, CTL_RADIO, "400%", 68, 35, 28, 10, CS_HIDDEN, IDC_ZOOM_10},
    {IDC_ZOOM_600, CTL_RADIO, "600%", 96, 35, 28, 10, CS_HIDDEN, IDC_ZOOM_10},
    {IDC_ZOOM_800, CTL_RADIO, "800%", 124, 35, 28, 10, CS_HIDDEN, IDC_ZOOM_10},
    {IDC_ZOOM_FIT, CTL_RADIO, "画面サイズに合わせる", 12, 47, 90, 10, CS_HIDDEN, IDC_ZOOM_10},
    {IDC_FIT_PERCENT, CTL_STATIC, "", 104, 48, 40, 9, CS_HIDDEN},
    {IDC_PAINT_GRID, CTL_CHECK, "グリッド", 162, 17, 56, 10, CS_HIDDEN},
    {IDC_SAVE_IMAGE, CTL_PUSH, "画像の保存", 162, 30, 56, 13, CS_HIDDEN},
    {IDC_END_IMAGE_EDIT, CTL_PUSH, "<< イメージ編集終了", 162, 47, 56, 15, CS_HIDDEN},
};

}  // namespace

const DlgTemplate& Dialog101() {
  static const DlgTemplate tpl{IDD_KORVANE_FORM, "", 226, 320, kControls,
                               static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
  return tpl;
}

}  // namespace res
