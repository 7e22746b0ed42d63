// The pictures drawn in code: every bar image has the button size, shows something and is its
// own; the extra bitmaps hold the hidden looks; the splash has its size. With
// KORVANE_SCREENSHOT_DIR set, the bar images (enlarged) and the splash are also written out as
// PNG files to be looked at.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>

#include <QDir>
#include <QImage>
#include <QPainter>

#include "model/objectlist.h"
#include "platform/qt_prompter.h"
#include "res/images.h"
#include "res/resource.h"
#include "res/toolbars.h"
#include "outside_tool.h"

namespace {

struct Entry {
  std::string name;
  QImage image;
};

// Every bar image and every extra image, in bar order.
std::vector<Entry> AllImages() {
  std::vector<Entry> out;
  for (const res::ToolbarLayout& bar : res::Toolbars()) {
    for (UINT id : bar.buttons)
      if (id != 0) out.push_back({std::to_string(id), res::BarImage(id)});
    for (int i = 0; i < bar.extraCount; ++i)
      out.push_back({std::to_string(bar.extraBitmap) + "#" + std::to_string(i),
                     res::ExtraImage(bar.extraBitmap, i)});
  }
  return out;
}

int OpaquePixels(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) != 0) ++n;
  return n;
}

TEST(BarImages, SeventyFourDistinctButtonPictures) {
  const std::vector<Entry> images = AllImages();
  ASSERT_EQ(images.size(), 74u);
  std::map<QByteArray, std::string> seen;
  for (const Entry& e : images) {
    SCOPED_TRACE(e.name);
    ASSERT_FALSE(e.image.isNull());
    EXPECT_EQ(e.image.size(), QSize(16, 15));
    EXPECT_EQ(e.image.format(), QImage::Format_ARGB32);
    // Something to see, and not a filled block either.
    const int opaque = OpaquePixels(e.image);
    EXPECT_GE(opaque, 20);
    std::set<QRgb> colours;
    for (int y = 0; y < 15; ++y)
      for (int x = 0; x < 16; ++x)
        if (qAlpha(e.image.pixel(x, y))) colours.insert(e.image.pixel(x, y));
    EXPECT_GE(colours.size() + (opaque < 16 * 15 ? 1 : 0), 2u);
    const QByteArray pixels(reinterpret_cast<const char*>(e.image.constBits()),
                            static_cast<int>(e.image.sizeInBytes()));
    auto [it, fresh] = seen.emplace(pixels, e.name);
    EXPECT_TRUE(fresh) << "same picture as " << it->second;
  }
}

TEST(BarImages, NoPictureForACommandWithoutAButton) {
  EXPECT_TRUE(res::BarImage(ID_FILE_SAVE_MRK).isNull());
  EXPECT_TRUE(res::BarImage(0).isNull());
  EXPECT_TRUE(res::ExtraImage(IDB_LAYER_HIDDEN, 8).isNull());
  EXPECT_TRUE(res::ExtraImage(IDB_LAYER_HIDDEN, -1).isNull());
  EXPECT_TRUE(res::ExtraImage(12345, 0).isNull());
  EXPECT_EQ(res::ExtraImageCount(IDB_LAYER_HIDDEN), 8);
  EXPECT_EQ(res::ExtraImageCount(IDB_PERSONAL_SEAL_HIDDEN), 4);
  EXPECT_EQ(res::ExtraImageCount(IDB_CORPORATE_SEAL_HIDDEN), 6);
}

TEST(BarImages, LayerButtonsWearTheLayerColour) {
  for (int n = 0; n < 8; ++n) {
    SCOPED_TRACE(n);
    const QImage visible = res::BarImage(ID_LAYER_TOGGLE_0 + static_cast<UINT>(n));
    const QColor layer = ColorToQColor(LAYER_COLORS[n]);
    // The square's fill, just inside its border.
    EXPECT_EQ(QColor(visible.pixel(2, 1)), layer);
    // The hidden look has no colour left.
    const QImage hidden = res::ExtraImage(IDB_LAYER_HIDDEN, n);
    for (int y = 0; y < 15; ++y)
      for (int x = 0; x < 16; ++x) {
        const QRgb px = hidden.pixel(x, y);
        if (!qAlpha(px)) continue;
        EXPECT_EQ(qRed(px), qGreen(px));
        EXPECT_EQ(qGreen(px), qBlue(px));
      }
  }
}

TEST(BarImages, HiddenLooksOfTheSealBarsAreGrey) {
  for (UINT bitmap : {IDB_PERSONAL_SEAL_HIDDEN, IDB_CORPORATE_SEAL_HIDDEN})
    for (int i = 0; i < res::ExtraImageCount(bitmap); ++i) {
      SCOPED_TRACE(i);
      const QImage hidden = res::ExtraImage(bitmap, i);
      for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 16; ++x) {
          const QRgb px = hidden.pixel(x, y);
          if (!qAlpha(px)) continue;
          EXPECT_EQ(qRed(px), qGreen(px));
          EXPECT_EQ(qGreen(px), qBlue(px));
        }
    }
}

