// The recent-file list: 16 project paths, the newest first, kept in the user's configuration
// (QSettings, group "Recent File List", keys "File1" to "File16") across runs.
#pragma once

#include <memory>
#include <vector>

#include <QString>

#include "model/doc_seams.h"

class QSettings;

class CRecentFileList : public IDocRecentFiles {
 public:
  static constexpr int kSize = 16;
  // `iniPath` empty: the application's own settings ("Vexor Co.,Ltd" / "Draventis").
  explicit CRecentFileList(const QString& iniPath = QString());
  ~CRecentFileList() override;

  void Add(const CString& path) override;
  CString GetRecentFileName(int n) const override;
  int GetCount() const { return static_cast<int>(m_Paths.size()); }

 private:
  void Save();
  std::unique_ptr<QSettings> m_pSettings;
  std::vector<CString> m_Paths;
};
