// The paint selection on the system clipboard: a 1-bit bitmap travels as a black and white
// QImage; a picture from elsewhere becomes 1-bit at half brightness (transparent counts as white).
#pragma once

#include <QImage>
#include <QString>

class CBitmap;
class QClipboard;
class QMimeData;

QImage ClipboardImageFromBitmap(const CBitmap& bitmap);
// A new 1-bit bitmap of the image (the caller owns it); null for an empty image.
CBitmap* BitmapFromClipboardImage(const QImage& image);

// Whether the clipboard offers a picture, without decoding it.
bool ClipboardHasPicture(const QMimeData* data);
// The clipboard's picture as a new 1-bit bitmap (the caller owns it). A picture is read within a
// bound on what its decoding takes (the 1-bit bitmap it becomes, and the decoded picture in the
// format it is stored in); past that, or unreadable, null after telling the operator why.
CBitmap* BitmapFromClipboard(const QMimeData* data);
// The bound on the decoded picture, in bytes.
inline constexpr qint64 kClipboardPictureBytes = qint64(1) << 30;

// What tells the picture now on the clipboard from any other (0 without a picture): a picture
// put there later, by this program or another, has another key.
qint64 ClipboardPictureKey(const QClipboard* clipboard);
// Empties the clipboard only while it still holds the picture with that key.
void ClearClipboardPicture(QClipboard* clipboard, qint64 key);
