// The property setters by control id. Ranges include both ends and are written so that NaN and
// the infinities never pass (a comparison with NaN is false).
#include <cmath>
#include <memory>

#include "model/korvane_doc.h"
#include "model/object_ranges.h"
#include "model/objectlist.h"
#include "render/qr_encoder.h"

namespace {

constexpr int F_OBJECT_ONLY = 1;  // positions: never into the prototype
constexpr int F_REDRAW = 2;       // the next canvas update repaints the whole window
constexpr int F_RECORD = 4;       // the character record at the row
constexpr int F_NO_EFFECT = 8;    // accepted without changing anything
constexpr int F_FIXED_OFFSET = 16;  // scanning-area offsets: >= 0 with the field fixed
// A fixed-field offset beyond this lies far outside every machine's bed: refused rather than
// sent (in machine units it stays well inside the int range of the wire).
constexpr double kFixedOffsetReachMm = 10000.0;

struct DoubleRow {
  int kind, id;
  double lo, hi;
  int flags;
};

constexpr double P = 1000.0;
constexpr DoubleRow kDoubleRows[] = {
    {0, 1148, -P, P, F_OBJECT_ONLY}, {0, 1152, -P, P, F_OBJECT_ONLY}, {0, 1155, 0, P, 0}, {0, 1158, 0, P, 0},
    {0, 1161, -P, P, 0}, {0, 1170, -P, P, 0}, {0, 1173, -P, P, 0},
    {1, 1176, -P, P, F_OBJECT_ONLY}, {1, 1180, -P, P, F_OBJECT_ONLY}, {1, 1183, 0, P, 0}, {1, 1186, 0, P, 0},
    {1, 1189, 0, P, 0}, {1, 1191, 0, P, 0}, {1, 1201, -P, P, 0}, {1, 1204, -P, P, 0},
    {2, 1210, -P, P, F_OBJECT_ONLY}, {2, 1214, -P, P, F_OBJECT_ONLY}, {2, 1217, 0, P, 0}, {2, 1220, 0, P, 0},
    {2, 1223, 0, P, 0}, {2, 1232, -P, P, 0}, {2, 1235, -P, P, 0},
    {3, 1239, -P, P, F_OBJECT_ONLY}, {3, 1242, -P, P, F_OBJECT_ONLY}, {3, 1245, 0, P, 0}, {3, 1248, 0, P, 0},
    {3, 1251, 0, P, 0}, {3, 1263, -P, P, 0}, {3, 1266, -P, P, 0},
    {4, 1273, -P, P, F_OBJECT_ONLY}, {4, 1276, -P, P, F_OBJECT_ONLY}, {4, 1279, 0, P, 0}, {4, 1282, 0, P, 0},
    {4, 1270, 0, P, 0}, {4, 1291, -P, P, 0}, {4, 1294, -P, P, 0},
    {5, 1298, -P, P, F_OBJECT_ONLY}, {5, 1301, -P, P, F_OBJECT_ONLY}, {5, 1304, 0, P, 0}, {5, 1307, 0, P, 0},
    {5, 1319, -P, P, 0}, {5, 1322, -P, P, 0},
    {6, 1003, -P, P, F_OBJECT_ONLY}, {6, 1006, -P, P, F_OBJECT_ONLY}, {6, 1009, 0, P, 0}, {6, 1012, 0, P, 0},
    {6, 1021, 0, P, 0}, {6, 1024, 0, P, 0}, {6, 1015, -P, P, 0}, {6, 1018, -P, P, 0}, {6, 1027, -P, P, 0},
    {6, 1047, -P, P, 0}, {6, 1053, -P, P, 0},
    {6, 1332, -P, P, F_RECORD}, {6, 1340, -P, P, F_RECORD}, {6, 1346, -P, P, F_RECORD}, {6, 1342, -P, P, F_RECORD},
    {6, 1352, -P, P, F_RECORD}, {6, 1355, -P, P, F_RECORD}, {6, 1349, -P, P, F_RECORD},
    {6, 1361, -P, P, 0}, {6, 1358, -P, P, 0}, {6, 1326, 0, 0, F_NO_EFFECT},
    {7, 1364, -P, P, F_OBJECT_ONLY}, {7, 1367, -P, P, F_OBJECT_ONLY}, {7, 1370, 0, P, 0}, {7, 1373, 0, P, 0},
    {7, 1376, 0, P, 0}, {7, 1379, -P, P, 0}, {7, 1382, 0, P, 0}, {7, 1385, 0, P, 0}, {7, 1397, -P, P, 0},
    {7, 1400, -P, P, 0},
    {7, 1408, -P, P, F_RECORD}, {7, 1411, -P, P, F_RECORD}, {7, 1414, -P, P, F_RECORD}, {7, 1417, -P, P, F_RECORD},
    {7, 1420, -P, P, F_RECORD}, {7, 1423, -P, P, F_RECORD}, {7, 1426, -P, P, F_RECORD},
    {7, 1429, -P, P, 0}, {7, 1432, -P, P, 0}, {7, 1389, 0, 0, F_NO_EFFECT},
    {8, 1417, -P, P, F_OBJECT_ONLY}, {8, 1420, -P, P, F_OBJECT_ONLY}, {8, 1423, 0, P, 0}, {8, 1426, 0, P, 0},
    {8, 1435, -P, P, 0}, {8, 1438, -P, P, 0},
    {9, 1435, -P, P, F_OBJECT_ONLY}, {9, 1438, -P, P, F_OBJECT_ONLY}, {9, 1441, 0, P, 0}, {9, 1444, 0, P, 0},
    {9, 1459, -P, P, 0}, {9, 1462, -P, P, 0},
    {12, 1457, -P, P, 0}, {12, 1460, -P, P, 0}, {12, 1463, 0, P, 0}, {12, 1466, 0, P, 0},
    {14, 1031, 0, P, F_REDRAW}, {14, 1035, 0, P, F_REDRAW}, {14, 1081, 0, P, 0}, {14, 1087, 0, P, 0},
    {14, 1093, 0, P, 0}, {14, 1099, 0, P, 0},
    {14, 1057, -P, P, F_REDRAW | F_FIXED_OFFSET}, {14, 1065, -P, P, F_REDRAW | F_FIXED_OFFSET},
    {14, 1069, 0, P, F_REDRAW}, {14, 1072, 0, P, F_REDRAW},
    // "R" is edit 1067 and "枠幅" edit 1073 on the scanning-area page.
    {14, 1067, 0, P, F_REDRAW}, {14, 1073, 0, P, F_REDRAW}, {14, 1080, 0, P, 0},
    {14, 1106, 0, P, 0}, {14, 1118, 0, P, 0}, {14, 1126, -P, P, 0}, {14, 1132, -P, P, 0},
};

// Int rows: a radio row stores its code (kinds 0 to 9) or the value passed (kind 14, F_VALUE).
constexpr int I_RADIO = 32;
constexpr int I_VALUE = 64;
constexpr int I_LAYER_ROW = 128;  // the layer record at the row
constexpr int I_ANY = 256;        // no range

struct IntRow {
  int kind, id;
  int lo, hi;
  int flags;
  int code;  // radios of kinds 0 to 9
};

constexpr IntRow kIntRows[] = {
    {0, 1164, 0, 999, 0, 0}, {0, 1167, 0, 999, 0, 0},
    {1, 1195, 0, 999, 0, 0}, {1, 1198, 0, 999, 0, 0}, {1, 1207, 0, 0, I_RADIO, 0}, {1, 1209, 0, 0, I_RADIO, 1},
    {1, 1211, 0, 0, I_RADIO, 2},
    {2, 1226, 0, 999, 0, 0}, {2, 1229, 0, 999, 0, 0},
    {3, 1254, 0, 0, I_RADIO, 0}, {3, 1255, 0, 0, I_RADIO, 1}, {3, 1257, 0, 999, 0, 0}, {3, 1260, 0, 9999, 0, 0},
    {4, 1285, 0, 999, 0, 0}, {4, 1288, 0, 999, 0, 0},
    {5, 1310, 3, 999, 0, 0}, {5, 1313, 0, 999, 0, 0}, {5, 1316, 0, 999, 0, 0},
    {6, 1028, 0, 0, I_ANY, 0}, {6, 1033, 0, 99, 0, 0}, {6, 1036, 0, 999, 0, 0}, {6, 1041, 0, 999, 0, 0},
    {6, 1328, 0, 0, I_RADIO, 0}, {6, 1329, 0, 0, I_RADIO, 1}, {6, 1333, 0, 0, I_RADIO, 0},
    {6, 1335, 0, 0, I_RADIO, 1}, {6, 1337, 0, 0, I_RADIO, 2}, {6, 1339, 0, 0, I_RADIO, 3},
    {7, 1391, 0, 999, 0, 0}, {7, 1394, 0, 999, 0, 0}, {7, 1403, 0, 0, I_RADIO, 0}, {7, 1404, 0, 0, I_RADIO, 1},
    {8, 1429, 0, 999, 0, 0}, {8, 1432, 0, 999, 0, 0}, {8, 1441, 0, 0, I_RADIO, 0}, {8, 1442, 0, 0, I_RADIO, 1},
    {8, 1447, 0, 0, I_RADIO, 0}, {8, 1445, 0, 0, I_RADIO, 1}, {8, 1446, 0, 0, I_RADIO, 2},
    {8, 1581, 0, 0, I_ANY, 0}, {8, 1582, 0, 0, I_ANY, 0},
    {9, 1453, 0, 999, 0, 0}, {9, 1456, 0, 999, 0, 0}, {9, 1646, 0, 3, 0, 0}, {9, 1647, -1, 40, 0, 0},
    {14, 1050, 0, 7, I_VALUE, 0}, {14, 1052, 0, 7, I_VALUE, 0}, {14, 1054, 0, 7, I_VALUE, 0},
    {14, 1056, 0, 7, I_VALUE, 0}, {14, 1058, 0, 7, I_VALUE, 0}, {14, 1060, 0, 7, I_VALUE, 0},
    {14, 1062, 0, 7, I_VALUE, 0}, {14, 1064, 0, 7, I_VALUE, 0},
    {14, 1084, -360, 360, 0, 0},
    {14, 1105, 0, 100, I_LAYER_ROW, 0}, {14, 1113, 0, 1000, I_LAYER_ROW, 0}, {14, 1122, 0, 100, I_LAYER_ROW, 0},
    // A resolution of 0 would leave the engines dividing by it.
    {14, 1075, 1, 100, 0, 0},
    {14, 1086, 0, 0, I_VALUE | I_ANY, 0}, {14, 1088, 0, 0, I_VALUE | I_ANY, 0}, {14, 1090, 0, 0, I_VALUE | I_ANY, 0},
    {14, 1092, 0, 0, I_VALUE | I_ANY, 0}, {14, 1094, 0, 0, I_VALUE | I_ANY, 0},
    {14, 1098, 0, 0, I_VALUE | I_ANY, 0}, {14, 1100, 0, 0, I_VALUE | I_ANY, 0},
    {14, 1111, 0, 0, I_VALUE | I_ANY, 0}, {14, 1114, 0, 0, I_VALUE | I_ANY, 0},
    {14, 1120, 0, 0, I_VALUE | I_ANY, 0}, {14, 1123, 0, 0, I_VALUE | I_ANY, 0},
    {14, 1127, 0, 0, I_VALUE | I_ANY, 0}, {14, 1129, 0, 0, I_VALUE | I_ANY, 0},
    {14, 1131, 0, 0, I_VALUE | I_ANY, 0}, {14, 1133, 0, 0, I_VALUE | I_ANY, 0},
    {14, 1136, 0, 0, I_VALUE | I_ANY, 0}, {14, 1137, 0, 0, I_VALUE | I_ANY, 0}, {14, 1138, 0, 0, I_VALUE | I_ANY, 0},
    {14, 1139, 0, 0, I_VALUE | I_ANY, 0}, {14, 1140, 0, 0, I_VALUE | I_ANY, 0}, {14, 1141, 0, 0, I_VALUE | I_ANY, 0},
    {14, 1142, 0, 0, I_VALUE | I_ANY, 0}, {14, 1143, 0, 0, I_VALUE | I_ANY, 0}, {14, 1144, 0, 0, I_VALUE | I_ANY, 0},
};

constexpr int kCheckRows[][2] = {
    {0, 1174}, {1, 1205}, {2, 1237}, {3, 1268}, {4, 1296}, {6, 1324}, {6, 1502}, {6, 1503},
    {7, 1405}, {7, 1504}, {8, 1443}, {14, 1040}, {14, 1042}, {14, 1044}, {14, 1046}, {14, 1067},
};

// A level at which the code's text fits no symbol would leave the code out of the picture and
// the output: refused as the text setter refuses such a text.
bool BarcodeStillFits(const CDrawObject* o, int id, int level) {
  const auto* b = static_cast<const CBarcodeObject*>(o);
  if (id != 1646 || b->m_strText.IsEmpty()) return true;
  auto encoder = std::make_unique<CQrEncoder>();
  return encoder->EncodeData(level, b->m_nVersion, TRUE, -1, b->m_strText.c_str(), b->m_strText.GetLength()) != 0;
}

const DoubleRow* FindDouble(int kind, int id) {
  for (const DoubleRow& r : kDoubleRows)
    if (r.kind == kind && r.id == id) return &r;
  return nullptr;
}
const IntRow* FindInt(int kind, int id) {
  for (const IntRow& r : kIntRows)
    if (r.kind == kind && r.id == id) return &r;
  return nullptr;
}
bool HasCheck(int kind, int id) {
  for (const auto& r : kCheckRows)
    if (r[0] == kind && r[1] == id) return true;
  return false;
}

// Whether o can be taken as an object of the kind: the fields below are reached through casts, and
// a current kind that trails the current object must never write through the wrong type.
bool IsOfKind(const CDrawObject* o, int kind) { return o && o->m_nType == kind; }

// The double field a control names on an object of a kind; null for none.
double* DoubleField(CDrawObject* o, int kind, int id) {
  if (!IsOfKind(o, kind)) return nullptr;
  switch (kind) {
    case TYPE_LINE: {
      auto* p = static_cast<CLineObject*>(o);
      switch (id) {
        case 1148: return &p->m_dPosX; case 1152: return &p->m_dPosY; case 1155: return &p->m_dWidth;
        case 1158: return &p->m_dHeight; case 1161: return &p->m_dAngle; case 1170: return &p->m_dRowGap;
        case 1173: return &p->m_dColumnGap;
      }
      break;
    }
    case TYPE_RECTANGLE: {
      auto* p = static_cast<CRectangleObject*>(o);
      switch (id) {
        case 1176: return &p->m_dPosX; case 1180: return &p->m_dPosY; case 1183: return &p->m_dWidth;
        case 1186: return &p->m_dHeight; case 1189: return &p->m_dEdgeSize; case 1191: return &p->m_dEdgeRadius;
        case 1201: return &p->m_dRowGap; case 1204: return &p->m_dColumnGap;
      }
      break;
    }
    case TYPE_CIRCLE: {
      auto* p = static_cast<CCircleObject*>(o);
      switch (id) {
        case 1210: return &p->m_dPosX; case 1214: return &p->m_dPosY; case 1217: return &p->m_dSizeX;
        case 1220: return &p->m_dSizeY; case 1223: return &p->m_dEdgeSize; case 1232: return &p->m_dRowGap;
        case 1235: return &p->m_dColumnGap;
      }
      break;
    }
    case TYPE_TRIANGLE: {
      auto* p = static_cast<CTriangleObject*>(o);
      switch (id) {
        case 1239: return &p->m_dPosX; case 1242: return &p->m_dPosY; case 1245: return &p->m_dWidth;
        case 1248: return &p->m_dHeight; case 1251: return &p->m_dEdgeSize; case 1263: return &p->m_dRowGap;
        case 1266: return &p->m_dColumnGap;
      }
      break;
    }
    case TYPE_RHOMBIC: {
      auto* p = static_cast<CRhombicObject*>(o);
      switch (id) {
        case 1273: return &p->m_dPosX; case 1276: return &p->m_dPosY; case 1279: return &p->m_dWidth;
        case 1282: return &p->m_dHeight; case 1270: return &p->m_dEdgeSize; case 1291: return &p->m_dRowGap;
        case 1294: return &p->m_dColumnGap;
      }
      break;
    }
    case TYPE_POLYGON: {
      auto* p = static_cast<CPolygonObject*>(o);
      switch (id) {
        case 1298: return &p->m_dPosX; case 1301: return &p->m_dPosY; case 1304: return &p->m_dSize;
        case 1307: return &p->m_dEdgeSize; case 1319: return &p->m_dRowGap; case 1322: return &p->m_dColumnGap;
      }
      break;
    }
    case TYPE_TEXT1: {
      auto* p = static_cast<CText1Object*>(o);
      switch (id) {
        case 1003: return &p->m_dPosX; case 1006: return &p->m_dPosY; case 1009: return &p->m_dWidth;
        case 1012: return &p->m_dHeight; case 1021: return &p->m_dCharWidth; case 1024: return &p->m_dCharHeight;
        case 1015: return &p->m_dCharGap; case 1018: return &p->m_dAngle; case 1027: return &p->m_dLineGap;
        case 1047: return &p->m_dRowGap; case 1053: return &p->m_dColumnGap; case 1361: return &p->m_dLineWidthX;
        case 1358: return &p->m_dLineWidthY;
      }
      break;
    }
    case TYPE_TEXT2: {
      auto* p = static_cast<CText2Object*>(o);
      switch (id) {
        case 1364: return &p->m_dPosX; case 1367: return &p->m_dPosY; case 1370: return &p->m_dRadiusX;
        case 1373: return &p->m_dRadiusY; case 1376: return &p->m_dSpan; case 1379: return &p->m_dAngle;
        case 1382: return &p->m_dCharWidth; case 1385: return &p->m_dCharHeight; case 1397: return &p->m_dRowGap;
        case 1400: return &p->m_dColumnGap; case 1429: return &p->m_dLineWidthX; case 1432: return &p->m_dLineWidthY;
      }
      break;
    }
    case TYPE_BMP: {
      auto* p = static_cast<CBmpObject*>(o);
      switch (id) {
        case 1417: return &p->m_dPosX; case 1420: return &p->m_dPosY; case 1423: return &p->m_dWidth;
        case 1426: return &p->m_dHeight; case 1435: return &p->m_dRowGap; case 1438: return &p->m_dColumnGap;
      }
      break;
    }
    case TYPE_BARCODE: {
      auto* p = static_cast<CBarcodeObject*>(o);
      switch (id) {
        case 1435: return &p->m_dPosX; case 1438: return &p->m_dPosY; case 1441: return &p->m_dSizeX;
        case 1444: return &p->m_dSizeY; case 1459: return &p->m_dRowGap; case 1462: return &p->m_dColumnGap;
      }
      break;
    }
    case TYPE_DRAWING: {
      auto* d = static_cast<CDrawingObject*>(o);
      CDrawingSettingObject* s = d->m_pSetting.get();
      CDrawingAreaObject* a = d->m_pArea.get();
      CDrawingFieldObject* f = d->m_pField.get();
      if (!s || !a || !f) return nullptr;
      switch (id) {
        case 1031: return &s->m_dEditArea; case 1035: return &s->m_dGridSize; case 1081: return &s->m_dScaleX;
        case 1087: return &s->m_dScaleY; case 1093: return &s->m_dHomeX; case 1099: return &s->m_dHomeY;
        case 1057: return &a->m_dPosX; case 1065: return &a->m_dPosY; case 1069: return &a->m_dWidth;
        case 1072: return &a->m_dHeight; case 1067: return &a->m_dCornerRadius; case 1073: return &a->m_dFrameWidth;
        case 1080: return &a->m_dScanSpan;
        case 1106: return &f->m_dFieldX; case 1118: return &f->m_dFieldY; case 1126: return &f->m_dPosX;
        case 1132: return &f->m_dPosY;
      }
      break;
    }
    default: break;
  }
  return nullptr;
}

double* RecordField(CTextCharRecord& r, int index) {
  double* f[] = {&r.dSizeX, &r.dSizeY, &r.dOffsetX, &r.dOffsetY, &r.dAngle, &r.dFontWidthX, &r.dFontWidthY};
  return f[index];
}

// The field order of a record control: size X, size Y, offset X, offset Y, angle, font width X, Y.
int RecordIndex(int id) {
  switch (id) {
    case 1332: case 1408: return 0;
    case 1340: case 1411: return 1;
    case 1346: case 1414: return 2;
    case 1342: case 1417: return 3;
    case 1352: case 1420: return 4;
    case 1355: case 1423: return 5;
    case 1349: case 1426: return 6;
  }
  return 0;
}

CTextCharRecords* Records(CDrawObject* o) {
  if (!o) return nullptr;
  if (o->m_nType == TYPE_TEXT1) return &static_cast<CText1Object*>(o)->m_vCharRecords;
  if (o->m_nType == TYPE_TEXT2) return &static_cast<CText2Object*>(o)->m_vCharRecords;
  return nullptr;
}

int* IntField(CDrawObject* o, int kind, int id, int row) {
  if (!IsOfKind(o, kind)) return nullptr;
  switch (kind) {
    case TYPE_LINE: { auto* p = static_cast<CLineObject*>(o); return id == 1164 ? &p->m_nRows : id == 1167 ? &p->m_nColumns : nullptr; }
    case TYPE_RECTANGLE: {
      auto* p = static_cast<CRectangleObject*>(o);
      return id == 1195 ? &p->m_nRows : id == 1198 ? &p->m_nColumns : &p->m_nEdgeStyle;
    }
    case TYPE_CIRCLE: { auto* p = static_cast<CCircleObject*>(o); return id == 1226 ? &p->m_nRows : id == 1229 ? &p->m_nColumns : nullptr; }
    case TYPE_TRIANGLE: {
      auto* p = static_cast<CTriangleObject*>(o);
      return id == 1257 ? &p->m_nRows : id == 1260 ? &p->m_nColumns : &p->m_nDirection;
    }
    case TYPE_RHOMBIC: { auto* p = static_cast<CRhombicObject*>(o); return id == 1285 ? &p->m_nRows : id == 1288 ? &p->m_nColumns : nullptr; }
    case TYPE_POLYGON: {
      auto* p = static_cast<CPolygonObject*>(o);
      return id == 1310 ? &p->m_nEdges : id == 1313 ? &p->m_nRows : id == 1316 ? &p->m_nColumns : nullptr;
    }
    case TYPE_TEXT1: {
      auto* p = static_cast<CText1Object*>(o);
      switch (id) {
        case 1028: return &p->m_nCountStart; case 1033: return &p->m_nCountDigits; case 1036: return &p->m_nRows;
        case 1041: return &p->m_nColumns; case 1328: case 1329: return &p->m_nWriteDirection;
        default: return &p->m_nAlign;
      }
    }
    case TYPE_TEXT2: {
      auto* p = static_cast<CText2Object*>(o);
      return id == 1391 ? &p->m_nRows : id == 1394 ? &p->m_nColumns : &p->m_nDirection;
    }
    case TYPE_BMP: {
      auto* p = static_cast<CBmpObject*>(o);
      switch (id) {
        case 1429: return &p->m_nRows; case 1432: return &p->m_nColumns; case 1441: case 1442: return &p->m_bInvert;
        case 1581: return &p->m_nTone; case 1582: return &p->m_nGradation; default: return &p->m_nStretchMode;
      }
    }
    case TYPE_BARCODE: {
      auto* p = static_cast<CBarcodeObject*>(o);
      switch (id) {
        case 1453: return &p->m_nRows; case 1456: return &p->m_nColumns; case 1646: return &p->m_nLevel;
        default: return &p->m_nVersion;
      }
    }
    case TYPE_DRAWING: {
      auto* d = static_cast<CDrawingObject*>(o);
      CDrawingSettingObject* s = d->m_pSetting.get();
      CDrawingAreaObject* a = d->m_pArea.get();
      CDrawingFieldObject* f = d->m_pField.get();
      if (!s || !a || !f) return nullptr;
      if (id >= 1050 && id <= 1064) return &s->m_nCurrentLayer;
      if (id == 1084) return &s->m_nScanAngle;
      if (id == 1105 || id == 1113 || id == 1122) {
        if (row < 0 || row >= LAYER_COUNT) return nullptr;
        CLayerRecord& l = s->m_Layers[row];
        return id == 1105 ? &l.nCount : id == 1113 ? &l.nPower : &l.nSpeed;
      }
      if (id == 1075) return &a->m_nResolution;
      if (id >= 1086 && id <= 1094) return &a->m_nOutlineStyle;
      if (id == 1098 || id == 1100) return &a->m_nScanStyle;
      if (id == 1111 || id == 1114) return &a->m_nScanDirection;
      if (id == 1120 || id == 1123) return &a->m_nOutputStyle;
      if (id >= 1127 && id <= 1133) return &a->m_nConversionStyle;
      if (id >= 1136 && id <= 1144) return &f->m_nPlotterPosition;
      return nullptr;
    }
    default: return nullptr;
  }
}

int* CheckField(CDrawObject* o, int kind, int id, int row) {
  if (!IsOfKind(o, kind)) return nullptr;
  switch (kind) {
    case TYPE_LINE: return &static_cast<CLineObject*>(o)->m_bKeepAspect;
    case TYPE_RECTANGLE: return &static_cast<CRectangleObject*>(o)->m_bKeepAspect;
    case TYPE_CIRCLE: return &static_cast<CCircleObject*>(o)->m_bKeepAspect;
    case TYPE_TRIANGLE: return &static_cast<CTriangleObject*>(o)->m_bKeepAspect;
    case TYPE_RHOMBIC: return &static_cast<CRhombicObject*>(o)->m_bKeepAspect;
    case TYPE_TEXT1: {
      auto* p = static_cast<CText1Object*>(o);
      return id == 1324 ? &p->m_bVariable : id == 1502 ? &p->m_bCountUp : &p->m_bWidthDirection;
    }
    case TYPE_TEXT2: {
      auto* p = static_cast<CText2Object*>(o);
      return id == 1405 ? &p->m_bKeepAspect : &p->m_bWidthDirection;
    }
    case TYPE_BMP: return &static_cast<CBmpObject*>(o)->m_bKeepAspect;
    case TYPE_DRAWING: {
      CDrawingSettingObject* s = static_cast<CDrawingObject*>(o)->m_pSetting.get();
      if (!s) return nullptr;
      switch (id) {
        case 1040: return &s->m_bSwapXY; case 1042: return &s->m_bReverseX; case 1044: return &s->m_bReverseY;
        case 1046: return &s->m_bHomeAfter;
        default: return row >= 0 && row < LAYER_COUNT ? &s->m_Layers[row].bConstant : nullptr;
      }
    }
    default: return nullptr;
  }
}

bool InRange(double v, double lo, double hi) { return v >= lo && v <= hi; }

}  // namespace

