// artgen paints Purselog's bitmap art -- the window skin, the category icon strip, the total
// icons of the monthly graph, the program icon, the panel decoration of the main window and the
// button glyphs -- and writes it as PNG files into a directory.  With --preview it also writes
// enlarged views and mock-ups of the main window into a second directory, for looking at the
// art; those are not resources.
//
// Usage: artgen OUTPUT_DIR [--preview PREVIEW_DIR]

#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QRadialGradient>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <iterator>
#include <numbers>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

// ---------------------------------------------------------------------------------------------
// Palette shared by every picture.

constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kOutline = 0xff2b4a6f;          // outer outline of the window frame
constexpr QRgb kTitleHighlight = 0xff93b4d8;   // 1-pixel light line along the title bar
constexpr QRgb kTitleTop = 0xff6188b4;         // title bar gradient, top
constexpr QRgb kTitleBottom = 0xff3b6192;      // title bar gradient, bottom
constexpr QRgb kTitleSeparator = 0xff2f5179;   // last row of the title bar
constexpr QRgb kBorderHighlight = 0xffdce7f3;  // side and bottom borders, outer to inner
constexpr QRgb kBorderBase = 0xffb6cbe3;
constexpr QRgb kBorderShade = 0xff9db7d5;
constexpr QRgb kBorderInner = 0xffe9f0f8;
constexpr QRgb kPanelLine = 0xffbccee2;  // thin lines of light panels
constexpr QRgb kPanelTint = 0xfff1f5fa;  // very light tint of panels
constexpr QRgb kTrayTint = 0xffe6eef7;   // tray holding the data grid
constexpr QRgb kKey = 0xffff00ff;        // transparent key colour of the icon strip
constexpr QRgb kTransparent = 0x00000000;

QColor Colour(QRgb rgba) { return QColor::fromRgba(rgba); }

QColor Colour(QRgb rgb, int alpha) {
  QColor c = QColor::fromRgb(rgb);
  c.setAlpha(alpha);
  return c;
}

QRgb Mix(QRgb a, QRgb b, double t) {
  auto lerp = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
  return qRgba(lerp(qRed(a), qRed(b)), lerp(qGreen(a), qGreen(b)), lerp(qBlue(a), qBlue(b)),
               lerp(qAlpha(a), qAlpha(b)));
}

QImage NewTransparent(int w, int h) {
  QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  return img;
}

// Paints a w x h opaque image by averaging colour_at over 4 x 4 samples in every pixel.
QImage Supersample(int w, int h, const std::function<QRgb(double, double)>& colour_at) {
  constexpr int kSub = 4;
  constexpr int kCount = kSub * kSub;
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      int r = 0, g = 0, b = 0;
      for (int sy = 0; sy < kSub; ++sy) {
        for (int sx = 0; sx < kSub; ++sx) {
          const QRgb c = colour_at(x + (sx + 0.5) / kSub, y + (sy + 0.5) / kSub);
          r += qRed(c);
          g += qGreen(c);
          b += qBlue(c);
        }
      }
      img.setPixel(
          x, y,
          qRgb((r + kCount / 2) / kCount, (g + kCount / 2) / kCount, (b + kCount / 2) / kCount));
    }
  }
  return img;
}

// ---------------------------------------------------------------------------------------------
// Window skin.  The painter of the program puts the corners at the window corners, stretches
// columns 29..30 of the top-left and bottom-left corners along the top and bottom edges, and
// stretches row 0 of the side pieces down the sides.

constexpr int kCornerWidth = 32;
constexpr int kTitleHeight = 21;
constexpr int kBorderWidth = 6;
constexpr int kSideHeight = 15;
constexpr double kTopRadius = 5.0;
constexpr double kBottomRadius = 4.0;

// How far (u, v) lies inside the outer edges of a corner rounded with `radius`; u and v are
// measured from the outer vertical and horizontal edges.  Negative outside the rounding.
double CornerDepth(double u, double v, double radius) {
  if (u < radius && v < radius) return radius - std::hypot(radius - u, radius - v);
  return std::min(u, v);
}

// Side and bottom borders by depth from the outer edge: outline, highlight, two rows of base
// tone, shade, and a light inner line beside the white interior.
QRgb BorderBand(double depth) {
  if (depth < 1) return kOutline;
  if (depth < 2) return kBorderHighlight;
  if (depth < 4) return kBorderBase;
  if (depth < 5) return kBorderShade;
  return kBorderInner;
}

// Title bar by depth from the outer edge and by row: outline, highlight line, a vertical
// gradient, and a darker last row.
QRgb TitleBand(double depth, double row) {
  if (depth < 1) return kOutline;
  if (row >= kTitleHeight - 1) return kTitleSeparator;
  if (depth < 2) return kTitleHighlight;
  const double t = std::clamp((row - 2.0) / (kTitleHeight - 3.0), 0.0, 1.0);
  return Mix(kTitleTop, kTitleBottom, t);
}

QImage PaintTopCorner(bool right) {
  return Supersample(kCornerWidth, kTitleHeight, [right](double x, double y) {
    const double d = CornerDepth(right ? kCornerWidth - x : x, y, kTopRadius);
    return d < 0 ? kWhite : TitleBand(d, y);
  });
}

QImage PaintBottomCorner(bool right) {
  return Supersample(kCornerWidth, kBorderWidth, [right](double x, double y) {
    const double d = CornerDepth(right ? kCornerWidth - x : x, kBorderWidth - y, kBottomRadius);
    return d < 0 ? kWhite : BorderBand(d);
  });
}

QImage PaintSideEdge(bool right) {
  return Supersample(kBorderWidth, kSideHeight, [right](double x, double) {
    return BorderBand(right ? kBorderWidth - x : x);
  });
}

// ---------------------------------------------------------------------------------------------
// Pixel art.  Each character is one pixel; '.' is the background.

using Rows = std::vector<std::string_view>;

struct InkSpot {
  char code;
  QRgb colour;
};

// The inks of the pixel art, two to four per picture, all kept apart from kKey.
constexpr InkSpot kInks[] = {
    {'K', 0xff33363e},  // outline
    {'W', 0xffffffff},  // white
    {'r', 0xffe0493f},  // red, and its shade
    {'R', 0xffa8302a},  //
    {'o', 0xfff59a2f},  // orange
    {'y', 0xfff8d54c},  // yellow and gold
    {'Y', 0xffd59f22},  //
    {'g', 0xff5dbb63},  // green
    {'G', 0xff2f8238},  //
    {'b', 0xff4b8fd8},  // blue
    {'B', 0xff2d66a6},  //
    {'c', 0xffaed8f5},  // light cyan (glass, screens)
    {'n', 0xffa86a32},  // brown
    {'N', 0xff6b4222},  //
    {'p', 0xfff5a6c0},  // pink
    {'P', 0xffd3668c},  //
    {'s', 0xffd5d8dc},  // light and dark grey
    {'S', 0xff7d848d},  //
    {'v', 0xff9a6acb},  // violet
    {'V', 0xff70479f},  //
    {'l', 0xfffff3d6},  // cream
    {'h', 0xffef8d83},  // shine on red
    {'q', 0xfffad6ce},  // pale dots on red
};

