// QR Code Model 2 encoder: turns a Shift-JIS text into a symbol (versions 1-40, levels L/M/Q/H,
// numeric, alphanumeric, 8-bit and Kanji segments) and draws it into a 1-bit bitmap held by a
// memory DC, one pixel per module with a quiet zone of 4 modules.
#pragma once

#include "platform/cstring.h"
#include "platform/wintypes.h"

class CDC;
class CBitmap;

class CQrEncoder {
 public:
  // Largest symbol and buffer sizes (version 40).
  static constexpr int kMaxModules = 177;
  static constexpr int kMaxDataBytes = 2956;
  static constexpr int kMaxDataBits = kMaxDataBytes * 8;
  static constexpr int kMaxCodewords = 3706;
  static constexpr int kEccWorkSize = 124;
  static constexpr int kQuietZone = 4;

  CQrEncoder();
  virtual ~CQrEncoder();
  CQrEncoder(const CQrEncoder&) = delete;
  CQrEncoder& operator=(const CQrEncoder&) = delete;

  // Automatic version (growth allowed) and automatic mask.
  int Encode(int level, CString text);
  // level 0 = L, 1 = M, 2 = Q, 3 = H; version 1-40, or 0 / -1 for the smallest that holds the
  // text; mask 0-7 or -1 for the best scoring. Returns 1 and replaces the symbol bitmap on
  // success; returns 0 and keeps the previous bitmap on failure.
  int CreateSymbolBitmap(int level, int version, int allowGrowth, int mask, CString text);
  // Builds the module matrix only. length 0 or less means up to the terminating zero.
  int EncodeData(int level, int version, int allowGrowth, int mask, const char* text, int length);

  int IsEncoded() const { return m_bEncoded; }
  // Width and height of the symbol bitmap in pixels (module count + 8).
  int GetSymbolSide() const { return m_nSymbolSide; }
  // The memory DC holding the symbol bitmap; null until the first successful encoding.
  CDC* GetSymbolDC() const { return m_pDC; }

  // The matrix of the last successful EncodeData: 1 dark, 0 light.
  int GetVersion() const { return m_nVersion; }
  int GetLevel() const { return m_nLevel; }
  int GetModuleCount() const { return m_nModuleCount; }
  int GetModule(int column, int row) const;
  int GetTotalCodewords() const { return m_nTotalCodewords; }
  // Interleaved data then error-correction codewords.
  const BYTE* GetCodewords() const { return m_byCodewords; }

 protected:
  enum { MODE_NUMERIC = 0, MODE_ALNUM = 1, MODE_8BIT = 2, MODE_KANJI = 3 };
  // Module flags while the matrix is built.
  enum : BYTE {
    MOD_DARK = 0x01,        // data bit after masking
    MOD_DATA = 0x02,        // data bit before masking
    MOD_FUNC_DARK = 0x10,
    MOD_FUNCTION = 0x20,
  };

  int GetMinVersion(int requested, const char* text, int length);
  int EncodeSegments(const char* text, int length, int group);
  int ChooseSegmentMode(const char* text, int length, int group) const;
  static int GetRunLength(const char* text, int length, int cls);
  int AppendBits(int position, int value, int count);
  static bool IsNumeric(char c);
  static bool IsAlphanumeric(char c);
  static bool IsKanji(char lead, char trail);
  static int AlphanumericValue(char c);
  static int KanjiValue(char lead, char trail);
  void ComputeEcc(const BYTE* data, int dataLength, int eccLength, BYTE* ecc);
  void BuildMatrix();
  void PlaceFunctionPatterns();
  void PlaceFinderPattern(int column, int row);
  void PlaceAlignmentPattern(int column, int row);
  void PlaceVersionInfo();
  void PlaceCodewords();
  void ApplyMask(int mask);
  // The mask of the lowest score (the first of equal ones) for the placed codewords.
  int ChooseMask() const;
  void PlaceFormatInfo(int mask);
  int CountPenalty() const;

  void SetFunction(int column, int row, bool dark);
  void DeleteSymbol();

  int m_bEncoded = 0;
  int m_nSymbolSide = 0;
  CDC* m_pDC = nullptr;
  CBitmap* m_pBitmap = nullptr;
  CBitmap* m_pOldBitmap = nullptr;
  int m_nLevel = 0;
  int m_nVersion = 0;
  int m_nMask = -1;
  int m_nModuleCount = 0;
  BYTE m_byModule[kMaxModules][kMaxModules] = {};  // [column][row]
  int m_nBitCount = 0;
  BYTE m_byData[kMaxDataBytes] = {};
  int m_nTotalCodewords = 0;
  BYTE m_byCodewords[kMaxCodewords] = {};
  BYTE m_byEccWork[kEccWorkSize] = {};
};
