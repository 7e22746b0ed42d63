#include "seal/seal_font_choice.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "model/kinds.h"
#include "platform/cp932.h"
#include "platform/gdi/font_engine.h"

namespace {

enum class Style { Mincho, Gothic, Unknown };

Style StyleOf(const QString& face) {
  for (const char* mark : {"明朝", "mincho", "serif", "ming", "song"})
    if (face.contains(QString::fromUtf8(mark), Qt::CaseInsensitive)) return Style::Mincho;
  for (const char* mark : {"ゴシック", "gothic", "sans", "hei"})
    if (face.contains(QString::fromUtf8(mark), Qt::CaseInsensitive)) return Style::Gothic;
  return Style::Unknown;
}

bool Proportional(const QString& face) {
  return face.contains(QString::fromUtf8("Ｐ")) || face.contains(QStringLiteral("P Mincho")) ||
         face.contains(QStringLiteral("PMincho")) || face.contains(QStringLiteral("PGothic"));
}

QString Installed(const QStringList& faces, const QString& name) {
  for (const QString& face : faces)
    if (face.compare(name, Qt::CaseInsensitive) == 0) return face;
  return QString();
}

}  // namespace

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
  m_pNote = new QLabel(this);
  m_pNote->setObjectName(QStringLiteral("note"));
  m_pNote->setWordWrap(true);
  auto* sampleBox = new QGroupBox(QString::fromUtf8("サンプル"), this);
  (new QHBoxLayout(sampleBox))->addWidget(m_pSample);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(label);
  layout->addWidget(m_pName);
  layout->addWidget(m_pList, 1);
  layout->addWidget(sampleBox);
  layout->addWidget(m_pNote);
  layout->addWidget(buttons);
  resize(320, 380);

  connect(m_pName, &QLineEdit::textEdited, this, &CSealFontChoice::OnTyped);
  connect(m_pList, &QListWidget::currentTextChanged, this, &CSealFontChoice::OnPicked);
  connect(m_pList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  // Opened on the face in force: the field keeps its name, the list shows the face that draws it.
  const QString current = face.trimmed().isEmpty() ? cp932::ToQString(DEFAULT_FACE_NAME) : face.trimmed();
  m_pName->setText(current);
  const QList<QListWidgetItem*> found = m_pList->findItems(Resolve(current), Qt::MatchFixedString);
  const QString drawn = fontengine::MapFaceName(cp932::FromQString(current));
  const QList<QListWidgetItem*> drawing = found.isEmpty() ? m_pList->findItems(drawn, Qt::MatchFixedString) : found;
  m_bTyping = true;
  if (!drawing.isEmpty()) m_pList->setCurrentItem(drawing.first());
  m_bTyping = false;
  ShowNote();
  m_pName->setFocus();
  m_pName->selectAll();
}

QString CSealFontChoice::Resolve(const QString& typed, QString* note) {
  const QString name = typed.trimmed();
  if (note) note->clear();
  if (name.isEmpty()) return name;
  const QStringList faces = Faces();
  const QString installed = Installed(faces, name);
  if (!installed.isEmpty()) return installed;
  // A name the font layer stands an installed face in for ("ＭＳ 明朝" is drawn in IPAMincho):
  // kept, so that the design keeps the name it was made with.
  if (!Installed(faces, fontengine::MapFaceName(cp932::FromQString(name))).isEmpty()) return name;
  const Style style = StyleOf(name);
  // Between faces alike in style, the ones the font layer draws the usual Japanese faces in win:
  // the stand-in is the same whatever other fonts the machine has.
  QStringList usual;
  for (const char* common : {"ＭＳ 明朝", "ＭＳ ゴシック", "ＭＳ Ｐ明朝", "ＭＳ Ｐゴシック"})
    usual << fontengine::MapFaceName(cp932::FromQString(QString::fromUtf8(common)));
  QString best;
  int bestScore = -1;
  for (const QString& face : faces) {
    const int score = (style != Style::Unknown && StyleOf(face) == style ? 8 : 0) +
                      (StyleOf(face) == Style::Mincho ? 4 : 0) + (Proportional(face) == Proportional(name) ? 2 : 0) +
                      (usual.contains(face, Qt::CaseInsensitive) ? 1 : 0);
    if (score > bestScore) {
      best = face;
      bestScore = score;
    }
  }
  if (best.isEmpty()) return name;
  if (note)
    *note = QString::fromUtf8("「%1」はインストールされていないため、「%2」を使います。").arg(name, best);
  return best;
}

QString CSealFontChoice::Face() const { return Resolve(m_pName->text()); }

void CSealFontChoice::ShowNote() {
  QString note;
  Resolve(m_pName->text(), &note);
  m_pNote->setText(note);
  m_pNote->setVisible(!note.isEmpty());
}

void CSealFontChoice::OnTyped(const QString& text) {
  // The first face that begins with what is typed, as a combined list box does.
  ShowNote();
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
  if (!m_bTyping) {
    m_pName->setText(item->text());
    ShowNote();
  }
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
