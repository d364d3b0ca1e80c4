#pragma once
// Colours, fonts, pens, brushes, rectangles, the canvas, text layout, frame controls, theme parts,
// bitmaps and pictures, under the class library's names. Drawing follows GDI's pixel rules:
// right and bottom edges are exclusive, a line leaves out its end pixel, nothing is anti-aliased.
// No Qt header is included here; the Qt backend lives in Graphics*.cpp and platform/qt/QtCanvas.h.
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/Classes.h"
#include "platform/UString.h"

class QImage;
class QPainter;

// ---------------------------------------------------------------------------------------------
// Colours: 0x00BBGGRR; 0xFF0000nn is the system colour with index nn.
using TColor = int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);
constexpr TColor clScrollBar = clSystemColor | 0x00;
constexpr TColor clBackground = clSystemColor | 0x01;
constexpr TColor clActiveCaption = clSystemColor | 0x02;
constexpr TColor clInactiveCaption = clSystemColor | 0x03;
constexpr TColor clMenu = clSystemColor | 0x04;
constexpr TColor clWindow = clSystemColor | 0x05;
constexpr TColor clWindowFrame = clSystemColor | 0x06;
constexpr TColor clMenuText = clSystemColor | 0x07;
constexpr TColor clWindowText = clSystemColor | 0x08;
constexpr TColor clCaptionText = clSystemColor | 0x09;
constexpr TColor clActiveBorder = clSystemColor | 0x0A;
constexpr TColor clInactiveBorder = clSystemColor | 0x0B;
constexpr TColor clAppWorkSpace = clSystemColor | 0x0C;
constexpr TColor clHighlight = clSystemColor | 0x0D;
constexpr TColor clHighlightText = clSystemColor | 0x0E;
constexpr TColor clBtnFace = clSystemColor | 0x0F;
constexpr TColor clBtnShadow = clSystemColor | 0x10;
constexpr TColor clGrayText = clSystemColor | 0x11;
constexpr TColor clBtnText = clSystemColor | 0x12;
constexpr TColor clInactiveCaptionText = clSystemColor | 0x13;
constexpr TColor clBtnHighlight = clSystemColor | 0x14;
constexpr TColor cl3DDkShadow = clSystemColor | 0x15;
constexpr TColor cl3DLight = clSystemColor | 0x16;
constexpr TColor clInfoText = clSystemColor | 0x17;
constexpr TColor clInfoBk = clSystemColor | 0x18;
constexpr TColor clHotLight = clSystemColor | 0x1A;
constexpr TColor clGradientActiveCaption = clSystemColor | 0x1B;
constexpr TColor clGradientInactiveCaption = clSystemColor | 0x1C;
constexpr TColor clMenuHighlight = clSystemColor | 0x1D;
constexpr TColor clMenuBar = clSystemColor | 0x1E;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// System colours resolve through one fixed table of classic values; every other value (clNone
// included) comes back unchanged, as the class library does. Drawing uses the low 24 bits.
TColor ColorToRGB(TColor c);
constexpr uint8_t GetRValue(TColor c) { return static_cast<uint8_t>(c & 0xFF); }
constexpr uint8_t GetGValue(TColor c) { return static_cast<uint8_t>((c >> 8) & 0xFF); }
constexpr uint8_t GetBValue(TColor c) { return static_cast<uint8_t>((c >> 16) & 0xFF); }
constexpr TColor RGB(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// ---------------------------------------------------------------------------------------------
// Geometry.
struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};
struct TSize {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  TPoint TopLeft() const { return {Left, Top}; }
  TPoint BottomRight() const { return {Right, Bottom}; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(int x, int y) { return {x, y}; }
inline TRect Rect(int l, int t, int r, int b) { return {l, t, r, b}; }
inline TRect Bounds(int l, int t, int w, int h) { return {l, t, l + w, t + h}; }
// The area L..R-1 mirrored in a width: Width-R..Width-L-1.
inline TRect MirrorRect(const TRect& r, int Width) { return {Width - r.Right, r.Top, Width - r.Left, r.Bottom}; }
inline void InflateRect(TRect& r, int dx, int dy) { r.Left -= dx; r.Top -= dy; r.Right += dx; r.Bottom += dy; }
inline void OffsetRect(TRect& r, int dx, int dy) { r.Left += dx; r.Right += dx; r.Top += dy; r.Bottom += dy; }
inline bool IsRectEmpty(const TRect& r) { return r.IsEmpty(); }
inline bool PtInRect(const TRect& r, TPoint p) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}
// Returns false and an all-zero rectangle when they do not overlap.
bool IntersectRect(TRect& dst, const TRect& a, const TRect& b);
// The smallest rectangle holding both; an empty one does not count.
bool UnionRect(TRect& dst, const TRect& a, const TRect& b);

// ---------------------------------------------------------------------------------------------
// Fonts, pens, brushes. Each raises OnChange after every property change.
enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
class TFontStyles {
 public:
  constexpr TFontStyles() = default;
  constexpr TFontStyles(TFontStyle s) : bits_(1u << s) {}
  constexpr bool Contains(TFontStyle s) const { return (bits_ >> s) & 1u; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr TFontStyles operator|(TFontStyles o) const { TFontStyles r; r.bits_ = bits_ | o.bits_; return r; }
  constexpr TFontStyles operator-(TFontStyles o) const { TFontStyles r; r.bits_ = bits_ & ~o.bits_; return r; }
  constexpr TFontStyles& operator|=(TFontStyles o) { bits_ |= o.bits_; return *this; }
  constexpr TFontStyles& operator-=(TFontStyles o) { bits_ &= ~o.bits_; return *this; }
  constexpr unsigned Bits() const { return bits_; }
  friend constexpr bool operator==(TFontStyles, TFontStyles) = default;

 private:
  unsigned bits_ = 0;
};
constexpr TFontStyles operator|(TFontStyle a, TFontStyle b) { return TFontStyles(a) | TFontStyles(b); }

enum TFontPitch { fpDefault, fpVariable, fpFixed };
constexpr uint8_t DEFAULT_CHARSET = 1;
constexpr uint8_t ANSI_CHARSET = 0;

class TFont : public TPersistent {
 public:
  TFont();
  String ClassName() const override { return u"TFont"; }
  void Assign(TPersistent* Source) override;

