// Notes the offscreen platform prints about what it cannot do (raise a window, grab the keyboard,
// size hints) and the runtime-folder notice: they say nothing about the code under test, so the
// fixtures that fail a test on a Qt warning let them pass.
#pragma once

#include <QString>

inline bool IsPlatformNote(const QString& message) {
  return message.contains(QStringLiteral("This plugin does not support")) ||
         message.contains(QStringLiteral("XDG_RUNTIME_DIR"));
}
