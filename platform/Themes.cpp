// Edges, frame controls, theme parts and the platform profile.
#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleOption>

#include "platform/Graphics.h"
#include "platform/SysUtils.h"
#include "platform/qt/QtCanvas.h"

namespace {
const TPlatformProfile* gThemesProfileOverride = nullptr;  // a test's profile, when it set one
}  // namespace

const TPlatformProfile& PlatformProfile() {
  static const TPlatformProfile profile;
  return gThemesProfileOverride ? *gThemesProfileOverride : profile;
}
void SetPlatformProfileForTests(const TPlatformProfile* Profile) { gThemesProfileOverride = Profile; }
bool SystemFileVersion(const String& FileName, uint32_t& VersionMS) {
  if (!SameText(FileName, u"COMCTL32.DLL")) return false;
  const TPlatformProfile& p = PlatformProfile();
  VersionMS = (static_cast<uint32_t>(p.ComCtlMajor) << 16) | static_cast<uint32_t>(p.ComCtlMinor & 0xFFFF);
  return true;
}
bool IsThemeActive() { return PlatformProfile().Themed; }
bool IsAppThemed() { return PlatformProfile().Themed; }

// ---------------------------------------------------------------------------------------------
// DrawEdge: classic bevels, outer ring on the rectangle, inner ring one pixel in.

namespace {

// Fills with a colour, leaving the caller's brush and background mode as they were.
class SolidFiller {
 public:
  explicit SolidFiller(TCanvas* c) : c_(c), color_(c->Brush()->Color()), style_(c->Brush()->Style()) {
    bk_ = c->BkMode();
  }
  ~SolidFiller() {
    c_->Brush()->SetColor(color_);
    c_->Brush()->SetStyle(style_);
    c_->SetBkMode(bk_);
  }
  void Fill(const TRect& r, TColor col) {
    if (r.IsEmpty()) return;
    c_->Brush()->SetColor(col);
    c_->FillRect(r);
  }

 private:
  TCanvas* c_;
  TColor color_;
  TBrushStyle style_;
  int bk_ = OPAQUE;
};

struct EdgeColors {
  TColor OuterLT = clNone, OuterRB = clNone, InnerLT = clNone, InnerRB = clNone;
};

EdgeColors ColorsFor(unsigned edge, unsigned flags) {
  EdgeColors e;
  const bool soft = flags & BF_SOFT;
  if (edge & BDR_RAISEDOUTER) {
    e.OuterLT = soft ? clBtnHighlight : cl3DLight;
    e.OuterRB = cl3DDkShadow;
  } else if (edge & BDR_SUNKENOUTER) {
    e.OuterLT = soft ? cl3DDkShadow : clBtnShadow;
    e.OuterRB = clBtnHighlight;
  }
  if (edge & BDR_RAISEDINNER) {
    e.InnerLT = soft ? cl3DLight : clBtnHighlight;
    e.InnerRB = clBtnShadow;
  } else if (edge & BDR_SUNKENINNER) {
    e.InnerLT = soft ? clBtnShadow : cl3DDkShadow;
    e.InnerRB = cl3DLight;
  }
  if (flags & BF_MONO) {
    if (e.OuterLT != clNone) e.OuterLT = e.OuterRB = clWindowFrame;
    if (e.InnerLT != clNone) e.InnerLT = e.InnerRB = clWindow;
  } else if (flags & BF_FLAT) {
    if (e.OuterLT != clNone) e.OuterLT = e.OuterRB = clBtnShadow;
    if (e.InnerLT != clNone) e.InnerLT = e.InnerRB = clBtnFace;
  }
  return e;
}

void Ring(SolidFiller& f, const TRect& r, unsigned flags, TColor lt, TColor rb) {
  if (lt == clNone) return;
  if (flags & BF_LEFT) f.Fill({r.Left, r.Top, r.Left + 1, r.Bottom}, lt);
  if (flags & BF_TOP) f.Fill({r.Left, r.Top, r.Right, r.Top + 1}, lt);
  if (flags & BF_RIGHT) f.Fill({r.Right - 1, r.Top, r.Right, r.Bottom}, rb);
  if (flags & BF_BOTTOM) f.Fill({r.Left, r.Bottom - 1, r.Right, r.Bottom}, rb);
}

void Shrink(TRect& r, unsigned flags) {
  if (flags & BF_LEFT) ++r.Left;
  if (flags & BF_TOP) ++r.Top;
  if (flags & BF_RIGHT) --r.Right;
  if (flags & BF_BOTTOM) --r.Bottom;
}

}  // namespace

bool TCanvas::DoDrawEdge(TRect& r, unsigned edge, unsigned flags) {
  if (flags & BF_DIAGONAL) return false;  // diagonal edges are not drawn by this program
  EdgeColors e = ColorsFor(edge, flags);
  TRect inner = r;
  {
    SolidFiller f(this);
    Ring(f, inner, flags, e.OuterLT, e.OuterRB);
    if (e.OuterLT != clNone) Shrink(inner, flags);
    Ring(f, inner, flags, e.InnerLT, e.InnerRB);
    if (e.InnerLT != clNone) Shrink(inner, flags);
    if (flags & BF_MIDDLE) f.Fill(inner, (flags & BF_MONO) ? clWindow : clBtnFace);
  }
  if (flags & BF_ADJUST) r = inner;
  return true;
}

