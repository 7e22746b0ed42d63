// Writes the seed corpora of the fuzz targets with the project's own writers:
//   make_fuzz_seeds <corpus folder>
// gives <corpus folder>/<target>/seed_*.
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "files/machine_id.h"
#include "files/mrk_binary.h"
#include "files/mrk_text.h"
#include "files/settings.h"
#include "fuzz/fuzz_support.h"
#include "imaging/monobmp.h"
#include "model/bmpobject.h"
#include "model/doc_archive.h"
#include "model/doc_clipboard.h"
#include "model/drawingobject.h"
#include "model/objectlist.h"
#include "model/textobject.h"

namespace {

std::filesystem::path g_root;

void Put(const char* target, const char* name, const std::vector<BYTE>& bytes) {
  const auto dir = g_root / target;
  std::filesystem::create_directories(dir);
  if (!fileio::WriteAtomically((dir / name).string(), bytes.data(), bytes.size())) fuzz::Fail("seed not written");
}

void Put(const char* target, const char* name, const std::string& text) {
  Put(target, name, std::vector<BYTE>(text.begin(), text.end()));
}

std::vector<BYTE> SmallImage() {
  std::vector<BYTE> img = MonoBmpFile::Create(24, 10);
  const int64_t stride = MonoBmpFile::Stride(24);
  for (int y = 2; y < 8; ++y) img[MonoBmpFile::kHeaderSize + y * stride] = 0x0F;
  return img;
}

// One object of every kind, each with a grid of two copies and a few values off their defaults.
void BuildDesign(CObjectList& list) {
  CLineObject* line = list.AddLine(nullptr, TRUE, TRUE);
  line->m_dWidth = 12;
  line->m_nRows = 2;
  CRectangleObject* rect = list.AddRectangle(nullptr, TRUE, TRUE);
  rect->m_nEdgeStyle = 1;
  rect->m_dEdgeRadius = 2;
  list.AddCircle(nullptr, TRUE, TRUE)->m_nColumns = 2;
  list.AddTriangle(nullptr, TRUE, TRUE)->m_nDirection = 1;
  list.AddRhombic(nullptr, TRUE, TRUE);
  list.AddPolygon(nullptr, TRUE, TRUE)->m_nEdges = 7;
  CText1Object* t1 = list.AddText1(nullptr, TRUE, TRUE);
  t1->SetText(CString("AB\r\n\x82\xA0" "C"));
  t1->m_vCharRecords[0].dSizeX = 0.5;
  t1->m_bCountUp = 1;
  CText2Object* t2 = list.AddText2(nullptr, TRUE, TRUE);
  t2->SetText(CString("XYZ"));
  t2->m_vCharRecords[1].dOffsetY = -1;
  CBmpObject* bmp = list.AddBmpFromImage(SmallImage());
  bmp->m_strPath = "seed.bmp";
  list.AddBarcode(nullptr, TRUE, TRUE)->m_strText = "SEED";
}

// Every double field of every kind, each taking the next value of a cycle of extreme finite
// values: the readers keep any finite value, and drawing, capturing and rastering what they
// keep must stay defined.
class ExtremeValues {
 public:
  ExtremeValues(std::vector<double> cycle, size_t start) : m_cycle(std::move(cycle)), m_next(start) {}
  void Set(std::initializer_list<double*> fields) {
    for (double* f : fields) *f = m_cycle[m_next++ % m_cycle.size()];
  }

