#include "grid/foundation/ZazAdezDraw.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "grid/foundation/AdvXPVS.h"
#include "platform/SysUtils.h"

namespace {

// Ties to even, as the grid's drawing rounds; a value no pixel can hold (NaN, infinite, huge)
// is pinned instead of raising from a paint.
int RoundPx(double v) {
  if (std::isnan(v)) return 0;
  constexpr double lim = 1e9;
  return static_cast<int>(Round(std::clamp(v, -lim, lim)));
}

int TruncPx(double v) {
  if (std::isnan(v)) return 0;
  constexpr double lim = 1e9;
  return static_cast<int>(std::clamp(v, -lim, lim));
}

void PenAndBrush(TCanvas* c, TColor color) {
  c->Pen()->SetColor(color);
  c->Brush()->SetColor(color);
}

void Line(TCanvas* c, int x1, int y1, int x2, int y2) {
  c->MoveTo(x1, y1);
  c->LineTo(x2, y2);
}

const TColorTone& ToneOfState(const TColorTones& t, uint8_t state) {
  switch (state) {
    case 1: return t.Hover;
    case 2: return t.Selected;
    case 3: return t.Disabled;
    default: return t.Background;
  }
}

}  // namespace

// ---- colours ----------------------------------------------------------------------------------

TColor BlendColorAt(TColor FromColor, TColor ToColor, int RangeStart, int RangeEnd, int Position) {
  if (ToColor == clNone) return FromColor;
  const TColor f = ColorToRGB(FromColor);
  const TColor t = ColorToRGB(ToColor);
  if (RangeEnd == RangeStart) return f;  // no span to blend across
  const double span = static_cast<double>(RangeEnd) - RangeStart;
  auto ch = [&](int a, int b) { return a + RoundPx((b - a) / span * Position); };
  return RGB(ch(GetRValue(f), GetRValue(t)), ch(GetGValue(f), GetGValue(t)), ch(GetBValue(f), GetBValue(t)));
}

TColor HalveColor(TColor Color) {
  const TColor c = ColorToRGB(Color);
  return RGB(GetRValue(c) >> 1, GetGValue(c) >> 1, GetBValue(c) >> 1);
}

// ---- fills ------------------------------------------------------------------------------------

void FillGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, TRect R, bool Horizontal) {
  if (!Canvas || R.Top == R.Bottom) return;
  if (R.Bottom < R.Top) std::swap(R.Top, R.Bottom);
  const TColor from = ColorToRGB(FromColor);
  const TColor to = ColorToRGB(ToColor);
  if (from == clNone || to == clNone) {
    // Both unset would paint the "no colour" value itself.
    if (from == clNone && to == clNone) return;
    PenAndBrush(Canvas, from == clNone ? to : from);
    Canvas->Rectangle(R);
    return;
  }
  const int span = Horizontal ? R.Right - R.Left - 1 : R.Bottom - R.Top - 1;
  // A page paints cell after cell of one size in one gradient: the bands' colours and offsets
  // are worked out once for them.
  struct TBandPlan {
    TColor From = clNone, To = clNone;
    int Steps = 0, Span = 0, BandLen = 0;
    std::vector<std::pair<int, TColor>> Bands;  // offset, colour
  };
  thread_local TBandPlan plan;
  if (plan.From != from || plan.To != to || plan.Steps != Steps || plan.Span != span || plan.Bands.empty()) {
    const int steps = std::max(1, std::min(Steps, span));
    const double band = static_cast<double>(span) / steps;
    const int fr = GetRValue(from), fg = GetGValue(from), fb = GetBValue(from);
    const int dr = GetRValue(to) - fr, dg = GetGValue(to) - fg, db = GetBValue(to) - fb;
    plan.Bands.clear();
    for (int k = 0; k <= steps; ++k)
      plan.Bands.emplace_back(TruncPx(k * band), RGB(fr + RoundPx(k * static_cast<double>(dr) / steps),
                                                     fg + RoundPx(k * static_cast<double>(dg) / steps),
                                                     fb + RoundPx(k * static_cast<double>(db) / steps)));
    plan.From = from;
    plan.To = to;
    plan.Steps = Steps;
    plan.Span = span;
    plan.BandLen = TruncPx(band + 1);
  }
  // Handed over at once: a backend may put a cell's bands down as one picture.
  const int bandLen = plan.BandLen;
  std::vector<TCanvas::TColorBand> bands(plan.Bands.size());
  for (size_t k = 0; k < bands.size(); ++k) {
    const auto [offset, color] = plan.Bands[k];
    TCanvas::TColorBand& b = bands[k];
    b.Color = color;
    if (Horizontal)
      b.R = Rect(R.Left + offset, R.Top, std::min(R.Right, R.Left + offset + bandLen), R.Bottom);
    else
      b.R = Rect(R.Left, R.Top + offset, R.Right, std::min(R.Bottom, R.Top + offset + bandLen));
  }
  Canvas->FillBands(bands.data(), bands.size());
}

