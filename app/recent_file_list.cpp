#include "app/recent_file_list.h"

#include <QSettings>

namespace {
const QString kSection = QStringLiteral("Recent File List");
}

CRecentFileList::CRecentFileList(QString organisation, QString application, int size)
    : m_organisation(std::move(organisation)), m_application(std::move(application)),
      m_nSize(size > 0 ? size : 0), m_entries(static_cast<size_t>(m_nSize)) {}

void CRecentFileList::ReadList() {
  QSettings settings(m_organisation, m_application);
  settings.beginGroup(kSection);
  for (int i = 0; i < m_nSize; ++i)
    m_entries[static_cast<size_t>(i)] = CString::FromQString(settings.value(QStringLiteral("File%1").arg(i + 1)).toString());
  settings.endGroup();
}

void CRecentFileList::WriteList() const {
  QSettings settings(m_organisation, m_application);
  settings.beginGroup(kSection);
  for (int i = 0; i < m_nSize; ++i) {
    const CString& entry = m_entries[static_cast<size_t>(i)];
    const QString key = QStringLiteral("File%1").arg(i + 1);
    if (entry.IsEmpty()) {
      settings.remove(key);
    } else {
      settings.setValue(key, entry.ToQString());
    }
  }
  settings.endGroup();
  settings.sync();
}

void CRecentFileList::Add(const CString& path) {
  if (path.IsEmpty() || m_nSize == 0) return;
  int found = m_nSize - 1;
  for (int i = 0; i < m_nSize; ++i) {
    if (m_entries[static_cast<size_t>(i)] == path) {
      found = i;
      break;
    }
  }
  for (int i = found; i > 0; --i) m_entries[static_cast<size_t>(i)] = m_entries[static_cast<size_t>(i - 1)];
  m_entries[0] = path;
  WriteList();
}

void CRecentFileList::Remove(int index) {
  if (index < 0 || index >= m_nSize) return;
  for (int i = index; i + 1 < m_nSize; ++i) m_entries[static_cast<size_t>(i)] = m_entries[static_cast<size_t>(i + 1)];
  m_entries[static_cast<size_t>(m_nSize - 1)] = CString();
  WriteList();
}

CString CRecentFileList::operator[](int index) const {
  if (index < 0 || index >= m_nSize) return CString();
  return m_entries[static_cast<size_t>(index)];
}
