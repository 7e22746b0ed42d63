#include "model/textobject.h"

#include "model/textutil.h"
#include "platform/numfmt.h"

namespace {

const char kDefaultText[] = "1234567890";

// The text-setting rule both kinds share.
int ReplaceText(CString& stored, CTextCharRecords& records, int& changed, const CString& text) {
  if (stored == text) return -1;
  records.clear();
  stored = text;
  int count = CTextUtil().GetCharCount(stored);
  records.assign(count, CTextCharRecord());
  changed = 1;
  return count;
}

// The font fields, named and meant alike in both kinds. The two further font ints and the
// font size are left alone by the defaults.
template <class Text>
void SetDefaultFont(Text& o) {
  o.m_dLineWidthX = o.m_dLineWidthY = 0.0;
  o.m_nWeight = 400;
  o.m_bItalic = 0;
  o.m_nCharSet = 0;
  o.m_strFaceName = "Arial";
}

template <class Text>
void CopyFont(Text& to, const Text& from) {
  to.m_dLineWidthX = from.m_dLineWidthX;
  to.m_dLineWidthY = from.m_dLineWidthY;
  to.m_nWeight = from.m_nWeight;
  to.m_bItalic = from.m_bItalic;
  to.m_nCharSet = from.m_nCharSet;
  to.m_strFaceName = from.m_strFaceName;
  to.m_nFontExtra1 = from.m_nFontExtra1;
  to.m_nFontExtra2 = from.m_nFontExtra2;
  to.m_nFontSize = from.m_nFontSize;
}

CString FitFace(const char* face) {
  return CString(face, FitToCharBoundary(face, TEXT_FACE_NAME_MAX));
}

CTextCharRecord RecordAt(const CTextCharRecords& records, int i) {
  if (i < 0 || i >= static_cast<int>(records.size())) return CTextCharRecord();
  return records[i];
}

}  // namespace

void CText1Object::SetDefaults() {
  m_dPosX = m_dPosY = 0.0;
  m_dWidth = 40.0;
  m_dHeight = 6.0;
  m_dCharWidth = 4.0;
  m_dCharHeight = 6.0;
  m_dCharGap = 1.0;
  m_dAngle = 0.0;
  m_dLineGap = 1.0;
  m_bVariable = 0;
  m_strText = kDefaultText;
  m_nRows = m_nColumns = 1;
  m_dRowGap = m_dColumnGap = 1.0;
  m_nWriteDirection = 0;
  m_nAlign = 3;
  SetDefaultFont(*this);
  m_bCountUp = 0;
  m_nCount = 0;
  m_nCountStart = 0;
  m_nCountDigits = 0;
  m_bWidthDirection = 0;
  m_vCharRecords.assign(sizeof(kDefaultText) - 1, CTextCharRecord());
}

void CText1Object::CopySettings(const CText1Object* s) {
  if (!s || s == this) return;
  m_dPosX = s->m_dPosX;
  m_dPosY = s->m_dPosY;
  m_dWidth = s->m_dWidth;
  m_dHeight = s->m_dHeight;
  m_dCharWidth = s->m_dCharWidth;
  m_dCharHeight = s->m_dCharHeight;
  m_dCharGap = s->m_dCharGap;
  m_dAngle = s->m_dAngle;
  m_dLineGap = s->m_dLineGap;
  m_bVariable = s->m_bVariable;
  m_strText = s->m_strText;
  CopyGridSettings(*this, *s);
  m_nWriteDirection = s->m_nWriteDirection;
  m_nAlign = s->m_nAlign;
  CopyFont(*this, *s);
  m_bCountUp = s->m_bCountUp;
  m_nCount = s->m_nCount;
  m_nCountStart = s->m_nCountStart;
  m_nCountDigits = s->m_nCountDigits;
  m_bWidthDirection = s->m_bWidthDirection;
  // Replaced, not appended: a new object already holds the default text's records, and
  // appending would shift every adjustment to the wrong character.
  m_vCharRecords = s->m_vCharRecords;
  m_nReserved = s->m_nReserved;
  m_bTextChanged = s->m_bTextChanged;
}

int CText1Object::SetText(const CString& text) { return ReplaceText(m_strText, m_vCharRecords, m_bTextChanged, text); }

CString CText1Object::CounterText() const { return PaddedCount(m_nCount, m_nCountDigits); }

CString CText1Object::PaddedCount(int value, int digits) {
  return CTextUtil().FormatZeroPadded(numfmt::Format("%d", value), digits);
}

void CText1Object::SetFaceName(const char* face) { m_strFaceName = FitFace(face); }

CTextCharRecord CText1Object::GetCharRecord(int i) const { return RecordAt(m_vCharRecords, i); }

void CText2Object::SetDefaults() {
  m_dPosX = m_dPosY = 0.0;
  m_dRadiusX = m_dRadiusY = 20.0;
  m_dSpan = 260.0;
  m_dAngle = 0.0;
  m_dCharWidth = 6.0;
  m_dCharHeight = 8.0;
  m_strText = kDefaultText;
  m_nRows = m_nColumns = 1;
  m_dRowGap = m_dColumnGap = 1.0;
  m_nDirection = 0;
  m_bKeepAspect = 0;
  SetDefaultFont(*this);
  m_bWidthDirection = 0;
  m_vCharRecords.assign(sizeof(kDefaultText) - 1, CTextCharRecord());
}

void CText2Object::CopySettings(const CText2Object* s) {
  if (!s || s == this) return;
  m_dPosX = s->m_dPosX;
  m_dPosY = s->m_dPosY;
  m_dRadiusX = s->m_dRadiusX;
  m_dRadiusY = s->m_dRadiusY;
  m_dSpan = s->m_dSpan;
  m_dAngle = s->m_dAngle;
  m_dCharWidth = s->m_dCharWidth;
  m_dCharHeight = s->m_dCharHeight;
  m_strText = s->m_strText;
  CopyGridSettings(*this, *s);
  m_nDirection = s->m_nDirection;
  m_bKeepAspect = s->m_bKeepAspect;
  CopyFont(*this, *s);
  m_bWidthDirection = s->m_bWidthDirection;
  m_vCharRecords = s->m_vCharRecords;
  m_nReserved = s->m_nReserved;
  m_bTextChanged = s->m_bTextChanged;
}

int CText2Object::SetText(const CString& text) { return ReplaceText(m_strText, m_vCharRecords, m_bTextChanged, text); }

void CText2Object::SetFaceName(const char* face) { m_strFaceName = FitFace(face); }

CTextCharRecord CText2Object::GetCharRecord(int i) const { return RecordAt(m_vCharRecords, i); }
