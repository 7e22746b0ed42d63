// Every picture of the program is drawn here with QPainter, so the program carries no image files.
// Bar images are drawn pixel by pixel (antialiasing off) so they stay sharp at 16 x 15: most come
// from small character maps, the geometric ones from painter primitives. Layer and seal images
// use the layers' display colours, so a button looks like the objects it stands for.
#include "res/images.h"

#include <cmath>
#include <functional>
#include <map>

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>

#include "model/objectlist.h"
#include "platform/qt_prompter.h"
#include "res/resource.h"
#include "res/strings.h"

namespace res {
namespace {

using Rows = std::initializer_list<const char*>;

QColor LayerColor(int layer) { return ColorToQColor(LAYER_COLORS[layer & 7]); }

// Colours of the character maps. Digits stand for the layer colours.
QColor PaletteColor(char c) {
  switch (c) {
    case 'k': return QColor(0, 0, 0);
    case 'w': return QColor(255, 255, 255);
    case 'l': return QColor(200, 200, 200);
    case 'g': return QColor(128, 128, 128);
    case 'd': return QColor(72, 72, 72);
    case 'y': return QColor(255, 230, 110);
    case 'Y': return QColor(210, 160, 40);
    case 'o': return QColor(255, 140, 0);
    case 'r': return QColor(220, 0, 0);
    case 'R': return QColor(128, 0, 0);
    case 'b': return QColor(30, 80, 220);
    case 'B': return QColor(0, 0, 128);
    case 'c': return QColor(200, 235, 255);
    case 'C': return QColor(0, 128, 128);
    case 'n': return QColor(0, 170, 0);
    case 'N': return QColor(0, 100, 0);
    case 'h': return QColor(160, 100, 40);
    case 'H': return QColor(100, 60, 20);
    case 's': return QColor(235, 235, 235);
    default:
      if (c >= '0' && c <= '7') return LayerColor(c - '0');
      return QColor(255, 0, 255);
  }
}

// Paints a character map at (dx, dy); '.' leaves the pixel as it is.
void Art(QPainter& p, Rows rows, int dx = 0, int dy = 0) {
  int y = dy;
  for (const char* row : rows) {
    for (int x = 0; row[x] != '\0'; ++x)
      if (row[x] != '.') p.fillRect(dx + x, y, 1, 1, PaletteColor(row[x]));
    ++y;
  }
}

// A character map in one colour: every non-'.' character is drawn in `color`.
void Glyph(QPainter& p, Rows rows, int dx, int dy, const QColor& color) {
  int y = dy;
  for (const char* row : rows) {
    for (int x = 0; row[x] != '\0'; ++x)
      if (row[x] != '.') p.fillRect(dx + x, y, 1, 1, color);
    ++y;
  }
}

QImage Blank() {
  QImage image(kBarImageWidth, kBarImageHeight, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  return image;
}

QImage Draw(const std::function<void(QPainter&)>& paint) {
  QImage image = Blank();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  paint(p);
  return image;
}

QPen Pen(const QColor& c, int width = 1) {
  QPen pen(c, width);
  pen.setCapStyle(Qt::SquareCap);
  pen.setJoinStyle(Qt::MiterJoin);
  return pen;
}

// ---- Glyphs -------------------------------------------------------------------------------------------

// Bold digits, 6 x 9.
const Rows kDigits[8] = {
    {".kkkk.", "kk..kk", "kk..kk", "kk..kk", "kk..kk", "kk..kk", "kk..kk", "kk..kk", ".kkkk."},
    {"..kk..", ".kkk..", "kkkk..", "..kk..", "..kk..", "..kk..", "..kk..", "..kk..", "kkkkkk"},
    {".kkkk.", "kk..kk", "....kk", "....kk", "...kk.", "..kk..", ".kk...", "kk....", "kkkkkk"},
    {".kkkk.", "kk..kk", "....kk", "....kk", "..kkk.", "....kk", "....kk", "kk..kk", ".kkkk."},
    {"...kk.", "..kkk.", ".kkkk.", "kk.kk.", "kk.kk.", "kkkkkk", "...kk.", "...kk.", "...kk."},
    {"kkkkkk", "kk....", "kk....", "kkkkk.", "....kk", "....kk", "....kk", "kk..kk", ".kkkk."},
    {".kkkk.", "kk..kk", "kk....", "kkkkk.", "kk..kk", "kk..kk", "kk..kk", "kk..kk", ".kkkk."},
    {"kkkkkk", "....kk", "...kk.", "...kk.", "..kk..", "..kk..", "..kk..", "..kk..", "..kk.."},
};

// "文", the sign of text on a seal, 7 x 7 and 5 x 5.
const Rows kBun7 = {"...k...", "kkkkkkk", ".k...k.", "..k.k..", "...k...", "..k.k..", "kk...kk"};
const Rows kBun5 = {"..k..", "kkkkk", ".k.k.", "..k..", "kk.kk"};

// A small landscape picture (sky, sun, mountains) of w x h at (x, y), framed in black.
void Picture(QPainter& p, int x, int y, int w, int h, const QColor& frame = Qt::black) {
  p.fillRect(x, y, w, h, PaletteColor('c'));
  p.setPen(Pen(frame));
  p.setBrush(Qt::NoBrush);
  p.drawRect(x, y, w - 1, h - 1);
  // Sun.
  p.fillRect(x + w - 5, y + 2, 2, 2, PaletteColor('o'));
  // Mountains: a green polygon over the lower half.
  QPolygon hills;
  hills << QPoint(x + 1, y + h - 2) << QPoint(x + 1 + (w - 2) / 3, y + h / 2 - 1)
        << QPoint(x + 1 + (w - 2) / 2, y + h - 2 - (h - 2) / 4)
        << QPoint(x + 1 + (w - 2) * 2 / 3, y + h / 2) << QPoint(x + w - 2, y + h - 2);
  p.setPen(Pen(PaletteColor('N')));
  p.setBrush(PaletteColor('n'));
  p.drawPolygon(hills);
}

// Magnifier with a plus (in) or a minus (out).
QImage Magnifier(bool in) {
  return Draw([in](QPainter& p) {
    p.setPen(Pen(Qt::black));
    p.setBrush(PaletteColor('c'));
    p.drawEllipse(QRect(0, 0, 10, 10));
    p.setPen(Pen(PaletteColor('H'), 3));
    p.drawLine(11, 11, 13, 13);
    p.fillRect(9, 9, 2, 2, Qt::black);
    p.fillRect(2, 4, 7, 3, Qt::black);           // minus, 3 thick
    if (in) p.fillRect(4, 2, 3, 7, Qt::black);   // plus
  });
}

// Solid arrow heads pointing at the object, for the centring commands; (x, y) is the tip.
void ArrowRight(QPainter& p, int x, int y) {
  for (int i = 0; i < 4; ++i) p.fillRect(x - i, y - i, 1, 2 * i + 1, Qt::black);
}
void ArrowLeft(QPainter& p, int x, int y) {
  for (int i = 0; i < 4; ++i) p.fillRect(x + i, y - i, 1, 2 * i + 1, Qt::black);
}
void ArrowDown(QPainter& p, int x, int y) {
  for (int i = 0; i < 4; ++i) p.fillRect(x - i, y - i, 2 * i + 1, 1, Qt::black);
}
void ArrowUp(QPainter& p, int x, int y) {
  for (int i = 0; i < 4; ++i) p.fillRect(x - i, y + i, 2 * i + 1, 1, Qt::black);
}

QImage Centre(bool horizontal, bool vertical) {
  return Draw([=](QPainter& p) {
    const QColor axis(255, 0, 0);
    if (horizontal)  // the left-right centre: a vertical axis
      for (int y = 0; y < 15; y += 2) p.fillRect(7, y, 1, 1, axis);
    if (vertical)
      for (int x = 0; x < 15; x += 2) p.fillRect(x, 7, 1, 1, axis);
    p.setPen(Pen(PaletteColor('B')));
    p.setBrush(PaletteColor('b'));
    p.drawRect(5, 5, 4, 4);
    if (horizontal) {
      ArrowRight(p, 3, 7);
      ArrowLeft(p, 11, 7);
    }
    if (vertical) {
      ArrowDown(p, 7, 3);
      ArrowUp(p, 7, 11);
    }
  });
}

// A right triangle and its mirror image about the vertical (X) or horizontal (Y) axis.
QImage Mirror(bool aboutVertical) {
  return Draw([=](QPainter& p) {
    QPolygon solid, outline;
    if (aboutVertical) {
      for (int y = 0; y < 15; y += 2) p.fillRect(7, y, 1, 1, PaletteColor('r'));
      solid << QPoint(5, 2) << QPoint(5, 12) << QPoint(0, 12);
      outline << QPoint(9, 2) << QPoint(9, 12) << QPoint(14, 12);
    } else {
      for (int x = 0; x < 15; x += 2) p.fillRect(x, 7, 1, 1, PaletteColor('r'));
      solid << QPoint(1, 5) << QPoint(13, 5) << QPoint(1, 0);
      outline << QPoint(1, 9) << QPoint(13, 9) << QPoint(1, 14);
    }
    p.setPen(Pen(PaletteColor('B')));
    p.setBrush(PaletteColor('b'));
    p.drawPolygon(solid);
    p.setPen(Pen(PaletteColor('B')));
    p.setBrush(Qt::white);
    p.drawPolygon(outline);
  });
}

// A yellow ruler with ticks under a plus (larger step) or a minus (smaller step), with the step
// drawn as a span over the ruler.
QImage Step(bool larger) {
  return Draw([=](QPainter& p) {
    const int left = larger ? 1 : 5, right = larger ? 14 : 10;
    // The step as a span with end marks.
    p.fillRect(left, 8, right - left + 1, 1, PaletteColor('b'));
    p.fillRect(left, 7, 1, 3, PaletteColor('b'));
    p.fillRect(right, 7, 1, 3, PaletteColor('b'));
    // Sign.
    p.fillRect(5, 2, 6, 2, Qt::black);
    if (larger) p.fillRect(7, 0, 2, 6, Qt::black);
    // Ruler.
    p.setPen(Pen(Qt::black));
    p.setBrush(PaletteColor('y'));
    p.drawRect(0, 10, 15, 4);
    for (int x = 2; x < 15; x += 2) p.fillRect(x, 11, 1, (x % 4 == 0) ? 2 : 1, Qt::black);
  });
}

// ---- Seal schematics ------------------------------------------------------------------------------------
// Each seal button shows the seal with its own part in its layer colour and the other parts in
// light grey; `strong` is the part (layer) of the button, -1 for none.

const QRgb kOtherPart = qRgb(150, 150, 150);

QColor PartColor(int layer, int strong) {
  return layer == strong ? LayerColor(layer) : QColor(kOtherPart);
}

void PersonalSeal(QPainter& p, int strong) {
  p.setBrush(Qt::NoBrush);
  p.setPen(Pen(PartColor(0, strong)));
  p.drawEllipse(QRect(0, 0, 14, 14));
  p.drawEllipse(QRect(1, 1, 12, 12));
  Glyph(p, kBun7, 4, 4, PartColor(1, strong));
}

void CorporateSeal(QPainter& p, int strong) {
  p.setBrush(Qt::NoBrush);
  p.setPen(Pen(PartColor(0, strong)));
  p.drawEllipse(QRect(0, 0, 14, 14));
  // Ring text: marks round the band between the frames.
  const QColor ring = PartColor(1, strong);
  for (int i = 0; i < 8; ++i) {
    const double a = i * 3.14159265358979 / 4.0;
    const int x = static_cast<int>(std::lround(7 + 5.2 * std::cos(a)));
    const int y = static_cast<int>(std::lround(7 + 5.2 * std::sin(a)));
    p.fillRect(x, y, 1, 1, ring);
  }
  p.setPen(Pen(PartColor(2, strong)));
  p.drawEllipse(QRect(3, 3, 8, 8));
  Glyph(p, kBun5, 5, 5, PartColor(3, strong));
}

// A mask over a seal: a hatched disc in the mask layer's colour.
void Mask(QPainter& p, int layer, bool leftHalf) {
  const QColor c = LayerColor(layer);
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 15; ++x) {
      const double dx = x - 7, dy = y - 7;
      if (dx * dx + dy * dy > 42) continue;
      if (leftHalf ? x > 7 : x < 7) continue;
      if ((x + y) % 3 == 0) p.fillRect(x, y, 1, 1, c);
    }
}

// The picture badge of the text-to-image commands, at the lower right.
void ImageBadge(QPainter& p) {
  p.fillRect(8, 8, 8, 7, Qt::white);
  Picture(p, 9, 9, 7, 6);
}

// A seal stamp: a wooden cylinder inked red at its foot, with its print below.
QImage Stamp(bool doubleRing) {
  return Draw([=](QPainter& p) {
    Art(p, {
        ".....hhhhh......",
        "....hHhHHHh.....",
        "....hHhHHHh.....",
        "....hHhHHHh.....",
        "....hHhHHHh.....",
        "....hHHHHHh.....",
        "....rrrrrrr.....",
    });
    p.setPen(Pen(PaletteColor('r')));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRect(2, 8, 11, 6));
    if (doubleRing)
      p.drawEllipse(QRect(5, 10, 5, 2));
    else
      p.fillRect(6, 11, 3, 1, PaletteColor('r'));
  });
}

// The look of a button for a hidden layer: the visible image greyed, with a stroke through it.
// The button's own part turns dark grey and the other parts of a seal light grey, so the part
// that is hidden still stands out.
QImage Hidden(const QImage& visible) {
  QImage image = visible.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb px = image.pixel(x, y);
      if (qAlpha(px) == 0) continue;
      const int g = (px | 0xFF000000u) == kOtherPart ? 185 : 60 + qGray(px) * 170 / 255;
      image.setPixel(x, y, qRgba(g, g, g, qAlpha(px)));
    }
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(Pen(QColor(60, 60, 60)));
  p.drawLine(0, 14, 14, 0);
  p.setPen(Pen(Qt::white));
  p.drawLine(1, 14, 15, 0);
  return image;
}

