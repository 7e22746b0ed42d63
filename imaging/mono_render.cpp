// Rendering the design, the seal image or listed objects into 1-bit BMP blocks through the canvas
// view's bitmap renderings.
#include "canvas/leftview.h"
#include "imaging/monobmp.h"
#include "imaging/monoimagetool.h"
#include "platform/gdi/gdi.h"
#include "render/object_renderer.h"

std::vector<BYTE> CMonoImageTool::RenderObjectBitmap(CDC* dc, CBitmap* bitmap, int width, int height) {
  std::vector<BYTE> block = BuildMonoBmp(dc, bitmap, width, height, nullptr, RGB(0, 0, 0));
  // Black ink on white at one pixel per machine unit, whatever the read wrote into the header.
  if (!block.empty()) MonoBmpFile::WriteHeader(block.data(), width, height);
  return block;
}

std::vector<BYTE> CMonoImageTool::RenderToBmp(int mode, int flag, CKorvaneDoc*, CLeftView* view, int* size,
                                              const CDoubleRect* clip, const int* indexes, int count) {
  if (!view) return {};
  CDC dc;
  CBitmap bitmap;
  int pageSize[2] = {0, 0};
  RECT part{0, 0, 0, 0};
  BOOL rendered = FALSE;
  switch (mode) {
    case 0: rendered = view->GetBitmapDC(&dc, &bitmap, pageSize, &part, clip); break;
    case 1: rendered = view->GetBitmapDC(&dc, &bitmap, pageSize, &part, flag); break;
    case 2: rendered = view->GetBitmapDC(&dc, &bitmap, pageSize, &part, indexes, count); break;
    default: break;
  }
  std::vector<BYTE> block;
  if (rendered) {
    const int width = part.right - part.left;
    const int height = part.bottom - part.top;
    if (size) *size = static_cast<int>(MonoBmpFile::FileSize(width, height));
    block = RenderObjectBitmap(&dc, &bitmap, width, height);
  }
  dc.DeleteDC();
  bitmap.DeleteObject();
  return block;
}

std::vector<BYTE> CMonoImageTool::RenderAreaToBmp(CKorvaneDoc* doc, CLeftView* view, int* size, const CDoubleRect* clip) {
  return RenderToBmp(0, 0, doc, view, size, clip, nullptr, 0);
}

std::vector<BYTE> CMonoImageTool::RenderDrawingToBmp(CKorvaneDoc* doc, CLeftView* view, int* size, int flag) {
  return RenderToBmp(1, flag, doc, view, size, nullptr, nullptr, 0);
}

std::vector<BYTE> CMonoImageTool::RenderObjectsToBmp(CKorvaneDoc* doc, CLeftView* view, int* size, const int* indexes,
                                                     int count) {
  return RenderToBmp(2, 0, doc, view, size, nullptr, indexes, count);
}

int CMonoImageTool::SaveViewBitmap(CLeftView* view, const CString& path) {
  if (!view) return 0;
  CDC dc;
  CBitmap bitmap;
  int pageSize[2] = {0, 0};
  RECT part{0, 0, 0, 0};
  int result = 0;
  if (view->GetBitmapDC(&dc, &bitmap, pageSize, &part)) {
    std::vector<BYTE> block =
        RenderObjectBitmap(&dc, &bitmap, part.right - part.left, part.bottom - part.top);
    if (!block.empty()) {
      // The picture is at the raster resolution: its header says so, so that it reads back at
      // its true size.
      const int dpm = view->GetRenderer() ? view->GetRenderer()->GetDpm() : 0;
      if (dpm > 0) MonoBmpFile::SetPixelsPerMetre(block.data(), dpm * 1000);
      result = WriteBmpFile(path, block.data(), block.size()) ? 1 : -1;
    }
  }
  dc.DeleteDC();
  bitmap.DeleteObject();
  return result;
}
