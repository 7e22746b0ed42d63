#include "platform/cstring.h"

#include <QString>
#include <algorithm>
#include <cstring>

#include "platform/ascii_case.h"
#include "platform/cp932.h"
#include "platform/numfmt.h"

namespace {

bool IsWhite(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

}  // namespace

CString CString::FromUtf8(const std::string& utf8) { return CString(cp932::FromUtf8(utf8)); }
CString CString::FromQString(const QString& s) { return CString(cp932::FromQString(s)); }
std::string CString::ToUtf8() const { return cp932::ToUtf8(m_s); }
QString CString::ToQString() const { return cp932::ToQString(m_s); }

void CString::FormatV(const char* fmt, va_list ap) { m_s = numfmt::FormatV(fmt, ap); }

void CString::Format(const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  m_s = numfmt::FormatV(fmt, ap);
  va_end(ap);
}

void CString::AppendFormat(const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  m_s += numfmt::FormatV(fmt, ap);
  va_end(ap);
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
  if (first < 0) first = 0;
  if (count < 0) count = 0;
  if (first >= GetLength()) return CString();
  if (count > GetLength() - first) count = GetLength() - first;
  return CString(m_s.substr(first, count));
}

CString CString::Left(int count) const {
  if (count <= 0) return CString();
  return CString(m_s.substr(0, std::min(count, GetLength())));
}

CString CString::Right(int count) const {
  if (count <= 0) return CString();
  if (count >= GetLength()) return *this;
  return CString(m_s.substr(GetLength() - count));
}

int CString::Find(char c, int start) const {
  if (start < 0) start = 0;
  for (int i = start; i < GetLength(); ++i) {
    unsigned char b = static_cast<unsigned char>(m_s[i]);
    if (m_s[i] == c) return i;
    if (cp932::IsLeadByte(b)) ++i;
  }
  return -1;
}

int CString::Find(const char* sub, int start) const {
  if (!sub || start < 0 || start > GetLength()) return -1;
  size_t n = std::strlen(sub);
  for (int i = start; i + static_cast<int>(n) <= GetLength(); ++i) {
    if (m_s.compare(i, n, sub) == 0) return i;
    if (cp932::IsLeadByte(static_cast<unsigned char>(m_s[i]))) ++i;
  }
  return -1;
}

int CString::ReverseFind(char c) const {
  int found = -1;
  for (int i = 0; i < GetLength(); ++i) {
    if (m_s[i] == c) found = i;
    if (cp932::IsLeadByte(static_cast<unsigned char>(m_s[i]))) ++i;
  }
  return found;
}

int CString::Replace(char from, char to) {
  int n = 0;
  for (int i = 0; i < GetLength(); ++i) {
    if (m_s[i] == from) {
      m_s[i] = to;
      ++n;
    } else if (cp932::IsLeadByte(static_cast<unsigned char>(m_s[i]))) {
      ++i;
    }
  }
  return n;
}

int CString::Replace(const char* from, const char* to) {
  if (!from || !*from) return 0;
  std::string repl = to ? to : "";
  size_t n = std::strlen(from);
  std::string out;
  int count = 0;
  for (size_t i = 0; i < m_s.size();) {
    if (m_s.compare(i, n, from) == 0) {
      out += repl;
      i += n;
      ++count;
    } else {
      bool lead = cp932::IsLeadByte(static_cast<unsigned char>(m_s[i])) && i + 1 < m_s.size();
      out += m_s[i++];
      if (lead) out += m_s[i++];
    }
  }
  if (count) m_s = out;
  return count;
}

int CString::Remove(char c) {
  std::string out;
  int count = 0;
  for (size_t i = 0; i < m_s.size(); ++i) {
    bool lead = cp932::IsLeadByte(static_cast<unsigned char>(m_s[i])) && i + 1 < m_s.size();
    if (lead) {
      out += m_s[i];
      out += m_s[++i];
    } else if (m_s[i] == c) {
      ++count;
    } else {
      out += m_s[i];
    }
  }
  m_s = out;
  return count;
}

int CString::Insert(int index, const char* s) {
  if (index < 0) index = 0;
  if (index > GetLength()) index = GetLength();
  if (s) m_s.insert(index, s);
  return GetLength();
}

int CString::Delete(int index, int count) {
  if (index < 0) index = 0;
  if (count > 0 && index < GetLength()) m_s.erase(index, std::min(count, GetLength() - index));
  return GetLength();
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }

CString& CString::TrimLeft() {
  size_t i = 0;
  while (i < m_s.size() && IsWhite(m_s[i])) ++i;
  m_s.erase(0, i);
  return *this;
}

CString& CString::TrimRight() {
  // Walk forward so a trail byte equal to a blank is never cut.
  size_t keep = 0;
  for (size_t i = 0; i < m_s.size(); ++i) {
    if (cp932::IsLeadByte(static_cast<unsigned char>(m_s[i])) && i + 1 < m_s.size()) {
      ++i;
      keep = i + 1;
    } else if (!IsWhite(m_s[i])) {
      keep = i + 1;
    }
  }
  m_s.resize(keep);
  return *this;
}

CString& CString::Trim(const char* chars) { return TrimRight(chars).TrimLeft(chars); }

CString& CString::TrimLeft(const char* chars) {
  if (!chars) return *this;
  size_t i = 0;
  while (i < m_s.size() && std::strchr(chars, m_s[i]) && m_s[i] != '\0') ++i;
  m_s.erase(0, i);
  return *this;
}

CString& CString::TrimRight(const char* chars) {
  if (!chars) return *this;
  size_t keep = 0;
  for (size_t i = 0; i < m_s.size(); ++i) {
    if (cp932::IsLeadByte(static_cast<unsigned char>(m_s[i])) && i + 1 < m_s.size()) {
      ++i;
      keep = i + 1;
    } else if (!std::strchr(chars, m_s[i])) {
      keep = i + 1;
    }
  }
  m_s.resize(keep);
  return *this;
}

CString& CString::MakeUpper() {
  ascii::MakeUpper(m_s, ascii::Dbcs::Cp932);
  return *this;
}

CString& CString::MakeLower() {
  ascii::MakeLower(m_s, ascii::Dbcs::Cp932);
  return *this;
}

int CString::Compare(const char* s) const {
  int r = std::strcmp(m_s.c_str(), s ? s : "");
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(const char* s) const {
  return ascii::CompareNoCase(m_s.c_str(), s ? s : "", ascii::Dbcs::Cp932);
}
