// Driving a modal Qt dialog from a test: the action runs as soon as the dialog is up (the test
// then opens it and blocks in its event loop), and buttons are found by their control id.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

#include <gtest/gtest.h>

namespace modal {

// Acts on the modal dialog as soon as it is up (retrying until it is).
inline void WhenShown(std::function<void(QDialog&)> act) {
  QTimer::singleShot(0, [act] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) {
      WhenShown(act);
      return;
    }
    act(*dialog);
  });
}

// Clicks the dialog's button with control id `id`.
inline void Click(QDialog& d, int id) {
  auto* b = d.findChild<QAbstractButton*>(QString::number(id));
  ASSERT_NE(b, nullptr) << id;
  b->click();
}

}  // namespace modal
