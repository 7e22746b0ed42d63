#include "platform/ui/object_clipboard.h"

#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

QClipboard* SystemClipboard() {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return nullptr;
  return QGuiApplication::clipboard();
}

}  // namespace

bool CQtObjectClipboard::SetData(const std::vector<std::uint8_t>& bytes) {
  QClipboard* clipboard = SystemClipboard();
  if (!clipboard) return false;
  auto* mime = new QMimeData;
  mime->setData(OBJECT_CLIPBOARD_MIME,
                QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
  clipboard->setMimeData(mime);  // the clipboard owns it
  // Read back: a clipboard without an owner (no display) drops what it was given.
  std::vector<std::uint8_t> check;
  return GetData(check) && check == bytes;
}

bool CQtObjectClipboard::HasData() const {
  QClipboard* clipboard = SystemClipboard();
  const QMimeData* mime = clipboard ? clipboard->mimeData() : nullptr;
  return mime && mime->hasFormat(OBJECT_CLIPBOARD_MIME);
}

bool CQtObjectClipboard::GetData(std::vector<std::uint8_t>& bytes) const {
  bytes.clear();
  QClipboard* clipboard = SystemClipboard();
  const QMimeData* mime = clipboard ? clipboard->mimeData() : nullptr;
  if (!mime || !mime->hasFormat(OBJECT_CLIPBOARD_MIME)) return false;
  const QByteArray data = mime->data(OBJECT_CLIPBOARD_MIME);
  bytes.assign(reinterpret_cast<const std::uint8_t*>(data.constData()),
               reinterpret_cast<const std::uint8_t*>(data.constData()) + data.size());
  return true;
}

void CQtObjectClipboard::ClearOwnData() {
  if (HasData()) SystemClipboard()->clear();
}
