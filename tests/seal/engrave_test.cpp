// A personal seal engraved end to end: the job that reaches the port draws the seal's frame at its
// size on the machine, and the threaded engine sends the same stream.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "canvas/leftview.h"
#include "imaging/monobmp.h"
#include "machine_simulator.h"
#include "model/bmpobject.h"
#include "model/textobject.h"
#include "output/engrave_engine.h"
#include "output/thread_engrave_engine.h"
#include "seal/seal_parts.h"
#include "seal_fixture.h"

namespace {

class SealEngraveTest : public SealTest {
 protected:
  void SetUp() override {
    SealTest::SetUp();
    port = dir.File("lpt1.out");
    setenv("DRAVENTIS_LPT1", port.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("DRAVENTIS_LPT1");
    SealTest::TearDown();
  }
  std::string Run(bool threaded) {
    int zoom = -1;
    if (threaded) {
      CThreadEngraveEngine engine;
      EXPECT_EQ(engine.Attach(doc.get(), view.get(), nullptr), 1);
      EXPECT_EQ(engine.Start(&zoom), 1);
      engine.WaitForWorker();
    } else {
      CEngraveEngine engine;
      EXPECT_EQ(engine.Attach(doc.get(), view.get()), 1);
      EXPECT_EQ(engine.Start(&zoom), 1);
    }
    view->RestoreZoom(doc.get(), zoom);
    view->SetRenderMode(RENDER_SCREEN);
    std::ifstream in(port, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    std::remove(port.c_str());
    return bytes;
  }
  std::string port;
};

TEST_F(SealEngraveTest, APersonalSealEngravesItsFrameAtItsSize) {
  BuildPersonal(0, 18, 18, 0, {U("山田")});
  doc->m_Settings.DrawingArea.OutStyleIndex = 0;
  doc->m_Settings.DrawingArea.DPM = 20;
  const std::string stream = Run(false);
  ASSERT_FALSE(stream.empty());
  EXPECT_EQ(Run(true), stream);

  CMachineSimulator sim(-1000, -1000, 6000, 6000);
  ASSERT_TRUE(sim.Run(stream)) << sim.Error();
  EXPECT_EQ(sim.OutsideCount(), 0);
  int left = 1 << 30, right = -(1 << 30), bottom = 1 << 30, top = -(1 << 30);
  long marked = 0;
  for (int r = 0; r < sim.Height(); ++r)
    for (int k = 0; k < sim.Width(); ++k)
      if (sim.IsMarked(sim.Left() + k, sim.Bottom() + r)) {
        ++marked;
        left = std::min(left, k);
        right = std::max(right, k);
        bottom = std::min(bottom, r);
        top = std::max(top, r);
      }
  ASSERT_GT(marked, 0);
  // The 18 mm frame circle spans 720 machine units each way; its pen width may add a little.
  EXPECT_NEAR(right - left, 720, 40);
  EXPECT_NEAR(top - bottom, 720, 40);
}

// Whether pixel (x, y) of a 1-bit image (row 0 at the top) is ink.
bool Ink(const std::vector<BYTE>& image, int x, int y) {
  const int w = MonoBmpFile::Width(image.data());
  const int h = MonoBmpFile::Height(image.data());
  const std::size_t stride = MonoBmpFile::Stride(w);
  // Rows are stored bottom up.
  const std::size_t row = static_cast<std::size_t>(h - 1 - y);
  return !((image[MonoBmpFile::kHeaderSize + row * stride + x / 8] >> (7 - x % 8)) & 1);
}

// The inner text turned into an image and engraved: the characters the image holds are what the
// machine marks inside the frame, in both engraving styles.
TEST_F(SealEngraveTest, AConvertedSealMarksItsCharacters) {
  BuildPersonal(0, 18, 18, 0, {U("山田")});
  doc->ConvertInnerTextToImage(0);
  auto images = LivePart(SEAL_PART_INNER_TEXT, TYPE_BMP);
  ASSERT_EQ(images.size(), 1u);
  ASSERT_TRUE(LivePart(SEAL_PART_INNER_TEXT, TYPE_TEXT1).empty());
  const auto* bmp = static_cast<CBmpObject*>(images[0]);
  const std::vector<BYTE> image(bmp->GetImage(), bmp->GetImage() + bmp->GetImageLength());
  const int w = MonoBmpFile::Width(image.data());
  const int h = MonoBmpFile::Height(image.data());
  ASSERT_EQ(w, 720);  // one pixel per machine unit over the 18 mm seal
  ASSERT_EQ(h, 720);
  doc->m_Settings.DrawingArea.DPM = 40;

  for (int style : {0, 1}) {
    SCOPED_TRACE(style == 0 ? "outline" : "raster");
    doc->m_Settings.DrawingArea.OutStyleIndex = style;
    const std::string stream = Run(false);
    ASSERT_FALSE(stream.empty());
    CMachineSimulator sim(-1000, -1000, 6000, 6000);
    ASSERT_TRUE(sim.Run(stream)) << sim.Error();
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    ASSERT_TRUE(sim.MarkBox(x0, y0, x1, y1));
    // The frame circle gives the box: its centre is the seal's centre.
    EXPECT_NEAR(x1 - x0, 720, 40);
    EXPECT_NEAR(y1 - y0, 720, 40);
    const int cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    // Inside 80 % of the radius lie only the characters, away from the frame.
    const double inner = 0.8 * 360;
    long marked = 0, markedOnInk = 0, ink = 0, inkMarked = 0;
    for (int iy = 0; iy < h; ++iy)
      for (int ix = 0; ix < w; ++ix) {
        const double dx = ix + 0.5 - w / 2.0, dy = h / 2.0 - iy - 0.5;
        if (dx * dx + dy * dy > inner * inner) continue;
        const int mx = cx - w / 2 + ix, my = cy + h / 2 - iy;
        const bool isInk = Ink(image, ix, iy);
        // The machine's mark may sit a pen's width beside the image's edge.
        bool near = false;
        for (int ky = -3; ky <= 3 && !near; ++ky)
          for (int kx = -3; kx <= 3 && !near; ++kx)
            near = Ink(image, std::clamp(ix + kx, 0, w - 1), std::clamp(iy + ky, 0, h - 1));
        if (isInk) ++ink;
        if (sim.IsMarked(mx, my)) {
          ++marked;
          if (near) ++markedOnInk;
          if (isInk) ++inkMarked;
        }
      }
    ASSERT_GT(ink, 5000);  // two characters of 9 x 18 mm
    EXPECT_GT(marked, 1000);
    // Marks fall on the characters, not elsewhere inside the frame.
    EXPECT_GT(markedOnInk, marked * 95 / 100) << markedOnInk << " of " << marked;
    if (style == 1) {
      // Scanned line by line: the marks cover the characters' strokes much as the image does.
      EXPECT_GT(inkMarked, ink * 90 / 100) << inkMarked << " of " << ink;
      EXPECT_LT(marked, ink * 110 / 100);
    }
  }
}

// A counter set on a text before the seal rides on the text prototype; the seal's characters
// are built without it, so every job engraves the name and no serial replaces it.
TEST_F(SealEngraveTest, ASealMadeAfterACounterEngravesItsNameEveryTime) {
  doc->AddNewObject(TYPE_TEXT1);
  ASSERT_EQ(doc->SetPropertyCheck(1502, 1, -1), 1);
  ASSERT_EQ(static_cast<CText1Object*>(List().GetPrototype(TYPE_TEXT1))->m_bCountUp, 1);
  for (bool corporate : {false, true}) {
    SCOPED_TRACE(corporate ? "corporate" : "personal");
    g_bModified = 0;  // no save question before the seal replaces the design
    if (corporate)
      BuildCorporate(U("株式会社"), U("代表"));
    else
      BuildPersonal(0, 18, 18, 0, {U("山田")});
    auto texts = LivePart(SEAL_PART_INNER_TEXT, TYPE_TEXT1);
    ASSERT_EQ(texts.size(), 2u);
    std::vector<CString> shown;
    for (CDrawObject* o : texts) {
      EXPECT_EQ(static_cast<CText1Object*>(o)->m_bCountUp, 0);
      shown.push_back(static_cast<CText1Object*>(o)->m_strText);
    }
    const std::vector<CString> name = corporate ? std::vector<CString>{U("代"), U("表")} : std::vector<CString>{U("山"), U("田")};
    EXPECT_EQ(shown, name);
    doc->m_Settings.DrawingArea.OutStyleIndex = 0;
    std::string first;
    for (int job = 0; job < 2; ++job) {
      prompter.ExpectMessage(IDOK, U("レーザー出力を確認してください"));
      doc->StartEngraving();
      std::ifstream in(port, std::ios::binary);
      const std::string stream((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      in.close();
      std::remove(port.c_str());
      ASSERT_FALSE(stream.empty());
      if (job == 0) first = stream;
      EXPECT_EQ(stream, first) << "job " << job;
      for (std::size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(static_cast<CText1Object*>(texts[i])->m_strText, shown[i]) << "after job " << job;
    }
  }
}

}  // namespace
