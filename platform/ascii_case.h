// Case-blind comparison and case folding of byte strings, the same in every locale: only the
// ASCII letters A-Z and a-z fold. Two kinds of text come through here:
//  - code page 932 (Dbcs::Cp932): the byte after a lead byte is a trail byte, and a trail byte
//    in the range 0x41-0x7A is half of a double-byte character, not a letter, so it never folds;
//  - UTF-8 or plain ASCII (Dbcs::None): every byte stands for itself; bytes of multi-byte UTF-8
//    characters are all 0x80 or above and never fold anyway.
#pragma once

#include <string>
#include <string_view>

#include "platform/cp932.h"

namespace ascii {

enum class Dbcs { None, Cp932 };

constexpr char ToLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char ToUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

namespace detail {

template <char (*Fold)(char)>
void FoldInPlace(std::string& s, Dbcs dbcs) {
  for (size_t i = 0; i < s.size(); ++i) {
    if (dbcs == Dbcs::Cp932 && cp932::IsLeadByte(static_cast<unsigned char>(s[i]))) ++i;
    else s[i] = Fold(s[i]);
  }
}

}  // namespace detail

inline void MakeLower(std::string& s, Dbcs dbcs) { detail::FoldInPlace<ToLower>(s, dbcs); }
inline void MakeUpper(std::string& s, Dbcs dbcs) { detail::FoldInPlace<ToUpper>(s, dbcs); }

// <0, 0 or >0 as the lower-cased strings compare byte for byte (bytes unsigned, a string that
// is the start of the other first). Callers holding C strings pass views of them, which end at
// the first NUL.
inline int CompareNoCase(std::string_view a, std::string_view b, Dbcs dbcs) {
  // Both sides agree byte for byte up to the first difference, so they agree on which bytes
  // are trail bytes there too: one flag serves both.
  bool trail = false;
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (!trail) {
      x = static_cast<unsigned char>(ToLower(static_cast<char>(x)));
      y = static_cast<unsigned char>(ToLower(static_cast<char>(y)));
    }
    if (x != y) return x < y ? -1 : 1;
    trail = !trail && dbcs == Dbcs::Cp932 && cp932::IsLeadByte(x);
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

inline bool EqualsNoCase(std::string_view a, std::string_view b, Dbcs dbcs) {
  return CompareNoCase(a, b, dbcs) == 0;
}

}  // namespace ascii