// Layer button n: a square in the layer's colour with its number.
QImage LayerButton(int n) {
  return Draw([n](QPainter& p) {
    const QColor c = LayerColor(n);
    p.setPen(Pen(Qt::black));
    p.setBrush(c);
    p.drawRect(1, 0, 13, 14);
    // Dark digits on the light colours, white on the dark ones.
    const QColor digit = qGray(c.rgb()) > 140 ? QColor(Qt::black) : QColor(Qt::white);
    Glyph(p, kDigits[n], 5, 3, digit);
  });
}

// ---- The bar images ---------------------------------------------------------------------------------------

QImage DrawBarImage(UINT id) {
  switch (id) {
    // Main tool bar.
    case ID_FILE_PRINT:
      return Draw([](QPainter& p) {
        Art(p, {
            "....kkkkkkkk....",
            "....kwwwwwwk....",
            "....kwggggwk....",
            "..kkkkkkkkkkkk..",
            ".kllllllllllllk.",
            ".kllllllllllnlk.",
            ".kllllllllllllk.",
            ".kggggggggggggk.",
            ".kggkkkkkkkkggk.",
            ".kgkwwwwwwwwkgk.",
            ".kkkwggggggwkkk.",
            "...kwwwwwwwwk...",
            "...kwggggggwk...",
            "...kwwwwwwwwk...",
            "...kkkkkkkkkk...",
        });
      });
    case ID_FILE_NEW:
      return Draw([](QPainter& p) {
        Art(p, {
            "...kkkkkkk......",
            "...kwwwwwkk.....",
            "...kwwwwwkwk....",
            "...kwwwwwkwwk...",
            "...kwwwwwkkkkk..",
            "...kwwwwwwwwwk..",
            "...kwwwwwwwwwk..",
            "...kwwwwwwwwwk..",
            "...kwwwwwwwwwk..",
            "...kwwwwwwwwwk..",
            "...kwwwwwwwwwk..",
            "...kwwwwwwwwwk..",
            "...kwwwwwwwwwk..",
            "...kwwwwwwwwwk..",
            "...kkkkkkkkkkk..",
        });
      });
    case ID_FILE_OPEN:
      return Draw([](QPainter& p) {
        Art(p, {
            "................",
            "................",
            ".kkkk...........",
            "kYYYYk..........",
            "kYYYYYkkkkkkk...",
            "kYYYYYYYYYYYYk..",
            "kYYYYYYYYYYYYk..",
            "kYYYkkkkkkkkkkkk",
            "kYYkyyyyyyyyyyk.",
            "kYYkyyyyyyyyyyk.",
            "kYkyyyyyyyyyyk..",
            "kYkyyyyyyyyyyk..",
            "kkyyyyyyyyyyk...",
            "kkkkkkkkkkkkk...",
            "................",
        });
      });
    case ID_FILE_INSERT:
      return Draw([](QPainter& p) {
        Art(p, {
            "..........NNNN..",
            "..........NnnN..",
            "..........NnnN..",
            ".......NNNNnnNNN",
            ".......NnnnnnnnN",
            ".kkkk..NnnnnnnnN",
            "kYYYYk.NNNNnnNNN",
            "kYYYYYkkkkNnnN..",
            "kYYYYYYYYYNnnN..",
            "kYYkkkkkkkNNNNk.",
            "kYkyyyyyyyyyyk..",
            "kYkyyyyyyyyyyk..",
            "kkyyyyyyyyyyk...",
            "kkkkkkkkkkkkk...",
            "................",
        });
      });
    case ID_FILE_SAVE_AS_NAMED:
      return Draw([](QPainter& p) {
        Art(p, {
            ".kkkkkkkkkkkkk..",
            ".kbbllllllllbbk.",
            ".kbbllllBBllbbk.",
            ".kbbllllBBllbbk.",
            ".kbbllllBBllbbk.",
            ".kbbllllllllbbk.",
            ".kbbbbbbbbbbbbk.",
            ".kbbbbbbbbbbbbk.",
            ".kbwwwwwwwwwwbk.",
            ".kbwggggggggwbk.",
            ".kbwwwwwwwwwwbk.",
            ".kbwggggggggwbk.",
            ".kbwwwwwwwwwwbk.",
            ".kbwwwwwwwwwwbk.",
            ".kkkkkkkkkkkkkk.",
        });
      });
    case ID_EDIT_CUT:
      return Draw([](QPainter& p) {
        Art(p, {
            "...k.......k....",
            "...kg.....gk....",
            "....k.....k.....",
            "....kg...gk.....",
            ".....k...k......",
            ".....kg.gk......",
            "......kgk.......",
            ".......k........",
            "......r.r.......",
            "..rrrrr.rrrrr...",
            ".rr...rr.r...rr.",
            ".r.....r.r....r.",
            ".r.....r.r....r.",
            ".rr...rr.rr..rr.",
            "..rrrrr...rrrr..",
        });
      });
    case ID_EDIT_COPY:
      return Draw([](QPainter& p) {
        Art(p, {
            "kkkkkkkkk.......",
            "kwwwwwwwk.......",
            "kwgggggwk.......",
            "kwwwwwwwk.......",
            "kwggkkkkkkkk....",
            "kwwwkwwwwwwkk...",
            "kwggkwggggwkwk..",
            "kwwwkwwwwwwkkkk.",
            "kwggkwgggggggwk.",
            "kwwwkwwwwwwwwwk.",
            "kkkkkwgggggggwk.",
            "....kwwwwwwwwwk.",
            "....kwgggggggwk.",
            "....kwwwwwwwwwk.",
            "....kkkkkkkkkkk.",
        });
      });
    case ID_EDIT_PASTE:
      return Draw([](QPainter& p) {
        Art(p, {
            ".....kkkkk......",
            ".kkkkklllkkkkk..",
            "khhhkllllllkhhk.",
            "khhhkkkkkkkkhhk.",
            "khhhhhhhhhhhhhk.",
            "khhhhhkkkkkkkkkk",
            "khhhhhkwwwwwwwwk",
            "khhhhhkwggggggwk",
            "khhhhhkwwwwwwwwk",
            "khhhhhkwggggggwk",
            "khhhhhkwwwwwwwwk",
            "khhhhhkwggggggwk",
            "khhhhhkwwwwwwwwk",
            "kkkkkkkwwwwwwwwk",
            "......kkkkkkkkkk",
        });
      });
    case ID_EDIT_CLEAR:
      return Draw([](QPainter& p) {
        Art(p, {
            "................",
            ".Rr.........rR..",
            ".rrr.......rrr..",
            "..rrr.....rrr...",
            "...rrr...rrr....",
            "....rrr.rrr.....",
            ".....rrrrr......",
            "......rrr.......",
            ".....rrrrr......",
            "....rrr.rrr.....",
            "...rrr...rrr....",
            "..rrr.....rrr...",
            ".rrr.......rrr..",
            ".Rr.........rR..",
            "................",
        });
      });
    case ID_ENGRAVE_THREAD:
      return Draw([](QPainter& p) {
        Art(p, {
            "..kkkkkkkkkkk...",
            "..kllllllllnk...",
            "..kllllllllgk...",
            "..kkkkkkkkkkk...",
            ".....kdddk......",
            "......kdk.......",
            ".......r........",
            ".......r........",
            "....o..r..o.....",
            ".....o.r.o......",
            "...o..oyo..o....",
            "..ddddddddddd...",
            ".dllllllllllld..",
            "dllllllllllllld.",
            "ddddddddddddddd.",
        });
      });
    case ID_ZOOM_IN: return Magnifier(true);
    case ID_ZOOM_OUT: return Magnifier(false);
    case ID_CENTER_BOTH: return Centre(true, true);
    case ID_CENTER_HORZ: return Centre(true, false);
    case ID_CENTER_VERT: return Centre(false, true);
    case ID_MIRROR_X: return Mirror(true);
    case ID_MIRROR_Y: return Mirror(false);
    case ID_OUTPUT_MODE:
      // An outlined shape whose right half is filled with scan lines.
      return Draw([](QPainter& p) {
        p.setPen(Pen(Qt::black));
        p.setBrush(Qt::white);
        p.drawEllipse(QRect(0, 0, 14, 14));
        for (int y = 2; y < 14; y += 2)
          for (int x = 8; x < 14; ++x) {
            const double dx = x - 7, dy = y - 7;
            if (dx * dx + dy * dy < 40) p.fillRect(x, y, 1, 1, PaletteColor('b'));
          }
        p.fillRect(7, 1, 1, 13, Qt::black);
      });
    case ID_FONT:
      return Draw([](QPainter& p) {
        Glyph(p, {
            "....kk....",
            "...kkkk...",
            "...k..k...",
            "..kk..kk..",
            "..k....k..",
            ".kkkkkkkk.",
            ".k......k.",
            "kk......kk",
            "k........k",
            "kkk....kkk",
        }, 0, 3, Qt::black);
        Glyph(p, {
            ".bbb.",
            "b...b",
            "..bbb",
            ".b..b",
            "b...b",
            ".bbbb",
        }, 10, 7, PaletteColor('b'));
      });
    case ID_STEP_UP: return Step(true);
    case ID_STEP_DOWN: return Step(false);
    case ID_LAYER_DIALOG:
      // Three stacked sheets in layer colours.
      return Draw([](QPainter& p) {
        const int tops[3] = {8, 4, 0};
        const int layers[3] = {3, 2, 1};
        for (int i = 0; i < 3; ++i) {
          QPolygon sheet;
          const int t = tops[i];
          sheet << QPoint(7, t) << QPoint(14, t + 3) << QPoint(7, t + 6) << QPoint(0, t + 3);
          p.setPen(Pen(Qt::black));
          p.setBrush(LayerColor(layers[i]));
          p.drawPolygon(sheet);
        }
      });
    case ID_APP_ABOUT:
      return Draw([](QPainter& p) {
        p.setPen(Pen(PaletteColor('B')));
        p.setBrush(PaletteColor('b'));
        p.drawEllipse(QRect(0, 0, 14, 14));
        Glyph(p, {
            ".wwww.",
            "ww..ww",
            "....ww",
            "...ww.",
            "..ww..",
            "..ww..",
            "......",
            "..ww..",
            "..ww..",
        }, 4, 3, Qt::white);
      });

    // Object bar.
    case ID_ADD_LINE:
      return Draw([](QPainter& p) {
        p.setPen(Pen(Qt::black, 2));
        p.drawLine(2, 12, 12, 2);
        p.fillRect(0, 12, 3, 3, PaletteColor('b'));
        p.fillRect(12, 0, 3, 3, PaletteColor('b'));
      });
    case ID_ADD_RECTANGLE:
      return Draw([](QPainter& p) {
        p.setPen(Pen(Qt::black));
        p.setBrush(Qt::NoBrush);
        p.drawRect(0, 2, 14, 10);
        p.drawRect(1, 3, 12, 8);
      });
    case ID_ADD_CIRCLE:
      return Draw([](QPainter& p) {
        p.setPen(Pen(Qt::black));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRect(0, 0, 14, 14));
        p.drawEllipse(QRect(1, 1, 12, 12));
      });
    case ID_ADD_TRIANGLE:
      return Draw([](QPainter& p) {
        p.setPen(Pen(Qt::black, 2));
        p.setBrush(Qt::NoBrush);
        QPolygon t;
        t << QPoint(7, 1) << QPoint(13, 13) << QPoint(1, 13);
        p.drawPolygon(t);
      });
    case ID_ADD_RHOMBUS:
      return Draw([](QPainter& p) {
        p.setPen(Pen(Qt::black));
        p.setBrush(Qt::NoBrush);
        QPolygon r;
        r << QPoint(7, 0) << QPoint(14, 7) << QPoint(7, 14) << QPoint(0, 7);
        p.drawPolygon(r);
        QPolygon r2;
        r2 << QPoint(7, 1) << QPoint(13, 7) << QPoint(7, 13) << QPoint(1, 7);
        p.drawPolygon(r2);
      });
    case ID_ADD_POLYGON:
      return Draw([](QPainter& p) {
        // A hexagon with flat top and bottom, its corners marked.
        p.setPen(Pen(Qt::black));
        p.setBrush(Qt::NoBrush);
        QPolygon h;
        h << QPoint(4, 1) << QPoint(10, 1) << QPoint(14, 7) << QPoint(10, 13) << QPoint(4, 13)
          << QPoint(0, 7);
        p.drawPolygon(h);
        p.fillRect(4, 2, 7, 1, Qt::black);
        p.fillRect(4, 12, 7, 1, Qt::black);
        for (const QPoint& c : h) p.fillRect(c.x() - 1, c.y() - 1, 3, 3, PaletteColor('b'));
      });
    case ID_ADD_TEXT:
      return Draw([](QPainter& p) {
        Glyph(p, {
            "...kkkk...",
            "...kkkk...",
            "..kk..kk..",
            "..kk..kk..",
            ".kk....kk.",
            ".kkkkkkkk.",
            ".kk....kk.",
            "kk......kk",
            "kk......kk",
        }, 3, 1, Qt::black);
        p.fillRect(0, 12, 16, 2, PaletteColor('b'));
      });
    case ID_ADD_ARC_TEXT:
      // Letters standing on an arc.
      return Draw([](QPainter& p) {
        p.setPen(Pen(PaletteColor('b')));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRect(0, 7, 15, 16), 15 * 16, 150 * 16);
        Glyph(p, {".kk.", "k..k", "kkkk", "k..k", "k..k"}, 0, 4, Qt::black);
        Glyph(p, {"kkk.", "k..k", "kkk.", "k..k", "kkk."}, 6, 0, Qt::black);
        Glyph(p, {".kkk", "k...", "k...", "k...", ".kkk"}, 12, 4, Qt::black);
      });
    case ID_ADD_BMP:
      return Draw([](QPainter& p) { Picture(p, 0, 1, 16, 13); });
    case ID_SCAN_AREA_TO_IMAGE:
      // The whole scanning area (red frame) becomes a picture.
      return Draw([](QPainter& p) {
        p.setPen(Pen(PaletteColor('r'), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(1, 1, 13, 12);
        Picture(p, 3, 3, 10, 9);
      });
    case ID_SELECTION_TO_IMAGE:
      // A dragged band over part of the design becomes a picture.
      return Draw([](QPainter& p) {
        Picture(p, 1, 1, 10, 9);
        for (int x = 0; x < 12; ++x) {
          if (x % 2) continue;
          p.fillRect(x, 0, 1, 1, Qt::black);
          p.fillRect(x, 10, 1, 1, Qt::black);
        }
        for (int y = 0; y < 11; y += 2) {
          p.fillRect(0, y, 1, 1, Qt::black);
          p.fillRect(11, y, 1, 1, Qt::black);
        }
        Art(p, {
            "k....",
            "kk...",
            "kwk..",
            "kwwk.",
            "kwwwk",
            "kkwkk",
            "...k.",
        }, 10, 8);
      });

    // Personal-seal bar.
    case ID_PSEAL_OUTER_FRAME: return Draw([](QPainter& p) { PersonalSeal(p, 0); });
    case ID_PSEAL_INNER_TEXT: return Draw([](QPainter& p) { PersonalSeal(p, 1); });
    case ID_PSEAL_MASK:
      return Draw([](QPainter& p) {
        PersonalSeal(p, -1);
        Mask(p, 2, false);
      });
    case ID_PSEAL_TEXT_TO_IMAGE:
      return Draw([](QPainter& p) {
        PersonalSeal(p, 1);
        ImageBadge(p);
      });
    case ID_PSEAL_STUB: return Stamp(false);

    // Corporate-seal bar.
    case ID_CSEAL_OUTER_FRAME: return Draw([](QPainter& p) { CorporateSeal(p, 0); });
    case ID_CSEAL_RING_TEXT: return Draw([](QPainter& p) { CorporateSeal(p, 1); });
    case ID_CSEAL_INNER_FRAME: return Draw([](QPainter& p) { CorporateSeal(p, 2); });
    case ID_CSEAL_INNER_TEXT: return Draw([](QPainter& p) { CorporateSeal(p, 3); });
    case ID_CSEAL_MASK_0:
      return Draw([](QPainter& p) {
        CorporateSeal(p, -1);
        Mask(p, 4, true);
      });
    case ID_CSEAL_MASK_1:
      return Draw([](QPainter& p) {
        CorporateSeal(p, -1);
        Mask(p, 5, false);
      });
    case ID_CSEAL_RING_TO_IMAGE:
      return Draw([](QPainter& p) {
        CorporateSeal(p, 1);
        ImageBadge(p);
      });
    case ID_CSEAL_INNER_TO_IMAGE:
      return Draw([](QPainter& p) {
        CorporateSeal(p, 3);
        ImageBadge(p);
      });
    case ID_CSEAL_STUB: return Stamp(true);
    default:
      break;
  }
  if (id >= ID_LAYER_TOGGLE_0 && id <= ID_LAYER_TOGGLE_7)
    return LayerButton(static_cast<int>(id - ID_LAYER_TOGGLE_0));
  return QImage();
}

