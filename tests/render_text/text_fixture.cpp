#include "text_fixture.h"

namespace text_test {

void PlainText1(CText1Object& obj, const char* utf8, double width, double height) {
  obj.SetDefaults();
  obj.m_nType = TYPE_TEXT1;
  obj.SetText(CString::FromUtf8(utf8));
  obj.m_dWidth = width;
  obj.m_dHeight = height;
  obj.m_nAlign = 0;
  obj.m_dCharGap = 0;
}

void PlainText2(CText2Object& obj, const char* utf8) {
  obj.SetDefaults();
  obj.m_nType = TYPE_TEXT2;
  obj.SetText(CString::FromUtf8(utf8));
}

void FillOutline(Page& page, const TextOutlineLists& lists) {
  if (lists.points.empty()) return;
  page.dc()->FillFigures(lists.points.data(), lists.types.data(), static_cast<int>(lists.points.size()), 0,
                         WINDING);
}

}  // namespace text_test
