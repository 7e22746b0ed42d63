// The recent-file list of the application key: "Recent File List/File1" to "File<size>", the
// newest first, written at every change.
#pragma once

#include <vector>

#include <QString>

#include "platform/cstring.h"

class CRecentFileList {
 public:
  CRecentFileList(QString organisation, QString application, int size);
  // Reads the stored entries.
  void ReadList();
  void WriteList() const;
  // Puts a path first (an equal entry moves up; the oldest drops out) and stores the list.
  void Add(const CString& path);
  void Remove(int index);
  int GetSize() const { return m_nSize; }
  // Entry `index` (0-based); empty outside the list.
  CString operator[](int index) const;

 private:
  QString m_organisation;
  QString m_application;
  int m_nSize;
  std::vector<CString> m_entries;  // always m_nSize long; empty strings for unused entries
};
