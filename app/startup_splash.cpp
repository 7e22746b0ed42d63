#include "app/startup_splash.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>

#include "app/shell_res.h"

namespace {
bool g_bSplashEnabled = false;
CStartupSplash* g_pSplash = nullptr;

bool IsModifierKey(int key) {
  switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
      return true;
    default:
      return false;
  }
}
}  // namespace

void CStartupSplash::EnableSplash(bool enable) { g_bSplashEnabled = enable; }

bool CStartupSplash::IsSplashEnabled() { return g_bSplashEnabled; }

CStartupSplash* CStartupSplash::Current() { return g_pSplash; }

void CStartupSplash::ShowSplash(QWidget* parent) {
  if (!g_bSplashEnabled || g_pSplash) return;
  auto* splash = new CStartupSplash(parent);
  if (splash->m_picture.isNull()) {
    delete splash;
    return;
  }
  g_pSplash = splash;
  splash->show();
  splash->repaint();
}

// Stays on top: the frame is shown (maximised) after the splash, and a window manager stacks a
// newly mapped window above the others, which would hide the splash while it still swallows the
// first click.
CStartupSplash::CStartupSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_picture(res::SplashPicture()) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setCursor(Qt::ArrowCursor);
  if (m_picture.isNull()) return;
  setFixedSize(m_picture.size());
  // Centred over the owner (or the screen without one).
  const QRect over = parent ? parent->frameGeometry() : screen()->geometry();
  move(over.x() + (over.width() - width()) / 2, over.y() + (over.height() - height()) / 2);
  m_pTimer = new QTimer(this);
  m_pTimer->setSingleShot(true);
  m_pTimer->setInterval(4000);
  connect(m_pTimer, &QTimer::timeout, this, &CStartupSplash::OnTimer);
  m_pTimer->start();
}

CStartupSplash::~CStartupSplash() {
  if (g_pSplash == this) g_pSplash = nullptr;
}

void CStartupSplash::OnTimer() { HideSplash(); }

void CStartupSplash::HideSplash() {
  if (g_pSplash == this) g_pSplash = nullptr;
  QWidget* owner = parentWidget();
  if (m_pTimer) m_pTimer->stop();
  hide();
  deleteLater();
  if (owner) owner->update();
}

void CStartupSplash::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, m_picture);
}

bool CStartupSplash::FilterAppMessage(QObject* receiver, QEvent* event) {
  CStartupSplash* splash = g_pSplash;
  if (!splash) return false;
  switch (event->type()) {
    case QEvent::ShortcutOverride:
      // Qt tries shortcuts before it delivers a key press; claiming the key here lets the press
      // itself arrive (and be swallowed below) instead of running a command.
      event->accept();
      return true;
    case QEvent::KeyPress:
      // A modifier pressed on its way to a combination is not yet the key: Ctrl+N closes the
      // splash on the N and runs nothing.
      if (IsModifierKey(static_cast<QKeyEvent*>(event)->key())) return true;
      splash->HideSplash();
      return true;
    case QEvent::Shortcut:
      // A shortcut that matched anyway: the key that closes the splash runs nothing.
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick:
      splash->HideSplash();
      return true;
    case QEvent::Show: {
      // A modal dialog (the start-up origin question) must not open under the splash.
      auto* widget = qobject_cast<QWidget*>(receiver);
      if (widget && widget != splash && widget->isWindow() && widget->isModal()) splash->HideSplash();
      return false;
    }
    default:
      return false;
  }
}
