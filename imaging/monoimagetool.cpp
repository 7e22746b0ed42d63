#include "imaging/monoimagetool.h"

#include <climits>
#include <cstring>

#include "platform/archive.h"
#include "platform/atomic_file.h"

CMonoImageTool::~CMonoImageTool() = default;

const BYTE* CMonoImageTool::ParseMonoBmp(const BYTE* block, size_t size, int* widthBytes, int* height,
                                         int* fileSize, int* stride, int* imageSize) {
  if (!IsCanonicalMonoBmp(block, size)) return nullptr;
  // The check above bounds every value below by `size` and by INT_MAX.
  const int w = MonoBmpFile::Width(block);
  const int h = MonoBmpFile::Height(block);
  const int s = static_cast<int>(MonoBmpFile::Stride(w));
  if (widthBytes) *widthBytes = w / 8;
  if (height) *height = h;
  if (fileSize) *fileSize = h * s + MonoBmpFile::kHeaderSize;
  if (stride) *stride = s;
  if (imageSize) *imageSize = h * s;
  return block + MonoBmpFile::kHeaderSize;
}

BYTE* CMonoImageTool::ParseMonoBmp(BYTE* block, size_t size, int* widthBytes, int* height, int* fileSize,
                                   int* stride, int* imageSize) {
  return const_cast<BYTE*>(
      ParseMonoBmp(static_cast<const BYTE*>(block), size, widthBytes, height, fileSize, stride, imageSize));
}

int CMonoImageTool::WriteBmpFile(const CString& path, const BYTE* block, size_t size) {
  int fileSize = 0;
  if (!ParseMonoBmp(block, size, nullptr, nullptr, &fileSize, nullptr, nullptr)) return 0;
  return atomicfile::Write(fileio::ToFsPath(path), block, static_cast<size_t>(fileSize)) == atomicfile::Outcome::Written ? 1 : 0;
}

std::vector<BYTE> CMonoImageTool::BmpFromDeviceRows(int width, int height, int rowBytes, const BYTE* rows) {
  if (!rows || rowBytes <= 0) return {};
  std::vector<BYTE> block = MonoBmpFile::Create(width, height);
  if (block.empty()) return {};
  const size_t stride = static_cast<size_t>(MonoBmpFile::Stride(width));
  const size_t take = static_cast<size_t>(rowBytes) < stride ? static_cast<size_t>(rowBytes) : stride;
  BYTE* bits = GetBits(block.data());
  for (int i = 0; i < height; ++i) {
    BYTE* dst = bits + static_cast<size_t>(i) * stride;
    std::memset(dst, 0, stride);
    std::memcpy(dst, rows + static_cast<size_t>(height - 1 - i) * static_cast<size_t>(rowBytes), take);
  }
  return block;
}
