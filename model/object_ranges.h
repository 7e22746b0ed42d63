// What an object's sizes, gaps, angles and offsets may hold: one table per kind, read by the
// project readers (a record past it is refused and named) and by the property setters (a typed
// value past it is refused as the page's own range refuses it). The bounds lie far beyond every
// machine's field and every page, yet keep every coordinate that drawing and engraving derive
// from them well inside the int range, so that no value a file can carry stalls a paint or makes
// the engines disagree.
#pragma once

#include <optional>
#include <vector>

#include "platform/cstring.h"

class CDrawObject;
struct CTextCharRecord;

struct CObjectRange {
  double lo, hi;
  // Both ends included; NaN never passes.
  bool Holds(double v) const { return v >= lo && v <= hi; }
};

// Lengths in millimetres: positions, sizes, gaps, offsets, radii, pen widths. Ten metres.
inline constexpr CObjectRange kLengthRange{-10000.0, 10000.0};
// Angles and arc spans in degrees: ten turns either way.
inline constexpr CObjectRange kAngleRange{-3600.0, 3600.0};
// Plain factors (the work area's scale).
inline constexpr CObjectRange kFactorRange{-1000.0, 1000.0};

// One ranged field of an object, with the operator's word for it.
struct CRangedField {
  const char* label;  // UTF-8
  double* value;
  CObjectRange range;
};

// The ranged fields of an object of any kind (the work area: its three children's as well).
std::vector<CRangedField> RangedFields(CDrawObject& object);
// The range of one field of the object (by its address); none when the field has none here.
std::optional<CObjectRange> RangeOfField(CDrawObject& object, const double* field);
// The range of the character-record field at index 0 to 6 (size X, Y, offset X, Y, angle,
// font width X, Y).
const CObjectRange& CharRecordRange(int index);

// True when every ranged field and every character record of the object holds its value.
// Otherwise false, and `what` (optional) names the first field past its range and its value,
// e.g. "文字高さ = -1.37e+304".
bool ObjectInRange(const CDrawObject& object, CString* what = nullptr);
