#include "button/LbButtons.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

TLbColorPreset GetColorStylePreset(TLbColorStyle style) {
  // Every row starts from the same base: not flat, neither modern nor Quicken, black font.
  TLbColorPreset p;
  p.FontColor = clBlack;
  p.Flat = false;
  p.Modern = false;
  p.Quicken = false;
  auto row = [&p](TColor color, TColor light, TColor shadow, TColor down, TColor hot) {
    p.Color = color;
    p.LightColor = light;
    p.ShadowColor = shadow;
    p.ColorWhenDown = down;
    p.HotTrackColor = hot;
  };
  switch (style) {
    case lcsCustom:
      break;
    case lcsGold:
      row(0x00C0C0, 0x00FFFF, 0x008080, clNone, 0x00DFDF);
      p.Modern = true;
      break;
    case lcsChrome:
      row(0xC0C0C0, 0xFFFFFF, 0x808080, clNone, clNone);
      p.Modern = true;
      break;
    case lcsBlue:
      row(0xFF8000, 0xFFFF00, 0xFF0000, clNone, clNone);
      p.Modern = true;
      break;
    case lcsRed:
      row(0x0000FF, 0xC0C0FF, 0x0000C0, clNone, clNone);
      p.Modern = true;
      break;
    case lcsUltraFlat1:
      row(clBtnFace, 0xB59284, 0xB59284, 0xB59284, 0xDED3D6);
      p.Flat = true;
      break;
    case lcsUltraFlat2:
      row(clBtnFace, 0x000000, 0x000000, 0x24DABC, 0x8CF6E4);
      p.Flat = true;
      break;
    case lcsUltraFlatXP:
      row(0xD1D8DB, 0xB59284, 0xB59285, 0xB59285, 0xD2BDB6);
      p.Flat = true;
      break;
    case lcsAqua:
      row(0xECCE94, 0xFCE6D4, 0x000000, clNone, clNone);
      p.Modern = true;
      break;
    case lcsDefault:
      row(clBtnFace, 0xFFFFFF, 0x808080, clNone, clNone);
      break;
    case lcsQuicken:
      row(0x603000, 0xC0C0C0, 0xC0C0C0, 0xAD6529, 0xCEAE9C);
      p.FontColor = 0xFFFFFF;
      p.Quicken = true;
      break;
  }
  return p;
}

TColor BlendHotTrackColor(TColor color, TColor hotTrackColor, int hotTrackStep) {
  const TColor a = ColorToRGB(color);
  const TColor b = ColorToRGB(hotTrackColor);
  const double c = hotTrackStep / 8.0;
  auto mix = [c](int x, int y) {
    return static_cast<int>(std::trunc((1.0 - c) * x + c * y));
  };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
             mix(GetBValue(a), GetBValue(b)));
}

void DrawLbGradient(TCanvas* canvas, TColor fromColor, TColor toColor, int l, int t, int r, int b) {
  const TPenStyle savedPen = canvas->Pen()->Style();
  canvas->Pen()->SetStyle(psClear);
  const TColor from = ColorToRGB(fromColor);
  const TColor to = ColorToRGB(toColor);
  const int d = b - t;
  const int bandHeight = d / 31 + 1;
  // Each band's colour from the band index, so the last band is exactly the to colour.
  auto channel = [](int a, int z, int i) {
    return std::clamp(static_cast<int>(std::trunc(a + (z - a) * i / 31.0)), 0, 255);
  };
  for (int i = 0; i < 32; ++i) {
    const int top = t + i * d / 31;
    canvas->Brush()->SetColor(RGB(channel(GetRValue(from), GetRValue(to), i),
                                  channel(GetGValue(from), GetGValue(to), i),
                                  channel(GetBValue(from), GetBValue(to), i)));
    canvas->FillRect(Rect(l, top, r, std::min(top + bandHeight, b)));
  }
  canvas->Pen()->SetStyle(savedPen);
}

