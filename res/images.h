// Pictures drawn in code: the tool-bar button images, the hidden-layer images of the layer and
// seal bars, the splash picture and the icons.
#pragma once

#include <QIcon>
#include <QImage>

#include "platform/wintypes.h"

namespace res {

constexpr int kBarImageWidth = 16;
constexpr int kBarImageHeight = 15;
constexpr int kSplashWidth = 403;
constexpr int kSplashHeight = 252;

// 16 x 15 ARGB32 image of a tool-bar command; a null image for a command without a button.
QImage BarImage(UINT commandId);
// Image `index` of an extra bitmap (239: 8, 273: 4, 279: 6); null when out of range.
QImage ExtraImage(UINT bitmapId, int index);
// Number of images of an extra bitmap (0 for an unknown id).
int ExtraImageCount(UINT bitmapId);
// 403 x 252 RGB32.
QImage SplashPicture();
QIcon ProgramIcon();
QIcon DocumentIcon();

}  // namespace res
