// The layer, engrave-layer, output-mode and colour-box dialogs: their code through the test host,
// and each shown for real through the program's dialog service on the offscreen platform, with
// the operator's clicks delivered once the dialog is up.
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QLineEdit>
#include <QTimer>
#include <cstdlib>
#include <functional>

#include "app/qt_modal_dialogs.h"
#include "fake_control_host.h"
#include "form_fixture.h"
#include "model/objectlist.h"
#include "pages/settings_dialogs.h"
#include "res/dialog_154.h"
#include "res/dialog_231.h"
#include "res/dialog_232.h"
#include "settings_fixture.h"
#include "modal_driver.h"

namespace {

using modal::Click;
using modal::WhenShown;

// ---- through the test host -------------------------------------------------------------------

template <class Dialog>
struct Hosted {
  Dialog dialog;
  CFakeControlHost host{*dialog.GetTemplate()};
  Hosted() { dialog.AttachHost(&host); }
};

TEST(LayerDialog, StartsMixedAndOkWithoutChoiceKeepsMinusOne) {
  Hosted<CLayerDlg> d;
  EXPECT_EQ(d.dialog.m_nLayer, -1);
  d.dialog.OnInitDialog();
  for (int id = 1583; id <= 1590; ++id) EXPECT_EQ(d.host.GetCheck(id), 0) << id;
  d.dialog.OnOK();
  EXPECT_EQ(d.dialog.GetResult(), IDOK);
  EXPECT_EQ(d.dialog.m_nLayer, -1);
  Hosted<CLayerDlg> e;
  e.dialog.m_nLayer = 4;
  e.dialog.OnInitDialog();
  EXPECT_EQ(e.host.GetCheck(1587), 1);
  e.host.Click(1590);
  e.dialog.OnOK();
  EXPECT_EQ(e.dialog.m_nLayer, 7);
  COLORREF text = 0, back = 0;
  EXPECT_TRUE(e.dialog.OnCtlColor(1592, text, back));
  EXPECT_EQ(back, 0x0000FFu);
  EXPECT_FALSE(e.dialog.OnCtlColor(1583, text, back));
}

TEST(EngraveLayerDialog, UsedLayersShownLayersAndTheModeButtons) {
  const int used[8] = {1, 0, 0, 1, 0, 0, 0, 0};
  int shown[8] = {1, 1, 1, 0, 1, 1, 1, 1};
  Hosted<CEngraveLayerDlg> d;
  EXPECT_EQ(d.dialog.m_pUsedLayers, nullptr);
  EXPECT_EQ(d.dialog.m_pShownLayers, nullptr);
  // Without the flags nothing is shown or checked.
  d.dialog.CheckUsedLayers();
  d.dialog.CheckShownLayers();
  EXPECT_EQ(d.host.GetCheck(1583), 0);
  d.dialog.m_pUsedLayers = used;
  d.dialog.m_pShownLayers = shown;
  d.dialog.OnInitDialog();
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(d.host.GetCheck(1583 + i), used[i]) << i;
    EXPECT_EQ(d.host.IsWindowVisible(1583 + i), used[i]) << i;
    EXPECT_EQ(d.host.IsWindowVisible(1591 + i), used[i]) << i;
  }
  d.host.Click(1603);  // "表示中のレイヤー"
  EXPECT_EQ(d.host.GetCheck(1586), 0);
  EXPECT_EQ(d.host.GetCheck(1583), 1);
  EXPECT_EQ(d.host.GetCheck(1603), 1);
  d.host.Click(1602);  // "すべてのレイヤー"
  EXPECT_EQ(d.host.GetCheck(1603), 0);
  EXPECT_EQ(d.host.GetCheck(1586), 1);
  d.host.Click(1586);
  EXPECT_EQ(d.host.GetCheck(1602), 0);
  EXPECT_EQ(d.host.GetCheck(1603), 0);
  d.dialog.OnOK();
  EXPECT_EQ(d.dialog.m_nLayer[0], 1);
  EXPECT_EQ(d.dialog.m_nLayer[3], 0);
  // Swatches only for used layers.
  COLORREF text = 0, back = 0;
  EXPECT_TRUE(d.dialog.OnCtlColor(1594, text, back));
  EXPECT_EQ(back, 0xFF0000u);
  EXPECT_FALSE(d.dialog.OnCtlColor(1592, text, back));
}

