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
#include <vector>

#include "canvas/leftview.h"

class CCullBounds {
 public:
  // What a text's bound is worked out from besides its grid: its own sizes and the extent of
  // its text and records (the records' largest changes, not the records themselves, so that a
  // check reads each record once and keeps no copy).
  struct TextKey {
    double charWidth = 0, charHeight = 0, charGap = 0, lineGap = 0, angle = 0, lineWidthX = 0, lineWidthY = 0;
    double sizeX = 0, sizeY = 0, offsetX = 0, offsetY = 0, thickX = 0, thickY = 0, shrinkX = 0;
    int writeDirection = 0, italic = 0, lines = 0, longest = 0, turned = 0;
    bool operator==(const TextKey&) const = default;
  };
  // The key of a text kind's object; false for every other kind.
  static bool TextKeyOf(const CDrawObject& object, TextKey& out);

  // Starts a paint in the renderer's `state` (its scroll left out: neither the millimetre
  // bounds nor the stored logical bounds depend on it); a changed state forgets every bound.
  void Begin(const CObjectRenderer::MeasureState& state, int count);
  // The kept bound of entry `index` when `object` (of grid `grid`, text key `text` or null) is
  // what it was worked out from and the entry was left out with its stored bounds as they are
  // now; null else.
  const MmPaintRect* Settled(int index, const CDrawObject& object, const CopyGrid& grid, const TextKey* text) const;
  // Keeps the bound worked out for entry `index`; `settled` when the paint left the entry out
  // with its stored bounds up to date.
  void Keep(int index, const CDrawObject& object, const CopyGrid& grid, const TextKey* text, const MmPaintRect& bound,
            bool settled);
  // Forgets entry `index` (no bound is known for it).
  void Forget(int index);
  void Clear();
  // Entries that have a bound kept in the current state (for tests).
  size_t Count() const;

 private:
  struct Slot {
    std::uint32_t generation = 0;  // 0: nothing kept
    int type = 0;
    int text = -1;  // its key in m_texts, for a text kind
    bool settled = false;
    CopyGrid grid;
    MmPaintRect bound;
    CDoubleRect stored;
  };
  static bool SameGrid(const CopyGrid& a, const CopyGrid& b);

  std::vector<Slot> m_slots;
  // The text keys, apart so that the slots of the other kinds stay small.
  std::vector<TextKey> m_texts;
  CObjectRenderer::MeasureState m_state;
  std::uint32_t m_generation = 1;
};