  const String& Name() const { return name_; }
  void SetName(const String& v);
  // Negative: the em height in pixels; positive: the cell height (em plus internal leading).
  int Height() const { return height_; }
  void SetHeight(int v);
  // Points at 96 pixels per inch: Height = -MulDiv(Size, 96, 72).
  int Size() const;
  void SetSize(int points);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles v);
  TColor Color() const { return color_; }
  void SetColor(TColor v);
  uint8_t Charset() const { return charset_; }
  void SetCharset(uint8_t v);
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch v);
  // Tenths of a degree, counter-clockwise (escapement and orientation alike).
  int Orientation() const { return orientation_; }
  void SetOrientation(int v);
  int PixelsPerInch() const { return 96; }
  // The installed family the name maps to (Verdana and Tahoma become "DejaVu Sans").
  String FamilyName() const;

  TNotifyEvent OnChange;

 protected:
  void Changed();

 private:
  String name_ = u"Tahoma";
  int height_ = -11;
  TFontStyles style_;
  TColor color_ = clWindowText;
  uint8_t charset_ = DEFAULT_CHARSET;
  TFontPitch pitch_ = fpDefault;
  int orientation_ = 0;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode { pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
                pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor };

class TPen : public TPersistent {
 public:
  String ClassName() const override { return u"TPen"; }
  void Assign(TPersistent* Source) override;
  TColor Color() const { return color_; }
  void SetColor(TColor v);
  int Width() const { return width_; }
  void SetWidth(int v);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle v);
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode v);
  TNotifyEvent OnChange;

 private:
  void Changed();
  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
  TPenMode mode_ = pmCopy;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TPersistent {
 public:
  String ClassName() const override { return u"TBrush"; }
  void Assign(TPersistent* Source) override;
  TColor Color() const { return color_; }
  // Setting a colour makes a clear brush solid, as the class library does.
  void SetColor(TColor v);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle v);
  TNotifyEvent OnChange;

 private:
  void Changed();
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
};

// ---------------------------------------------------------------------------------------------
// Text measuring. Every width and height the canvas and DrawText use comes from one source, so
// tests install fixed fake metrics (platform/testing/FakeMetrics.h) and never pin real widths.
class TTextMetricsSource {
 public:
  virtual ~TTextMetricsSource() = default;
  virtual int TextWidth(const TFont& font, std::u16string_view text) = 0;
  virtual int Ascent(const TFont& font) = 0;
  virtual int Descent(const TFont& font) = 0;
  virtual int ExternalLeading(const TFont& font) = 0;
  virtual int AveCharWidth(const TFont& font) = 0;
};
// The process-wide source for canvases that have none of their own: real font metrics unless a
// test installed another (nullptr restores the real one).
TTextMetricsSource* DefaultTextMetrics();
void SetDefaultTextMetrics(TTextMetricsSource* source);