TEST(OutputModeDialog, OpensWithTheChoicesAndRefusesAnIntervalNotAboveZero) {
  Hosted<COutputModeDialog> d;
  EXPECT_EQ(d.dialog.m_nOutputMode, -1);
  EXPECT_EQ(d.dialog.m_nFillDirection, -1);
  EXPECT_TRUE(d.dialog.m_strScanInterval.IsEmpty());
  d.dialog.m_nOutputMode = 1;
  d.dialog.m_nFillDirection = 1;
  d.dialog.m_strScanInterval = " 0.050";
  EXPECT_TRUE(d.dialog.OnInitDialog());
  EXPECT_EQ(d.host.GetCheck(1470), 1);
  EXPECT_EQ(d.host.GetCheck(1475), 1);
  EXPECT_EQ(d.host.GetDlgItemText(1476).str(), " 0.050");
  for (const char* bad : {"abc", "0", "-1", ""}) {
    d.host.Paste(1476, bad);
    d.dialog.OnOK();
    EXPECT_EQ(d.dialog.GetResult(), IDCANCEL) << bad;
    EXPECT_TRUE(d.host.HasFocus(1476)) << bad;
    EXPECT_EQ(d.dialog.m_strScanInterval.str(), " 0.050");
  }
  d.host.Click(1469);
  d.host.Paste(1476, "0.1");
  d.dialog.OnOK();
  EXPECT_EQ(d.dialog.GetResult(), IDOK);
  EXPECT_EQ(d.dialog.m_nOutputMode, 0);
  EXPECT_EQ(d.dialog.m_strScanInterval.str(), "0.1");
}

// ---- shown through the service ------------------------------------------------------------------

class ShownDialogs : public ::testing::Test {
 protected:
  // A picture for the developer (only with KORVANE_SCREENSHOT_DIR set).
  static void Shot(QDialog& d, const char* name) {
    const char* out = std::getenv("KORVANE_SCREENSHOT_DIR");
    if (!out) return;
    QApplication::processEvents();
    EXPECT_TRUE(d.grab().save(QString(out) + "/" + name + ".png"));
  }
  static QWidget* Control(QDialog& d, int id) { return d.findChild<QWidget*>(QString::number(id)); }
  static QRgb SwatchPixel(QDialog& d, int id) {
    QWidget* w = Control(d, id);
    if (!w) return 0;
    const QImage image = w->grab().toImage();
    return image.pixel(image.width() / 2, image.height() / 2) & 0xFFFFFF;
  }

  QtWarningGuard warnings;
  CQtModalDialogs service;
};

TEST_F(ShownDialogs, LayerDialogRoundTripWithColouredSwatches) {
  LayerDialogData data;
  data.layer = 2;
  QRgb swatch1 = 0, swatch7 = 0;
  bool checked = false;
  WhenShown([&](QDialog& d) {
    Shot(d, "dialog_layer");
    swatch1 = SwatchPixel(d, 1592);
    swatch7 = SwatchPixel(d, 1598);
    checked = static_cast<QAbstractButton*>(Control(d, 1585))->isChecked();
    Click(d, 1588);
    Click(d, IDOK);
  });
  ASSERT_TRUE(service.LayerDialog(data));
  EXPECT_TRUE(checked);
  EXPECT_EQ(data.layer, 5);
  EXPECT_EQ(swatch1, 0xFF0000u);  // layer 1: COLORREF 0x0000FF is red
  EXPECT_EQ(swatch7, 0x000080u);  // layer 7: COLORREF 0x800000 is dark blue
  WhenShown([&](QDialog& d) {
    Click(d, 1583);
    Click(d, IDCANCEL);
  });
  EXPECT_FALSE(service.LayerDialog(data));
  EXPECT_EQ(data.layer, 5);
}

