// The walk over the grid of copies shared by the per-kind routines of the canvas view.
#pragma once

#include <type_traits>

#include "canvas/leftview.h"
#include "model/drawobject.h"

template <class Fn>
void CLeftView::ForEachCopy(const CopyGrid& grid, Fn fn) const {
  int left = m_nCopyLimit;
  for (int i = 0; i < grid.columns; ++i) {
    for (int j = 0; j < grid.rows; ++j) {
      if (m_nCopyLimit > 0 && left-- == 0) return;
      CDoubleRect r;
      m_pRenderer->MmRectToLogical(grid.width, grid.height, grid.CentreX(i), grid.CentreY(j), &r);
      fn(r, i, j, i * grid.rows + j);
    }
  }
}

template <class Fn>
void CLeftView::DrawCopies(CDrawObject* obj, Fn fn) {
  constexpr bool keepsFigures = std::is_invocable_v<Fn, const CDoubleRect&, CDC*>;
  auto draw = [&](const CDoubleRect& r, CDC* sink) {
    if constexpr (keepsFigures) {
      fn(r, sink);
    } else {
      fn(r);
    }
    if (!sink) ++m_nCopiesDrawn;
  };
  const CopyGrid grid = GetCopyGrid(obj);
  ShownCopies shown;
  if (!GetShownCopies(obj, grid, shown)) {
    ForEachCopy(grid, [&](const CDoubleRect& r, int, int, int n) {
      draw(r, nullptr);
      if (n == grid.rows - 1) {
        obj->m_rcBounds.left = r.left;
        obj->m_rcBounds.top = r.top;
      }
      if (n == (grid.columns - 1) * grid.rows) {
        obj->m_rcBounds.right = r.right;
        obj->m_rcBounds.bottom = r.bottom;
      }
    });
    return;
  }
  // Only the copies the paint can see are drawn; the bounds come from the corner copies as the
  // full walk would leave them.
  auto copyRect = [&](int i, int j) {
    CDoubleRect r;
    m_pRenderer->MmRectToLogical(grid.width, grid.height, grid.CentreX(i), grid.CentreY(j), &r);
    return r;
  };
  const CDoubleRect first = copyRect(0, grid.rows - 1), last = copyRect(grid.columns - 1, 0);
  obj->m_rcBounds.left = first.left;
  obj->m_rcBounds.top = first.top;
  obj->m_rcBounds.right = last.right;
  obj->m_rcBounds.bottom = last.bottom;
  if constexpr (keepsFigures) {
    // Hit tests read the figures of every copy, so the unseen ones are still laid out.
    CDC sink;
    ForEachCopy(grid, [&](const CDoubleRect& r, int i, int j, int) {
      const bool seen = i >= shown.i0 && i <= shown.i1 && j >= shown.j0 && j <= shown.j1;
      draw(r, seen ? nullptr : &sink);
    });
  } else {
    for (int i = shown.i0; i <= shown.i1; ++i)
      for (int j = shown.j0; j <= shown.j1; ++j) draw(copyRect(i, j), nullptr);
  }
}

template <class Fn>
void CLeftView::EngraveCopies(CDrawObject* obj, CDoubleRect* bounds, Fn fn) {
  ForEachCopy(GetCopyGrid(obj), [&](const CDoubleRect& r, int i, int j, int) {
    CDoubleRect drawn;
    fn(r, &drawn);
    if (bounds) CObjectRenderer::UnionBounds(*bounds, drawn, i + j);
  });
}
