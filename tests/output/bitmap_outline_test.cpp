// A bitmap object engraved by its outline lies where its raster lies: both jobs go through the
// real canvas view into the machine simulator, and the boxes of their marks agree within one
// raster dot, plain, mirrored and as a grid of copies.
#include <cstdlib>
#include <string>

#include "engrave_fixture.h"
#include "imaging/monobmp.h"
#include "model/bmpobject.h"
#include "model/machine_units.h"

namespace {

constexpr int kImageW = 48, kImageH = 30;

// Ink (x to the right, y down from the top row): columns 6 to 47 of rows 0 to 23, with a hole
// and the top-left corner cut on a slant, so that every mirror moves the box.
bool Ink(int x, int y) {
  const bool hole = x >= 20 && x < 30 && y >= 8 && y < 16;
  return x >= 6 && y < 24 && x + y >= 12 && !hole;
}

std::vector<BYTE> Picture() {
  std::vector<BYTE> image = MonoBmpFile::Create(kImageW, kImageH);
  const size_t stride = static_cast<size_t>(MonoBmpFile::Stride(kImageW));
  for (int y = 0; y < kImageH; ++y)
    for (int x = 0; x < kImageW; ++x)
      if (Ink(x, y))  // rows are stored bottom-up; a 0 bit is ink
        image[MonoBmpFile::kHeaderSize + static_cast<size_t>(kImageH - 1 - y) * stride + x / 8] &=
            static_cast<BYTE>(~(0x80 >> (x % 8)));
  return image;
}

struct Box {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

class BitmapOutline : public ViewEngraveTest {
 protected:
  void SetUp() override {
    ViewEngraveTest::SetUp();
    bmp = doc.GetObjectList()->AddBmpFromImage(Picture());
    ASSERT_NE(bmp, nullptr);
    bmp->m_dWidth = 12;
    bmp->m_dHeight = 7.5;
    bmp->m_dPosX = -10;
    bmp->m_dPosY = 5;
    bmp->m_nOutputMode = 2;
    S().DrawingField.FieldX = 100;
    S().DrawingField.FieldY = 100;
    S().DrawingArea.Width = 90;
    S().DrawingArea.Height = 90;
  }
  // The box of the marks of one job, in machine units.
  Box Marks(int outStyle, int dpm) {
    S().DrawingArea.DPM = dpm;
    S().DrawingArea.Span = 1.0 / dpm;  // every row of dots
    const CMachineSimulator sim = SimulateJob(outStyle);
    Box b;
    EXPECT_TRUE(sim.MarkBox(b.x0, b.y0, b.x1, b.y1));
    return b;
  }

  CBmpObject* bmp = nullptr;
};

}  // namespace

TEST_F(BitmapOutline, OutlineAndRasterBoxesAgreeWithinOneRasterDot) {
  struct Case {
    const char* name;
    int mirrorX, mirrorY, rows, columns;
  };
  const Case cases[] = {{"plain", 0, 0, 1, 1}, {"mirrored in x", 1, 0, 1, 1}, {"mirrored in y", 0, 1, 1, 1},
                        {"2 x 2 grid", 0, 0, 2, 2}, {"mirrored 2 x 2 grid", 1, 1, 2, 2}};
  for (const Case& c : cases) {
    bmp->m_bMirrorX = c.mirrorX;
    bmp->m_bMirrorY = c.mirrorY;
    bmp->m_nRows = c.rows;
    bmp->m_nColumns = c.columns;
    for (int dpm : {20, 40}) {
      const std::string what = std::string(c.name) + " at DPM " + std::to_string(dpm);
      const Box outline = Marks(0, dpm);
      const Box raster = Marks(1, dpm);
      const int dot = MACHINE_UNITS_PER_MM / dpm;
      EXPECT_LE(std::abs(outline.x0 - raster.x0), dot) << what;
      EXPECT_LE(std::abs(outline.x1 - raster.x1), dot) << what;
      EXPECT_LE(std::abs(outline.y0 - raster.y0), dot) << what;
      EXPECT_LE(std::abs(outline.y1 - raster.y1), dot) << what;
      // The outline runs on the pixel edges: 42 of 48 columns of 12 mm, 24 of 30 rows of 7.5 mm
      // per copy, the copies 1 mm apart.
      EXPECT_NEAR(outline.x1 - outline.x0, 420 + (c.columns - 1) * (480 + 40), 1) << what;
      EXPECT_NEAR(outline.y1 - outline.y0, 240 + (c.rows - 1) * (300 + 40), 1) << what;
    }
  }
}
