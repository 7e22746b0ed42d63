// Barcode objects: every copy of the object shows its QR Code symbol, the largest square (quiet
// zone included) that fits the copy, centred in it. The symbol goes through the bitmap routines:
// drawn in the layer colour on screen, black into the output bitmaps, traced for outline output.
#include <algorithm>
#include <cmath>
#include <type_traits>
#include <vector>

#include "canvas/barcode_symbols.h"
#include "canvas/leftview.h"
#include "canvas/leftview_copies.h"
#include "imaging/monobmp.h"
#include "model/machine_units.h"
#include "model/drawobject.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "render/qr_encoder.h"
#include "render/saturate.h"

// ---- the symbol cache ---------------------------------------------------------------------------

size_t CBarcodeSymbolCache::BytesOf(const BarcodeSymbol& symbol) {
  const size_t side = static_cast<size_t>(std::max(symbol.side, 0));
  return sizeof(BarcodeSymbol) + side * static_cast<size_t>(MonoBmpFile::Stride(static_cast<int64_t>(side))) +
         symbol.outline.points.capacity() * sizeof(TracePoint);
}

void CBarcodeSymbolCache::Evict(const Key& keep) {
  // A long editing session must not grow without end; the symbols a repaint still uses stay.
  while (m_nBytes > kMaxBytes && m_uses.size() > 1) {
    const Key& oldest = m_uses.back();
    if (oldest == keep) break;
    auto it = m_symbols.find(oldest);
    m_nBytes -= it->second.bytes;
    m_symbols.erase(it);
    m_uses.pop_back();
  }
}

BarcodeSymbol& CBarcodeSymbolCache::Get(const CString& text, int level, int version) {
  auto key = std::make_tuple(text.str(), level, version);
  auto it = m_symbols.find(key);
  if (it != m_symbols.end()) {
    Entry& e = it->second;
    m_uses.splice(m_uses.begin(), m_uses, e.use);
    // A trace since the last call changes what the symbol holds.
    const size_t bytes = BytesOf(*e.symbol);
    m_nBytes = m_nBytes - e.bytes + bytes;
    e.bytes = bytes;
    Evict(key);
    return *e.symbol;
  }
  auto symbol = std::make_unique<BarcodeSymbol>();
  ++m_nEncoded;
  // One encoder serves every symbol: it is large, each encoding starts it afresh, and only its
  // matrix is kept (its own bitmap would be drawn for nothing).
  thread_local std::unique_ptr<CQrEncoder> encoder;
  if (!encoder) encoder = std::make_unique<CQrEncoder>();
  if (!text.IsEmpty() && level >= 0 && level <= 3 &&
      encoder->EncodeData(level, version, TRUE, -1, text.c_str(), text.GetLength())) {
    const int modules = encoder->GetModuleCount();
    const int side = modules + 2 * CQrEncoder::kQuietZone;
    const int quiet = (side - modules) / 2;
    std::vector<BYTE> block = MonoBmpFile::Create(side, side);
    const int stride = static_cast<int>(MonoBmpFile::Stride(side));
    for (int r = 0; r < modules; ++r) {
      const int y = r + quiet;
      BYTE* row = block.data() + MonoBmpFile::kHeaderSize + static_cast<size_t>(side - 1 - y) * stride;
      for (int c = 0; c < modules; ++c) {
        const int x = c + quiet;
        if (encoder->GetModule(c, r)) row[x / 8] &= static_cast<BYTE>(~(0x80 >> (x % 8)));
      }
    }
    if (symbol->image.SetImage(std::move(block))) {
      symbol->ok = 1;
      symbol->side = side;
    }
  }
  BarcodeSymbol& result = *symbol;
  m_uses.push_front(key);
  Entry& e = m_symbols[key];
  e.symbol = std::move(symbol);
  e.use = m_uses.begin();
  e.bytes = BytesOf(result);
  m_nBytes += e.bytes;
  Evict(key);
  return result;
}

// ---- the canvas routines ------------------------------------------------------------------------

