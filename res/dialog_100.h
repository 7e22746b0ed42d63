// Dialog 100: the About box.
#pragma once

#include "platform/ui/control_host.h"

inline constexpr int IDC_ABOUT_VERSION = 1486;
inline constexpr int IDC_ABOUT_PRODUCT = 1487;
inline constexpr int IDC_ABOUT_MAKER = 1488;
inline constexpr int IDC_ABOUT_POSTCODE = 1489;
inline constexpr int IDC_ABOUT_ADDRESS = 1490;
inline constexpr int IDC_ABOUT_PHONE = 1491;
inline constexpr int IDC_ABOUT_HOMEPAGE = 1492;
inline constexpr int IDC_ABOUT_MAIL = 1493;
inline constexpr int IDC_ABOUT_FAX = 1494;

const DlgTemplate& AboutDialogTemplate();
