// One row per (kind, control) of the property setters, written from the control tables as a
// page author reads them: the field each control reaches, its range (both ends in, a step past
// either end refused with the field's value in the reply), and whether the kind's prototype
// takes the value too.
#include <functional>

#include "doc_fakes.h"
#include "imaging/monobmp.h"
#include "model/bmpobject.h"
#include "model/drawingobject.h"
#include "model/textobject.h"

namespace {

constexpr double P = 1000.0;
constexpr int NO_LIMIT = 2000000000;

struct DoubleCase {
  int kind, id;
  double lo, hi;
  bool objectOnly;
  std::function<double&(CDrawObject*)> field;
};

struct IntCase {
  int kind, id;
  int lo, hi;  // a radio: lo == hi == the code it stores
  bool radio;
  std::function<int&(CDrawObject*)> field;
};

#define DF(K, ID, T, F, LO, HI) DoubleCase{K, ID, LO, HI, false, [](CDrawObject* o) -> double& { return static_cast<T*>(o)->F; }}
#define POS(K, IDX, IDY)                                                                                   \
  DoubleCase{K, IDX, -P, P, true, [](CDrawObject* o) -> double& { return o->m_dPosX; }},                  \
      DoubleCase{K, IDY, -P, P, true, [](CDrawObject* o) -> double& { return o->m_dPosY; }}
#define IF(K, ID, T, F, LO, HI) IntCase{K, ID, LO, HI, false, [](CDrawObject* o) -> int& { return static_cast<T*>(o)->F; }}
#define RADIO(K, ID, T, F, CODE) IntCase{K, ID, CODE, CODE, true, [](CDrawObject* o) -> int& { return static_cast<T*>(o)->F; }}

const std::vector<DoubleCase>& DoubleCases() {
  static const std::vector<DoubleCase> cases = {
      POS(0, 1148, 1152), DF(0, 1155, CLineObject, m_dWidth, 0, P), DF(0, 1158, CLineObject, m_dHeight, 0, P),
      DF(0, 1161, CLineObject, m_dAngle, -P, P), DF(0, 1170, CLineObject, m_dRowGap, -P, P),
      DF(0, 1173, CLineObject, m_dColumnGap, -P, P),
      POS(1, 1176, 1180), DF(1, 1183, CRectangleObject, m_dWidth, 0, P), DF(1, 1186, CRectangleObject, m_dHeight, 0, P),
      DF(1, 1189, CRectangleObject, m_dEdgeSize, 0, P), DF(1, 1191, CRectangleObject, m_dEdgeRadius, 0, P),
      DF(1, 1201, CRectangleObject, m_dRowGap, -P, P), DF(1, 1204, CRectangleObject, m_dColumnGap, -P, P),
      POS(2, 1210, 1214), DF(2, 1217, CCircleObject, m_dSizeX, 0, P), DF(2, 1220, CCircleObject, m_dSizeY, 0, P),
      DF(2, 1223, CCircleObject, m_dEdgeSize, 0, P), DF(2, 1232, CCircleObject, m_dRowGap, -P, P),
      DF(2, 1235, CCircleObject, m_dColumnGap, -P, P),
      POS(3, 1239, 1242), DF(3, 1245, CTriangleObject, m_dWidth, 0, P), DF(3, 1248, CTriangleObject, m_dHeight, 0, P),
      DF(3, 1251, CTriangleObject, m_dEdgeSize, 0, P), DF(3, 1263, CTriangleObject, m_dRowGap, -P, P),
      DF(3, 1266, CTriangleObject, m_dColumnGap, -P, P),
      POS(4, 1273, 1276), DF(4, 1279, CRhombicObject, m_dWidth, 0, P), DF(4, 1282, CRhombicObject, m_dHeight, 0, P),
      DF(4, 1270, CRhombicObject, m_dEdgeSize, 0, P), DF(4, 1291, CRhombicObject, m_dRowGap, -P, P),
      DF(4, 1294, CRhombicObject, m_dColumnGap, -P, P),
      POS(5, 1298, 1301), DF(5, 1304, CPolygonObject, m_dSize, 0, P), DF(5, 1307, CPolygonObject, m_dEdgeSize, 0, P),
      DF(5, 1319, CPolygonObject, m_dRowGap, -P, P), DF(5, 1322, CPolygonObject, m_dColumnGap, -P, P),
      POS(6, 1003, 1006), DF(6, 1009, CText1Object, m_dWidth, 0, P), DF(6, 1012, CText1Object, m_dHeight, 0, P),
      DF(6, 1021, CText1Object, m_dCharWidth, 0, P), DF(6, 1024, CText1Object, m_dCharHeight, 0, P),
      DF(6, 1015, CText1Object, m_dCharGap, -P, P), DF(6, 1018, CText1Object, m_dAngle, -P, P),
      DF(6, 1027, CText1Object, m_dLineGap, -P, P), DF(6, 1047, CText1Object, m_dRowGap, -P, P),
      DF(6, 1053, CText1Object, m_dColumnGap, -P, P), DF(6, 1361, CText1Object, m_dLineWidthX, -P, P),
      DF(6, 1358, CText1Object, m_dLineWidthY, -P, P),
      POS(7, 1364, 1367), DF(7, 1370, CText2Object, m_dRadiusX, 0, P), DF(7, 1373, CText2Object, m_dRadiusY, 0, P),
      DF(7, 1376, CText2Object, m_dSpan, 0, P), DF(7, 1379, CText2Object, m_dAngle, -P, P),
      DF(7, 1382, CText2Object, m_dCharWidth, 0, P), DF(7, 1385, CText2Object, m_dCharHeight, 0, P),
      DF(7, 1397, CText2Object, m_dRowGap, -P, P), DF(7, 1400, CText2Object, m_dColumnGap, -P, P),
      DF(7, 1429, CText2Object, m_dLineWidthX, -P, P), DF(7, 1432, CText2Object, m_dLineWidthY, -P, P),
      POS(8, 1417, 1420), DF(8, 1423, CBmpObject, m_dWidth, 0, P), DF(8, 1426, CBmpObject, m_dHeight, 0, P),
      DF(8, 1435, CBmpObject, m_dRowGap, -P, P), DF(8, 1438, CBmpObject, m_dColumnGap, -P, P),
      POS(9, 1435, 1438), DF(9, 1441, CBarcodeObject, m_dSizeX, 0, P), DF(9, 1444, CBarcodeObject, m_dSizeY, 0, P),
      DF(9, 1459, CBarcodeObject, m_dRowGap, -P, P), DF(9, 1462, CBarcodeObject, m_dColumnGap, -P, P),
  };
  return cases;
}

const std::vector<IntCase>& IntCases() {
  static const std::vector<IntCase> cases = {
      IF(0, 1164, CLineObject, m_nRows, 0, 999), IF(0, 1167, CLineObject, m_nColumns, 0, 999),
      IF(1, 1195, CRectangleObject, m_nRows, 0, 999), IF(1, 1198, CRectangleObject, m_nColumns, 0, 999),
      RADIO(1, 1207, CRectangleObject, m_nEdgeStyle, 0), RADIO(1, 1209, CRectangleObject, m_nEdgeStyle, 1),
      RADIO(1, 1211, CRectangleObject, m_nEdgeStyle, 2),
      IF(2, 1226, CCircleObject, m_nRows, 0, 999), IF(2, 1229, CCircleObject, m_nColumns, 0, 999),
      RADIO(3, 1254, CTriangleObject, m_nDirection, 0), RADIO(3, 1255, CTriangleObject, m_nDirection, 1),
      IF(3, 1257, CTriangleObject, m_nRows, 0, 999), IF(3, 1260, CTriangleObject, m_nColumns, 0, 9999),
      IF(4, 1285, CRhombicObject, m_nRows, 0, 999), IF(4, 1288, CRhombicObject, m_nColumns, 0, 999),
      IF(5, 1310, CPolygonObject, m_nEdges, 3, 999), IF(5, 1313, CPolygonObject, m_nRows, 0, 999),
      IF(5, 1316, CPolygonObject, m_nColumns, 0, 999),
      IF(6, 1028, CText1Object, m_nCountStart, -NO_LIMIT, NO_LIMIT), IF(6, 1033, CText1Object, m_nCountDigits, 0, 99),
      IF(6, 1036, CText1Object, m_nRows, 0, 999), IF(6, 1041, CText1Object, m_nColumns, 0, 999),
      RADIO(6, 1328, CText1Object, m_nWriteDirection, 0), RADIO(6, 1329, CText1Object, m_nWriteDirection, 1),
      RADIO(6, 1333, CText1Object, m_nAlign, 0), RADIO(6, 1335, CText1Object, m_nAlign, 1),
      RADIO(6, 1337, CText1Object, m_nAlign, 2), RADIO(6, 1339, CText1Object, m_nAlign, 3),
      IF(7, 1391, CText2Object, m_nRows, 0, 999), IF(7, 1394, CText2Object, m_nColumns, 0, 999),
      RADIO(7, 1403, CText2Object, m_nDirection, 0), RADIO(7, 1404, CText2Object, m_nDirection, 1),
      IF(8, 1429, CBmpObject, m_nRows, 0, 999), IF(8, 1432, CBmpObject, m_nColumns, 0, 999),
      RADIO(8, 1441, CBmpObject, m_bInvert, 0), RADIO(8, 1442, CBmpObject, m_bInvert, 1),
      RADIO(8, 1447, CBmpObject, m_nStretchMode, 0), RADIO(8, 1445, CBmpObject, m_nStretchMode, 1),
      RADIO(8, 1446, CBmpObject, m_nStretchMode, 2),
      IF(8, 1581, CBmpObject, m_nTone, -NO_LIMIT, NO_LIMIT), IF(8, 1582, CBmpObject, m_nGradation, -NO_LIMIT, NO_LIMIT),
      IF(9, 1453, CBarcodeObject, m_nRows, 0, 999), IF(9, 1456, CBarcodeObject, m_nColumns, 0, 999),
      IF(9, 1646, CBarcodeObject, m_nLevel, 0, 3), IF(9, 1647, CBarcodeObject, m_nVersion, -1, 40),
  };
  return cases;
}

const std::vector<std::pair<int, std::function<int&(CDrawObject*)>>>& CheckCases() {
#define CK(K, ID, T, F) {ID, [](CDrawObject* o) -> int& { return static_cast<T*>(o)->F; }}
  static const std::vector<std::pair<int, std::function<int&(CDrawObject*)>>> cases = {
      CK(0, 1174, CLineObject, m_bKeepAspect),       CK(1, 1205, CRectangleObject, m_bKeepAspect),
      CK(2, 1237, CCircleObject, m_bKeepAspect),     CK(3, 1268, CTriangleObject, m_bKeepAspect),
      CK(4, 1296, CRhombicObject, m_bKeepAspect),    CK(6, 1324, CText1Object, m_bVariable),
      CK(6, 1502, CText1Object, m_bCountUp),         CK(6, 1503, CText1Object, m_bWidthDirection),
      CK(7, 1405, CText2Object, m_bKeepAspect),      CK(7, 1504, CText2Object, m_bWidthDirection),
      CK(8, 1443, CBmpObject, m_bKeepAspect),
  };
#undef CK
  return cases;
}
const int kCheckKinds[] = {0, 1, 2, 3, 4, 6, 6, 6, 7, 7, 8};

class PropertyRowsTest : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    // One object of each kind 0 to 9 at list index kind + 1.
    for (int kind = 0; kind <= 9; ++kind) {
      if (kind == TYPE_BMP) {
        List().AddBmpFromImage(MonoBmpFile::Create(16, 16));
      } else {
        ASSERT_EQ(doc->AddNewObject(kind), kind);
      }
    }
    ASSERT_EQ(List().GetCount(), 11);
    log.Clear();
  }
  CDrawObject* SelectKind(int kind) {
    doc->SetCurrentObject(kind + 1, FALSE, FALSE);
    EXPECT_EQ(doc->m_nCurrentKind, kind);
    return doc->m_pCurrentObject;
  }
};

