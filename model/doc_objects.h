// Making whole copies of drawing objects: a fresh object of the source's class, filled with the
// kind's settings copy and then the common part.
#pragma once

class CDrawObject;

// A fresh, empty object of a kind (0 to 9, 12, 14); nullptr for kinds without a class here.
CDrawObject* NewObjectOfKind(int kind);
// A full copy of an object of kinds 0 to 9, 12 or 14 (the work area with its three children);
// nullptr for any other kind or a null source. The caller owns the copy.
CDrawObject* CopyDrawObject(const CDrawObject* source);
