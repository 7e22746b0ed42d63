#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "imaging/monobmp.h"
#include "model/objectlist.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

namespace {

std::string Bytes(const std::vector<BYTE>& v) { return std::string(v.begin(), v.end()); }

class ObjectListTest : public ::testing::Test {
 protected:
  void SetUp() override { list.Initialize(); }
  CObjectList list;
};

TEST_F(ObjectListTest, StartsWithTheWorkAreaObjectOnly) {
  EXPECT_EQ(list.GetCount(), 1);
  EXPECT_STREQ(list.GetObject(0)->GetName(), "drawing");
  EXPECT_EQ(list.GetObjectType(0), TYPE_DRAWING);
  EXPECT_EQ(list.GetDrawableCount(), 0);
  EXPECT_EQ(list.GetObjectType(1), TYPE_UNKNOWN);
  EXPECT_EQ(list.GetObjectType(-1), TYPE_UNKNOWN);
  EXPECT_EQ(list.GetObject(1), nullptr);
  ASSERT_NE(list.GetDrawingObject(), nullptr);
  EXPECT_STREQ(list.GetDrawingObject()->m_pField->GetName(), "drawing_field");
  EXPECT_EQ(list.GetDrawingObject()->m_nByteSize, 240);
  ASSERT_NE(list.GetMultiObject(), nullptr);
  EXPECT_EQ(list.GetMultiObject()->m_nByteSize, 248);
  for (int kind = 0; kind < PROTOTYPE_COUNT; ++kind) {
    ASSERT_NE(list.GetPrototype(kind), nullptr) << kind;
    EXPECT_EQ(list.GetPrototype(kind)->m_nType, kind);
    EXPECT_STREQ(list.GetPrototype(kind)->GetName(), "");
  }
  EXPECT_EQ(list.GetPrototype(TYPE_BMP)->m_nByteSize, 392);
}

TEST_F(ObjectListTest, NamesCountPerKindAndTextsShareOneCounter) {
  EXPECT_STREQ(list.AddLine(nullptr, TRUE, TRUE)->GetName(), "line1");
  EXPECT_STREQ(list.AddText1(nullptr, TRUE, TRUE)->GetName(), "txt1");
  EXPECT_STREQ(list.AddText2(nullptr, TRUE, TRUE)->GetName(), "txt2");
  EXPECT_STREQ(list.AddLine(nullptr, TRUE, TRUE)->GetName(), "line2");
  EXPECT_STREQ(list.AddPolygon(nullptr, TRUE, TRUE)->GetName(), "polygon1");
  EXPECT_EQ(list.MakeObjectName(TYPE_LINE, TRUE), "line2");
  EXPECT_EQ(list.MakeObjectName(TYPE_LINE, TRUE), "line2");
  EXPECT_EQ(list.MakeObjectName(TYPE_TEXT2, TRUE), "txt2");
  EXPECT_EQ(list.MakeObjectName(TYPE_DRAWING, FALSE), "drawing");
  EXPECT_EQ(list.MakeObjectName(TYPE_MULTI, FALSE), "");
  EXPECT_EQ(list.GetCounter(TYPE_LINE, FALSE), 2);
  EXPECT_EQ(list.GetCounter(99, TRUE), 0);
  EXPECT_EQ(list.GetCounter(-1, TRUE), 0);
  EXPECT_EQ(list.GetDrawableCount(), 5);

  list.RemoveAllButDrawing();
  EXPECT_EQ(list.GetCount(), 1);
  EXPECT_STREQ(list.GetObject(0)->GetName(), "drawing");
  EXPECT_STREQ(list.AddLine(nullptr, TRUE, TRUE)->GetName(), "line1");
}

TEST_F(ObjectListTest, OnlyTheDeletedRunAtTheEndIsRemovedAndTheRemovalIsCounted) {
  for (int i = 0; i < 6; ++i) list.AddLine(nullptr, TRUE, TRUE);
  const CDrawObject* third = list.GetObject(3);
  list.GetObject(2)->m_bDeleted = 1;
  const unsigned removals = list.GetRemovalCount();
  EXPECT_EQ(list.RemoveDeletedTail(1), 0);
  EXPECT_EQ(list.GetRemovalCount(), removals);
  for (int i = 4; i <= 6; ++i) list.GetObject(i)->m_bDeleted = 1;
  // Nothing below `first` goes, even when deleted.
  EXPECT_EQ(list.RemoveDeletedTail(6), 1);
  EXPECT_EQ(list.GetCount(), 6);
  EXPECT_NE(list.GetRemovalCount(), removals);
  EXPECT_EQ(list.RemoveDeletedTail(0), 2);
  EXPECT_EQ(list.GetCount(), 4);
  EXPECT_EQ(list.GetObject(3), third);
  EXPECT_EQ(list.GetObject(2)->m_bDeleted, 1);
  // The work area stays whatever happens; names go on from the counters.
  list.GetObject(3)->m_bDeleted = 1;
  list.GetObject(1)->m_bDeleted = 1;
  list.GetObject(0)->m_bDeleted = 1;
  EXPECT_EQ(list.RemoveDeletedTail(0), 3);
  EXPECT_EQ(list.GetCount(), 1);
  EXPECT_EQ(list.GetObject(0)->m_nType, TYPE_DRAWING);
  EXPECT_STREQ(list.AddLine(nullptr, TRUE, TRUE)->GetName(), "line7");
}

TEST_F(ObjectListTest, NewObjectsTakeThePrototypeAndTheKindDefaults) {
  list.m_OutputDefaults[TYPE_LINE] = {1, 1, 100};
  auto* proto = static_cast<CLineObject*>(list.GetPrototype(TYPE_LINE));
  proto->m_nOutputMode = 2;
  proto->m_dWidth = 33.0;
  CLineObject* line = list.AddLine(nullptr, TRUE, TRUE);
  EXPECT_EQ(line->m_nOutputMode, 1);
  EXPECT_EQ(line->m_nFillDirection, 1);
  EXPECT_DOUBLE_EQ(line->m_dScanInterval, 0.1);
  EXPECT_DOUBLE_EQ(line->m_dWidth, 33.0);
  EXPECT_EQ(line->m_nByteSize, 280);

  // Start-up defaults before any settings file.
  CObjectList fresh;
  fresh.Initialize();
  CText1Object* t1 = fresh.AddText1(nullptr, TRUE, TRUE);
  EXPECT_EQ(t1->m_nOutputMode, 0);
  EXPECT_DOUBLE_EQ(t1->m_dScanInterval, 0.025);
  EXPECT_EQ(t1->m_nFontSize, 23);
  EXPECT_EQ(t1->m_nCharSet, 128);
  EXPECT_EQ(t1->m_nWeight, 400);
  EXPECT_EQ(t1->m_strFaceName, DEFAULT_FACE_NAME);

  fresh.m_Text2Defaults = {1, 40, 0, 700, {}};
  fresh.m_Text2Defaults.SetFaceName("Arial");
  CText2Object* t2 = fresh.AddText2(nullptr, TRUE, TRUE);
  EXPECT_EQ(t2->m_bItalic, 1);
  EXPECT_EQ(t2->m_nFontSize, 40);
  EXPECT_EQ(t2->m_nWeight, 700);
  EXPECT_EQ(t2->m_strFaceName, "Arial");
}

TEST_F(ObjectListTest, DuplicateKeepsEverySettingAndGetsANewName) {
  CCircleObject* c = list.AddCircle(nullptr, TRUE, TRUE);
  c->m_nOutputMode = 2;
  c->m_dSizeX = 12.0;
  c->m_vInnerPoints = {{1, 1}};
  list.SetObjectLayer(1, 3);
  CDrawObject* dup = list.DuplicateObject(1);
  ASSERT_NE(dup, nullptr);
  EXPECT_STREQ(dup->GetName(), "circle2");
  EXPECT_EQ(dup->m_nOutputMode, 2);
  EXPECT_EQ(dup->m_nLayer, 3);
  EXPECT_DOUBLE_EQ(static_cast<CCircleObject*>(dup)->m_dSizeX, 12.0);
  EXPECT_EQ(list.GetCount(), 3);
  static_cast<CCircleObject*>(dup)->m_vInnerPoints.clear();
  EXPECT_EQ(c->m_vInnerPoints.size(), 1u);
  EXPECT_EQ(list.DuplicateObject(0), nullptr);
  EXPECT_EQ(list.DuplicateObject(7), nullptr);

  CText1Object* t = list.AddText1(nullptr, TRUE, TRUE);
  t->SetText("AB");
  t->m_vCharRecords[1].dOffsetY = 2.0;
  auto* tdup = static_cast<CText1Object*>(list.DuplicateObject(list.GetCount() - 1));
  ASSERT_EQ(tdup->m_vCharRecords.size(), 2u);
  EXPECT_DOUBLE_EQ(tdup->m_vCharRecords[1].dOffsetY, 2.0);
  // The duplicate's records are its own: a change to one leaves the other as it was.
  tdup->m_vCharRecords[1].dOffsetY = 5.0;
  EXPECT_DOUBLE_EQ(t->m_vCharRecords[1].dOffsetY, 2.0);
}

TEST_F(ObjectListTest, AddingWithoutInsertHandsTheObjectToTheCaller) {
  CRectangleObject* r = list.AddRectangle(nullptr, FALSE, FALSE);
  EXPECT_EQ(list.GetCount(), 1);
  EXPECT_STREQ(r->GetName(), "");
  std::unique_ptr<CRectangleObject> owned(r);
  r->SetName("rect");
  CRectangleObject* copy = list.AddRectangle(r, TRUE, FALSE);
  EXPECT_STREQ(copy->GetName(), "rect");
  EXPECT_EQ(list.GetCount(), 2);
}

TEST_F(ObjectListTest, ResizePerKindWritesThePrototype) {
  // Rectangle: clamped at 0; the next rectangle gets the new size.
  list.AddRectangle(nullptr, TRUE, TRUE);
  list.ResizeObject(1, -30, 5);
  auto* rect = static_cast<CRectangleObject*>(list.GetObject(1));
  EXPECT_DOUBLE_EQ(rect->m_dWidth, 0.0);
  EXPECT_DOUBLE_EQ(rect->m_dHeight, 25.0);
  CRectangleObject* next = list.AddRectangle(nullptr, TRUE, TRUE);
  EXPECT_DOUBLE_EQ(next->m_dWidth, 0.0);
  EXPECT_DOUBLE_EQ(next->m_dHeight, 25.0);

  // Straight text: characters follow the box.
  CText1Object* t1 = list.AddText1(nullptr, TRUE, TRUE);
  list.ResizeObject(list.GetCount() - 1, 40, 0);
  EXPECT_DOUBLE_EQ(t1->m_dWidth, 80.0);
  EXPECT_DOUBLE_EQ(t1->m_dHeight, 6.0);
  EXPECT_DOUBLE_EQ(t1->m_dCharWidth, 8.0);
  EXPECT_DOUBLE_EQ(t1->m_dCharHeight, 6.0);
  EXPECT_DOUBLE_EQ(static_cast<CText1Object*>(list.GetPrototype(TYPE_TEXT1))->m_dCharWidth, 8.0);
  list.ResizeObject(list.GetCount() - 1, -100, 0);  // box to 0: characters to 0, no division
  EXPECT_DOUBLE_EQ(t1->m_dWidth, 0.0);
  EXPECT_DOUBLE_EQ(t1->m_dCharWidth, 0.0);
  list.ResizeObject(list.GetCount() - 1, 10, 0);    // from 0 the characters stay 0
  EXPECT_DOUBLE_EQ(t1->m_dWidth, 10.0);
  EXPECT_DOUBLE_EQ(t1->m_dCharWidth, 0.0);

  // Arc text: radii take half the change; characters scale with them.
  CText2Object* t2 = list.AddText2(nullptr, TRUE, TRUE);
  list.ResizeObject(list.GetCount() - 1, 10, 10);
  EXPECT_DOUBLE_EQ(t2->m_dRadiusX, 25.0);
  EXPECT_DOUBLE_EQ(t2->m_dRadiusY, 25.0);
  EXPECT_DOUBLE_EQ(t2->m_dCharWidth, 6.0 * 1.25);
  EXPECT_DOUBLE_EQ(t2->m_dCharHeight, 8.0 * 1.25);
  EXPECT_DOUBLE_EQ(static_cast<CText2Object*>(list.GetPrototype(TYPE_TEXT2))->m_dRadiusX, 25.0);

  // Polygon: dh when dw is 0, no lower bound.
  CPolygonObject* poly = list.AddPolygon(nullptr, TRUE, TRUE);
  list.ResizeObject(list.GetCount() - 1, 0, 3);
  EXPECT_DOUBLE_EQ(poly->m_dSize, 23.0);
  list.ResizeObject(list.GetCount() - 1, -28, 0);
  EXPECT_DOUBLE_EQ(poly->m_dSize, -5.0);
  EXPECT_DOUBLE_EQ(static_cast<CPolygonObject*>(list.GetPrototype(TYPE_POLYGON))->m_dSize, -5.0);

  // Multi-selection: its size only.
  list.SetMultiBounds(10, 10, 0, 0);
  list.ResizeObject(-1, 5, -20);
  EXPECT_DOUBLE_EQ(list.GetMultiObject()->m_dSizeX, 15.0);
  EXPECT_DOUBLE_EQ(list.GetMultiObject()->m_dSizeY, -10.0);

  // Out of range: nothing happens.
  list.ResizeObject(-2, 5, 5);
  list.ResizeObject(list.GetCount(), 5, 5);
  list.ResizeObject(0, 5, 5);
  EXPECT_DOUBLE_EQ(list.GetDrawingObject()->m_pArea->m_dWidth, 40.0);
}

TEST_F(ObjectListTest, ScalingSizesAndPositions) {
  CLineObject* line = list.AddLine(nullptr, TRUE, TRUE);
  line->m_dPosX = 15;
  line->m_dPosY = 20;
  list.ScaleObjectPosition(2, 1, 2, 2, 10, 10);
  EXPECT_DOUBLE_EQ(line->m_dPosX, 20.0);
  EXPECT_DOUBLE_EQ(line->m_dPosY, 20.0);
  list.ScaleObjectPosition(1, 1, 2, 2, 10, 10);
  EXPECT_DOUBLE_EQ(line->m_dPosX, 20.0);
  EXPECT_DOUBLE_EQ(line->m_dPosY, 30.0);
  list.ScaleObjectPosition(5, 1, 0.5, 0.5, 0, 0);
  EXPECT_DOUBLE_EQ(line->m_dPosX, 10.0);
  EXPECT_DOUBLE_EQ(line->m_dPosY, 15.0);
  list.ScaleObjectPosition(14, 1, 2, 2, 0, 0);  // not a handle
  list.ScaleObjectPosition(5, 1, 0.0, 2, 0, 0);  // a selection of no width
  EXPECT_DOUBLE_EQ(line->m_dPosX, 10.0);

  list.ScaleObject(1, 2.0, 3.0);
  EXPECT_DOUBLE_EQ(line->m_dWidth, 20.0);
  EXPECT_DOUBLE_EQ(line->m_dHeight, 3.0);
  EXPECT_DOUBLE_EQ(static_cast<CLineObject*>(list.GetPrototype(TYPE_LINE))->m_dWidth, 20.0);
  list.ScaleObject(1, 0.0, 1.0);                        // would collapse it
  list.ScaleObject(1, 1.0 / 0.0, 1.0);                  // old size 0
  EXPECT_DOUBLE_EQ(line->m_dWidth, 20.0);
  list.ScaleObjectUniform(1, 0.5);
  EXPECT_DOUBLE_EQ(line->m_dWidth, 10.0);
  EXPECT_DOUBLE_EQ(line->m_dHeight, 1.5);

  CText1Object* t = list.AddText1(nullptr, TRUE, TRUE);
  list.ScaleObject(2, 2.0, 0.5);
  EXPECT_DOUBLE_EQ(t->m_dWidth, 80.0);
  EXPECT_DOUBLE_EQ(t->m_dHeight, 3.0);
  EXPECT_DOUBLE_EQ(t->m_dCharWidth, 8.0);
  EXPECT_DOUBLE_EQ(t->m_dCharHeight, 3.0);

  CPolygonObject* p = list.AddPolygon(nullptr, TRUE, TRUE);
  list.ScaleObject(3, 0.0, 2.0);  // the polygon follows y when x has no factor
  EXPECT_DOUBLE_EQ(p->m_dSize, 40.0);
  list.ScaleObject(3, 0.0, 0.0);
  EXPECT_DOUBLE_EQ(p->m_dSize, 40.0);
}

TEST_F(ObjectListTest, MovingLayersMirrorsAndPositions) {
  list.AddLine(nullptr, TRUE, TRUE);
  list.SetMultiBounds(4, 5, 1, 1);
  list.MoveObject(-1, 2, 3);
  EXPECT_DOUBLE_EQ(list.GetMultiObject()->m_dPosX, 3.0);
  EXPECT_DOUBLE_EQ(list.GetMultiObject()->m_dPosY, 4.0);
  EXPECT_EQ(list.GetMultiObject()->m_bValid, 1);
  EXPECT_DOUBLE_EQ(list.GetObject(1)->m_dPosX, 0.0);
  list.MoveObject(0, 5, 5);  // the work-area object never moves
  EXPECT_DOUBLE_EQ(list.GetObject(0)->m_dPosX, 0.0);
  list.MoveObject(1, 1.5, -1);
  list.MoveObject(-3, 1, 1);
  list.MoveObject(2, 1, 1);
  EXPECT_DOUBLE_EQ(list.GetObject(1)->m_dPosX, 1.5);
  EXPECT_DOUBLE_EQ(list.GetObject(1)->m_dPosY, -1.0);

  list.SetObjectLayer(1, 3);
  EXPECT_EQ(list.GetObjectLayer(1), 3);
  EXPECT_EQ(list.GetObject(1)->m_crColor, 0xFF0000u);
  list.SetObjectLayer(1, 8);
  list.SetObjectLayer(1, -1);
  EXPECT_EQ(list.GetObjectLayer(1), 3);
  EXPECT_EQ(list.GetObjectLayer(9), -1);

  list.ToggleMirror(1, TRUE, FALSE);
  EXPECT_EQ(list.GetObject(1)->m_bMirrorX, 1);
  list.ToggleMirror(1, TRUE, TRUE);
  EXPECT_EQ(list.GetObject(1)->m_bMirrorX, 0);
  EXPECT_EQ(list.GetObject(1)->m_bMirrorY, 1);
  list.ZeroObjectPosition(1, TRUE, FALSE);
  EXPECT_DOUBLE_EQ(list.GetObject(1)->m_dPosX, 0.0);
  EXPECT_DOUBLE_EQ(list.GetObject(1)->m_dPosY, -1.0);
}

TEST_F(ObjectListTest, VisibleRowsSkipDeletedEntries) {
  list.AddLine(nullptr, TRUE, TRUE)->m_bDeleted = 1;
  list.AddText1(nullptr, TRUE, TRUE)->SetText("AB");
  CString text;
  ASSERT_TRUE(list.GetListText(1, text));
  EXPECT_EQ(text, "drawing");
  ASSERT_TRUE(list.GetListText(2, text));
  EXPECT_EQ(text, "txt1   ( AB )");
  EXPECT_FALSE(list.GetListText(3, text));
  EXPECT_FALSE(list.GetListText(0, text));
  char name[32];
  ASSERT_TRUE(list.GetVisibleName(2, name));
  EXPECT_STREQ(name, "txt1");
  EXPECT_EQ(list.GetVisibleCount(), 2);
  EXPECT_EQ(list.VisibleToIndex(2), 2);
  EXPECT_EQ(list.VisibleToIndex(3), 3);
  EXPECT_EQ(list.IndexToVisible(3), 2);
  EXPECT_EQ(list.IndexToVisible(2), 1);
  EXPECT_EQ(list.IndexToVisible(-4), 0);
  EXPECT_EQ(list.IndexToVisible(99), 2);
}

TEST_F(ObjectListTest, UsedLayersAndGroupDeletion) {
  list.GetObject(0)->m_nLayer = 7;
  list.AddLine(nullptr, TRUE, TRUE);
  list.SetObjectLayer(1, 2);
  list.AddLine(nullptr, TRUE, TRUE);
  list.SetObjectLayer(2, 5);
  list.GetObject(2)->m_bDeleted = 1;
  list.AddCircle(nullptr, TRUE, TRUE);
  int flags[LAYER_COUNT];
  EXPECT_EQ(list.GetUsedLayers(flags), 2);
  EXPECT_EQ(flags[0], 1);
  EXPECT_EQ(flags[2], 1);
  EXPECT_EQ(flags[5], 0);
  EXPECT_EQ(flags[7], 0);

  list.GetObject(1)->m_nGroupId = 3;
  list.GetObject(3)->m_nGroupId = 3;
  list.GetObject(0)->m_nGroupId = 3;
  list.DeleteGroup(3);
  EXPECT_EQ(list.GetObject(0)->m_bDeleted, 0);
  EXPECT_EQ(list.GetObject(1)->m_bDeleted, 1);
  EXPECT_EQ(list.GetObject(3)->m_bDeleted, 1);
  EXPECT_EQ(list.GetDrawableCount(), 0);
  EXPECT_EQ(list.GetCount(), 4);
}

TEST_F(ObjectListTest, BitmapVariants) {
  TempDir dir;
  std::string good = dir.Write("a.bmp", Bytes(MonoBmpFile::Create(400, 200)));
  std::vector<BYTE> colour = MonoBmpFile::Create(8, 8);
  MonoBmpFile::WriteU16(colour.data(), MonoBmpFile::kOffBitCount, 24);
  std::string bad = dir.Write("c.bmp", Bytes(colour));

  CBmpObject* a = list.AddBmpFromFile(good.c_str());
  ASSERT_NE(a, nullptr);
  EXPECT_STREQ(a->GetName(), "bmp1");
  EXPECT_EQ(list.AddBmpFromFile(bad.c_str()), nullptr);
  EXPECT_EQ(list.GetCount(), 2);

  CBmpObject* b = list.AddBmpFromImage(MonoBmpFile::Create(16, 16));
  ASSERT_NE(b, nullptr);
  EXPECT_STREQ(b->GetName(), "bmp2");
  EXPECT_EQ(list.AddBmpFromImage(colour), nullptr);
  EXPECT_EQ(list.NewBmpFromImage(std::vector<BYTE>(10, 0)), nullptr);
  EXPECT_NE(list.NewBmpFromImage(MonoBmpFile::Create(16, 16)), nullptr);
  std::unique_ptr<CBmpObject> notLoaded = list.NewBmpFromFile(bad.c_str());
  EXPECT_EQ(notLoaded->m_bLoaded, 0);
  EXPECT_EQ(list.GetCount(), 3);

  // Copies never share buffers.
  CBmpObject* copy = static_cast<CBmpObject*>(list.DuplicateObject(1));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->m_Image, a->m_Image);
  EXPECT_NE(copy->m_Image.data(), a->m_Image.data());
  EXPECT_STREQ(copy->GetName(), "bmp3");