// ---------------------------------------------------------------------------------------------
// The canvas.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
constexpr unsigned ETO_OPAQUE = 0x0002;
constexpr unsigned ETO_CLIPPED = 0x0004;
enum TFillStyle { fsSurface, fsBorder };

class TGraphic;
class TBitmap;

// The state every backend shares (font, pen, brush, pen position, background mode) lives here;
// backends implement the drawing primitives. All drawing calls are virtual so the recording
// canvas can log them with their coordinates.
class TCanvas : public TPersistent {
 public:
  TCanvas();
  ~TCanvas() override;
  String ClassName() const override { return u"TCanvas"; }

  TFont* Font() { return &font_; }
  TPen* Pen() { return &pen_; }
  TBrush* Brush() { return &brush_; }
  TPoint PenPos() const { return penPos_; }
  void SetPenPos(TPoint p) { penPos_ = p; }

  // Text measuring source of this canvas (the process default when none is set).
  TTextMetricsSource* Metrics() const;
  void SetMetrics(TTextMetricsSource* m) { metrics_ = m; }

  virtual void MoveTo(int x, int y);
  // Draws from the pen position to (x, y) without the end pixel, then moves the pen there.
  virtual void LineTo(int x, int y) = 0;
  // Outline in the pen (x Left..Right-1, y Top..Bottom-1), interior filled with the brush.
  virtual void Rectangle(int l, int t, int r, int b) = 0;
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  // Fills Left..Right-1 x Top..Bottom-1 with the brush; the pen is not used.
  virtual void FillRect(const TRect& r) = 0;
  // A one-pixel frame in the brush colour.
  virtual void FrameRect(const TRect& r) = 0;
  virtual void RoundRect(int l, int t, int r, int b, int ellipseW, int ellipseH) = 0;
  virtual void Ellipse(int l, int t, int r, int b) = 0;
  void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
  virtual void Polygon(const std::vector<TPoint>& points) = 0;
  // Each segment leaves out its end pixel; the last point is not drawn.
  virtual void Polyline(const std::vector<TPoint>& points) = 0;
  // Pixel read: clNone where the backend cannot read (a widget, a recording).
  virtual TColor Pixels(int x, int y) = 0;
  virtual void SetPixels(int x, int y, TColor c) = 0;
  // XOR of a dotted one-pixel frame: drawing it twice restores the pixels.
  virtual void DrawFocusRect(const TRect& r) = 0;
  virtual void FloodFill(int x, int y, TColor c, TFillStyle style) = 0;

  // Text: (x, y) is the top-left of the text cell. In OPAQUE mode the cell is filled with the
  // brush colour first. Text colour is Font()->Color().
  virtual void ExtTextOut(int x, int y, unsigned options, const TRect* rect, const String& text) = 0;
  void TextOut(int x, int y, const String& text) { ExtTextOut(x, y, 0, nullptr, text); }
  // Text clipped to r; with a non-clear brush r is filled first.
  void TextRect(const TRect& r, int x, int y, const String& text);
  int TextWidth(const String& text) const;
  // Ascent + descent of the current font.
  int TextHeight(const String& text) const;
  TSize TextExtent(const String& text) const;

  // The background mode follows the brush (clear brush = TRANSPARENT) until set here.
  int SetBkMode(int mode);
  int BkMode() const { return bkModeSet_ ? bkMode_ : (brush_.Style() == bsClear ? TRANSPARENT : OPAQUE); }
  // Sets the font colour; returns the previous one.
  TColor SetTextColor(TColor c);

