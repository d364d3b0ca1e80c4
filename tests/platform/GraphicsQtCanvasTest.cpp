// The canvas bound to a painter the way a control paints: the painter's own clip and
// translation stay in force, and the painter comes back as it was handed in.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/qt/QtCanvas.h"
#include "platform/testing/QtTextWidget.h"

namespace {

TColor At(const QImage& img, int x, int y) { return FromQColor(img.pixelColor(x, y)); }

TEST(GraphicsQtCanvas, BoundCanvasKeepsThePaintersClipAndTranslation) {
  EnsureQtGuiApplication();
  QImage img(10, 10, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  p.translate(2, 3);
  p.setClipRect(QRect(0, 0, 4, 4));  // device 2..5 x 3..6
  p.setPen(Qt::green);
  TQtCanvas c;
  c.Brush()->SetColor(clRed);
  c.FillRect(Rect(0, 0, 10, 10));  // unbound: nothing happens
  c.Bind(&p);
  c.FillRect(Rect(-5, -5, 20, 20));
  c.SetClipRect(Rect(1, 1, 2, 2));
  c.Brush()->SetColor(clBlue);
  c.FillRect(Rect(-5, -5, 20, 20));
  EXPECT_EQ(c.Pixels(1, 1), clBlue);
  c.Unbind();
  EXPECT_EQ(p.pen().color(), QColor(Qt::green));
  EXPECT_TRUE(p.hasClipping());
  p.end();

  int red = 0, blue = 0;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      TColor v = At(img, x, y);
      bool inClip = x >= 2 && x < 6 && y >= 3 && y < 7;
      if (!inClip) {
        EXPECT_EQ(v, clWhite) << x << "," << y;
      }
      red += v == clRed;
      blue += v == clBlue;
    }
  EXPECT_EQ(blue, 1);
  EXPECT_EQ(At(img, 3, 4), clBlue);
  EXPECT_EQ(red, 15);
}

TEST(GraphicsQtCanvas, RebindingStartsWithoutTheOldClip) {
  EnsureQtGuiApplication();
  QImage img(4, 1, QImage::Format_RGB32);
  img.fill(Qt::white);
  auto c = MakeQtCanvas(nullptr);
  c->Brush()->SetColor(clRed);
  {
    QPainter p(&img);
    c->Bind(&p);
    c->SetClipRect(Rect(0, 0, 1, 1));
    c->Unbind();
  }
  {
    QPainter p(&img);
    c->Bind(&p);
    c->FillRect(Rect(0, 0, 4, 1));
    c->Unbind();
  }
  for (int x = 0; x < 4; ++x) EXPECT_EQ(At(img, x, 0), clRed) << x;
}

// Drawing calls share one painter state. Each call must draw as on a painter fresh from Bind:
// the same steps with the state closed after every call (NativePainter hands the painter back as
// it came) give the same pixels, and the pixels that show a call's own mode, clip or rotation did
// not reach the next one are checked as well.
using Step = std::function<void(TCanvas*)>;

const std::vector<Step>& MixedSteps() {
  static const std::vector<Step> steps = {
      [](TCanvas* c) {
        c->Brush()->SetColor(clWhite);
        c->FillRect(Rect(0, 0, 120, 100));
      },
      // XOR outline and fill, then plain fills that must not XOR.
      [](TCanvas* c) {
        c->Pen()->SetMode(pmXor);
        c->Pen()->SetColor(clRed);
        c->Brush()->SetColor(clRed);
        c->Rectangle(10, 10, 30, 30);
      },
      [](TCanvas* c) {
        c->Brush()->SetColor(clBlue);
        c->FillRect(Rect(12, 12, 20, 20));
      },
      [](TCanvas* c) { c->SetPixels(5, 5, clLime); },
      [](TCanvas* c) {
        c->Pen()->SetMode(pmCopy);
        c->Brush()->SetStyle(bsCross);
        c->Brush()->SetColor(clNavy);
        c->SetBkMode(TRANSPARENT);
        c->FillRect(Rect(0, 30, 40, 40));
        c->Brush()->SetStyle(bsSolid);
      },
      // A clipped text: its clip rectangle must not outlive it.
      [](TCanvas* c) {
        const TRect r = Rect(40, 0, 60, 12);
        c->Font()->SetColor(clBlack);
        c->ExtTextOut(40, 0, ETO_CLIPPED, &r, u"Wide text here");
      },
      [](TCanvas* c) {
        c->Brush()->SetColor(clGreen);
        c->FillRect(Rect(60, 0, 80, 12));
      },
      [](TCanvas* c) {
        c->IntersectClipRect(Rect(0, 0, 50, 100));
        c->Brush()->SetColor(clYellow);
        c->FillRect(Rect(0, 40, 100, 50));
      },
      [](TCanvas* c) {
        c->SelectClipRgn(nullptr);
        c->Brush()->SetColor(clFuchsia);
        c->FillRect(Rect(0, 50, 100, 54));
      },
      // Rotated text turns only itself.
      [](TCanvas* c) {
        c->Font()->SetOrientation(900);
        c->SetBkMode(OPAQUE);
        c->Brush()->SetColor(clAqua);
        c->ExtTextOut(20, 96, 0, nullptr, u"Up");
        c->Font()->SetOrientation(0);
      },
      [](TCanvas* c) {
        c->Brush()->SetColor(clMaroon);
        c->FillRect(Rect(0, 94, 10, 100));
      },
      [](TCanvas* c) { c->ExtTextOut(60, 20, 0, nullptr, u"Box"); },
      [](TCanvas* c) { DrawFrameControl(c, Rect(80, 40, 93, 53), DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED); },
      [](TCanvas* c) {
        c->Pen()->SetColor(clPurple);
        c->MoveTo(80, 60);
        c->LineTo(119, 60);
      },
      [](TCanvas* c) { c->DrawFocusRect(Rect(70, 62, 110, 80)); },
      [](TCanvas* c) { c->CopyRect(Rect(100, 80, 120, 100), c, Rect(0, 0, 20, 20)); },
      [](TCanvas* c) {
        c->Brush()->SetColor(clTeal);
        c->Ellipse(40, 70, 60, 90);
      },
  };
  return steps;
}

QImage PaintSteps(bool FreshPainterEachCall) {
  EnsureQtGuiApplication();
  QImage img(120, 100, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  TQtCanvas c;
  c.Bind(&p);
  for (const Step& s : MixedSteps()) {
    s(&c);
    if (FreshPainterEachCall) c.NativePainter();
  }
  c.Unbind();
  p.end();
  return img;
}

TEST(GraphicsQtCanvas, DrawingCallsLeaveNothingToTheNextCall) {
  const QImage shared = PaintSteps(false);
  const QImage fresh = PaintSteps(true);
  ASSERT_EQ(shared.size(), fresh.size());
  for (int y = 0; y < shared.height(); ++y)
    for (int x = 0; x < shared.width(); ++x) ASSERT_EQ(At(shared, x, y), At(fresh, x, y)) << x << "," << y;
  EXPECT_EQ(At(shared, 15, 15), clBlue);     // copied, not XORed
  EXPECT_EQ(At(shared, 10, 20), clAqua);     // the XOR outline of red on white
  EXPECT_EQ(At(shared, 5, 5), clLime);
  EXPECT_EQ(At(shared, 70, 5), clGreen);     // outside the clipped text's rectangle
  EXPECT_EQ(At(shared, 45, 45), clYellow);
  EXPECT_EQ(At(shared, 55, 45), clWhite);    // outside the clip
  EXPECT_EQ(At(shared, 97, 52), clFuchsia);  // clip removed
  EXPECT_EQ(At(shared, 5, 97), clMaroon);    // not turned with the text
  EXPECT_EQ(At(shared, 85, 60), clPurple);
}

TEST(GraphicsQtCanvas, NativePainterComesAsItWasHandedIn) {
  EnsureQtGuiApplication();
  QImage img(20, 20, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  p.setPen(Qt::green);
  p.setRenderHint(QPainter::Antialiasing, true);
  TQtCanvas c;
  c.Bind(&p);
  c.SetClipRect(Rect(0, 0, 5, 5));
  c.Pen()->SetMode(pmXor);
  c.Rectangle(0, 0, 10, 10);
  QPainter* q = c.NativePainter();
  ASSERT_EQ(q, &p);
  EXPECT_EQ(q->compositionMode(), QPainter::CompositionMode_SourceOver);
  EXPECT_TRUE(q->testRenderHint(QPainter::Antialiasing));
  EXPECT_EQ(q->pen().color(), QColor(Qt::green));
  EXPECT_FALSE(q->hasClipping());
  // The canvas goes on drawing with its own settings afterwards.
  c.Pen()->SetMode(pmCopy);
  c.Brush()->SetColor(clRed);
  c.FillRect(Rect(0, 0, 20, 20));
  c.Unbind();
  p.end();
  EXPECT_EQ(At(img, 4, 4), clRed);
  EXPECT_EQ(At(img, 5, 5), clWhite);
}

// Texts are shaped once and drawn from their glyphs after that; the pixels are those of the
// painter's own drawText with the canvas's font, colour and anti-aliasing off, for every kind of
// text, the first time and from the cache.
struct TextFont {
  const char16_t* Name;
  int Height;
  TFontStyles Style;
};

QImage TextsThroughPainter(const std::vector<String>& Texts, const TextFont& F) {
  QImage img(360, 24 * static_cast<int>(Texts.size()), QImage::Format_RGB32);
  img.fill(Qt::white);
  TFont font;
  font.SetName(F.Name);
  font.SetHeight(F.Height);
  font.SetStyle(F.Style);
  const TQtFontEntry& qf = CachedQtFont(font);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setRenderHint(QPainter::TextAntialiasing, false);
  p.setFont(qf.Font);
  p.setPen(QColor(0, 0, 128));
  for (size_t i = 0; i < Texts.size(); ++i)
    p.drawText(QPoint(3, 24 * static_cast<int>(i) + 2 + qf.Ascent),
               QString::fromUtf16(Texts[i].data(), static_cast<qsizetype>(Texts[i].size())));
  p.end();
  return img;
}

QImage TextsThroughCanvas(const std::vector<String>& Texts, const TextFont& F) {
  QImage img(360, 24 * static_cast<int>(Texts.size()), QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  TQtCanvas c;
  c.Bind(&p);
  c.Font()->SetName(F.Name);
  c.Font()->SetHeight(F.Height);
  c.Font()->SetStyle(F.Style);
  c.Font()->SetColor(clNavy);
  c.SetBkMode(TRANSPARENT);
  for (size_t i = 0; i < Texts.size(); ++i) c.ExtTextOut(3, 24 * static_cast<int>(i) + 2, 0, nullptr, Texts[i]);
  c.Unbind();
  p.end();
  return img;
}

TEST(GraphicsQtCanvas, TextDrawsAsThePaintersOwnDrawText) {
  EnsureQtGuiApplication();
  const std::vector<String> texts = {
      u"Hello, World",
      u"50017:19",
      u"Param\u00E8tre num\u00E9ro 12 : valeur",
      u"  blanks around  ",
      u"office ffi fl AV Wa To",
      u"\u05E9\u05DC\u05D5\u05DD",                      // Hebrew
      u"abc \u05E9\u05DC\u05D5\u05DD 123 def",          // Hebrew inside Latin
      u"\u0645\u0631\u062D\u0628\u0627 \u0639\u0627\u0644\u0645",  // Arabic, joined
      u"\u6F22\u5B57\u30C6\u30B9\u30C8 mixed",          // from a fallback font
      u"e\u0301 a\u0308 combining",
      u"\U0001F600 pair \U00010348",
      u"soft\u00ADhyphen zero\u200Bwidth nbsp\u00A0x \uFEFF",
      u"\u00B6 \u20AC \u00AB\u00BB \u2026",
      String(1, u'\xD800') + u" lone",
      u"i",
      u"Αθήνα Москва",  // Greek, Cyrillic
      u"ภาษาไทย हिन्दी",  // Thai, Devanagari
      u"12 אב 34 (ג) [x]",
      u"en em ideo　thin end",
      u"WÉÖÅÑ Œœ ß İı",
      u"--- +++ ((( ))) ~~~ |||",
  };
  const TextFont fonts[] = {
      {u"Tahoma", -11, {}},
      {u"Verdana", -13, TFontStyles(fsBold)},
      {u"Tahoma", 16, TFontStyles(fsItalic)},
      {u"Tahoma", -12, TFontStyles(fsUnderline) | fsStrikeOut},
      {u"Courier New", -12, {}},
      {u"Courier New", -14, TFontStyles(fsBold) | fsItalic},
      {u"Arial", -8, {}},
      {u"MS Sans Serif", 13, {}},
      {u"Times New Roman", -20, TFontStyles(fsBold)},
      {u"Segoe UI", -9, TFontStyles(fsItalic)},
  };
  for (const TextFont& f : fonts) {
    SCOPED_TRACE(StringToUtf8(f.Name) + " " + std::to_string(f.Height) + " " + std::to_string(f.Style.Bits()));
    const QImage want = TextsThroughPainter(texts, f);
    int ink = 0;
    for (int y = 0; y < want.height(); ++y)
      for (int x = 0; x < want.width(); ++x) ink += At(want, x, y) != clWhite;
    ASSERT_GT(ink, 1000);
    for (int pass = 0; pass < 3; ++pass) {  // shaped, from the cache, then copied as pictures
      const QImage got = TextsThroughCanvas(texts, f);
      if (got == want) continue;
      for (int y = 0; y < want.height(); ++y)
        for (int x = 0; x < want.width(); ++x)
          ASSERT_EQ(At(got, x, y), At(want, x, y)) << "pass " << pass << " at " << x << "," << y << ": "
                                                   << StringToUtf8(texts[static_cast<size_t>(y / 24)]);
    }
  }
}

// A text drawn again is copied as a picture of its glyphs: the same pixels as the glyphs on every
// surface that copies pictures, with clips, translations and a change of colour.
struct TTextScene {
  QImage::Format Format;
  QPoint Translate;
  bool Clip;
};

QImage TextScene(bool ThroughCanvas, const std::vector<String>& Texts, const TTextScene& S, QColor Color) {
  QImage img(200, 20 * static_cast<int>(Texts.size()), S.Format);
  img.fill(QColor(250, 240, 200));
  TFont font;
  font.SetName(u"Tahoma");
  font.SetHeight(-11);
  const TQtFontEntry& qf = CachedQtFont(font);
  QPainter p(&img);
  p.translate(S.Translate);
  TQtCanvas c;
  if (ThroughCanvas) {
    c.Bind(&p);
    c.Font()->Assign(&font);
    c.Font()->SetColor(FromQColor(Color));
    c.SetBkMode(TRANSPARENT);
  } else {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setFont(qf.Font);
    p.setPen(Color);
  }
  for (size_t i = 0; i < Texts.size(); ++i) {
    const int y = 20 * static_cast<int>(i) + 1;
    const TRect cell = Rect(2, y + 3, 40, y + 9);  // cuts the text across and below
    if (ThroughCanvas) {
      c.ExtTextOut(5, y, S.Clip ? ETO_CLIPPED : 0, S.Clip ? &cell : nullptr, Texts[i]);
    } else {
      p.save();
      if (S.Clip) p.setClipRect(QRect(cell.Left, cell.Top, cell.Right - cell.Left, cell.Bottom - cell.Top));
      p.drawText(QPoint(5, y + qf.Ascent),
                 QString::fromUtf16(Texts[i].data(), static_cast<qsizetype>(Texts[i].size())));
      p.restore();
    }
  }
  if (ThroughCanvas) c.Unbind();
  p.end();
  return img.convertToFormat(QImage::Format_RGB32);
}

void ExpectSamePixels(const QImage& Got, const QImage& Want, const std::string& What) {
  if (Got == Want) return;
  for (int y = 0; y < Want.height(); ++y)
    for (int x = 0; x < Want.width(); ++x) ASSERT_EQ(At(Got, x, y), At(Want, x, y)) << What << " at " << x << "," << y;
}

TEST(GraphicsQtCanvas, TextPicturesPutTheGlyphsPixels) {
  EnsureQtGuiApplication();
  const std::vector<String> texts = {u"50017:19", u"Wj Ag|", u"i", u"office AV To", u"\u00C9t\u00E9 \u00E7a"};
  const TTextScene scenes[] = {
      {QImage::Format_RGB32, {0, 0}, false}, {QImage::Format_ARGB32_Premultiplied, {3, 7}, false},
      {QImage::Format_ARGB32, {0, 0}, true}, {QImage::Format_RGB888, {-2, 5}, true},
      {QImage::Format_RGB16, {0, 0}, false},  // not copied: drawn from the glyphs
  };
  for (const TTextScene& sc : scenes) {
    SCOPED_TRACE(std::to_string(sc.Format) + (sc.Clip ? " clipped" : ""));
    for (QColor color : {QColor(0, 0, 128), QColor(200, 0, 0)}) {
      const QImage want = TextScene(false, texts, sc, color);
      int ink = 0;
      for (int y = 0; y < want.height(); ++y)
        for (int x = 0; x < want.width(); ++x) ink += want.pixel(x, y) != want.pixel(0, 0);
      ASSERT_GT(ink, 40);
      for (int pass = 0; pass < 3; ++pass)
        ExpectSamePixels(TextScene(true, texts, sc, color), want, "pass " + std::to_string(pass));
    }
  }
}

// On a widget the painter's device is the widget, not the image behind it.
TEST(GraphicsQtCanvas, TextPicturesOnAWidgetPutTheGlyphsPixels) {
  EnsureQtGuiApplication();
  TQtTextWidget w({u"Row 12", u"Wert: 0x1F", u"gjpqy WAV"}, 160, 70);
  const QImage want = w.Grab();
  int ink = 0;
  for (int y = 0; y < want.height(); ++y)
    for (int x = 0; x < want.width(); ++x) ink += want.pixel(x, y) == qRgb(0, 0, 0);
  ASSERT_GT(ink, 60);
  w.SetThroughCanvas(true);
  for (int pass = 0; pass < 3; ++pass) ExpectSamePixels(w.Grab(), want, "pass " + std::to_string(pass));
}

}  // namespace

namespace {

// Bands drawn by the canvas at once and one by one (the base's Rectangle per band) on two
// images of Format, from the same start.
struct TBandRun {
  QImage Fast, Plain;
  TColor FastPen = clNone, FastBrush = clNone, PlainPen = clNone, PlainBrush = clNone;
};

TBandRun DrawBands(QImage::Format Format, const std::vector<TCanvas::TColorBand>& Bands, const TRect* Clip,
                   QPoint Translate = {}) {
  TBandRun run;
  for (bool fast : {true, false}) {
    QImage img(40, 30, Format);
    img.fill(QColor(10, 200, 30));
    {
      QPainter p(&img);
      p.translate(Translate);
      TQtCanvas c(&p);
      if (Clip) c.SetClipRect(*Clip);
      if (fast)
        c.FillBands(Bands.data(), Bands.size());
      else
        c.TCanvas::FillBands(Bands.data(), Bands.size());
      (fast ? run.FastPen : run.PlainPen) = c.Pen()->Color();
      (fast ? run.FastBrush : run.PlainBrush) = c.Brush()->Color();
    }
    (fast ? run.Fast : run.Plain) = img.convertToFormat(QImage::Format_RGB32);
  }
  return run;
}

}  // namespace

TEST(GraphicsQtCanvas, BandsAtOncePutTheSamePixelsAsOneByOne) {
  // Overlapping one-pixel bands as a gradient draws them, across rows and down columns, and
  // bands that leave a gap (those are filled one by one).
  auto rows = [](int left, int top, int right, int n, int len) {
    std::vector<TCanvas::TColorBand> b;
    for (int k = 0; k < n; ++k)
      b.push_back({Rect(left, top + k, right, std::min(top + n, top + k + len)), RGB(k * 9, 255 - k * 7, k * 3)});
    return b;
  };
  std::vector<TCanvas::TColorBand> cols;
  for (int k = 0; k < 12; ++k) cols.push_back({Rect(3 + 2 * k, 4, 5 + 2 * k + 1, 20), RGB(200, k * 20, 50)});
  std::vector<TCanvas::TColorBand> gap = {
      {Rect(2, 2, 20, 4), clRed}, {Rect(2, 6, 20, 8), clBlue}, {Rect(2, 8, 20, 9), clNavy}};
  const TRect clip = Rect(5, 6, 18, 14);
  struct Case {
    const char* Name;
    std::vector<TCanvas::TColorBand> Bands;
    const TRect* Clip;
    QPoint Translate;
  };
  const std::vector<Case> cases = {
      {"rows", rows(2, 3, 30, 20, 2), nullptr, {}},
      {"rows again, moved", rows(6, 5, 34, 20, 2), nullptr, {}},
      {"rows clipped", rows(2, 3, 30, 20, 2), &clip, {}},
      {"rows under a translated painter", rows(2, 3, 30, 20, 2), nullptr, {3, 2}},
      {"columns", cols, nullptr, {}},
      {"a gap between bands", gap, nullptr, {}},
      {"bands given bottom up",
       {{Rect(30, 20, 4, 10), clTeal}, {Rect(4, 10, 30, 5), clMaroon}, {Rect(4, 20, 30, 15), clOlive}},
       nullptr,
       {}},
  };
  for (QImage::Format f : {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_BGR888}) {
    for (const Case& c : cases) {
      const TBandRun run = DrawBands(f, c.Bands, c.Clip, c.Translate);
      EXPECT_EQ(run.Fast, run.Plain) << c.Name << " format " << f;
      EXPECT_EQ(run.FastPen, run.PlainPen) << c.Name;
      EXPECT_EQ(run.FastBrush, run.PlainBrush) << c.Name;
      EXPECT_EQ(run.FastPen, c.Bands.back().Color) << c.Name;
      if (c.Clip) {
        EXPECT_NE(At(run.Fast, 10, 10), RGB(10, 200, 30)) << c.Name;
        EXPECT_EQ(At(run.Fast, 3, 4), RGB(10, 200, 30)) << c.Name;
        continue;
      }
      // The bands did paint: the last band's colour shows where nothing else covers it.
      bool found = false;
      for (int y = 0; y < run.Fast.height() && !found; ++y)
        for (int x = 0; x < run.Fast.width() && !found; ++x)
          found = At(run.Fast, x, y) == ColorToRGB(c.Bands.back().Color);
      EXPECT_TRUE(found) << c.Name;
    }
  }
}
