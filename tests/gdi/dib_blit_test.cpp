// Device-independent bitmaps, bitmap objects and blits.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "gdi_test_util.h"

using gditest::Canvas;
using gditest::Join;

namespace {

struct MonoInfo {
  BITMAPINFOHEADER h;
  RGBQUAD colours[2];
  explicit MonoInfo(int w, int hgt, int bpp = 1) {
    std::memset(this, 0, sizeof *this);
    h.biSize = 40;
    h.biWidth = w;
    h.biHeight = hgt;
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(bpp);
    colours[1] = RGBQUAD{255, 255, 255, 0};
  }
  BITMAPINFO* Info() { return reinterpret_cast<BITMAPINFO*>(this); }
};

TEST(GdiDib, EightByOneBytes) {
  Canvas c(8, 1);
  c.dc.SetPixel(0, 0, 0);
  c.dc.SetPixel(7, 0, 0);
  MonoInfo info(8, 1);
  info.colours[0] = RGBQUAD{9, 9, 9, 9};
  EXPECT_EQ(GetDIBits(c.dc, c.bmp, 0, 1, nullptr, info.Info(), DIB_RGB_COLORS), 1);
  EXPECT_EQ(info.h.biSizeImage, 4u);
  BYTE bits[4] = {0xAA, 0xAA, 0xAA, 0xAA};
  EXPECT_EQ(GetDIBits(c.dc, c.bmp, 0, 1, bits, info.Info(), DIB_RGB_COLORS), 1);
  const BYTE want[4] = {0x7E, 0, 0, 0};
  EXPECT_EQ(0, std::memcmp(bits, want, 4));
  const BYTE pal[8] = {0, 0, 0, 0, 255, 255, 255, 0};
  EXPECT_EQ(0, std::memcmp(info.colours, pal, 8));
}

TEST(GdiDib, NinetySevenByThreeIsBottomUpAndPadded) {
  Canvas c(97, 3);
  c.dc.SetPixel(96, 0, 0);  // top row, last pixel
  c.dc.SetPixel(0, 2, 0);   // bottom row, first pixel
  MonoInfo info(97, 3);
  std::vector<BYTE> bits(16 * 3, 0xAA);
  EXPECT_EQ(GetDIBits(c.dc, c.bmp, 0, 3, bits.data(), info.Info(), DIB_RGB_COLORS), 3);
  std::vector<BYTE> want;
  auto row = [&](BYTE first, BYTE last) {
    want.push_back(first);
    for (int i = 1; i < 12; ++i) want.push_back(0xFF);
    want.push_back(last);
    want.insert(want.end(), {0, 0, 0});
  };
  row(0x7F, 0x80);  // stored first: the bottom row
  row(0xFF, 0x80);
  row(0xFF, 0x00);  // the top row
  EXPECT_EQ(bits, want);
  // Some of the rows, counted from the bottom.
  std::vector<BYTE> one(16, 0xAA);
  EXPECT_EQ(GetDIBits(c.dc, c.bmp, 2, 5, one.data(), info.Info(), DIB_RGB_COLORS), 1);
  EXPECT_EQ(one, std::vector<BYTE>(want.begin() + 32, want.end()));
  EXPECT_EQ(GetDIBits(c.dc, c.bmp, 3, 1, one.data(), info.Info(), DIB_RGB_COLORS), 0);

  // Drawn back 1:1, the picture is the same.
  Canvas d(97, 3);
  EXPECT_EQ(d.dc.StretchDIBits(0, 0, 97, 3, 0, 0, 97, 3, bits.data(), info.Info(), DIB_RGB_COLORS,
                               SRCCOPY),
            3);
  EXPECT_EQ(d.Picture(), c.Picture());
  // And through SetDIBits.
  Canvas s(97, 3);
  EXPECT_EQ(SetDIBits(s.dc, s.bmp, 0, 3, bits.data(), info.Info(), DIB_RGB_COLORS), 3);
  EXPECT_EQ(s.Picture(), c.Picture());
}

TEST(GdiDib, ColourBitmapToOneBitDibAndBack) {
  Canvas c(3, 1, 32);
  c.dc.SetPixel(0, 0, RGB(255, 0, 0));
  c.dc.SetPixel(1, 0, RGB(210, 220, 230));
  MonoInfo info(3, 1);
  BYTE bits[4] = {0};
  EXPECT_EQ(GetDIBits(c.dc, c.bmp, 0, 1, bits, info.Info(), DIB_RGB_COLORS), 1);
  EXPECT_EQ(bits[0], 0x60);  // red nearer black; light grey and white nearer white
  MonoInfo wide(2, -1, 32);  // top-down, 32 bits
  BYTE px[8] = {0};
  EXPECT_EQ(GetDIBits(c.dc, c.bmp, 0, 1, px, wide.Info(), DIB_RGB_COLORS), 1);
  const BYTE want[8] = {0, 0, 255, 0, 230, 220, 210, 0};
  EXPECT_EQ(0, std::memcmp(px, want, 8));
}

TEST(GdiDib, NegativeExtentsMirror) {
  // 3 x 2 picture: top row black, white, white; bottom row white. Stored bottom-up.
  MonoInfo info(3, 2);
  BYTE bits[8] = {0xE0, 0, 0, 0, 0x60, 0, 0, 0};
  auto draw = [&](int x, int y, int w, int h) {
    Canvas c(3, 2);
    c.dc.StretchDIBits(x, y, w, h, 0, 0, 3, 2, bits, info.Info(), DIB_RGB_COLORS, SRCCOPY);
    return c.Picture();
  };
  EXPECT_EQ(draw(0, 0, 3, 2), Join({"#..", "..."}));
  EXPECT_EQ(draw(3, 0, -3, 2), Join({"..#", "..."}));
  EXPECT_EQ(draw(0, 2, 3, -2), Join({"...", "#.."}));
  EXPECT_EQ(draw(3, 2, -3, -2), Join({"...", "..#"}));

  // StretchBlt from another DC mirrors the same way.
  Canvas src(3, 2);
  src.dc.SetPixel(0, 0, 0);
  Canvas dst(3, 2);
  EXPECT_TRUE(dst.dc.StretchBlt(3, 0, -3, 2, &src.dc, 0, 0, 3, 2, SRCCOPY));
  EXPECT_EQ(dst.Picture(), Join({"..#", "..."}));
  Canvas dst2(3, 2);
  EXPECT_TRUE(dst2.dc.StretchBlt(0, 0, 3, 2, &src.dc, 0, 2, 3, -2, SRCCOPY));
  EXPECT_EQ(dst2.Picture(), Join({"...", "#.."}));
}

TEST(GdiDib, BitmapObjectDrawnInHimetricStaysUpright) {
  // Top-left pixel black; drawn over 100 x 100 pixels as the renderer draws bitmap objects.
  MonoInfo info(2, 2);
  BYTE bits[8] = {0xC0, 0, 0, 0, 0x40, 0, 0, 0};
  Canvas c(120, 120);
  c.dc.SetMapMode(MM_HIMETRIC);
  c.dc.StretchDIBits(0, 0, 2646, -2646, 0, 0, 2, 2, bits, info.Info(), DIB_RGB_COLORS, SRCAND);
  EXPECT_EQ(c.CountBlack(), 50 * 50);
  EXPECT_EQ(c.bmp.PixelColour(0, 0), 0u);
  EXPECT_EQ(c.bmp.PixelColour(49, 49), 0u);
  EXPECT_EQ(c.bmp.PixelColour(50, 49), 0xFFFFFFu);
  // Mirrored in y: from the bottom edge with a positive height.
  Canvas m(120, 120);
  m.dc.SetMapMode(MM_HIMETRIC);
  m.dc.StretchDIBits(0, -2646, 2646, 2646, 0, 0, 2, 2, bits, info.Info(), DIB_RGB_COLORS, SRCAND);
  EXPECT_EQ(m.bmp.PixelColour(0, 99), 0u);
  EXPECT_EQ(m.bmp.PixelColour(0, 0), 0xFFFFFFu);
}

TEST(GdiDib, HugeTargetsOnlyCostTheVisiblePixels) {
  MonoInfo info(2, 2);
  BYTE bits[8] = {0xC0, 0, 0, 0, 0x40, 0, 0, 0};  // top-left pixel black
  Canvas c(10, 10);
  EXPECT_EQ(c.dc.StretchDIBits(0, 0, 200000000, 200000000, 0, 0, 2, 2, bits, info.Info(),
                               DIB_RGB_COLORS, SRCCOPY),
            2);
  EXPECT_EQ(c.CountBlack(), 100);
  Canvas d(10, 10);
  EXPECT_TRUE(d.dc.StretchBlt(-5, -5, 200000000, 200000000, &c.dc, 0, 0, 10, 10, NOTSRCCOPY));
  EXPECT_EQ(d.CountBlack(), 0);
}

TEST(GdiDib, InkInTheLayerColourUnderSrcAnd) {
  MonoInfo info(2, 1);
  info.colours[0] = RGBQUAD{255, 0, 0, 0};  // ink entry set to the layer colour (blue)
  BYTE bits[4] = {0x40, 0, 0, 0};           // ink, paper
  Canvas c(2, 1, 32);
  c.dc.FillSolidRect(0, 0, 2, 1, RGB(0x80, 0x80, 0x80));
  c.dc.StretchDIBits(0, 0, 2, 1, 0, 0, 2, 1, bits, info.Info(), DIB_RGB_COLORS, SRCAND);
  EXPECT_EQ(c.dc.GetPixel(0, 0), RGB(0, 0, 0x80));
  EXPECT_EQ(c.dc.GetPixel(1, 0), RGB(0x80, 0x80, 0x80));
  // Other depths than 1, 24 and 32 bits are refused.
  MonoInfo bad(2, 1, 8);
  EXPECT_EQ(c.dc.StretchDIBits(0, 0, 2, 1, 0, 0, 2, 1, bits, bad.Info(), DIB_RGB_COLORS, SRCCOPY), 0);
}

TEST(GdiBlit, StretchModesWhenShrinking) {
  auto shrink = [](const char* row, int mode) {
    Canvas src(4, 1);
    for (int i = 0; i < 4; ++i)
      if (row[i] == '#') src.dc.SetPixel(i, 0, 0);
    Canvas dst(2, 1);
    EXPECT_EQ(dst.dc.SetStretchBltMode(mode), BLACKONWHITE);
    dst.dc.StretchBlt(0, 0, 2, 1, &src.dc, 0, 0, 4, 1, SRCCOPY);
    return dst.Picture();
  };
  EXPECT_EQ(shrink("#...", BLACKONWHITE), "#.\n");
  EXPECT_EQ(shrink("#...", COLORONCOLOR), "..\n");
  EXPECT_EQ(shrink(".###", WHITEONBLACK), ".#\n");
  EXPECT_EQ(shrink(".###", BLACKONWHITE), "##\n");
  // Growing repeats pixels.
  Canvas src(2, 1);
  src.dc.SetPixel(0, 0, 0);
  Canvas dst(4, 2);
  dst.dc.StretchBlt(0, 0, 4, 2, &src.dc, 0, 0, 2, 1, SRCCOPY);
  EXPECT_EQ(dst.Picture(), Join({"##..", "##.."}));
}

TEST(GdiBlit, MonochromeAndColourMeet) {
  Canvas mono(2, 1);
  mono.dc.SetPixel(0, 0, 0);
  Canvas col(2, 1, 32);
  col.dc.SetTextColor(RGB(10, 20, 30));
  col.dc.SetBkColor(RGB(200, 100, 50));
  EXPECT_TRUE(col.dc.BitBlt(0, 0, 2, 1, &mono.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(col.dc.GetPixel(0, 0), RGB(10, 20, 30));   // 0 bits take the text colour
  EXPECT_EQ(col.dc.GetPixel(1, 0), RGB(200, 100, 50));  // 1 bits the background colour

  Canvas src(3, 1, 32);
  src.dc.SetPixel(0, 0, RGB(1, 2, 3));
  src.dc.SetBkColor(RGB(1, 2, 3));
  src.dc.SetPixel(1, 0, RGB(250, 250, 250));
  Canvas back(3, 1);
  back.dc.BitBlt(0, 0, 3, 1, &src.dc, 0, 0, SRCCOPY);
  // The source's background colour becomes white, every other colour black.
  EXPECT_EQ(back.Picture(), ".##\n");

  // SRCAND keeps black; NOTSRCCOPY inverts; PatBlt inverts and fills.
  Canvas a(4, 1);
  a.dc.SetPixel(3, 0, 0);
  Canvas b(4, 1);
  b.dc.SetPixel(0, 0, 0);
  b.dc.BitBlt(0, 0, 4, 1, &a.dc, 0, 0, SRCAND);
  EXPECT_EQ(b.Picture(), "#..#\n");
  b.dc.BitBlt(0, 0, 4, 1, &a.dc, 0, 0, NOTSRCCOPY);
  EXPECT_EQ(b.Picture(), "###.\n");
  b.dc.PatBlt(0, 0, 2, 1, DSTINVERT);
  EXPECT_EQ(b.Picture(), "..#.\n");
  b.dc.SelectStockObject(BLACK_BRUSH);
  b.dc.PatBlt(1, 0, 1, 1, PATCOPY);
  b.dc.SelectStockObject(WHITE_BRUSH);
  EXPECT_EQ(b.Picture(), ".##.\n");
  b.dc.PatBlt(4, 0, -4, 1, WHITENESS);  // negative extents are normalised
  EXPECT_EQ(b.Picture(), "....\n");
}

TEST(GdiBlit, CopyWithinOneBitmapReadsTheOriginal) {
  Canvas c(5, 1);
  c.dc.SetPixel(0, 0, 0);
  c.dc.SetPixel(1, 0, 0);
  EXPECT_TRUE(c.dc.BitBlt(1, 0, 4, 1, &c.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(c.Picture(), "###..\n");
}

TEST(GdiBlit, OneToOneMonochromeMatchesThePixelRule) {
  // Unaligned offsets, three raster operations, clipping at both ends.
  Canvas src(37, 5), base(41, 5);
  unsigned seed = 12345;
  auto next = [&seed] { seed = seed * 1103515245u + 12345u; return (seed >> 16) & 1u; };
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 37; ++x) {
      if (next()) src.dc.SetPixel(x, y, 0);
      if (next()) base.dc.SetPixel(x, y, 0);
    }
  for (DWORD rop : {SRCCOPY, SRCAND, SRCINVERT}) {
    for (int dx : {-3, 0, 5, 11}) {
      Canvas dst(41, 5);
      dst.dc.BitBlt(0, 0, 41, 5, &base.dc, 0, 0, SRCCOPY);
      dst.dc.BitBlt(dx, 1, 33, 4, &src.dc, 3, 0, rop);
      for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 41; ++x) {
          bool d = base.bmp.PixelColour(x, y) != 0;  // true: white (bit 1)
          bool want = d;
          int sx = x - dx + 3, sy = y - 1;
          if (y >= 1 && x - dx >= 0 && x - dx < 33) {
            bool sv = src.bmp.PixelColour(sx, sy) != 0;
            want = rop == SRCCOPY ? sv : rop == SRCAND ? (sv && d) : (sv != d);
          }
          ASSERT_EQ(dst.bmp.PixelColour(x, y) != 0, want) << rop << " " << dx << " " << x << "," << y;
        }
    }
  }
  // A DIB whose palette has white first draws its bits inverted.
  MonoInfo info(12, 1);
  info.colours[0] = RGBQUAD{255, 255, 255, 0};
  info.colours[1] = RGBQUAD{0, 0, 0, 0};
  BYTE bits[4] = {0xF0, 0x30, 0, 0};
  Canvas d(14, 1);
  d.dc.StretchDIBits(1, 0, 12, 1, 0, 0, 12, 1, bits, info.Info(), DIB_RGB_COLORS, SRCCOPY);
  EXPECT_EQ(d.Picture(), ".####......##.\n");
}

TEST(GdiBitmap, DeviceRowsAndCreation) {
  CBitmap b;
  // Device rows are padded to 2 bytes, top-down.
  const BYTE rows[] = {0x0F, 0xF0, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  ASSERT_TRUE(b.CreateBitmap(40, 2, 1, 1, rows));
  BITMAP bm;
  EXPECT_EQ(b.GetBitmap(&bm), static_cast<int>(sizeof(BITMAP)));
  EXPECT_EQ(bm.bmWidth, 40);
  EXPECT_EQ(bm.bmHeight, 2);
  EXPECT_EQ(bm.bmWidthBytes, 6);
  EXPECT_EQ(bm.bmPlanes, 1);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  EXPECT_EQ(b.PixelColour(0, 0), 0u);
  EXPECT_EQ(b.PixelColour(4, 0), 0xFFFFFFu);
  EXPECT_EQ(b.PixelColour(39, 1), 0xFFFFFFu);
  BYTE out[12] = {0};
  EXPECT_EQ(b.GetBitmapBits(12, out), 12u);
  EXPECT_EQ(0, std::memcmp(out, rows, 12));
  EXPECT_EQ(b.GetBitmapBits(4, out), 4u);

  CBitmap none;
  EXPECT_FALSE(none.CreateBitmap(0, 5, 1, 1, nullptr));
  EXPECT_FALSE(none.CreateBitmap(5, 5, 1, 8, nullptr));
  EXPECT_FALSE(none.CreateBitmap(5, 5, 2, 1, nullptr));
  EXPECT_FALSE(none.CreateBitmap(100000, 100000, 1, 32, nullptr));  // too large
  EXPECT_EQ(none.GetSafeHandle(), nullptr);

  // A DC holding a colour bitmap makes colour bitmaps.
  Canvas col(2, 2, 32);
  CBitmap compat;
  ASSERT_TRUE(compat.CreateCompatibleBitmap(&col.dc, 3, 3));
  EXPECT_EQ(compat.BitsPerPixel(), 32);
}

TEST(GdiBitmap, HandleStyleCalls) {
  const BYTE rows[4] = {0x80, 0x00, 0x7F, 0xFF};  // 9 x 2, device rows of 2 bytes
  HBITMAP h = CreateBitmap(9, 2, 1, 1, rows);
  ASSERT_NE(h, nullptr);
  BITMAP bm;
  EXPECT_EQ(GetObject(h, sizeof bm, &bm), static_cast<int>(sizeof bm));
  EXPECT_EQ(bm.bmWidthBytes, 2);
  EXPECT_EQ(GetObject(h, 4, &bm), 0);
  BYTE back[4] = {0};
  EXPECT_EQ(GetBitmapBits(h, 4, back), 4);
  EXPECT_EQ(0, std::memcmp(back, rows, 4));
  // A caller's CBitmap takes the pixels over; the handle is gone.
  CBitmap b;
  ASSERT_TRUE(b.Attach(h));
  EXPECT_EQ(b.PixelColour(0, 0), 0xFFFFFFu);
  EXPECT_EQ(b.PixelColour(0, 1), 0u);
  EXPECT_EQ(b.PixelColour(1, 1), 0xFFFFFFu);
  // And hands them on again.
  HBITMAP d = b.Detach();
  ASSERT_NE(d, nullptr);
  EXPECT_FALSE(b.IsCreated());
  EXPECT_EQ(d->PixelColour(0, 1), 0u);
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CBitmap* old = dc.SelectObject(d);
  EXPECT_TRUE(DeleteObject(d));  // freed while selected: the DC lets go of it
  EXPECT_EQ(dc.GetCurrentBitmap(), old);
  EXPECT_EQ(CreateBitmap(0, 1, 1, 1, nullptr), nullptr);
  // A pen of the caller's own is only emptied.
  CPen pen(PS_SOLID, 2, RGB(1, 2, 3));
  LOGPEN lp;
  EXPECT_EQ(GetObject(&pen, sizeof lp, &lp), static_cast<int>(sizeof lp));
  EXPECT_EQ(lp.lopnWidth.x, 2);
  EXPECT_TRUE(DeleteObject(&pen));
  EXPECT_FALSE(pen.IsCreated());
}

TEST(GdiBitmap, SelectionIsSafe) {
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CBitmap* first = nullptr;
  {
    CBitmap b;
    b.CreateBitmap(4, 4, 1, 1, nullptr);
    first = dc.SelectObject(&b);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(dc.GetCurrentBitmap(), &b);
    // A bitmap cannot be in two DCs at once.
    CDC other;
    other.CreateCompatibleDC(&dc);
    EXPECT_EQ(other.SelectObject(&b), nullptr);
  }  // destroyed while selected: the DC falls back to its own 1x1 bitmap
  EXPECT_EQ(dc.GetCurrentBitmap(), first);
  EXPECT_EQ(dc.GetPixel(3, 3), CLR_INVALID);
  EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 1);

  CBitmap b2;
  b2.CreateBitmap(4, 4, 1, 1, nullptr);
  {
    CDC temp;
    temp.CreateCompatibleDC(nullptr);
    temp.SelectObject(&b2);
  }  // the DC goes first: the bitmap is free again
  EXPECT_NE(dc.SelectObject(&b2), nullptr);
  EXPECT_TRUE(b2.DeleteObject());
  EXPECT_EQ(dc.GetCurrentBitmap(), first);

  // Pens and brushes deleted while selected give way to the stock objects.
  CPen* stock = nullptr;
  {
    CPen p(PS_SOLID, 3, RGB(1, 2, 3));
    stock = dc.SelectObject(&p);
  }
  EXPECT_EQ(dc.GetCurrentPen(), stock);
  {
    CBrush br(RGB(1, 2, 3));
    dc.SelectObject(&br);
  }
  EXPECT_EQ(dc.GetCurrentBrush(), GetStockObject(WHITE_BRUSH));
  // Text state is only kept.
  EXPECT_EQ(dc.SetTextAlign(TA_BASELINE | TA_CENTER), TA_LEFT | TA_TOP);
  EXPECT_EQ(dc.GetTextAlign(), TA_BASELINE | TA_CENTER);
  EXPECT_EQ(dc.SelectObject(static_cast<CFont*>(nullptr)), nullptr);
}

}  // namespace