namespace {

// The square of the symbol inside a copy's rectangle (any mode: the rectangle's own axes).
CDoubleRect SymbolSquare(const CDoubleRect& copy, const CBarcodeObject* obj, double side) {
  const double fx = obj->m_dSizeX > 0 ? side / obj->m_dSizeX : 0.0;
  const double fy = obj->m_dSizeY > 0 ? side / obj->m_dSizeY : 0.0;
  const double cx = (copy.left + copy.right) / 2, cy = (copy.top + copy.bottom) / 2;
  const double hx = (copy.right - copy.left) * fx / 2, hy = (copy.top - copy.bottom) * fy / 2;
  CDoubleRect r;
  r.SetRect(cx - hx, cy + hy, cx + hx, cy - hy);
  return r;
}

double SymbolSide(const CBarcodeObject* obj) {
  const double side = std::min(obj->m_dSizeX, obj->m_dSizeY);
  return side > 0 ? side : 0.0;
}

int TruncUnits(double v) {
  const double nearest = std::round(v);
  if (std::fabs(v - nearest) < 1e-6) return DoubleToInt(nearest);
  return DoubleToInt(v);
}

}  // namespace

BarcodeSymbol* CLeftView::GetBarcodeSymbol(const CBarcodeObject* obj) {
  if (!m_pBarcodeSymbols) m_pBarcodeSymbols = std::make_shared<CBarcodeSymbolCache>();
  BarcodeSymbol& symbol = m_pBarcodeSymbols->Get(obj->m_strText, obj->m_nLevel, obj->m_nVersion);
  if (!symbol.ok) return nullptr;
  // The drawing takes the object's look; the image stays as encoded.
  CBmpObject& image = symbol.image;
  image.m_dWidth = image.m_dHeight = SymbolSide(obj);
  image.m_bMirrorX = obj->m_bMirrorX;
  image.m_bMirrorY = obj->m_bMirrorY;
  image.m_nLayer = obj->m_nLayer;
  image.m_crColor = obj->m_crColor;
  image.m_bInvert = 0;
  image.m_nStretchMode = 0;
  return &symbol;
}

int CLeftView::GetBarcodeEncodeCount() const { return m_pBarcodeSymbols ? m_pBarcodeSymbols->GetEncodeCount() : 0; }

void CLeftView::CalcBarcode(CBarcodeObject* obj, CDoubleRect& out) {
  Trace("---------CLeftView::CalcBarcode\n");
  out = GetCopyGrid(obj).Bounds();
}

void CLeftView::DrawBarcode(CDC* pDC, CBarcodeObject* obj) {
  Trace("---------CLeftView::DrawBarcode\n");
  ClearCaptured(obj);
  BarcodeSymbol* symbol = GetBarcodeSymbol(obj);
  const double side = SymbolSide(obj);
  const bool frames = !symbol && !m_bPrinting && m_pRenderer->GetMode() == RENDER_SCREEN;
  CPen pen(PS_SOLID, 0, obj->m_nLayer >= 0 && obj->m_nLayer < LAYER_COUNT ? LAYER_COLORS[obj->m_nLayer] : 0);
  CPen* oldPen = nullptr;
  CBrush* oldBrush = nullptr;
  if (frames) {
    oldPen = pDC->SelectObject(&pen);
    oldBrush = pDC->GetCurrentBrush();
    pDC->SelectStockObject(NULL_BRUSH);
  }
  DrawCopies(obj, [&](const CDoubleRect& r) {
    if (symbol) {
      const CDoubleRect sq = SymbolSquare(r, obj, side);
      m_pRenderer->DrawBmp(pDC, sq.left, sq.top, sq.right, sq.bottom, &symbol->image, nullptr, TRUE);
    } else if (frames) {
      // A text no symbol holds: only where the copies stand.
      pDC->Rectangle(DoubleToInt(r.left), DoubleToInt(r.top), DoubleToInt(r.right), DoubleToInt(r.bottom));
    }
  });
  if (frames) {
    pDC->SelectObject(oldPen);
    if (oldBrush) pDC->SelectObject(oldBrush);
  }
}

void CLeftView::EngraveBarcode(CDC* pDC, CBarcodeObject* obj, CDoubleRect* bounds) {
  Trace("---------CLeftView::EngraveBarcode\n");
  ClearCaptured(obj);
  BarcodeSymbol* symbol = GetBarcodeSymbol(obj);
  const double side = SymbolSide(obj);
  EngraveCopies(obj, bounds, [&](const CDoubleRect& r, CDoubleRect* drawn) {
    *drawn = r;
    if (!symbol) return;
    const CDoubleRect sq = SymbolSquare(r, obj, side);
    m_pRenderer->DrawBmp(pDC, sq.left, sq.top, sq.right, sq.bottom, &symbol->image, nullptr, FALSE);
  });
}

