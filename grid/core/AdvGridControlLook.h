#pragma once
// TControlLook: the look of the controls a grid draws inside its cells (check boxes, radio
// buttons, buttons, progress bars, editor buttons) and the fixed-cell gradient colours with their
// hover and pressed states, which it writes through to its grid. The glyph bitmaps of the two
// bitmap styles ("ASGCHK01".."08", "ASGRAD01".."08") are drawn by this program and registered as
// bitmap resources on first use (RegisterGridGlyphs).
#include <cstdint>

#include "grid/dropdown/AdvDropDownAppearance.h"
#include "platform/Classes.h"
#include "platform/Graphics.h"

class TAdvStringGrid;

enum TControlLookStyle : uint8_t { csClassic, csFlat, csWinXP, csBorland, csQEL, csGlyph, csTheme };

// The colours of the program's own glyph bitmaps (tests read them back from painted pixels).
namespace GridGlyphColors {
constexpr TColor Key = 0xFF00FF;            // transparent: every glyph's bottom-left pixel
constexpr TColor XPBorder = 0x80511C;       // ASGCHK05/06, ASGRAD05/06 outline
constexpr TColor XPFill = 0xF4F4F4;
constexpr TColor XPMark = 0x21A121;         // check mark and radio dot, enabled
constexpr TColor XPDisabledBorder = 0xCAC9B9;
constexpr TColor XPDisabledFill = 0xEEEEEE;
constexpr TColor XPDisabledMark = 0xB0B0B0;
constexpr TColor OwnBorder = 0x7F7F7F;      // ASGCHK01..04, ASGRAD01..04
constexpr TColor OwnFill = 0xFFFFFF;
constexpr TColor OwnMark = 0x000000;
constexpr TColor OwnDisabledFill = 0xE0E0E0;
constexpr TColor OwnDisabledMark = 0x8F8F8F;
constexpr TColor FilterFunnel = 0x404040;  // ASGFILT, the filter button's funnel
constexpr TColor MetroBorder = 0x5A5A5A;   // metrocheckon/off, metroradioon/off
constexpr TColor MetroFill = 0xFFFFFF;
constexpr TColor MetroMark = 0x333333;
}  // namespace GridGlyphColors

// Where a check mark and a radio dot lie inside their bitmaps (top-left = the bitmap's origin).
constexpr TPoint kXPCheckMarkPixel{6, 9};
constexpr TPoint kOwnCheckMarkPixel{8, 13};
constexpr TPoint kRadioDotPixel{7, 7};

// Where the filter funnel's stem lies inside "ASGFILT".
constexpr TPoint kFilterStemPixel{7, 11};

// Registers the sixteen glyph bitmaps, the four flat ones of the colour tones ("metrocheckon",
// "metrocheckoff", "metroradioon", "metroradiooff") and the filter button's "ASGFILT" (idempotent).
void RegisterGridGlyphs();

class TControlLook : public TPersistent {
 public:
  explicit TControlLook(TAdvStringGrid* AGrid);
  ~TControlLook() override;
  TControlLook(const TControlLook&) = delete;
  TControlLook& operator=(const TControlLook&) = delete;
  String ClassName() const override { return u"TControlLook"; }
  // Only from another control look; stores without writing through and without repainting.
  void Assign(TPersistent* Source) override;
  // Resets the colours (the hover and pressed mirrors through their setters).
  void Init();
  TAdvStringGrid* Grid() const { return FGrid; }

  TColor Color() const { return FColor; }
  void SetColor(TColor v);
  TColor CommentColor() const { return FCommentColor; }
  void SetCommentColor(TColor v);
  TBitmap* CheckedGlyph() const { return FCheckedGlyph.get(); }
  void SetCheckedGlyph(TBitmap* v);
  TBitmap* UnCheckedGlyph() const { return FUnCheckedGlyph.get(); }
  void SetUnCheckedGlyph(TBitmap* v);
  TBitmap* RadioOnGlyph() const { return FRadioOnGlyph.get(); }
  void SetRadioOnGlyph(TBitmap* v);
  TBitmap* RadioOffGlyph() const { return FRadioOffGlyph.get(); }
  void SetRadioOffGlyph(TBitmap* v);