QRgb ArtColour(char code) {
  for (const InkSpot& ink : kInks) {
    if (ink.code == code) return ink.colour;
  }
  throw std::invalid_argument(std::string("unknown pixel art colour '") + code + "'");
}

QImage FromPixelArt(const Rows& rows, int width, QRgb background) {
  QImage img(width, static_cast<int>(rows.size()), QImage::Format_ARGB32);
  for (int y = 0; y < img.height(); ++y) {
    const std::string_view row = rows[static_cast<size_t>(y)];
    if (static_cast<int>(row.size()) != width) {
      throw std::invalid_argument("pixel art row " + std::to_string(y) + " is " +
                                  std::to_string(row.size()) + " wide, not " +
                                  std::to_string(width));
    }
    for (int x = 0; x < width; ++x) {
      const char c = row[static_cast<size_t>(x)];
      img.setPixel(x, y, c == '.' ? background : ArtColour(c));
    }
  }
  return img;
}

// ---------------------------------------------------------------------------------------------
// Category icons, 18 x 16 each, in the order of the category table.

constexpr int kIconWidth = 18;
constexpr int kIconHeight = 16;

const std::vector<Rows>& CategoryIcons() {
  static const std::vector<Rows> icons = {
      {
          // 0 food: a rice bowl with chopsticks
          "................N.",
          "...............N.N",
          "......KKKKKK..N.N.",
          "....KKWWWWWWKN.N..",
          "...KWWWWWWWWNWN...",
          "..KWWWWWWWWNWNWK..",
          ".KKKKKKKKKKKKKKKK.",
          ".KbcbbbbbbbbbbbbK.",
          "..KcbWbbWbbWbbbK..",
          "..KbcbbbbbbbbbBK..",
          "...KbbbbbbbbbBK...",
          "....KbbbbbbbBK....",
          ".....KKKKKKKK.....",
          "......KbbbbK......",
          "......KKKKKK......",
          "..................",
      },
      {
          // 1 daily goods: a pump bottle of detergent
          "....KKKKKKK.......",
          "...KssssssK.......",
          "...KKKKsssK.......",
          "......KsssK.......",
          ".....KKKKKKK......",
          ".....KrrrrrK......",
          "....KKKKKKKKK.....",
          "...KggggggggGK....",
          "...KgWWWWWWWGK....",
          "...KgWWbWWWWGK....",
          "...KgWbbbWcWGK....",
          "...KgWbbbWWWGK....",
          "...KgWWbWWcWGK....",
          "...KggggggggGK....",
          "...KKKKKKKKKKK....",
          "..................",
      },
      {
          // 2 transport: the front of a train
          "....KKKKKKKKKK....",
          "...KbbbWWWWbbbK...",
          "..KbKKKKKKKKKKbK..",
          "..KbKcccKKcccKbK..",
          "..KbKcccKKcccKbK..",
          "..KbKcccKKcccKbK..",
          "..KbKKKKKKKKKKbK..",
          "..KbbbbbbbbbbbbK..",
          "..KbyybbbbbbyybK..",
          "..KbyybbbbbbyybK..",
          "..KWWWWWWWWWWWWK..",
          "..KKKKKKKKKKKKKK..",
          "....KK......KK....",
          "...KK........KK...",
          "..SSSSSSSSSSSSSS..",
          "..................",
      },
      {
          // 3 housing: a small house
          "........KK..KKK...",
          ".......KrrK.KnK...",
          "......KrrrrKKnK...",
          ".....KrrrrrrKnK...",
          "....KrrrrrrrrKK...",
          "...KrrrrrrrrrrK...",
          "..KrrrrrrrrrrrrK..",
          ".KRRRRRRRRRRRRRRK.",
          "..KllllllllllllK..",
          "..KlKKKKlKKKKKlK..",
          "..KlKnnKlKcKcKlK..",
          "..KlKnnKlKKKKKlK..",
          "..KlKnyKlKcKcKlK..",
          "..KlKnnKlKKKKKlK..",
          "..KlKnnKlllllllK..",
          "..KKKKKKKKKKKKKK..",
      },
      {
          // 4 utilities: a light bulb
          "......KKKKKK......",
          "....KKyyyyyyKK....",
          "...KyWWyyyyyyyK...",
          "..KyWyyyyyyyyyYK..",
          "..KyWyyyyyyyyyYK..",
          "..KyyyyyyyyyyyYK..",
          "..KyyyyoyyoyyyYK..",
          "...KyyyoyyoyyYK...",
          "....KyyyooyyYK....",
          ".....KyyooyYK.....",
          ".....KKKKKKKK.....",
          ".....KsssssSK.....",
          ".....KKKKKKKK.....",
          ".....KsssssSK.....",
          "......KKKKKK......",
          "........KK........",
      },
      {
          // 5 communication: a mobile phone sending waves
          "....KKKKKKK.......",
          "...KSSSSSSSK......",
          "...KScccccSK..B...",
          "...KScccWcSK...B..",
          "...KSccWccSK.B..B.",
          "...KScWcccSK..B.B.",
          "...KScccccSK..B.B.",
          "...KScccccSK.B..B.",
          "...KScccccSK...B..",
          "...KScccccSK..B...",
          "...KScccccSK......",
          "...KScccccSK......",
          "...KSSSSSSSK......",
          "...KSSSsSSSK......",
          "...KSSSSSSSK......",
          "....KKKKKKK.......",
      },
      {
          // 6 medical: a red cross on a white sign
          "..................",
          "...KKKKKKKKKKKK...",
          "..KWWWWWWWWWWWWK..",
          "..KWWWWRRRRWWWWK..",
          "..KWWWWRrrRWWWWK..",
          "..KWWWWRrrRWWWWK..",
          "..KWRRRRrrRRRRWK..",
          "..KWRrrrrrrrrRWK..",
          "..KWRrrrrrrrrRWK..",
          "..KWRRRRrrRRRRWK..",
          "..KWWWWRrrRWWWWK..",
          "..KWWWWRrrRWWWWK..",
          "..KWWWWRRRRWWWWK..",
          "..KWWWWWWWWWWWWK..",
          "...KKKKKKKKKKKK...",
          "..................",
      },
      {
          // 7 clothing and beauty: a T-shirt
          "..................",
          "....KKKK..KKKK....",
          "...KvvvvKKvvvvK...",
          "..KvvvvvvvvvvvvK..",
          ".KvvvvvvvvvvvvvvK.",
          "KvvvvvvvvvvvvvvvVK",
          "KKKKvvvvvvvvvvKKKK",
          "...KvvvvvvvvvVK...",
          "...KvvvvvvvvvVK...",
          "...KWWWWWWWWWWK...",
          "...KvvvvvvvvvVK...",
          "...KvvvvvvvvvVK...",
          "...KvvvvvvvvvVK...",
          "...KvvvvvvvvvVK...",
          "...KKKKKKKKKKKK...",
          "..................",
      },
      {
          // 8 social and entertainment: a gift box with a ribbon
          "...KKK......KKK...",
          "..KrrrK....KrrrK..",
          "..KrKrrK..KrrKrK..",
          "...KKKrrKKrrKKK...",
          ".KKKKKKKKKKKKKKKK.",
          ".KggggggrRggggggK.",
          ".KggggggrRggggggK.",
          ".KKKKKKKKKKKKKKKK.",
          "..KgggggrRggggGK..",
          "..KgggggrRggggGK..",
          "..KgggggrRggggGK..",
          "..KgggggrRggggGK..",
          "..KgggggrRggggGK..",
          "..KgggggrRggggGK..",
          "..KKKKKKKKKKKKKK..",
          "..................",
      },
      {
          // 9 salary: a banknote marked with the yen sign
          "..................",
          "..................",
          "KKKKKKKKKKKKKKKKKK",
          "KggggggggggggggggK",
          "KgGgggWWWWWWgggGgK",
          "KggggWGWWWWGWggggK",
          "KggggWWGWWGWWggggK",
          "KggggWGGGGGGWggggK",
          "KggggWWWGGWWWggggK",
          "KggggWGGGGGGWggggK",
          "KggggWWWGGWWWggggK",
          "KgGgggWWWWWWgggGgK",
          "KggggggggggggggggK",
          "KKKKKKKKKKKKKKKKKK",
          ".KGGGGGGGGGGGGGGGK",
          ".KKKKKKKKKKKKKKKKK",
      },
      {
          // 10 extra income: a coin dropping into a piggy bank
          "......KKK.........",
          ".....KyyyK........",
          ".....KyYyK........",
          "......KKK.........",
          "...........KK.....",
          ".....KKKKKKKpK....",
          "...KKpKKKppppKK...",
          "..KpppppppppKppK..",
          ".KKppppppppppppKK.",
          "K.KppppppppppppPK.",
          "..KppppppppppppKK.",
          "..KppppppppppppK..",
          "...KKppppppppKK...",
          "....KpKKKKKKpK....",
          "....KKK....KKK....",
          "..................",
      },
  };
  return icons;
}

