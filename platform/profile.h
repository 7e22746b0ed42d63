// Private-profile (INI) files with the semantics the settings and machine-id files rely on:
// section and key names match without regard to case, an existing key is updated in place, a
// new key goes to the end of its section and a new section to the end of the file, values are
// trimmed and lose one pair of surrounding quotes. Text is code-page-932 bytes; lines end in
// CR LF when written.
#pragma once

#include <string>
#include <vector>

#include "platform/cstring.h"

class CProfileFile {
 public:
  // Loads a file; a missing file is an empty profile. False when it exists but cannot be read.
  bool Load(const std::string& path);
  void Parse(const std::string& text);
  std::string Text() const;
  // Writes through a temporary file and a rename; false when the write failed.
  bool Save(const std::string& path) const;

  bool HasKey(const char* section, const char* key) const;
  bool HasSection(const char* section) const;
  // The blanks the reader drops at either end of a name or value: byte by byte, so a blank after a
  // lead byte goes too (no trail byte is a blank).
  static std::string TrimBlanks(const std::string& s);
  // The value trimmed and unquoted, or the default when the key is missing.
  CString GetString(const char* section, const char* key, const char* def) const;
  // The leading number of the value (blanks, sign, decimal digits), 0 when it has none, the
  // default when the key is missing.
  int GetInt(const char* section, const char* key, int def) const;
  void SetString(const char* section, const char* key, const char* value);
  void DeleteKey(const char* section, const char* key);
  void DeleteSection(const char* section);

 private:
  struct Line {
    std::string text;  // the line as it stands in the file, without its line end
  };
  std::vector<Line> m_lines;

  int FindSection(const char* section) const;          // index of the header line or -1
  int SectionEnd(int header) const;                     // index after the section's last line
  int FindKey(int header, const char* key) const;       // index of the key's line or -1
};

// The Windows-style functions over CProfileFile; each call reads the file afresh.
int GetPrivateProfileString(const char* section, const char* key, const char* def, CString& out,
                            const std::string& path);
int GetPrivateProfileInt(const char* section, const char* key, int def, const std::string& path);
// value == nullptr deletes the key; key == nullptr deletes the section.
bool WritePrivateProfileString(const char* section, const char* key, const char* value,
                               const std::string& path);
