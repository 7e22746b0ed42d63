// The seal dialogs' font choice: a Japanese scalable face by name. A seal's characters are sized
// by the seal's own layout, so neither style nor size is asked.
#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QLineEdit;
class QListWidget;

class CSealFontChoice : public QDialog {
  Q_OBJECT
 public:
  explicit CSealFontChoice(const QString& face, QWidget* parent = nullptr);
  // The face chosen: the name in the field (a pick from the list puts it there), kept as it is
  // while it is installed or stands for an installed face; otherwise the nearest installed face
  // of the same style (Mincho for Mincho), which the dialog names.
  QString Face() const;
  // That rule on its own: `note` (when given) says what was put in place of the name.
  static QString Resolve(const QString& name, QString* note = nullptr);
  // The faces offered: scalable families that write Japanese, sorted, without private ones.
  static QStringList Faces();

 private:
  void OnTyped(const QString& text);
  void OnPicked();
  void ShowNote();

  QLineEdit* m_pName = nullptr;
  QListWidget* m_pList = nullptr;
  QLabel* m_pSample = nullptr;
  QLabel* m_pNote = nullptr;  // names the face that stands in for one not installed
  bool m_bTyping = false;  // the list follows the name field, not the other way round
};

// Runs the choice modally from `face`; true on OK with `face` changed.
bool ChooseSealFont(QWidget* parent, QString& face);
