#include "platform/ui/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace ui {

void EmptySystemClipboard() {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->clear();
}

}  // namespace ui
