// The design the canvas benchmarks share: 500 mixed entries (every shape kind, straight and arc
// texts, small bitmaps) in a 25 x 20 grid over the default 420 x 240 mm page, with a canvas
// view of 900 x 700 pixels on it.
#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <filesystem>
#include <memory>
#include <string>

#include "canvas/leftview.h"
#include "imaging/monobmp.h"
#include "model/bmpobject.h"
#include "model/drawobject.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "model/textobject.h"
#include "platform/paths.h"

namespace benchdesign {

inline std::vector<BYTE> SmallImage() {
  constexpr int kSide = 48;
  std::vector<BYTE> block = MonoBmpFile::Create(kSide, kSide);
  const int stride = static_cast<int>(MonoBmpFile::Stride(kSide));
  for (int y = 0; y < kSide; ++y) {
    BYTE* row = block.data() + MonoBmpFile::kHeaderSize + static_cast<size_t>(kSide - 1 - y) * stride;
    for (int x = 0; x < kSide; ++x)
      if ((x / 6 + y / 6) % 2 == 0) row[x / 8] &= static_cast<BYTE>(~(0x80 >> (x % 8)));
  }
  return block;
}

template <class T>
void OneCopy(T* o, double x, double y) {
  o->m_dPosX = x;
  o->m_dPosY = y;
  o->m_nRows = 1;
  o->m_nColumns = 1;
  o->m_nOutputMode = 2;
}

// The grid position of entry k (0-based after the work area), millimetres.
inline double X(int k) { return -192 + (k % 25) * 16.0; }
inline double Y(int k) { return -104.5 + (k % 500 / 25) * 11.0; }

// Adds `count` entries of the mix; past 500 the 25 x 20 grid repeats, one layer over the last.
inline void AddMix(CObjectList& list, int count) {
  for (int k = 0; k < count; ++k) {
    const double x = X(k), y = Y(k);
    switch (k % 10) {
      case 0: { auto* o = list.AddLine(nullptr, TRUE, TRUE); o->m_dWidth = 10; o->m_dHeight = 0.5; o->m_dAngle = 30; OneCopy(o, x, y); break; }
      case 1: { auto* o = list.AddRectangle(nullptr, TRUE, TRUE); o->m_dWidth = 10; o->m_dHeight = 7; o->m_nEdgeStyle = 1; o->m_dEdgeRadius = 2; OneCopy(o, x, y); break; }
      case 2: { auto* o = list.AddCircle(nullptr, TRUE, TRUE); o->m_dSizeX = 8; o->m_dSizeY = 8; OneCopy(o, x, y); break; }
      case 3: { auto* o = list.AddTriangle(nullptr, TRUE, TRUE); o->m_dWidth = 10; o->m_dHeight = 8; OneCopy(o, x, y); break; }
      case 4: { auto* o = list.AddRhombic(nullptr, TRUE, TRUE); o->m_dWidth = 10; o->m_dHeight = 8; OneCopy(o, x, y); break; }
      case 5: { auto* o = list.AddPolygon(nullptr, TRUE, TRUE); o->m_dSize = 9; o->m_nEdges = 6; OneCopy(o, x, y); break; }
      case 6:
      case 7: { auto* o = list.AddText1(nullptr, TRUE, TRUE); o->m_dWidth = 12; o->m_dHeight = 6; o->m_dCharWidth = 3; o->m_dCharHeight = 5; o->SetText("AB12"); OneCopy(o, x, y); break; }
      case 8: { auto* o = list.AddText2(nullptr, TRUE, TRUE); o->m_dRadiusX = 5; o->m_dRadiusY = 5; o->m_dCharWidth = 2; o->m_dCharHeight = 3; o->SetText("ABCDE"); OneCopy(o, x, y); break; }
      default: {
        CBmpObject* o = list.AddBmpFromImage(SmallImage());
        o->m_dWidth = 8;
        o->m_dHeight = 8;
        o->m_dPosX = x;
        o->m_dPosY = y;
        o->m_nOutputMode = 2;
        break;
      }
    }
  }
}

// A new document with its companion files in a temporary folder, and a canvas view of 900 x 700
// pixels once ShowView is called.
struct Scene {
  std::string folder;
  std::unique_ptr<CKorvaneDoc> doc;
  std::unique_ptr<CLeftView> view;

  explicit Scene(const char* name) {
    folder = (std::filesystem::temp_directory_path() / name).string();
    std::filesystem::create_directories(folder);
    paths::SetCompanionBase(folder + "/korvane");
    doc = std::make_unique<CKorvaneDoc>();
    doc->OnNewDocument();
  }
  ~Scene() {
    view.reset();
    doc.reset();
    paths::SetCompanionBase("");
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
  CObjectList& List() { return *doc->GetObjectList(); }
  void ShowView() {
    view = std::make_unique<CLeftView>(doc.get());
    view->resize(900, 700);
    view->show();
    QApplication::processEvents();
  }
  // Zoom index, scroll sizes, one full paint.
  void Show(int zoom) {
    doc->SetZoomQuiet(zoom);
    view->SetScrollSizesForZoom();
    Paint();
  }
  void Paint() {
    view->Invalidate(TRUE);
    view->UpdateWindow();
  }
};

struct Design : Scene {
  static constexpr int kCount = 500;

  explicit Design(const char* name) : Scene(name) {
    AddMix(List(), kCount);
    ShowView();
  }
};

// The one design of a benchmark program: made on first use, and gone before the QApplication is
// (a view that outlives the application crashes at exit).
inline Design& SharedDesign(const char* name) {
  static std::unique_ptr<Design> design;
  if (!design) {
    design = std::make_unique<Design>(name);
    qAddPostRoutine([] { design.reset(); });
  }
  return *design;
}

}  // namespace benchdesign
