// What the screen paints learnt of each list entry's bound, kept between paints. An edit paints
// a small region, and working out the conservative bound of each of 100,000 entries anew (the
// grid of copies, a text's span and records, the mapping) costs more than the paint itself; so
// each entry's bound is kept in millimetres with everything it was worked out from, and a later
// paint that finds the entry unchanged tests the kept bound at the cost of a comparison.
//
// A kept bound also remembers the stored bounds (m_rcBounds) the paint left in its entry when it
// was last left out: while they are still there, nothing needs bringing up to date either.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "canvas/leftview.h"

class CCullBounds {
 public:
  using TextKey = TextBoundKey;
  // The key of a text kind's object; false for every other kind.
  static bool TextKeyOf(const CDrawObject& object, TextKey& out);

  // Starts a paint in the renderer's `state` (its scroll left out: neither the millimetre
  // bounds nor the stored logical bounds depend on it); a changed state forgets every bound.
  void Begin(const CObjectRenderer::MeasureState& state, int count);
  // The kept bound of entry `index` when `object` (of grid `grid`, text key `text` or null) is
  // what it was worked out from and its stored bounds are as the paint that left it out left
  // them; null else.
  const MmPaintRect* Settled(int index, const CDrawObject& object, const CopyGrid& grid, const TextKey* text) const;
  // Keeps the bound worked out for entry `index`, which the paint left out with its stored
  // bounds up to date.
  void Keep(int index, const CDrawObject& object, const CopyGrid& grid, const TextKey* text, const MmPaintRect& bound);
  // Forgets entry `index` (no bound is known for it, or it is deleted).
  void Forget(int index);
  void Clear();
  // Entries that have a bound kept in the current state, and the memory the slots take.
  size_t Count() const;
  size_t Bytes() const;

 private:
  struct Slot {
    std::uint32_t generation = 0;  // 0: nothing kept
    int type = 0;
    int text = -1;  // its key in the chunk's texts, for a text kind
    CopyGrid grid;
    MmPaintRect bound;
    CDoubleRect stored;
  };
  // The slots come in chunks of consecutive entries, so that the slots of entries deleted
  // together (a pasted block deleted again) are given back together.
  static constexpr int kChunk = 1024;
  struct Chunk {
    Slot entries[kChunk];
    std::vector<TextKey> texts;
    int used = 0;  // slots with anything kept, in any state
  };
  static bool SameGrid(const CopyGrid& a, const CopyGrid& b);
  const Slot* Find(int index) const;

  std::vector<std::unique_ptr<Chunk>> m_chunks;
  CObjectRenderer::MeasureState m_state;
  std::uint32_t m_generation = 1;
  int m_nCount = 0;  // entries of the list at the last Begin
};
