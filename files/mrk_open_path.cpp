#include "files/mrk_open_path.h"

#include <QFileInfo>

#include "model/korvane_doc.h"

namespace {

bool HasMrkExtension(const CString& path) {
  if (path.GetLength() < 4) return false;
  return path.Right(4).CompareNoCase(".mrk") == 0;
}

}  // namespace

CString NormalizeOpenPath(const CString& path) {
  if (path.IsEmpty()) return CString();
  CString p = path;
  p.Trim("\"");
  if (p.IsEmpty()) return CString();
  if (HasMrkExtension(p)) return p;
  return ResolveShortcut(p);
}

CString ResolveShortcut(const CString& path) {
  if (path.IsEmpty()) return CString();
  const QFileInfo info(path.ToQString());
  if (!info.isSymLink()) return CString();
  // The whole chain of links; empty when it ends nowhere.
  const QString target = info.canonicalFilePath();
  if (target.isEmpty()) return CString();
  const CString result = CString::FromQString(target);
  return HasMrkExtension(result) ? result : CString();
}

CString CKorvaneDoc::NormalizeOpenPath(const CString& path) { return ::NormalizeOpenPath(path); }

CString CKorvaneDoc::ResolveShortcut(const CString& path) { return ::ResolveShortcut(path); }
