#include "imaging/dib_image.h"

#include "imaging/monoimagetool.h"

BOOL CDibImage::Attach(HBITMAP bitmap) {
  Free();
  m_hBitmap = bitmap;
  if (!bitmap) return FALSE;
  std::vector<BYTE> packed = CMonoImageTool::BmpFromBitmap(bitmap);
  if (packed.size() < MonoBmpFile::kHeaderSize) return FALSE;
  BITMAP bm{};
  if (!::GetObject(bitmap, sizeof(bm), &bm)) return FALSE;
  m_Image = std::move(packed);
  m_pImage = m_Image.data();
  m_nWidth = bm.bmWidth;
  m_nHeight = bm.bmHeight;
  m_pBits = CMonoImageTool::GetBits(m_pImage);
  m_pBitmapInfo = reinterpret_cast<BITMAPINFO*>(CMonoImageTool::GetBitmapInfo(m_pImage));
  return TRUE;
}

void CDibImage::Free() {
  m_Image.clear();
  m_Image.shrink_to_fit();
  m_hBitmap = nullptr;
  m_pImage = nullptr;
  m_pBits = nullptr;
  m_pBitmapInfo = nullptr;
}
