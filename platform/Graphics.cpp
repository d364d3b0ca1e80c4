#include "platform/Graphics.h"

#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QString>

#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <tuple>

#include "platform/qt/QtCanvas.h"

// ---------------------------------------------------------------------------------------------
// Colours

namespace {
// Classic Windows scheme, indexed by the low byte of a system colour.
constexpr TColor kSystemColors[] = {
    0xC8C8C8,  // clScrollBar
    0xA56E3A,  // clBackground
    0x6A240A,  // clActiveCaption
    0x808080,  // clInactiveCaption
    0xC8D0D4,  // clMenu
    0xFFFFFF,  // clWindow
    0x000000,  // clWindowFrame
    0x000000,  // clMenuText
    0x000000,  // clWindowText
    0xFFFFFF,  // clCaptionText
    0xC8D0D4,  // clActiveBorder
    0xC8D0D4,  // clInactiveBorder
    0x808080,  // clAppWorkSpace
    0x6A240A,  // clHighlight
    0xFFFFFF,  // clHighlightText
    0xC8D0D4,  // clBtnFace
    0x808080,  // clBtnShadow
    0x808080,  // clGrayText
    0x000000,  // clBtnText
    0xC8D0D4,  // clInactiveCaptionText
    0xFFFFFF,  // clBtnHighlight
    0x404040,  // cl3DDkShadow
    0xC8D0D4,  // cl3DLight
    0x000000,  // clInfoText
    0xE1FFFF,  // clInfoBk
    0xB5B5B5,  // index 25 (unnamed)
    0x800000,  // clHotLight
    0xF0CAA6,  // clGradientActiveCaption
    0xC0C0C0,  // clGradientInactiveCaption
    0xC56A31,  // clMenuHighlight
    0xD8E9EC,  // clMenuBar
};
}  // namespace

TColor ColorToRGB(TColor c) {
  if (c < 0) {
    unsigned idx = static_cast<unsigned>(c) & 0xFF;
    if (idx < std::size(kSystemColors)) return kSystemColors[idx];
    return 0;
  }
  return c;
}

bool IntersectRect(TRect& dst, const TRect& a, const TRect& b) {
  TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
  if (r.IsEmpty()) {
    dst = TRect{};
    return false;
  }
  dst = r;
  return true;
}

bool UnionRect(TRect& dst, const TRect& a, const TRect& b) {
  if (a.IsEmpty()) {
    dst = b.IsEmpty() ? TRect{} : b;
    return !b.IsEmpty();
  }
  if (b.IsEmpty()) {
    dst = a;
    return true;
  }
  dst = TRect{std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
              std::max(a.Bottom, b.Bottom)};
  return true;
}

// ---------------------------------------------------------------------------------------------
// Font, pen, brush

namespace {
int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  long long p = static_cast<long long>(a) * b;
  long long q = p / c;
  long long rem = p % c;
  // Rounds half away from zero, as the system's MulDiv does.
  if (2 * std::llabs(rem) >= std::llabs(static_cast<long long>(c))) q += ((p < 0) != (c < 0)) ? -1 : 1;
  return static_cast<int>(q);
}
}  // namespace

TFont::TFont() = default;