QImage PaintIconStrip() {
  const std::vector<Rows>& icons = CategoryIcons();
  QImage strip(kIconWidth * static_cast<int>(icons.size()), kIconHeight, QImage::Format_RGB32);
  strip.fill(kKey);
  QPainter p(&strip);
  for (size_t k = 0; k < icons.size(); ++k) {
    p.drawImage(kIconWidth * static_cast<int>(k), 0, FromPixelArt(icons[k], kIconWidth, kKey));
  }
  return strip;
}

// The two 18 x 16 icons of the monthly graph's series list, side by side on the key colour: the
// total expense (money leaving a wallet) at x = 0 and the total income (money coming into it)
// at x = 18.
const std::vector<Rows>& TotalIcons() {
  static const std::vector<Rows> icons = {
      {
          // expense: a red arrow rising out of a wallet
          "........KK........",
          ".......KrrK.......",
          "......KrrrRK......",
          ".....KrrrrrRK.....",
          "....KrrrrrrrRK....",
          "....KKKrrrRKKK....",
          "......KrrrRK......",
          ".KKKKKKKKKKKKKKKK.",
          "KnnnnnnnnnnnnnnnnK",
          "KnNNNNNNNNNNNNNNnK",
          "KnnnnnnnnnnnKKKKKK",
          "KnnnnnnnnnnKyyyyyK",
          "KnnnnnnnnnnKyYyyyK",
          "KnnnnnnnnnnnKKKKKK",
          "KNNNNNNNNNNNNNNNNK",
          ".KKKKKKKKKKKKKKKK.",
      },
      {
          // income: a blue arrow going down into a wallet
          "......KKKKKK......",
          "......KbbbBK......",
          "....KKKbbbBKKK....",
          "....KbbbbbbbBK....",
          ".....KbbbbbBK.....",
          "......KbbbBK......",
          ".......KbBK.......",
          ".KKKKKKKKKKKKKKKK.",
          "KnnnnnnnnnnnnnnnnK",
          "KnNNNNNNNNNNNNNNnK",
          "KnnnnnnnnnnnKKKKKK",
          "KnnnnnnnnnnKyyyyyK",
          "KnnnnnnnnnnKyYyyyK",
          "KnnnnnnnnnnnKKKKKK",
          "KNNNNNNNNNNNNNNNNK",
          ".KKKKKKKKKKKKKKKK.",
      },
  };
  return icons;
}

QImage PaintTotalIcons() {
  const std::vector<Rows>& icons = TotalIcons();
  QImage pair(kIconWidth * static_cast<int>(icons.size()), kIconHeight, QImage::Format_RGB32);
  pair.fill(kKey);
  QPainter p(&pair);
  for (size_t k = 0; k < icons.size(); ++k) {
    p.drawImage(kIconWidth * static_cast<int>(k), 0, FromPixelArt(icons[k], kIconWidth, kKey));
  }
  return pair;
}

// ---------------------------------------------------------------------------------------------
// Program icon: a clasp purse (gamaguchi) in red with a gold clasp.

QImage PaintProgramIcon16() {
  const Rows rows = {
      "....KKK..KKK....",  //
      "...KlyyKKlyyK...",  //
      "...KyyYKKyyYK...",  //
      "..KKKKKKKKKKKK..",  //
      ".KyyyyyyyyyyyyK.",  //
      ".KYYYYYYYYYYYYK.",  //
      ".KKKKKKKKKKKKKK.",  //
      "KrrrrrrrrrrrrrRK",  //
      "KrhrrrrrrrqrrrRK",  //
      "KrhrrqrrrrrrrrRK",  //
      "KrrrrrrrrrrrqrRK",  //
      "KrrrrrrrqrrrrrRK",  //
      "KRrrqrrrrrrrrRRK",  //
      ".KRRrrrrrrrrRRK.",  //
      "..KKKKKKKKKKKK..",  //
      "................",  //
  };
  return FromPixelArt(rows, 16, kTransparent);
}

