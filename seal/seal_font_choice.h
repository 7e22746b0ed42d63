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
  // The face chosen (the list's current entry, else what is typed).
  QString Face() const;
  // The faces offered: scalable families that write Japanese, sorted, without private ones.
  static QStringList Faces();

 private:
  void OnTyped(const QString& text);
  void OnPicked();

  QLineEdit* m_pName = nullptr;
  QListWidget* m_pList = nullptr;
  QLabel* m_pSample = nullptr;
  bool m_bTyping = false;  // the list follows the name field, not the other way round
};

// Runs the choice modally from `face`; true on OK with `face` changed.
bool ChooseSealFont(QWidget* parent, QString& face);
