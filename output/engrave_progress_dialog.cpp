#include "output/engrave_progress_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString CaptionText(int id) {
  if (id == CEngraveProgressDialog::IDS_CAPTION) return QString::fromUtf8("彫刻データの出力");
  return QString();
}

}  // namespace

CEngraveProgressDialog::CEngraveProgressDialog(int captionId) : m_nCaptionId(captionId) {
  m_pProgress = new QProgressBar(this);
  m_pProgress->setObjectName(QString::number(IDC_PROGRESS));
  m_pProgress->setTextVisible(false);
  m_pPercent = new QLabel(QString::fromUtf8(" 0 %"), this);
  m_pPercent->setObjectName(QString::number(IDC_PERCENT));
  m_pCancel = new QPushButton(QString::fromUtf8("ｷｬﾝｾﾙ"), this);
  m_pCancel->setObjectName(QString::number(IDCANCEL));
  auto* row = new QHBoxLayout;
  row->addWidget(m_pPercent);
  row->addStretch();
  row->addWidget(m_pCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_pProgress);
  layout->addLayout(row);
  connect(m_pCancel, &QPushButton::clicked, this, [this] { OnCancel(); });
  setModal(false);
}

CEngraveProgressDialog::~CEngraveProgressDialog() { DestroyWindow(); }

BOOL CEngraveProgressDialog::Create(QWidget* parent) {
  QWidget* owner = parent ? parent->window() : QApplication::activeWindow();
  if (owner == this) owner = nullptr;
  m_pParentWnd = owner;
  // Owned, so that the window manager keeps it above the main window and its Cancel in reach.
  if (owner && !parentWidget()) {
    setParent(owner, windowFlags() | Qt::Dialog);
    m_bOwned = true;
  }
  if (owner && owner->isEnabled()) {
    owner->setEnabled(false);
    m_bParentDisabled = 1;
  }
  // A disabled owner disables its owned windows too; Cancel must stay usable.
  if (m_bOwned) setEnabled(true);
  OnInitDialog();
  qApp->installEventFilter(this);
  show();
  m_bCreated = TRUE;
  return TRUE;
}

void CEngraveProgressDialog::OnInitDialog() {
  m_pProgress->setRange(m_nLower, m_nUpper);
  m_pProgress->setValue(m_nLower);
  setWindowTitle(CaptionText(m_nCaptionId));
}

void CEngraveProgressDialog::SetRange(int lo, int hi) {
  m_nLower = lo;
  m_nUpper = hi;
  m_bRangeNew = true;
  m_pProgress->setRange(lo, hi);
}

void CEngraveProgressDialog::SetPos(int pos) {
  // At most once per frame, except for a range's first position and its end: the bar and the
  // percentage change together and the pump that follows paints both before the job goes on.
  const bool due = m_bRangeNew || pos >= m_nUpper || !m_LastShow.isValid() || m_LastShow.elapsed() >= kFrameMs;
  if (!due) return;
  m_bRangeNew = false;
  m_LastShow.start();
  int p = 100;  // an empty range has nothing left to do
  if (m_nUpper != m_nLower) {
    p = static_cast<int>((static_cast<long long>(pos) - m_nLower) * 100 / (static_cast<long long>(m_nUpper) - m_nLower));
    if (p != 100) p %= 100;
  }
  const QString text = QString::number(p) + QLatin1Char('%');
  m_pProgress->setValue(pos);
  if (m_pPercent->text() != text) m_pPercent->setText(text);
  PumpMessages();
}

void CEngraveProgressDialog::SetStep(int step) { m_nStep = step; }

void CEngraveProgressDialog::PumpMessages() {
  m_LastPump.start();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void CEngraveProgressDialog::PumpPerFrame() {
  if (!m_LastPump.isValid() || m_LastPump.elapsed() >= kFrameMs) PumpMessages();
}

BOOL CEngraveProgressDialog::CheckCancelButton() {
  PumpPerFrame();
  const BOOL cancel = m_bCancel;
  m_bCancel = 0;
  return cancel;
}

void CEngraveProgressDialog::OnCancel() { m_bCancel = 1; }

void CEngraveProgressDialog::reject() { OnCancel(); }

void CEngraveProgressDialog::closeEvent(QCloseEvent* event) {
  OnCancel();
  event->ignore();
}

// Esc stops the job from whichever window of the program has the keyboard.
bool CEngraveProgressDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    OnCancel();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

BOOL CEngraveProgressDialog::DestroyWindow() {
  if (!m_bCreated) return FALSE;
  qApp->removeEventFilter(this);
  if (m_bParentDisabled && m_pParentWnd) m_pParentWnd->setEnabled(true);
  m_bParentDisabled = 0;
  hide();
  if (m_bOwned) {
    // The engine owns this dialog; the main window must never delete it.
    setParent(nullptr, windowFlags());
    m_bOwned = false;
  }
  m_bCreated = FALSE;
  return TRUE;
}

QString CEngraveProgressDialog::GetPercentText() const { return m_pPercent->text(); }
