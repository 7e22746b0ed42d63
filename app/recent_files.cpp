#include "app/recent_files.h"

#include <QSettings>

#include "res/strings.h"

namespace {
constexpr const char* kGroup = res::kRecentFileSection;
}

CRecentFileList::CRecentFileList(const QString& iniPath) {
  if (iniPath.isEmpty()) {
    m_pSettings = std::make_unique<QSettings>(QString::fromUtf8(res::kRegistryOrganization),
                                             QString::fromUtf8(res::kRegistryApplication));
  } else {
    m_pSettings = std::make_unique<QSettings>(iniPath, QSettings::IniFormat);
  }
  m_pSettings->beginGroup(kGroup);
  for (int i = 1; i <= kSize; ++i) {
    const QString value = m_pSettings->value(QString::asprintf(res::kRecentFileEntry, i)).toString();
    if (value.isEmpty()) continue;
    const CString path = CString::FromQString(value);
    bool seen = false;
    for (const CString& p : m_Paths) seen = seen || p == path;
    if (!seen) m_Paths.push_back(path);
  }
  m_pSettings->endGroup();
}

CRecentFileList::~CRecentFileList() = default;

void CRecentFileList::Add(const CString& path) {
  if (path.IsEmpty()) return;
  for (auto it = m_Paths.begin(); it != m_Paths.end(); ++it) {
    if (*it == path) {
      m_Paths.erase(it);
      break;
    }
  }
  m_Paths.insert(m_Paths.begin(), path);
  if (m_Paths.size() > static_cast<size_t>(kSize)) m_Paths.resize(kSize);
  Save();
}

CString CRecentFileList::GetRecentFileName(int n) const {
  if (n < 1 || n > GetCount()) return CString();
  return m_Paths[static_cast<size_t>(n - 1)];
}

void CRecentFileList::Save() {
  m_pSettings->beginGroup(kGroup);
  m_pSettings->remove(QString());
  for (int i = 0; i < GetCount(); ++i) {
    m_pSettings->setValue(QString::asprintf(res::kRecentFileEntry, i + 1), m_Paths[static_cast<size_t>(i)].ToQString());
  }
  m_pSettings->endGroup();
  m_pSettings->sync();
}
