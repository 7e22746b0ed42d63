// The seal folder import: a seal-design program's data folder ("property.txt" and the scanned
// seal face "scan.bmp") becomes a design whose scanning area has the seal's size, shape and
// frame, holding the image as one bitmap object of exactly the seal's size.
#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "model/bmpobject.h"
#include "model/drawingobject.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "platform/archive.h"
#include "platform/cp932.h"
#include "platform/numfmt.h"
#include "platform/prompter.h"
#include "seal/seal_parts.h"
#include "seal/seal_property.h"

namespace {

// Such a program's own line buffer: 2000 bytes with the terminator.
constexpr size_t kLineLimit = 1999;

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithNoCase(const std::string& line, const char* key) {
  size_t i = 0;
  for (; key[i]; ++i)
    if (i >= line.size() || Lower(line[i]) != key[i]) return false;
  return true;
}

std::string Trim(const std::string& s) {
  const char* blanks = " \t\r\n\v\f";
  const size_t first = s.find_first_not_of(blanks);
  if (first == std::string::npos) return std::string();
  return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

// The first bytes of a line that fit the buffer, ending on a character boundary.
std::string CutLine(const std::string& line) {
  if (line.size() <= kLineLimit) return line;
  size_t p = 0;
  while (p < line.size()) {
    const size_t width = cp932::IsLeadByte(static_cast<unsigned char>(line[p])) ? 2 : 1;
    if (p + width > kLineLimit) break;
    p += width;
  }
  return line.substr(0, p);
}

// A folder entry matched without regard to case (such folders come from case-blind file
// systems); empty when there is none.
std::string FindEntryNoCase(const std::string& folder, const char* name) {
  std::error_code error;
  std::filesystem::directory_iterator it(folder, error);
  if (error) return std::string();
  for (const auto& entry : it) {
    const std::string file = entry.path().filename().string();
    std::error_code statError;
    if (entry.is_regular_file(statError) && file.size() == std::char_traits<char>::length(name) &&
        StartsWithNoCase(file, name))
      return file;
  }
  return std::string();
}

CString SealProgramName() { return CString::FromUtf8("印鑑作成ソフト"); }

// detail (UTF-8) says which file and which value were refused.
void ShowImportError(const std::string& detail = std::string()) {
  CString text = CString::FromUtf8("適切な") + SealProgramName() + CString::FromUtf8("フォルダではありません");
  if (!detail.empty()) text += CString::FromUtf8("\n" + detail);
  Prompter().MessageBox(text, CString::FromUtf8("インポートエラー"), MB_OK);
}

// A length as the file wrote it, or that it gave none.
std::string Written(const std::string& text) { return text.empty() ? "(なし)" : "\"" + text + "\""; }

}  // namespace

SealFolderProperties ParseSealProperties(const std::vector<std::uint8_t>& bytes) {
  SealFolderProperties p;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = start;
    while (end < bytes.size() && bytes[end] != '\n') ++end;
    const std::string line = CutLine(std::string(bytes.begin() + start, bytes.begin() + end));
    start = end + 1;
    if (line.compare(0, 2, "##") == 0) break;
    if (line.compare(0, 1, "#") == 0) continue;
    const size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    const std::string value = line.substr(colon + 1);
    // Lengths stop at their unit in brackets; the two codes take the rest of the line.
    const std::string length = Trim(value.substr(0, value.find('[')));
    const std::string code = Trim(value);
    if (StartsWithNoCase(line, "width")) {
      p.width = numfmt::Atof(length);
      p.widthText = length;
      p.hasWidth = true;
    } else if (StartsWithNoCase(line, "height")) {
      p.height = numfmt::Atof(length);
      p.heightText = length;
      p.hasHeight = true;
    } else if (StartsWithNoCase(line, "fstate")) {
      p.fstate = numfmt::Atoi(code);
    } else if (StartsWithNoCase(line, "fsize")) {
      p.fsize = numfmt::Atof(length);
      p.fsizeText = length;
    } else if (StartsWithNoCase(line, "type")) {
      p.type = numfmt::Atoi(code);
    }
  }
  return p;
}

