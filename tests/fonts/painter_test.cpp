// The painter back end: the same drawing as the raster back end on a QImage, and true
// millimetres on a printer.
#include <gtest/gtest.h>

#include <QImage>
#include <QPicture>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/cstring.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/font.h"
#include "platform/gdi/font_text.h"
#include "platform/gdi/painter_backend.h"
#include "temp_dir.h"
#include "outside_tool.h"

namespace {

constexpr int kW = 360;
constexpr int kH = 140;

LOGFONT Face(const char* utf8, LONG height) {
  LOGFONT lf;
  lf.lfHeight = height;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  std::string face = CString::FromUtf8(utf8).str();
  std::memcpy(lf.lfFaceName, face.data(), face.size());
  return lf;
}

// The same text and shapes on any device context.
void DrawScene(CDC& dc, CFont& font) {
  CFont* old = dc.SelectObject(&font);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(RGB(0, 0, 0));
  const std::string text = CString::FromUtf8("明朝Ag").str();
  gditext::TextOut(dc, 8, 6, text.data(), static_cast<int>(text.size()));
  dc.SelectStockObject(BLACK_BRUSH);
  dc.SelectStockObject(NULL_PEN);
  dc.Ellipse(300, 20, 350, 90);
  // A 1-pixel frame, an open polyline and a 1-bit image ANDed in, as the renderers use them.
  dc.SelectStockObject(BLACK_PEN);
  dc.SelectStockObject(NULL_BRUSH);
  dc.Rectangle(4, 100, 120, 136);
  const POINT zigzag[] = {{130, 130}, {160, 100}, {190, 130}, {220, 100}};
  dc.Polyline(zigzag, 4);
  struct {
    BITMAPINFOHEADER h;
    RGBQUAD colours[2];
  } info{};
  info.h.biSize = sizeof(BITMAPINFOHEADER);
  info.h.biWidth = 8;
  info.h.biHeight = 4;
  info.h.biPlanes = 1;
  info.h.biBitCount = 1;
  info.colours[1] = RGBQUAD{255, 255, 255, 0};
  const BYTE rows[4][4] = {{0xF0}, {0x0F}, {0xF0}, {0x0F}};  // bit 0 = entry 0 = ink
  dc.StretchDIBits(240, 100, 64, 32, 0, 0, 8, 4, rows, reinterpret_cast<const BITMAPINFO*>(&info),
                   DIB_RGB_COLORS, SRCAND);
  dc.SelectObject(old);
}

bool Ink(QRgb c) { return qGray(c) < 128; }

struct Comparison {
  int ink = 0;     // ink pixels of the raster drawing
  int differ = 0;  // pixels where the two differ
  int inner = 0;   // of those, pixels with no edge of the raster drawing next to them
};

Comparison Compare(const CDC& raster, const QImage& image) {
  Comparison c;
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      const bool a = raster.GetPixel(x, y) == RGB(0, 0, 0);
      const bool b = Ink(image.pixel(x, y));
      c.ink += a;
      if (a == b) continue;
      ++c.differ;
      // A difference is allowed only where the raster drawing has an edge next to it.
      bool edge = false;
      for (int dy = -1; dy <= 1 && !edge; ++dy)
        for (int dx = -1; dx <= 1 && !edge; ++dx) {
          COLORREF n = raster.GetPixel(x + dx, y + dy);
          if (n != CLR_INVALID && (n == RGB(0, 0, 0)) != a) edge = true;
        }
      if (!edge) ++c.inner;
    }
  }
  return c;
}

}  // namespace

TEST(PainterBackend, OnPixelDevicesTextAndShapesCoverTheRasterBackEndsPixels) {
  CFont font;
  LOGFONT lf = Face("ＭＳ 明朝", -90);
  font.CreateFontIndirect(&lf);

  CBitmap bmp;
  CDC raster;
  ASSERT_TRUE(raster.CreateCompatibleDC(nullptr));
  ASSERT_TRUE(bmp.CreateBitmap(kW, kH, 1, 32, nullptr));
  raster.SelectObject(&bmp);
  raster.PatBlt(0, 0, kW, kH, WHITENESS);
  DrawScene(raster, font);

  QImage image(kW, kH, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    CPainterDC dc(painter, static_cast<QWidget*>(nullptr));
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 96);
    DrawScene(dc, font);
  }

  const Comparison c = Compare(raster, image);
  EXPECT_GT(c.ink, 3000);
  EXPECT_EQ(c.inner, 0);
  EXPECT_EQ(c.differ, 0) << "on pixel devices the painter covers the raster back end's pixels";
}