// The drawn icon at any size from 22 pixels up (the 16-pixel one is pixel art).
QImage PaintProgramIcon(int size) {
  QImage img = NewTransparent(size, size);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 16.0, size / 16.0);  // drawn on the 16-unit grid of the small icon
  const QPen outline(Colour(ArtColour('K')), 0.5);
  // The two knobs of the clasp.
  p.setPen(outline);
  for (const QPointF& knob : {QPointF(5.75, 2.1), QPointF(10.25, 2.1)}) {
    QRadialGradient ball(knob - QPointF(0.6, 0.7), 2.2);
    ball.setColorAt(0, Colour(0xfffff6cc));
    ball.setColorAt(0.45, Colour(ArtColour('y')));
    ball.setColorAt(1, Colour(ArtColour('Y')));
    p.setBrush(ball);
    p.drawEllipse(knob, 1.85, 1.85);
  }

  // The bag.
  QPainterPath body;
  body.moveTo(1.8, 6.6);
  body.cubicTo(-0.3, 8.4, 0.0, 12.6, 2.3, 14.0);
  body.quadTo(3.2, 14.6, 4.6, 14.6);
  body.lineTo(11.4, 14.6);
  body.quadTo(12.8, 14.6, 13.7, 14.0);
  body.cubicTo(16.0, 12.6, 16.3, 8.4, 14.2, 6.6);
  body.closeSubpath();
  QLinearGradient red(0, 6, 0, 15);
  red.setColorAt(0, Colour(0xffec6a5f));
  red.setColorAt(0.55, Colour(ArtColour('r')));
  red.setColorAt(1, Colour(ArtColour('R')));
  p.setBrush(red);
  p.drawPath(body);

  // Polka dots and a soft shine, kept inside the bag.
  p.save();
  p.setClipPath(body);
  p.setPen(Qt::NoPen);
  p.setBrush(Colour(ArtColour('q')));
  for (const QPointF& dot :
       {QPointF(5.2, 9.4), QPointF(10.4, 8.6), QPointF(12.4, 10.9), QPointF(8.4, 11.6),
        QPointF(4.2, 12.6), QPointF(7.6, 8.3), QPointF(11.0, 13.2)}) {
    p.drawEllipse(dot, 0.55, 0.55);
  }
  QRadialGradient shine(QPointF(3.0, 8.6), 3.2);
  shine.setColorAt(0, QColor(255, 255, 255, 150));
  shine.setColorAt(1, QColor(255, 255, 255, 0));
  p.setBrush(shine);
  p.drawEllipse(QPointF(3.0, 8.6), 3.2, 3.2);
  p.restore();

  // The clasp frame across the top of the bag.
  p.setPen(outline);
  QLinearGradient band(0, 3.6, 0, 6.9);
  band.setColorAt(0, Colour(0xfffbe59a));
  band.setColorAt(0.45, Colour(ArtColour('y')));
  band.setColorAt(1, Colour(ArtColour('Y')));
  p.setBrush(band);
  p.drawRoundedRect(QRectF(1.3, 3.6, 13.4, 3.2), 1.1, 1.1);
  p.setPen(QPen(Colour(0xfffff4c8), 0.35));
  p.drawLine(QPointF(2.4, 4.45), QPointF(13.6, 4.45));
  return img;
}

// ---------------------------------------------------------------------------------------------
// Panel of the main window: frame.png sits at window (16, 61).  In picture coordinates the date
// label (white) lies at (56, 35) 113 x 17, the day total (grey) at (200, 35) 225 x 17 and the data
// grid at (24, 75) 401 x 193.

constexpr int kFrameWidth = 445;
constexpr int kFrameHeight = 291;

QImage PaintFrame() {
  QImage img(kFrameWidth, kFrameHeight, QImage::Format_RGB32);
  img.fill(kWhite);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);

  // Soft rounded panel, white at the top to a very light tint at the bottom.
  const QRectF panel(0.5, 0.5, kFrameWidth - 2.0, kFrameHeight - 2.0);
  QLinearGradient wash(0, 0, 0, kFrameHeight);
  wash.setColorAt(0, Colour(kWhite));
  wash.setColorAt(0.25, Colour(kWhite));
  wash.setColorAt(1, Colour(kPanelTint));
  p.setPen(QPen(Colour(kPanelLine), 1));
  p.setBrush(wash);
  p.drawRoundedRect(panel, 9, 9);

  // Date band: a pill in the title-bar colours behind the white date label.
  const QRectF pill(48.5, 31.5, 128, 25);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 70, 110, 40));
  p.drawRoundedRect(pill.translated(0, 1.5), 12.5, 12.5);
  QLinearGradient title(0, pill.top(), 0, pill.bottom());
  title.setColorAt(0, Colour(kTitleTop));
  title.setColorAt(1, Colour(kTitleBottom));
  p.setPen(QPen(Colour(kOutline), 1));
  p.setBrush(title);
  p.drawRoundedRect(pill, 12.5, 12.5);
  p.setPen(QPen(Colour(kTitleHighlight, 200), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(pill.adjusted(1, 1, -1, -1), 11.5, 11.5);

  // Light box behind the grey day total, tied to the pill by a fine rule.
  p.setPen(QPen(Colour(kPanelLine), 1));
  p.drawLine(QPointF(177, 44.5), QPointF(196, 44.5));
  const QRectF total(196.5, 31.5, 232, 25);
  QLinearGradient box(0, total.top(), 0, total.bottom());
  box.setColorAt(0, Colour(0xfffbfcfe));
  box.setColorAt(1, Colour(0xffedf2f8));
  p.setBrush(box);
  p.drawRoundedRect(total, 5, 5);

  // Tray holding the data grid: a light tinted well with an inner frame around the grid.
  const QRectF tray(20.5, 71.5, 408, 200);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 70, 110, 22));
  p.drawRoundedRect(tray.translated(0, 1.5), 6, 6);
  p.setPen(QPen(Colour(0xffa9bfd8), 1));
  p.setBrush(Colour(kTrayTint));
  p.drawRoundedRect(tray, 6, 6);
  p.setPen(QPen(Colour(0xffd3dfec), 1));
  p.drawLine(QPointF(26, 72.5), QPointF(423, 72.5));
  p.setPen(QPen(Colour(0xff9fb6d1), 1));
  p.setBrush(Colour(kWhite));
  p.drawRect(QRectF(23.5, 74.5, 402, 194));

  // Three small dots in the lower right corner, echoing the ornament.
  p.setPen(Qt::NoPen);
  const int alphas[] = {90, 150, 220};
  for (int i = 0; i < 3; ++i) {
    p.setBrush(Colour(kTitleTop, alphas[i]));
    p.drawEllipse(QPointF(410.5 + 8 * i, 281.5), 1.8, 1.8);
  }
  return img;
}

