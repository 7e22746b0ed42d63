#include "platform/numfmt.h"

#include <cfloat>
#include <charconv>
#include <climits>
#include <cstdio>
#include <locale.h>
#include <vector>

namespace numfmt {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

// The "C" locale, made once and never freed; null if the C library could not make it.
locale_t CLocale() {
  static const locale_t c = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return c;
}

// Switches this thread to the "C" locale for as long as it lives; the thread's own locale
// (which may be the global one) comes back afterwards. Other threads are not affected.
class CLocaleScope {
 public:
  CLocaleScope() : m_previous(CLocale() ? ::uselocale(CLocale()) : static_cast<locale_t>(nullptr)) {}
  ~CLocaleScope() {
    if (m_previous) ::uselocale(m_previous);
  }
  CLocaleScope(const CLocaleScope&) = delete;
  CLocaleScope& operator=(const CLocaleScope&) = delete;

 private:
  locale_t m_previous;
};

}  // namespace

std::string FormatV(const char* fmt, va_list ap) {
  if (!fmt) return std::string();
  CLocaleScope scope;
  // Most results fit the stack buffer; a longer one is formatted again at its full size.
  char buf[256];
  va_list again;
  va_copy(again, ap);
  int n = std::vsnprintf(buf, sizeof(buf), fmt, ap);
  std::string out;
  if (n >= 0 && static_cast<size_t>(n) < sizeof(buf)) {
    out.assign(buf, static_cast<size_t>(n));
  } else if (n > 0) {
    std::vector<char> big(static_cast<size_t>(n) + 1);
    if (std::vsnprintf(big.data(), big.size(), fmt, again) == n) out.assign(big.data(), static_cast<size_t>(n));
  }
  va_end(again);
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
