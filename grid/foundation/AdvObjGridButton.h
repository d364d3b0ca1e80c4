#pragma once
// The grid pack's windowless glyph button (the search bar's find, close and highlight buttons):
// a caption and a glyph laid out together, normal/hot/pressed/disabled glyphs and a grey drop
// shade, a flat look with 16-band gradients and seven colour presets, a toggle style, radio-like
// groups and an optional drop-down zone at the right edge.
#include <cstdint>
#include <functional>
#include <memory>

#include "grid/foundation/AdvObj.h"
#include "platform/ActnList.h"
#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/Menus.h"

// Draws a gradient of Bands solid bands (0 is taken as 1) from FromColor to ToColor over R, top
// to bottom, each band one pixel taller than its share; then the outline in BorderColor unless
// that is clNone.
void DrawGridButtonGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, TColor BorderColor, int Bands,
                            const TRect& R);

class TAdvGridButton;

// The button's action link: caption, checked (Down) and group index follow the action.
class TAdvGridButtonActionLink : public TControlActionLink {
 public:
  void AssignClient(TControl* AClient) override;
  bool IsCaptionLinked() const override;
  bool IsCheckedLinked() const override;
  bool IsGroupIndexLinked() const override;
  void SetCaption(const String& Value) override;
  void SetChecked(bool Value) override;
  void SetGroupIndex(int Value) override;

 protected:
  TAdvGridButton* FButton = nullptr;
};

class TAdvGridButton : public TGraphicControl {
 public:
  enum TButtonState : uint8_t { bsUp, bsDisabled, bsDown, bsExclusive };
  // Nested so that it does not clash with the push button's layout names.
  enum TButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

  explicit TAdvGridButton(TComponent* AOwner);
  ~TAdvGridButton() override;
  String ClassName() const override { return u"TAdvGridButton"; }

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void WndProc(TMessage& Message) override;
  void Click() override;

  TBasicAction* Action() const { return FActionClient.Action(); }
  void SetAction(TBasicAction* Value) { FActionClient.SetAction(Value); }
  TControlActionLink* ActionLink() const { return FActionClient.ActionLink(); }

  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
  void SetAutoThemeAdapt(bool Value);
  bool AutoXPStyle() const { return FAutoXPStyle; }
  void SetAutoXPStyle(bool Value) { FAutoXPStyle = Value; }
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  TColor BorderDownColor() const { return FBorderDownColor; }
  void SetBorderDownColor(TColor Value) { FBorderDownColor = Value; }
  TColor BorderHotColor() const { return FBorderHotColor; }
  void SetBorderHotColor(TColor Value) { FBorderHotColor = Value; }
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value);
  TColor ColorDown() const { return FColorDown; }
  void SetColorDown(TColor Value) { FColorDown = Value; }
  TColor ColorDownTo() const { return FColorDownTo; }
  void SetColorDownTo(TColor Value) { FColorDownTo = Value; }
  TColor ColorHot() const { return FColorHot; }
  void SetColorHot(TColor Value) { FColorHot = Value; }
  TColor ColorHotTo() const { return FColorHotTo; }
  void SetColorHotTo(TColor Value) { FColorHotTo = Value; }
  TColor ColorChecked() const { return FColorChecked; }
  void SetColorChecked(TColor Value);
  TColor ColorCheckedTo() const { return FColorCheckedTo; }
  void SetColorCheckedTo(TColor Value);
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  bool DropDownButton() const { return FDropDownButton; }
  void SetDropDownButton(bool Value);
  TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TPopupMenu* Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value);
  TBitmap* GlyphHot() const { return FGlyphHot.get(); }
  void SetGlyphHot(TBitmap* Value) { FGlyphHot->Assign(Value); }
  TBitmap* GlyphDown() const { return FGlyphDown.get(); }
  void SetGlyphDown(TBitmap* Value) { FGlyphDown->Assign(Value); }
  TBitmap* GlyphDisabled() const { return FGlyphDisabled.get(); }
  void SetGlyphDisabled(TBitmap* Value) { FGlyphDisabled->Assign(Value); }
  TBitmap* GlyphShade() const { return FGlyphShade.get(); }  // the generated grey silhouette
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  int Margin() const { return FMargin; }
  void SetMargin(int Value);
  bool Rounded() const { return FRounded; }
  void SetRounded(bool Value);
  bool Shaded() const { return FShaded; }
  void SetShaded(bool Value);
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);
  TAdvGridButtonStyle Style() const { return FStyle; }
  void SetStyle(TAdvGridButtonStyle Value);
  // The last preset applied (0 before any).
  int Look() const { return FLook; }
  void SetLook(int Value);

  TButtonState State() const { return FState; }
  bool MouseInControl() const { return FMouseInControl; }
  bool Dragging() const { return FDragging; }

  TNotifyEvent OnDropDown;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

  // Glyph position and caption bounds inside Client for the given offset (exposed for tests).
  void CalcButtonLayout(TCanvas* Canvas, const TRect& Client, TPoint Offset, TPoint& GlyphPos, TRect& TextBounds);

 private:
  virtual std::unique_ptr<TControlActionLink> GetActionLinkClass() const {
    return std::make_unique<TAdvGridButtonActionLink>();
  }
  void InheritedWithoutEvent(TMessage& Message, TNotifyEvent& Event);
  void UpdateExclusive();
  void UpdateTracking();
  void ApplyThemeLook();
  void BuildDisabledGlyph();
  void BuildShade();
  void DrawContent(TCanvas* Canvas, const TRect& Client, TPoint Offset, TButtonState State);
  bool Inside(int X, int Y) const { return X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight(); }

  TButtonState FState = bsUp;
  bool FDown = false;
  int FGroupIndex = 0;
  bool FAllowAllUp = false;
  bool FMouseInControl = false;
  bool FDragging = false;
  bool FIsComCtl6 = false;
  bool FAutoThemeAdapt = false;
  bool FAutoXPStyle = false;
  TColor FBorderColor = clNone;
  TColor FBorderDownColor = clNone;
  TColor FBorderHotColor = clNone;
  TColor FColorTo = clNone;
  TColor FColorDown = 0xD8D3D2;
  TColor FColorDownTo = clNone;
  TColor FColorHot = 0xCAC7C7;
  TColor FColorHotTo = clNone;
  TColor FColorChecked = clGray;
  TColor FColorCheckedTo = clNone;
  bool FDropDownButton = false;
  TPopupMenu* FDropDownMenu = nullptr;
  bool FFlat = true;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  bool FRounded = false;
  bool FShaded = true;
  bool FShowCaption = true;
  int FSpacing = 4;
  TAdvGridButtonStyle FStyle = tasButton;
  int FLook = 0;
  std::unique_ptr<TBitmap> FGlyph, FGlyphHot, FGlyphDown, FGlyphDisabled, FGlyphShade;
  TActionClient FActionClient{this, [this] { return GetActionLinkClass(); },
                              [this](TBasicAction* a, bool d) { ControlActionChange(this, a, d); }};
};