bool DrawEdge(TCanvas* canvas, TRect& r, unsigned edge, unsigned flags) {
  return canvas && canvas->DoDrawEdge(r, edge, flags);
}

bool DrawFrameControl(TCanvas* canvas, const TRect& r, unsigned type, unsigned state) {
  return canvas && canvas->DoDrawFrameControl(r, type, state);
}

bool DrawFrameControl(TCanvas* canvas, TRect& r, unsigned type, unsigned state) {
  const TRect& in = r;
  bool ok = DrawFrameControl(canvas, in, type, state);
  if (ok && (state & DFCS_ADJUSTRECT)) InflateRect(r, -2, -2);
  return ok;
}

bool ThemeDrawBackground(TCanvas* canvas, const String& themeClass, int part, int state, const TRect& r) {
  return canvas && canvas->DoThemeDrawBackground(themeClass, part, state, r);
}

// ---------------------------------------------------------------------------------------------
// Through QStyle

namespace {

QPalette MakeClassicPalette() {
  EnsureQtGuiApplication();
  QPalette pal;
  pal.setColor(QPalette::Window, ToQColor(clBtnFace));
  pal.setColor(QPalette::Button, ToQColor(clBtnFace));
  pal.setColor(QPalette::ButtonText, ToQColor(clBtnText));
  pal.setColor(QPalette::WindowText, ToQColor(clWindowText));
  pal.setColor(QPalette::Base, ToQColor(clWindow));
  pal.setColor(QPalette::Text, ToQColor(clWindowText));
  pal.setColor(QPalette::Light, ToQColor(clBtnHighlight));
  pal.setColor(QPalette::Midlight, ToQColor(cl3DLight));
  pal.setColor(QPalette::Mid, ToQColor(clBtnShadow));
  pal.setColor(QPalette::Dark, ToQColor(clBtnShadow));
  pal.setColor(QPalette::Shadow, ToQColor(cl3DDkShadow));
  pal.setColor(QPalette::Highlight, ToQColor(clHighlight));
  pal.setColor(QPalette::HighlightedText, ToQColor(clHighlightText));
  pal.setColor(QPalette::Disabled, QPalette::ButtonText, ToQColor(clGrayText));
  pal.setColor(QPalette::Disabled, QPalette::Text, ToQColor(clGrayText));
  pal.setColor(QPalette::Disabled, QPalette::WindowText, ToQColor(clGrayText));
  return pal;
}

// One palette for every part: the style keeps the pixmaps it renders under the palette's key, so
// a palette made afresh for each part would make it render every part again.
const QPalette& ClassicPalette() {
  static const QPalette* pal = new QPalette(MakeClassicPalette());  // outlives the application
  return *pal;
}

QStyle* Style() {
  EnsureQtGuiApplication();
  return QApplication::style();
}

void Prepare(QStyleOption& o, const QRect& r, bool enabled) {
  o.rect = r;
  o.palette = ClassicPalette();
  o.state = QStyle::State_None;
  if (enabled) o.state |= QStyle::State_Enabled;
  o.direction = Qt::LeftToRight;
}

void Bevel(QPainter* p, const QRect& r, bool enabled, bool pressed, bool hot, bool flat) {
  QStyleOptionButton o;
  Prepare(o, r, enabled);
  o.state |= pressed ? QStyle::State_Sunken : QStyle::State_Raised;
  if (hot) o.state |= QStyle::State_MouseOver;
  if (flat) o.features |= QStyleOptionButton::Flat;
  Style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &o, p);
}

void Arrow(QPainter* p, const QRect& r, QStyle::PrimitiveElement e, bool enabled) {
  QStyleOption o;
  Prepare(o, r.adjusted(2, 2, -2, -2), enabled);
  Style()->drawPrimitive(e, &o, p);
}

void Indicator(QPainter* p, const QRect& r, bool radio, int checkState, bool enabled, bool pressed, bool hot) {
  QStyleOptionButton o;
  // A square box centred in the rectangle, as the system draws it.
  int side = std::min(r.width(), r.height());
  Prepare(o, QRect(r.left() + (r.width() - side) / 2, r.top() + (r.height() - side) / 2, side, side), enabled);
  if (checkState == 1) o.state |= QStyle::State_On;
  else if (checkState == 2) o.state |= QStyle::State_NoChange;
  else o.state |= QStyle::State_Off;
  if (pressed) o.state |= QStyle::State_Sunken;
  if (hot) o.state |= QStyle::State_MouseOver;
  Style()->drawPrimitive(radio ? QStyle::PE_IndicatorRadioButton : QStyle::PE_IndicatorCheckBox, &o, p);
}

}  // namespace

