// Code page 932 (Shift-JIS) at the edges: widgets, fonts and file names speak UTF-8/UTF-16,
// the model and every file speak CP932 bytes.
#pragma once

#include <string>

class QString;

namespace cp932 {

// True for the bytes that open a double-byte character (0x81-0x9F, 0xE0-0xFC).
inline bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// UTF-8 -> CP932; characters CP932 cannot hold become '?'.
std::string FromUtf8(const std::string& utf8);
// CP932 -> UTF-8; bytes that are not valid CP932 become U+FFFD.
std::string ToUtf8(const std::string& bytes);

std::string FromQString(const QString& s);

// Whether the code page has a form for the character. Another spelling of a double-byte character
// counts (WAVE DASH U+301C is 0x8160 as FULLWIDTH TILDE is; MINUS SIGN U+2212 is 0x817C), as input
// methods type either; a character that would become another single-byte one (YEN SIGN to the
// backslash) does not, as it would come back as that other character.
bool HasForm(char32_t c);
QString ToQString(const std::string& bytes);

}  // namespace cp932