void DrawGradientBackground(TCanvas* Canvas, TRect R, TColor Color, TColor ColorTo, TColor MirrorColor,
                            TColor MirrorColorTo, int Direction, TColor BorderColor, bool SideLines, bool Fill) {
  if (!Canvas) return;
  const bool horizontal = Direction == 0;
  if (Fill && Color != clNone) {
    if (MirrorColor != clNone) {
      TRect first = R, second = R;
      if (horizontal) {
        first.Right = second.Left = R.Left + (R.Right - R.Left) / 2;
      } else {
        first.Bottom = second.Top = R.Top + (R.Bottom - R.Top) / 2;
      }
      FillGradient(Canvas, Color, ColorTo, 128, first, horizontal);
      FillGradient(Canvas, MirrorColor, MirrorColorTo, 128, second, horizontal);
    } else if (ColorTo == clNone) {
      Canvas->Brush()->SetStyle(bsSolid);
      PenAndBrush(Canvas, Color);
      Canvas->Pen()->SetWidth(1);
      Canvas->Rectangle(R.Left, R.Top, R.Right, R.Bottom + 1);
    } else {
      FillGradient(Canvas, Color, ColorTo, 128, R, horizontal);
    }
  }
  if (BorderColor != clNone) {
    if (SideLines) {
      Canvas->Pen()->SetColor(BorderColor);
      Line(Canvas, R.Left, R.Top, R.Left, R.Bottom);
      Line(Canvas, R.Right - 1, R.Top, R.Right - 1, R.Bottom);
    } else {
      Canvas->Brush()->SetColor(BorderColor);
      Canvas->FrameRect(R);
    }
  }
}

void FillRectColor(TCanvas* Canvas, const TRect& R, TColor Color) {
  if (!Canvas) return;
  Canvas->Brush()->SetColor(Color);
  Canvas->FillRect(R);
}

