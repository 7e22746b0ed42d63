#include "model/bmpobject.h"

#include <utility>

#include "imaging/monobmp.h"
#include "imaging/monoimagetool.h"
#include "model/machine_units.h"
#include "platform/archive.h"
#include "platform/prompter.h"

namespace {

const char kReadErrorCaption[] = "BMPファイルリードエラー";
const char kReadFailedText[] = "BMPファイルを読み取りに失敗しました";
const char kBmpFilter[] = "ビットマップ (*.bmp)|*.bmp|";

void ShowReadError(const char* utf8Text) {
  Prompter().MessageBox(CString::FromUtf8(utf8Text), CString::FromUtf8(kReadErrorCaption), MB_OK);
}

// Reads and checks a BMP file; on success `image` holds it in the canonical layout.
bool ReadMonoBmp(const CString& path, std::vector<BYTE>& image, bool report) {
  std::vector<std::uint8_t> bytes;
  if (path.IsEmpty() || !fileio::ReadAll(fileio::ToFsPath(path), bytes)) {
    if (report) ShowReadError(kReadFailedText);
    return false;
  }
  std::vector<BYTE> canonical;
  MonoBmpCheck check = ValidateMonoBmp(bytes.data(), bytes.size(), &canonical);
  if (check != MONOBMP_VALID) {
    if (report) ShowReadError(MonoBmpRefusalText(check));
    return false;
  }
  image = std::move(canonical);
  return true;
}

}  // namespace

CBmpObject::CBmpObject(const CBmpObject* source) {
  m_nType = TYPE_BMP;
  m_nByteSize = BYTESIZE_BMP;
  if (source) {
    CopySettings(source);
    CopyCommon(source);
  }
}

CBmpObject::CBmpObject(const CString& path) {
  m_nType = TYPE_BMP;
  m_nByteSize = BYTESIZE_BMP;
  LoadFile(path);
}

void CBmpObject::SetDefaults() { OpenBmpFile(TRUE); }

void CBmpObject::DropImage() {
  m_bLoaded = 0;
  m_Image.clear();
  m_Image.shrink_to_fit();
  m_pFileHeader = m_pInfoHeader = m_pBitmapInfo = m_pBits = nullptr;
}

void CBmpObject::ResetSettings() {
  m_dPosX = m_dPosY = 0.0;
  m_dWidth = 20.0;
  m_dHeight = 15.0;
  m_nRows = m_nColumns = 1;
  m_dRowGap = m_dColumnGap = 1.0;
  m_bKeepAspect = 0;
  m_bInvert = 0;
  m_nStretchMode = 0;
  m_nTone = 0;
  m_nGradation = 0;
  m_strPath.Empty();
}

void CBmpObject::ResetAll() {
  DropImage();
  ResetSettings();
}

void CBmpObject::TakeImage(std::vector<BYTE>&& image) {
  m_Image = std::move(image);
  BYTE* block = m_Image.data();
  m_pFileHeader = block;
  m_pInfoHeader = block + MonoBmpFile::kFileHeaderSize;
  m_pBitmapInfo = m_pInfoHeader;
  m_pBits = block + MonoBmpFile::ReadU32(block, MonoBmpFile::kOffBitsOffset);
  const double width = MonoBmpFile::Width(block);
  const double height = MonoBmpFile::Height(block);
  const LONG xppm = MonoBmpFile::XPelsPerMeter(block);
  const LONG yppm = MonoBmpFile::YPelsPerMeter(block);
  if (xppm > 0 && yppm > 0) {
    m_dWidth = width / xppm * 1000;
    m_dHeight = height / yppm * 1000;
  } else {
    m_dWidth = width / MACHINE_UNITS_PER_MM;
    m_dHeight = height / MACHINE_UNITS_PER_MM;
  }
  m_bLoaded = 1;
}

BOOL CBmpObject::OpenBmpFile(BOOL ask) {
  ResetAll();
  if (!ask) return FALSE;
  FileDialogRequest request;
  request.save = false;
  request.filter = CString::FromUtf8(kBmpFilter);
  request.defaultExt = "bmp";
  std::vector<CString> paths;
  if (!Prompter().FileDialog(request, paths) || paths.empty()) return FALSE;
  m_strPath = paths.front();
  std::vector<BYTE> image;
  if (!ReadMonoBmp(m_strPath, image, true)) return FALSE;
  TakeImage(std::move(image));
  return TRUE;
}