  // Clip in logical coordinates. SelectClipRgn(nullptr) removes the clip.
  virtual void SetClipRect(const TRect& r) = 0;
  virtual void IntersectClipRect(const TRect& r) = 0;
  virtual void ExcludeClipRect(const TRect& r) = 0;
  virtual void SelectClipRgn(std::nullptr_t) = 0;
  // Clip to an elliptic or rounded-rectangle region (CreateEllipticRgn, CreateRoundRectRgn and
  // SelectClipRgn): the region of GDI's rules within the box r. Backends without regions clip to r.
  virtual void SetClipEllipse(const TRect& r) { SetClipRect(r); }
  virtual void SetClipRoundRect(const TRect& r, int ellipseW, int ellipseH) {
    (void)ellipseW;
    (void)ellipseH;
    SetClipRect(r);
  }
  // Whether any part of r survives the clip.
  virtual bool RectVisible(const TRect& r) = 0;
  // Saves the clip, pen position and background mode; RestoreDC(-1) restores the last save,
  // RestoreDC(n) the state saved by the call that returned n.
  virtual int SaveDC() = 0;
  virtual bool RestoreDC(int saved) = 0;

  virtual void Draw(int x, int y, TGraphic* graphic) = 0;
  virtual void StretchDraw(const TRect& r, TGraphic* graphic) = 0;
  // Copies a part of another canvas (which must be image-backed) scaled to dest.
  virtual void CopyRect(const TRect& dest, TCanvas* source, const TRect& src) = 0;
  // Copies src of the bitmap to dest, the key colour replaced by this brush's colour.
  virtual void BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& src, TColor key) = 0;

  // Hooks of the free functions DrawText, DrawEdge, DrawFrameControl and ThemeDrawBackground
  // (the recording canvas logs them as one call each).
  virtual int DoDrawText(const String& text, TRect& r, unsigned flags);
  virtual bool DoDrawEdge(TRect& r, unsigned edge, unsigned flags);
  // Solid bands in turn, each a Rectangle in pen and brush of its colour, later ones over earlier
  // ones; pen and brush keep the last band's colour. A backend may put the same pixels at once.
  struct TColorBand {
    TRect R;
    TColor Color;
  };
  virtual void FillBands(const TColorBand* Bands, size_t Count);
  virtual bool DoDrawFrameControl(const TRect& r, unsigned type, unsigned state) = 0;
  virtual bool DoThemeDrawBackground(const String& themeClass, int part, int state, const TRect& r) = 0;

  // Right-to-left orientation: logical x is shown at device x = Width - x. A pixel-addressed call
  // (lines, pixels, polygon corners) at x lands on device pixel Width - x; an area (L..R-1: fills,
  // rectangles, clips, text and picture boxes) covers device Width-R..Width-L-1. Text and
  // pictures keep their reading direction: only their box is placed mirrored.
  void SetMirrored(int Width) {
    mirrored_ = true;
    mirrorWidth_ = Width;
  }
  void ClearMirrored() {
    mirrored_ = false;
    mirrorWidth_ = 0;
  }
  bool Mirrored() const { return mirrored_; }
  int MirrorWidth() const { return mirrorWidth_; }

  // The resolution of the device drawn on, in dots per inch across (or down, Vertical): 96 for
  // screens and bitmaps; a printer's page answers its own.
  virtual int DevicePixelsPerInch(bool Vertical) {
    (void)Vertical;
    return 96;
  }

  // Backends that paint through Qt hand out their painter (nullptr otherwise); platform-internal.
  virtual QPainter* NativePainter() { return nullptr; }
  // The image behind an image-backed canvas (nullptr otherwise); platform-internal.
  virtual QImage* NativeImage() { return nullptr; }

 protected:
  struct TSavedState {
    TPoint PenPos;
    int BkMode = OPAQUE;
    bool BkModeSet = false;
  };
  TSavedState SaveBaseState() const;
  void RestoreBaseState(const TSavedState& s);

  TFont font_;
  TPen pen_;
  TBrush brush_;
  TPoint penPos_;
  TTextMetricsSource* metrics_ = nullptr;
  int bkMode_ = OPAQUE;
  bool bkModeSet_ = false;
  bool mirrored_ = false;
  int mirrorWidth_ = 0;
};

// The device capabilities a canvas answers: its resolution across and down (dots per inch);
// 0 for any other index.
enum : int { LOGPIXELSX = 88, LOGPIXELSY = 90 };
int GetDeviceCaps(TCanvas* Canvas, int Index);

// ---------------------------------------------------------------------------------------------
// DrawText with the GDI flag values.
constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_EXPANDTABS = 0x40;
constexpr unsigned DT_TABSTOP = 0x80;
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_EXTERNALLEADING = 0x200;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_INTERNAL = 0x1000;
constexpr unsigned DT_EDITCONTROL = 0x2000;
constexpr unsigned DT_PATH_ELLIPSIS = 0x4000;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;
constexpr unsigned DT_MODIFYSTRING = 0x10000;
constexpr unsigned DT_RTLREADING = 0x20000;
constexpr unsigned DT_WORD_ELLIPSIS = 0x40000;
constexpr unsigned DT_NOFULLWIDTHCHARBREAK = 0x80000;
constexpr unsigned DT_HIDEPREFIX = 0x100000;
constexpr unsigned DT_PREFIXONLY = 0x200000;

