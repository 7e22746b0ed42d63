// A personal seal engraved end to end: the job that reaches the port draws the seal's frame at its
// size on the machine, and the threaded engine sends the same stream.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "canvas/leftview.h"
#include "machine_simulator.h"
#include "output/engrave_engine.h"
#include "output/thread_engrave_engine.h"
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

}  // namespace