  // Fixed-cell gradient: written through to the grid's QELGradient colours (From/To only when
  // not clNone; the mirrors always).
  TColor FixedGradientFrom() const { return FFixedGradientFrom; }
  void SetFixedGradientFrom(TColor v);
  TColor FixedGradientTo() const { return FFixedGradientTo; }
  void SetFixedGradientTo(TColor v);
  TColor FixedGradientMirrorFrom() const { return FFixedGradientMirrorFrom; }
  void SetFixedGradientMirrorFrom(TColor v);
  TColor FixedGradientMirrorTo() const { return FFixedGradientMirrorTo; }
  void SetFixedGradientMirrorTo(TColor v);
  // Keeps From and To without writing them through (the caller set the grid's gradient itself).
  void StoreFixedGradient(TColor From, TColor To) {
    FFixedGradientFrom = From;
    FFixedGradientTo = To;
  }
  // Hovered and pressed fixed cells: written through unconverted and without repainting.
  TColor FixedGradientHoverFrom() const { return FFixedGradientHoverFrom; }
  void SetFixedGradientHoverFrom(TColor v);
  TColor FixedGradientHoverTo() const { return FFixedGradientHoverTo; }
  void SetFixedGradientHoverTo(TColor v);
  TColor FixedGradientHoverMirrorFrom() const { return FFixedGradientHoverMirrorFrom; }
  void SetFixedGradientHoverMirrorFrom(TColor v);
  TColor FixedGradientHoverMirrorTo() const { return FFixedGradientHoverMirrorTo; }
  void SetFixedGradientHoverMirrorTo(TColor v);
  TColor FixedGradientHoverBorder() const { return FFixedGradientHoverBorder; }
  void SetFixedGradientHoverBorder(TColor v);
  TColor FixedGradientDownFrom() const { return FFixedGradientDownFrom; }
  void SetFixedGradientDownFrom(TColor v);
  TColor FixedGradientDownTo() const { return FFixedGradientDownTo; }
  void SetFixedGradientDownTo(TColor v);
  TColor FixedGradientDownMirrorFrom() const { return FFixedGradientDownMirrorFrom; }
  void SetFixedGradientDownMirrorFrom(TColor v);
  TColor FixedGradientDownMirrorTo() const { return FFixedGradientDownMirrorTo; }
  void SetFixedGradientDownMirrorTo(TColor v);
  TColor FixedGradientDownBorder() const { return FFixedGradientDownBorder; }
  void SetFixedGradientDownBorder(TColor v);

