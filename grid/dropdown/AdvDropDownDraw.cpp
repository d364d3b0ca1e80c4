#include "grid/dropdown/AdvDropDownDraw.h"

#include <algorithm>

#include "grid/foundation/AsgHTMLE.h"
#include "platform/SysUtils.h"

namespace {

int DropDownRound(double Value) { return static_cast<int>(Round(Value)); }

void DropDownPenAndBrush(TCanvas* Canvas, TColor Color) {
  Canvas->Pen()->SetColor(Color);
  Canvas->Brush()->SetColor(Color);
}

}  // namespace

void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, uint16_t Steps, TRect R, bool Horizontal) {
  if (!Canvas) return;
  if (Steps == 0) Steps = 1;
  if (Horizontal)
    R.Right -= 1;
  else
    R.Bottom -= 1;
  const int span = Horizontal ? R.Right - R.Left : R.Bottom - R.Top;
  const double band = static_cast<double>(span) / Steps;
  const TColor from = ColorToRGB(FromColor);
  const TColor to = ColorToRGB(ToColor);
  const int fr = GetRValue(from), fg = GetGValue(from), fb = GetBValue(from);
  const double sr = static_cast<double>(GetRValue(to) - fr) / Steps;
  const double sg = static_cast<double>(GetGValue(to) - fg) / Steps;
  const double sb = static_cast<double>(GetBValue(to) - fb) / Steps;
  const int bandLen = DropDownRound(band) + 1;
  for (int n = 0; n < Steps; ++n) {
    DropDownPenAndBrush(Canvas, RGB(fr + DropDownRound(n * sr), fg + DropDownRound(n * sg), fb + DropDownRound(n * sb)));
    // The offset is kept in 16 bits, as the band loop always has.
    const int offset = static_cast<uint16_t>(DropDownRound(n * band));
    if (Horizontal)
      Canvas->Rectangle(R.Left + offset, R.Top, R.Left + offset + bandLen, R.Bottom);
    else
      Canvas->Rectangle(R.Left, R.Top + offset, R.Right, R.Top + offset + bandLen);
  }
}

TColor BlendColor(TColor Color1, TColor Color2, int Percent) {
  if (Percent >= 100) return Color1;
  if (Percent <= 0) return Color2;
  const double x = Percent / 100.0;
  const TColor c1 = ColorToRGB(Color1), c2 = ColorToRGB(Color2);
  auto mix = [x](int a, int b) { return DropDownRound(x * a + (1 - x) * b); };
  return RGB(mix(GetRValue(c1), GetRValue(c2)), mix(GetGValue(c1), GetGValue(c2)), mix(GetBValue(c1), GetBValue(c2)));
}

TColor ShadeColor(TColor Color, int RedPercent, int GreenPercent, int BluePercent) {
  const TColor c = ColorToRGB(Color);
  auto shade = [](int channel, int percent) {
    if (channel == 0) return std::max(0, percent);
    return DropDownRound(std::min(100, percent + 100) / 100.0 * channel);
  };
  return RGB(shade(GetRValue(c), RedPercent), shade(GetGValue(c), GreenPercent), shade(GetBValue(c), BluePercent));
}

void DrawFilledRect(TCanvas* Canvas, TRect R, TColor Color, TColor ColorTo, TColor BorderColor, int BorderWidth,
                    TGradientDirection Direction) {
  if (!Canvas) return;
  if (ColorTo != clNone) {
    DrawGradient(Canvas, Color, ColorTo, 80, R, Direction == gdHorizontal);
  } else if (Color != clNone) {
    Canvas->Brush()->SetColor(Color);
    Canvas->FillRect(R);
  }
  if (BorderColor != clNone && BorderWidth > 0) {
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Pen()->SetWidth(BorderWidth);
    Canvas->Pen()->SetColor(BorderColor);
    Canvas->Rectangle(R);
  }
}

void DrawImageAndText(TCanvas* Canvas, TRect R, const String& Text, TImageList* Images, int ImageIndex) {
  if (!Canvas) return;
  bool imageDrawn = false;
  if (ImageIndex >= 0 && Images) {
    Images->Draw(Canvas, R.Left + 4, R.Top + (R.Height() - Images->Height()) / 2, ImageIndex, true);
    R.Left = R.Left + Images->Width() + 8;
    imageDrawn = true;
  }
  if (Text.empty()) return;
  unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
  if (!imageDrawn) flags |= DT_CENTER;
  DrawText(Canvas, Text, R, flags);
}

