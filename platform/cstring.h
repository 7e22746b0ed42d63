// CString: a byte string in code page 932, with the operations the system's classes use.
// Character-aware operations (MakeUpper, MakeLower, Find of a byte) step over double-byte
// characters so a trail byte is never taken for an ASCII letter.
#pragma once

#include <cstdarg>
#include <string>
#include <string_view>

class QString;

class CString {
 public:
  CString() = default;
  CString(const char* s) : m_s(s ? s : "") {}
  CString(const char* s, int len) : m_s(s ? std::string(s, len > 0 ? len : 0) : std::string()) {}
  CString(const std::string& s) : m_s(s) {}
  CString(std::string&& s) : m_s(std::move(s)) {}
  CString(char c, int repeat = 1) : m_s(repeat > 0 ? repeat : 0, c) {}

  // Conversions at the edges.
  static CString FromUtf8(const std::string& utf8);
  static CString FromQString(const QString& s);
  std::string ToUtf8() const;
  QString ToQString() const;

  int GetLength() const { return static_cast<int>(m_s.size()); }
  bool IsEmpty() const { return m_s.empty(); }
  void Empty() { m_s.clear(); }
  char GetAt(int i) const { return (i >= 0 && i < GetLength()) ? m_s[i] : '\0'; }
  void SetAt(int i, char c) {
    if (i >= 0 && i < GetLength()) m_s[i] = c;
  }
  char operator[](int i) const { return GetAt(i); }
  operator const char*() const { return m_s.c_str(); }
  const char* c_str() const { return m_s.c_str(); }
  const std::string& str() const { return m_s; }
  std::string& str() { return m_s; }

  void Format(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
  void AppendFormat(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
  void FormatV(const char* fmt, va_list ap);

  // Substrings; out-of-range arguments are clamped as MFC clamps them.
  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  CString Left(int count) const;
  CString Right(int count) const;

  int Find(char c, int start = 0) const;
  int Find(const char* sub, int start = 0) const;
  int ReverseFind(char c) const;
  int Replace(char from, char to);
  int Replace(const char* from, const char* to);
  int Remove(char c);
  int Insert(int index, const char* s);
  int Delete(int index, int count = 1);

  CString& Trim();
  CString& TrimLeft();
  CString& TrimRight();
  CString& Trim(const char* chars);
  CString& TrimLeft(const char* chars);
  CString& TrimRight(const char* chars);
  CString& MakeUpper();
  CString& MakeLower();

  int Compare(const char* s) const;
  int CompareNoCase(const char* s) const;

  CString& operator=(const char* s) {
    m_s = s ? s : "";
    return *this;
  }
  CString& operator+=(const CString& s) {
    m_s += s.m_s;
    return *this;
  }
  CString& operator+=(const char* s) {
    if (s) m_s += s;
    return *this;
  }
  CString& operator+=(char c) {
    m_s += c;
    return *this;
  }

  friend CString operator+(const CString& a, const CString& b) { return CString(a.m_s + b.m_s); }
  friend CString operator+(const CString& a, const char* b) { return CString(a.m_s + (b ? b : "")); }
  friend CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.m_s); }
  friend CString operator+(const CString& a, char b) { return CString(a.m_s + b); }
  friend bool operator==(const CString& a, const CString& b) { return a.m_s == b.m_s; }
  friend bool operator==(const CString& a, const char* b) { return a.m_s == (b ? b : ""); }
  friend bool operator!=(const CString& a, const CString& b) { return a.m_s != b.m_s; }
  friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
  friend bool operator<(const CString& a, const CString& b) { return a.m_s < b.m_s; }

 private:
  std::string m_s;
};