// Lays out and draws text in r, GDI's way; returns the height of the text (with DT_VCENTER or
// DT_BOTTOM on a single line: from r.Top to the bottom of the text).
// - Line height is ascent + descent, plus the external leading with DT_EXTERNALLEADING.
// - DT_VCENTER and DT_BOTTOM act only with DT_SINGLELINE, which also keeps CR and LF as characters.
// - DT_WORDBREAK breaks at blanks; a word wider than the line overflows (clipped) unless
//   DT_EDITCONTROL is set, which cuts it between characters.
// - DT_EDITCONTROL leaves out a partly visible last line (the first line always shows).
// - DT_EXPANDTABS: tab stops every 8 average character widths.
// - Without DT_NOPREFIX "&x" underlines x and "&&" shows "&"; DT_HIDEPREFIX strips without underline.
// - DT_END_ELLIPSIS: a too-wide line ends in "..."; for wrapped text only where the text ends.
// - DT_CALCRECT draws nothing and sets r.Right/r.Bottom to the extent (the longest line, lines x
//   line height); empty text measures one line high with DT_SINGLELINE, else zero.
// - The text is clipped to r unless DT_NOCLIP.
int DrawText(TCanvas* canvas, const String& text, TRect& r, unsigned flags);
// The layout DrawText uses, without drawing (also for canvases overriding DoDrawText).
struct TDrawTextLine {
  String Text;         // prefix characters removed, ellipsis applied, tabs still in
  int X = 0;           // left of the line
  int Y = 0;           // top of the line
  int Width = 0;
  int UnderlineIndex = -1;  // 0-based index in Text of the "&"-marked character, -1 for none
};
struct TDrawTextLayout {
  std::vector<TDrawTextLine> Lines;
  int LineHeight = 0;
  int Height = 0;       // what DrawText returns
  TRect Extent;         // the rectangle DT_CALCRECT reports
};
TDrawTextLayout LayoutDrawText(TCanvas* canvas, const String& text, const TRect& r, unsigned flags);
// Where the lines of an edit control's text start (UTF-16 offsets): after every line break (CR LF,
// LF or CR) and, when Width > 0, where words wrap at Width as the edit control wraps them.
std::vector<int> EditLineStarts(TCanvas* canvas, const String& text, int Width);
// Width of a line with tabs expanded to 8 average character widths (from x = 0).
int DrawTextLineWidth(TCanvas* canvas, std::u16string_view line, bool expandTabs);

// ---------------------------------------------------------------------------------------------
// Edges and frame controls with the GDI values.
constexpr unsigned BDR_RAISEDOUTER = 0x1;
constexpr unsigned BDR_SUNKENOUTER = 0x2;
constexpr unsigned BDR_RAISEDINNER = 0x4;
constexpr unsigned BDR_SUNKENINNER = 0x8;
constexpr unsigned BDR_OUTER = 0x3;
constexpr unsigned BDR_INNER = 0xC;
constexpr unsigned BDR_RAISED = 0x5;
constexpr unsigned BDR_SUNKEN = 0xA;
constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr unsigned EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr unsigned EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr unsigned EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
constexpr unsigned BF_LEFT = 0x1;
constexpr unsigned BF_TOP = 0x2;
constexpr unsigned BF_RIGHT = 0x4;
constexpr unsigned BF_BOTTOM = 0x8;
constexpr unsigned BF_TOPLEFT = BF_TOP | BF_LEFT;
constexpr unsigned BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
constexpr unsigned BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr unsigned BF_DIAGONAL = 0x10;
constexpr unsigned BF_MIDDLE = 0x800;
constexpr unsigned BF_SOFT = 0x1000;
constexpr unsigned BF_ADJUST = 0x2000;
constexpr unsigned BF_FLAT = 0x4000;
constexpr unsigned BF_MONO = 0x8000;
// Classic bevels in the system colours; with BF_ADJUST r shrinks by the edge drawn.
bool DrawEdge(TCanvas* canvas, TRect& r, unsigned edge, unsigned flags);