TEST_F(PropertyRowsTest, EveryDoubleControlReachesItsFieldWithinItsRange) {
  for (const DoubleCase& c : DoubleCases()) {
    SCOPED_TRACE(::testing::Message() << "kind " << c.kind << " id " << c.id);
    CDrawObject* o = SelectKind(c.kind);
    CDrawObject* proto = List().GetPrototype(c.kind);
    ASSERT_TRUE(proto);
    const double protoBefore = c.field(proto);
    EXPECT_EQ(doc->SetDoubleProperty(c.id, c.lo), 1);
    EXPECT_DOUBLE_EQ(c.field(o), c.lo);
    EXPECT_EQ(doc->SetDoubleProperty(c.id, c.hi), 1);
    EXPECT_DOUBLE_EQ(c.field(o), c.hi);
    if (c.objectOnly) {
      EXPECT_DOUBLE_EQ(c.field(proto), protoBefore);
    } else {
      EXPECT_DOUBLE_EQ(c.field(proto), c.hi);
    }
    log.Clear();
    EXPECT_EQ(doc->SetDoubleProperty(c.id, c.hi + 0.001), 0);
    EXPECT_EQ(doc->SetDoubleProperty(c.id, c.lo - 0.001), 0);
    EXPECT_EQ(doc->SetDoubleProperty(c.id, std::nan("")), 0);
    EXPECT_DOUBLE_EQ(doc->m_dReplyDouble, c.hi);
    EXPECT_DOUBLE_EQ(c.field(o), c.hi);
    EXPECT_TRUE(log.records.empty());
  }
}

