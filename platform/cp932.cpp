#include "platform/cp932.h"

#include <QString>
#include <cerrno>
#include <iconv.h>
#include <mutex>

namespace cp932 {
namespace {

// iconv descriptors are not thread-safe; each direction is guarded by its own lock.
struct Converter {
  iconv_t cd;
  std::mutex lock;
  Converter(const char* to, const char* from) : cd(iconv_open(to, from)) {}
  ~Converter() {
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  }
};

// Converts one unit at a time on failure, substituting `bad` for what cannot be converted and
// counting the substitutions in `lost` when given.
std::string Convert(Converter& c, const std::string& in, const std::string& bad, bool utf8Input,
                    int* lost = nullptr) {
  std::string out;
  if (in.empty() || c.cd == reinterpret_cast<iconv_t>(-1)) return out;
  std::lock_guard<std::mutex> guard(c.lock);
  iconv(c.cd, nullptr, nullptr, nullptr, nullptr);
  out.reserve(in.size() * 2);
  char* src = const_cast<char*>(in.data());
  size_t left = in.size();
  char buf[256];
  while (left > 0) {
    char* dst = buf;
    size_t room = sizeof(buf);
    size_t r = iconv(c.cd, &src, &left, &dst, &room);
    out.append(buf, dst - buf);
    if (r != static_cast<size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    // EILSEQ or EINVAL: skip one character of the input and put the substitute.
    size_t skip = 1;
    if (utf8Input) {
      unsigned char b = static_cast<unsigned char>(*src);
      if (b >= 0xF0) skip = 4;
      else if (b >= 0xE0) skip = 3;
      else if (b >= 0xC0) skip = 2;
    } else if (IsLeadByte(static_cast<unsigned char>(*src)) && left >= 2) {
      skip = 2;
    }
    if (skip > left) skip = left;
    src += skip;
    left -= skip;
    out += bad;
    if (lost) ++*lost;
    iconv(c.cd, nullptr, nullptr, nullptr, nullptr);
  }
  char* dst = buf;
  size_t room = sizeof(buf);
  iconv(c.cd, nullptr, nullptr, &dst, &room);
  out.append(buf, dst - buf);
  return out;
}

Converter& ToCp932() {
  static Converter c("CP932", "UTF-8");
  return c;
}
Converter& FromCp932() {
  static Converter c("UTF-8", "CP932");
  return c;
}

}  // namespace

std::string FromUtf8(const std::string& utf8) { return Convert(ToCp932(), utf8, "?", true); }

std::string ToUtf8(const std::string& bytes) { return Convert(FromCp932(), bytes, "\xEF\xBF\xBD", false); }

std::string FromQString(const QString& s) { return FromUtf8(s.toStdString()); }

bool HasForm(char32_t c) {
  const std::string utf8 = QString::fromUcs4(&c, 1).toStdString();
  int lost = 0;
  const std::string bytes = Convert(ToCp932(), utf8, "?", true, &lost);
  if (lost != 0 || bytes.empty()) return false;
  if (bytes.size() == 2 && IsLeadByte(static_cast<unsigned char>(bytes[0]))) return true;
  return ToUtf8(bytes) == utf8;
}

QString ToQString(const std::string& bytes) { return QString::fromStdString(ToUtf8(bytes)); }

}  // namespace cp932
