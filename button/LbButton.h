#pragma once
// TLbButton: the owner-drawn push button of every form. It paints itself completely (see
// LbButtons.h), clicks on release after a left press wherever the release happens, handles
// Enter/Escape for Default/Cancel buttons and can fade its hot-track colour out.
//
// The fade runs on one 30 ms window timer of the button instead of a thread: "suspended" means
// the timer is off, "resumed" that it runs; every tick is handled on the UI thread like any
// other message.
#include <memory>

#include "button/LbButtons.h"
#include "platform/ActnList.h"
#include "platform/Controls.h"
#include "platform/Forms.h"
#include "platform/Menus.h"

class TLbButton : public TCustomControl {
 public:
  explicit TLbButton(TComponent* AOwner);
  ~TLbButton() override;
  String ClassName() const override { return u"TLbButton"; }

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool v) { FCancel = v; }
  // Reads lcsCustom always; setting applies a preset.
  TLbColorStyle ColorStyle() const { return FDummyStyle; }
  void SetColorStyle(TLbColorStyle v);
  TColor ColorWhenDown() const { return FColorWhenDown; }
  void SetColorWhenDown(TColor v) { FColorWhenDown = v; }
  bool Default() const { return FDefault; }
  void SetDefault(bool v) { FDefault = v; }
  bool Flat() const { return FFlat; }
  void SetFlat(bool v);
  TBitmap* Glyph() const { return FGlyph.get(); }
  // Copies the bitmap (nullptr empties the glyph); NumGlyphs becomes width div height.
  void SetGlyph(TBitmap* v);
  TColor HotTrackColor() const { return FHotTrackColor; }
  void SetHotTrackColor(TColor v) { FHotTrackColor = v; }
  TFont* HotTrackFont() const { return FHTFont.get(); }
  void SetHotTrackFont(TFont* v);
  TLbButtonKind Kind() const { return FKind; }
  void SetKind(TLbButtonKind v);
  TLbButtonLayout Layout() const { return FLayout; }
  void SetLayout(TLbButtonLayout v);
  TColor LightColor() const { return FLightColor; }
  void SetLightColor(TColor v);
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult v);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int v);
  TColor ShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor v);
  bool SlowDecease() const { return FSlowDecease; }
  void SetSlowDecease(bool v);
  TLbButtonStyle Style() const { return FStyle; }
  void SetStyle(TLbButtonStyle v);
  bool UseHotTrackFont() const { return FUseHTFont; }
  void SetUseHotTrackFont(bool v) { FUseHTFont = v; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);
  // An attached menu adds the drop-down arrow and pops up below the button after each click;
  // a menu that is freed is let go.
  void SetPopupMenu(TPopupMenu* v) override;

  // A glyph read from a stored form: copied as it is, NumGlyphs and Kind untouched.
  void LoadStoredGlyph(TBitmap* v);

  // State the painter uses.
  bool Pressed() const { return bDown; }
  bool MouseOver() const { return bCursorOnButton; }
  int HotTrackStep() const { return FHotTrackStep; }
  // Whether the fade timer exists (created with the button, dropped when SlowDecease is
  // switched off) and whether it runs.
  bool FadeTimerExists() const { return FThreadExists; }
  bool FadeTimerRunning() const { return FThreadRunning; }

  // The attached action: its caption, enabled, hint and visible follow into the button, a click
  // runs it, and an image of its list's images becomes the glyph while the glyph is empty.
  TBasicAction* Action() const { return FActionClient.Action(); }
  void SetAction(TBasicAction* v) { FActionClient.SetAction(v); }
  TControlActionLink* ActionLink() const { return FActionClient.ActionLink(); }

  void Click() override;
  void SetEnabled(bool v) override;
  void SetText(const String& s) override;
  void WndProc(TMessage& Message) override;

  // OnClick (inherited field), OnMouseEnter (inherited field) and:
  TNotifyEvent OnMouseExit;

  static constexpr uintptr_t kFadeTimerId = 0x4C42;  // "LB"
  static constexpr unsigned kFadeInterval = 30;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // One fade tick (the thread's notify method).
  void HotTrackTick(TObject* Sender);
  virtual void ActionChange(TBasicAction* Sender, bool CheckDefaults);
  void CopyActionImage(TCustomAction* Action);

 private:
  bool FireClick();
  void RepaintNow();
  void ResumeFade();
  void SuspendFade();
  void FreeFade();
  bool IsAccelerator(Char c) const;
  bool ParentShowing() const;
  void DropHotTrack();

  TAlignment FAlignment = taCenter;
  TColor FShadowColor = clGray;
  TColor FColorWhenDown = clNone;
  bool FFlat = false;
  bool FWordWrap = false;
  std::unique_ptr<TBitmap> FGlyph;
  TColor FHotTrackColor = clNone;
  std::unique_ptr<TFont> FHTFont;
  TLbButtonKind FKind = bkCustom;
  TLbButtonLayout FLayout = blGlyphLeft;
  TColor FLightColor = clWhite;
  TModalResult FModalResult = 0;
  int FNumGlyphs = 0;
  bool FUseHTFont = false;
  TLbColorStyle FDummyStyle = lcsCustom;
  TLbButtonStyle FStyle = bsNormal;
  bool FDefault = false;
  bool FCancel = false;
  bool FSlowDecease = false;
  TActionClient FActionClient{this, [] { return std::make_unique<TControlActionLink>(); },
                              [this](TBasicAction* s, bool d) { ActionChange(s, d); }};
  bool bDown = false;
  Word FKeyDown = 0;  // Enter or Space while it is held on this button
  bool bCursorOnButton = false;
  bool FThreadExists = false;
  bool FThreadRunning = false;
  int FHotTrackStep = 0;
};
