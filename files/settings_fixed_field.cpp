#include "files/settings_fixed_field.h"

#include "platform/prompter.h"

namespace {

void ShowNotice(const char* textUtf8, const char* captionUtf8) {
  Prompter().MessageBox(CString::FromUtf8(textUtf8), CString::FromUtf8(captionUtf8), MB_OK);
}

void NoticeRestart() {
  ShowNotice("フィールド原点設定ウィザードの設定を有効にするには\nアプリケーションを再起動してください", "確認");
}

void NoticeCancelled() { ShowNotice("フィールド原点設定ウィザードはキャンセルされました", "確認"); }

}  // namespace

int IsFieldFixed(const CKorvaneSettings& settings) { return settings.System.FixField; }

int ToggleFieldFixed(CKorvaneSettings& settings) {
  int old = settings.System.FixField;
  if (old) {
    settings.System.FixField = 0;
    settings.System.DrawX = 42000;
    settings.System.DrawY = 24000;
  } else {
    settings.System.FixField = 1;
  }
  return old;
}

CDoubleSize GetFixedFieldSize(const CKorvaneSettings& settings) {
  if (!settings.System.FixField) return CDoubleSize(0.0, 0.0);
  return CDoubleSize(settings.DrawingField.FieldX, settings.DrawingField.FieldY);
}

void ApplyFixedFieldModel(CKorvaneSettings& settings, int model, int originX, int originY) {
  if (model < 1 || model > 3) return;
  CSettingsSystem& sys = settings.System;
  CSettingsDrawingData& data = settings.DrawingData;
  CSettingsDrawingField& field = settings.DrawingField;
  sys.FieldMachine = model;
  sys.FieldOriginX = originX;
  sys.FieldOriginY = originY;
  sys.FixField = 1;
  const double x = originX * 0.025;
  const double y = originY * 0.025;
  switch (model) {
    case 1:
      data.ChangeXY = 1;
      data.ChangeX = 0;
      data.ChangeY = 1;
      sys.DrawX = 10000;
      sys.DrawY = 8000;
      field.FieldX = (12000 - originX) * 0.025;
      field.FieldY = 80.0 - y;
      break;
    case 2:
      data.ChangeXY = 1;
      data.ChangeX = 0;
      data.ChangeY = 1;
      sys.DrawX = 18000;
      sys.DrawY = 24000;
      field.FieldX = 180.0 - x;
      field.FieldY = 240.0 - y;
      break;
    default:
      data.ChangeXY = 0;
      data.ChangeX = 0;
      data.ChangeY = 0;
      sys.DrawX = 42000;
      sys.DrawY = 25700;
      field.FieldX = 420.0 - x;
      field.FieldY = y;
      break;
  }
  field.OffsetX = 0.0;
  field.OffsetY = 0.0;
}

int RunOriginWizardFix(CKorvaneSettings& settings, int model, IOriginWizardRunner& wizard) {
  int originX = 0, originY = 0;
  if (!wizard.RunFix(model, originX, originY)) {
    NoticeCancelled();
    return 0;
  }
  ApplyFixedFieldModel(settings, model, originX, originY);
  NoticeRestart();
  return 1;
}

void RunOriginWizard(CKorvaneSettings& settings, IOriginWizardRunner& wizard) {
  if (settings.MachineModel != 0) {
    RunOriginWizardFix(settings, settings.MachineModel, wizard);
    return;
  }
  int model = 0, originX = 0, originY = 0;
  if (!wizard.Run(model, originX, originY)) {
    NoticeCancelled();
    return;
  }
  ApplyFixedFieldModel(settings, model, originX, originY);
  NoticeRestart();
}

void CheckFieldOrigin(CKorvaneSettings& settings, IOriginWizardRunner& wizard) {
  if (settings.MachineModel == 0 || settings.System.FieldMachine != 0) return;
  ShowNotice("フィールド原点の設定を行います", "フィールド原点の設定");
  RunOriginWizardFix(settings, settings.MachineModel, wizard);
}