void DrawSelectionBar(TCanvas* Canvas, TColor FillColor, TColor FillColorTo, TColor MirrorColor,
                      TColor MirrorColorTo, TColor UpperLineColor, TColor LowerLineColor, TColor BorderColor,
                      TColor InnerCornerColor, TColor OuterCornerColor, TRect Rc, int Kind) {
  if (!Canvas) return;
  const TRect R{Rc.Left, Rc.Top, Rc.Right - 1, Rc.Bottom - 2};
  const int L = R.Left, T = R.Top, RR = R.Right, RB = R.Bottom;
  const int mid = T + (RB - T) / 2;
  const bool leftEnd = Kind == 0 || Kind == 1;
  const bool rightEnd = Kind == 0 || Kind == 2;

  Canvas->Pen()->SetColor(UpperLineColor);
  Line(Canvas, L, T + 1, RR, T + 1);
  if (leftEnd) Line(Canvas, L + 1, T + 1, L + 1, mid);
  if (rightEnd) Line(Canvas, RR - 2, T + 1, RR - 2, mid);

  Canvas->Pen()->SetColor(LowerLineColor);
  Line(Canvas, L, RB - 1, RR, RB - 1);
  if (leftEnd) Line(Canvas, L + 1, mid, L + 1, RB - 1);
  if (rightEnd) Line(Canvas, RR - 2, mid, RR - 2, RB - 1);

  const int li = leftEnd ? 2 : 0;
  const int ri = rightEnd ? 2 : 0;
  Canvas->Pen()->SetColor(BorderColor);
  Line(Canvas, L + li, T, RR - ri, T);
  Line(Canvas, L + li, RB, RR - ri, RB);
  if (rightEnd) Line(Canvas, RR - 1, T + 2, RR - 1, RB - 1);
  if (leftEnd) Line(Canvas, L, T + 2, L, RB - 1);

  // Corner pixels; xi is the inner column, xo the outer one.
  auto corners = [&](int xi, int xo) {
    Canvas->SetPixels(xi, T, InnerCornerColor);
    Canvas->SetPixels(xi, T + 1, InnerCornerColor);
    Canvas->SetPixels(xo, T + 1, InnerCornerColor);
    Canvas->SetPixels(xi, RB, InnerCornerColor);
    Canvas->SetPixels(xi, RB - 1, InnerCornerColor);
    Canvas->SetPixels(xo, RB - 1, InnerCornerColor);
    Canvas->SetPixels(xo, T, OuterCornerColor);
    Canvas->SetPixels(xo, RB, OuterCornerColor);
  };
  if (leftEnd) corners(L + 1, L);
  if (rightEnd) corners(RR - 2, RR - 1);

  const TRect F{L + li, T + 2, RR - ri, RB - 1};
  if (FillColorTo == clNone) {
    FillRectColor(Canvas, F, FillColor);
  } else if (MirrorColor == clNone) {
    FillGradient(Canvas, FillColor, FillColorTo, 16, F, false);
  } else {
    const int half = F.Top + (F.Bottom - F.Top) / 2;
    FillGradient(Canvas, FillColor, FillColorTo, 16, {F.Left, F.Top, F.Right, half}, false);
    FillGradient(Canvas, MirrorColor, MirrorColorTo, 16, {F.Left, half, F.Right, F.Bottom}, false);
  }
}

// ---- buttons ----------------------------------------------------------------------------------

void DrawComboButton(TCanvas* Canvas, TWinControl* Wnd, TRect R, uint8_t Look, uint8_t State, TColorTones Tones) {
  if (!Canvas) return;
  TRect b{R.Right - 17, R.Top + 1, R.Right, R.Bottom - 1};
  OffsetRect(b, -2, 0);
  switch (Look) {
    case 0:
      DrawThemedPart(Canvas, Wnd, u"combobox", ThemeParts::CP_DROPDOWNBUTTON,
                     State == 3 ? ThemeParts::CBXS_DISABLED : ThemeParts::CBXS_NORMAL, b);
      break;
    case 1:
    case 2: {
      unsigned st = DFCS_SCROLLCOMBOBOX;
      if (State == 3) st |= DFCS_INACTIVE;
      if (Look == 2) st |= DFCS_FLAT;
      DrawFrameControl(Canvas, static_cast<const TRect&>(b), DFC_SCROLL, st);
      break;
    }
    case 3: {
      b.Left += 3;
      PenAndBrush(Canvas, ToneOfState(Tones, State).BrushColor);
      Canvas->Rectangle(b);
      Canvas->Pen()->SetColor(Tones.Background.BorderColor);
      Line(Canvas, b.Left + 1, b.Top, b.Left + 1, b.Bottom);
      PenAndBrush(Canvas, Tones.Background.TextColor);
      Canvas->Polygon({{b.Left + 5, b.Top + 8}, {b.Left + 11, b.Top + 8}, {b.Left + 8, b.Top + 11}});
      break;
    }
    default: break;
  }
}

