#include "platform/profile.h"

#include "platform/archive.h"
#include "platform/ascii_case.h"
#include "platform/atomic_file.h"

std::string CProfileFile::TrimBlanks(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r')) --e;
  return s.substr(b, e - b);
}

namespace {

// Names are code-page-932 text: a trail byte that looks like a letter is no letter.
bool SameName(const std::string& a, const char* b) {
  return b && ascii::EqualsNoCase(a.c_str(), b, ascii::Dbcs::Cp932);
}

// "[name]" -> name; empty when the line is not a section header.
bool SectionName(const std::string& line, std::string& name) {
  std::string t = CProfileFile::TrimBlanks(line);
  if (t.size() < 2 || t[0] != '[') return false;
  size_t close = t.find(']');
  if (close == std::string::npos) return false;
  name = CProfileFile::TrimBlanks(t.substr(1, close - 1));
  return true;
}

bool KeyValue(const std::string& line, std::string& key, std::string& value) {
  std::string t = CProfileFile::TrimBlanks(line);
  if (t.empty() || t[0] == ';' || t[0] == '[') return false;
  size_t eq = t.find('=');
  if (eq == std::string::npos) return false;
  key = CProfileFile::TrimBlanks(t.substr(0, eq));
  value = CProfileFile::TrimBlanks(t.substr(eq + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return true;
}

}  // namespace

bool CProfileFile::Load(const std::string& path) {
  m_lines.clear();
  if (!fileio::Exists(path)) return true;
  std::vector<std::uint8_t> bytes;
  if (!fileio::ReadAll(path, bytes)) return false;
  Parse(std::string(bytes.begin(), bytes.end()));
  return true;
}

void CProfileFile::Parse(const std::string& text) {
  m_lines.clear();
  size_t start = 0;
  while (start < text.size()) {
    size_t nl = text.find('\n', start);
    std::string line = text.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    m_lines.push_back({line});
    if (nl == std::string::npos) break;
    start = nl + 1;
  }
}

std::string CProfileFile::Text() const {
  std::string out;
  for (const Line& l : m_lines) {
    out += l.text;
    out += "\r\n";
  }
  return out;
}

bool CProfileFile::Save(const std::string& path) const {
  std::string text = Text();
  return atomicfile::Write(path, text.data(), text.size()) == atomicfile::Outcome::Written;
}

int CProfileFile::FindSection(const char* section) const {
  std::string name;
  for (size_t i = 0; i < m_lines.size(); ++i)
    if (SectionName(m_lines[i].text, name) && SameName(name, section)) return static_cast<int>(i);
  return -1;
}

int CProfileFile::SectionEnd(int header) const {
  std::string name;
  size_t i = static_cast<size_t>(header) + 1;
  while (i < m_lines.size() && !SectionName(m_lines[i].text, name)) ++i;
  return static_cast<int>(i);
}

int CProfileFile::FindKey(int header, const char* key) const {
  std::string k, v;
  int end = SectionEnd(header);
  for (int i = header + 1; i < end; ++i)
    if (KeyValue(m_lines[i].text, k, v) && SameName(k, key)) return i;
  return -1;
}

bool CProfileFile::HasSection(const char* section) const { return FindSection(section) >= 0; }

bool CProfileFile::HasKey(const char* section, const char* key) const {
  int h = FindSection(section);
  return h >= 0 && FindKey(h, key) >= 0;
}

CString CProfileFile::GetString(const char* section, const char* key, const char* def) const {
  int h = FindSection(section);
  int k = h >= 0 ? FindKey(h, key) : -1;
  if (k < 0) {
    // The default is trimmed of trailing blanks as the platform does.
    CString d(def ? def : "");
    return d.TrimRight(" \t");
  }
  std::string name, value;
  KeyValue(m_lines[k].text, name, value);
  return CString(value);
}

int CProfileFile::GetInt(const char* section, const char* key, int def) const {
  int h = FindSection(section);
  int k = h >= 0 ? FindKey(h, key) : -1;
  if (k < 0) return def;
  std::string name, value;
  KeyValue(m_lines[k].text, name, value);
  const char* p = value.c_str();
  bool neg = false;
  if (*p == '-' || *p == '+') neg = *p++ == '-';
  long long v = 0;
  while (*p >= '0' && *p <= '9') {
    v = v * 10 + (*p++ - '0');
    if (v > 0xFFFFFFFFLL) v = 0xFFFFFFFFLL;
  }
  if (neg) v = -v;
  return static_cast<int>(static_cast<std::uint32_t>(v));
}

void CProfileFile::SetString(const char* section, const char* key, const char* value) {
  if (!section || !key) return;
  std::string line = std::string(key) + "=" + (value ? value : "");
  int h = FindSection(section);
  if (h < 0) {
    m_lines.push_back({"[" + std::string(section) + "]"});
    m_lines.push_back({line});
    return;
  }
  int k = FindKey(h, key);
  if (k >= 0) {
    m_lines[k].text = line;
    return;
  }
  // After the section's last non-blank line, so a blank line between sections stays between them.
  int end = SectionEnd(h);
  int at = end;
  while (at > h + 1 && TrimBlanks(m_lines[at - 1].text).empty()) --at;
  m_lines.insert(m_lines.begin() + at, {line});
}

void CProfileFile::DeleteKey(const char* section, const char* key) {
  int h = FindSection(section);
  int k = h >= 0 ? FindKey(h, key) : -1;
  if (k >= 0) m_lines.erase(m_lines.begin() + k);
}

void CProfileFile::DeleteSection(const char* section) {
  int h = FindSection(section);
  if (h < 0) return;
  m_lines.erase(m_lines.begin() + h, m_lines.begin() + SectionEnd(h));
}

int GetPrivateProfileString(const char* section, const char* key, const char* def, CString& out,
                            const std::string& path) {
  CProfileFile f;
  f.Load(path);
  out = f.GetString(section, key, def);
  return out.GetLength();
}

int GetPrivateProfileInt(const char* section, const char* key, int def, const std::string& path) {
  CProfileFile f;
  f.Load(path);
  return f.GetInt(section, key, def);
}

bool WritePrivateProfileString(const char* section, const char* key, const char* value,
                               const std::string& path) {
  CProfileFile f;
  if (!f.Load(path)) return false;
  if (!key) f.DeleteSection(section);
  else if (!value) f.DeleteKey(section, key);
  else f.SetString(section, key, value);
  return f.Save(path);
}
