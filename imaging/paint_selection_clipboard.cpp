#include "imaging/paint_selection_clipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QColor>
#include <QImageReader>
#include <QMimeData>

#include <algorithm>

#include "platform/gdi/gdi.h"
#include "platform/prompter.h"

QImage ClipboardImageFromBitmap(const CBitmap& bitmap) {
  QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      image.setPixel(x, y, bitmap.PixelColour(x, y) == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
  return image;
}

namespace {

// Over white, then the grey level against half brightness.
bool IsWhite(QRgb p) {
  const int a = qAlpha(p);
  auto over = [a](int c) { return (c * a + 255 * (255 - a)) / 255; };
  return (over(qRed(p)) * 299 + over(qGreen(p)) * 587 + over(qBlue(p)) * 114) / 1000 >= 128;
}

// A 1-bit picture's rows are the bitmap's, but for the sense of its two colours.
void CopyMonoRows(const QImage& source, CBitmap& bitmap) {
  const QList<QRgb> table = source.colorTable();
  const bool white0 = table.size() > 0 ? IsWhite(table[0]) : false;
  const bool white1 = table.size() > 1 ? IsWhite(table[1]) : true;
  const size_t bytes = (static_cast<size_t>(source.width()) + 7) / 8;
  for (int y = 0; y < source.height(); ++y) {
    const uchar* from = source.constScanLine(y);
    BYTE* row = bitmap.Row(y);
    for (size_t i = 0; i < bytes; ++i) {
      const uchar b = from[i];
      row[i] = static_cast<BYTE>((white1 ? b : 0) | (white0 ? static_cast<uchar>(~b) : 0));
    }
  }
}

}  // namespace

CBitmap* BitmapFromClipboardImage(const QImage& source) {
  if (source.isNull() || source.width() <= 0 || source.height() <= 0) return nullptr;
  auto* bitmap = new CBitmap;
  if (!bitmap->CreateBitmap(source.width(), source.height(), 1, 1, nullptr)) {
    delete bitmap;
    return nullptr;
  }
  if (source.format() == QImage::Format_Mono) {
    CopyMonoRows(source, *bitmap);
    return bitmap;
  }
  // A band at a time: a large picture is never held a second time at 32 bits per pixel.
  constexpr int kBand = 64;
  QImage image;
  for (int y = 0; y < source.height(); ++y) {
    if (y % kBand == 0)
      image = source.copy(0, y, source.width(), std::min(kBand, source.height() - y)).convertToFormat(QImage::Format_ARGB32);
    BYTE* row = bitmap->Row(y);
    const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y % kBand));
    for (int x = 0; x < image.width(); ++x) {
      if (IsWhite(line[x])) row[x >> 3] |= static_cast<BYTE>(0x80 >> (x & 7));
      else row[x >> 3] &= static_cast<BYTE>(~(0x80 >> (x & 7)));
    }
  }
  return bitmap;
}

bool ClipboardHasPicture(const QMimeData* data) {
  if (!data) return false;
  if (data->hasImage()) return true;
  for (const QByteArray& format : QImageReader::supportedMimeTypes())
    if (data->hasFormat(QString::fromLatin1(format))) return true;
  return false;
}

namespace {

QString TooLarge(const QSize& size) {
  return QString::fromUtf8("クリップボードの画像 (%1 × %2 ピクセル) は大きすぎるため貼り付けできません。")
      .arg(size.width())
      .arg(size.height());
}

CBitmap* ReadClipboardPicture(const QMimeData* data, QString& refusal) {
  if (!ClipboardHasPicture(data)) return nullptr;
  // The picture in the first format Qt reads, in its stored form: decoding through
  // QMimeData::imageData would first need it whole at 32 bits per pixel.
  QByteArray bytes;
  for (const QByteArray& format : QImageReader::supportedMimeTypes()) {
    if (data->hasFormat(QString::fromLatin1(format))) {
      bytes = data->data(QString::fromLatin1(format));
      if (!bytes.isEmpty()) break;
    }
  }
  if (bytes.isEmpty()) {
    // Only the platform's own image form: Qt decodes it within its own limit.
    const QImage image = qvariant_cast<QImage>(data->imageData());
    if (image.isNull()) refusal = QString::fromUtf8("クリップボードの画像を読み込めません。");
    return image.isNull() ? nullptr : BitmapFromClipboardImage(image);
  }
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  const QSize size = reader.size();
  if (!size.isValid() || size.isEmpty()) {
    refusal = QString::fromUtf8("クリップボードの画像を読み込めません。");
    return nullptr;
  }
  const QImage::Format format = reader.imageFormat();
  const int depth = format == QImage::Format_Invalid ? 32 : std::max(1, static_cast<int>(QImage::toPixelFormat(format).bitsPerPixel()));
  const qint64 decoded = (qint64(size.width()) * depth + 31) / 32 * 4 * size.height();
  // The 1-bit bitmap it becomes must fit a bitmap at all.
  const qint64 mono = (qint64(size.width()) + 31) / 32 * 4 * size.height();
  if (decoded > kClipboardPictureBytes || mono > (qint64(1) << 31)) {
    refusal = TooLarge(size);
    return nullptr;
  }
  // Qt weighs every picture at 32 bits per pixel against its limit, whatever it decodes to: the
  // bound above holds what is really allocated.
  const qint64 weighed = qint64(size.width()) * size.height() * 4;
  reader.setAllocationLimit(static_cast<int>(std::max(weighed, kClipboardPictureBytes) >> 20) + 1);
  const QImage image = reader.read();
  CBitmap* bitmap = image.isNull() ? nullptr : BitmapFromClipboardImage(image);
  if (!bitmap) refusal = QString::fromUtf8("クリップボードの画像を読み込めません。");
  return bitmap;
}

}  // namespace

CBitmap* BitmapFromClipboard(const QMimeData* data) {
  QString refusal;
  CBitmap* bitmap = ReadClipboardPicture(data, refusal);
  if (!refusal.isEmpty()) AfxMessageBox(CString::FromQString(refusal), MB_OK | MB_ICONEXCLAMATION);
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
