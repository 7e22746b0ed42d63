// A started document on the default 420 x 240 mm page with a canvas view attached, helpers to
// add objects and to look at bitmaps and outlines, and an even-odd filler for captured outlines
// that does not go through the drawing layer.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "canvas/leftview.h"
#include "imaging/monobmp.h"
#include "model/bmpobject.h"
#include "model/drawingobject.h"
#include "model/drawobject.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "model/textobject.h"
#include "scripted_prompter.h"
#include "surface_compare.h"
#include "temp_dir.h"

// A 1-bit image as rows of 0 (white) and 1 (ink).
struct InkImage {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> ink;
  unsigned char At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0;
    return ink[static_cast<size_t>(y) * width + x];
  }
  long Count() const;
};

// A part of the page in dots (y down from the top row).
struct DotWindow {
  int x0 = 0;
  int y0 = 0;
  int width = 0;
  int height = 0;
};
// The window of +-half dots about the page centre of a 420 x 240 mm page at 40 dots per mm.
inline DotWindow CentreWindow(int half = 1000) { return DotWindow{8400 - half, 4800 - half, 2 * half, 2 * half}; }

// The ink of a device bitmap (black = ink), whole or in a window.
InkImage InkOf(const CBitmap& bitmap);
InkImage InkOf(const CBitmap& bitmap, const DotWindow& window);
// The ink of a MonoBmpFile block (0 bits = ink with the black-first palette).
InkImage InkOfBlock(const std::vector<BYTE>& block);

// Figures of outline points in machine units (y up, page centre at the origin) filled with the
// even-odd rule into an image of the page at 40 dots per millimetre: dot (x + W/2, H/2 - y).
// A figure starts at each type-6 point and closes back to its start.
// Only the window of the page is produced.
InkImage FillOutline(const POINT* points, const BYTE* types, int count, int pageWidth, int pageHeight,
                     const DotWindow& window);
// Circles (centre and radii, machine units) filled even-odd.
InkImage FillCircles(const POINT* centres, const SIZE* radii, int count, int pageWidth, int pageHeight,
                     const DotWindow& window);

// Pixels where the two images differ although neither image has an edge within `reach` dots.
long MismatchesAwayFromEdges(const InkImage& a, const InkImage& b, int reach = 1);

// A 1-bit image block of width x height with ink where fn(x, y) (y down from the top) is true.
template <class Fn>
std::vector<BYTE> MakeImage(int width, int height, Fn fn) {
  std::vector<BYTE> block = MonoBmpFile::Create(width, height);
  const int stride = static_cast<int>(MonoBmpFile::Stride(width));
  for (int y = 0; y < height; ++y) {
    BYTE* row = block.data() + MonoBmpFile::kHeaderSize + static_cast<size_t>(height - 1 - y) * stride;
    for (int x = 0; x < width; ++x) {
      if (fn(x, y)) row[x / 8] &= static_cast<BYTE>(~(0x80 >> (x % 8)));
    }
  }
  return block;
}

class CanvasTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  CObjectList& List() { return *doc->GetObjectList(); }
  CDrawingObject& Drawing() { return *List().GetDrawingObject(); }
  template <class T>
  T* At(int index) {
    return static_cast<T*>(List().GetObject(index));
  }
  // Adds an object of the kind with one copy of w x h mm at (x, y), filled, with shapes framed by
  // an edge of 1 mm (the object default); returns its index.
  int AddShape(int kind, double w, double h, double x = 0.0, double y = 0.0);
  // Adds a bitmap object of the image at (x, y) with the given size (mm).
  int AddBitmap(std::vector<BYTE> image, double w, double h, double x = 0.0, double y = 0.0);
  // Sets the grid of copies of any kind.
  void SetGrid(int index, int rows, int columns, double rowGap, double columnGap);

  // The engraving raster's ink; size, bounds and result through the outputs.
  InkImage EngraveRaster(const DotWindow& window, int* result = nullptr, CDoubleRect* bounds = nullptr,
                         int* size = nullptr);
  // The captured outline of an entry filled at 40 dots per millimetre, in a window of the page.
  InkImage CapturedOutline(int index, const DotWindow& window);
  // Binds, sets the scroll sizes for the zoom and paints everything now.
  void Repaint(int zoom);
  // Shows the view at 900 x 700 and lets it settle, as a window on screen.
  void ShowView();
  // The client rectangle of an entry's stored bounds (as the last paint left them).
  CRect ClientRectOf(int index);
  // The stored bounds a walk over every copy leaves: the top-left of the first column's top copy
  // and the bottom-right of the last column's bottom copy.
  CDoubleRect FullWalkBounds(int index);
  // Runs what is pending, then compares the window surface with a full repaint of the same
  // state.
  StalePixels CompareWithFullRepaint() { return ::CompareWithFullRepaint(*view); }

  TempDir dir;
  ScriptedPrompter prompter;
  std::unique_ptr<CKorvaneDoc> doc;
  std::unique_ptr<CLeftView> view;
};
