// The canvas never shows what is not there: its window surface, once the pending paint has run,
// equals a full repaint of the same state, pixel for pixel.
#pragma once

#include <string>

class CLeftView;

// The pixels that differ, the box around them and where the first few are; count -1 when the
// surface changed its size.
struct StalePixels {
  long count = 0;
  int x = 0, y = 0, width = 0, height = 0;
  std::string first;
};

// Runs what is pending, then compares the window surface with a full repaint of the same state.
StalePixels CompareWithFullRepaint(CLeftView& view);