// The buttons whose hidden look each extra bitmap holds, in the bars' order of layer buttons. The
// personal bitmap's fourth image goes with the button after the three layer buttons.
// Layer button n for a hidden layer: a grey square, its number greyed and struck through.
QImage HiddenLayerButton(int n) {
  return Draw([n](QPainter& p) {
    p.setPen(Pen(QColor(128, 128, 128)));
    p.setBrush(QColor(224, 224, 224));
    p.drawRect(1, 0, 13, 14);
    Glyph(p, kDigits[n], 5, 3, QColor(120, 120, 120));
    p.setPen(Pen(QColor(60, 60, 60)));
    p.drawLine(1, 14, 14, 1);
  });
}

const std::vector<UINT>& ExtraButtons(UINT bitmapId) {
  static const std::vector<UINT> kLayer = {32927, 32928, 32929, 32930, 32931, 32932, 32933, 32934};
  static const std::vector<UINT> kPersonal = {ID_PSEAL_OUTER_FRAME, ID_PSEAL_INNER_TEXT,
                                              ID_PSEAL_MASK, ID_PSEAL_TEXT_TO_IMAGE};
  static const std::vector<UINT> kCorporate = {ID_CSEAL_OUTER_FRAME, ID_CSEAL_RING_TEXT,
                                               ID_CSEAL_INNER_FRAME, ID_CSEAL_INNER_TEXT,
                                               ID_CSEAL_MASK_0,      ID_CSEAL_MASK_1};
  static const std::vector<UINT> kNone;
  switch (bitmapId) {
    case IDB_LAYER_HIDDEN: return kLayer;
    case IDB_PERSONAL_SEAL_HIDDEN: return kPersonal;
    case IDB_CORPORATE_SEAL_HIDDEN: return kCorporate;
    default: return kNone;
  }
}

