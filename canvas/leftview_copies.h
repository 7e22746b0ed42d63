// The walk over the grid of copies shared by the per-kind routines of the canvas view.
#pragma once

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
  const CopyGrid grid = GetCopyGrid(obj);
  ForEachCopy(grid, [&](const CDoubleRect& r, int, int, int n) {
    fn(r);
    if (n == grid.rows - 1) {
      obj->m_rcBounds.left = r.left;
      obj->m_rcBounds.top = r.top;
    }
    if (n == (grid.columns - 1) * grid.rows) {
      obj->m_rcBounds.right = r.right;
      obj->m_rcBounds.bottom = r.bottom;
    }
  });
}

template <class Fn>
void CLeftView::EngraveCopies(CDrawObject* obj, CDoubleRect* bounds, Fn fn) {
  ForEachCopy(GetCopyGrid(obj), [&](const CDoubleRect& r, int i, int j, int) {
    CDoubleRect drawn;
    fn(r, &drawn);
    if (bounds) CObjectRenderer::UnionBounds(*bounds, drawn, i + j);
  });
}