TEST(Splash, SizeAndContent) {
  const QImage splash = res::SplashPicture();
  EXPECT_EQ(splash.size(), QSize(403, 252));
  // Not a single colour: the name and the drawing are on it.
  std::set<QRgb> colours;
  for (int y = 0; y < splash.height(); y += 3)
    for (int x = 0; x < splash.width(); x += 3) colours.insert(splash.pixel(x, y));
  EXPECT_GT(colours.size(), 50u);
}

TEST(Icons, ProgramAndDocumentIconsDiffer) {
  const QImage program = res::ProgramIcon().pixmap(32, 32).toImage();
  const QImage document = res::DocumentIcon().pixmap(32, 32).toImage();
  ASSERT_FALSE(program.isNull());
  ASSERT_FALSE(document.isNull());
  EXPECT_GT(OpaquePixels(program), 200);
  EXPECT_GT(OpaquePixels(document), 200);
  EXPECT_NE(program.convertToFormat(QImage::Format_ARGB32),
            document.convertToFormat(QImage::Format_ARGB32));
}

// Writes the pictures for a person to look at; does nothing unless asked.
TEST(Screenshots, ContactSheetAndSplash) {
  const char* dir = nullptr;
  REQUIRE_SCREENSHOT_DIR(dir);
  QDir().mkpath(dir);
  const int scale = 8, pad = 6, cols = 10;
  // One row per bar: its buttons, then its extra images.
  std::vector<std::vector<QImage>> rows;
  for (const res::ToolbarLayout& bar : res::Toolbars()) {
    std::vector<QImage> row;
    for (UINT id : bar.buttons)
      if (id != 0) row.push_back(res::BarImage(id));
    rows.push_back(row);
    if (bar.extraCount) {
      std::vector<QImage> extras;
      for (int i = 0; i < bar.extraCount; ++i) extras.push_back(res::ExtraImage(bar.extraBitmap, i));
      rows.push_back(extras);
    }
  }
  int lines = 0;
  for (const auto& row : rows) lines += static_cast<int>((row.size() + cols - 1) / cols);
  const int cw = 16 * scale + pad, ch = 15 * scale + pad;
  QImage sheet(cols * cw + pad, lines * ch + pad + 40, QImage::Format_ARGB32);
  sheet.fill(QColor(212, 208, 200));
  QPainter p(&sheet);
  int line = 0;
  for (const auto& row : rows) {
    for (size_t i = 0; i < row.size(); ++i) {
      const int x = pad + static_cast<int>(i % cols) * cw;
      const int y = pad + (line + static_cast<int>(i / cols)) * ch;
      p.drawImage(QRect(x, y, 16 * scale, 15 * scale), row[i]);
      // Also at real size, bottom right of the cell.
      p.drawImage(QPoint(x + 16 * scale - 18, y + 15 * scale - 17), row[i]);
    }
    line += static_cast<int>((row.size() + cols - 1) / cols);
  }
  // The icons at their real sizes.
  int x = pad;
  for (int s : {16, 32, 48}) {
    p.drawPixmap(x, lines * ch + pad - 8, res::ProgramIcon().pixmap(s, s));
    p.drawPixmap(x + 60, lines * ch + pad - 8, res::DocumentIcon().pixmap(s, s));
    x += 130;
  }
  p.end();
  EXPECT_TRUE(sheet.save(QString(dir) + "/bar_images.png"));
  EXPECT_TRUE(res::SplashPicture().save(QString(dir) + "/splash.png"));
  QImage icons(2 * (16 + 32 + 48 + 128) + 9 * 8, 128 + 16, QImage::Format_ARGB32);
  icons.fill(QColor(239, 239, 239));
  QPainter ip(&icons);
  int ix = 8;
  for (const QIcon& icon : {res::ProgramIcon(), res::DocumentIcon()})
    for (int s : {16, 32, 48, 128}) {
      ip.drawPixmap(ix, 8, icon.pixmap(s, s));
      ix += s + 8;
    }
  ip.end();
  EXPECT_TRUE(icons.save(QString(dir) + "/icons.png"));
  // Real-size bars on a bar-coloured strip, as the operator sees them.
  QImage strip(5 * 0 + 34 * 18 + 8, 5 * 20 + 8, QImage::Format_ARGB32);
  strip.fill(QColor(239, 239, 239));
  QPainter q(&strip);
  int by = 4;
  for (const res::ToolbarLayout& bar : res::Toolbars()) {
    int bx = 4;
    for (UINT id : bar.buttons) {
      if (id == 0) {
        bx += 6;
        continue;
      }
      q.drawImage(QPoint(bx, by), res::BarImage(id));
      bx += 18;
    }
    by += 20;
  }
  q.end();
  EXPECT_TRUE(strip.save(QString(dir) + "/bars_real_size.png"));
}

}  // namespace