void DrawPushButton(TCanvas* Canvas, TWinControl* Wnd, TRect R, uint8_t Look, uint8_t State, TColorTones Tones) {
  if (!Canvas) return;
  switch (Look) {
    case 0: {
      static constexpr int kStates[] = {ThemeParts::PBS_NORMAL, ThemeParts::PBS_HOT, ThemeParts::PBS_PRESSED,
                                        ThemeParts::PBS_DISABLED};
      DrawThemedPart(Canvas, Wnd, u"button", ThemeParts::BP_PUSHBUTTON, State <= 3 ? kStates[State] : kStates[0], R);
      break;
    }
    case 1:
    case 2: {
      unsigned st = DFCS_BUTTONPUSH;
      if (State == 1) st |= DFCS_HOT;
      if (State == 2) st |= DFCS_PUSHED;
      if (State == 3) st |= DFCS_INACTIVE;
      if (Look == 2) st |= DFCS_FLAT;
      DrawFrameControl(Canvas, static_cast<const TRect&>(R), DFC_BUTTON, st);
      break;
    }
    case 3: {
      const TColorTone& tone = ToneOfState(Tones, State);
      Canvas->Brush()->SetColor(tone.BrushColor);
      Canvas->Pen()->SetColor(tone.BorderColor);
      Canvas->Rectangle(R);
      break;
    }
    default: break;
  }
}

void DrawSpinButtons(TCanvas* Canvas, TWinControl* Wnd, TRect R, uint8_t Look, uint8_t State, TColorTones Tones) {
  if (!Canvas) return;
  TRect b{R.Right - 15, R.Top, R.Right, R.Bottom};
  OffsetRect(b, -1, -1);
  const int mid = b.Top + (b.Bottom - b.Top) / 2;
  switch (Look) {
    case 0: {
      const int st = State == 3 ? ThemeParts::UPS_DISABLED : ThemeParts::UPS_NORMAL;
      DrawThemedPart(Canvas, Wnd, u"spin", ThemeParts::SPNP_UP, st, {b.Left, b.Top, b.Right, mid});
      DrawThemedPart(Canvas, Wnd, u"spin", ThemeParts::SPNP_DOWN, st, {b.Left, mid, b.Right, b.Bottom});
      break;
    }
    case 1:
    case 2: {
      unsigned extra = 0;
      if (State == 3) extra |= DFCS_INACTIVE;
      if (Look == 2) extra |= DFCS_FLAT;
      DrawFrameControl(Canvas, TRect{b.Left, b.Top, b.Right, mid}, DFC_SCROLL, DFCS_SCROLLUP | extra);
      DrawFrameControl(Canvas, TRect{b.Left, mid + 1, b.Right, b.Bottom}, DFC_SCROLL, DFCS_SCROLLDOWN | extra);
      break;
    }
    case 3: {
      PenAndBrush(Canvas, ToneOfState(Tones, State).BrushColor);
      Canvas->Rectangle(b.Left, b.Top, b.Right, mid);
      Canvas->Rectangle(b.Left, mid + 1, b.Right, b.Bottom);
      PenAndBrush(Canvas, clBlack);
      Canvas->Polygon({{b.Left + 5, b.Top + 5}, {b.Left + 9, b.Top + 5}, {b.Left + 7, b.Top + 3}});
      const int t2 = mid + 1;
      Canvas->Polygon({{b.Left + 5, t2 + 1}, {b.Left + 9, t2 + 1}, {b.Left + 7, t2 + 3}});
      break;
    }
    default: break;
  }
}

void DrawDownTriangle(TCanvas* Canvas, int X, int Y, TColor Color) {
  if (!Canvas) return;
  PenAndBrush(Canvas, Color);
  Canvas->Polygon({{X - 3, Y}, {X + 3, Y}, {X, Y + 3}});
}

// ---- progress ---------------------------------------------------------------------------------

