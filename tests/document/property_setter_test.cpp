// The property setters by control id: ranges, prototypes, refusals and the mended rows.
#include <cmath>
#include <limits>

#include "doc_fakes.h"

namespace {

class PropertySetterTest : public DocumentTest {
 protected:
  template <class T>
  T* Current() {
    return static_cast<T*>(doc->m_pCurrentObject);
  }
  void Select(int index) {
    doc->SetCurrentObject(index, TRUE, TRUE);
    log.Clear();
  }
};

TEST_F(PropertySetterTest, RangesIncludeBothEndsAndRefuseNaN) {
  Add({TYPE_LINE});
  Select(1);
  EXPECT_EQ(doc->SetDoubleProperty(1148, 1000.0), 1);
  EXPECT_EQ(doc->SetDoubleProperty(1148, -1000.0), 1);
  EXPECT_EQ(doc->SetDoubleProperty(1148, 1000.0000001), 0);
  EXPECT_DOUBLE_EQ(doc->m_dReplyDouble, -1000.0);
  EXPECT_EQ(doc->SetDoubleProperty(1155, -0.0000001), 0);
  EXPECT_EQ(doc->SetDoubleProperty(1155, std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(doc->SetDoubleProperty(1155, HUGE_VAL), 0);
  EXPECT_EQ(doc->SetIntProperty(1164, 999), 1);
  EXPECT_EQ(doc->SetIntProperty(1164, 1000), 0);
  EXPECT_EQ(doc->m_nReplyInt, 999);
  EXPECT_EQ(Current<CLineObject>()->m_nRows, 999);
}

TEST_F(PropertySetterTest, AcceptedValuesReachThePrototypeButPositionsDoNot) {
  Add({TYPE_LINE});
  Select(1);
  auto* proto = static_cast<CLineObject*>(List().GetPrototype(TYPE_LINE));
  const double protoX = proto->m_dPosX;
  ASSERT_EQ(doc->SetDoubleProperty(1155, 12.5), 1);
  ASSERT_EQ(doc->SetDoubleProperty(1148, 7.0), 1);
  EXPECT_DOUBLE_EQ(proto->m_dWidth, 12.5);
  EXPECT_DOUBLE_EQ(proto->m_dPosX, protoX);
  EXPECT_EQ(g_bModified, 1);
  EXPECT_EQ(doc->m_nLastAction, HINT_PROPERTY_CHANGED);
  EXPECT_EQ(log.records.size(), 4u);  // two accepted values, both views each
}

TEST_F(PropertySetterTest, RefusalChangesNothingAndSendsNoHint) {
  Add({TYPE_POLYGON, TYPE_TRIANGLE});
  Select(1);
  EXPECT_EQ(doc->SetIntProperty(1310, 2), 0);
  EXPECT_EQ(doc->SetIntProperty(1310, 3), 1);
  log.Clear();
  g_bModified = 0;
  EXPECT_EQ(doc->SetIntProperty(1310, 1000), 0);
  EXPECT_TRUE(log.records.empty());
  EXPECT_EQ(g_bModified, 0);
  EXPECT_EQ(doc->SetCheckProperty(9999, 1), 0);
  Select(2);
  EXPECT_EQ(doc->SetIntProperty(1260, 9999), 1);
  EXPECT_EQ(doc->SetIntProperty(1260, 10000), 0);
  EXPECT_EQ(doc->SetIntProperty(1255, 0), 1);
  EXPECT_EQ(Current<CTriangleObject>()->m_nDirection, 1);
}

TEST_F(PropertySetterTest, WorkAreaRowsAndTheFullRepaintFlag) {
  Select(0);
  EXPECT_EQ(doc->SetDoubleProperty(1031, 100.0), 1);
  EXPECT_TRUE(doc->TakeRedrawAllFlag());
  EXPECT_EQ(doc->SetDoubleProperty(1081, 1.0), 1);
  EXPECT_FALSE(doc->TakeRedrawAllFlag());
  EXPECT_EQ(doc->SetIntProperty(1086, 1), 1);
  EXPECT_TRUE(doc->TakeRedrawAllFlag());
  auto* area = static_cast<CDrawingObject*>(doc->m_pCurrentObject)->m_pArea.get();
  // "R" is 1067, "枠幅" 1073, on the page and here alike.
  EXPECT_EQ(doc->SetDoubleProperty(1067, 2.5), 1);
  EXPECT_DOUBLE_EQ(area->m_dCornerRadius, 2.5);
  EXPECT_EQ(doc->SetDoubleProperty(1073, 1.5), 1);
  EXPECT_DOUBLE_EQ(area->m_dFrameWidth, 1.5);
  // Resolution 0 would be divided by.
  EXPECT_EQ(doc->SetIntProperty(1075, 0), 0);
  EXPECT_EQ(doc->SetIntProperty(1075, 1), 1);
  EXPECT_EQ(doc->SetIntProperty(1075, 100), 1);
  EXPECT_EQ(doc->SetIntProperty(1075, 101), 0);
  // Offsets: unbounded above with the field fixed, +-1000 otherwise.
  EXPECT_EQ(doc->SetDoubleProperty(1057, 5000.0), 0);
  doc->m_Settings.System.FixField = 1;
  EXPECT_EQ(doc->SetDoubleProperty(1057, 5000.0), 1);
  EXPECT_EQ(doc->SetDoubleProperty(1057, -1.0), 0);
  // Layer rows and the layer index outside 0..7 are refused.
  EXPECT_EQ(doc->SetPropertyInt(1105, 5, 7), 1);
  EXPECT_EQ(doc->SetPropertyInt(1105, 5, 8), 0);
  EXPECT_EQ(doc->SetPropertyInt(1105, 5, -1), 0);
  EXPECT_EQ(doc->SetPropertyCheck(1067, 1, 8), 0);
  EXPECT_EQ(doc->SetIntProperty(1050, 8), 0);
  EXPECT_EQ(doc->SetIntProperty(1050, 7), 1);
}

TEST_F(PropertySetterTest, CharacterRecordsOutsideTheObjectAreRefused) {
  Add({TYPE_TEXT1});
  Select(1);
  auto* text = Current<CText1Object>();
  text->SetText("AB");
  ASSERT_EQ(text->m_vCharRecords.size(), 2u);
  EXPECT_EQ(doc->SetPropertyDouble(1332, 1.0, 1), 1);
  EXPECT_DOUBLE_EQ(text->m_vCharRecords[1].dSizeX, 1.0);
  EXPECT_EQ(doc->SetPropertyDouble(1332, 1.0, 2), 0);
  EXPECT_EQ(doc->SetPropertyDouble(1332, 1.0, -1), 0);
  EXPECT_EQ(doc->SetIntProperty(1033, -1), 0);
  EXPECT_EQ(doc->SetIntProperty(1033, 0), 1);
  EXPECT_EQ(doc->SetIntProperty(1033, 99), 1);
  EXPECT_EQ(doc->SetIntProperty(1033, 100), 0);
  EXPECT_EQ(doc->SetDoubleProperty(1326, 5.0), 1);
  EXPECT_EQ(doc->SetObjectText(1326, "XYZ"), 1);
  EXPECT_EQ(text->m_vCharRecords.size(), 3u);
  EXPECT_EQ(doc->SetObjectText(1389, "XYZ"), 0);
}

TEST_F(PropertySetterTest, MultiSelectionSizesFromOrToZeroAreRefused) {
  Add({TYPE_LINE, TYPE_CIRCLE});
  SelectMany({1, 2});
  CMultiObject* multi = List().GetMultiObject();
  doc->m_pCurrentObject = multi;
  multi->m_dSizeX = 0.0;
  EXPECT_EQ(doc->SetDoubleProperty(1463, 10.0), 0);
  EXPECT_DOUBLE_EQ(doc->m_dReplyDouble, 0.0);
  multi->m_dSizeX = 10.0;
  EXPECT_EQ(doc->SetDoubleProperty(1463, 0.0), 0);
  EXPECT_DOUBLE_EQ(doc->m_dReplyDouble, 10.0);
  EXPECT_EQ(doc->SetPropertyDouble(1463, 0.0, 1), 1);  // the coupled partner: nothing applied
}

// A current kind that trails the current object (another kind's pages still shown) must write
// nothing: the fields are reached through casts to the kind's class.
TEST_F(PropertySetterTest, AKindThatIsNotTheCurrentObjectsWritesNothing) {
  Add({TYPE_BARCODE, TYPE_TEXT1});
  Select(1);
  auto* code = Current<CBarcodeObject>();
  const double x = code->m_dPosX, size = code->m_dSizeX;
  const int rows = code->m_nRows;
  const CString text = code->m_strText;
  doc->m_nCurrentKind = TYPE_BMP;
  EXPECT_EQ(doc->SetDoubleProperty(1435, 3.0), 0);  // a bitmap's row gap, the code's X
  EXPECT_EQ(doc->SetDoubleProperty(1423, 3.0), 0);
  EXPECT_EQ(doc->SetIntProperty(1429, 3), 0);
  EXPECT_EQ(doc->SetCheckProperty(1443, 1), 0);
  doc->m_nCurrentKind = TYPE_TEXT2;
  EXPECT_EQ(doc->SetObjectText(1389, CString("AB")), 0);
  EXPECT_EQ(code->m_dPosX, x);
  EXPECT_EQ(code->m_dSizeX, size);
  EXPECT_EQ(code->m_nRows, rows);
  EXPECT_TRUE(code->m_strText == text);

  // The text as the drawing area's kind: the work-area rows are refused too.
  Select(2);
  doc->m_nCurrentKind = TYPE_DRAWING;
  EXPECT_EQ(doc->SetCheckProperty(1040, 1), 0);
  EXPECT_EQ(doc->SetIntProperty(1075, 5), 0);
}

// A seal's texts never count: the count-up flag is refused on them (and the prototype keeps its
// own), while other texts and turning it off are accepted.
TEST_F(PropertySetterTest, ASealsTextNeverCounts) {
  Add({TYPE_TEXT1, TYPE_TEXT1});
  auto* proto = static_cast<CText1Object*>(List().GetPrototype(TYPE_TEXT1));
  Select(1);
  Current<CText1Object>()->m_nGroupId = 3;
  EXPECT_EQ(doc->SetCheckProperty(1502, 1), 0);
  EXPECT_EQ(doc->m_nReplyInt, 0);
  EXPECT_EQ(Current<CText1Object>()->m_bCountUp, 0);
  EXPECT_EQ(proto->m_bCountUp, 0);
  EXPECT_EQ(doc->SetCheckProperty(1502, 0), 1);
  EXPECT_EQ(doc->SetCheckProperty(1324, 1), 1);  // its other boxes stay free
  Select(2);
  EXPECT_EQ(doc->SetCheckProperty(1502, 1), 1);
  EXPECT_EQ(Current<CText1Object>()->m_bCountUp, 1);
}

// A text added while the prototype counts is a counter from the start: it shows (and a job
// engraves) its number, not whatever string was confirmed last on another text.
TEST_F(PropertySetterTest, ATextAddedWhileThePrototypeCountsShowsItsCounter) {
  Add({TYPE_TEXT1, TYPE_TEXT1});
  Select(1);
  ASSERT_EQ(doc->SetCheckProperty(1502, 1), 1);
  ASSERT_EQ(doc->SetIntProperty(1028, 7), 1);
  ASSERT_EQ(doc->SetIntProperty(1033, 3), 1);
  Select(2);
  ASSERT_EQ(doc->SetObjectText(1326, CString("ABC")), 1);
  doc->AddNewObject(TYPE_TEXT1);
  auto* added = static_cast<CText1Object*>(List().GetObject(List().GetCount() - 1));
  EXPECT_EQ(added->m_bCountUp, 1);
  EXPECT_EQ(added->m_strText.str(), "007");
  EXPECT_EQ(added->m_vCharRecords.size(), 3u);
  // Without counting, a new text takes the string confirmed last, as before.
  ASSERT_EQ(doc->SetCheckProperty(1502, 0), 1);
  doc->AddNewObject(TYPE_TEXT1);
  EXPECT_EQ(static_cast<CText1Object*>(List().GetObject(List().GetCount() - 1))->m_strText.str(), "ABC");
}

}  // namespace