int CKorvaneDoc::SetPropertyDouble(int id, double value, int row) {
  const int kind = m_nCurrentKind;
  const DoubleRow* r = FindDouble(kind, id);
  // A character's record changes that character's line alone: the canvas repaints about it,
  // where it stood before the change and after it.
  const bool record = r && (r->flags & F_RECORD) && m_nSelectCount == 1 && row >= 0;
  IDocCanvasView* canvas = record ? GetLeftView() : nullptr;
  if (canvas)
    canvas->InvalidateCharRecord(m_nCurrentIndex, row);
  else
    InvalidateSelectionArea();
  m_bRedrawAll = 0;
  if (!r || !m_pCurrentObject || !m_pObjectList) return 0;
  if (r->flags & F_NO_EFFECT) {
    // The texts go through SetObjectText.
  } else if (kind == TYPE_MULTI) {
    const CMultiObject* multi = m_pObjectList->GetMultiObject();
    const int which = id == 1457 ? 0 : id == 1460 ? 1 : id == 1463 ? 2 : 3;
    const double old = which == 0 ? multi->m_dPosX : which == 1 ? multi->m_dPosY : which == 2 ? multi->m_dSizeX
                                                                                             : multi->m_dSizeY;
    if (which >= 2 && row != 0) {
      // The partner's follow-up of a coupled size change: accepted, nothing applied.
    } else {
      // A size from or to 0 would scale by 0 or infinity and could never be undone.
      if (!InRange(value, r->lo, r->hi) || (which >= 2 && (old == 0.0 || value == 0.0))) {
        m_dReplyDouble = old;
        return 0;
      }
      ApplyMultiChange(which, old, value);
    }
  } else if (r->flags & F_RECORD) {
    CTextCharRecords* records = Records(m_pCurrentObject);
    // A row outside the object's records names nothing (files may hold fewer records).
    if (!records || row < 0 || row >= static_cast<int>(records->size())) {
      m_dReplyDouble = 0.0;
      return 0;
    }
    double* field = RecordField((*records)[row], RecordIndex(id));
    if (!InRange(value, r->lo, r->hi) || !CharRecordRange(RecordIndex(id)).Holds(value)) {
      m_dReplyDouble = *field;
      return 0;
    }
    *field = value;
    if (CTextCharRecords* proto = Records(m_pObjectList->GetPrototype(kind)))
      if (row < static_cast<int>(proto->size())) *RecordField((*proto)[row], RecordIndex(id)) = value;
  } else {
    double* field = DoubleField(m_pCurrentObject, kind, id);
    if (!field) return 0;
    double lo = r->lo, hi = r->hi;
    int flags = r->flags;
    if ((flags & F_FIXED_OFFSET) && m_Settings.System.FixField) {
      lo = 0.0;
      hi = kFixedOffsetReachMm;
      flags &= ~F_REDRAW;
    }
    // The page's range, and never past what the project readers accept.
    const std::optional<CObjectRange> held = RangeOfField(*m_pCurrentObject, field);
    if (!InRange(value, lo, hi) || (held && !held->Holds(value))) {
      m_dReplyDouble = *field;
      return 0;
    }
    *field = value;
    if (kind <= TYPE_BARCODE && !(flags & F_OBJECT_ONLY))
      if (double* proto = DoubleField(m_pObjectList->GetPrototype(kind), kind, id)) *proto = value;
    if (flags & F_REDRAW) m_bRedrawAll = 1;
  }
  g_bModified = 1;
  m_nLastAction = HINT_PROPERTY_CHANGED;
  m_nChangedRecord = record ? row : -1;
  UpdateBothViews(kind);
  m_nChangedRecord = -1;
  return 1;
}