 private:
  std::vector<double> m_cycle;
  size_t m_next;
};

void SetRecords(CTextCharRecords& records, ExtremeValues& v) {
  for (CTextCharRecord& r : records)
    v.Set({&r.dSizeX, &r.dSizeY, &r.dOffsetX, &r.dOffsetY, &r.dAngle, &r.dFontWidthX, &r.dFontWidthY});
}

void SetExtreme(CDrawObject* o, ExtremeValues& v) {
  if (!o) return;
  v.Set({&o->m_dPosX, &o->m_dPosY, &o->m_dScanInterval});
  switch (o->m_nType) {
    case TYPE_LINE: {
      auto* k = static_cast<CLineObject*>(o);
      v.Set({&k->m_dWidth, &k->m_dHeight, &k->m_dAngle, &k->m_dRowGap, &k->m_dColumnGap});
      break;
    }
    case TYPE_RECTANGLE: {
      auto* k = static_cast<CRectangleObject*>(o);
      v.Set({&k->m_dWidth, &k->m_dHeight, &k->m_dEdgeSize, &k->m_dEdgeRadius, &k->m_dRowGap, &k->m_dColumnGap});
      break;
    }
    case TYPE_CIRCLE: {
      auto* k = static_cast<CCircleObject*>(o);
      v.Set({&k->m_dSizeX, &k->m_dSizeY, &k->m_dEdgeSize, &k->m_dRowGap, &k->m_dColumnGap});
      break;
    }
    case TYPE_TRIANGLE: {
      auto* k = static_cast<CTriangleObject*>(o);
      v.Set({&k->m_dWidth, &k->m_dHeight, &k->m_dEdgeSize, &k->m_dRowGap, &k->m_dColumnGap});
      break;
    }
    case TYPE_RHOMBIC: {
      auto* k = static_cast<CRhombicObject*>(o);
      v.Set({&k->m_dWidth, &k->m_dHeight, &k->m_dEdgeSize, &k->m_dRowGap, &k->m_dColumnGap});
      break;
    }
    case TYPE_POLYGON: {
      auto* k = static_cast<CPolygonObject*>(o);
      v.Set({&k->m_dSize, &k->m_dEdgeSize, &k->m_dRowGap, &k->m_dColumnGap});
      break;
    }
    case TYPE_TEXT1: {
      auto* k = static_cast<CText1Object*>(o);
      v.Set({&k->m_dWidth, &k->m_dHeight, &k->m_dCharWidth, &k->m_dCharHeight, &k->m_dCharGap, &k->m_dAngle,
             &k->m_dLineGap, &k->m_dRowGap, &k->m_dColumnGap, &k->m_dLineWidthX, &k->m_dLineWidthY});
      SetRecords(k->m_vCharRecords, v);
      break;
    }
    case TYPE_TEXT2: {
      auto* k = static_cast<CText2Object*>(o);
      v.Set({&k->m_dRadiusX, &k->m_dRadiusY, &k->m_dSpan, &k->m_dAngle, &k->m_dCharWidth, &k->m_dCharHeight,
             &k->m_dRowGap, &k->m_dColumnGap, &k->m_dLineWidthX, &k->m_dLineWidthY});
      SetRecords(k->m_vCharRecords, v);
      break;
    }
    case TYPE_BMP: {
      auto* k = static_cast<CBmpObject*>(o);
      v.Set({&k->m_dWidth, &k->m_dHeight, &k->m_dRowGap, &k->m_dColumnGap});
      break;
    }
    case TYPE_BARCODE: {
      auto* k = static_cast<CBarcodeObject*>(o);
      v.Set({&k->m_dSizeX, &k->m_dSizeY, &k->m_dRowGap, &k->m_dColumnGap});
      break;
    }
    default: break;
  }
}

void SetExtreme(CDrawingObject* d, ExtremeValues& v) {
  SetExtreme(static_cast<CDrawObject*>(d), v);
  CDrawingSettingObject* s = d->m_pSetting.get();
  v.Set({&s->m_dPosX, &s->m_dPosY, &s->m_dEditArea, &s->m_dGridSize, &s->m_dScaleX, &s->m_dScaleY, &s->m_dHomeX,
         &s->m_dHomeY});
  CDrawingAreaObject* a = d->m_pArea.get();
  v.Set({&a->m_dPosX, &a->m_dPosY, &a->m_dWidth, &a->m_dHeight, &a->m_dScanSpan, &a->m_dFrameWidth,
         &a->m_dCornerRadius});
  CDrawingFieldObject* f = d->m_pField.get();
  v.Set({&f->m_dPosX, &f->m_dPosY, &f->m_dFieldX, &f->m_dFieldY});
}

// The design of BuildDesign, work area and prototypes included, with extreme values everywhere.
void BuildExtremeDesign(CObjectList& list, ExtremeValues& v) {
  BuildDesign(list);
  SetExtreme(list.GetDrawingObject(), v);
  for (int i = 1; i < list.GetCount(); ++i) SetExtreme(list.GetObject(i), v);
  for (int kind = TYPE_LINE; kind <= TYPE_BARCODE; ++kind) SetExtreme(list.GetPrototype(kind), v);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_fuzz_seeds <corpus folder>\n");
    return 2;
  }
  g_root = argv[1];
  fuzz::Init();

