// text_pictures DIR: renders straight and arc texts of Japanese and Latin characters into
// DIR/text_render.png for a look by eye (not a test: nothing is checked).
#include <QDir>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "render_text/text_fixture.h"

using namespace text_test;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
    return 2;
  }
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  const std::string dir = argv[1];
  QDir().mkpath(QString::fromLocal8Bit(argv[1]));
  FakeDocument doc;
  doc.drawX = 11000;
  doc.drawY = 6000;
  Page page(4400, 2400, 32);
  CObjectRenderer r;
  r.Init(page.dc(), &doc);
  r.SetMode(RENDER_ENGRAVE);

  // Two lines, Mincho, centred, in the upper part of the page; the second line has a per-character
  // angle, offset and thickening.
  CText1Object t1;
  PlainText1(t1, "Draventis 刻印\r\nテスト ABC　あいう", 60, 16);
  t1.m_nAlign = 2;
  t1.m_dCharWidth = 4;
  t1.m_dCharHeight = 6;
  t1.m_dLineGap = 2;
  t1.m_nCharSet = 128;
  t1.m_strFaceName = CString::FromUtf8("ＭＳ 明朝");
  t1.m_vCharRecords[18].dAngle = 20;
  t1.m_vCharRecords[19].dOffsetY = 1;
  t1.m_vCharRecords[20].dFontWidthX = 0.2;
  CDoubleRect rc;
  r.MmRectToLogical(t1.m_dWidth, t1.m_dHeight, 0, 18, &rc);
  CDoubleRect bounds;
  r.DrawText1(page.dc(), &doc, rc.left, rc.top, rc.right, rc.bottom, &t1, RGB(0, 0, 0), 1, &bounds);
  CObjectRenderer::DrawArcGuide(page.dc(), rc.left, rc.top, rc.right, rc.bottom, 0, 0, 0, 0, FALSE);

  // Arc text along the upper side and a second one along the lower side, Gothic.
  CText2Object t2;
  PlainText2(t2, "ARC あいうえお 123");
  t2.m_nCharSet = 128;
  t2.m_strFaceName = CString::FromUtf8("ＭＳ ゴシック");
  t2.m_dRadiusX = 22;
  t2.m_dRadiusY = 16;
  t2.m_dSpan = 200;
  r.MmRectToLogical(44, 32, -14, -10, &rc);
  r.DrawText2(page.dc(), &doc, rc.left, rc.top, rc.right, rc.bottom, &t2, RGB(0, 0, 255), 1, nullptr);
  CObjectRenderer::DrawArcGuide(page.dc(), rc.left, rc.top, rc.right, rc.bottom, r.LengthToLogicalAxis(0, 22),
                                r.LengthToLogicalAxis(1, 16), 0, 200, FALSE);
  CText2Object t3;
  PlainText2(t3, "Lower 下側");
  t3.m_nCharSet = 128;
  t3.m_strFaceName = CString::FromUtf8("ＭＳ ゴシック");
  t3.m_nDirection = 1;
  t3.m_dSpan = 120;
  t3.m_dCharWidth = 4;
  t3.m_dCharHeight = 5;
  r.MmRectToLogical(40, 40, 14, -8, &rc);
  r.DrawText2(page.dc(), &doc, rc.left, rc.top, rc.right, rc.bottom, &t3, RGB(255, 0, 0), 0, nullptr);
  CObjectRenderer::DrawArcGuide(page.dc(), rc.left, rc.top, rc.right, rc.bottom, r.LengthToLogicalAxis(0, 20),
                                r.LengthToLogicalAxis(1, 20), 0, 120, TRUE);

  // Vertical writing in two columns, and a turned line with a thickened Latin part.
  CText1Object t4;
  PlainText1(t4, "縦書き\r\nAB字", 8, 30);
  t4.m_nWriteDirection = 1;
  t4.m_nAlign = 0;
  t4.m_dCharWidth = 3;
  t4.m_dCharHeight = 4;
  t4.m_nCharSet = 128;
  t4.m_strFaceName = CString::FromUtf8("ＭＳ ゴシック");
  r.MmRectToLogical(t4.m_dWidth, t4.m_dHeight, 44, 10, &rc);
  r.DrawText1(page.dc(), &doc, rc.left, rc.top, rc.right, rc.bottom, &t4, RGB(0, 128, 0), 1, nullptr);
  CText1Object t5;
  PlainText1(t5, "TURN 回転", 22, 5);
  t5.m_dCharWidth = 3;
  t5.m_dCharHeight = 4;
  t5.m_dAngle = 30;
  t5.m_nAlign = 3;
  t5.m_dLineWidthX = t5.m_dLineWidthY = 0.1;
  t5.m_nCharSet = 128;
  t5.m_strFaceName = CString::FromUtf8("ＭＳ 明朝");
  r.MmRectToLogical(t5.m_dWidth, t5.m_dHeight, 44, -16, &rc);
  r.DrawText1(page.dc(), &doc, rc.left, rc.top, rc.right, rc.bottom, &t5, RGB(128, 0, 128), 1, nullptr);

  const std::string path = dir + "/text_render.png";
  if (!page.SavePng(path.c_str())) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return 1;
  }
  std::printf("%s\n", path.c_str());
  return 0;
}
