// The paint selection on the system clipboard: a 1-bit bitmap travels as a black and white
// QImage; a picture from elsewhere becomes 1-bit at half brightness (transparent counts as white).
#pragma once

#include <QImage>

class CBitmap;
class QClipboard;

QImage ClipboardImageFromBitmap(const CBitmap& bitmap);
// A new 1-bit bitmap of the image (the caller owns it); null for an empty image.
CBitmap* BitmapFromClipboardImage(const QImage& image);

// What tells the picture now on the clipboard from any other (0 without a picture): a picture
// put there later, by this program or another, has another key.
qint64 ClipboardPictureKey(const QClipboard* clipboard);
// Empties the clipboard only while it still holds the picture with that key.
void ClearClipboardPicture(QClipboard* clipboard, qint64 key);
