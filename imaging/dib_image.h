// CDibImage: the floating picture of the paint editor. It keeps the bitmap handle it was given
// (never owned: in a paste it is the clipboard's) and its own packed 1-bit copy, from which the
// editor blits at any zoom, so the caller's bitmap may change or go away after Attach.
#pragma once

#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/wintypes.h"

class CDibImage {
 public:
  CDibImage() = default;
  virtual ~CDibImage() { Free(); }
  CDibImage(const CDibImage&) = delete;
  CDibImage& operator=(const CDibImage&) = delete;

  // Frees the old picture first. TRUE when the handle is not null and its pixels were packed.
  BOOL Attach(HBITMAP bitmap);
  // Forgets the handle and frees the packed copy (width and height keep their last values).
  void Free();
  bool IsEmpty() const { return m_pImage == nullptr; }

  HBITMAP m_hBitmap = nullptr;
  BYTE* m_pImage = nullptr;  // the packed MonoBmpFile block (m_Image's data)
  int m_nWidth = 0;
  int m_nHeight = 0;
  BYTE* m_pBits = nullptr;
  BITMAPINFO* m_pBitmapInfo = nullptr;

 private:
  std::vector<BYTE> m_Image;
};
