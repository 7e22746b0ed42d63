// The QR Code symbols of barcode objects, encoded once per text, level and version and kept as
// 1-bit bitmap objects, so that a repaint draws without encoding again.
#pragma once

#include <cstddef>
#include <list>
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
  // stored version is too small; automatic mask. The reference holds until the next call.
  BarcodeSymbol& Get(const CString& text, int level, int version);
  int GetEncodeCount() const { return m_nEncoded; }
  int GetSize() const { return static_cast<int>(m_symbols.size()); }
  // The symbols (images and traced outlines) kept at most; past it the least recently used go.
  static constexpr size_t kMaxBytes = size_t{64} << 20;

 private:
  using Key = std::tuple<std::string, int, int>;
  struct Entry {
    std::unique_ptr<BarcodeSymbol> symbol;
    std::list<Key>::iterator use;
    size_t bytes = 0;
  };
  static size_t BytesOf(const BarcodeSymbol& symbol);
  void Evict(const Key& keep);

  std::map<Key, Entry> m_symbols;
  std::list<Key> m_uses;  // most recently used first
  size_t m_nBytes = 0;
  int m_nEncoded = 0;
};
