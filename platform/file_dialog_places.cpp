#include "platform/prompter.h"
#include "platform/qt_prompter.h"

#include <QSettings>

namespace {
FileDialogPlacesHook& Hook() {
  static FileDialogPlacesHook hook;
  return hook;
}

FileDialogStartFolderHook& StartFolderHook() {
  static FileDialogStartFolderHook hook;
  return hook;
}

const QString kQtFileDialogGroup = QStringLiteral("FileDialog");

QSettings QtSharedSettings() { return QSettings(QSettings::UserScope, QStringLiteral("QtProject")); }
}  // namespace

void SetFileDialogPlacesHook(FileDialogPlacesHook hook) { Hook() = std::move(hook); }

void ApplyFileDialogPlacesHook(FileDialogRequest& request) {
  if (request.usePlaces || !Hook()) return;
  Hook()(request);
}

void SetFileDialogStartFolderHook(FileDialogStartFolderHook hook) { StartFolderHook() = std::move(hook); }

void ApplyFileDialogStartFolder(FileDialogRequest& request) {
  if (!StartFolderHook() || request.defaultExt.CompareNoCase("mrk") != 0) return;
  if (request.initialPath.str().find('/') != std::string::npos) return;
  const CString folder = StartFolderHook()();
  if (folder.IsEmpty()) return;
  CString start = folder;
  if (start.str().back() != '/') start += '/';
  request.initialPath = start + request.initialPath;
}

CQtFileDialogSettingsKeeper::CQtFileDialogSettingsKeeper() {
  QSettings settings = QtSharedSettings();
  m_bHadGroup = settings.childGroups().contains(kQtFileDialogGroup);
  if (!m_bHadGroup) return;
  settings.beginGroup(kQtFileDialogGroup);
  for (const QString& key : settings.allKeys()) m_values.emplace_back(key, settings.value(key));
}

CQtFileDialogSettingsKeeper::~CQtFileDialogSettingsKeeper() {
  QSettings settings = QtSharedSettings();
  settings.remove(kQtFileDialogGroup);
  if (m_bHadGroup) {
    settings.beginGroup(kQtFileDialogGroup);
    for (const auto& [key, value] : m_values) settings.setValue(key, value);
    settings.endGroup();
  }
  settings.sync();
}