// A thin ornamental rule shown under the row of buttons: a diamond, then a fine line that fades
// to the right with small beads along it.
QImage PaintOrnament() {
  QImage img = NewTransparent(204, 12);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const double mid = 6.5;
  QLinearGradient fade(12, 0, 204, 0);
  fade.setColorAt(0, Colour(kTitleTop, 255));
  fade.setColorAt(0.5, Colour(kTitleTop, 150));
  fade.setColorAt(1, Colour(kTitleHighlight, 0));
  p.setPen(QPen(QBrush(fade), 1.0));
  p.drawLine(QPointF(12, mid), QPointF(204, mid));

  p.setPen(QPen(Colour(kOutline), 1.0));
  p.setBrush(Colour(kTitleTop));
  const QPolygonF diamond{{1.5, mid}, {6.5, mid - 5}, {11.5, mid}, {6.5, mid + 5}};
  p.drawPolygon(diamond);
  p.setPen(Qt::NoPen);
  p.setBrush(Colour(kTitleHighlight));
  p.drawEllipse(QPointF(6.5, mid - 0.5), 1.6, 1.6);

  for (int i = 0; i < 7; ++i) {
    const double x = 30.0 + 24.0 * i;
    const int alpha = 255 - 30 * i;
    p.setPen(QPen(Colour(kTitleBottom, alpha), 1.0));
    p.setBrush(Colour(kTitleHighlight, alpha));
    if (i % 2 == 0) {
      p.drawEllipse(QPointF(x, mid), 2.5, 2.5);
    } else {
      p.drawPolygon(QPolygonF{{x - 2.5, mid}, {x, mid - 2.5}, {x + 2.5, mid}, {x, mid + 2.5}});
    }
  }
  return img;
}

// ---------------------------------------------------------------------------------------------
// Button glyphs, 24 x 24, for flat buttons on white.

constexpr int kGlyph = 24;

QImage PaintDayArrow(bool next) {
  QImage img = NewTransparent(kGlyph, kGlyph);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF disc(1.5, 1.5, 21, 21);
  QLinearGradient g(0, disc.top(), 0, disc.bottom());
  g.setColorAt(0, Colour(0xff7aa0ca));
  g.setColorAt(1, Colour(kTitleBottom));
  p.setPen(QPen(Colour(kOutline), 1));
  p.setBrush(g);
  p.drawEllipse(disc);
  p.setPen(QPen(QColor(255, 255, 255, 120), 1));
  p.setBrush(Qt::NoBrush);
  p.drawArc(disc.adjusted(1, 1, -1, -1), 35 * 16, 110 * 16);

  QPolygonF chevron{{13.8, 6.8}, {8.6, 12}, {13.8, 17.2}};
  if (next) {
    for (QPointF& pt : chevron) pt.setX(kGlyph - pt.x());
  }
  p.setPen(QPen(QColor(0, 0, 0, 60), 2.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolyline(chevron.translated(0, 0.8));
  p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolyline(chevron);
  return img;
}

QImage PaintCalendar() {
  QImage img = NewTransparent(kGlyph, kGlyph);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor ink = Colour(0xff4a5f7a);
  const QRectF page(2.5, 4.5, 19, 17);

  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 60, 90, 40));
  p.drawRoundedRect(page.translated(0.8, 1), 2.5, 2.5);
  p.setBrush(Colour(kWhite));
  p.drawRoundedRect(page, 2.5, 2.5);

  // Red header of the page.
  QPainterPath clip;
  clip.addRoundedRect(page, 2.5, 2.5);
  p.save();
  p.setClipPath(clip);
  QLinearGradient head(0, 4.5, 0, 10);
  head.setColorAt(0, Colour(0xffee6b62));
  head.setColorAt(1, Colour(0xffcc4038));
  p.setBrush(head);
  p.drawRect(QRectF(2, 4, 20, 5.5));
  p.restore();

  p.setPen(QPen(ink, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(page, 2.5, 2.5);

  // Day cells; one is marked in the title-bar blue.
  p.setPen(Qt::NoPen);
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 4; ++col) {
      const QRectF cell(5 + 4 * col, 11.5 + 3.4 * row, 2.6, 2.2);
      const bool today = row == 1 && col == 2;
      p.setBrush(today ? Colour(kTitleBottom) : Colour(0xffaebfd3));
      p.drawRect(today ? cell.adjusted(-0.5, -0.5, 0.5, 0.5) : cell);
    }
  }

  // Binder rings.
  p.setPen(QPen(Colour(kWhite), 1));
  p.setBrush(ink);
  p.drawRoundedRect(QRectF(6.5, 2, 2.4, 5), 1.2, 1.2);
  p.drawRoundedRect(QRectF(15.1, 2, 2.4, 5), 1.2, 1.2);
  return img;
}