void DrawGlyphCell(TCanvas* canvas, TBitmap* glyph, int x, int y, int srcX, int srcY, int cellW, int cellH) {
  if (!glyph || glyph->Empty() || cellW <= 0 || cellH <= 0) return;
  try {
    TBitmap cell;
    cell.Assign(glyph);
    cell.SetTransparent(false);
    cell.SetSize(cellW, cellH);
    // The strip drawn at (-srcX, -srcY): only the part that overlaps the cell replaces cell 0.
    TRect src = Rect(srcX, srcY, srcX + cellW, srcY + cellH);
    TRect part;
    if (IntersectRect(part, src, Rect(0, 0, glyph->Width(), glyph->Height()))) {
      TRect dest = part;
      OffsetRect(dest, -srcX, -srcY);
      cell.Canvas()->CopyRect(dest, glyph->Canvas(), part);
    }
    cell.SetTransparentMode(tmAuto);
    cell.SetTransparent(true);
    canvas->Draw(x, y, &cell);
  } catch (const std::exception&) {
    // A strip that cannot be copied is simply not drawn; painting never raises.
  }
}

int GlyphCellIndex(int numGlyphs, bool enabled, bool hot, bool pressed) {
  if (!enabled) return 1;
  int cell = 0;
  if (hot && numGlyphs > 3) cell = 3;
  if (pressed && numGlyphs > 2) cell = 2;
  return cell;
}

