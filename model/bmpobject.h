// Bitmap objects: a 1-bit BMP image placed on the design. The object holds the whole BMP file
// image (a MonoBmpFile block) and pointers into it; its size on the page comes from the image's
// resolution, else from the machine's 40 dots per millimetre.
#pragma once

#include <cstdint>
#include <vector>

#include "model/drawobject.h"

// Clip geometry of a seal image, written by the seal design; not stored in project files.
struct ImageClipShape {
  std::int32_t nShape = 0;  // 1 the inner-frame circle, else the scanning area's shape code
  double dRadius = 0.0;     // shape 5 only
  double dWidth = 0.0;
  double dHeight = 0.0;
};

class CBmpObject : public CDrawObject {
 public:
  // A copy of a source (settings, then common part), or for null an object with default
  // settings and no image. Neither asks anything.
  explicit CBmpObject(const CBmpObject* source = nullptr);
  // Loads a file silently (LoadFile).
  explicit CBmpObject(const CString& path);

  // Asks the operator for a file (OpenBmpFile(TRUE)).
  void SetDefaults() override;

  // Resets and, with ask, lets the operator choose a file through the prompter and loads it,
  // reporting failures in message boxes. TRUE when an image was loaded.
  BOOL OpenBmpFile(BOOL ask);
  // Resets, stores the path and loads the file silently. TRUE when loaded.
  BOOL LoadFile(const CString& path);
  // Resets and takes over an image already in memory. TRUE when it is a usable 1-bit image;
  // otherwise the object keeps no image.
  BOOL SetImage(std::vector<BYTE> image);
  // Settings to their defaults; the image is not touched.
  void ResetSettings();
  void CopySettings(const CBmpObject* source);
  // As CopySettings and the name, without the image.
  void CopyAttributes(const CBmpObject* source);
  // Loads the image of a path (and takes its size and the path), keeping the other settings.
  // The file is checked before anything changes: a refused file leaves the old image in place.
  // With report, failures are shown in message boxes.
  BOOL LoadFromPath(const CString& path, BOOL report = FALSE);
  // LoadFromPath with the stored path.
  BOOL Reload();
  // Checks an image buffer set from outside (a project file) and recomputes the pointers into
  // it; an image that is not a usable 1-bit BMP is dropped.
  void UpdateImagePointers();

  DWORD GetImageLength() const { return static_cast<DWORD>(m_Image.size()); }
  const BYTE* GetImage() const { return m_Image.empty() ? nullptr : m_Image.data(); }

  int m_bLoaded = 0;
  std::vector<BYTE> m_Image;          // the whole BMP file image; its size is the image length
  BYTE* m_pFileHeader = nullptr;      // m_Image + 0
  BYTE* m_pInfoHeader = nullptr;      // m_Image + 14
  BYTE* m_pBitmapInfo = nullptr;      // the same address as the info header
  BYTE* m_pBits = nullptr;            // m_Image + the offset to the rows
  double m_dWidth = 20.0;
  double m_dHeight = 15.0;
  int m_nRows = 1;
  int m_nColumns = 1;
  double m_dRowGap = 1.0;
  double m_dColumnGap = 1.0;
  int m_bKeepAspect = 0;
  int m_bInvert = 0;
  CString m_strPath;
  int m_nStretchMode = 0;             // 0 black on white, 1 white on black, 2 colour on colour
  int m_nTone = 0;
  int m_nGradation = 0;
  int m_nSealPart = 0;
  ImageClipShape m_Clip;

 protected:
  // Reset of OpenBmpFile, LoadFile and SetImage: no image, default settings, empty path.
  void ResetAll();
  void DropImage();
  // Takes a checked canonical image: pointers, size from its resolution, loaded flag.
  void TakeImage(std::vector<BYTE>&& image);
  void CopyBitmapFields(const CBmpObject* source);
};

// The bitmap object the paint editor works on: the same object plus its image's geometry.
class CBmpEditObject : public CBmpObject {
 public:
  explicit CBmpEditObject(const CBmpObject* source = nullptr);
  // Frees its image and takes the source's common part, bitmap fields and image.
  void Assign(const CBmpEditObject* source);
  // Recomputes the five geometry fields from the image (all 0 without one).
  void ParseImage();

  int m_nWidthBytes = 0;  // pixel width / 8
  int m_nHeightPixels = 0;
  int m_nFileSize = 0;    // height x stride + 62
  int m_nStride = 0;      // row bytes padded to a multiple of 4
  int m_nImageSize = 0;   // height x stride
};