void DrawProgressBar(TCanvas* Canvas, TRect R, TColor FilledColor, TColor FilledTextColor, TColor EmptyColor,
                     TColor EmptyTextColor, double Value, int MarginX, int MarginY, int Minimum, int Maximum,
                     const String& Fmt, TColor BorderColor, bool InvertedText) {
  if (!Canvas) return;
  const TColor saved = Canvas->Brush()->Color();
  PenAndBrush(Canvas, FilledColor);
  Canvas->Font()->SetColor(FilledTextColor);

  String text;
  int percent = 0;
  if (Fmt.empty()) {
    text = IntToStr(RoundPx(Value)) + u"%";
    percent = RoundPx(Value);
  } else {
    try {
      if (Fmt.find(u'd') != String::npos || Fmt.find(u'u') != String::npos)
        text = Format(Fmt, {RoundPx(Value)});
      else
        text = Format(Fmt, {Value});
    } catch (const std::exception&) {
      text.clear();  // a format that does not fit the value shows no text
    }
    // An empty range fills nothing instead of dividing by zero.
    if (Maximum != Minimum)
      percent = RoundPx((Value - Minimum) * 100.0 / (static_cast<double>(Maximum) - Minimum));
  }
  percent = std::clamp(percent, 0, 100);
  InflateRect(R, -MarginX, -MarginY);
  const TRect filled{R.Left, R.Top, R.Left + RoundPx((R.Right - R.Left) * percent / 100.0), R.Bottom};

  const int h = InvertedText ? -Canvas->TextHeight(text) : Canvas->TextHeight(text);
  const int x = (R.Right - R.Left - Canvas->TextWidth(text)) / 2 + R.Left;
  const int y = (R.Bottom - R.Top - h) / 2 + R.Top;
  Canvas->TextRect(filled, x, y, text);

  PenAndBrush(Canvas, EmptyColor);
  Canvas->Font()->SetColor(EmptyTextColor);
  Canvas->TextRect({filled.Right, R.Top, R.Right, R.Bottom}, x, y, text);

  InflateRect(R, 1, 1);
  if (BorderColor != clNone) {
    Canvas->Brush()->SetColor(BorderColor);
    Canvas->FrameRect(R);
  }
  InflateRect(R, 1, 1);
  Canvas->Brush()->SetColor(saved);
  Canvas->FrameRect(R);
}

void DrawProgressPie(TCanvas* Canvas, TRect R, TColor FillColor, int Percent, bool Outside) {
  if (!Canvas) return;
  Canvas->Pen()->SetColor(clGray);
  Canvas->Pen()->SetWidth(1);
  Canvas->Ellipse(R);
  const int cx = R.Left + (R.Right - R.Left) / 2;
  const int cy = R.Top + (R.Bottom - R.Top) / 2;
  Line(Canvas, cx, R.Top, cx, cy);
  const double angle = Percent / 100.0 * 2 * std::numbers::pi;
  Canvas->LineTo(cx + RoundPx((R.Right - R.Left + 1) * 0.5 * std::sin(angle)),
                 cy - RoundPx((R.Bottom - R.Top + 1) * 0.5 * std::cos(angle)));
  Canvas->Brush()->SetColor(FillColor);
  if (Percent != 0)
    Canvas->FloodFill(R.Left + 1 + (R.Right - R.Left) / 2, Outside ? R.Top - 2 : R.Top + 2, clGray, fsBorder);
}

void DrawBalanceBar(TCanvas* Canvas, TRect R, int Value, int Maximum, bool ShowValue, TColor NegativeColor,
                    TColor PositiveColor) {
  if (!Canvas) return;
  InflateRect(R, -2, -2);
  const int half = (R.Right - R.Left) / 2;
  int x = 0;
  if (Maximum > 0) {  // no scale without a positive maximum: the bar keeps zero length
    const int v = std::clamp(Value, -Maximum, Maximum);
    x = RoundPx(static_cast<double>(v) * half / Maximum);
  }
  if (Value < 0) {  // by the value's sign: a small negative value rounds to a zero-length bar
    PenAndBrush(Canvas, NegativeColor);
    Canvas->Rectangle(R.Left + half + x, R.Top, R.Left + half, R.Bottom);
  } else {
    PenAndBrush(Canvas, PositiveColor);
    Canvas->Rectangle(R.Left + half, R.Top, R.Left + half + x, R.Bottom);
  }
  if (ShowValue) {
    Canvas->SetBkMode(TRANSPARENT);
    const String text = IntToStr(Value);
    Canvas->TextOut(R.Left + (R.Right - R.Left - Canvas->TextWidth(text)) / 2,
                    R.Top + (R.Bottom - R.Top - Canvas->TextHeight(text)) / 2, text);
  }
}