QImage PaintCategoryList() {
  QImage img = NewTransparent(kGlyph, kGlyph);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const QRgb tags[] = {ArtColour('r'), ArtColour('g'), ArtColour('b')};
  const QRgb tag_edges[] = {ArtColour('R'), ArtColour('G'), ArtColour('B')};
  for (int i = 0; i < 3; ++i) {
    const double y = 5.5 + 6.5 * i;
    // A luggage tag pointing left, with its hole.
    QPainterPath tag;
    tag.moveTo(1.8, y);
    tag.lineTo(4.8, y - 3);
    tag.lineTo(10.2, y - 3);
    tag.quadTo(11, y - 3, 11, y - 2.2);
    tag.lineTo(11, y + 2.2);
    tag.quadTo(11, y + 3, 10.2, y + 3);
    tag.lineTo(4.8, y + 3);
    tag.closeSubpath();
    p.setPen(QPen(Colour(tag_edges[i]), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Colour(tags[i]));
    p.drawPath(tag);
    p.setPen(Qt::NoPen);
    p.setBrush(Colour(kWhite));
    p.drawEllipse(QPointF(5.2, y), 1.0, 1.0);
    // The entry line beside it.
    p.setBrush(Colour(0xff8aa1bb));
    p.drawRoundedRect(QRectF(13, y - 1.25, i == 1 ? 7.5 : 9.5, 2.5), 1.25, 1.25);
  }
  return img;
}

QImage PaintPieChart() {
  QImage img = NewTransparent(kGlyph, kGlyph);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF pie(1.5, 3.5, 18, 18);
  struct Slice {
    int start;
    int span;
    QRgb fill;
    QRgb edge;
    bool lifted;
  };
  const Slice slices[] = {
      {90, 120, ArtColour('o'), 0xffc0731c, false},
      {210, 115, ArtColour('g'), ArtColour('G'), false},
      {325, 125, kTitleTop, kOutline, true},
  };
  for (const Slice& s : slices) {
    QRectF r = pie;
    if (s.lifted) {
      const double mid = (s.start + s.span / 2.0) * std::numbers::pi / 180.0;
      r.translate(2.2 * std::cos(mid), -2.2 * std::sin(mid));
    }
    p.setPen(QPen(Colour(s.edge), 1, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.setBrush(Colour(s.fill));
    p.drawPie(r, s.start * 16, s.span * 16);
  }
  // Shine on the lifted slice.
  p.setPen(QPen(QColor(255, 255, 255, 120), 1));
  p.setBrush(Qt::NoBrush);
  const double mid = (325 + 62.5) * std::numbers::pi / 180.0;
  p.drawArc(
      pie.translated(2.2 * std::cos(mid), -2.2 * std::sin(mid)).adjusted(1.2, 1.2, -1.2, -1.2),
      340 * 16, 90 * 16);
  return img;
}

// ---------------------------------------------------------------------------------------------
// Title-bar buttons: white glyphs with a 1-pixel dark shadow, for the title-bar blue.

void DrawShadowed(QPainter& p, const std::function<void(QPainter&)>& draw) {
  p.save();
  p.translate(1, 1);
  p.setOpacity(0.55);
  p.setPen(
      QPen(Qt::black, p.pen().widthF(), p.pen().style(), p.pen().capStyle(), p.pen().joinStyle()));
  if (p.brush().style() != Qt::NoBrush) p.setBrush(Qt::black);
  draw(p);
  p.restore();
  draw(p);
}

QImage PaintMenuButton() {
  QImage img = NewTransparent(17, 17);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::white, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::white);
  const QPolygonF triangle{{4, 6}, {13, 6}, {8.5, 11}};
  DrawShadowed(p, [&](QPainter& q) { q.drawPolygon(triangle); });
  return img;
}

QImage PaintMinimizeButton() {
  QImage img = NewTransparent(16, 16);
  QPainter p(&img);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  DrawShadowed(p, [](QPainter& q) { q.drawRect(QRect(4, 10, 8, 2)); });
  return img;
}

QImage PaintCloseButton() {
  QImage img = NewTransparent(16, 16);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
  DrawShadowed(p, [](QPainter& q) {
    q.drawLine(QPointF(4.5, 4.5), QPointF(11.5, 11.5));
    q.drawLine(QPointF(11.5, 4.5), QPointF(4.5, 11.5));
  });
  return img;
}

// ---------------------------------------------------------------------------------------------
// Output and checks.

struct Picture {
  const char* name;
  int width;
  int height;
  QImage image;
};

std::vector<Picture> PaintAll() {
  return {
      {"skin_lt.png", 32, 21, PaintTopCorner(false)},
      {"skin_rt.png", 32, 21, PaintTopCorner(true)},
      {"skin_lb.png", 32, 6, PaintBottomCorner(false)},
      {"skin_rb.png", 32, 6, PaintBottomCorner(true)},
      {"skin_l.png", 6, 15, PaintSideEdge(false)},
      {"skin_r.png", 6, 15, PaintSideEdge(true)},
      {"iconstrip.png", 198, 16, PaintIconStrip()},
      {"inouticons.png", 36, 16, PaintTotalIcons()},
      {"program_icon.png", 16, 16, PaintProgramIcon16()},
      {"program_icon_48.png", 48, 48, PaintProgramIcon(48)},
      {"frame.png", kFrameWidth, kFrameHeight, PaintFrame()},
      {"ornament.png", 204, 12, PaintOrnament()},
      {"btn_prev.png", 24, 24, PaintDayArrow(false)},
      {"btn_next.png", 24, 24, PaintDayArrow(true)},
      {"btn_calendar.png", 24, 24, PaintCalendar()},
      {"btn_category.png", 24, 24, PaintCategoryList()},
      {"btn_graph.png", 24, 24, PaintPieChart()},
      {"btn_menu.png", 17, 17, PaintMenuButton()},
      {"btn_minimize.png", 16, 16, PaintMinimizeButton()},
      {"btn_close.png", 16, 16, PaintCloseButton()},
  };
}

// Reads every written file back and checks its size; the icon strip and the total icons must
// also carry the key colour at (0, 0) and have some drawing in each of their cells.  Returns the
// number of faults.
int CheckWritten(const QDir& dir, const std::vector<Picture>& pictures) {
  int faults = 0;
  auto fault = [&faults](const QString& what) {
    std::fprintf(stderr, "artgen: %s\n", qPrintable(what));
    ++faults;
  };
  for (const Picture& pic : pictures) {
    const QImage read(dir.filePath(pic.name));
    if (read.isNull()) {
      fault(QString("%1 cannot be read back").arg(pic.name));
    } else if (read.width() != pic.width || read.height() != pic.height) {
      fault(QString("%1 is %2x%3, not %4x%5")
                .arg(pic.name)
                .arg(read.width())
                .arg(read.height())
                .arg(pic.width)
                .arg(pic.height));
    }
  }
  // The keyed icon pictures: the category strip and the two total icons.
  for (const char* name : {"iconstrip.png", "inouticons.png"}) {
    const QImage strip(dir.filePath(name));
    if (strip.isNull()) continue;
    if (strip.pixel(0, 0) != kKey) fault(QString("%1 lacks the key colour at (0, 0)").arg(name));
    auto is_ink = [](QRgb c) {
      return std::any_of(std::begin(kInks), std::end(kInks),
                         [c](const InkSpot& ink) { return ink.colour == c; });
    };
    for (int k = 0; k < strip.width() / kIconWidth; ++k) {
      int drawn = 0;
      for (int y = 0; y < kIconHeight; ++y) {
        for (int x = 0; x < kIconWidth; ++x) {
          const QRgb c = strip.pixel(k * kIconWidth + x, y);
          if (c == kKey) continue;
          ++drawn;
          if (!is_ink(c)) {
            fault(QString("%1 has a stray colour at (%2, %3)")
                      .arg(name)
                      .arg(k * kIconWidth + x)
                      .arg(y));
          }
        }
      }
      if (drawn < 40) fault(QString("icon %1 of %2 is nearly empty").arg(k).arg(name));
    }
  }
  return faults;
}

// ---------------------------------------------------------------------------------------------
// Previews: enlarged views and mock-ups of the windows (not resources).

const QImage& Find(const std::vector<Picture>& pictures, const char* name) {
  for (const Picture& pic : pictures) {
    if (std::string_view(pic.name) == name) return pic.image;
  }
  throw std::invalid_argument(std::string("no picture named ") + name);
}

QImage KeyedToAlpha(const QImage& keyed) {
  QImage out = keyed.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < out.height(); ++y) {
    for (int x = 0; x < out.width(); ++x) {
      if (out.pixel(x, y) == kKey) out.setPixel(x, y, kTransparent);
    }
  }
  return out;
}

void DrawShadowedText(QPainter& p, const QRect& r, int flags, const QString& text) {
  p.setPen(Qt::black);
  p.drawText(r.translated(1, 1), flags, text);
  p.setPen(Qt::white);
  p.drawText(r, flags, text);
}

// Lays the skin out as the program does and writes the title.
QImage ComposeSkin(const std::vector<Picture>& pics, int w, int h, const QString& caption) {
  QImage win(w, h, QImage::Format_RGB32);
  win.fill(kWhite);
  QPainter p(&win);
  const QImage& lt = Find(pics, "skin_lt.png");
  const QImage& lb = Find(pics, "skin_lb.png");
  p.drawImage(QRect(kCornerWidth, 0, w - 2 * kCornerWidth, kTitleHeight),
              lt.copy(29, 0, 2, kTitleHeight));
  p.drawImage(QRect(kCornerWidth, h - kBorderWidth, w - 2 * kCornerWidth, kBorderWidth),
              lb.copy(29, 0, 2, kBorderWidth));
  p.drawImage(QRect(0, kTitleHeight, kBorderWidth, h - kTitleHeight - kBorderWidth),
              Find(pics, "skin_l.png").copy(0, 0, kBorderWidth, 1));
  p.drawImage(QRect(w - kBorderWidth, kTitleHeight, kBorderWidth, h - kTitleHeight - kBorderWidth),
              Find(pics, "skin_r.png").copy(0, 0, kBorderWidth, 1));
  p.drawImage(0, 0, lt);
  p.drawImage(w - kCornerWidth, 0, Find(pics, "skin_rt.png"));
  p.drawImage(0, h - kBorderWidth, lb);
  p.drawImage(w - kCornerWidth, h - kBorderWidth, Find(pics, "skin_rb.png"));
  p.drawImage(6, 3, Find(pics, "program_icon.png"));
  QFont font("DejaVu Sans");
  font.setPixelSize(12);
  font.setBold(true);
  p.setFont(font);
  DrawShadowedText(p, QRect(26, 2, w - 120, 16), Qt::AlignLeft | Qt::AlignVCenter, caption);
  p.drawImage(w - 66, 2, Find(pics, "btn_menu.png"));
  p.drawImage(w - 45, 3, Find(pics, "btn_minimize.png"));
  p.drawImage(w - 28, 3, Find(pics, "btn_close.png"));
  return win;
}

QImage ComposeMainWindow(const std::vector<Picture>& pics) {
  QImage win = ComposeSkin(pics, 480, 360, "Purselog 2.7");
  QPainter p(&win);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.drawImage(16, 61, Find(pics, "frame.png"));
  p.drawImage(24, 64, Find(pics, "ornament.png"));
  const char* glyphs[] = {"btn_prev.png", "btn_next.png", "btn_calendar.png", "btn_category.png",
                          "btn_graph.png"};
  const int glyph_x[] = {26, 66, 106, 162, 202};
  for (int i = 0; i < 5; ++i) p.drawImage(glyph_x[i], 38, Find(pics, glyphs[i]));

  QFont bold("IPAPGothic");
  bold.setPixelSize(12);
  bold.setBold(true);
  p.setFont(bold);
  p.setPen(Colour(0xff555555));
  p.drawText(QRect(216, 48, 225, 17), Qt::AlignRight | Qt::AlignVCenter,
             QString::fromUtf8("今月の支出 ¥128,450"));
  p.drawText(QRect(216, 96, 225, 17), Qt::AlignRight | Qt::AlignVCenter,
             QString::fromUtf8("本日の支出 ¥3,480"));
  p.setPen(Qt::white);
  p.drawText(QRect(72, 96, 113, 17), Qt::AlignCenter, QString::fromUtf8("2024年5月12日(日)"));

  // A stand-in for the data grid with a few entries.
  const QRect grid(40, 136, 401, 193);
  p.fillRect(grid, Qt::white);
  p.fillRect(QRect(grid.left(), grid.top(), grid.width(), 18), Colour(0xffe4e9ef));
  QFont plain("IPAPGothic");
  plain.setPixelSize(12);
  p.setFont(plain);
  p.setPen(Colour(0xff333333));
  const QImage icons = KeyedToAlpha(Find(pics, "iconstrip.png"));
  const struct {
    int icon;
    const char* category;
    const char* memo;
    const char* amount;
  } entries[] = {
      {0, "食費", "スーパー", "1,280"},     {2, "交通費", "定期券", "9,870"},
      {5, "通信費", "携帯電話", "3,240"},   {8, "交際娯楽", "誕生日", "2,500"},
      {4, "水道光熱費", "電気代", "6,105"}, {10, "臨時収入", "お祝い", "10,000"},
      {9, "給料", "5月分", "235,000"},      {7, "衣服美容", "Tシャツ", "1,990"},
      {6, "医療費", "薬", "890"},
  };
  p.drawText(QRect(grid.left() + 4, grid.top(), 120, 18), Qt::AlignVCenter,
             QString::fromUtf8("分類"));
  p.drawText(QRect(grid.left() + 130, grid.top(), 150, 18), Qt::AlignVCenter,
             QString::fromUtf8("内容"));
  p.drawText(QRect(grid.right() - 100, grid.top(), 96, 18), Qt::AlignRight | Qt::AlignVCenter,
             QString::fromUtf8("金額"));
  int y = grid.top() + 18;
  for (const auto& e : entries) {
    p.setPen(Colour(0xffdde3ea));
    p.drawLine(grid.left(), y + 18, grid.right(), y + 18);
    p.drawImage(grid.left() + 3, y + 1, icons.copy(e.icon * kIconWidth, 0, kIconWidth, 16));
    p.setPen(Colour(0xff333333));
    p.drawText(QRect(grid.left() + 24, y, 100, 18), Qt::AlignVCenter,
               QString::fromUtf8(e.category));
    p.drawText(QRect(grid.left() + 130, y, 150, 18), Qt::AlignVCenter, QString::fromUtf8(e.memo));
    p.drawText(QRect(grid.right() - 100, y, 96, 18), Qt::AlignRight | Qt::AlignVCenter,
               QString::fromUtf8(e.amount));
    y += 19;
  }
  return win;
}

QImage Checkerboard(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) img.setPixel(x, y, ((x / 8 + y / 8) % 2) ? 0xffd8d8d8 : 0xfff4f4f4);
  }
  return img;
}