TEST_F(ShownDialogs, EngraveLayerOutputModeAndColourBoxRoundTrips) {
  EngraveLayerDialogData layers;
  layers.used[0] = layers.used[3] = 1;
  for (int& s : layers.shown) s = 1;
  layers.shown[3] = 0;
  QRgb usedSwatch = 0, unusedSwatch = 0;
  bool hidden = false;
  WhenShown([&](QDialog& d) {
    Shot(d, "dialog_engrave_layer");
    usedSwatch = SwatchPixel(d, 1594);
    hidden = !Control(d, 1592)->isVisible();
    unusedSwatch = SwatchPixel(d, 1592);
    Click(d, 1603);
    Click(d, IDOK);
  });
  ASSERT_TRUE(service.EngraveLayerDialog(layers));
  EXPECT_EQ(usedSwatch, 0x0000FFu);  // layer 3: COLORREF 0xFF0000 is blue
  EXPECT_TRUE(hidden);
  (void)unusedSwatch;
  EXPECT_EQ(layers.checks[0], 1);
  EXPECT_EQ(layers.checks[3], 0);
  EXPECT_EQ(layers.checks[1], 0);

  OutputModeDialogData mode;
  mode.outputMode = 2;
  mode.fillDirection = 0;
  mode.scanInterval = " 0.050";
  WhenShown([&](QDialog& d) {
    Shot(d, "dialog_output_mode");
    auto* edit = qobject_cast<QLineEdit*>(Control(d, 1476));
    ASSERT_NE(edit, nullptr);
    edit->setText("abc");
    Click(d, IDOK);  // refused: the dialog stays
    edit->setText("0.2");
    Click(d, 1475);
    Click(d, IDOK);
  });
  ASSERT_TRUE(service.OutputModeDialog(mode));
  EXPECT_EQ(mode.outputMode, 2);
  EXPECT_EQ(mode.fillDirection, 1);
  EXPECT_EQ(mode.scanInterval.str(), "0.2");
  WhenShown([&](QDialog& d) { Click(d, IDCANCEL); });
  EXPECT_FALSE(service.OutputModeDialog(mode));
  EXPECT_EQ(mode.scanInterval.str(), "0.2");

  ColorBoxDialogData colour;
  WhenShown([&](QDialog& d) {
    Shot(d, "dialog_color_box");
    Click(d, 1589);
    Click(d, IDOK);
  });
  ASSERT_TRUE(service.ColorBoxDialog(colour));
  EXPECT_EQ(colour.color, 6);
}

// ---- the document's commands with the dialogs' answers ----------------------------------------

class ScriptedDialogs : public CountingDialogs {
 public:
  bool LayerDialog(LayerDialogData& data) override {
    seenLayer = data.layer;
    data.layer = answerLayer;
    return true;
  }
  int seenLayer = -2;
  int answerLayer = -1;
};

using LayerCommand = SettingsTest;

TEST_F(LayerCommand, MixedSelectionAnsweredWithoutChoiceChangesNothing) {
  Start();
  ScriptedDialogs scripted;
  SetModalDialogs(&scripted);
  doc->AddNewObject(TYPE_RECTANGLE);
  doc->AddNewObject(TYPE_CIRCLE);
  List().SetObjectLayer(1, 2);
  List().SetObjectLayer(2, 4);
  const int flags[2] = {1, 1};
  doc->SetMultiSelection(flags, 2);
  doc->OnLayerDialog();
  EXPECT_EQ(scripted.seenLayer, -1);
  EXPECT_EQ(List().GetObjectLayer(1), 2);
  EXPECT_EQ(List().GetObjectLayer(2), 4);
  scripted.answerLayer = 6;
  doc->OnLayerDialog();
  EXPECT_EQ(List().GetObjectLayer(1), 6);
  EXPECT_EQ(List().GetObjectLayer(2), 6);
  SetModalDialogs(&dialogs);
}

}  // namespace