  // A project reader's object: named, not appended until AppendBmp.
  std::unique_ptr<CBmpObject> r = list.ReplaceBmp();
  EXPECT_STREQ(r->GetName(), "bmp4");
  r->m_Image = MonoBmpFile::Create(8, 8);
  CBmpObject* appended = list.AppendBmp(std::move(r));
  ASSERT_NE(appended, nullptr);
  EXPECT_EQ(appended->m_bLoaded, 1);
  EXPECT_EQ(appended->m_pBits, appended->m_Image.data() + 62);
  EXPECT_EQ(list.AppendBmp(nullptr), nullptr);
}

TEST_F(ObjectListTest, NewBitmapAsksForItsFile) {
  TempDir dir;
  std::string good = dir.Write("a.bmp", Bytes(MonoBmpFile::Create(40, 80)));
  ScriptedPrompter prompter;
  prompter.ExpectFile("");
  EXPECT_EQ(list.AddBmpCopy(nullptr, TRUE, TRUE), nullptr);
  EXPECT_EQ(list.GetCount(), 1);
  prompter.ExpectFile(good.c_str());
  auto* proto = static_cast<CBmpObject*>(list.GetPrototype(TYPE_BMP));
  proto->m_nRows = 2;
  proto->m_dWidth = 99.0;
  CBmpObject* b = list.AddBmpCopy(nullptr, TRUE, TRUE);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->m_bLoaded, 1);
  EXPECT_DOUBLE_EQ(b->m_dWidth, 1.0);  // from the image, not the prototype
  EXPECT_DOUBLE_EQ(b->m_dHeight, 2.0);
  EXPECT_EQ(b->m_nRows, 2);
  EXPECT_STREQ(b->GetName(), "bmp1");
}