constexpr unsigned DFC_CAPTION = 1;
constexpr unsigned DFC_MENU = 2;
constexpr unsigned DFC_SCROLL = 3;
constexpr unsigned DFC_BUTTON = 4;
constexpr unsigned DFC_POPUPMENU = 5;
constexpr unsigned DFCS_BUTTONCHECK = 0x0;
constexpr unsigned DFCS_BUTTONRADIOIMAGE = 0x1;
constexpr unsigned DFCS_BUTTONRADIOMASK = 0x2;
constexpr unsigned DFCS_BUTTONRADIO = 0x4;
constexpr unsigned DFCS_BUTTON3STATE = 0x8;
constexpr unsigned DFCS_BUTTONPUSH = 0x10;
constexpr unsigned DFCS_SCROLLUP = 0x0;
constexpr unsigned DFCS_SCROLLDOWN = 0x1;
constexpr unsigned DFCS_SCROLLLEFT = 0x2;
constexpr unsigned DFCS_SCROLLRIGHT = 0x3;
constexpr unsigned DFCS_SCROLLCOMBOBOX = 0x5;
constexpr unsigned DFCS_SCROLLSIZEGRIP = 0x8;
constexpr unsigned DFCS_CAPTIONCLOSE = 0x0;
constexpr unsigned DFCS_INACTIVE = 0x100;
constexpr unsigned DFCS_PUSHED = 0x200;
constexpr unsigned DFCS_CHECKED = 0x400;
constexpr unsigned DFCS_TRANSPARENT = 0x800;
constexpr unsigned DFCS_HOT = 0x1000;
constexpr unsigned DFCS_ADJUSTRECT = 0x2000;
constexpr unsigned DFCS_FLAT = 0x4000;
constexpr unsigned DFCS_MONO = 0x8000;
// Classic (unthemed) controls, drawn through the platform style. With DFCS_ADJUSTRECT the
// second form shrinks r to the inside of the push-button edge (2 pixels each side).
bool DrawFrameControl(TCanvas* canvas, const TRect& r, unsigned type, unsigned state);
bool DrawFrameControl(TCanvas* canvas, TRect& r, unsigned type, unsigned state);

// ---------------------------------------------------------------------------------------------
// Theme parts (class names and part/state numbers of the visual-styles API), drawn through the
// platform style.
namespace ThemeParts {
constexpr int BP_PUSHBUTTON = 1, BP_RADIOBUTTON = 2, BP_CHECKBOX = 3, BP_GROUPBOX = 4;
constexpr int PBS_NORMAL = 1, PBS_HOT = 2, PBS_PRESSED = 3, PBS_DISABLED = 4, PBS_DEFAULTED = 5;
constexpr int CBS_UNCHECKEDNORMAL = 1, CBS_UNCHECKEDHOT = 2, CBS_UNCHECKEDPRESSED = 3, CBS_UNCHECKEDDISABLED = 4,
              CBS_CHECKEDNORMAL = 5, CBS_CHECKEDHOT = 6, CBS_CHECKEDPRESSED = 7, CBS_CHECKEDDISABLED = 8,
              CBS_MIXEDNORMAL = 9, CBS_MIXEDHOT = 10, CBS_MIXEDPRESSED = 11, CBS_MIXEDDISABLED = 12;
constexpr int RBS_UNCHECKEDNORMAL = 1, RBS_UNCHECKEDHOT = 2, RBS_UNCHECKEDPRESSED = 3, RBS_UNCHECKEDDISABLED = 4,
              RBS_CHECKEDNORMAL = 5, RBS_CHECKEDHOT = 6, RBS_CHECKEDPRESSED = 7, RBS_CHECKEDDISABLED = 8;
constexpr int CP_DROPDOWNBUTTON = 1;
constexpr int CBXS_NORMAL = 1, CBXS_HOT = 2, CBXS_PRESSED = 3, CBXS_DISABLED = 4;
constexpr int SPNP_UP = 1, SPNP_DOWN = 2;
constexpr int UPS_NORMAL = 1, UPS_HOT = 2, UPS_PRESSED = 3, UPS_DISABLED = 4;
constexpr int HP_HEADERITEM = 1;
constexpr int HIS_NORMAL = 1, HIS_HOT = 2, HIS_PRESSED = 3;
constexpr int PP_BAR = 1, PP_BARVERT = 2, PP_CHUNK = 3, PP_CHUNKVERT = 4;
}  // namespace ThemeParts
// Classes: "button", "combobox", "spin", "header", "progress" (case-blind). Returns false for an
// unknown class or part (nothing drawn).
bool ThemeDrawBackground(TCanvas* canvas, const String& themeClass, int part, int state, const TRect& r);

