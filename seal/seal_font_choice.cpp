#include "seal/seal_font_choice.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

QStringList CSealFontChoice::Faces() {
  QStringList faces;
  for (const QString& family : QFontDatabase::families(QFontDatabase::Japanese)) {
    if (QFontDatabase::isPrivateFamily(family) || !QFontDatabase::isScalable(family)) continue;
    faces << family;
  }
  faces.sort(Qt::CaseInsensitive);
  faces.removeDuplicates();
  return faces;
}

CSealFontChoice::CSealFontChoice(const QString& face, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromUtf8("フォント"));
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(QString::fromUtf8("フォント名(&F):"), this);
  m_pName = new QLineEdit(this);
  m_pName->setObjectName(QStringLiteral("face"));
  label->setBuddy(m_pName);
  m_pList = new QListWidget(this);
  m_pList->setObjectName(QStringLiteral("faces"));
  m_pList->addItems(Faces());
  m_pSample = new QLabel(QString::fromUtf8("Aaあぁアァ亜宇"), this);
  m_pSample->setAlignment(Qt::AlignCenter);
  m_pSample->setMinimumHeight(48);
  auto* sampleBox = new QGroupBox(QString::fromUtf8("サンプル"), this);
  (new QHBoxLayout(sampleBox))->addWidget(m_pSample);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(label);
  layout->addWidget(m_pName);
  layout->addWidget(m_pList, 1);
  layout->addWidget(sampleBox);
  layout->addWidget(buttons);
  resize(320, 380);

  connect(m_pName, &QLineEdit::textEdited, this, &CSealFontChoice::OnTyped);
  connect(m_pList, &QListWidget::currentTextChanged, this, &CSealFontChoice::OnPicked);
  connect(m_pList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  const QList<QListWidgetItem*> found = m_pList->findItems(face.trimmed(), Qt::MatchFixedString);
  if (!found.isEmpty()) {
    m_pList->setCurrentItem(found.first());
  } else if (m_pList->count() > 0) {
    m_pList->setCurrentRow(0);
  }
  m_pName->setFocus();
  m_pName->selectAll();
}

QString CSealFontChoice::Face() const {
  const QListWidgetItem* item = m_pList->currentItem();
  return item ? item->text() : m_pName->text().trimmed();
}

void CSealFontChoice::OnTyped(const QString& text) {
  // The first face that begins with what is typed, as a combined list box does.
  const QList<QListWidgetItem*> found = m_pList->findItems(text.trimmed(), Qt::MatchStartsWith);
  if (found.isEmpty()) return;
  m_bTyping = true;
  m_pList->setCurrentItem(found.first());
  m_bTyping = false;
  m_pList->scrollToItem(found.first());
}

void CSealFontChoice::OnPicked() {
  const QListWidgetItem* item = m_pList->currentItem();
  if (!item) return;
  if (!m_bTyping) m_pName->setText(item->text());
  m_pSample->setFont(QFont(item->text(), 20));
}

bool ChooseSealFont(QWidget* parent, QString& face) {
  CSealFontChoice dialog(face, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  const QString chosen = dialog.Face();
  if (chosen.isEmpty()) return false;
  face = chosen;
  return true;
}
