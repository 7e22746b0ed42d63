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
  if (count < m_nCount) Clear();
  m_nCount = std::max(count, 0);
}

bool CCullBounds::SameGrid(const CopyGrid& a, const CopyGrid& b) {
  return a.width == b.width && a.height == b.height && a.rows == b.rows && a.columns == b.columns &&
         a.rowGap == b.rowGap && a.columnGap == b.columnGap && a.posX == b.posX && a.posY == b.posY;
}

const CCullBounds::Slot* CCullBounds::Find(int index) const {
  if (index < 0) return nullptr;
  const size_t chunk = static_cast<size_t>(index / kChunk);
  if (chunk >= m_chunks.size() || !m_chunks[chunk]) return nullptr;
  return &m_chunks[chunk]->entries[index % kChunk];
}

const MmPaintRect* CCullBounds::Settled(int index, const CDrawObject& object, const CopyGrid& grid,
                                        const TextKey* text) const {
  const Slot* found = Find(index);
  if (!found) return nullptr;
  const Slot& s = *found;
  if (s.generation != m_generation || s.type != object.m_nType || !SameGrid(s.grid, grid)) return nullptr;
  const CDoubleRect& b = object.m_rcBounds;
  if (!(b.left == s.stored.left && b.top == s.stored.top && b.right == s.stored.right && b.bottom == s.stored.bottom))
    return nullptr;
  if ((s.text >= 0) != (text != nullptr)) return nullptr;
  if (text && !(m_chunks[static_cast<size_t>(index / kChunk)]->texts[static_cast<size_t>(s.text)] == *text))
    return nullptr;
  return &s.bound;
}

void CCullBounds::Keep(int index, const CDrawObject& object, const CopyGrid& grid, const TextKey* text,
                       const MmPaintRect& bound) {
  if (index < 0) return;
  const size_t c = static_cast<size_t>(index / kChunk);
  if (c >= m_chunks.size()) m_chunks.resize(c + 1);
  if (!m_chunks[c]) m_chunks[c] = std::make_unique<Chunk>();
  Chunk& chunk = *m_chunks[c];
  Slot& s = chunk.entries[index % kChunk];
  if (s.generation == 0) ++chunk.used;
  if (text) {
    if (s.text < 0) {
      s.text = static_cast<int>(chunk.texts.size());
      chunk.texts.push_back(*text);
    } else {
      chunk.texts[static_cast<size_t>(s.text)] = *text;
    }
  } else {
    // The key's place stays taken while the chunk lives; an entry seldom changes kind.
    s.text = -1;
  }
  s.generation = m_generation;
  s.type = object.m_nType;
  s.grid = grid;
  s.bound = bound;
  s.stored = object.m_rcBounds;
}

void CCullBounds::Forget(int index) {
  if (index < 0) return;
  const size_t c = static_cast<size_t>(index / kChunk);
  if (c >= m_chunks.size() || !m_chunks[c]) return;
  Chunk& chunk = *m_chunks[c];
  Slot& s = chunk.entries[index % kChunk];
  if (s.generation == 0) return;
  s.generation = 0;
  if (--chunk.used == 0) m_chunks[c].reset();
}

void CCullBounds::Clear() {
  m_chunks.clear();
  m_chunks.shrink_to_fit();
  m_nCount = 0;
}

size_t CCullBounds::Count() const {
  size_t n = 0;
  for (const auto& chunk : m_chunks)
    if (chunk)
      for (const Slot& s : chunk->entries)
        if (s.generation == m_generation) ++n;
  return n;
}

size_t CCullBounds::Bytes() const {
  size_t n = m_chunks.capacity() * sizeof(m_chunks[0]);
  for (const auto& chunk : m_chunks)
    if (chunk) n += sizeof(Chunk) + chunk->texts.capacity() * sizeof(TextKey);
  return n;
}
