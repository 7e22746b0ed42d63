// The three seal dialogs: the seal kind, the personal seal and the corporate seal. Each works on
// a copy of the document's values; the program's dialog service copies them back (see
// IModalDialogs), so that a cancelled dialog leaves the document as it was.
#pragma once

#include <QImage>
#include <QString>

#include "platform/ui/dialog.h"
#include "platform/ui/modal_dialogs.h"

class QObject;
class QWidget;

namespace seal {

// The engraving-style picture: the seven styles side by side, 470 x 150 pixels.
inline constexpr int STYLE_PICTURE_WIDTH = 470;
inline constexpr int STYLE_PICTURE_HEIGHT = 150;
QImage StylePicture();
// The style under a click d pixels right of the picture's left edge.
int StyleAtPicture(int d);
// A strict number as a dialog box reads it: blanks around one decimal number and nothing else.
bool ParseDialogNumber(const CString& text, double& value);

}  // namespace seal

// What both seal dialogs share: the style combo and picture, numbers in edits, the widget
// behind a control when the dialog runs over Qt.
class CSealDialogBase : public CDialog {
 public:
  using CDialog::CDialog;
  ~CSealDialogBase() override;

  int GetStyle() const { return m_nStyle; }
  // A click on the style picture, d pixels right of its left edge.
  virtual void OnClickStylePicker(int d);
  void OnEditchangeStyleCombo() {}

 protected:
  // Fills the style combo (nothing selected), shows the picture and makes the editable
  // combos editable.
  void InitStyleControls(std::initializer_list<int> editableCombos);
  QWidget* Widget(int id) const;
  // The control's text as typed (Unicode), or its code-page-932 text without Qt widgets.
  QString UnicodeText(int id) const;
  // Refuses a text with a character code page 932 cannot hold; true when all may go.
  bool CheckCp932(std::initializer_list<int> ids);
  void SetNumber(int id, double value);
  // Reads a number; a text that is not one, or one outside [low, high] when ranged, shows the
  // dialog box's message, focuses the edit and returns false.
  bool GetNumber(int id, double& value, bool ranged = false, double low = 0.0, double high = 0.0);
  BOOL OnCommand(int id, int code) override;

  int m_nStyle = 0;

 private:
  QObject* m_pPicker = nullptr;
};

// Dialog 266: personal or corporate seal. kind stays -1 while no radio is checked.
class CSealKindDialog : public CDialog {
 public:
  explicit CSealKindDialog(QWidget* parent = nullptr);
  BOOL OnInitDialog() override;
  void OnOK() override;
  int m_nKind = -1;
};

// Dialog 257: the personal seal.
class CPersonalSealDialog : public CSealDialogBase {
 public:
  explicit CPersonalSealDialog(const PersonalSealDialogData& data, QWidget* parent = nullptr);
  BOOL OnInitDialog() override;
  void OnOK() override;
  BOOL OnCommand(int id, int code) override;
  void OnClickStylePicker(int d) override;

  // Shows the corner-radius controls for the square shape only.
  void ShowShapeControls(int shape);
  void SelectShape(int shape);
  void OnChooseFont();

  PersonalSealDialogData m_Data;
};

// Dialog 267: the corporate seal.
class CCorporateSealDialog : public CSealDialogBase {
 public:
  explicit CCorporateSealDialog(const CorporateSealDialogData& data, QWidget* parent = nullptr);
  BOOL OnInitDialog() override;
  void OnOK() override;
  BOOL OnCommand(int id, int code) override;
  void OnClickStylePicker(int d) override;

  void UpdateInnerControls();
  // A face from the font dialog into a list (changed in place) and its combo.
  void ChooseFontInto(CString* list, int comboId);
  void OnBrowseInnerImage();
  // The image combo is shown red while its file does not exist.
  void DrawInnerImagePreview();
  bool IsInnerImageMissing() const { return m_bImageMissing; }

  CorporateSealDialogData m_Data;

 private:
  bool m_bImageMissing = false;
};