namespace {

// The symbol at `scale` pixels per module, widened with white to whole bytes: the tracer leaves
// the pixels of a partial last byte alone, and follows the border pixels themselves, so modules of
// one pixel would lose a module and half a module per side.
std::vector<BYTE> ScaledSymbol(const BarcodeSymbol& symbol, int scale) {
  const BYTE* src = symbol.image.GetImage();
  const int n = symbol.side;
  const int srcStride = static_cast<int>(MonoBmpFile::Stride(n));
  const int side = n * scale;
  const int width = (side + 7) / 8 * 8;
  std::vector<BYTE> block = MonoBmpFile::Create(width, side);
  const int stride = static_cast<int>(MonoBmpFile::Stride(width));
  for (int y = 0; y < side; ++y) {
    const int sy = y / scale;
    const BYTE* srow = src + MonoBmpFile::kHeaderSize + static_cast<size_t>(n - 1 - sy) * srcStride;
    BYTE* row = block.data() + MonoBmpFile::kHeaderSize + static_cast<size_t>(side - 1 - y) * stride;
    for (int x = 0; x < side; ++x) {
      const int sx = x / scale;
      if (!(srow[sx / 8] & (0x80 >> (sx % 8)))) row[x / 8] &= static_cast<BYTE>(~(0x80 >> (x % 8)));
    }
  }
  return block;
}

// The view's capture buffers, whether they are plain arrays or vectors.
template <class Buffer, class T>
void StoreBuffer(Buffer& buffer, std::vector<T>&& values) {
  if constexpr (std::is_pointer_v<Buffer>) {
    buffer = new T[values.size()];
    std::copy(values.begin(), values.end(), buffer);
  } else {
    buffer = std::move(values);
  }
}

}  // namespace

int CLeftView::GetBarcodePoints(CDC*, CBarcodeObject* obj) {
  Trace("---------CLeftView::GetBarcodePoints\n");
  BarcodeSymbol* symbol = GetBarcodeSymbol(obj);
  if (!symbol || !m_pDoc) return 0;
  const CopyGrid grid = GetCopyGrid(obj);
  if (grid.rows <= 0 || grid.columns <= 0) return 0;
  const int n = symbol->side;
  // About one traced pixel per machine unit, as a bitmap at 40 dots per millimetre.
  const double unitsPerModule = SymbolSide(obj) * MACHINE_UNITS_PER_MM / n;
  const int maxScale = std::max(1, 4096 / n);
  const int scale = std::clamp(static_cast<int>(std::lround(unitsPerModule)), 1, maxScale);
  if (symbol->tracedScale != scale) {
    CBmpObject scaled;
    symbol->outline = TracedOutline{};
    symbol->traced = scaled.SetImage(ScaledSymbol(*symbol, scale)) &&
                             m_pDoc->TraceBmpObject(&scaled, &symbol->outline) && symbol->outline.count > 0
                         ? 1
                         : -1;
    symbol->tracedScale = scale;
  }
  if (symbol->traced < 0) return 0;
  const TracedOutline& outline = symbol->outline;
  const int traced = static_cast<int>(outline.points.size());
  const long long total = static_cast<long long>(traced) * grid.rows * grid.columns;
  if (traced <= 0) return 0;
  if (total + static_cast<long long>(grid.rows) * grid.columns > kMaxObjectCost) return kObjectTooLarge;

  // As the raster puts each copy: the symbol square about the copy's centre, 40 units per mm.
  // A traced point stands for its border pixel, whose middle is taken.
  const int side = n * scale;
  const double perPixel = unitsPerModule / scale;
  std::vector<POINT> points(static_cast<size_t>(total));
  std::vector<BYTE> types(static_cast<size_t>(total));
  size_t k = 0;
  for (int i = 0; i < grid.columns; ++i) {
    for (int j = 0; j < grid.rows; ++j) {
      const int px = DoubleToInt(grid.CentreX(i) * MACHINE_UNITS_PER_MM);
      const int py = DoubleToInt(grid.CentreY(j) * MACHINE_UNITS_PER_MM);
      for (const TracePoint& p : outline.points) {
        const int x = obj->m_bMirrorX ? side - 1 - p.x : p.x;
        const int y = obj->m_bMirrorY ? side - 1 - p.y : p.y;
        points[k].x = sat::Add(px, TruncUnits((x + 0.5 - side / 2.0) * perPixel));
        points[k].y = sat::Add(py, TruncUnits((side / 2.0 - y - 0.5) * perPixel));
        types[k] = p.type;
        ++k;
      }
    }
  }
  StoreBuffer(m_pOutlinePoints, std::move(points));
  StoreBuffer(m_pOutlineTypes, std::move(types));
  return static_cast<int>(total);
}