void DrawLbButton(TCanvas* canvas, const TLbButtonFace& face) {
  // 1. State.
  const int W = face.Width, H = face.Height;
  const bool pressed = face.Pressed && face.Enabled;
  const int d = (pressed && face.Style != bsEncarta) ? 1 : 0;

  // 2. Face colour.
  TColor faceColor = ColorToRGB(face.Color);
  if (face.Enabled && face.HotTrackColor != clNone)
    faceColor = BlendHotTrackColor(face.Color, face.HotTrackColor, face.HotTrackStep);
  if (pressed && face.ColorWhenDown != clNone) faceColor = face.ColorWhenDown;

  // 3. Face.
  canvas->Pen()->SetStyle(psSolid);
  switch (face.Style) {
    case bsShape:
      canvas->Brush()->SetColor(clFuchsia);
      canvas->FillRect(Rect(-1, -1, W + 1, H + 1));
      break;
    case bsNormal:
    case bsEncarta:
    case bsOld:
      canvas->Brush()->SetColor(faceColor);
      canvas->FillRect(Rect(-1, -1, W + 1, H + 1));
      break;
    case bsModern:
      DrawLbGradient(canvas, face.LightColor, faceColor, 2, 2, W - 2, H / 4 + d);
      DrawLbGradient(canvas, faceColor, face.LightColor, 2, H / 4 + d, W - 2, H - 1);
      break;
    case bsQuicken:
      break;
  }

  // 4. Frame.
  canvas->Brush()->SetStyle(bsClear);
  TPen* pen = canvas->Pen();
  const bool framed = (face.Enabled && (!face.Flat || face.Hot || pressed)) || (!face.Enabled && !face.Flat);
  switch (face.Style) {
    case bsNormal:
    case bsEncarta:
      if (framed) {
        pen->SetColor(pressed ? face.ShadowColor : face.LightColor);
        canvas->MoveTo(0, H - 1);
        canvas->LineTo(0, 0);
        canvas->LineTo(W - 1, 0);
        pen->SetColor(pressed ? face.LightColor : face.ShadowColor);
        canvas->LineTo(W - 1, H - 1);
        canvas->LineTo(0, H - 1);
      }
      break;
    case bsOld:
      if (framed) {
        pen->SetColor(face.ShadowColor);
        if (pressed) {
          canvas->MoveTo(1, H - 3);
          canvas->LineTo(1, 1);
          canvas->LineTo(W - 2, 1);
        } else {
          canvas->MoveTo(W - 2, 0);
          canvas->LineTo(W - 2, H - 2);
          canvas->LineTo(0, H - 2);
        }
        pen->SetColor(pressed ? cl3DDkShadow : face.LightColor);
        canvas->MoveTo(0, H - 1);
        canvas->LineTo(0, 0);
        canvas->LineTo(W - 1, 0);
        pen->SetColor(pressed ? face.LightColor : cl3DDkShadow);
        canvas->LineTo(W - 1, H - 1);
        canvas->LineTo(-1, H - 1);
      }
      break;
    case bsModern:
      pen->SetColor(pressed ? face.ShadowColor : faceColor);
      canvas->Rectangle(1, 1, W - 1, H - 1);
      pen->SetColor(face.ShadowColor);
      canvas->RoundRect(0, 0, W, H, 6, 6);
      break;
    case bsQuicken:
      canvas->Brush()->SetColor(faceColor);
      pen->SetStyle(psClear);
      canvas->RoundRect(0, 1, W, H, 4, 4);
      canvas->Brush()->SetStyle(bsClear);
      pen->SetStyle(psSolid);
      pen->SetColor(face.ShadowColor);
      canvas->MoveTo(4, 0);
      canvas->LineTo(W - 5, 0);
      canvas->MoveTo(4, H - 1);
      canvas->LineTo(W - 5, H - 1);
      break;
    case bsShape:
      break;
  }

  // 5. Font.
  if (face.Font) canvas->Font()->Assign(face.Font);
  if (face.Style == bsEncarta && pressed) canvas->Font()->SetStyle(canvas->Font()->Style() | fsBold);

  // 6. Glyph cell.
  const int gh = face.Glyph ? face.Glyph->Height() : 0;
  const int gw = (face.Glyph && face.NumGlyphs > 0) ? face.Glyph->Width() / face.NumGlyphs : 0;
  const int srcX = GlyphCellIndex(face.NumGlyphs, face.Enabled, face.Hot, pressed) * gw;

  // 7. Text format.
  unsigned format = DT_WORDBREAK | DT_CENTER;
  if (face.Alignment == taLeftJustify) format = DT_WORDBREAK;
  else if (face.Alignment == taRightJustify) format = DT_WORDBREAK | DT_RIGHT;

  // 8. Caption fitting.
  const bool sideGlyph = face.Layout == blGlyphLeft || face.Layout == blGlyphRight;
  int avail = W - 8;
  if (face.Style != bsShape && sideGlyph && gw > 0) avail = W - 8 - (gw + 4);
  avail = std::max(avail, 0);
  String text = face.Caption;
  if (!face.WordWrap)
    while (!text.empty() && canvas->TextWidth(text) > avail) text.pop_back();
  TRect calc = Rect(0, 0, avail, 0);
  DrawText(canvas, text, calc, DT_CALCRECT | DT_WORDBREAK);
  const int th = calc.Bottom;
  const int tw = calc.Right;

  // 9. Layout and drawing.
  canvas->Brush()->SetStyle(bsClear);
  if (face.Style == bsShape) {
    if (gw > 0 && gh > 0) DrawGlyphCell(canvas, face.Glyph, (W - gw) / 2, (H - gh) / 2, srcX, 0, gw, gh);
    TRect r = Rect(d, (H - th) / 2 + d, W, H);
    DrawText(canvas, text, r, DT_WORDBREAK | DT_CENTER);
  } else {
    int textLeft = d + 4, textTop = 0, glyphLeft = d + 4, glyphTop = 0;
    if (sideGlyph) {
      textTop = (H - th) / 2 + d;
      glyphTop = (H - gh) / 2 + d;
      const int gap = text.empty() ? 0 : tw + 4;
      if (face.Layout == blGlyphLeft) {
        if (gw > 0) textLeft += gw + 4;
        glyphLeft = d + 4;
        if (!face.WordWrap) {
          if (face.Alignment == taLeftJustify) glyphLeft = d + 4;
          else if (face.Alignment == taRightJustify) glyphLeft = W - 4 - gw - gap + d;
          else glyphLeft = (W - gw) / 2 + d - gap / 2;
        }
      } else {
        glyphLeft = d + 4 + gap;
        if (!face.WordWrap) {
          if (face.Alignment == taLeftJustify) glyphLeft = d + 4 + gap;
          else if (face.Alignment == taRightJustify) glyphLeft = W - 4 + d - gw;
          else glyphLeft = (W - gw) / 2 + d + gap / 2;
        }
      }
    } else {
      const int total = th + (gh > 0 ? gh + 4 : 0);
      if (face.Layout == blGlyphTop) {
        glyphTop = (H - total) / 2 + d;
        textTop = glyphTop + gh;
      } else {
        textTop = (H - total) / 2 + d;
        glyphTop = textTop + th;
      }
      if (face.Alignment == taLeftJustify) glyphLeft = d + 4;
      else if (face.Alignment == taRightJustify) glyphLeft = W - gw - 4 + d;
      else glyphLeft = (W - gw) / 2 + d;
    }
    if (!face.Enabled) canvas->Font()->SetColor(clGray);
    TRect r = Rect(textLeft, textTop, textLeft + avail, textTop + th);
    DrawText(canvas, text, r, format);
    if (gw > 0 && gh > 0) DrawGlyphCell(canvas, face.Glyph, glyphLeft, glyphTop, srcX, 0, gw, gh);
  }

  // 10. Drop-down arrow.
  if (face.PopupAttached) {
    std::unique_ptr<TBitmap> arrow = CreateDropDownArrow();
    arrow->SetTransparentMode(tmAuto);
    arrow->SetTransparent(true);
    canvas->Draw(W - 11, H / 2 - 1, arrow.get());
  }
}

