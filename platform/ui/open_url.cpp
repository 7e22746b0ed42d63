#include "platform/ui/open_url.h"

#include <QDesktopServices>
#include <QUrl>

namespace ui {

namespace {
OpenUrlHook& Hook() {
  static OpenUrlHook hook;
  return hook;
}
}  // namespace

void OpenUrl(const QString& url) {
  if (Hook()) {
    Hook()(url);
    return;
  }
  QDesktopServices::openUrl(QUrl(url));
}

OpenUrlHook SetOpenUrlHook(OpenUrlHook hook) {
  OpenUrlHook previous = std::move(Hook());
  Hook() = std::move(hook);
  return previous;
}

}  // namespace ui