QImage Enlarge(const QImage& src, int zoom) {
  return src.scaledToWidth(src.width() * zoom, Qt::FastTransformation);
}

// One sheet of every picture enlarged, the alpha ones on white, on a checkerboard and on the
// title-bar colour.
QImage ContactSheet(const std::vector<Picture>& pics) {
  constexpr int kZoom = 8;
  std::vector<QImage> tiles;
  for (const Picture& pic : pics) {
    if (std::string_view(pic.name) == "frame.png") continue;
    const QImage big =
        Enlarge(pic.image, pic.image.width() > 100 && pic.image.hasAlphaChannel() ? 3 : kZoom);
    const bool alpha = pic.image.hasAlphaChannel();
    QImage tile(big.width() * (alpha ? 3 : 1) + (alpha ? 16 : 0), big.height() + 18,
                QImage::Format_RGB32);
    tile.fill(0xffffffff);
    QPainter p(&tile);
    p.setPen(Qt::black);
    p.drawText(QRect(0, 0, tile.width(), 16), Qt::AlignLeft | Qt::AlignVCenter, pic.name);
    if (alpha) {
      p.drawImage(big.width() + 8, 18, Checkerboard(big.width(), big.height()));
      p.fillRect(QRect(2 * big.width() + 16, 18, big.width(), big.height()), Colour(kTitleTop));
      p.fillRect(QRect(2 * big.width() + 16, 18 + big.height() / 2, big.width(),
                       big.height() - big.height() / 2),
                 Colour(kTitleBottom));
      p.drawImage(big.width() + 8, 18, big);
      p.drawImage(2 * big.width() + 16, 18, big);
    }
    p.drawImage(0, 18, big);
    tiles.push_back(tile);
  }
  // Flow the tiles into rows no wider than kSheetWidth.
  constexpr int kSheetWidth = 1900;
  std::vector<QPoint> at;
  int x = 0, y = 0, row_height = 0, width = 0;
  for (const QImage& t : tiles) {
    if (x > 0 && x + t.width() > kSheetWidth) {
      x = 0;
      y += row_height + 12;
      row_height = 0;
    }
    at.emplace_back(x, y);
    x += t.width() + 12;
    width = std::max(width, x);
    row_height = std::max(row_height, t.height());
  }
  QImage sheet(width, y + row_height, QImage::Format_RGB32);
  sheet.fill(0xffb0b0b0);
  QPainter p(&sheet);
  for (size_t i = 0; i < tiles.size(); ++i) p.drawImage(at[i], tiles[i]);
  return sheet;
}

