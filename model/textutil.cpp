#include "model/textutil.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "platform/cp932.h"
#include "platform/numfmt.h"
#include "platform/prompter.h"
#include "platform/ui/qt_control_host.h"
#include "platform/wintypes.h"

namespace {
bool IsLead(const CString& s, int i) { return cp932::IsLeadByte(static_cast<unsigned char>(s.GetAt(i))); }
}  // namespace

int CTextUtil::GetCharCount(const CString& s) const {
  const auto* d = reinterpret_cast<const unsigned char*>(s.c_str());
  const int n = s.GetLength();
  int count = 0;
  for (int p = 0; p < n;) {
    // Eight bytes below 0x80 are eight characters: none of them is a lead byte. Long texts are
    // counted line by line on every layout.
    std::uint64_t w;
    if (p + 8 <= n && (std::memcpy(&w, d + p, 8), (w & 0x8080808080808080ull) == 0)) {
      p += 8;
      count += 8;
      continue;
    }
    p += cp932::IsLeadByte(d[p]) ? 2 : 1;
    ++count;
  }
  return count;
}

int CTextUtil::CharWidthAt(const CString& s, int p, bool crlf) const {
  const int len = s.GetLength();
  if (p < 0 || p >= len) return 0;
  int width = 1;
  if (crlf && s.GetAt(p) == '\r' && p + 1 < len && s.GetAt(p + 1) == '\n') width = 2;
  else if (IsLead(s, p)) width = 2;
  // A lead byte in the last position is one byte wide: never step past the end.
  return p + width > len ? len - p : width;
}

int CTextUtil::CharWalk(const CString& s, int& n, bool crlf) const {
  if (n < 0) return 0;
  int len = s.GetLength();
  int index = 0;
  for (int p = 0; p < len; ++index) {
    const int width = CharWidthAt(s, p, crlf);
    if (index == n) {
      n = p;
      return width;
    }
    p += width;
  }
  return 0;
}

int CTextUtil::GetCharByteIndex(const CString& s, int& n) const { return CharWalk(s, n, false); }

int CTextUtil::GetCharByteIndexCrLf(const CString& s, int& n) const { return CharWalk(s, n, true); }

CString CTextUtil::MidChars(const CString& s, int n) const {
  int at = n;
  int width = GetCharByteIndex(s, at);
  if (width == 0) return CString();
  return s.Mid(at, width);
}

int CTextUtil::IsCrLfAt(const CString& s, int i) const {
  int len = s.GetLength();
  return (len > 1 && i >= 0 && i < len - 1 && s.GetAt(i) == '\r' && s.GetAt(i + 1) == '\n') ? 1 : 0;
}

int CTextUtil::GetLineCount(const CString& s) const {
  int lines = 1;
  for (int i = 1; i < s.GetLength(); ++i)
    if (s.GetAt(i) == '\n') ++lines;
  return lines;
}

int CTextUtil::GetTotalCharCount(const CString* lines, int n) const {
  int total = 0;
  for (int i = 0; i < n && lines; ++i) total += GetCharCount(lines[i]);
  return total;
}

int CTextUtil::SplitLines(const CString& s, CString* lines, int n) const {
  if (!lines || n <= 0) return 0;
  int start = 0;
  int k = 0;
  int total = 0;
  while (k < n) {
    int f = s.Find('\n', start + 1);
    if (f < 0) {
      lines[k] = s.Mid(start);
      total += GetCharCount(lines[k]);
      break;
    }
    // Only a CR before the line feed is dropped; a lone LF keeps the byte before it.
    int end = (f - 1 >= start && s.GetAt(f - 1) == '\r') ? f - 1 : f;
    lines[k] = s.Mid(start, end - start);
    total += GetCharCount(lines[k]);
    start = f + 1;
    ++k;
  }
  return total;
}

CString CTextUtil::RemoveNewLines(const CString& s) const {
  CString out;
  int start = 0;
  for (;;) {
    int f = s.Find('\n', start + 1);
    if (f < 0) break;
    int end = (f - 1 >= start && s.GetAt(f - 1) == '\r') ? f - 1 : f;
    out += s.Mid(start, end - start);
    start = f + 1;
  }
  out += s.Mid(start);
  return out;
}

int CTextUtil::Round(double v) const {
  double ip = 0.0;
  double frac = std::modf(v, &ip);
  if (std::fabs(frac) >= 0.5) ip += v > 0 ? 1.0 : -1.0;
  return DoubleToInt(ip);
}

int CTextUtil::IsSameSign(double a, double b) const { return ((a < 0) == (b < 0)) ? 1 : 0; }

CString CTextUtil::FormatZeroPadded(const CString& text, int width) const {
  CString t(text);
  t.TrimLeft();
  if (width == 0 || t.GetLength() >= width) return t;
  int pad = width - t.GetLength();
  // Zeros go after a sign, so -5 in width 3 is "-05".
  int at = (t.GetAt(0) == '-' || t.GetAt(0) == '+') ? 1 : 0;
  t.Insert(at, CString('0', pad));
  return t;
}

QString FirstNonCp932Character(const QString& text) {
  const QList<uint> codes = text.toUcs4();
  for (uint code : codes) {
    const char32_t c = static_cast<char32_t>(code);
    if (!cp932::HasForm(c)) return QString::fromUcs4(&c, 1);
  }
  return QString();
}

bool RefuseNonCp932(const QString& text) {
  const QString bad = FirstNonCp932Character(text);
  if (bad.isEmpty()) return false;
  // The message itself is code page 932: the character is named by its code point.
  const std::string name = numfmt::Format("U+%04X", static_cast<unsigned>(bad.toUcs4().value(0)));
  CString message;
  message.Format(CString::FromUtf8("この文字は使用できません: %s").str().c_str(), name.c_str());
  Prompter().MessageBox(message, CString(), MB_OK | MB_ICONEXCLAMATION);
  return true;
}

QString ControlUnicodeText(const IControlHost* host, int id) {
  if (!host) return QString();
  const auto* qt = dynamic_cast<const CQtControlHost*>(host);
  QWidget* w = qt ? qt->GetControlWidget(id) : nullptr;
  if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
  if (auto* e = qobject_cast<QPlainTextEdit*>(w)) return e->toPlainText();
  if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
  return host->GetDlgItemText(id).ToQString();
}