namespace {

// One part of a styled bar; the gradient halves run across the bar.
void StyledPart(TCanvas* c, const TRect& r, TColor color, TColor colorTo, const TStyledProgressParams& P) {
  if (!P.ShowGradient) {
    FillRectColor(c, r, color);
    return;
  }
  if (P.Vertical) {
    const int m = r.Left + (r.Right - r.Left) / 2;
    FillGradient(c, colorTo, color, P.Steps, {r.Left, r.Top, m, r.Bottom}, true);
    FillGradient(c, color, colorTo, P.Steps, {m, r.Top, r.Right, r.Bottom}, true);
  } else {
    const int m = r.Top + (r.Bottom - r.Top) / 2;
    FillGradient(c, colorTo, color, P.Steps, {r.Left, r.Top, r.Right, m}, false);
    FillGradient(c, color, colorTo, P.Steps, {r.Left, m, r.Right, r.Bottom}, false);
  }
}

// Lays parts end to end along the bar: rightward from Left + 1, or upward from Bottom - 1.
class PartRun {
 public:
  PartRun(TCanvas* c, const TRect& r, const TStyledProgressParams& p, int inset)
      : c_(c), r_(r), p_(p), inset_(inset), pos_(p.Vertical ? r.Bottom - inset : r.Left + inset) {}
  void Add(int length, TColor color, TColor colorTo) {
    TRect part;
    if (p_.Vertical) {
      part = {r_.Left + inset_, pos_ - length, r_.Right - inset_, pos_};
      pos_ -= length;
    } else {
      part = {pos_, r_.Top + inset_, pos_ + length, r_.Bottom - inset_};
      pos_ += length;
    }
    StyledPart(c_, part, color, colorTo, p_);
  }
  void Skip(int length) { pos_ += p_.Vertical ? -length : length; }

 private:
  TCanvas* c_;
  TRect r_;
  const TStyledProgressParams& p_;
  int inset_;
  int pos_;
};

}  // namespace

void DrawStyledProgressBar(TCanvas* Canvas, TRect R, int Percent, const TStyledProgressParams& P) {
  if (!Canvas) return;
  int size = P.Vertical ? R.Bottom - R.Top : R.Right - R.Left;
  const TColor outline = P.ShowBorder ? P.BorderColor : P.UnCompleteColor;
  Canvas->Brush()->SetColor(P.UnCompleteColor);
  Canvas->Pen()->SetColor(outline);
  Canvas->Rectangle(R);
  size -= 2;

  if (Percent > 0) {
    if (P.Stacked) {
      PartRun run(Canvas, R, P, 1);
      const int len0 = RoundPx(std::min(Percent, P.Level1Perc) / 100.0 * size);
      run.Add(len0, P.Level0Color, P.Level0ColorTo);
      int len1 = 0;
      if (Percent >= P.Level1Perc) {
        len1 = RoundPx(size * (std::min(Percent, P.Level2Perc) - P.Level1Perc) / 100.0);
        run.Add(len1, P.Level1Color, P.Level1ColorTo);
      }
      if (Percent >= P.Level2Perc) {
        const int len2 = Percent == 100 ? size - len0 - len1 : RoundPx(size * (Percent - P.Level2Perc) / 100.0);
        run.Add(len2, P.Level3Color, P.Level3ColorTo);
      }
    } else {
      TColor color = P.Level3Color, colorTo = P.Level3ColorTo;
      if (Percent < P.Level1Perc) {
        color = P.Level0Color, colorTo = P.Level0ColorTo;
      } else if (Percent < P.Level2Perc) {
        color = P.Level1Color, colorTo = P.Level1ColorTo;
      } else if (Percent < 100) {
        color = P.Level2Color, colorTo = P.Level2ColorTo;
      }
      if (P.CompletionSmooth) {
        PartRun run(Canvas, R, P, 1);
        run.Add(RoundPx(Percent / 100.0 * size), color, colorTo);
      } else {
        // Blocks of 7 pixels with 2-pixel gaps, 2 pixels in from the frame.
        PartRun run(Canvas, R, P, 2);
        const int t = RoundPx(static_cast<double>(Percent) * size / 100);
        if (t > 9) {
          for (int i = 0; i < t / 9; ++i) {
            run.Add(7, color, colorTo);
            run.Skip(2);
          }
          if (t % 9 > 2) run.Add(t % 9 - 1, color, colorTo);
        } else if (t >= 2) {
          run.Add(t - 1, color, colorTo);
        }
      }
    }
  }

  if (P.ShowPercentage) {
    TFont* f = Canvas->Font();
    if (P.Font) {
      f->SetName(P.Font->Name());
      f->SetSize(P.Font->Size());
      f->SetStyle(P.Font->Style());
    }
    f->SetColor(P.CompleteFontColor);
    Canvas->SetBkMode(TRANSPARENT);
    const String text = IntToStr(Percent) + u"%";
    const int cx = R.Left + (R.Right - R.Left) / 2;
    const int cy = R.Top + (R.Bottom - R.Top) / 2;
    if (P.Vertical) {
      f->SetOrientation(900);
      Canvas->TextOut(cx - Canvas->TextHeight(text) / 2, cy + Canvas->TextWidth(text) / 2, text);
    } else {
      f->SetOrientation(0);
      Canvas->TextOut(cx - Canvas->TextWidth(text) / 2, cy - Canvas->TextHeight(text) / 2, text);
    }
  }

  Canvas->Pen()->SetColor(outline);
  Canvas->Brush()->SetStyle(bsClear);
  Canvas->Rectangle(R);
}

