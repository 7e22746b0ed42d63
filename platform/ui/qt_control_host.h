// The control host over Qt widgets: builds a dialog template's controls as children of a
// widget and keeps the Win32 notification rules (see control_host.h).
#pragma once

#include <QFont>
#include <QObject>
#include <QPoint>
#include <map>

#include "platform/ui/control_host.h"

class QWidget;
class CSpinButtonCtrl;

class CQtControlHost : public QObject, public IControlHost {
  Q_OBJECT
 public:
  // Creates the template's controls on `parent` (which keeps owning them).
  CQtControlHost(const DlgTemplate& tpl, QWidget* parent);
  ~CQtControlHost() override;

  // The font every dialog is laid out with, and its base units in pixels.
  static QFont DialogFont();
  static QPoint DialogBaseUnits();
  // A rectangle in dialog units -> pixels.
  static QRect DluToPixels(int x, int y, int cx, int cy);
  // The pixel size of the whole template.
  static QSize TemplateSize(const DlgTemplate& tpl);

  QWidget* GetControlWidget(int id) const;
  CSpinButtonCtrl* GetSpin(int id) const;

  void SetOwner(IControlOwner* owner) override { m_pOwner = owner; }
  BOOL HasControl(int id) const override { return m_controls.count(id) != 0; }
  void SetDlgItemText(int id, const CString& text) override;
  void SelectTypedText(int id) override;
  CString GetDlgItemText(int id) const override;
  void SetCheck(int id, int state) override;
  int GetCheck(int id) const override;
  void CheckRadioButton(int first, int check) override;
  int GetCheckedRadioButton(int first) const override;
  void ResetContent(int id) override;
  int AddString(int id, const CString& text) override;
  int DeleteString(int id, int row) override;
  int InsertString(int id, int row, const CString& text) override;
  int GetCount(int id) const override;
  int GetCurSel(int id) const override;
  int SetCurSel(int id, int row) override;
  CString GetText(int id, int row) const override;
  void SetProgressRange(int id, int low, int high) override;
  void SetProgressPos(int id, int pos) override;
  int GetProgressPos(int id) const override;
  void SetBase(int id, int base) override;
  void SetRange32(int id, int low, int high) override;
  void SetPos32(int id, int pos) override;
  int GetPos32(int id) const override;
  void SetAccel(int id, const std::vector<UDACCEL>& accel) override;
  void ShowWindow(int id, BOOL show) override;
  BOOL IsWindowVisible(int id) const override;
  void EnableWindow(int id, BOOL enable) override;
  BOOL IsWindowEnabled(int id) const override;
  void SetFocus(int id) override;
  BOOL HasFocus(int id) const override;
  void Invalidate(int id) override;
  CRect GetClientRect(int id) const override;
  void SetFont(int id, int pixelHeight, BOOL bold, const CString& face) override;
  void SetReadOnly(int id, BOOL readOnly) override;
  BOOL IsReadOnly(int id) const override;
  void SetSliderRange(int id, int min, int max) override;
  void SetSliderPos(int id, int pos) override;
  void SetButtonImage(int id, const QImage& image) override;
  int GetSliderPos(int id) const override;
  void SetSliderTicFreq(int id, int freq) override;

 private:
  struct Control {
    ControlKind kind;
    QWidget* widget;
    int group;  // radios: the group's first id
  };
  const Control* Find(int id, ControlKind kind) const;
  const Control* FindList(int id) const;
  void Command(int id, int code);
  void RadioClicked(int id);
  void ApplyColors(int id);

  std::map<int, Control> m_controls;
  IControlOwner* m_pOwner = nullptr;
  int m_nSilent = 0;  // > 0 while code changes a control
};