  CObjectList design;
  design.Initialize();
  BuildDesign(design);
  CObjectList empty;
  empty.Initialize();
  const std::vector<BYTE> binary = CMrkBinaryFile::Serialize(design);
  for (const char* target : {"fuzz_mrk_binary", "fuzz_render"}) {
    Put(target, "seed_design", binary);
    Put(target, "seed_work_area", CMrkBinaryFile::Serialize(empty));
  }

  CMrkTextFile text(CMrkTextFile::modeWrite);
  text.FormatList(design);
  Put("fuzz_mrk_text", "seed_design", text.GetBytes());

  // Extreme values up to +-1e300: the same value in every field, and a cycle started at each of
  // its values so that every field meets each of them.
  const std::vector<double> cycle = {1e300, -1e300, 1e9, -1e242, 1e150, -1e9, 1e-300};
  std::vector<std::pair<std::string, ExtremeValues>> extremes = {
      {"seed_extreme_max", ExtremeValues({1e300}, 0)}, {"seed_extreme_min", ExtremeValues({-1e300}, 0)}};
  for (size_t start = 0; start < cycle.size(); ++start)
    extremes.emplace_back("seed_extreme_" + std::to_string(start), ExtremeValues(cycle, start));
  for (auto& [name, values] : extremes) {
    CObjectList extreme;
    extreme.Initialize();
    BuildExtremeDesign(extreme, values);
    const std::vector<BYTE> bytes = CMrkBinaryFile::Serialize(extreme);
    for (const char* target : {"fuzz_mrk_binary", "fuzz_render"}) Put(target, name.c_str(), bytes);
    CMrkTextFile extremeText(CMrkTextFile::modeWrite);
    extremeText.FormatList(extreme);
    Put("fuzz_mrk_text", name.c_str(), extremeText.GetBytes());
    CDrawObject* extremePrototypes[ARCHIVE_PROTOTYPE_COUNT];
    for (int kind = 0; kind < ARCHIVE_PROTOTYPE_COUNT; ++kind) extremePrototypes[kind] = extreme.GetPrototype(kind);
    CArchive archive;
    StorePrototypes(archive, extremePrototypes);
    Put("fuzz_defaults_archive", name.c_str(), archive.Buffer());
  }

  Put("fuzz_bmp_file", "seed_image", SmallImage());

  const std::string settingsPath = (g_root / "settings.tmp").string();
  CKorvaneSettings settings;
  settings.System.PlacesFolder[0] = "/home/operator/designs";
  if (!WriteSettings(settings, settingsPath)) fuzz::Fail("settings not written");
  std::vector<BYTE> bytes;
  if (!fileio::ReadAll(settingsPath, bytes)) fuzz::Fail("settings not read");
  std::filesystem::remove(settingsPath);
  Put("fuzz_settings", "seed_settings", bytes);

  Put("fuzz_machine_id", "seed_k2", std::string("[Draventis]\r\nid=ABC-K2\r\n"));

  CDrawObject* prototypes[ARCHIVE_PROTOTYPE_COUNT];
  for (int kind = 0; kind < ARCHIVE_PROTOTYPE_COUNT; ++kind) prototypes[kind] = design.GetPrototype(kind);
  CArchive archive;
  StorePrototypes(archive, prototypes);
  Put("fuzz_defaults_archive", "seed_prototypes", archive.Buffer());

  ObjectClipboardBlock block;
  block.nOperation = CLIPBOARD_COPY;
  block.indices = {1, 3};
  Put("fuzz_clipboard", "seed_copy", block.ToBytes());
  block.nOperation = CLIPBOARD_CUT;
  block.indices = {2};
  Put("fuzz_clipboard", "seed_cut", block.ToBytes());

  CArchive mixed;
  mixed << static_cast<std::int32_t>(3) << 1.5 << CString("text") << static_cast<std::uint16_t>(7);
  std::vector<BYTE> plan = {4, 0, 4, 5, 2};
  plan.insert(plan.end(), mixed.Buffer().begin(), mixed.Buffer().end());
  Put("fuzz_archive", "seed_reads", plan);

  const std::vector<BYTE> image = MonoBmpFile::Create(200, 40);
  Put("fuzz_rle", "seed_coded", CMrkBinaryFile::Compress(image.data(), image.size()));
  Put("fuzz_rle", "seed_raw", SmallImage());
  return 0;
}