void TFont::Assign(TPersistent* Source) {
  if (auto* f = dynamic_cast<TFont*>(Source)) {
    name_ = f->name_;
    height_ = f->height_;
    style_ = f->style_;
    color_ = f->color_;
    charset_ = f->charset_;
    pitch_ = f->pitch_;
    orientation_ = f->orientation_;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

void TFont::Changed() {
  if (OnChange) OnChange(this);
}
void TFont::SetName(const String& v) {
  if (v.empty() || v == name_) return;
  name_ = v;
  Changed();
}
void TFont::SetHeight(int v) {
  if (v == height_) return;
  height_ = v;
  Changed();
}
int TFont::Size() const { return -MulDiv(height_, 72, PixelsPerInch()); }
void TFont::SetSize(int points) { SetHeight(-MulDiv(points, PixelsPerInch(), 72)); }
void TFont::SetStyle(TFontStyles v) {
  if (v == style_) return;
  style_ = v;
  Changed();
}
void TFont::SetColor(TColor v) {
  if (v == color_) return;
  color_ = v;
  Changed();
}
void TFont::SetCharset(uint8_t v) {
  if (v == charset_) return;
  charset_ = v;
  Changed();
}
void TFont::SetPitch(TFontPitch v) {
  if (v == pitch_) return;
  pitch_ = v;
  Changed();
}
void TFont::SetOrientation(int v) {
  if (v == orientation_) return;
  orientation_ = v;
  Changed();
}

String TFont::FamilyName() const {
  static const char16_t* const kSans[] = {u"verdana", u"tahoma"};
  String lower;
  for (Char ch : name_) lower += (ch >= u'A' && ch <= u'Z') ? Char(ch + 32) : ch;
  for (auto* s : kSans)
    if (lower == s) return u"DejaVu Sans";
  return name_;
}

void TPen::Assign(TPersistent* Source) {
  if (auto* p = dynamic_cast<TPen*>(Source)) {
    color_ = p->color_;
    width_ = p->width_;
    style_ = p->style_;
    mode_ = p->mode_;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}
void TPen::Changed() {
  if (OnChange) OnChange(this);
}
void TPen::SetColor(TColor v) {
  if (v == color_) return;
  color_ = v;
  Changed();
}
void TPen::SetWidth(int v) {
  if (v < 0) v = 0;
  if (v == width_) return;
  width_ = v;
  Changed();
}
void TPen::SetStyle(TPenStyle v) {
  if (v == style_) return;
  style_ = v;
  Changed();
}
void TPen::SetMode(TPenMode v) {
  if (v == mode_) return;
  mode_ = v;
  Changed();
}

void TBrush::Assign(TPersistent* Source) {
  if (auto* b = dynamic_cast<TBrush*>(Source)) {
    color_ = b->color_;
    style_ = b->style_;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}
void TBrush::Changed() {
  if (OnChange) OnChange(this);
}
void TBrush::SetColor(TColor v) {
  if (v == color_ && style_ != bsClear) return;
  color_ = v;
  if (style_ == bsClear) style_ = bsSolid;
  Changed();
}
void TBrush::SetStyle(TBrushStyle v) {
  if (v == style_) return;
  style_ = v;
  Changed();
}

// ---------------------------------------------------------------------------------------------
// Qt helpers

void EnsureQtGuiApplication() {
  if (QCoreApplication::instance()) return;
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char arg0[] = "configurator";
  static char* argv[] = {arg0, nullptr};
  // Lives for the rest of the process; whoever needs the application later finds it.
  new QApplication(argc, argv);
}

QColor ToQColor(TColor c) {
  TColor rgb = ColorToRGB(c);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor FromQColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

QFont ToQFont(const TFont& f) {
  EnsureQtGuiApplication();
  QFont q(QString::fromStdU16String(f.FamilyName()));
  int h = f.Height();
  if (h < 0) {
    q.setPixelSize(-h);
  } else if (h > 0) {
    // A positive height is the cell height: scale the em so ascent + descent match it.
    QFont probe = q;
    probe.setPixelSize(100);
    QFontMetrics fm(probe);
    int cell = fm.ascent() + fm.descent();
    q.setPixelSize(std::max(1, cell > 0 ? (h * 100 + cell / 2) / cell : h));
  } else {
    q.setPixelSize(11);  // height 0: the system default size
  }
  q.setBold(f.Style().Contains(fsBold));
  q.setItalic(f.Style().Contains(fsItalic));
  q.setUnderline(f.Style().Contains(fsUnderline));
  q.setStrikeOut(f.Style().Contains(fsStrikeOut));
  if (f.Pitch() == fpFixed) q.setFixedPitch(true);
  q.setStyleStrategy(QFont::NoAntialias);
  q.setHintingPreference(QFont::PreferFullHinting);
  q.setKerning(false);
  return q;
}

// ---------------------------------------------------------------------------------------------
// Real text metrics

namespace {
class QtTextMetrics final : public TTextMetricsSource {
 public:
  int TextWidth(const TFont& font, std::u16string_view text) override {
    if (text.empty()) return 0;
    TEntry& e = Get(font);
    // A page of cells measures the same texts paint after paint; Qt shapes a text anew each time.
    auto it = e.Widths.find(text);
    if (it != e.Widths.end()) return it->second;
    if (e.Widths.size() >= kWidthsPerFont) e.Widths.clear();
    const int w = e.Metrics.horizontalAdvance(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
    e.Widths.emplace(String(text), w);
    return w;
  }
  int Ascent(const TFont& font) override { return Get(font).Ascent; }
  int Descent(const TFont& font) override { return Get(font).Descent; }
  int ExternalLeading(const TFont& font) override { return Get(font).Leading; }
  int AveCharWidth(const TFont& font) override { return Get(font).AveCharWidth; }

 private:
  static constexpr size_t kWidthsPerFont = 4096;
  using Key = std::tuple<String, int, unsigned>;
  struct TWidthHash {
    using is_transparent = void;
    size_t operator()(std::u16string_view v) const { return std::hash<std::u16string_view>()(v); }
  };
  struct TEntry {
    explicit TEntry(const QFont& f)
        : Metrics(f), Ascent(Metrics.ascent()), Descent(Metrics.descent()), Leading(std::max(0, Metrics.leading())),
          AveCharWidth(Metrics.averageCharWidth()) {}
    QFontMetrics Metrics;
    int Ascent, Descent, Leading, AveCharWidth;
    std::unordered_map<String, int, TWidthHash, std::equal_to<>> Widths;
  };
  TEntry& Get(const TFont& f) {
    // Drawing asks for the same font many times running: the last one is checked first.
    if (last_ && f.Height() == std::get<1>(lastKey_) && f.Style().Bits() == std::get<2>(lastKey_) &&
        f.Name() == std::get<0>(lastKey_))
      return *last_;
    Key k{f.Name(), f.Height(), f.Style().Bits()};
    auto it = cache_.find(k);
    if (it == cache_.end()) {
      if (cache_.size() > 256) cache_.clear();
      it = cache_.emplace(k, std::make_unique<TEntry>(ToQFont(f))).first;
    }
    lastKey_ = k;
    last_ = it->second.get();
    return *last_;
  }
  std::map<Key, std::unique_ptr<TEntry>> cache_;
  Key lastKey_;
  TEntry* last_ = nullptr;
};

TTextMetricsSource* g_defaultMetrics = nullptr;
}  // namespace

const TQtFontEntry& CachedQtFont(const TFont& f) {
  using Key = std::tuple<String, int, unsigned, int>;
  // Never destroyed, as the metrics above.
  static auto* cache = new std::map<Key, TQtFontEntry>;
  Key k{f.Name(), f.Height(), f.Style().Bits(), static_cast<int>(f.Pitch())};
  auto it = cache->find(k);
  if (it == cache->end()) {
    if (cache->size() > 256) cache->clear();
    QFont q = ToQFont(f);
    const int ascent = QFontMetrics(q).ascent();
    it = cache->emplace(k, TQtFontEntry{q, ascent}).first;
  }
  return it->second;
}

TTextMetricsSource* DefaultTextMetrics() {
  if (g_defaultMetrics) return g_defaultMetrics;
  // Never destroyed: its cached font metrics must not outlive the application object at exit.
  static QtTextMetrics* real = new QtTextMetrics;
  return real;
}

void SetDefaultTextMetrics(TTextMetricsSource* source) { g_defaultMetrics = source; }

// ---------------------------------------------------------------------------------------------
// Canvas base

int GetDeviceCaps(TCanvas* Canvas, int Index) {
  if (!Canvas) return 0;
  switch (Index) {
    case LOGPIXELSX: return Canvas->DevicePixelsPerInch(false);
    case LOGPIXELSY: return Canvas->DevicePixelsPerInch(true);
    default: return 0;
  }
}

TCanvas::TCanvas() {
  // Selecting a brush sets the background mode from its style, until SetBkMode says otherwise.
  brush_.OnChange = [this](TObject*) { bkModeSet_ = false; };
}

TCanvas::~TCanvas() = default;

TTextMetricsSource* TCanvas::Metrics() const { return metrics_ ? metrics_ : DefaultTextMetrics(); }

void TCanvas::MoveTo(int x, int y) { penPos_ = {x, y}; }

void TCanvas::TextRect(const TRect& r, int x, int y, const String& text) {
  unsigned opts = ETO_CLIPPED;
  if (brush_.Style() != bsClear) opts |= ETO_OPAQUE;
  ExtTextOut(x, y, opts, &r, text);
}

int TCanvas::TextWidth(const String& text) const {
  return Metrics()->TextWidth(font_, text);
}

int TCanvas::TextHeight(const String&) const {
  auto* m = Metrics();
  return m->Ascent(font_) + m->Descent(font_);
}

TSize TCanvas::TextExtent(const String& text) const { return {TextWidth(text), TextHeight(text)}; }

void TCanvas::FillBands(const TColorBand* Bands, size_t Count) {
  for (size_t i = 0; i < Count; ++i) {
    pen_.SetColor(Bands[i].Color);
    brush_.SetColor(Bands[i].Color);
    Rectangle(Bands[i].R);
  }
}

int TCanvas::SetBkMode(int mode) {
  int old = BkMode();
  bkMode_ = mode;
  bkModeSet_ = true;
  return old;
}

TColor TCanvas::SetTextColor(TColor c) {
  TColor old = font_.Color();
  font_.SetColor(c);
  return old;
}

TCanvas::TSavedState TCanvas::SaveBaseState() const {
  TSavedState s;
  s.PenPos = penPos_;
  s.BkMode = bkMode_;
  s.BkModeSet = bkModeSet_;
  return s;
}

void TCanvas::RestoreBaseState(const TSavedState& s) {
  penPos_ = s.PenPos;
  bkMode_ = s.BkMode;
  bkModeSet_ = s.BkModeSet;
}