  bool FixedDropDownButton() const { return FFixedDropDownButton; }
  void SetFixedDropDownButton(bool v) { FFixedDropDownButton = v; }
  int HintMaxWidth() const { return FHintMaxWidth; }
  void SetHintMaxWidth(int v) { FHintMaxWidth = v; }
  int CheckSize() const { return FCheckSize; }
  void SetCheckSize(int v);
  bool CheckAlwaysActive() const { return FCheckAlwaysActive; }
  void SetCheckAlwaysActive(bool v) { FCheckAlwaysActive = v; }
  int RadioSize() const { return FRadioSize; }
  void SetRadioSize(int v);
  bool RadioAlwaysActive() const { return FRadioAlwaysActive; }
  void SetRadioAlwaysActive(bool v) { FRadioAlwaysActive = v; }
  TControlLookStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlLookStyle v);
  bool DropDownAlwaysVisible() const { return FDropDownAlwaysVisible; }
  void SetDropDownAlwaysVisible(bool v);
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int v) { FDropDownCount = v; }
  bool SpinButtonsAlwaysVisible() const { return FSpinButtonsAlwaysVisible; }
  void SetSpinButtonsAlwaysVisible(bool v);
  bool FlatButton() const { return FFlatButton; }
  void SetFlatButton(bool v);
  bool NoDisabledCheckRadioLook() const { return FNoDisabledCheckRadioLook; }
  void SetNoDisabledCheckRadioLook(bool v);
  bool NoDisabledButtonLook() const { return FNoDisabledButtonLook; }
  void SetNoDisabledButtonLook(bool v);
  TColor ProgressBorderColor() const { return FProgressBorderColor; }
  void SetProgressBorderColor(TColor v) { FProgressBorderColor = v; }
  int ProgressMarginX() const { return FProgressMarginX; }
  void SetProgressMarginX(int v);
  int ProgressMarginY() const { return FProgressMarginY; }
  void SetProgressMarginY(int v);
  bool ProgressXP() const { return FProgressXP; }
  void SetProgressXP(bool v);

  // The popup header and footer every drop-down editor of the grid copies (owned, grid as owner);
  // writing assigns into them without repainting.
  THeaderAppearance* DropDownHeader() const { return FDropDownHeader.get(); }
  void SetDropDownHeader(THeaderAppearance* v) { FDropDownHeader->Assign(v); }
  TFooterAppearance* DropDownFooter() const { return FDropDownFooter.get(); }
  void SetDropDownFooter(TFooterAppearance* v) { FDropDownFooter->Assign(v); }

 private:
  void Repaint();
  // Stores Value and gives it to the grid (not a clNone with KeepOnNone).
  void WriteThrough(TColor& Field, TColor Value, void (TAdvStringGrid::*GridSetter)(TColor), bool KeepOnNone);
  template <class T>
  void StoreRepaint(T& Field, T Value) {
    Field = Value;
    Repaint();
  }

  TAdvStringGrid* FGrid;  // not owned
  TColor FColor = clBlack;
  TColor FCommentColor = clRed;
  std::unique_ptr<TBitmap> FCheckedGlyph;
  std::unique_ptr<TBitmap> FUnCheckedGlyph;
  std::unique_ptr<TBitmap> FRadioOnGlyph;
  std::unique_ptr<TBitmap> FRadioOffGlyph;
  TColor FFixedGradientFrom = clNone;
  TColor FFixedGradientTo = clNone;
  TColor FFixedGradientMirrorFrom = clNone;
  TColor FFixedGradientMirrorTo = clNone;
  TColor FFixedGradientHoverFrom = clGray;
  TColor FFixedGradientHoverTo = clWhite;
  TColor FFixedGradientHoverMirrorFrom = clNone;
  TColor FFixedGradientHoverMirrorTo = clNone;
  TColor FFixedGradientHoverBorder = clSilver;
  TColor FFixedGradientDownFrom = clGray;
  TColor FFixedGradientDownTo = clSilver;
  TColor FFixedGradientDownMirrorFrom = clNone;
  TColor FFixedGradientDownMirrorTo = clNone;
  TColor FFixedGradientDownBorder = clGray;
  bool FFixedDropDownButton = false;
  int FHintMaxWidth = 0;
  int FCheckSize = 15;
  bool FCheckAlwaysActive = false;
  int FRadioSize = 10;
  bool FRadioAlwaysActive = false;
  TControlLookStyle FControlStyle = csTheme;
  bool FDropDownAlwaysVisible = false;
  int FDropDownCount = 8;
  bool FSpinButtonsAlwaysVisible = false;
  bool FFlatButton = false;
  bool FNoDisabledCheckRadioLook = false;
  bool FNoDisabledButtonLook = false;
  TColor FProgressBorderColor = clGray;
  int FProgressMarginX = 2;
  int FProgressMarginY = 2;
  bool FProgressXP = false;
  std::unique_ptr<THeaderAppearance> FDropDownHeader;
  std::unique_ptr<TFooterAppearance> FDropDownFooter;
};
