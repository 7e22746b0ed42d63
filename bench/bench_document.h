// What the benchmark programs that work on a design share: a folder of their own for the
// companion files, a new document in it, objects of mixed kinds, and the form host the pages
// find their document through.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>

#include "model/drawobject.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "model/textobject.h"
#include "pages/page_helper.h"
#include "platform/paths.h"

namespace benchdoc {

// A fresh folder below the temporary folder, made the companion base while it lives and removed
// with everything in it afterwards.
struct Folder {
  explicit Folder(const char* name) {
    std::string pattern = (std::filesystem::temp_directory_path() / (std::string(name) + "-XXXXXX")).string();
    path = ::mkdtemp(pattern.data()) ? pattern : std::filesystem::temp_directory_path().string();
    paths::SetCompanionBase(path + "/korvane");
  }
  ~Folder() {
    paths::SetCompanionBase("");
    std::error_code ec;
    if (path != std::filesystem::temp_directory_path().string()) std::filesystem::remove_all(path, ec);
  }
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;

  std::string path;
};

// A new document with its companion files in a folder of its own; the document goes first.
struct Document {
  explicit Document(const char* name) : folder(name), doc(std::make_unique<CKorvaneDoc>()) { doc->OnNewDocument(); }

  CObjectList& List() { return *doc->GetObjectList(); }

  Folder folder;
  std::unique_ptr<CKorvaneDoc> doc;
};

// A new object of a kind that the list adds without a source; null for the others.
inline CDrawObject* AddOfKind(CObjectList& list, int kind) {
  switch (kind) {
    case TYPE_LINE: return list.AddLine(nullptr, TRUE, TRUE);
    case TYPE_RECTANGLE: return list.AddRectangle(nullptr, TRUE, TRUE);
    case TYPE_CIRCLE: return list.AddCircle(nullptr, TRUE, TRUE);
    case TYPE_TRIANGLE: return list.AddTriangle(nullptr, TRUE, TRUE);
    case TYPE_RHOMBIC: return list.AddRhombic(nullptr, TRUE, TRUE);
    case TYPE_POLYGON: return list.AddPolygon(nullptr, TRUE, TRUE);
    case TYPE_TEXT1: return list.AddText1(nullptr, TRUE, TRUE);
    case TYPE_TEXT2: return list.AddText2(nullptr, TRUE, TRUE);
    case TYPE_BARCODE: return list.AddBarcode(nullptr, TRUE, TRUE);
    default: return nullptr;
  }
}

// Adds `count` objects with the kinds in turn; place(i, object) sets up the i-th.
template <class Place>
void AddMixed(CObjectList& list, int count, std::initializer_list<int> kinds, Place place) {
  for (int i = 0; i < count; ++i) place(i, AddOfKind(list, kinds.begin()[static_cast<size_t>(i) % kinds.size()]));
}
inline void AddMixed(CObjectList& list, int count, std::initializer_list<int> kinds) {
  AddMixed(list, count, kinds, [](int, CDrawObject*) {});
}

// The form view's part for pages made on their own: the document, and no page memory.
class FormHost : public IPageFormHost {
 public:
  CKorvaneDoc* doc = nullptr;
  CKorvaneDoc* GetPageDocument() override { return doc; }
  int GetRememberedPage(int) override { return 0; }
  void SetRememberedPage(int, int) override {}
};

}  // namespace benchdoc