int CKorvaneDoc::SetPropertyInt(int id, int value, int row) {
  InvalidateSelectionArea();
  m_bRedrawAll = 0;
  const int kind = m_nCurrentKind;
  const IntRow* r = FindInt(kind, id);
  if (!r || !m_pCurrentObject || !m_pObjectList) return 0;
  int* field = IntField(m_pCurrentObject, kind, id, row);
  if (!field) {
    m_nReplyInt = 0;
    return 0;
  }
  const int stored = (r->flags & I_RADIO) ? r->code : value;
  if ((!(r->flags & (I_RADIO | I_ANY)) && (stored < r->lo || stored > r->hi)) ||
      (kind == TYPE_BARCODE && !BarcodeStillFits(m_pCurrentObject, id, stored))) {
    m_nReplyInt = *field;
    return 0;
  }
  *field = stored;
  if (kind == TYPE_TEXT1 && id == 1028) static_cast<CText1Object*>(m_pCurrentObject)->m_nCount = stored;
  if (kind <= TYPE_BARCODE) {
    CDrawObject* proto = m_pObjectList->GetPrototype(kind);
    if (int* p = IntField(proto, kind, id, row)) {
      *p = stored;
      if (kind == TYPE_TEXT1 && id == 1028) static_cast<CText1Object*>(proto)->m_nCount = stored;
    }
  }
  if (kind == TYPE_DRAWING && id >= 1086 && id <= 1094) m_bRedrawAll = 1;
  g_bModified = 1;
  m_nLastAction = HINT_PROPERTY_CHANGED;
  UpdateBothViews(kind);
  return 1;
}