TEST_F(PropertyRowsTest, EveryIntControlReachesItsFieldWithinItsRange) {
  for (const IntCase& c : IntCases()) {
    SCOPED_TRACE(::testing::Message() << "kind " << c.kind << " id " << c.id);
    CDrawObject* o = SelectKind(c.kind);
    CDrawObject* proto = List().GetPrototype(c.kind);
    if (c.radio) {
      c.field(o) = c.lo == 0 ? 1 : 0;
      EXPECT_EQ(doc->SetIntProperty(c.id, 0), 1);
      EXPECT_EQ(c.field(o), c.lo);
      EXPECT_EQ(c.field(proto), c.lo);
      continue;
    }
    EXPECT_EQ(doc->SetIntProperty(c.id, c.lo), 1);
    EXPECT_EQ(c.field(o), c.lo);
    EXPECT_EQ(doc->SetIntProperty(c.id, c.hi), 1);
    EXPECT_EQ(c.field(o), c.hi);
    EXPECT_EQ(c.field(proto), c.hi);
    if (c.hi == NO_LIMIT) continue;
    EXPECT_EQ(doc->SetIntProperty(c.id, c.hi + 1), 0);
    EXPECT_EQ(doc->SetIntProperty(c.id, c.lo - 1), 0);
    EXPECT_EQ(doc->m_nReplyInt, c.hi);
    EXPECT_EQ(c.field(o), c.hi);
  }
}

