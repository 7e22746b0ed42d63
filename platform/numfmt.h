// Locale-independent number formatting and parsing. Every printf-style format and every
// atof/atoi of the system goes through here, so files and machine commands come out the same
// whatever the user's locale (a decimal comma never reaches a file).
#pragma once

#include <cstdarg>
#include <string>

namespace numfmt {

// The C library's printf under the "C" locale, whatever the thread's own locale is: floating
// conversions always use '.' as the decimal mark and no conversion groups digits.
std::string FormatV(const char* fmt, va_list ap) __attribute__((format(printf, 1, 0)));
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// The C runtime's prefix rule: leading blanks, a sign, digits with an optional fraction and
// exponent; parsing stops at the first byte that does not fit and yields 0 when nothing does.
// Never NaN, infinity or a hex float: "nan", "inf" and "0x1p3" read as 0 (the last as 0 from
// its "0" prefix); values beyond the double range saturate at the largest finite double.
double Atof(const char* s);
double Atof(const std::string& s);
// Leading blanks, a sign and decimal digits; saturates at the int range.
int Atoi(const char* s);
int Atoi(const std::string& s);

}  // namespace numfmt