// ---- shapes -------------------------------------------------------------------------------------

namespace {

std::vector<TPoint> StarPoints(int X, int Y, int W, int H, std::initializer_list<int> ks) {
  const int cx = X + W / 2, cy = Y + H / 2;
  const double rx = W / 2, ry = H / 2;
  std::vector<TPoint> pts;
  for (int k : ks) {
    const double a = k * std::numbers::pi / 5;
    const double f = k % 2 == 0 ? 1.0 : 1.0 / 3;
    pts.push_back({cx + RoundPx(std::sin(a) * rx * f), cy - RoundPx(std::cos(a) * ry * f)});
  }
  return pts;
}

}  // namespace

void DrawCellShape(TCanvas* Canvas, int X, int Y, int W, int H, TCellShape Shape, TColor BrushColor,
                   TColor PenColor) {
  if (!Canvas) return;
  Canvas->Brush()->SetColor(BrushColor);
  Canvas->Pen()->SetColor(PenColor);
  if (Shape == csCircle || Shape == csSquare || Shape == csRoundSquare) W = H = std::min(W, H);
  switch (Shape) {
    case csRectangle:
    case csSquare: Canvas->Rectangle(X + 1, Y + 1, X + W - 1, Y + H - 1); break;
    case csCircle:
    case csEllips: Canvas->Ellipse(X, Y, X + W, Y + H); break;
    case csTriangleLeft: Canvas->Polygon({{X + W, Y}, {X + W, Y + H}, {X, Y + H / 2}}); break;
    case csTriangleRight: Canvas->Polygon({{X, Y}, {X, Y + H}, {X + W, Y + H / 2}}); break;
    case csTriangleUp: Canvas->Polygon({{X, Y + H}, {X + W, Y + H}, {X + W / 2, Y}}); break;
    case csTriangleDown: Canvas->Polygon({{X, Y}, {X + W, Y}, {X + W / 2, Y + H}}); break;
    case csDiamond: {
      const int w = W / 2, h = H / 2;
      Canvas->Polygon({{X, Y + h}, {X + w, Y}, {X + 2 * w, Y + h}, {X + w, Y + 2 * h}});
      break;
    }
    case csLineVert: Canvas->Rectangle(X + W / 2, Y, X + W / 2 + 1, Y + H); break;
    case csLineHorz: Canvas->Rectangle(X, Y + H / 2, X + W, Y + H / 2 + 1); break;
    case csRoundRect:
    case csRoundSquare: Canvas->RoundRect(X, Y, X + W, Y + H, 10, 10); break;
    case csStar: Canvas->Polygon(StarPoints(X, Y, W, H, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9})); break;
    case csHalfStar: Canvas->Polygon(StarPoints(X, Y, W, H, {0, 5, 6, 7, 8, 9})); break;
    case csArrowUp:
    case csArrowDown: {
      if (W % 2 != 0) --W;
      const int hm = Y + H / 2;
      const int tip = Shape == csArrowUp ? Y : Y + H;
      const int tail = Shape == csArrowUp ? Y + H : Y;
      Canvas->Polygon({{X, hm}, {X + W / 2, tip}, {X + W, hm}, {X + 3 * (W / 4), hm}, {X + 3 * (W / 4), tail},
                       {X + W / 4, tail}, {X + W / 4, hm}});
      break;
    }
    case csArrowLeft:
    case csArrowRight: {
      if (H % 2 != 0) --H;
      const int wm = X + W / 2;
      const int tip = Shape == csArrowLeft ? X : X + W;
      const int tail = Shape == csArrowLeft ? X + W : X;
      Canvas->Polygon({{wm, Y}, {tip, Y + H / 2}, {wm, Y + H}, {wm, Y + 3 * (H / 4)}, {tail, Y + 3 * (H / 4)},
                       {tail, Y + H / 4}, {wm, Y + H / 4}});
      break;
    }
    default: break;
  }
}