// What the program sees of the system: a themed Windows 6.1 with common controls 6.
struct TPlatformProfile {
  bool Themed = true;         // visual styles available and active
  int WinMajor = 6;
  int WinMinor = 1;
  int ComCtlMajor = 6;
  int ComCtlMinor = 0;
  // What the current-theme-name query answers.
  String ThemeFileName = u"aero.msstyles";
  String ColorSchemeName = u"NormalColor";
  String SizeName = u"NormalSize";
};
const TPlatformProfile& PlatformProfile();
// A system library's file version as its version block gives it (dwFileVersionMS: major << 16 |
// minor). Only "COMCTL32.DLL" (case-blind) has one here: the profile's common controls version.
// False for every other file (no version block).
bool SystemFileVersion(const String& FileName, uint32_t& VersionMS);
bool IsThemeActive();
bool IsAppThemed();

// ---------------------------------------------------------------------------------------------
// Graphics.
enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };
enum TAlphaFormat { afIgnored, afDefined, afPremultiplied };

class TGraphic : public TPersistent {
 public:
  String ClassName() const override { return u"TGraphic"; }
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual bool Empty() const { return Width() == 0 || Height() == 0; }
  bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool v);
  // Raises EInvalidGraphic for unreadable data, EFOpenError for a missing file.
  virtual void LoadFromFile(const String& path);
  virtual void SaveToFile(const String& path);
  virtual void LoadFromBytes(std::string_view bytes) = 0;
  virtual std::string SaveToBytes() const = 0;
  void LoadFromStream(TStream* stream);
  void SaveToStream(TStream* stream) const;
  // The picture as 32-bit pixels (platform-internal; never nullptr for a non-empty graphic).
  virtual const QImage* NativeImage() const = 0;
  TNotifyEvent OnChange;
  // Numbers the graphics in the order they were made (one counter for the process).
  uint64_t CreationSerial() const { return FCreationSerial; }

 protected:
  void Changed();
  bool transparent_ = false;

 private:
  static uint64_t NextCreationSerial();
  uint64_t FCreationSerial = NextCreationSerial();
};

class EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
};

class EResNotFound : public Exception {
 public:
  using Exception::Exception;
};

// Bitmap resources by name. The pictures are drawn by this program: each part registers the ones
// it owns (before first use, from its own initialisation), and LoadFromResourceName paints them.
using TResourcePainter = std::function<void(TBitmap* bitmap)>;
void RegisterBitmapResource(const String& name, TResourcePainter painter);
bool BitmapResourceExists(const String& name);

class TBitmap : public TGraphic {
 public:
  TBitmap();
  ~TBitmap() override;
  String ClassName() const override { return u"TBitmap"; }
  void Assign(TPersistent* Source) override;

  int Width() const override;
  int Height() const override;
  void SetWidth(int w);
  void SetHeight(int h);
  // Keeps the top-left part; new pixels are white.
  void SetSize(int w, int h);
  TPixelFormat PixelFormat() const { return format_; }
  void SetPixelFormat(TPixelFormat f);
  TAlphaFormat AlphaFormat() const { return alphaFormat_; }
  void SetAlphaFormat(TAlphaFormat f) { alphaFormat_ = f; }
  TCanvas* Canvas();
  // Row y, top-down: 3 bytes B, G, R per pixel for pf24bit, 4 bytes B, G, R, A otherwise.
  uint8_t* ScanLine(int y);
  TTransparentMode TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode m) { transparentMode_ = m; }
  // tmAuto: the bottom-left pixel; tmFixed: the colour set.
  TColor TransparentColor();
  void SetTransparentColor(TColor c);
  void LoadFromBytes(std::string_view bytes) override;  // BMP
  std::string SaveToBytes() const override;              // BMP
  // A bitmap resource registered under this name (case-blind); raises EResNotFound.
  void LoadFromResourceName(const String& name);
  const QImage* NativeImage() const override;
  QImage* MutableImage();  // platform-internal: ends any painting on the canvas first

 private:
  friend class TBitmapCanvas;
  void ReleaseCanvas();
  QImage* MutableImageNoRelease();
  struct Impl;
  std::unique_ptr<Impl> d_;
  TPixelFormat format_ = pfDevice;
  TAlphaFormat alphaFormat_ = afIgnored;
  TTransparentMode transparentMode_ = tmAuto;
  TColor transparentColor_ = clDefault;
};

