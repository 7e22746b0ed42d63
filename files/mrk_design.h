// A project file read completely before anything of it reaches the document: the records in
// file order, each a finished object of its kind. Only when the whole file was read does Commit
// put the records into the object list, so a damaged file leaves the design as it was.
#pragma once

#include <memory>
#include <vector>

#include "model/objectlist.h"
#include "platform/cstring.h"

// A record of a file that could not be taken, as the operator is told of it.
struct CMrkLostRecord {
  int kind = TYPE_UNKNOWN;  // the kind its code names; TYPE_UNKNOWN for an unknown code
  int line = 0;             // its header line, from 1
  CString imagePath;        // a bitmap's image file that was looked for
  CString name;             // the name the object would have had (NameLost, Commit)
  CString reason;           // a value past what the design can hold, e.g. "文字高さ = -1e+304"
  size_t before = 0;        // the number of records read before it
};

class CMrkDesign {
 public:
  // Records in file order. A CDrawingObject stands for drawing data: it overwrites the list's
  // work-area object and its three children when committed.
  std::vector<std::unique_ptr<CDrawObject>> m_Records;
  // The records that could not be taken, in file order; each keeps its place among the others,
  // so that the objects after it keep the names they had.
  std::vector<CMrkLostRecord> m_Lost;

  bool IsEmpty() const { return m_Records.empty(); }
  // Moves every record with a value past its kind's range (ObjectInRange) to the lost records,
  // in its place among them, naming the value.
  void DropOutOfRange();
  bool HasDrawingData() const;
  // Gives each lost record of a drawable kind the name Commit would give it in the list as it
  // stands, without changing the list.
  void NameLost(CObjectList& list);

  // Puts every record into the list in file order: drawing data into item 0, every other object
  // appended under a fresh name from the list's counters (the names read are not kept). Returns
  // the last object put into the list (item 0 when drawing data came last), null when there
  // were no records. A lost record uses up its name, as NameLost gave it. `drawingLoaded` (optional) tells whether item 0 was overwritten. The design
  // is left empty.
  CDrawObject* Commit(CObjectList& list, BOOL* drawingLoaded = nullptr);
};

// A new object of a drawable kind (0 to 9) made from the list's prototype as the add operation
// of the kind makes it, not inserted and not named; null for other kinds.
std::unique_ptr<CDrawObject> MrkNewObjectOfKind(CObjectList& list, int kind);

// A new bitmap object as the project readers start it: reset settings, group 0, the kind's
// output defaults; not named and not appended.
std::unique_ptr<CBmpObject> MrkNewBmpObject(CObjectList& list);

// A deep copy of a work-area object, children and common parts included.
std::unique_ptr<CDrawingObject> MrkCloneDrawing(const CDrawingObject& source);

// Overwrites the work-area object and its children (common parts, names and settings) with a
// read copy, keeping the children themselves, so pointers to them stay valid.
void MrkApplyDrawing(CDrawingObject& target, const CDrawingObject& source);