// ---- Icons --------------------------------------------------------------------------------------------

// The program's mark on a 48-unit grid: a navy tile with a marking head whose red beam engraves a
// line into a steel plate.
void PaintProgramMark(QPainter& p, double s) {
  p.save();
  p.scale(s / 48.0, s / 48.0);
  p.setRenderHint(QPainter::Antialiasing, true);
  QLinearGradient tile(0, 0, 0, 48);
  tile.setColorAt(0, QColor(40, 90, 170));
  tile.setColorAt(1, QColor(10, 30, 80));
  p.setPen(QPen(QColor(5, 15, 40), 1.5));
  p.setBrush(tile);
  p.drawRoundedRect(QRectF(1.5, 1.5, 45, 45), 8, 8);
  // Plate.
  QLinearGradient steel(0, 30, 0, 42);
  steel.setColorAt(0, QColor(235, 235, 240));
  steel.setColorAt(1, QColor(150, 155, 165));
  p.setPen(QPen(QColor(60, 60, 70), 1));
  p.setBrush(steel);
  p.drawRect(QRectF(7, 31, 34, 10));
  // Engraved "D" stroke on the plate.
  p.setPen(QPen(QColor(20, 20, 20), 2.2));
  p.drawLine(QPointF(11, 36), QPointF(26, 36));
  // Head and beam.
  p.setPen(QPen(QColor(20, 20, 20), 1));
  p.setBrush(QColor(220, 220, 225));
  p.drawRect(QRectF(20, 6, 14, 10));
  p.setBrush(QColor(120, 120, 130));
  QPolygonF nozzle;
  nozzle << QPointF(23, 16) << QPointF(31, 16) << QPointF(28, 21) << QPointF(26, 21);
  p.drawPolygon(nozzle);
  p.setPen(QPen(QColor(255, 40, 40), 2.4));
  p.drawLine(QPointF(27, 21), QPointF(27, 35));
  QRadialGradient glow(QPointF(27, 36), 6);
  glow.setColorAt(0, QColor(255, 255, 180));
  glow.setColorAt(0.5, QColor(255, 160, 0, 200));
  glow.setColorAt(1, QColor(255, 80, 0, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(glow);
  p.drawEllipse(QPointF(27, 36), 6, 6);
  p.restore();
}

// A project file: a page with a folded corner carrying the program's mark.
void PaintDocumentMark(QPainter& p, double s) {
  p.save();
  p.scale(s / 48.0, s / 48.0);
  p.setRenderHint(QPainter::Antialiasing, true);
  QPainterPath page;
  page.moveTo(8, 1.5);
  page.lineTo(30, 1.5);
  page.lineTo(41, 12.5);
  page.lineTo(41, 46.5);
  page.lineTo(8, 46.5);
  page.closeSubpath();
  p.setPen(QPen(QColor(40, 40, 40), 1.5));
  p.setBrush(Qt::white);
  p.drawPath(page);
  QPainterPath fold;
  fold.moveTo(30, 1.5);
  fold.lineTo(30, 12.5);
  fold.lineTo(41, 12.5);
  p.setBrush(QColor(210, 210, 215));
  p.drawPath(fold);
  p.setPen(QPen(QColor(150, 150, 160), 1.5));
  for (int y = 9; y <= 17; y += 4) p.drawLine(QPointF(12, y), QPointF(26, y));
  p.restore();
  // The mark in the lower part of the page.
  p.save();
  p.translate(s * 12.0 / 48.0, s * 20.0 / 48.0);
  PaintProgramMark(p, s * 25.0 / 48.0);
  p.restore();
}

QIcon MakeIcon(void (*paint)(QPainter&, double)) {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128}) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    paint(p, size);
    p.end();
    icon.addPixmap(QPixmap::fromImage(image));
  }
  return icon;
}

}  // namespace