void DrawTransparentGlyph(TCanvas* Canvas, TBitmap* Glyph, TColor BackgroundColor, const TRect& R) {
  if (!Canvas || !Glyph) return;
  // The temporary bitmap is freed however the copy ends.
  auto temp = std::make_unique<TBitmap>();
  temp->SetSize(Glyph->Width(), Glyph->Height());
  const TRect whole = Rect(0, 0, Glyph->Width(), Glyph->Height());
  temp->Canvas()->Brush()->SetColor(BackgroundColor);
  temp->Canvas()->BrushCopy(whole, Glyph, whole, Glyph->Canvas()->Pixels(0, 0));
  Canvas->CopyRect(R, temp->Canvas(), Rect(0, 0, R.Width(), R.Height()));
}

TSize GetTextSize(TCanvas* Canvas, const String& Text) {
  if (!Canvas || Text.empty()) return {0, 0};
  TRect r = Rect(0, 0, 1000, 500);
  DrawText(Canvas, Text, r, DT_CALCRECT | DT_SINGLELINE);
  return {r.Right, r.Bottom};
}

String FitTextToWidth(TCanvas* Canvas, const String& Text, int MaxWidth, String& Result, bool Ellipsis) {
  Result = Text;
  if (!Canvas || Canvas->TextWidth(Text) <= MaxWidth) return Result;
  const int length = static_cast<int>(Text.size());
  for (int k = 1; k <= length; ++k) {
    String candidate = Copy(Text, 1, length - k);
    if (Ellipsis) candidate += u"...";
    if (Canvas->TextWidth(candidate) < MaxWidth) {
      Result = candidate;
      break;
    }
  }
  return Result;
}

void DrawHTMLText(TCanvas* Canvas, const String& Text, const TRect& R, TPoint& Size, TWinControl* OwnerWindow,
                  bool Draw, TImageList* Images) {
  Size = {0, 0};
  if (!Canvas || Text.empty()) return;
  TMiniHTMLRequest request;
  request.Area = R;
  request.ImageList = Images;
  request.FocusedLink = -1;
  request.LinkColor = clBlue;
  request.HotBackColor = clNone;
  request.HotTextColor = clNone;
  request.ShadowColor = clGray;
  request.MeasureOnly = !Draw;
  request.ThemeWindow = OwnerWindow;
  TMiniHTMLResult result;
  RenderMiniHTML(Canvas, Text, request, result);
  Size = {result.ExtentX, result.ExtentY};
}

bool IsRangeSeparator(Char Ch) { return Ch == u',' || Ch == u'-' || Ch == u';'; }

int ClassifyEditText(const String& Text) {
  const bool any = !Text.empty();
  bool integerLike = any, decimalLike = any, hexLike = any;
  int minusCount = 0, decimalCount = 0, lastThousand = -1;
  const Char thousand = FormatSettings().ThousandSeparator;
  const Char decimal = FormatSettings().DecimalSeparator;
  for (int i = 1; i <= static_cast<int>(Text.size()); ++i) {
    const Char ch = Text[static_cast<size_t>(i - 1)];
    const bool digit = ch >= u'0' && ch <= u'9';
    if (ch != u'-' && !digit) integerLike = false;
    if (ch != u',' && ch != u'-' && ch != u'.' && !digit) decimalLike = false;
    if (ch != u'-' && !digit && !(ch >= u'A' && ch <= u'F') && !(ch >= u'a' && ch <= u'f')) hexLike = false;
    if (ch == thousand) {
      if (i - lastThousand < 3 || i == 1) decimalLike = false;
      lastThousand = i;
    }
    if (ch == decimal) ++decimalCount;
    if (ch == u'-') ++minusCount;
  }
  int result = hexLike && !integerLike ? 5 : 2;
  if (integerLike)
    result = 0;
  else if (decimalLike)
    result = 1;
  if (minusCount > 1 || decimalCount > 1) result = 2;
  return result;
}

String StripThousandSeparators(const String& Text) {
  const Char thousand = FormatSettings().ThousandSeparator;
  String result;
  result.reserve(Text.size());
  for (Char ch : Text)
    if (ch != thousand) result += ch;
  return result;
}

int HexDigitValue(Char Ch) {
  if (Ch >= u'0' && Ch <= u'9') return Ch - u'0';
  if (Ch >= u'A' && Ch <= u'F') return Ch - u'A' + 10;
  if (Ch >= u'a' && Ch <= u'f') return Ch - u'a' + 10;
  return 0;
}

int32_t HexToInt(const String& Text) {
  uint32_t result = 0, weight = 1;
  for (auto it = Text.rbegin(); it != Text.rend(); ++it) {
    result += static_cast<uint32_t>(HexDigitValue(*it)) * weight;
    weight <<= 4;
  }
  return static_cast<int32_t>(result);
}

String CaseFoldText(const String& Text, bool CaseSensitive) { return CaseSensitive ? Text : AnsiUpperCase(Text); }
