// The paint selection on the system clipboard: a 1-bit bitmap travels as a black and white
// QImage; a picture from elsewhere becomes 1-bit at half brightness (transparent counts as white).
#pragma once

#include <QImage>

class CBitmap;

QImage ClipboardImageFromBitmap(const CBitmap& bitmap);
// A new 1-bit bitmap of the image (the caller owns it); null for an empty image.
CBitmap* BitmapFromClipboardImage(const QImage& image);