bool QtDrawFrameControl(QPainter* p, const QRect& r, unsigned type, unsigned state) {
  const bool enabled = !(state & DFCS_INACTIVE);
  const bool pressed = state & DFCS_PUSHED;
  const bool hot = state & DFCS_HOT;
  const bool flat = state & DFCS_FLAT;
  const unsigned kind = state & 0xFF;
  switch (type) {
    case DFC_BUTTON:
      if (kind & DFCS_BUTTONPUSH) {
        Bevel(p, r, enabled, pressed || (state & DFCS_CHECKED), hot, flat);
        return true;
      }
      if (kind & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE)) {
        Indicator(p, r, true, (state & DFCS_CHECKED) ? 1 : 0, enabled, pressed, hot);
        return true;
      }
      if (kind == DFCS_BUTTONCHECK || (kind & DFCS_BUTTON3STATE)) {
        int cs = (state & DFCS_CHECKED) ? ((kind & DFCS_BUTTON3STATE) ? 2 : 1) : 0;
        Indicator(p, r, false, cs, enabled, pressed, hot);
        return true;
      }
      return false;
    case DFC_SCROLL: {
      QStyle::PrimitiveElement arrow;
      switch (kind) {
        case DFCS_SCROLLUP: arrow = QStyle::PE_IndicatorArrowUp; break;
        case DFCS_SCROLLDOWN:
        case DFCS_SCROLLCOMBOBOX: arrow = QStyle::PE_IndicatorArrowDown; break;
        case DFCS_SCROLLLEFT: arrow = QStyle::PE_IndicatorArrowLeft; break;
        case DFCS_SCROLLRIGHT: arrow = QStyle::PE_IndicatorArrowRight; break;
        case DFCS_SCROLLSIZEGRIP: {
          QStyleOptionSizeGrip o;
          Prepare(o, r, enabled);
          o.corner = Qt::BottomRightCorner;
          Style()->drawControl(QStyle::CE_SizeGrip, &o, p);
          return true;
        }
        default: return false;
      }
      Bevel(p, r, enabled, pressed, hot, flat);
      Arrow(p, pressed ? r.translated(1, 1) : r, arrow, enabled);
      return true;
    }
    default:
      return false;
  }
}

bool QtDrawThemePart(QPainter* p, const QRect& r, const String& themeClass, int part, int state) {
  using namespace ThemeParts;
  String cls;
  for (Char ch : themeClass) cls += (ch >= u'A' && ch <= u'Z') ? Char(ch + 32) : ch;
  if (cls == u"button") {
    if (part == BP_PUSHBUTTON) {
      Bevel(p, r, state != PBS_DISABLED, state == PBS_PRESSED, state == PBS_HOT, false);
      return true;
    }
    if (part == BP_CHECKBOX && state >= 1 && state <= 12) {
      int group = (state - 1) / 4;  // unchecked, checked, mixed
      int sub = (state - 1) % 4;    // normal, hot, pressed, disabled
      Indicator(p, r, false, group, sub != 3, sub == 2, sub == 1);
      return true;
    }
    if (part == BP_RADIOBUTTON && state >= 1 && state <= 8) {
      int group = (state - 1) / 4;
      int sub = (state - 1) % 4;
      Indicator(p, r, true, group, sub != 3, sub == 2, sub == 1);
      return true;
    }
    return false;
  }
  if (cls == u"combobox") {
    if (part != CP_DROPDOWNBUTTON) return false;
    bool enabled = state != CBXS_DISABLED;
    Bevel(p, r, enabled, state == CBXS_PRESSED, state == CBXS_HOT, false);
    Arrow(p, r, QStyle::PE_IndicatorArrowDown, enabled);
    return true;
  }
  if (cls == u"spin") {
    if (part != SPNP_UP && part != SPNP_DOWN) return false;
    bool enabled = state != UPS_DISABLED;
    Bevel(p, r, enabled, state == UPS_PRESSED, state == UPS_HOT, false);
    Arrow(p, r, part == SPNP_UP ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown, enabled);
    return true;
  }
  if (cls == u"header") {
    if (part != HP_HEADERITEM) return false;
    QStyleOptionHeader o;
    Prepare(o, r, true);
    if (state == HIS_HOT) o.state |= QStyle::State_MouseOver;
    if (state == HIS_PRESSED) o.state |= QStyle::State_Sunken;
    else o.state |= QStyle::State_Raised;
    o.orientation = Qt::Horizontal;
    o.position = QStyleOptionHeader::Middle;
    Style()->drawControl(QStyle::CE_HeaderSection, &o, p);
    return true;
  }
  if (cls == u"progress") {
    QStyleOptionProgressBar o;
    Prepare(o, r, true);
    o.minimum = 0;
    o.maximum = 100;
    o.state |= QStyle::State_Horizontal;
    if (part == PP_BAR || part == PP_BARVERT) {
      o.progress = 0;
      if (part == PP_BARVERT) o.state &= ~QStyle::State_Horizontal;
      Style()->drawControl(QStyle::CE_ProgressBarGroove, &o, p);
      return true;
    }
    if (part == PP_CHUNK || part == PP_CHUNKVERT) {
      Style()->drawPrimitive(QStyle::PE_IndicatorProgressChunk, &o, p);
      return true;
    }
    return false;
  }
  return false;
}
