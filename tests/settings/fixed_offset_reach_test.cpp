// Offsets of the fixed-field scanning area that no machine reaches are refused, never sent, and
// values a file carries there paint a preview without overflow.
#include <limits>
#include <string>

#include "files/settings_fixed_field.h"
#include "memory_page.h"
#include "platform/numfmt.h"
#include "res/dialog_190.h"
#include "settings_fixture.h"

namespace {

class FixedOffsetReach : public SettingsTest {
 protected:
  void SetUp() override {
    SettingsTest::SetUp();
    Start();
    ApplyFixedFieldModel(doc->m_Settings, 3, 400, 800);
    CSettingsDrawingArea& a = doc->m_Settings.DrawingArea;
    a.OffsetX = 5, a.OffsetY = 6, a.Width = 20, a.Height = 10;
  }
};

TEST_F(FixedOffsetReach, AnOffsetNoMachineReachesIsRefusedAndNeverSent) {
  using namespace dlg190;
  Driven<CPageDrawAreaFix> d;
  Show(d.page, d.host);
  d.host.Click(IDC_MOVE_ON_CHANGE);
  ASSERT_EQ(doc->m_bMoveOnChange, 1);
  Port();
  d.host.Paste(IDC_OFFSET_X, "99999999999");
  EXPECT_EQ(doc->m_Settings.DrawingArea.OffsetX, 5.0);
  EXPECT_EQ(Text(d.host, IDC_OFFSET_X), " 5.000");
  const std::string sent = Port();
  EXPECT_EQ(sent.find("2147483647"), std::string::npos) << sent;
  // If anything moves, it moves to the kept position.
  if (!sent.empty()) {
    EXPECT_EQ(sent, numfmt::Format("PU%d,%d;", doc->GetAnchorModel3(0).x, doc->GetAnchorModel3(0).y));
  }

  // The setter itself, as any caller reaches it.
  for (double v : {std::numeric_limits<double>::infinity(), 99999999999.0, 1e300, 10000.001,
                   std::numeric_limits<double>::quiet_NaN(), -1.0}) {
    SCOPED_TRACE(v);
    EXPECT_EQ(doc->SetDoubleProperty(IDC_OFFSET_X, v), 0);
    EXPECT_EQ(doc->SetDoubleProperty(IDC_OFFSET_Y, v), 0);
    EXPECT_EQ(doc->m_dReplyDouble, 6.0);
  }
  // Far beyond every bed, yet still a place: taken.
  EXPECT_EQ(doc->SetDoubleProperty(IDC_OFFSET_X, 10000.0), 1);
}

TEST_F(FixedOffsetReach, APreviewOfValuesFromAFileStaysDefined) {
  Driven<CPageDrawAreaFix> d;
  Show(d.page, d.host);
  MemoryPage page(200, 100, 32);
  page.dc()->SetMapMode(MM_TEXT);
  CSettingsDrawingArea& a = doc->m_Settings.DrawingArea;
  for (double v : {1e300, -1e300, 1e9, -1e242}) {
    SCOPED_TRACE(v);
    for (int shape = 0; shape <= 5; ++shape) {
      a.OffsetX = a.OffsetY = a.Width = a.Height = a.RoundSize = v;
      a.OutlineIndex = shape;
      for (int angle : {0, 30}) {
        doc->m_Settings.DrawingData.ScanAngle = angle;
        d.page.DrawPreview(*page.dc(), CRect(0, 0, 200, 100));
      }
    }
  }
}

}  // namespace