// ---- error underline ----------------------------------------------------------------------------

void DrawErrorUnderline(TControl* Parent, TCanvas* Canvas, const String& Text, TRect R, int Offset, int Start,
                        int Length) {
  if (!Canvas) return;
  // Character positions as a one-line edit at R reports them: x is the width of the text before
  // the character, y is 0.
  TFont* font = Parent ? Parent->Font() : Canvas->Font();
  TTextMetricsSource* m = Canvas->Metrics();
  const int n = static_cast<int>(Text.size());
  auto posOf = [&](int index) {
    index = std::clamp(index, 0, n);
    return m->TextWidth(*font, std::u16string_view(Text).substr(0, static_cast<size_t>(index)));
  };
  const int y1 = 0, y2 = 0;
  const int x1 = Start >= n ? posOf(n) + 4 : posOf(Start);
  const int x2 = Start + Length >= n ? posOf(n - 1) + 4 : posOf(Start + Length - 1);

  Canvas->Pen()->SetColor(clRed);
  Canvas->Pen()->SetWidth(2);
  Canvas->MoveTo(R.Left + x1, R.Top + y1 + Offset + 3);
  int g = 3;
  int x = x1;
  while (x <= x2) {
    g = g == 3 ? 0 : 3;
    Canvas->LineTo(R.Left + x + 3, R.Top + y2 + Offset + g);
    x += 3;
  }
  g = g == 3 ? 0 : 3;
  Canvas->LineTo(R.Left + x + 3, R.Top + y2 + Offset + g);
}

// ---- bitmaps ------------------------------------------------------------------------------------

void DrawTransparentBitmap(TCanvas* Canvas, TBitmap* Bitmap, TColor Background, TRect R) {
  if (!Canvas || !Bitmap || Bitmap->Empty()) return;
  const int w = Bitmap->Width(), h = Bitmap->Height();
  TBitmap work;
  work.SetSize(w, h);
  work.Canvas()->Brush()->SetColor(Background);
  const TRect all{0, 0, w, h};
  work.Canvas()->BrushCopy(all, Bitmap, all, Bitmap->Canvas()->Pixels(0, 0));
  Canvas->CopyRect({R.Left, R.Top, R.Left + w, R.Top + h}, work.Canvas(), all);
}

void DrawResourceBitmap(TCanvas* Canvas, TColor Background, TRect R, const String& ResourceName) {
  TBitmap bmp;
  try {
    bmp.LoadFromResourceName(ResourceName);
  } catch (const std::exception&) {
    return;  // a paint never raises: an unknown resource draws nothing
  }
  DrawTransparentBitmap(Canvas, &bmp, Background, R);
}

// ---- layered windows ----------------------------------------------------------------------------

bool DynUpdateLayeredWindow(TWinControl*, TCanvas*, const TPoint*, const TSize*, TCanvas*, const TPoint*, TColor,
                            const TBlendFunction*, uint32_t) {
  return true;
}

bool DynSetLayeredWindowAttributes(TWinControl*, TColor, uint8_t, uint32_t) { return true; }
