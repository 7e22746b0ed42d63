// The object clipboard block as the paste command takes it from the clipboard.
#include "fuzz/fuzz_support.h"
#include "model/doc_clipboard.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::Init();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ObjectClipboardBlock block;
  if (!ObjectClipboardBlock::FromBytes(data, size, block)) return 0;
  CKorvaneDoc doc;
  if (!doc.OnNewDocument()) fuzz::Fail("new document");
  doc.AddNewObject(TYPE_LINE);
  doc.AddNewObject(TYPE_TEXT1);
  doc.AddNewObject(TYPE_CIRCLE);
  const int before = doc.GetObjectList()->GetCount();
  doc.PasteObjects(block, 1);
  doc.PasteObjectsAt(block);
  const int after = doc.GetObjectList()->GetCount();
  fuzz::Check(after >= before, "pasting never removes objects");
  // Every index of the block that names an object is pasted at most once per paste.
  fuzz::Check(after - before <= 2 * static_cast<int>(block.indices.size()), "no more objects than indices");
  return 0;
}
