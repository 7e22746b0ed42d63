// Dialog 101: the form view's controls (object list, mode caption, progress of a threaded
// engraving, the image editor's zoom, grid, save and end controls).
#pragma once

#include "platform/ui/control_host.h"

namespace res {

inline constexpr int IDD_KORVANE_FORM = 101;

inline constexpr int IDC_OBJECT_LIST = 1467;
inline constexpr int IDC_PROGRESS = 1529;
inline constexpr int IDC_ABORT = 1530;
inline constexpr int IDC_MODE_CAPTION = 1627;
inline constexpr int IDC_ZOOM_GROUP = 1537;
inline constexpr int IDC_ZOOM_10 = 1538;
inline constexpr int IDC_ZOOM_20 = 1539;
inline constexpr int IDC_ZOOM_40 = 1540;
inline constexpr int IDC_ZOOM_60 = 1541;
inline constexpr int IDC_ZOOM_80 = 1542;
inline constexpr int IDC_ZOOM_100 = 1543;
inline constexpr int IDC_ZOOM_200 = 1544;
inline constexpr int IDC_ZOOM_400 = 1545;
inline constexpr int IDC_ZOOM_600 = 1547;
inline constexpr int IDC_ZOOM_800 = 1548;
inline constexpr int IDC_ZOOM_FIT = 1549;
inline constexpr int IDC_FIT_PERCENT = 1582;
inline constexpr int IDC_PAINT_GRID = 1546;
inline constexpr int IDC_SAVE_IMAGE = 1533;
inline constexpr int IDC_END_IMAGE_EDIT = 1532;

// The zoom radios in their order on screen and the paint zoom (tenths) each stands for.
inline constexpr int kZoomRadioCount = 10;
inline constexpr int kZoomRadios[kZoomRadioCount] = {IDC_ZOOM_10,  IDC_ZOOM_20,  IDC_ZOOM_40,  IDC_ZOOM_60,
                                                     IDC_ZOOM_80,  IDC_ZOOM_100, IDC_ZOOM_200, IDC_ZOOM_400,
                                                     IDC_ZOOM_600, IDC_ZOOM_800};
inline constexpr int kZoomTenths[kZoomRadioCount] = {1, 2, 4, 6, 8, 10, 20, 40, 60, 80};

// The controls shown only while an image is edited.
inline constexpr int kImageEditControls[] = {IDC_ZOOM_GROUP, IDC_ZOOM_10,    IDC_ZOOM_20,     IDC_ZOOM_40,
                                             IDC_ZOOM_60,    IDC_ZOOM_80,    IDC_ZOOM_100,    IDC_ZOOM_200,
                                             IDC_ZOOM_400,   IDC_ZOOM_600,   IDC_ZOOM_800,    IDC_ZOOM_FIT,
                                             IDC_FIT_PERCENT, IDC_PAINT_GRID, IDC_SAVE_IMAGE, IDC_END_IMAGE_EDIT};

// Where the property sheet sits in the form, in pixels.
inline constexpr int kSheetX = 10;
inline constexpr int kSheetY = 120;

const DlgTemplate& Dialog101();

}  // namespace res
