#include "imaging/paint_selection_clipboard.h"

#include <QClipboard>
#include <QColor>

#include "platform/gdi/gdi.h"

QImage ClipboardImageFromBitmap(const CBitmap& bitmap) {
  QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      image.setPixel(x, y, bitmap.PixelColour(x, y) == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
  return image;
}

CBitmap* BitmapFromClipboardImage(const QImage& source) {
  if (source.isNull() || source.width() <= 0 || source.height() <= 0) return nullptr;
  const QImage image = source.convertToFormat(QImage::Format_ARGB32);
  auto* bitmap = new CBitmap;
  if (!bitmap->CreateBitmap(image.width(), image.height(), 1, 1, nullptr)) {
    delete bitmap;
    return nullptr;
  }
  for (int y = 0; y < image.height(); ++y) {
    BYTE* row = bitmap->Row(y);
    const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = line[x];
      // Over white, then the grey level against half brightness.
      const int a = qAlpha(p);
      auto over = [a](int c) { return (c * a + 255 * (255 - a)) / 255; };
      const int grey = (over(qRed(p)) * 299 + over(qGreen(p)) * 587 + over(qBlue(p)) * 114) / 1000;
      if (grey >= 128) row[x >> 3] |= static_cast<BYTE>(0x80 >> (x & 7));
      else row[x >> 3] &= static_cast<BYTE>(~(0x80 >> (x & 7)));
    }
  }
  return bitmap;
}

qint64 ClipboardPictureKey(const QClipboard* clipboard) {
  if (!clipboard) return 0;
  const QImage image = clipboard->image();
  return image.isNull() ? 0 : image.cacheKey();
}

void ClearClipboardPicture(QClipboard* clipboard, qint64 key) {
  if (clipboard && key != 0 && ClipboardPictureKey(clipboard) == key) clipboard->clear();
}