// Printers take the outline route; a picture records the same calls without pixels.
TEST(PainterBackend, TheOutlineRouteForPrintersDiffersOnlyOnEdges) {
  CFont font;
  LOGFONT lf = Face("ＭＳ 明朝", -90);
  font.CreateFontIndirect(&lf);
  CBitmap bmp;
  CDC raster;
  ASSERT_TRUE(raster.CreateCompatibleDC(nullptr));
  ASSERT_TRUE(bmp.CreateBitmap(kW, kH, 1, 32, nullptr));
  raster.SelectObject(&bmp);
  raster.PatBlt(0, 0, kW, kH, WHITENESS);
  DrawScene(raster, font);

  QPicture picture;
  {
    QPainter painter(&picture);
    CDC dc;
    dc.AttachBackend(std::make_unique<CPainterBackend>(painter, SCREEN_PIXELS_PER_METRE,
                                                       SCREEN_PIXELS_PER_METRE));
    DrawScene(dc, font);
  }
  QImage image(kW, kH, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    picture.play(&painter);
  }
  const Comparison c = Compare(raster, image);
  EXPECT_GT(c.ink, 3000);
  EXPECT_EQ(c.inner, 0);
  EXPECT_LT(c.differ, c.ink / 20);
}

TEST(PainterBackend, ATenMillimetreSquarePrintsTenMillimetresWide) {
  TempDir dir;
  const QString pdf = QString::fromStdString(dir.File("square.pdf"));
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  printer.setFullPage(true);
  int res = 0;
  {
    QPainter painter;
    ASSERT_TRUE(painter.begin(&printer));
    CPainterDC dc(painter, &printer);
    res = printer.resolution();
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), res);
    dc.SetMapMode(MM_HIMETRIC);
    // 20 mm in from the page's top-left corner.
    dc.SetViewportOrg(res * 20 * 10 / 254, res * 20 * 10 / 254);
    SIZE ten{1000, 1000};
    dc.LPtoDP(&ten);
    EXPECT_NEAR(ten.cx, res * 100 / 254.0, 1.0);
    dc.SelectStockObject(BLACK_BRUSH);
    dc.SelectStockObject(NULL_PEN);
    dc.Rectangle(0, 0, 1000, -1000);
    // White ANDed over it leaves it black, also on a printer without raster operations.
    struct {
      BITMAPINFOHEADER h;
      RGBQUAD colours[2];
    } white{};
    white.h.biSize = sizeof(BITMAPINFOHEADER);
    white.h.biWidth = 8;
    white.h.biHeight = 1;
    white.h.biPlanes = 1;
    white.h.biBitCount = 1;
    white.colours[1] = RGBQUAD{255, 255, 255, 0};
    const BYTE bits[4] = {0xFF};
    dc.StretchDIBits(0, 0, 500, -500, 0, 0, 8, 1, bits, reinterpret_cast<const BITMAPINFO*>(&white),
                     DIB_RGB_COLORS, SRCAND);
    // On the painter's own device the square spans 10 mm of the printer's pixels.
    QRectF onPage = painter.deviceTransform().mapRect(QRectF(0, 0, ten.cx, ten.cy));
    EXPECT_NEAR(onPage.width() * 25.4 / res, 10.0, 0.1);
    painter.end();
  }

  const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
  REQUIRE_OUTSIDE_TOOL(!pdftoppm.isEmpty(), "pdftoppm (poppler-utils)");
  // At 254 dots per inch one dot is 0.1 mm.
  const QString base = QString::fromStdString(dir.File("page"));
  ASSERT_EQ(QProcess::execute(pdftoppm, {"-r", "254", "-gray", "-singlefile", pdf, base}), 0);
  QImage page(base + ".pgm");
  ASSERT_FALSE(page.isNull());
  int left = page.width(), right = -1, top = page.height(), bottom = -1;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x)
      if (qGray(page.pixel(x, y)) < 128) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  ASSERT_GE(right, left);
  EXPECT_NEAR(right - left + 1, 100, 1) << "10 mm at 0.1 mm per dot";
  EXPECT_NEAR(bottom - top + 1, 100, 1);
  EXPECT_NEAR(left, 200, 2) << "20 mm from the left edge";
  EXPECT_LT(qGray(page.pixel(left + 25, top + 25)), 128) << "the ANDed white left the ink";
  (void)res;
}
