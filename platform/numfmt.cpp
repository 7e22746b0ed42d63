#include "platform/numfmt.h"

#include <cctype>
#include <cfloat>
#include <cmath>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstring>

namespace numfmt {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

// One floating conversion, as printf would give it in the "C" locale.
std::string FormatDouble(double v, char conv, bool left, bool plus, bool space, bool zero, bool alt,
                         int width, int prec) {
  if (prec < 0) prec = 6;
  if (prec > 300) prec = 300;
  std::chars_format f = std::chars_format::fixed;
  bool upper = conv == 'E' || conv == 'G' || conv == 'F';
  switch (conv) {
    case 'e': case 'E': f = std::chars_format::scientific; break;
    case 'g': case 'G': f = std::chars_format::general; break;
    default: break;
  }
  char buf[512];
  std::string body;
  bool finite = std::isfinite(v);
  if (!finite) {
    if (std::isnan(v)) body = "nan";
    else body = v < 0 ? "-inf" : "inf";
    zero = false;
  } else {
    auto r = std::to_chars(buf, buf + sizeof(buf), v, f, prec);
    body.assign(buf, r.ptr);
    if (alt && prec == 0 && body.find('.') == std::string::npos && f == std::chars_format::fixed) body += '.';
  }
  if (upper)
    for (char& c : body) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  std::string sign;
  if (!body.empty() && body[0] == '-') {
    sign = "-";
    body.erase(0, 1);
  } else if (plus) {
    sign = "+";
  } else if (space) {
    sign = " ";
  }
  int len = static_cast<int>(sign.size() + body.size());
  if (width <= len) return sign + body;
  std::string pad(width - len, left ? ' ' : (zero ? '0' : ' '));
  if (left) return sign + body + pad;
  if (zero) return sign + pad + body;
  return pad + sign + body;
}

}  // namespace

std::string FormatV(const char* fmt, va_list ap) {
  std::string out;
  if (!fmt) return out;
  for (const char* p = fmt; *p;) {
    if (*p != '%') {
      out += *p++;
      continue;
    }
    const char* start = p++;
    if (*p == '%') {
      out += '%';
      ++p;
      continue;
    }
    bool left = false, plus = false, space = false, zero = false, alt = false;
    for (;; ++p) {
      if (*p == '-') left = true;
      else if (*p == '+') plus = true;
      else if (*p == ' ') space = true;
      else if (*p == '0') zero = true;
      else if (*p == '#') alt = true;
      else break;
    }
    int width = 0;
    if (*p == '*') {
      width = va_arg(ap, int);
      if (width < 0) { left = true; width = -width; }
      ++p;
    } else {
      while (*p >= '0' && *p <= '9') width = width * 10 + (*p++ - '0');
    }
    int prec = -1;
    if (*p == '.') {
      ++p;
      prec = 0;
      if (*p == '*') {
        prec = va_arg(ap, int);
        ++p;
      } else {
        while (*p >= '0' && *p <= '9') prec = prec * 10 + (*p++ - '0');
      }
    }
    std::string length;
    while (*p == 'h' || *p == 'l' || *p == 'L' || *p == 'z' || *p == 'j' || *p == 't' || *p == 'q') length += *p++;
    char conv = *p;
    if (!conv) break;
    ++p;
    // Rebuild the spec with the resolved width and precision for the integer conversions.
    std::string spec = "%";
    if (left) spec += '-';
    if (plus) spec += '+';
    if (space) spec += ' ';
    if (zero) spec += '0';
    if (alt) spec += '#';
    if (width) spec += std::to_string(width);
    if (prec >= 0) spec += "." + std::to_string(prec);
    char buf[128];
    switch (conv) {
      case 'e': case 'E': case 'f': case 'F': case 'g': case 'G': {
        double v = (length == "L") ? static_cast<double>(va_arg(ap, long double)) : va_arg(ap, double);
        out += FormatDouble(v, conv, left, plus, space, zero, alt, width, prec);
        break;
      }
      case 'd': case 'i': case 'u': case 'x': case 'X': case 'o': {
        std::string s = spec + length + conv;
        if (length == "ll" || length == "q" || length == "j") {
          long long v = va_arg(ap, long long);
          std::snprintf(buf, sizeof(buf), s.c_str(), v);
        } else if (length == "l" || length == "z" || length == "t") {
          long v = va_arg(ap, long);
          std::snprintf(buf, sizeof(buf), s.c_str(), v);
        } else {
          int v = va_arg(ap, int);
          std::snprintf(buf, sizeof(buf), s.c_str(), v);
        }
        out += buf;
        break;
      }
      case 'c': {
        int v = va_arg(ap, int);
        std::string s(1, static_cast<char>(v));
        int pad = width > 1 ? width - 1 : 0;
        out += left ? s + std::string(pad, ' ') : std::string(pad, ' ') + s;
        break;
      }
      case 's': {
        const char* v = va_arg(ap, const char*);
        std::string s = v ? v : "(null)";
        if (prec >= 0 && static_cast<size_t>(prec) < s.size()) s.resize(prec);
        int pad = width > static_cast<int>(s.size()) ? width - static_cast<int>(s.size()) : 0;
        out += left ? s + std::string(pad, ' ') : std::string(pad, ' ') + s;
        break;
      }
      case 'p': {
        void* v = va_arg(ap, void*);
        std::snprintf(buf, sizeof(buf), "%p", v);
        out += buf;
        break;
      }
      default:
        out.append(start, p);
        break;
    }
  }
  return out;
}

std::string Format(const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  std::string s = FormatV(fmt, ap);
  va_end(ap);
  return s;
}

double Atof(const char* s) {
  if (!s) return 0.0;
  const char* p = s;
  while (IsBlank(*p)) ++p;
  bool neg = false;
  if (*p == '+' || *p == '-') {
    neg = *p == '-';
    ++p;
  }
  const char* digits = p;
  while (*p >= '0' && *p <= '9') ++p;
  bool any = p != digits;
  if (*p == '.') {
    ++p;
    const char* frac = p;
    while (*p >= '0' && *p <= '9') ++p;
    any = any || p != frac;
  }
  if (!any) return 0.0;
  const char* end = p;
  if (*p == 'e' || *p == 'E') {
    const char* q = p + 1;
    if (*q == '+' || *q == '-') ++q;
    if (*q >= '0' && *q <= '9') {
      while (*q >= '0' && *q <= '9') ++q;
      end = q;
    }
  }
  double v = 0.0;
  auto r = std::from_chars(digits, end, v, std::chars_format::general);
  if (r.ec == std::errc::result_out_of_range) {
    // Too large saturates; too small underflows to zero.
    bool hugeExp = false;
    const char* e = digits;
    while (e < end && *e != 'e' && *e != 'E') ++e;
    if (e < end) hugeExp = e[1] != '-';
    else hugeExp = true;
    v = hugeExp ? DBL_MAX : 0.0;
  } else if (r.ec != std::errc()) {
    v = 0.0;
  }
  return neg ? -v : v;
}

double Atof(const std::string& s) { return Atof(s.c_str()); }

int Atoi(const char* s) {
  if (!s) return 0;
  const char* p = s;
  while (IsBlank(*p)) ++p;
  bool neg = false;
  if (*p == '+' || *p == '-') {
    neg = *p == '-';
    ++p;
  }
  long long v = 0;
  while (*p >= '0' && *p <= '9') {
    v = v * 10 + (*p++ - '0');
    if (v > 2147483648LL) v = 2147483648LL;
  }
  if (neg) v = -v;
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

int Atoi(const std::string& s) { return Atoi(s.c_str()); }

}  // namespace numfmt
