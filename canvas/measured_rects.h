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
  // The rectangle and result kept for entry `index` when `object` and `state` are what it was
  // measured from; false otherwise.
  bool Find(int index, const CDrawObject& object, const CObjectRenderer::MeasureState& state, RECT* out,
            int* result) const;
  // Keeps a measure of entry `index`, taking over `object` (freed when replaced).
  void Keep(int index, CDrawObject* object, const CObjectRenderer::MeasureState& state, const RECT& rect,
            int result);
  // Forgets the entries from `count` on (the list got shorter), or all of them.
  void Trim(int count);
  void Clear() { Trim(0); }

  // Whether two objects of a text kind lay out alike: every field a measure reads is equal. The
  // fields the canvas itself writes back after a paint or a capture (bounds, captured outlines)
  // are not compared.
  static bool SameLayout(const CDrawObject& a, const CDrawObject& b);

 private:
  struct Entry;
  std::vector<std::unique_ptr<Entry>> m_entries;
};
