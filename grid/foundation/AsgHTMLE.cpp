// The mini-HTML renderer: entity pass, two-pass line engine and the tags.
#include "grid/foundation/AsgHTMLE.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "grid/foundation/AdvXPVS.h"
#include "platform/ShellIcons.h"
#include "platform/SysUtils.h"

namespace {


constexpr unsigned kBaseFlags = DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING;

Char Fold(Char c) { return (c >= u'a' && c <= u'z') ? static_cast<Char>(c - 32) : c; }

bool StartsNoCase(const String& s, const String& prefix) {
  if (s.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (Fold(s[i]) != Fold(prefix[i])) return false;
  return true;
}

// Markup from index `from` to before its first ">" (to the end when there is none).
String TagContent(const String& m, size_t from) {
  if (from >= m.size()) return {};
  size_t gt = m.find(u'>');
  if (gt == String::npos || gt < from) return gt == String::npos ? m.substr(from) : String();
  return m.substr(from, gt - from);
}

// Value of NAME in a tag: the text between the first two double quotes after the name. `Upper`
// is the upper-cased content (where NAME is searched), `Content` the text the value comes from.
bool TagAttr(const String& Content, const String& Upper, const String& Name, String& Value) {
  size_t p = Upper.find(Name);
  if (p == String::npos) return false;
  Value.clear();
  size_t q1 = Content.find(u'"', p + Name.size());
  if (q1 == String::npos) return true;
  size_t q2 = Content.find(u'"', q1 + 1);
  if (q2 == String::npos) return true;
  Value = Content.substr(q1 + 1, q2 - q1 - 1);
  return true;
}

// The quoted value after the first `letter` (any case) and its "=".
String ValueAfterLetter(const String& Content, Char letter) {
  size_t p = String::npos;
  for (size_t i = 0; i < Content.size(); ++i)
    if (Fold(Content[i]) == Fold(letter)) {
      p = i;
      break;
    }
  if (p == String::npos) return {};
  size_t eq = Content.find(u'=', p);
  if (eq == String::npos) return {};
  size_t q1 = Content.find(u'"', eq);
  if (q1 == String::npos) return {};
  size_t q2 = Content.find(u'"', q1 + 1);
  if (q2 == String::npos) return {};
  return Content.substr(q1 + 1, q2 - q1 - 1);
}

// Sizes and positions written in tags are held to what a screen or a page can show, and the
// line arithmetic saturates, so hostile markup cannot overflow it.
constexpr int kMaxTagValue = 0xFFFF;
bool ReadTagValue(const String& Text, int& Value) {
  bool valid = ReadLeadingInt(Text, Value);
  Value = std::clamp(Value, -kMaxTagValue, kMaxTagValue);
  return valid;
}
int SatAdd(int a, int b) {
  int64_t r = static_cast<int64_t>(a) + b;
  return static_cast<int>(std::clamp<int64_t>(r, -0x3FFFFFFF, 0x3FFFFFFF));
}

int SafeRound(double v) {
  if (!std::isfinite(v) || v > 1e9 || v < -1e9) return 0;
  return static_cast<int>(Round(v));
}

struct TPass {
  bool Measuring = true;
  // The second pass replays what the first took; its rectangle may be narrower (alignment),
  // so it never refuses an item.
  bool Replay = false;
  TRect Rect;
  int RunningWidth = 0;
  int PenX = 0;
  int RtlRight = 0;  // right edge of the next run when reading right to left
  int TrailingSpace = 0;
  bool LineEnded = false;
  bool ListItemPlaced = false;
  bool HadTextRun = false;
  bool LastRunSpace = false;
  bool HitLinkText = false;
  bool HitItem = false;
  String* LineText = nullptr;
  bool Drawing() const { return !Measuring; }
};

struct TTagResult {
  bool NotFit = false;
  bool LineEnds = false;
};

// One call's state; the request's fields are read as its own.
struct TRenderer : TMiniHTMLRequest {
  TCanvas* C = nullptr;
  TMiniHTMLResult* Out = nullptr;
  String HitControlIDIn;

  // Render state.
  unsigned Flags = kBaseFlags;
  bool Themes = false;
  TFont BaseFont;
  bool InsideLink = false;
  String Href, Title;
  int LinkCounter = 0, PicCounter = 0, HotPicture = -1, ListLevel = 0;
  int Align = 0, Indent = 0;
  bool Band = false, Hidden = false, Shadow = false, ErrorUnderline = false, LinkHitPending = false;
  bool Sup = false, Sub = false;
  int LineHeight = 0, SupRoom = 0, SubRoom = 0, Raise = 0;
  TColor SavedLinkBrush = clNone, SavedLinkFont = clNone, SavedHIFont = clNone, SavedHIBrush = clNone;
  TColor SavedFontBg = clNone, SavedParaBrush = clNone, Background = clWhite;
  TRect FocusRect;
  int ElemW = 0, ElemH = 0;
  int LinkStartX = 0, LinkStartTop = 0;
  std::unique_ptr<TFont> FontBeforeR;

  int LineBottom(const TPass& p) const { return p.Rect.Bottom - SubRoom; }
  int GH() const { return C->TextHeight(u"gh"); }
  int LineWidthOf(const TPass& p) const { return p.Rect.Right - p.Rect.Left; }

  void SetBrush(TColor c) {
    if (c == clNone) {
      C->Brush()->SetStyle(bsClear);
      C->SetBkMode(TRANSPARENT);
    } else {
      C->Brush()->SetColor(c);
      C->SetBkMode(OPAQUE);
    }
  }
  TColor BrushOrNone() const { return C->Brush()->Style() == bsClear ? clNone : C->Brush()->Color(); }
  void SetFontColor(TColor c) { C->Font()->SetColor(c); }
  void StyleOn(TFontStyle s) { C->Font()->SetStyle(C->Font()->Style() | s); }
  void StyleOff(TFontStyle s) { C->Font()->SetStyle(C->Font()->Style() - s); }

  int MeasureRun(const String& run) {
    TRect r{0, 0, 0x3FFFFFFF, 0x3FFF};
    DrawText(C, run, r, Flags | DT_CALCRECT);
    return r.Right - r.Left;
  }

  static String DecodeRun(const String& raw) {
    if (raw.find(u'&') == String::npos) return raw;
    String out;
    for (size_t i = 0; i < raw.size();) {
      if (raw.compare(i, 6, u"&nbsp;") == 0) {
        out += u' ';
        i += 6;
      } else if (raw.compare(i, 4, u"&lt;") == 0) {
        out += u'<';
        i += 4;
      } else if (raw.compare(i, 4, u"&gt;") == 0) {
        out += u'>';
        i += 4;
      } else {
        out += raw[i++];
      }
    }
    return out;
  }

  // ---- one line ---------------------------------------------------------------------------
  void Walk(String& m, TPass& p) {
    while (!m.empty()) {
      if (m[0] == u'<') {
        if (m.size() <= 2) {
          m.clear();
          break;
        }
        if (p.LineEnded) break;
        bool endTag = m[1] == u'/' && m.size() > 3;
        Char letter = Fold(endTag ? m[2] : m[1]);
        TTagResult r = endTag ? EndTag(m, letter, p) : StartTag(m, letter, p);
        if (r.NotFit) {
          p.LineEnded = true;
          break;
        }
        size_t gt = m.find(u'>');
        if (gt == String::npos) {
          // Kept in the line's text so the second pass handles the tag too.
          if (p.LineText) *p.LineText += m;
          m.clear();
        } else {
          if (p.LineText) p.LineText->append(m, 0, gt + 1);
          m.erase(0, gt + 1);
        }
        if (r.LineEnds) p.LineEnded = true;
        continue;
      }
      if (p.LineEnded) break;
      Run(m, p);
    }
  }

  void Run(String& m, TPass& p) {
    size_t lt = m.find(u'<');
    size_t len = lt == String::npos ? m.size() : lt;
    if (WrapWords) {
      size_t sp = m.find(u' ');
      if (sp != String::npos && (lt == String::npos || sp < lt)) len = sp + 1;
    }
    const String raw = m.substr(0, len);
    const String run = DecodeRun(raw);
    int h = C->TextHeight(run);
    if (Sub) SubRoom = std::max(SubRoom, h / 4);
    if (Sup) SupRoom = std::max(SupRoom, h / 4);
    LineHeight = std::max(LineHeight, h);
    Out->PlainText += run;
    if (Hidden) {
      m.erase(0, len);
      return;
    }
    const int w = MeasureRun(run);
    const int lineW = LineWidthOf(p);
    bool discardRest = false;
    if (p.Measuring) {
      p.RunningWidth = SatAdd(p.RunningWidth, w);
      if (InsideLink) {
        int x1 = TestX - p.Rect.Left;
        int x2 = (Flags & DT_RTLREADING) ? p.Rect.Right - TestX - p.Rect.Left : x1;
        if (x1 >= p.RunningWidth - w && p.RunningWidth >= x2) {
          p.HitLinkText = true;
          if (TestY > p.Rect.Top) {
            Out->HitAnchor = Href;
            Out->HitTitle = Title;
            LinkHitPending = true;
          }
        }
      }
      bool fits = p.Replay || p.RunningWidth < lineW || w >= lineW;
      if (!fits) {
        bool glued = p.HadTextRun && !p.LastRunSpace;
        if (WrapWords && !glued) {
          p.RunningWidth -= w;
          p.LineEnded = true;
          return;
        }
        if (!WrapWords && p.HadTextRun) discardRest = true;
      }
    } else {
      DrawRun(run, p);
    }
    m.erase(0, len);
    if (p.LineText) *p.LineText += raw;
    p.HadTextRun = true;
    p.LastRunSpace = !run.empty() && run.back() == u' ';
    p.TrailingSpace = p.LastRunSpace ? MeasureRun(u" ") : 0;
    if (discardRest) m.clear();
  }

  void DrawRun(const String& run, TPass& p) {
    int bottom = LineBottom(p) - (Sup ? SupRoom : 0) + (Sub ? SubRoom : 0) - Raise;
    const bool rtl = (Flags & DT_RTLREADING) != 0;
    TRect r{p.PenX, p.Rect.Top, rtl ? p.RtlRight : p.Rect.Right, bottom};
    if (Shadow) {
      TColor fc = C->Font()->Color();
      SetFontColor(ShadowColor);
      TRect rs = r;
      OffsetRect(rs, ShadowDepth, ShadowDepth);
      DrawText(C, run, rs, Flags);
      SetFontColor(fc);
    }
    TRect rd = r;
    DrawText(C, run, rd, Flags);
    TRect rc = r;
    DrawText(C, run, rc, Flags | DT_CALCRECT);
    int right = rc.Right;
    if (InsideLink && LinkCounter == FocusedLink + 1) Out->FocusedAnchor = Href;
    if (ErrorUnderline) {
      TColor pc = C->Pen()->Color();
      int pw = C->Pen()->Width();
      C->Pen()->SetColor(0x0000FF);
      C->Pen()->SetWidth(1);
      int lb = LineBottom(p);
      int x = (p.PenX / 2) * 2;
      bool low = x % 4 == 0;
      C->MoveTo(x, low ? lb + 1 : lb - 1);
      for (x += 2; x <= right; x += 2) {
        low = !low;
        C->LineTo(x, low ? lb + 1 : lb - 1);
      }
      C->Pen()->SetColor(pc);
      C->Pen()->SetWidth(pw);
    }
    if (rtl) p.RtlRight -= rc.Right - rc.Left;
    else p.PenX = right;
  }

  // ---- tags ---------------------------------------------------------------------------------
  bool HotStyled() const { return !UnderlineHotOnly || HotLink == LinkCounter; }

  // Fit of a picture or control that takes ElemW; false when it must go to the next line.
  bool PlaceElement(TPass& p) {
    int lineW = LineWidthOf(p);
    if (!p.Replay && SatAdd(ElemW, p.RunningWidth) > lineW && ElemW < lineW) return false;
    p.RunningWidth = SatAdd(p.RunningWidth, ElemW);
    p.PenX = SatAdd(p.PenX, ElemW);
    LineHeight = std::max(LineHeight, ElemH);
    return true;
  }

  bool InElement(const TPass& p) const {
    int dx = TestX - p.Rect.Left;
    return p.RunningWidth < dx && dx < p.RunningWidth + ElemW && p.Rect.Top < TestY && TestY < p.Rect.Top + ElemH;
  }

  // A named or URL picture; decoding failures leave it without a picture (nothing drawn).
  THTMLPicture* FindPicture(const String& upperSrc, const String& src) {
    THTMLPicture* pic = nullptr;
    if (upperSrc.find(u':') == String::npos && NamedPictures) pic = NamedPictures->FindPicture(upperSrc);
    if (upperSrc.find(u"://") != String::npos && UrlPictures) {
      pic = UrlPictures->FindPicture(upperSrc);
      if (!pic) {
        THTMLPicture* np = UrlPictures->AddPicture();
        np->SetAsynch(false);
        try {
          np->LoadFromURL(src);
        } catch (const std::exception&) {
        }
        // The upper-cased tag text is the cache key; the path was loaded as written.
        np->SetID(upperSrc);
        pic = np;
      }
    }
    return pic;
  }

  TTagResult StartTag(const String& m, Char letter, TPass& p) {
    TTagResult res;
    Char second = m.size() > 2 ? Fold(m[2]) : u'\0';
    switch (letter) {
      case u'A': TagA(m, p); break;
      case u'B':
        if (second == u'>') StyleOn(fsBold);
        else if (second == u'R') {
          Out->PlainText += u'\r';
          res.LineEnds = true;
        } else if (second == u'L') {
          if (!BlinkOn) SetFontColor(Background);
        } else if (second == u'O') TagBody(m, p);
        break;
      case u'C': return TagControl(m, p);
      case u'E':
        if (p.Drawing()) ErrorUnderline = true;
        break;
      case u'F': TagFont(m, p); break;
      case u'H':
        if (second == u'I') {
          if (p.Drawing()) {
            SavedHIFont = C->Font()->Color();
            SavedHIBrush = BrushOrNone();
            SetBrush(HighlightBackgroundColor());
            SetFontColor(HighlightTextColor());
          }
        } else if (second == u'R') {
          res.LineEnds = true;
          if (p.Drawing()) {
            TColor pc = C->Pen()->Color();
            C->Pen()->SetColor(clBlack);
            C->MoveTo(p.Rect.Left, LineBottom(p) + 1);
            C->LineTo(p.Rect.Right, LineBottom(p) + 1);
            C->Pen()->SetColor(pc);
          }
        }
        break;
      case u'I':
        if (second == u'>') StyleOn(fsItalic);
        else if (second == u'N') TagInd(m, p);
        else if (second == u'M') return TagImg(m, p);
        break;
      case u'L':
        if (second == u'I') return TagLi(p);
        break;
      case u'P': TagP(m, p); break;
      case u'R': {
        int angle = 0;
        ReadTagValue(ValueAfterLetter(TagContent(m, 2), u'a'), angle);
        if (!FontBeforeR) {
          FontBeforeR = std::make_unique<TFont>();
          FontBeforeR->Assign(C->Font());
        }
        C->Font()->SetOrientation(angle * 10);
        break;
      }
      case u'S':
        if (second == u'>') StyleOn(fsStrikeOut);
        else if (second == u'H') Shadow = true;
        else if (StartsNoCase(m, u"<SUB>")) Sub = true;
        else if (StartsNoCase(m, u"<SUP>")) Sup = true;
        break;
      case u'U':
        if (second == u'>') StyleOn(fsUnderline);
        else {
          ++ListLevel;
          res.LineEnds = true;
        }
        break;
      case u'Z': Hidden = true; break;
      default: break;
    }
    return res;
  }

  TTagResult EndTag(const String& m, Char letter, TPass& p) {
    TTagResult res;
    Char second = m.size() > 3 ? Fold(m[3]) : u'\0';
    switch (letter) {
      case u'A': EndLink(p); break;
      case u'B':
        if (second == u'>') StyleOff(fsBold);
        else SetFontColor(BaseFont.Color());
        break;
      case u'E':
        if (p.Drawing()) ErrorUnderline = false;
        break;
      case u'F':
        C->Font()->SetName(BaseFont.Name());
        C->Font()->SetHeight(BaseFont.Height());
        if (p.Drawing() && !InSelection) {
          SetFontColor(BaseFont.Color());
          SetBrush(SavedFontBg);
        }
        break;
      case u'H':
        if (p.Drawing()) {
          SetFontColor(SavedHIFont);
          SetBrush(SavedHIBrush);
        }
        break;
      case u'I': StyleOff(fsItalic); break;
      case u'L': res.LineEnds = true; break;
      case u'P':
        res.LineEnds = true;
        if (p.Drawing()) {
          SetBrush(SavedParaBrush);
          Band = false;
        }
        break;
      case u'R':
        if (FontBeforeR) {
          C->Font()->Assign(FontBeforeR.get());
          FontBeforeR.reset();
        }
        break;
      case u'S':
        if (second == u'H') Shadow = false;
        else if (second == u'U') Sub = Sup = false;
        else StyleOff(fsStrikeOut);
        break;
      case u'U':
        if (second == u'>') StyleOff(fsUnderline);
        else if (ListLevel < 1) StyleOff(fsUnderline);
        else --ListLevel;
        break;
      case u'Z': Hidden = false; break;
      default: break;
    }
    return res;
  }

  void TagA(const String& m, TPass& p) {
    const String content = TagContent(m, 2);
    const String up = UpperCase(content);
    if (p.Drawing() && LinkCounter == FocusedLink) {
      FocusRect.Left = p.PenX;
      FocusRect.Top = p.Rect.Top;
    }
    ++LinkCounter;
    if (p.Drawing() && HotStyled()) {
      StyleOn(fsUnderline);
      if (HotBackColor != clNone) {
        SavedLinkBrush = BrushOrNone();
        SetBrush(HotBackColor);
      }
      if (HotTextColor != clNone) {
        SavedLinkFont = C->Font()->Color();
        SetFontColor(HotTextColor);
      }
    }
    if (!InSelection && (HotTextColor == clNone || HotLink != LinkCounter || !UnderlineHotOnly))
      SetFontColor(LinkColor);
    String v;
    if (TagAttr(content, up, u"HREF", v)) {
      Href = v;
      InsideLink = true;
    }
    if (TagAttr(content, up, u"TITLE", v)) Title = v;
    LinkStartX = p.Rect.Left + p.RunningWidth;
    LinkStartTop = p.Rect.Top;
  }

  void EndLink(TPass& p) {
    if (p.Drawing() && HotStyled()) {
      StyleOff(fsUnderline);
      if (HotBackColor != clNone) SetBrush(SavedLinkBrush);
      if (HotTextColor != clNone) SetFontColor(SavedLinkFont);
    }
    if (!InSelection) SetFontColor(BaseFont.Color());
    InsideLink = false;
    if (LinkHitPending) {
      if (LinkStartTop != p.Rect.Top) {
        LinkStartX = p.Rect.Left;
        LinkStartTop = p.Rect.Top;
      }
      Out->HitLinkRect = TRect{LinkStartX, LinkStartTop, p.Rect.Left + p.RunningWidth, LineBottom(p)};
      Out->HitLink = LinkCounter;
      LinkHitPending = false;
    }
    if (LinkCounter == FocusedLink + 1) {
      FocusRect.Right = p.PenX;
      FocusRect.Bottom = LineBottom(p) - Raise;
      FocusRect.Top = FocusRect.Bottom - GH();
      FocusRect.Left -= 1;
      FocusRect.Right += 1;
      if (p.Drawing()) C->DrawFocusRect(FocusRect);
    }
  }

  void TagBody(const String& m, TPass& p) {
    if (!p.Drawing()) return;
    const String content = TagContent(m, 5);
    const String up = UpperCase(content);
    String v;
    if (TagAttr(content, up, u"BACKGROUND", v)) {
      THTMLPicture* pic = FindPicture(UpperCase(v), v);
      if (pic && !pic->Empty() && pic->Width() > 0 && pic->Height() > 0) {
        int w = pic->Width(), h = pic->Height();
        C->SetClipRect(Area);
        for (int y = Area.Top; y < Area.Bottom; y += h)
          for (int x = Area.Left; x < Area.Right; x += w) C->StretchDraw(TRect{x, y, x + w, y + h}, pic);
        C->SelectClipRgn(nullptr);
      }
    }
    if (TagAttr(up, up, u"BGCOLOR", v)) {
      if (v.find(u"CL") != String::npos) SetBrush(HTMLColorValue(LowerCase(v)));
      else if (v.find(u'#') != String::npos) SetBrush(HTMLColorValue(v.substr(v.find(u'#'))));
      SavedFontBg = BrushOrNone();
      TColor pc = C->Pen()->Color();
      C->Pen()->SetColor(C->Brush()->Color());
      C->Rectangle(Area);
      C->Pen()->SetColor(pc);
    }
  }

  TTagResult TagControl(const String& m, TPass& p) {
    TTagResult res;
    const TControlTag t = ParseControlTag(TagContent(m, 8));
    int ctrlH = 25;
    int hv = 0;
    if (ReadTagValue(t.Height, hv)) ctrlH = hv;
    if (t.Width.empty()) return res;
    int wv = 0;
    bool widthValid = ReadTagValue(t.Width, wv);
    const int gh = GH();
    if (widthValid) {
      ElemW = wv;
      ElemH = gh + 10;
    }
    const bool box = t.Type == u"CHECK" || t.Type == u"RADIO";
    LineHeight = box ? 16 : 23;
    if (ctrlH > 25) LineHeight = ctrlH - 2;
    if (p.Drawing()) DrawControl(t, wv, ctrlH, p);
    if (t.Type == u"BUTTON" || t.Type == u"COMBO") ElemH = 25;
    if (box) ElemW = ElemH = 16;
    if (InElement(p) || (HitTestOnly && !HitControlIDIn.empty() && HitControlIDIn == t.ID)) {
      p.HitItem = true;
      Out->HitAnchor = u"ctrl";
      int l = p.Rect.Left + p.RunningWidth;
      Out->HitControlRect = TRect{l, p.Rect.Top, l + ElemW, p.Rect.Top + ElemH};
      Out->HitControlValue = t.Value;
      Out->HitControlID = t.ID;
      Out->HitControlType = t.Type;
    }
    res.NotFit = !PlaceElement(p);
    return res;
  }

  bool ThemedOrClassic(const String& cls, int part, int state, const TRect& r, unsigned type, unsigned classic) {
    if (Themes && DrawThemedPart(C, ThemeWindow, cls, part, state, r)) return true;
    return DrawFrameControl(C, r, type, classic);
  }

  void DrawControl(const TControlTag& t, int W, int ctrlH, TPass& p) {
    const int x = p.PenX, B = LineBottom(p), L = LineHeight;
    const TColor frame = Themes ? 0xB99D7F : 0x808080;
    // A button takes its own height before the hot test.
    if (t.Type == u"BUTTON") ElemH = 24;
    const bool hot = x - 2 < TestX && TestX < x + ElemW - 2 && B - ElemH - 2 < TestY && TestY < B - 2;
    const bool checked = UpperCase(t.Value) == u"TRUE";
    if (t.Type == u"EDIT" || t.Type == u"PASSWORD" || t.Type == u"MASK" || t.Type == u"COMBO") {
      C->Pen()->SetColor(frame);
      C->Brush()->SetColor(clWhite);
      C->Brush()->SetStyle(bsSolid);
      C->Rectangle(x, B - L + 4, x + W, B + 2);
      SetBrush(clNone);
      if (t.Type == u"COMBO") {
        TRect tr{x + 4, B - L + 4, x + W - 18, B};
        DrawText(C, t.Value, tr, DT_SINGLELINE | DT_VCENTER);
        TRect br{x + W - 18, B - L + 5, x + W - 1, B + 1};
        if (Themes) DrawThemedPart(C, ThemeWindow, u"combobox", 1, hot ? 2 : 1, br);
        else DrawFrameControl(C, br, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
      } else {
        String shown = t.Type == u"PASSWORD" ? String(t.Value.size(), u'*') : t.Value;
        TRect tr{x + 2, B - L + 4, x + W, B};
        DrawText(C, shown, tr, DT_SINGLELINE | DT_VCENTER);
      }
    } else if (t.Type == u"CHECK") {
      ElemW = ElemH = 16;
      C->Pen()->SetColor(frame);
      SetBrush(clNone);
      TRect r{x + 2, B - 15, x + 15, B};
      ThemedOrClassic(u"button", 3, checked ? 5 : 1, r, DFC_BUTTON, checked ? 0x4400 : 0x4000);
    } else if (t.Type == u"RADIO") {
      ElemW = ElemH = 16;
      C->Pen()->SetColor(frame);
      SetBrush(clNone);
      TRect r{x + 2, B - 14, x + 14, B};
      ThemedOrClassic(u"button", 2, checked ? 5 : 1, r, DFC_BUTTON, checked ? 0x4404 : 0x4004);
    } else if (t.Type == u"BUTTON") {
      C->Pen()->SetColor(frame);
      SetBrush(clNone);
      TRect r{x + 2, B - ctrlH, x + W - 2, B};
      int state = ControlPressed ? 3 : hot ? 2 : 1;
      ThemedOrClassic(u"button", 1, state, r, DFC_BUTTON, (hot && ControlPressed) ? 0x210 : 0x10);
      InflateRect(r, -2, -2);
      DrawText(C, t.Value, r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }
  }

  void TagFont(const String& m, TPass& p) {
    const String up = UpperCase(TagContent(m, 5));
    String v;
    if (TagAttr(up, up, u"FACE", v)) C->Font()->SetName(v);
    if (TagAttr(up, up, u" COLOR", v) && !InSelection && !v.empty()) SetFontColor(HTMLColorValue(v));
    if (TagAttr(up, up, u"BGCOLOR", v) && p.Drawing() && !InSelection) {
      SavedFontBg = BrushOrNone();
      if (!v.empty()) SetBrush(HTMLColorValue(v));
    }
    size_t sp = up.find(u"SIZE");
    if (sp != String::npos) {
      size_t eq = up.find(u'=', sp);
      if (eq != String::npos) {
        String rest = up.substr(eq + 1);
        size_t q = rest.find(u'"');
        if (q != String::npos) rest = rest.substr(q + 1);
        int n = 0;
        ReadTagValue(rest, n);
        static constexpr int kPoints[] = {0, 8, 10, 12, 14, 16};
        int points = (n >= 1 && n <= 5) ? kPoints[n] : n;
        // Size 0 is the default font size and a negative size a cell height, as for any font;
        // sizes past what a page can show are ignored so hostile markup cannot ask for them.
        if (points > -1000 && points < 1000) C->Font()->SetSize(points);
      }
    }
  }

  TTagResult TagImg(const String& m, TPass& p) {
    TTagResult res;
    const int number = ++PicCounter;
    const String content = TagContent(m, 2);
    const String up = UpperCase(content);
    String src, srcUp, v;
    TagAttr(content, up, u"SRC", src);
    TagAttr(up, up, u"SRC", srcUp);
    if (up.find(u"ALT") != String::npos && number == HotPicture) {
      TagAttr(content, up, u"ALT", src);
      TagAttr(up, up, u"ALT", srcUp);
    }
    int reqW = 0, reqH = 0;
    if (TagAttr(up, up, u"WIDTH", v)) ReadTagValue(v, reqW);
    if (TagAttr(up, up, u"HEIGHT", v)) ReadTagValue(v, reqH);
    ElemW = ElemH = 0;
    const int x = p.PenX, top = p.Rect.Top;
    if (srcUp.rfind(u"IDX:", 0) == 0) {
      srcUp.erase(0, 4);
      src.erase(0, 4);
      int n = -1;
      ReadTagValue(srcUp, n);
      if (ImageList && n >= 0 && n < ImageList->Count()) {
        ElemW = ImageList->Width();
        ElemH = ImageList->Height();
        if (p.Drawing()) {
          if (!Printing) {
            ImageList->Draw(C, x, top, n, true);
          } else {
            TBitmap bmp;
            ImageList->GetBitmap(n, &bmp);
            C->StretchDraw(TRect{x, top, x + SafeRound(ImageList->Width() * PrintScale),
                                 top + SafeRound(ImageList->Height() * PrintScale)},
                           &bmp);
          }
        }
      }
    } else if (srcUp.rfind(u"SSYS:", 0) == 0 || srcUp.rfind(u"LSYS:", 0) == 0) {
      const bool large = srcUp[0] == u'L';
      const int size = ShellIconSize(large);
      srcUp.erase(0, 5);
      src.erase(0, 5);
      // The size is taken whether or not the name finds an icon.
      ElemW = ElemH = size;
      if (p.Drawing()) {
        // The name as written: file names are case-sensitive here.
        if (std::unique_ptr<TIcon> icon = ShellIcon(src, large)) {
          if (!Printing) {
            C->Draw(x, top, icon.get());
          } else {
            TBitmap bmp;
            bmp.SetSize(size, size);
            bmp.Canvas()->Draw(0, 0, icon.get());
            C->StretchDraw(TRect{x, top, x + SafeRound(icon->Width() * PrintScale),
                                 top + SafeRound(icon->Height() * PrintScale)},
                           &bmp);
          }
        }
      }
    }
    THTMLPicture* pic = FindPicture(srcUp, src);
    if (pic && !pic->Empty() && pic->Width() > 0 && pic->Height() > 0) {
      const int pw = pic->Width(), ph = pic->Height();
      int w = pw, h = ph;
      const bool requested = reqW > 0 || reqH > 0;
      if (reqW > 0 && reqH > 0) {
        w = reqW;
        h = reqH;
      } else if (reqW > 0) {
        w = reqW;
        h = SafeRound(static_cast<double>(ph) * reqW / pw);
      } else if (reqH > 0) {
        h = reqH;
        w = SafeRound(static_cast<double>(pw) * reqH / ph);
      }
      if (p.Drawing()) {
        if (requested) {
          pic->SetStretch(true);
          pic->Draw(C, TRect{x, top, x + w, top + h});
        } else {
          if (pic->FrameCount() > 1) {
            TColor pc = C->Pen()->Color(), bc = C->Brush()->Color();
            TBrushStyle bs = C->Brush()->Style();
            C->Pen()->SetColor(Background);
            C->Brush()->SetColor(Background);
            C->Rectangle(x, top, x + pic->MaxWidth(), top + pic->MaxHeight());
            C->Pen()->SetColor(pc);
            C->Brush()->SetColor(bc);
            C->Brush()->SetStyle(bs);
          }
          int fx = x + pic->FrameXPos(), fy = top + pic->FrameYPos();
          pic->Draw(C, TRect{fx, fy, fx + pw, fy + ph});
        }
      }
      ElemW = requested ? w : pic->MaxWidth();
      ElemH = requested ? h : pic->MaxHeight();
    }
    if (InsideLink && InElement(p)) {
      p.HitItem = true;
      Out->HitAnchor = Href;
      Out->HitTitle = Title;
      HotPicture = number;
    }
    if (!PlaceElement(p)) {
      res.NotFit = true;
      return res;
    }
    if (up.find(u"ALIGN") != String::npos) {
      if (up.find(u"\"TOP") != String::npos) Raise = LineHeight - GH();
      else if (up.find(u"\"MIDDLE") != String::npos) Raise = (LineHeight - GH()) / 2;
    }
    return res;
  }

  void TagInd(const String& m, TPass& p) {
    int v = 0;
    // Text does not advance the running width while drawing, so the pen tells how far the line
    // has come; without it a position left of drawn text would overprint it.
    int reached = p.Drawing() ? std::max(p.RunningWidth, p.PenX - Area.Left) : p.RunningWidth;
    if (ReadTagValue(ValueAfterLetter(TagContent(m, 1), u'x'), v) && reached < v) {
      p.RunningWidth = v;
      p.PenX = Area.Left + v;
    }
  }

  TTagResult TagLi(TPass& p) {
    TTagResult res;
    p.RunningWidth = SatAdd(p.RunningWidth, std::min(ListLevel, kMaxTagValue) * 12);
    if (p.ListItemPlaced && !p.Replay) {
      res.NotFit = true;
      return res;
    }
    p.ListItemPlaced = true;
    p.PenX = SatAdd(p.PenX, std::min(ListLevel, kMaxTagValue) * 12 - 12);
    if (p.Drawing()) {
      String name = C->Font()->Name();
      C->Font()->SetName(u"Symbol");
      TRect r{p.PenX, p.Rect.Top, p.Rect.Right, p.Rect.Bottom};
      DrawText(C, ListLevel % 2 == 1 ? String(1, Char(0xB7)) : String(u"o"), r, DT_LEFT | DT_TOP | DT_SINGLELINE);
      C->Font()->SetName(name);
    }
    p.PenX += 12;
    return res;
  }

  void TagP(const String& m, TPass& p) {
    const String up = UpperCase(TagContent(m, 2));
    String v;
    if (TagAttr(up, up, u"ALIGN", v)) {
      if (v.find(u"RIGHT") != String::npos) Align = 1;
      if (v.find(u"LEFT") != String::npos) Align = 0;
      if (v.find(u"CENTER") != String::npos) Align = 2;
    }
    if (TagAttr(up, up, u"INDENT", v)) ReadTagValue(v, Indent);
    if (TagAttr(up, up, u"BGCOLOR", v) && p.Drawing()) {
      TColor c = v.empty() ? clNone : HTMLColorValue(v);
      Band = true;
      SavedParaBrush = BrushOrNone();
      SetBrush(c);
      TColor pc = C->Pen()->Color();
      C->Pen()->SetColor(c);
      C->Rectangle(Area.Left, p.Rect.Top, Area.Right, LineBottom(p));
      C->Pen()->SetColor(pc);
    }
  }

  void FillBand(const TPass& p) {
    TColor pc = C->Pen()->Color();
    C->Pen()->SetColor(C->Brush()->Color());
    C->Rectangle(Area.Left, p.Rect.Top, Area.Right, p.Rect.Top + LineHeight);
    C->Pen()->SetColor(pc);
  }

  void EndOfLine(TPass& p, int& extentX) {
    extentX = std::max(extentX, p.RunningWidth - p.TrailingSpace);
    if (p.Drawing() && InsideLink && LinkCounter == FocusedLink + 1) {
      FocusRect.Right = p.PenX + 1;
      FocusRect.Bottom = LineBottom(p);
      FocusRect.Left -= 1;
      C->DrawFocusRect(FocusRect);
      FocusRect.Left = p.Rect.Left + 1;
    }
  }
};

// Puts the caller's font, pen colour and width and brush colour back, also when a tag raised.
struct TCanvasRestore {
  TCanvas* C;
  TFont Font;
  TColor Pen;
  int PenWidth;
  TColor Brush;
  explicit TCanvasRestore(TCanvas* c) : C(c), Pen(c->Pen()->Color()), PenWidth(c->Pen()->Width()), Brush(c->Brush()->Color()) {
    Font.Assign(c->Font());
  }
  ~TCanvasRestore() {
    C->Pen()->SetColor(Pen);
    C->Pen()->SetWidth(PenWidth);
    TBrushStyle style = C->Brush()->Style();
    C->Brush()->SetColor(Brush);
    C->Brush()->SetStyle(style);
    C->Font()->Assign(&Font);
  }
};

void PrepareEntities(String& s) {
  if (s.find(u'&') != String::npos) {
    static const std::pair<const char16_t*, const char16_t*> kEntities[] = {
        {u"&amp;", u"&&"},   {u"&quot;", u"\""}, {u"&sect;", u"\u00A7"}, {u"&permil;", u"\u2030"},
        {u"&reg;", u"\u00AE"}, {u"&copy;", u"\u00A9"}, {u"&para;", u"\u00B6"}, {u"&trade;", u"\u2122"},
        {u"&euro;", u"\u20AC"},
    };
    bool changed = true;
    while (changed) {
      changed = false;
      for (const auto& [ent, rep] : kEntities) {
        String e(ent);
        size_t p = s.find(e);
        if (p != String::npos) {
          s.replace(p, e.size(), rep);
          changed = true;
        }
      }
    }
  }
  // "<#12>" reads "#12".
  size_t from = 0;
  for (;;) {
    size_t p = s.find(u"<#", from);
    if (p == String::npos) break;
    s.erase(p, 1);
    size_t gt = s.find(u'>', p);
    if (gt != String::npos) s.erase(gt, 1);
    from = p;
  }
  String out;
  out.reserve(s.size());
  for (Char c : s) {
    if (c == u'\r') out += u"<BR>";
    else if (c != u'\n') out += c;
  }
  s.swap(out);
}

}  // namespace


bool RenderMiniHTML(TCanvas* Canvas, const String& Markup, const TMiniHTMLRequest& Request,
                    TMiniHTMLResult& Result) {
  Result.HitControlRect = TRect{0, 0, 0, 0};
  Result.PlainText.clear();
  Result.FocusedAnchor.clear();
  Result.HitTitle.clear();
  Result.HitControlValue.clear();
  Result.HitControlType.clear();
  if (!Request.HitTestOnly) Result.HitControlID.clear();
  Result.ExtentX = Result.ExtentY = Result.LinkCount = 0;
  Result.HitLink = -1;
  if (!Canvas) return false;

  TCanvasRestore restore(Canvas);
  TRenderer R;
  static_cast<TMiniHTMLRequest&>(R) = Request;
  R.C = Canvas;
  R.Out = &Result;
  R.HitControlIDIn = Result.HitControlID;

  R.Background = Canvas->Brush()->Color();
  R.BaseFont.Assign(Canvas->Font());
  R.SavedLinkFont = R.SavedHIFont = R.BaseFont.Color();
  R.Themes = IsWindowsXPOrLater() && UxThemeLoaded() && IsThemeActive();
  R.SetBrush(clNone);
  Canvas->SetBkMode(TRANSPARENT);

  unsigned flags = kBaseFlags;
  if (IsMiddleEastLocale() && Request.ReadingOrder == bdRightToLeft) {
    if (flags & DT_RIGHT) flags &= ~DT_RIGHT;
    else if (!(flags & DT_CENTER)) flags |= DT_RIGHT;
  }
  if (IsMiddleEastLocale() && Request.ReadingOrder != bdLeftToRight) flags |= DT_RTLREADING;
  if (!Request.WrapWords) flags |= DT_END_ELLIPSIS;
  R.Flags = flags;

  String markup = Markup;
  PrepareEntities(markup);

  TFont passFont[2];
  passFont[0].Assign(&R.BaseFont);
  passFont[1].Assign(&R.BaseFont);
  bool hit = false;
  int lineTop = Request.Area.Top;
  while (!markup.empty()) {
    const int savedLinks = R.LinkCounter, savedPics = R.PicCounter, savedList = R.ListLevel;
    const bool savedInside = R.InsideLink;
    const String savedHref = R.Href, savedTitle = R.Title;
    R.SupRoom = R.SubRoom = R.Raise = 0;
    R.Sup = R.Sub = false;
    Canvas->Font()->Assign(&passFont[0]);
    R.LineHeight = Canvas->TextHeight(u"gh");
    const int h0 = R.LineHeight;

    String lineText;
    TPass p1;
    p1.Measuring = true;
    p1.Rect = TRect{Request.Area.Left + 1, lineTop, Request.Area.Right, Request.Area.Bottom};
    p1.PenX = p1.Rect.Left;
    p1.LineText = &lineText;
    const size_t before = markup.size();
    R.Walk(markup, p1);
    if (markup.size() == before && !markup.empty()) {
      // Never loop on a line that took nothing.
      lineText += markup[0];
      markup.erase(0, 1);
    }
    R.EndOfLine(p1, Result.ExtentX);
    passFont[0].Assign(Canvas->Font());

    const int lineWidth = p1.RunningWidth - p1.TrailingSpace;
    int left = Request.Area.Left + 1;
    if (R.Align == 1 && Request.Area.Right - lineWidth > left) left = Request.Area.Right - lineWidth;
    else if (R.Align == 2 && Request.Area.Right - left - lineWidth > 0)
      left += (Request.Area.Right - left - lineWidth) / 2;
    left += R.Indent;
    const TRect rect2{left, lineTop, Request.Area.Right, lineTop + R.LineHeight + R.SubRoom + R.SupRoom};

    if (!Request.MeasureOnly) {
      R.LinkCounter = savedLinks;
      R.PicCounter = savedPics;
      R.ListLevel = savedList;
      R.InsideLink = savedInside;
      R.Href = savedHref;
      R.Title = savedTitle;
      Canvas->Font()->Assign(&passFont[1]);
      TPass p2;
      p2.Measuring = Request.HitTestOnly;
      p2.Replay = true;
      p2.Rect = rect2;
      p2.PenX = rect2.Left;
      p2.RtlRight = rect2.Right;
      if (p2.Drawing() && R.Band) R.FillBand(p2);
      String replay = lineText;
      R.Walk(replay, p2);
      R.EndOfLine(p2, Result.ExtentX);
      if (p2.HitItem) hit = true;
      if (p2.HitLinkText) {
        int bottom = rect2.Bottom - R.Raise;
        if (Request.TestY > bottom - Canvas->TextHeight(u"gh") && Request.TestY < bottom) hit = true;
      }
      passFont[1].Assign(Canvas->Font());
    }

    const int advance = R.LineHeight + R.SubRoom + R.SupRoom;
    lineTop = SatAdd(lineTop, advance);
    Result.ExtentY = SatAdd(Result.ExtentY, advance);
    if (!Request.MeasureOnly && lineTop + h0 > Request.Area.Bottom) markup.clear();
  }
  Canvas->Font()->Assign(&R.BaseFont);
  if (Result.ExtentY == 0) Result.ExtentY = Canvas->TextHeight(u"gh");
  Result.LinkCount = R.LinkCounter;
  return Request.MeasureOnly ? false : hit;
}

bool RenderMiniHTML(TCanvas* Canvas, const String& Markup, TRect Area, TImageList* ImageList, int TestX,
                    int TestY, int FocusedLink, int HotLink, int ShadowDepth, bool HitTestOnly,
                    bool MeasureOnly, bool Printing, bool InSelection, bool BlinkOn, bool UnderlineHotOnly,
                    bool WrapWords, bool ControlPressed, double PrintScale, TColor LinkColor,
                    TColor HotBackColor, TColor HotTextColor, TColor ShadowColor, String& HitAnchor,
                    String& PlainText, String& FocusedAnchor, String& HitTitle, int& ExtentX, int& ExtentY,
                    int& LinkCount, int& HitLink, TRect& HitLinkRect, TRect& HitControlRect,
                    String& HitControlID, String& HitControlValue, String& HitControlType,
                    THTMLPictureCache* UrlPictures, TPictureContainer* NamedPictures,
                    TWinControl* ThemeWindow, TBiDiMode ReadingOrder) {
  const TMiniHTMLRequest request{.Area = Area,
                                 .ImageList = ImageList,
                                 .TestX = TestX,
                                 .TestY = TestY,
                                 .FocusedLink = FocusedLink,
                                 .HotLink = HotLink,
                                 .ShadowDepth = ShadowDepth,
                                 .HitTestOnly = HitTestOnly,
                                 .MeasureOnly = MeasureOnly,
                                 .Printing = Printing,
                                 .InSelection = InSelection,
                                 .BlinkOn = BlinkOn,
                                 .UnderlineHotOnly = UnderlineHotOnly,
                                 .WrapWords = WrapWords,
                                 .ControlPressed = ControlPressed,
                                 .PrintScale = PrintScale,
                                 .LinkColor = LinkColor,
                                 .HotBackColor = HotBackColor,
                                 .HotTextColor = HotTextColor,
                                 .ShadowColor = ShadowColor,
                                 .UrlPictures = UrlPictures,
                                 .NamedPictures = NamedPictures,
                                 .ThemeWindow = ThemeWindow,
                                 .ReadingOrder = ReadingOrder};
  // The answers the call does not reach keep the caller's values.
  TMiniHTMLResult result;
  result.HitAnchor = HitAnchor;
  result.HitLinkRect = HitLinkRect;
  result.HitControlID = HitControlID;
  const bool hit = RenderMiniHTML(Canvas, Markup, request, result);
  HitAnchor = std::move(result.HitAnchor);
  PlainText = std::move(result.PlainText);
  FocusedAnchor = std::move(result.FocusedAnchor);
  HitTitle = std::move(result.HitTitle);
  ExtentX = result.ExtentX;
  ExtentY = result.ExtentY;
  LinkCount = result.LinkCount;
  HitLink = result.HitLink;
  HitLinkRect = result.HitLinkRect;
  HitControlRect = result.HitControlRect;
  HitControlID = std::move(result.HitControlID);
  HitControlValue = std::move(result.HitControlValue);
  HitControlType = std::move(result.HitControlType);
  return hit;
}