// PNG, GIF (first frame), ICO (largest image) through Qt; JPEG through libjpeg-turbo.
class TRasterGraphic : public TGraphic {
 public:
  TRasterGraphic();
  ~TRasterGraphic() override;
  void Assign(TPersistent* Source) override;
  int Width() const override;
  int Height() const override;
  const QImage* NativeImage() const override;
  // Replaces the picture with a copy of the bitmap's pixels.
  void AssignBitmap(TBitmap* bmp);

 protected:
  void SetImage(const QImage& img);
  std::unique_ptr<QImage> image_;
};

class TPngImage : public TRasterGraphic {
 public:
  String ClassName() const override { return u"TPngImage"; }
  void LoadFromBytes(std::string_view bytes) override;
  std::string SaveToBytes() const override;
};
// Read only: saving raises EInvalidGraphic.
class TGIFImage : public TRasterGraphic {
 public:
  String ClassName() const override { return u"TGIFImage"; }
  void LoadFromBytes(std::string_view bytes) override;
  std::string SaveToBytes() const override;
};
class TJPEGImage : public TRasterGraphic {
 public:
  String ClassName() const override { return u"TJPEGImage"; }
  void LoadFromBytes(std::string_view bytes) override;
  std::string SaveToBytes() const override;
  int CompressionQuality() const { return quality_; }
  void SetCompressionQuality(int q) { quality_ = q; }

 private:
  int quality_ = 90;
};
class TIcon : public TRasterGraphic {
 public:
  TIcon() { transparent_ = true; }
  String ClassName() const override { return u"TIcon"; }
  void LoadFromBytes(std::string_view bytes) override;
  std::string SaveToBytes() const override;
};

// Raw JPEG codec (libjpeg-turbo): 24-bit RGB rows top-down.
struct TJpegPixels {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Rgb;  // Width * Height * 3, R G B
};
// Returns false (with a reason) for corrupt or unsupported data; never aborts the process.
bool JpegDecode(std::string_view bytes, TJpegPixels& out, String* error = nullptr);
std::string JpegEncode(const TJpegPixels& pixels, int quality);

// Format by content (signature), not by file name: BMP, PNG, GIF, JPEG, ICO.
class TPicture : public TPersistent {
 public:
  TPicture();
  ~TPicture() override;
  String ClassName() const override { return u"TPicture"; }
  void Assign(TPersistent* Source) override;
  TGraphic* Graphic() const { return graphic_.get(); }
  void SetGraphic(TGraphic* g);  // copies
  // The graphic as a bitmap (converted from other formats; an empty one when there is none).
  TBitmap* Bitmap();
  int Width() const;
  int Height() const;
  void LoadFromFile(const String& path);
  void SaveToFile(const String& path);
  void LoadFromBytes(std::string_view bytes);
  void LoadFromStream(TStream* stream);
  TNotifyEvent OnChange;

 private:
  std::unique_ptr<TGraphic> graphic_;
  std::unique_ptr<TBitmap> bitmapView_;
};
// Makes an empty graphic of the kind the bytes hold (nullptr for an unknown signature).
std::unique_ptr<TGraphic> CreateGraphicFor(std::string_view bytes);

class TImageList : public TComponent {
 public:
  explicit TImageList(TComponent* AOwner = nullptr);
  ~TImageList() override;
  String ClassName() const override { return u"TImageList"; }
  int Width() const { return width_; }
  void SetWidth(int w);
  int Height() const { return height_; }
  void SetHeight(int h);
  int Count() const { return static_cast<int>(images_.size()); }
  // Adds the bitmap (cut into Width-wide images when wider); mask: white = transparent (may be
  // nullptr). Returns the index of the first image added.
  int Add(TBitmap* image, TBitmap* mask);
  int AddMasked(TBitmap* image, TColor maskColor);
  void Delete(int index);
  void Clear();
  bool GetBitmap(int index, TBitmap* out);
  // Disabled: a grey, lightened image.
  void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);

 private:
  int width_ = 16;
  int height_ = 16;
  std::vector<std::unique_ptr<QImage>> images_;  // ARGB32, transparent where masked
};