void CKorvaneDoc::ImportSealFolder() {
  if (m_bPaintMode || !m_pObjectList) return;
  CString folder;
  // Cancel ends here: an empty path would name the file-system root.
  if (!Prompter().BrowseFolder(SealProgramName() + CString::FromUtf8("のデータフォルダを指定してください"), folder) ||
      folder.IsEmpty())
    return;
  const std::string fsFolder = fileio::ToFsPath(folder);
  const std::string propertyName = FindEntryNoCase(fsFolder, "property.txt");
  const std::string scanName = FindEntryNoCase(fsFolder, "scan.bmp");
  if (propertyName.empty() || scanName.empty()) {
    ShowImportError(propertyName.empty() ? "property.txt がありません" : "scan.bmp がありません");
    return;
  }
  CString base = folder;
  if (base.GetAt(base.GetLength() - 1) != '/') base += "/";
  // Both names are plain ASCII, the same bytes in code page 932.
  const CString propertyPath = base + CString(propertyName);
  const CString scanPath = base + CString(scanName);

  std::vector<std::uint8_t> bytes;
  fileio::ReadAll(fileio::ToFsPath(propertyPath), bytes);
  const SealFolderProperties p = ParseSealProperties(bytes);
  // A seal without a size cannot be laid out; nor can one larger than the drawing page.
  const double pageWidth = m_Settings.System.DrawX / SEAL_IMAGE_DOTS_PER_MM;
  const double pageHeight = m_Settings.System.DrawY / SEAL_IMAGE_DOTS_PER_MM;
  const std::string file = fileio::ToFsPath(propertyPath);
  for (int k = 0; k < 2; ++k) {
    const bool given = k == 0 ? p.hasWidth : p.hasHeight;
    const double value = k == 0 ? p.width : p.height;
    const double page = k == 0 ? pageWidth : pageHeight;
    if (given && value > 0.0 && value <= page) continue;
    ShowImportError(numfmt::Format("%s の%s %s mm は使えません (0 より大きく %.3f mm 以下)", file.c_str(),
                                   k == 0 ? "幅 (width)" : "高さ (height)",
                                   Written(k == 0 ? p.widthText : p.heightText).c_str(), page));
    return;
  }
  const double fsize = p.fsize;
  int shape = 0;
  double frame = 0.0;
  const double* radius = nullptr;
  double corner = 0.0;
  if (p.type == 2 || p.type == 3) {
    shape = 1;
    frame = p.fstate == 0 ? 0.0 : fsize;
  } else if (p.fstate == 1) {
    frame = fsize;
  } else if (p.fstate == 2) {
    // Rounded corners need the rounded shape: the plain rectangle's band has square corners.
    frame = fsize;
    corner = 2 * fsize;
    radius = &corner;
    shape = 5;
  }
  // A frame drawn must be a band inside the seal: one of no width, or one that meets itself
  // across the seal, would engrave nothing or the whole face solid.
  const bool framed = (shape == 1 && p.fstate != 0) || shape == 5 || p.fstate == 1;
  if (framed && !(fsize > 0.0 && 2 * fsize < std::min(p.width, p.height))) {
    ShowImportError(numfmt::Format("%s の枠の幅 (fsize) %s mm は使えません (0 より大きく %.3f mm より小さく)",
                                   file.c_str(), Written(p.fsizeText).c_str(), std::min(p.width, p.height) / 2));
    return;
  }
  // The image is checked before anything changes; the loader says why it refuses one.
  auto scan = std::make_unique<CBmpObject>();
  if (!scan->LoadFromPath(scanPath, TRUE)) return;

  if (!OnNewDocument()) return;
  g_bModified = 1;
  SetSealDrawingArea(p.width, p.height, shape, frame, radius);

  CBmpObject* image = m_pObjectList->AddBmpFromImage(scan->m_Image);
  if (image) {
    image->m_strPath = scanPath;
    image->m_dWidth = p.width;
    image->m_dHeight = p.height;
    SyncSelectionLength();
    SetCurrentObject(ListCount() - 1, FALSE, FALSE);
  }
  UpdateFormView(HINT_DRAWING_DATA_LOADED);
  LoadSettingPages();
  UpdateCanvasView(HINT_REDRAW_ALL);
}
