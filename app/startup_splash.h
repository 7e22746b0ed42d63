// The splash window: the start-up picture centred over the main frame for 4000 ms or until the
// first key or mouse-button press, which it swallows.
#pragma once

#include <QImage>
#include <QWidget>

class QEvent;
class QObject;
class QTimer;

class CStartupSplash : public QWidget {
  Q_OBJECT
 public:
  // Set once at start-up; off: ShowSplash does nothing and the filter passes everything.
  static void EnableSplash(bool enable);
  static bool IsSplashEnabled();
  // Shows the splash over `parent` (owned by it) unless it is off or one is shown already.
  static void ShowSplash(QWidget* parent);
  // Called first for every event of the application: true when the event is consumed (a key or
  // mouse-button press, or the shortcut check of a key, while the splash is shown).
  static bool FilterAppMessage(QObject* receiver, QEvent* event);
  // The splash while it is shown, else null.
  static CStartupSplash* Current();

  // Closes the splash and repaints its owner.
  void HideSplash();
  // The one-shot timer that ends it.
  QTimer* Timer() const { return m_pTimer; }
  void OnTimer();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  explicit CStartupSplash(QWidget* parent);
  ~CStartupSplash() override;

  QImage m_picture;
  QTimer* m_pTimer = nullptr;
};