TEST_F(PropertyRowsTest, EveryCheckBoxReachesItsFieldAndThePrototype) {
  for (size_t i = 0; i < CheckCases().size(); ++i) {
    const auto& [id, field] = CheckCases()[i];
    SCOPED_TRACE(::testing::Message() << "id " << id);
    CDrawObject* o = SelectKind(kCheckKinds[i]);
    EXPECT_EQ(doc->SetCheckProperty(id, 1), 1);
    EXPECT_EQ(field(o), 1);
    EXPECT_EQ(field(List().GetPrototype(kCheckKinds[i])), 1);
    EXPECT_EQ(doc->SetCheckProperty(id, 0), 1);
    EXPECT_EQ(field(o), 0);
  }
  SelectKind(TYPE_POLYGON);
  EXPECT_EQ(doc->SetCheckProperty(1174, 1), 0);  // the polygon has no check box
  SelectKind(TYPE_BARCODE);
  EXPECT_EQ(doc->SetCheckProperty(1443, 1), 0);
}

TEST_F(PropertyRowsTest, WorkAreaControlsReachTheirChildren) {
  doc->SetCurrentObject(0, FALSE, FALSE);
  auto* work = static_cast<CDrawingObject*>(doc->m_pCurrentObject);
  CDrawingSettingObject& s = *work->m_pSetting;
  CDrawingAreaObject& a = *work->m_pArea;
  CDrawingFieldObject& f = *work->m_pField;
  struct Row {
    int id;
    double* field;
    double lo, hi;
    bool redraw;
  };
  const Row rows[] = {
      {1031, &s.m_dEditArea, 0, P, true},   {1035, &s.m_dGridSize, 0, P, true},  {1081, &s.m_dScaleX, 0, P, false},
      {1087, &s.m_dScaleY, 0, P, false},    {1093, &s.m_dHomeX, 0, P, false},    {1099, &s.m_dHomeY, 0, P, false},
      {1057, &a.m_dPosX, -P, P, true},      {1065, &a.m_dPosY, -P, P, true},     {1069, &a.m_dWidth, 0, P, true},
      {1072, &a.m_dHeight, 0, P, true},     {1067, &a.m_dCornerRadius, 0, P, true},
      {1073, &a.m_dFrameWidth, 0, P, true}, {1080, &a.m_dScanSpan, 0, P, false},
      {1106, &f.m_dFieldX, 0, P, false},    {1118, &f.m_dFieldY, 0, P, false},   {1126, &f.m_dPosX, -P, P, false},
      {1132, &f.m_dPosY, -P, P, false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::Message() << "id " << r.id);
    EXPECT_EQ(doc->SetDoubleProperty(r.id, r.lo), 1);
    EXPECT_DOUBLE_EQ(*r.field, r.lo);
    EXPECT_EQ(doc->SetDoubleProperty(r.id, r.hi), 1);
    EXPECT_EQ(doc->TakeRedrawAllFlag() != FALSE, r.redraw);
    EXPECT_EQ(doc->SetDoubleProperty(r.id, r.hi + 0.001), 0);
    EXPECT_DOUBLE_EQ(doc->m_dReplyDouble, r.hi);
    EXPECT_FALSE(doc->TakeRedrawAllFlag());
  }
  struct IntRow {
    int id;
    int* field;
    int lo, hi;
  };
  const IntRow ints[] = {{1084, &s.m_nScanAngle, -360, 360}, {1075, &a.m_nResolution, 1, 100}};
  for (const IntRow& r : ints) {
    SCOPED_TRACE(::testing::Message() << "id " << r.id);
    EXPECT_EQ(doc->SetIntProperty(r.id, r.lo), 1);
    EXPECT_EQ(*r.field, r.lo);
    EXPECT_EQ(doc->SetIntProperty(r.id, r.hi), 1);
    EXPECT_EQ(doc->SetIntProperty(r.id, r.hi + 1), 0);
    EXPECT_EQ(doc->SetIntProperty(r.id, r.lo - 1), 0);
    EXPECT_EQ(doc->m_nReplyInt, r.hi);
  }
  // Radio groups store the value the page passes.
  const std::pair<std::vector<int>, int*> groups[] = {
      {{1050, 1052, 1054, 1056, 1058, 1060, 1062, 1064}, &s.m_nCurrentLayer},
      {{1086, 1088, 1090, 1092, 1094}, &a.m_nOutlineStyle},
      {{1098, 1100}, &a.m_nScanStyle},
      {{1111, 1114}, &a.m_nScanDirection},
      {{1120, 1123}, &a.m_nOutputStyle},
      {{1127, 1129, 1131, 1133}, &a.m_nConversionStyle},
      {{1136, 1137, 1138, 1139, 1140, 1141, 1142, 1143, 1144}, &f.m_nPlotterPosition},
  };
  for (const auto& [ids, field] : groups) {
    for (size_t i = 0; i < ids.size(); ++i) {
      SCOPED_TRACE(::testing::Message() << "id " << ids[i]);
      EXPECT_EQ(doc->SetIntProperty(ids[i], static_cast<int>(i)), 1);
      EXPECT_EQ(*field, static_cast<int>(i));
    }
  }
  EXPECT_EQ(doc->SetIntProperty(1086, 4), 1);
  EXPECT_TRUE(doc->TakeRedrawAllFlag());  // the area's shape repaints everything
  // Layer rows: count, power, speed and the constant-speed box at the row.
  EXPECT_EQ(doc->SetPropertyInt(1105, 100, 3), 1);
  EXPECT_EQ(doc->SetPropertyInt(1113, 1000, 3), 1);
  EXPECT_EQ(doc->SetPropertyInt(1122, 100, 3), 1);
  EXPECT_EQ(doc->SetPropertyInt(1122, 101, 3), 0);
  EXPECT_EQ(doc->SetPropertyCheck(1067, 1, 3), 1);
  EXPECT_EQ(s.m_Layers[3], (CLayerRecord{100, 1000, 100, 1}));
  EXPECT_EQ(s.m_Layers[2], CLayerRecord{});
  // The check boxes of the drawing settings.
  const std::pair<int, int*> checks[] = {
      {1040, &s.m_bSwapXY}, {1042, &s.m_bReverseX}, {1044, &s.m_bReverseY}, {1046, &s.m_bHomeAfter}};
  for (const auto& [id, field] : checks) {
    EXPECT_EQ(doc->SetCheckProperty(id, 1), 1) << id;
    EXPECT_EQ(*field, 1) << id;
  }
}

TEST_F(PropertyRowsTest, KindsWithoutControlsRefuseEverything) {
  doc->m_nCurrentKind = TYPE_NONE;
  EXPECT_EQ(doc->SetDoubleProperty(1155, 1.0), 0);
  EXPECT_EQ(doc->SetIntProperty(1164, 1), 0);
  EXPECT_EQ(doc->SetCheckProperty(1174, 1), 0);
  // A control of another kind is unknown to the current one.
  SelectKind(TYPE_LINE);
  EXPECT_EQ(doc->SetDoubleProperty(1183, 1.0), 0);
  EXPECT_EQ(doc->SetIntProperty(1195, 1), 0);
}

}  // namespace
