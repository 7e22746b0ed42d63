// The defaults archive: the field values of the ten kind prototypes one after another (line,
// rectangle, circle, triangle, rhombus, polygon, straight text, arc text, barcode, bitmap), with
// no header, version or count. Nothing in the stream names a prototype, so the order of the
// fields below is the format.
#pragma once

#include "platform/archive.h"

class CDrawObject;

inline constexpr int ARCHIVE_PROTOTYPE_COUNT = 10;

// prototypes[kind] for kinds 0 to 9, each of its kind's class.
void StorePrototypes(CArchive& ar, CDrawObject* const prototypes[ARCHIVE_PROTOTYPE_COUNT]);
// Reads into staging copies first and into the prototypes only when the whole archive was read,
// so a damaged archive (CArchiveException) leaves every prototype as it was.
void LoadPrototypes(CArchive& ar, CDrawObject* const prototypes[ARCHIVE_PROTOTYPE_COUNT]);
