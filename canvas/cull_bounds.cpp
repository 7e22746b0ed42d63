#include "canvas/cull_bounds.h"

#include <algorithm>

#include "model/drawobject.h"
#include "model/textobject.h"

namespace {

// The scroll offsets are the last two values of a measure state.
constexpr int kScrollValues = 2;

CObjectRenderer::MeasureState WithoutScroll(CObjectRenderer::MeasureState s) {
  constexpr int n = static_cast<int>(sizeof s.values / sizeof s.values[0]);
  for (int i = n - kScrollValues; i < n; ++i) s.values[i] = 0;
  return s;
}

}  // namespace

void CCullBounds::Begin(const CObjectRenderer::MeasureState& state, int count) {
  const CObjectRenderer::MeasureState s = WithoutScroll(state);
  if (!(s == m_state)) {
    m_state = s;
    // A new generation outdates every slot at once; on wrapping round, the slots are cleared.
    if (++m_generation == 0) {
      Clear();
      m_generation = 1;
    }
  }
  // A shorter list is a design rebuilt: its entries are new.
  if (static_cast<size_t>(std::max(count, 0)) < m_slots.size()) Clear();
}

bool CCullBounds::SameGrid(const CopyGrid& a, const CopyGrid& b) {
  return a.width == b.width && a.height == b.height && a.rows == b.rows && a.columns == b.columns &&
         a.rowGap == b.rowGap && a.columnGap == b.columnGap && a.posX == b.posX && a.posY == b.posY;
}

const MmPaintRect* CCullBounds::Settled(int index, const CDrawObject& object, const CopyGrid& grid,
                                        const TextKey* text) const {
  if (index < 0 || static_cast<size_t>(index) >= m_slots.size()) return nullptr;
  const Slot& s = m_slots[static_cast<size_t>(index)];
  if (s.generation != m_generation || !s.settled || s.type != object.m_nType || !SameGrid(s.grid, grid)) return nullptr;
  const CDoubleRect& b = object.m_rcBounds;
  if (!(b.left == s.stored.left && b.top == s.stored.top && b.right == s.stored.right && b.bottom == s.stored.bottom))
    return nullptr;
  if ((s.text >= 0) != (text != nullptr)) return nullptr;
  if (text && !(m_texts[static_cast<size_t>(s.text)] == *text)) return nullptr;
  return &s.bound;
}

void CCullBounds::Keep(int index, const CDrawObject& object, const CopyGrid& grid, const TextKey* text,
                       const MmPaintRect& bound, bool settled) {
  if (index < 0) return;
  if (static_cast<size_t>(index) >= m_slots.size()) m_slots.resize(static_cast<size_t>(index) + 1);
  Slot& s = m_slots[static_cast<size_t>(index)];
  if (text) {
    if (s.text < 0) {
      s.text = static_cast<int>(m_texts.size());
      m_texts.push_back(*text);
    } else {
      m_texts[static_cast<size_t>(s.text)] = *text;
    }
  } else {
    // The key's place stays taken until the bounds are cleared; an entry seldom changes kind.
    s.text = -1;
  }
  s.generation = m_generation;
  s.settled = settled;
  s.type = object.m_nType;
  s.grid = grid;
  s.bound = bound;
  s.stored = object.m_rcBounds;
}

void CCullBounds::Forget(int index) {
  if (index < 0 || static_cast<size_t>(index) >= m_slots.size()) return;
  m_slots[static_cast<size_t>(index)].generation = 0;
}

void CCullBounds::Clear() {
  m_slots.clear();
  m_slots.shrink_to_fit();
  m_texts.clear();
  m_texts.shrink_to_fit();
}

size_t CCullBounds::Count() const {
  size_t n = 0;
  for (const Slot& s : m_slots)
    if (s.generation == m_generation) ++n;
  return n;
}