void DrawLbButton(TCanvas* canvas, int W, int H, int hotTrackStep, int numGlyphs, TBitmap* glyph,
                  bool pressed, bool hot, bool enabled, bool flat, bool wordWrap, bool popupAttached,
                  TLbButtonStyle style, TColor color, TColor colorWhenDown, TColor hotTrackColor,
                  TColor lightColor, TColor shadowColor, TFont* font, TLbButtonLayout layout,
                  const String& caption, TAlignment alignment) {
  DrawLbButton(canvas, {.Width = W,
                        .Height = H,
                        .HotTrackStep = hotTrackStep,
                        .NumGlyphs = numGlyphs,
                        .Glyph = glyph,
                        .Pressed = pressed,
                        .Hot = hot,
                        .Enabled = enabled,
                        .Flat = flat,
                        .WordWrap = wordWrap,
                        .PopupAttached = popupAttached,
                        .Style = style,
                        .Color = color,
                        .ColorWhenDown = colorWhenDown,
                        .HotTrackColor = hotTrackColor,
                        .LightColor = lightColor,
                        .ShadowColor = shadowColor,
                        .Font = font,
                        .Layout = layout,
                        .Caption = caption,
                        .Alignment = alignment});
}

// ---------------------------------------------------------------------------------------------
// Stock glyphs, drawn here pixel by pixel so they look the same on every machine.
namespace {

constexpr int kCell = 18;

class TGlyphCanvas {
 public:
  TGlyphCanvas(int w, int h) : FWidth(w), FHeight(h), FPixels(static_cast<size_t>(w * h), clOlive) {}
  void Set(int x, int y, TColor c) {
    if (x >= 0 && y >= 0 && x < FWidth && y < FHeight) FPixels[static_cast<size_t>(y * FWidth + x)] = c;
  }
  TColor Get(int x, int y) const { return FPixels[static_cast<size_t>(y * FWidth + x)]; }
  // A line with a square pen of the given size, pixel-exact (no smoothing).
  void Stroke(int x0, int y0, int x1, int y1, int size, TColor c) {
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
      for (int i = 0; i < size; ++i)
        for (int j = 0; j < size; ++j) Set(x0 + i, y0 + j, c);
      if (x0 == x1 && y0 == y1) break;
      const int e2 = 2 * err;
      if (e2 >= dy) { err += dy; x0 += sx; }
      if (e2 <= dx) { err += dx; y0 += sy; }
    }
  }
  // Pixels whose centre lies within [inner, outer] of (cx, cy); inner 0 gives a disc.
  void Ring(double cx, double cy, double inner, double outer, TColor c) {
    for (int y = 0; y < FHeight; ++y)
      for (int x = 0; x < FWidth; ++x) {
        const double r = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
        if (r <= outer && r >= inner) Set(x, y, c);
      }
  }
  void Fill(int l, int t, int r, int b, TColor c) {
    for (int y = t; y < b; ++y)
      for (int x = l; x < r; ++x) Set(x, y, c);
  }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }

 private:
  int FWidth, FHeight;
  std::vector<TColor> FPixels;
};

void DrawCheck(TGlyphCanvas& g, int ox, int oy, TColor c) {
  g.Stroke(ox + 2, oy + 8, ox + 6, oy + 12, 2, c);
  g.Stroke(ox + 6, oy + 12, ox + 14, oy + 4, 2, c);
}

void DrawCross(TGlyphCanvas& g, TColor c) {
  g.Stroke(3, 3, 13, 13, 2, c);
  g.Stroke(13, 3, 3, 13, 2, c);
}