TEST_F(ObjectListTest, RelinkMissingBitmap) {
  TempDir dir;
  std::string good = dir.Write("a.bmp", Bytes(MonoBmpFile::Create(8, 8)));
  EXPECT_EQ(list.RelinkMissingBmp(nullptr), nullptr);

  // A stored path that loads: appended without a question.
  std::unique_ptr<CBmpObject> o = list.ReplaceBmp();
  o->m_strPath = good.c_str();
  EXPECT_NE(list.RelinkMissingBmp(std::move(o)), nullptr);
  EXPECT_EQ(list.GetCount(), 2);

  // A stored path that does not load: dropped without a question.
  o = list.ReplaceBmp();
  o->m_strPath = dir.File("gone.bmp").c_str();
  EXPECT_EQ(list.RelinkMissingBmp(std::move(o)), nullptr);

  // No path: the operator is asked; cancel drops it, a good file links it.
  ScriptedPrompter prompter;
  prompter.ExpectFile("");
  EXPECT_EQ(list.RelinkMissingBmp(list.ReplaceBmp()), nullptr);
  prompter.ExpectFile(good.c_str());
  CBmpObject* linked = list.RelinkMissingBmp(list.ReplaceBmp());
  ASSERT_NE(linked, nullptr);
  EXPECT_EQ(linked->m_strPath, good.c_str());
  EXPECT_EQ(list.GetCount(), 3);
}

TEST(ObjectListLife, ResetStartsAgainFromTheWorkAreaObject) {
  CObjectList list;
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(list.GetDrawingObject(), nullptr);
  list.Initialize();
  list.AddLine(nullptr, TRUE, TRUE);
  list.GetDrawingObject()->m_pArea->m_dWidth = 77.0;
  list.Reset();
  EXPECT_EQ(list.GetCount(), 1);
  EXPECT_DOUBLE_EQ(list.GetDrawingObject()->m_pArea->m_dWidth, 40.0);
  EXPECT_EQ(list.MakeObjectName(TYPE_LINE, TRUE), "line0");
  list.DeletePrototypes();
  EXPECT_EQ(list.GetPrototype(TYPE_LINE), nullptr);
  // Adding without prototypes still makes a sound object of the kind's defaults.
  CLineObject* line = list.AddLine(nullptr, TRUE, TRUE);
  EXPECT_DOUBLE_EQ(line->m_dWidth, 10.0);
}

}  // namespace