QImage BarImage(UINT commandId) {
  static std::map<UINT, QImage> cache;
  auto it = cache.find(commandId);
  if (it == cache.end()) it = cache.emplace(commandId, DrawBarImage(commandId)).first;
  return it->second;
}

int ExtraImageCount(UINT bitmapId) { return static_cast<int>(ExtraButtons(bitmapId).size()); }

QImage ExtraImage(UINT bitmapId, int index) {
  const std::vector<UINT>& buttons = ExtraButtons(bitmapId);
  if (index < 0 || index >= static_cast<int>(buttons.size())) return QImage();
  if (bitmapId == IDB_LAYER_HIDDEN) return HiddenLayerButton(index);
  return Hidden(BarImage(buttons[static_cast<size_t>(index)]));
}

QImage SplashPicture() {
  QImage image(kSplashWidth, kSplashHeight, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  const QRectF all(0, 0, kSplashWidth, kSplashHeight);
  QLinearGradient sky(0, 0, 0, kSplashHeight);
  sky.setColorAt(0, QColor(18, 40, 96));
  sky.setColorAt(1, QColor(40, 104, 170));
  p.fillRect(all, sky);

  // Right side: a marking head over a steel plate, engraving a line of text.
  QLinearGradient steel(0, 150, 0, 200);
  steel.setColorAt(0, QColor(236, 238, 242));
  steel.setColorAt(1, QColor(140, 146, 158));
  p.setPen(QPen(QColor(30, 34, 44), 1.5));
  p.setBrush(steel);
  p.drawRoundedRect(QRectF(236, 150, 146, 44), 4, 4);
  // The text engraved so far, the beam at work on the next letter.
  QFont engraved;
  engraved.setFamilies({"Liberation Sans", "DejaVu Sans", "Sans Serif"});
  engraved.setPixelSize(26);
  engraved.setBold(true);
  p.setFont(engraved);
  p.setPen(QColor(40, 40, 46));
  p.drawText(QPointF(246, 182), "ABC1");
  QLinearGradient body(300, 0, 350, 0);
  body.setColorAt(0, QColor(200, 204, 212));
  body.setColorAt(0.5, QColor(245, 246, 248));
  body.setColorAt(1, QColor(170, 174, 184));
  p.setPen(QPen(QColor(30, 34, 44), 1.5));
  p.setBrush(body);
  p.drawRect(QRectF(304, 40, 48, 58));
  QPolygonF nozzle;
  nozzle << QPointF(314, 98) << QPointF(342, 98) << QPointF(333, 116) << QPointF(323, 116);
  p.setBrush(QColor(110, 114, 124));
  p.drawPolygon(nozzle);
  p.setBrush(QColor(60, 220, 90));
  p.drawEllipse(QPointF(342, 50), 3, 3);
  p.setPen(QPen(QColor(255, 50, 40), 4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(328, 116), QPointF(328, 170));
  QRadialGradient glow(QPointF(328, 172), 18);
  glow.setColorAt(0, QColor(255, 255, 210));
  glow.setColorAt(0.35, QColor(255, 190, 40, 230));
  glow.setColorAt(1, QColor(255, 90, 0, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(glow);
  p.drawEllipse(QPointF(328, 172), 18, 18);

  // Program name, subtitle and maker.
  QFont name;
  name.setFamilies({"Liberation Sans", "DejaVu Sans", "Sans Serif"});
  name.setPixelSize(50);
  name.setBold(true);
  name.setItalic(true);
  p.setFont(name);
  p.setPen(QColor(0, 0, 0, 90));
  p.drawText(QPointF(27, 100), kAppTitle);
  p.setPen(Qt::white);
  p.drawText(QPointF(24, 97), kAppTitle);

  p.setPen(QPen(QColor(255, 190, 40), 2));
  p.drawLine(QPointF(26, 112), QPointF(224, 112));

  QFont subtitle;
  subtitle.setFamilies({"IPAPGothic", "IPAGothic", "Noto Sans CJK JP", "Sans Serif"});
  subtitle.setPixelSize(17);
  p.setFont(subtitle);
  p.setPen(QColor(230, 238, 255));
  p.drawText(QPointF(26, 138), QString::fromUtf8(kSplashSubtitle));

  QFont maker;
  maker.setFamilies({"Liberation Sans", "DejaVu Sans", "Sans Serif"});
  maker.setPixelSize(15);
  maker.setBold(true);
  p.setFont(maker);
  p.setPen(QColor(230, 238, 255));
  p.drawText(QPointF(26, 232), kMakerName);

  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QColor(8, 20, 50));
  p.setBrush(Qt::NoBrush);
  p.drawRect(0, 0, kSplashWidth - 1, kSplashHeight - 1);
  return image;
}

QIcon ProgramIcon() { return MakeIcon(PaintProgramMark); }
QIcon DocumentIcon() { return MakeIcon(PaintDocumentMark); }

}  // namespace res