BOOL CBmpObject::LoadFile(const CString& path) {
  ResetAll();
  m_strPath = path;
  std::vector<BYTE> image;
  if (!ReadMonoBmp(path, image, false)) return FALSE;
  TakeImage(std::move(image));
  return TRUE;
}

BOOL CBmpObject::SetImage(std::vector<BYTE> image) {
  ResetAll();
  std::vector<BYTE> canonical;
  if (ValidateMonoBmp(image.data(), image.size(), &canonical) != MONOBMP_VALID) return FALSE;
  TakeImage(std::move(canonical));
  return TRUE;
}

BOOL CBmpObject::LoadFromPath(const CString& path, BOOL report) {
  std::vector<BYTE> image;
  if (!ReadMonoBmp(path, image, report != FALSE)) return FALSE;
  m_strPath = path;
  TakeImage(std::move(image));
  return TRUE;
}

BOOL CBmpObject::Reload() {
  const CString path = m_strPath;
  return LoadFromPath(path);
}

void CBmpObject::UpdateImagePointers() {
  std::vector<BYTE> canonical;
  if (m_Image.empty() || ValidateMonoBmp(m_Image.data(), m_Image.size(), &canonical) != MONOBMP_VALID) {
    DropImage();
    return;
  }
  // The stored width and height are the object's own; only the image and its pointers change.
  const double width = m_dWidth;
  const double height = m_dHeight;
  TakeImage(std::move(canonical));
  m_dWidth = width;
  m_dHeight = height;
}

void CBmpObject::CopyBitmapFields(const CBmpObject* s) {
  m_dPosX = s->m_dPosX;
  m_dPosY = s->m_dPosY;
  m_dWidth = s->m_dWidth;
  m_dHeight = s->m_dHeight;
  CopyGridSettings(*this, *s);
  m_bKeepAspect = s->m_bKeepAspect;
  m_bInvert = s->m_bInvert;
  m_nStretchMode = s->m_nStretchMode;
  m_nTone = s->m_nTone;
  m_nGradation = s->m_nGradation;
  m_nGroupId = s->m_nGroupId;
  m_nSealPart = s->m_nSealPart;
  m_Clip = s->m_Clip;
  m_strPath = s->m_strPath;
}

void CBmpObject::CopySettings(const CBmpObject* s) {
  if (!s || s == this) return;
  CopyBitmapFields(s);
  DropImage();
  // Only an image in the layout every holder keeps is copied; anything else leaves the copy
  // without an image rather than "loaded" with nothing behind it.
  if (!s->m_Image.empty() && IsCanonicalMonoBmp(s->m_Image.data(), s->m_Image.size())) {
    const double width = m_dWidth;
    const double height = m_dHeight;
    TakeImage(std::vector<BYTE>(s->m_Image));
    m_dWidth = width;
    m_dHeight = height;
    m_bLoaded = s->m_bLoaded;
  }
}

void CBmpObject::CopyAttributes(const CBmpObject* s) {
  if (!s || s == this) return;
  CopyBitmapFields(s);
  SetName(s->m_szName);
}

CBmpEditObject::CBmpEditObject(const CBmpObject* source) : CBmpObject(source) { ParseImage(); }

void CBmpEditObject::ParseImage() {
  m_nWidthBytes = m_nHeightPixels = m_nFileSize = m_nStride = m_nImageSize = 0;
  if (m_Image.empty()) return;
  CMonoImageTool::ParseMonoBmp(m_Image.data(), m_Image.size(), &m_nWidthBytes, &m_nHeightPixels, &m_nFileSize,
                               &m_nStride, &m_nImageSize);
}

void CBmpEditObject::Assign(const CBmpEditObject* source) {
  if (!source || source == this) return;
  DropImage();
  CopyCommon(source);
  CopySettings(source);
  ParseImage();
}
