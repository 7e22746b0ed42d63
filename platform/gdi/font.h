// Fonts: LOGFONT, TEXTMETRIC, ABC widths and CFont over Qt's font engine.
//
// Every size is in the logical units of the device context the font is used on; the font itself
// holds no device. Height > 0 is the cell height (ascent + descent), < 0 the em height, 0 a cell
// of 16 device pixels on a device context. The magnitude of the width is the average character width (0 = the face's own
// proportions); the glyphs are scaled horizontally to match it.
//
// Two metrics are defined here once:
//   tmAveCharWidth  the face's own average width (OS/2 xAvgCharWidth) at the font's scale, so a
//                   font created with width w reports w.
//   tmMaxCharWidth  the widest advance among the characters the font's character set can address
//                   (code page 932 for SHIFTJIS_CHARSET, code page 1252 otherwise), at the font's
//                   scale, synthetic bold included. Glyphs outside the character set (say a face's
//                   extra ligatures) do not count.
//
// Synthetic bold (a face without a bold of its own) thickens strokes by 1/24 em and widens every
// advance by as much; synthetic italic slants by about 12 degrees. Escapement, orientation,
// underline and strike-out are kept in the LOGFONT but not drawn.
//
// Character codes: for SHIFTJIS_CHARSET (and DEFAULT_CHARSET, whose code page here is 932) a code
// is a single byte or lead x 256 + trail of code page 932; for every other character set a byte of
// code page 1252. A two-byte code asked of a single-byte font is still read as code page 932.
#pragma once

#include <memory>

#include "platform/wintypes.h"

constexpr int LF_FACESIZE = 32;

constexpr LONG FW_DONTCARE = 0;
constexpr LONG FW_THIN = 100;
constexpr LONG FW_LIGHT = 300;
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_MEDIUM = 500;
constexpr LONG FW_SEMIBOLD = 600;
constexpr LONG FW_BOLD = 700;
constexpr LONG FW_HEAVY = 900;

constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE SHIFTJIS_CHARSET = 128;

constexpr BYTE DEFAULT_QUALITY = 0;
constexpr BYTE DRAFT_QUALITY = 1;
constexpr BYTE PROOF_QUALITY = 2;

constexpr BYTE OUT_DEFAULT_PRECIS = 0;
constexpr BYTE OUT_TT_PRECIS = 4;
constexpr BYTE CLIP_DEFAULT_PRECIS = 0;
constexpr BYTE DEFAULT_PITCH = 0;
constexpr BYTE FIXED_PITCH = 1;
constexpr BYTE VARIABLE_PITCH = 2;
constexpr BYTE FF_DONTCARE = 0x00;

// tmPitchAndFamily bits (the pitch bit is set for a proportional face).
constexpr BYTE TMPF_FIXED_PITCH = 0x01;
constexpr BYTE TMPF_VECTOR = 0x02;
constexpr BYTE TMPF_TRUETYPE = 0x04;

struct LOGFONT {
  LONG lfHeight = 0;
  LONG lfWidth = 0;
  LONG lfEscapement = 0;
  LONG lfOrientation = 0;
  LONG lfWeight = 0;
  BYTE lfItalic = 0;
  BYTE lfUnderline = 0;
  BYTE lfStrikeOut = 0;
  BYTE lfCharSet = 0;
  BYTE lfOutPrecision = 0;
  BYTE lfClipPrecision = 0;
  BYTE lfQuality = 0;
  BYTE lfPitchAndFamily = 0;
  char lfFaceName[LF_FACESIZE] = {};  // code page 932, NUL-terminated, at most 31 bytes
};
using LOGFONTA = LOGFONT;

struct TEXTMETRIC {
  LONG tmHeight = 0;
  LONG tmAscent = 0;
  LONG tmDescent = 0;
  LONG tmInternalLeading = 0;
  LONG tmExternalLeading = 0;
  LONG tmAveCharWidth = 0;
  LONG tmMaxCharWidth = 0;
  LONG tmWeight = 0;
  LONG tmOverhang = 0;
  LONG tmDigitizedAspectX = 0;
  LONG tmDigitizedAspectY = 0;
  BYTE tmFirstChar = 0;
  BYTE tmLastChar = 0;
  BYTE tmDefaultChar = 0;
  BYTE tmBreakChar = 0;
  BYTE tmItalic = 0;
  BYTE tmUnderlined = 0;
  BYTE tmStruckOut = 0;
  BYTE tmPitchAndFamily = 0;
  BYTE tmCharSet = 0;
};
using TEXTMETRICA = TEXTMETRIC;

// A: from the pen position to the glyph's black box; B: the black box; C: from the box to the
// next pen position. A + B + C is the advance.
struct ABC {
  int abcA = 0;
  UINT abcB = 0;
  int abcC = 0;
};

struct ABCFLOAT {
  float abcfA = 0;
  float abcfB = 0;
  float abcfC = 0;
};

namespace fontengine {
class FontInstance;
}

class CFont {
 public:
  CFont() = default;
  ~CFont() = default;
  CFont(const CFont&) = delete;
  CFont& operator=(const CFont&) = delete;

  // Never fails for a valid pointer: a face that is not installed is replaced by fontconfig's
  // choice. Creating a font that exists already replaces it.
  BOOL CreateFontIndirect(const LOGFONT* lf);
  // The LOGFONT the font was created from; 0 when there is no font.
  int GetLogFont(LOGFONT* lf) const;
  BOOL DeleteObject();
  // Non-null while the font exists.
  const void* GetSafeHandle() const { return m_font.get(); }

  // The resolved font, for the text functions of the device context.
  const fontengine::FontInstance* Instance() const { return m_font.get(); }

 private:
  std::shared_ptr<const fontengine::FontInstance> m_font;
};
