// The work-area pages in the real form view: built by the sheet from the page table for the
// field mode, driven through their Qt controls; and screenshots for the developer to look at
// (only with KORVANE_SCREENSHOT_DIR set).
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <cstdlib>

#include "app/korvane_view.h"
#include "files/settings_fixed_field.h"
#include "form_fixture.h"
#include "pages/korvane_property_sheet.h"
#include "platform/ui/qt_control_host.h"
#include "settings_fixture.h"

namespace {

class SettingsForm : public SettingsTest {
 protected:
  void StartView(bool fixed) {
    Start();
    RegisterSettingsPages();
    if (fixed) {
      ApplyFixedFieldModel(doc->m_Settings, 3, 2000, 2000);
      doc->m_Settings.DrawingField.FieldX = 100;
      doc->m_Settings.DrawingField.FieldY = 60;
      CSettingsDrawingArea& a = doc->m_Settings.DrawingArea;
      a.OffsetX = 10, a.OffsetY = 8, a.Width = 30, a.Height = 20, a.OutlineIndex = 5, a.RoundSize = 4;
      doc->m_Settings.DrawingData.ScanAngle = 30;
      doc->m_Settings.DrawingField.PlotIndex = 6;
    }
    doc->m_Settings.System.FixField = fixed ? 1 : 0;
    view = std::make_unique<CKorvaneView>(doc.get());
    view->resize(460, 760);
    view->show();
    view->OnInitialUpdate();
    view->ShowCurrentTypePages(0, TRUE);
    QApplication::processEvents();
  }
  void TearDown() override {
    view.reset();
    SettingsTest::TearDown();
  }
  QWidget* Widget(int page, int id) {
    CKorvanePage* p = view->GetKindPage(TYPE_DRAWING, page);
    if (!p) return nullptr;
    auto* host = dynamic_cast<CQtControlHost*>(p->Host());
    return host ? host->GetControlWidget(id) : nullptr;
  }
  void Save(const char* name) {
    QApplication::processEvents();
    const char* out = std::getenv("KORVANE_SCREENSHOT_DIR");
    if (!out) return;
    EXPECT_TRUE(view->grab().save(QString(out) + "/" + name + ".png"));
  }
  // Replaces an edit's text by typing, key by key, as the operator does.
  static void TypeInto(QLineEdit* edit, const char* text) {
    edit->selectAll();
    for (const char* c = text; *c; ++c) {
      const int key = *c == '-' ? Qt::Key_Minus : *c == '.' ? Qt::Key_Period : Qt::Key_0 + (*c - '0');
      QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(QChar(*c)));
      QApplication::sendEvent(edit, &press);
    }
  }

  QtWarningGuard warnings;
  std::unique_ptr<CKorvaneView> view;
};

TEST_F(SettingsForm, FreeFieldPagesTakeTypedValuesAndClicks) {
  StartView(false);
  ASSERT_NE(dynamic_cast<CPageDrawData*>(view->GetKindPage(TYPE_DRAWING, 0)), nullptr);
  ASSERT_NE(dynamic_cast<CPageDrawArea*>(view->GetKindPage(TYPE_DRAWING, 1)), nullptr);
  ASSERT_NE(dynamic_cast<CPageDrawField*>(view->GetKindPage(TYPE_DRAWING, 2)), nullptr);
  Save("settings_draw_data");
  auto* speed = qobject_cast<QLineEdit*>(Widget(0, 1122));
  ASSERT_NE(speed, nullptr);
  TypeInto(speed, "12");
  EXPECT_EQ(Work().m_pSetting->m_Layers[0].nSpeed, 12);
  EXPECT_EQ(doc->m_Settings.DrawingData.Layer[0].SPEED, 12);
  auto* k2 = qobject_cast<QAbstractButton*>(Widget(0, 1493));
  ASSERT_NE(k2, nullptr);
  k2->click();
  EXPECT_EQ(doc->m_Settings.DrawingData.ChangeXY, 1);
  EXPECT_TRUE(qobject_cast<QAbstractButton*>(Widget(0, 1040))->isChecked());
  view->Sheet().SetActivePage(1);
  Save("settings_draw_area");
  view->Sheet().SetActivePage(2);
  Save("settings_draw_field");
  qobject_cast<QAbstractButton*>(Widget(2, 1144))->click();
  // With K2's swaps: y mirrored, then x and y exchanged.
  EXPECT_EQ(Port(), "PU2800,2800;");
}

// A negative number typed key by key: the lone sign is no value yet; where the field takes
// negatives the number is stored, elsewhere the kept value comes back selected and the rest of the
// typing replaces it. Either way the edit ends showing what is stored.
TEST_F(SettingsForm, TypedNegativeNumbersEndAsStored) {
  StartView(false);
  view->activateWindow();
  auto* homeX = qobject_cast<QLineEdit*>(Widget(0, 1093));
  ASSERT_NE(homeX, nullptr);
  homeX->setFocus();
  TypeInto(homeX, "-1.198");
  EXPECT_DOUBLE_EQ(homeX->text().toDouble(), Work().m_pSetting->m_dHomeX) << homeX->text().toStdString();
  EXPECT_DOUBLE_EQ(Work().m_pSetting->m_dHomeX, 0.198);

  view->Sheet().SetActivePage(1);
  QApplication::processEvents();
  auto* offsetX = qobject_cast<QLineEdit*>(Widget(1, 1057));
  ASSERT_NE(offsetX, nullptr);
  offsetX->setFocus();
  TypeInto(offsetX, "-1.198");
  EXPECT_EQ(offsetX->text().toStdString(), "-1.198");
  EXPECT_DOUBLE_EQ(Work().m_pArea->m_dPosX, -1.198);
}

TEST_F(SettingsForm, FixedFieldPagesShowTheRoundedAreaTurned) {
  StartView(true);
  ASSERT_NE(dynamic_cast<CPageDrawAreaFix*>(view->GetKindPage(TYPE_DRAWING, 0)), nullptr);
  ASSERT_NE(dynamic_cast<CPageDrawDataFix*>(view->GetKindPage(TYPE_DRAWING, 1)), nullptr);
  Save("settings_area_fix");
  auto* combo = qobject_cast<QComboBox*>(Widget(0, 1528));
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->currentIndex(), 1);
  EXPECT_TRUE(Widget(0, 1067)->isVisible());
  combo->setCurrentIndex(2);
  emit combo->activated(2);
  EXPECT_EQ(doc->m_Settings.DrawingArea.OutlineIndex, 1);
  EXPECT_FALSE(Widget(0, 1067)->isVisible());
  view->Sheet().SetActivePage(1);
  Save("settings_data_fix");
}

}  // namespace
