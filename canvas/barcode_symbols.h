// The QR Code symbols of barcode objects, encoded once per text, level and version and kept as
// 1-bit bitmap objects, so that a repaint draws without encoding again.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "imaging/monoimagetool.h"
#include "model/bmpobject.h"
#include "platform/cstring.h"

struct BarcodeSymbol {
  int ok = 0;     // 0: no symbol holds the text at the level
  int side = 0;   // pixels of the image: modules plus the quiet zone on both sides
  CBmpObject image;  // the symbol, one pixel per module, ink = dark module
  // The traced contours of the symbol drawn at `tracedScale` pixels per module (0: not yet);
  // traced is 1 when there are points, -1 when nothing could be traced.
  int tracedScale = 0;
  int traced = 0;
  TracedOutline outline;
};

class CBarcodeSymbolCache {
 public:
  // The symbol of a text: version -1 (or 0) the smallest that holds it, a larger one when the
  // stored version is too small; automatic mask.
  BarcodeSymbol& Get(const CString& text, int level, int version);
  int GetEncodeCount() const { return m_nEncoded; }

 private:
  std::map<std::tuple<std::string, int, int>, std::unique_ptr<BarcodeSymbol>> m_symbols;
  int m_nEncoded = 0;
};
