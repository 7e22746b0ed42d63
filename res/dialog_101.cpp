#include "res/dialog_101.h"

namespace res {

namespace {

// The list and the image-edit controls share the band above the property sheet: the list is
// hidden while an image is edited.
const DlgControl kControls[] = {
    {IDC_MODE_CAPTION, CTL_STATIC, "", 7, 3, 84, 11},
    {IDC_PROGRESS, CTL_PROGRESS, "Progress1", 96, 4, 100, 9, CS_HIDDEN},
    {IDC_ABORT, CTL_PUSH, "中止", 201, 2, 38, 13, CS_HIDDEN},
    {IDC_OBJECT_LIST, CTL_LIST, "", 7, 17, 232, 49},
    {IDC_ZOOM_GROUP, CTL_GROUP, "編集倍率", 4, 15, 166, 44, CS_HIDDEN},
    {IDC_ZOOM_10, CTL_RADIO, "10%", 9, 24, 31, 10, CS_HIDDEN, IDC_ZOOM_10},
    {IDC_ZOOM_20, CTL_RADIO, "20%", 40, 24, 31, 10, CS_HIDDEN, IDC_ZOOM_10},
    {IDC_ZOOM_40, CTL_RADIO, "40%", 71, 24, 31, 10, CS_HIDDEN, IDC_ZOOM_10},
    {IDC_ZOOM_60, CTL_RADIO, "60%", 102, 24, 31, 10, CS_HIDDEN, IDC_ZOOM_10},
    {IDC_ZOOM_80, CTL_RADIO, "80%", 133, 24, 31, 10, CS_HIDDEN, IDC_ZOOM_10},
    {IDC_ZOOM_100, CTL_RADIO, "100%", 9, 35, 31, 10, CS_HIDDEN, IDC_ZOOM_10},
    {IDC_ZOOM_200, CTL_RADIO, "200%", 40, 35, 31, 10, CS_HIDDEN, IDC_ZOOM_10},
    {IDC_ZOOM_400, CTL_RADIO, "400%", 71, 35, 31, 10, CS_HIDDEN, IDC_ZOOM_10},
    {IDC_ZOOM_600, CTL_RADIO, "600%", 102, 35, 31, 10, CS_HIDDEN, IDC_ZOOM_10},
    {IDC_ZOOM_800, CTL_RADIO, "800%", 133, 35, 31, 10, CS_HIDDEN, IDC_ZOOM_10},
    {IDC_ZOOM_FIT, CTL_RADIO, "画面サイズに合わせる", 9, 46, 82, 10, CS_HIDDEN, IDC_ZOOM_10},
    {IDC_FIT_PERCENT, CTL_STATIC, "", 92, 47, 34, 9, CS_HIDDEN},
    {IDC_PAINT_GRID, CTL_CHECK, "グリッド", 127, 46, 39, 10, CS_HIDDEN},
    {IDC_SAVE_IMAGE, CTL_PUSH, "画像の保存", 172, 19, 67, 15, CS_HIDDEN},
    {IDC_END_IMAGE_EDIT, CTL_PUSH, "<< イメージ編集終了", 172, 40, 67, 15, CS_HIDDEN},
};

}  // namespace

const DlgTemplate& Dialog101() {
  static const DlgTemplate tpl{IDD_KORVANE_FORM, "", 246, 320, kControls,
                               static_cast<int>(sizeof(kControls) / sizeof(kControls[0]))};
  return tpl;
}

}  // namespace res