int CKorvaneDoc::SetPropertyCheck(int id, int value, int row) {
  InvalidateSelectionArea();
  const int kind = m_nCurrentKind;
  if (!HasCheck(kind, id) || !m_pCurrentObject || !m_pObjectList) return 0;
  int* field = CheckField(m_pCurrentObject, kind, id, row);
  if (!field) return 0;
  // A seal's texts are fixed parts of the seal: they never count, whatever the box is given.
  if (kind == TYPE_TEXT1 && id == 1502 && value != 0 && m_pCurrentObject->m_nGroupId != 0) {
    m_nReplyInt = *field;
    return 0;
  }
  *field = value;
  if (kind <= TYPE_BMP)
    if (int* p = CheckField(m_pObjectList->GetPrototype(kind), kind, id, row)) *p = value;
  g_bModified = 1;
  m_nLastAction = HINT_PROPERTY_CHANGED;
  UpdateBothViews(kind);
  return 1;
}

int CKorvaneDoc::SetObjectText(int id, const CString& text) {
  InvalidateSelectionArea();
  const int kind = m_nCurrentKind;
  if (!IsOfKind(m_pCurrentObject, kind) || !m_pObjectList) return 0;
  if (kind == TYPE_TEXT1 && id == 1326) {
    static_cast<CText1Object*>(m_pCurrentObject)->SetText(text);
    if (auto* p = static_cast<CText1Object*>(m_pObjectList->GetPrototype(kind))) p->SetText(text);
  } else if (kind == TYPE_BARCODE && id == 1451) {
    return SetBarcodeText(text);
  } else if (kind == TYPE_TEXT2 && id == 1389) {
    static_cast<CText2Object*>(m_pCurrentObject)->SetText(text);
    if (auto* p = static_cast<CText2Object*>(m_pObjectList->GetPrototype(kind))) p->SetText(text);
  } else {
    return 0;
  }
  if (IDocFormView* form = GetKorvaneView()) form->RefreshSelectedLine();
  g_bModified = 1;
  m_nLastAction = HINT_PROPERTY_CHANGED;
  UpdateBothViews(kind);
  return 1;
}