void DrawPicture(TGlyphCanvas& g, TLbButtonKind kind) {
  switch (kind) {
    case bkOK:
      DrawCheck(g, 0, 0, clGreen);
      break;
    case bkYes:
      DrawCheck(g, 0, 0, clGreen);
      g.Stroke(3, 15, 14, 15, 1, clLime);
      break;
    case bkCancel:
      DrawCross(g, clRed);
      break;
    case bkHelp:
      g.Stroke(5, 5, 7, 3, 2, clNavy);
      g.Stroke(7, 3, 10, 3, 2, clNavy);
      g.Stroke(10, 3, 12, 5, 2, clNavy);
      g.Stroke(12, 5, 12, 6, 2, clNavy);
      g.Stroke(12, 7, 9, 9, 2, clNavy);
      g.Stroke(8, 9, 8, 11, 2, clNavy);
      g.Fill(8, 13, 10, 15, clNavy);
      break;
    case bkNo:
      g.Ring(9, 9, 5.5, 7.5, clRed);
      g.Stroke(4, 4, 12, 12, 2, clRed);
      break;
    case bkClose:
      g.Fill(5, 2, 13, 16, clMaroon);
      g.Fill(6, 3, 12, 15, clYellow);
      g.Fill(7, 4, 11, 15, clMaroon);
      g.Fill(9, 9, 10, 10, clYellow);
      g.Fill(2, 16, 16, 17, clBlack);
      break;
    case bkAbort:
      g.Ring(9, 9, 0, 7.5, clRed);
      g.Stroke(6, 6, 11, 11, 1, clWhite);
      g.Stroke(11, 6, 6, 11, 1, clWhite);
      break;
    case bkRetry:
      g.Ring(9, 9, 4.5, 6.5, clNavy);
      g.Fill(10, 2, 16, 8, clOlive);  // opening at the upper right
      g.Fill(9, 1, 15, 3, clNavy);    // arrow head pointing right
      g.Fill(12, 3, 14, 5, clNavy);
      g.Fill(13, 0, 14, 1, clNavy);
      break;
    case bkIgnore:
      g.Stroke(8, 7, 8, 15, 2, clRed);
      g.Stroke(2, 13, 5, 6, 2, clBlue);
      g.Stroke(5, 6, 9, 3, 2, clBlue);
      g.Stroke(9, 3, 13, 6, 2, clBlue);
      g.Stroke(13, 6, 15, 12, 2, clBlue);
      g.Stroke(12, 11, 16, 11, 1, clBlue);
      break;
    case bkAll:
      DrawCheck(g, -1, -2, clGreen);
      DrawCheck(g, 2, 3, clGreen);
      break;
    case bkCustom:
      break;
  }
}

std::unique_ptr<TBitmap> ToBitmap(const TGlyphCanvas& g) {
  auto bmp = std::make_unique<TBitmap>();
  bmp->SetPixelFormat(pf24bit);
  bmp->SetSize(g.Width(), g.Height());
  TCanvas* c = bmp->Canvas();
  for (int y = 0; y < g.Height(); ++y)
    for (int x = 0; x < g.Width(); ++x) c->SetPixels(x, y, g.Get(x, y));
  return bmp;
}

}  // namespace

std::unique_ptr<TBitmap> CreateStockGlyph(TLbButtonKind kind) {
  if (kind == bkCustom) return std::make_unique<TBitmap>();
  const int h = kind == bkAll ? 19 : 18;
  TGlyphCanvas normal(kCell, h);
  DrawPicture(normal, kind);
  // The disabled cell: the shape in grey with a white relief one pixel down and right.
  TGlyphCanvas strip(2 * kCell, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < kCell; ++x) {
      const TColor c = normal.Get(x, y);
      strip.Set(x, y, c);
      if (c != clOlive) strip.Set(kCell + x + 1, y + 1, clWhite);
    }
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < kCell; ++x)
      if (normal.Get(x, y) != clOlive) strip.Set(kCell + x, y, clGray);
  // Keep the bottom-left pixel the background colour: it is the transparent colour.
  strip.Set(0, h - 1, clOlive);
  return ToBitmap(strip);
}

std::unique_ptr<TBitmap> CreateDropDownArrow() {
  TGlyphCanvas g(5, 3);
  g.Fill(0, 0, 5, 3, clWhite);
  g.Fill(0, 0, 5, 1, clBlack);
  g.Fill(1, 1, 4, 2, clBlack);
  g.Fill(2, 2, 3, 3, clBlack);
  return ToBitmap(g);
}