bool WritePreviews(const std::vector<Picture>& pics, const QString& dir_name) {
  QDir dir;
  if (!dir.mkpath(dir_name)) return false;
  dir.setPath(dir_name);
  const QImage main_window = ComposeMainWindow(pics);
  const QImage skin = ComposeSkin(pics, 454, 368, "Purselog 2.7");
  return main_window.save(dir.filePath("preview_main.png")) &&
         Enlarge(main_window, 2).save(dir.filePath("preview_main_x2.png")) &&
         skin.save(dir.filePath("preview_skin.png")) &&
         Enlarge(skin, 2).save(dir.filePath("preview_skin_x2.png")) &&
         Enlarge(skin.copy(0, 0, 120, 60), 8).save(dir.filePath("preview_skin_topleft_x8.png")) &&
         Enlarge(skin.copy(354, 0, 100, 60), 8)
             .save(dir.filePath("preview_skin_topright_x8.png")) &&
         Enlarge(skin.copy(0, 318, 100, 50), 8).save(dir.filePath("preview_skin_bottom_x8.png")) &&
         Enlarge(Find(pics, "frame.png"), 3).save(dir.filePath("preview_frame_x3.png")) &&
         ContactSheet(pics).save(dir.filePath("preview_sheet_x8.png"));
}

}  // namespace

// The program icon in the sizes of the desktop's icon theme, as
// DIR/<n>x<n>/apps/org.purselog.Purselog.png: the pixel art at 16, drawn at every other size.
bool WriteThemeIcons(const QString& dir) {
  for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QString folder = QString("%1/%2x%2/apps").arg(dir).arg(size);
    const QImage icon = size == 16 ? PaintProgramIcon16() : PaintProgramIcon(size);
    const QString file = folder + "/org.purselog.Purselog.png";
    if (!QDir().mkpath(folder) || !icon.save(file, "PNG") ||
        QImage(file).size() != QSize(size, size)) {
      std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(file));
      return false;
    }
  }
  std::printf("artgen: wrote the program icon in 8 sizes to %s\n", qPrintable(dir));
  return true;
}

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = QGuiApplication::arguments();
  QString out_dir;
  QString preview_dir;
  QString theme_dir;
  for (int i = 1; i < args.size(); ++i) {
    if (args[i] == "--preview" && i + 1 < args.size()) {
      preview_dir = args[++i];
    } else if (args[i] == "--theme-icons" && i + 1 < args.size()) {
      theme_dir = args[++i];
    } else if (out_dir.isEmpty() && !args[i].startsWith("--")) {
      out_dir = args[i];
    } else {
      out_dir.clear();
      break;
    }
  }
  if (out_dir.isEmpty()) {
    std::fprintf(stderr,
                 "usage: artgen OUTPUT_DIR [--preview PREVIEW_DIR] [--theme-icons ICON_DIR]\n");
    return 2;
  }

  try {
    QDir dir;
    if (!dir.mkpath(out_dir)) {
      std::fprintf(stderr, "artgen: cannot create %s\n", qPrintable(out_dir));
      return 1;
    }
    dir.setPath(out_dir);
    const std::vector<Picture> pictures = PaintAll();
    for (const Picture& pic : pictures) {
      if (!pic.image.save(dir.filePath(pic.name), "PNG")) {
        std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(dir.filePath(pic.name)));
        return 1;
      }
    }
    if (CheckWritten(dir, pictures) != 0) return 1;
    if (!theme_dir.isEmpty() && !WriteThemeIcons(theme_dir)) return 1;
    std::printf("artgen: wrote %zu pictures to %s\n", pictures.size(), qPrintable(out_dir));
    if (!preview_dir.isEmpty()) {
      if (!WritePreviews(pictures, preview_dir)) {
        std::fprintf(stderr, "artgen: cannot write previews to %s\n", qPrintable(preview_dir));
        return 1;
      }
      std::printf("artgen: wrote previews to %s\n", qPrintable(preview_dir));
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "artgen: %s\n", e.what());
    return 1;
  }
  return 0;
}
