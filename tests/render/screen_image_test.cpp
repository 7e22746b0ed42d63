// Images on a window surface are made only where they land, at their size there: the pixels are
// those of the whole image converted and stretched by the painter, clipped or not, mirrored or
// not, larger or smaller than the source.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <vector>

#include "platform/gdi/painter_backend.h"

namespace {

struct Dib {
  int width = 0, height = 0;
  std::vector<unsigned char> info, bits;
  Dib(int w, int h) : width(w), height(h) {
    info.assign(40 + 8, 0);
    auto put32 = [&](int at, int v) {
      for (int k = 0; k < 4; ++k) info[static_cast<size_t>(at + k)] = static_cast<unsigned char>(v >> (8 * k));
    };
    put32(0, 40);
    put32(4, w);
    put32(8, h);  // bottom-up
    info[12] = 1;
    info[14] = 1;
    // Palette: 0 dark red, 1 white.
    info[40 + 2] = 0x90;
    info[44] = info[45] = info[46] = 0xFF;
    const int stride = ((w + 31) / 32) * 4;
    bits.assign(static_cast<size_t>(stride * h), 0xFF);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if ((x * 7 + y * 3) % 5 == 0 || x == y)
          bits[static_cast<size_t>((h - 1 - y) * stride + x / 8)] &= static_cast<unsigned char>(~(0x80 >> (x % 8)));
  }
  const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(info.data()); }
  // The image as the painter shows it at one pixel per pixel, top row first.
  QImage AsImage() const {
    QImage img(width, height, QImage::Format_RGB32);
    const int stride = ((width + 31) / 32) * 4;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const bool one = (bits[static_cast<size_t>((height - 1 - y) * stride + x / 8)] >> (7 - x % 8)) & 1;
        img.setPixel(x, y, one ? qRgb(255, 255, 255) : qRgb(0x90, 0, 0));
      }
    return img;
  }
};

// The whole image stretched by the painter into the signed destination rectangle.
QImage Reference(const Dib& dib, int x, int y, int w, int h, const QRect& clip) {
  QImage surface(300, 200, QImage::Format_RGB32);
  surface.fill(Qt::white);
  QPainter p(&surface);
  p.setClipRect(clip);
  QImage part = dib.AsImage().mirrored(w < 0, h < 0);
  p.drawImage(QRect(std::min(x, x + w), std::min(y, y + h), std::abs(w), std::abs(h)), part);
  return surface;
}

QImage Drawn(const Dib& dib, int x, int y, int w, int h, const QRect& clip) {
  QImage surface(300, 200, QImage::Format_RGB32);
  surface.fill(Qt::white);
  QPainter p(&surface);
  p.setClipRect(clip);
  CPainterDC dc(p, &surface);
  EXPECT_EQ(dc.StretchDIBits(x, y, w, h, 0, 0, dib.width, dib.height, dib.bits.data(), dib.Info(), DIB_RGB_COLORS,
                             SRCCOPY),
            dib.height);
  return surface;
}

TEST(ScreenImage, StretchedClippedAndMirroredImagesShowThePaintersPixels) {
  const Dib dib(53, 37);
  struct Case {
    int x, y, w, h;
    QRect clip;
  } cases[] = {
      {10, 10, 53, 37, QRect(0, 0, 300, 200)},     {5, 7, 160, 111, QRect(0, 0, 300, 200)},
      {5, 7, 29, 17, QRect(0, 0, 300, 200)},       {-40, -20, 250, 190, QRect(30, 40, 100, 60)},
      {200, 150, -170, -120, QRect(0, 0, 300, 200)}, {20, 190, 97, -151, QRect(50, 0, 70, 200)},
      {-1000, -700, 2600, 1800, QRect(0, 0, 300, 200)},
  };
  for (const Case& c : cases) {
    const QImage want = Reference(dib, c.x, c.y, c.w, c.h, c.clip);
    const QImage got = Drawn(dib, c.x, c.y, c.w, c.h, c.clip);
    // Magnified many times the painter's fixed-point steps drift by a pixel at some boundaries
    // between source pixels; the exact centre rule is kept there. Nothing else may differ.
    const bool magnified = std::abs(c.w) > 20 * dib.width;
    auto at = [](const QImage& img, int x, int y) {
      return (x < 0 || y < 0 || x >= img.width() || y >= img.height()) ? 0u : img.pixel(x, y) & 0xFFFFFF;
    };
    long wrong = 0;
    for (int y = 0; y < 200; ++y)
      for (int x = 0; x < 300; ++x) {
        const QRgb g = at(got, x, y);
        if (at(want, x, y) == g) continue;
        if (magnified && (at(want, x - 1, y) == g || at(want, x + 1, y) == g || at(want, x, y - 1) == g ||
                          at(want, x, y + 1) == g))
          continue;
        ++wrong;
      }
    EXPECT_EQ(wrong, 0) << c.x << "," << c.y << " " << c.w << "x" << c.h;
  }
}

}  // namespace
