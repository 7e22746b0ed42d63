// The device rectangles the canvas measured last, one per list entry. A text's measure lays out
// every glyph, and the same place is asked for again and again (where a text is before each
// change, where it is after, where a drag's release takes it from), so each rectangle is kept
// with a copy of the object it came from and the renderer's state then: a changed object, zoom,
// scroll or page layout no longer matches and is measured anew.
#pragma once

#include <memory>
#include <vector>

#include "platform/wintypes.h"
#include "render/object_renderer.h"

class CDrawObject;

class CMeasuredRects {
 public:
  CMeasuredRects();
  ~CMeasuredRects();
  CMeasuredRects(const CMeasuredRects&) = delete;
  CMeasuredRects& operator=(const CMeasuredRects&) = delete;

  // Whether a measure of this kind is worth keeping (the texts; every other kind is a few sums).
  static bool Keeps(int kind);
  // What Find knows of an entry: its rectangle and result, and the position it was measured at.
  struct Kept {
    RECT rect{};
    int result = 0;
    double posX = 0.0;
    double posY = 0.0;
  };
  enum class Match { None, Same, Moved };
  // Same when `object` and `state` are what entry `index` was measured from; Moved when only the
  // object's position differs (a text moved as a whole lays out the same, shifted); None else.
  Match Find(int index, const CDrawObject& object, const CObjectRenderer::MeasureState& state, Kept* out) const;
  // Keeps a measure of entry `index`, taking over `object` (freed when replaced).
  void Keep(int index, CDrawObject* object, const CObjectRenderer::MeasureState& state, const RECT& rect,
            int result);
  // Forgets the entries from `count` on (the list got shorter), or all of them.
  void Trim(int count);
  void Clear() { Trim(0); }

  // Whether two objects of a text kind lay out alike: every field a measure reads is equal. The
  // fields the canvas itself writes back after a paint or a capture (bounds, captured outlines)
  // are not compared.
  static bool SameLayout(const CDrawObject& a, const CDrawObject& b, bool ignorePosition = false);

 private:
  struct Entry;
  std::vector<std::unique_ptr<Entry>> m_entries;
};
