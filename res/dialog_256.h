// Dialog 256 "プレースバーの登録": the five places-bar folders and the history switch.
#pragma once

#include "platform/ui/control_host.h"

inline constexpr int IDD_PLACESBAR = 256;
inline constexpr int IDC_PLACES_FOLDER1 = 1478;  // edits 1478 to 1482
inline constexpr int IDC_PLACES_BROWSE1 = 1604;  // buttons 1604 to 1608
inline constexpr int IDC_PLACES_HISTORY = 1609;

const DlgTemplate& PlacesBarDialogTemplate();
