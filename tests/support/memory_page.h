// A white memory page in MM_HIMETRIC for drawing tests (1 or 32 bits per pixel): a memory
// device context with its own bitmap selected, as the renderer draws into.
#pragma once

#include "platform/gdi/gdi.h"

class MemoryPage {
 public:
  MemoryPage(int width, int height, int bitsPerPixel = 1);
  ~MemoryPage();
  MemoryPage(const MemoryPage&) = delete;
  MemoryPage& operator=(const MemoryPage&) = delete;

  CDC* dc() { return &m_dc; }
  CBitmap& bitmap() { return m_bitmap; }
  int width() const { return m_width; }
  int height() const { return m_height; }
  COLORREF Pixel(int x, int y) const { return m_bitmap.PixelColour(x, y); }
  bool IsInk(int x, int y) const { return Pixel(x, y) != 0xFFFFFF; }  // not white
  long long InkCount() const;
  // Saves a 32-bit page as a PNG file.
  bool SavePng(const char* path) const;

 private:
  CDC m_dc;
  CBitmap m_bitmap;
  CBitmap* m_old = nullptr;
  int m_width;
  int m_height;
};
