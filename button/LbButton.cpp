#include "button/LbButton.h"

#include "platform/SysUtils.h"

namespace {

struct TStockKind {
  TModalResult ModalResult;
  const char16_t* Caption;
};

TStockKind StockKind(TLbButtonKind kind) {
  switch (kind) {
    case bkOK: return {1, u"OK"};
    case bkCancel: return {2, u"Abbrechen"};
    case bkHelp: return {0, u"Hilfe"};
    case bkYes: return {6, u"Ja"};
    case bkNo: return {7, u"Nein"};
    case bkClose: return {0, u"Schlie\u00DFen"};
    case bkAbort: return {3, u"Abbrechen"};
    case bkRetry: return {4, u"Wiederholen"};
    case bkIgnore: return {5, u"Ignorieren"};
    case bkAll: return {12, u"Alle"};
    case bkCustom: break;
  }
  return {0, u""};
}

}  // namespace

TLbButton::TLbButton(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(Left(), Top(), 100, 23);
  SetControlStyle(TControlStyle{csCaptureMouse, csSetCaption});
  FGlyph = std::make_unique<TBitmap>();
  FHTFont = std::make_unique<TFont>();
  bDown = false;
  bCursorOnButton = false;
  SetTabStop(true);
  SetColor(clBtnFace);
  // Every button owns its fade timer from the start, stopped, whatever SlowDecease says.
  FThreadExists = true;
  FThreadRunning = false;
  if (auto* form = dynamic_cast<TForm*>(AOwner)) FHTFont->Assign(form->Font());
}

TLbButton::~TLbButton() { FreeFade(); }

// ---- properties ------------------------------------------------------------------------------

void TLbButton::SetAlignment(TAlignment v) {
  FAlignment = v;
  RepaintNow();
}

void TLbButton::SetFlat(bool v) {
  FFlat = v;
  RepaintNow();
}

void TLbButton::SetLayout(TLbButtonLayout v) {
  FLayout = v;
  RepaintNow();
}

void TLbButton::SetLightColor(TColor v) {
  FLightColor = v;
  RepaintNow();
}

void TLbButton::SetShadowColor(TColor v) {
  FShadowColor = v;
  RepaintNow();
}

void TLbButton::SetWordWrap(bool v) {
  FWordWrap = v;
  RepaintNow();
}

void TLbButton::SetPopupMenu(TPopupMenu* v) {
  if (v == PopupMenu()) return;
  TCustomControl::SetPopupMenu(v);
  Invalidate();
}

void TLbButton::Notification(TComponent* AComponent, TOperation Operation) {
  const bool menuGoes = Operation == opRemove && AComponent != nullptr &&
                       AComponent == static_cast<TComponent*>(PopupMenu());
  TCustomControl::Notification(AComponent, Operation);
  FActionClient.Notification(AComponent, Operation);
  if (menuGoes && !ComponentState().Contains(TComponentStateFlag::csDestroying)) Invalidate();
}

void TLbButton::SetNumGlyphs(int v) {
  FNumGlyphs = v;
  Invalidate();
}

void TLbButton::SetHotTrackFont(TFont* v) {
  if (v) FHTFont->Assign(v);
}

void TLbButton::SetModalResult(TModalResult v) {
  FModalResult = v;
  FKind = bkCustom;
}

void TLbButton::SetGlyph(TBitmap* v) {
  // The glyph bitmap is the same object for the button's whole life: code may hold it.
  FGlyph->Assign(v);
  FNumGlyphs = (v && FGlyph->Height() != 0) ? FGlyph->Width() / FGlyph->Height() : 0;
  FKind = bkCustom;
  Invalidate();
}

void TLbButton::LoadStoredGlyph(TBitmap* v) {
  FGlyph->Assign(v);
  Invalidate();
}

void TLbButton::SetKind(TLbButtonKind v) {
  if (v != bkCustom) {
    const TStockKind k = StockKind(v);
    FNumGlyphs = 2;
    SetModalResult(k.ModalResult);
    FGlyph->Assign(CreateStockGlyph(v).get());
    SetCaption(k.Caption);
  }
  FKind = v;
  Invalidate();
}

void TLbButton::SetColorStyle(TLbColorStyle v) {
  if (v == lcsCustom) return;
  const TLbColorPreset p = GetColorStylePreset(v);
  FLightColor = p.LightColor;
  FShadowColor = p.ShadowColor;
  FColorWhenDown = p.ColorWhenDown;
  FHotTrackColor = p.HotTrackColor;
  FFlat = p.Flat;
  SetColor(p.Color);
  Font()->SetColor(p.FontColor);
  FStyle = p.Modern ? bsModern : (p.Quicken ? bsQuicken : bsNormal);
  RepaintNow();
}

void TLbButton::SetStyle(TLbButtonStyle v) {
  // bsModern, bsShape and bsQuicken leave their clFuchsia pixels out when painted, so the
  // parent shows through there; no window style is needed for that on this platform.
  FStyle = v;
  Invalidate();
}

void TLbButton::SetSlowDecease(bool v) {
  FSlowDecease = v;
  if (v && !FThreadExists) {
    FThreadExists = true;
    FThreadRunning = false;
  } else if (!v && FThreadExists) {
    FHotTrackStep = 0;
    FreeFade();
  }
  Invalidate();
}

void TLbButton::SetEnabled(bool v) {
  TCustomControl::SetEnabled(v);
  bDown = false;
  RepaintNow();
}

void TLbButton::SetText(const String& s) {
  TCustomControl::SetText(s);
  Invalidate();
}

// ---- fade ------------------------------------------------------------------------------------

void TLbButton::ResumeFade() {
  if (!FThreadExists || FThreadRunning) return;
  FThreadRunning = true;
  SetTimer(this, kFadeTimerId, kFadeInterval);
}

void TLbButton::SuspendFade() {
  if (!FThreadRunning) return;
  FThreadRunning = false;
  KillTimer(this, kFadeTimerId);
}

void TLbButton::FreeFade() {
  if (!FThreadExists) return;
  SuspendFade();
  FThreadExists = false;
}

void TLbButton::HotTrackTick(TObject*) {
  if (ComponentState().Contains(TComponentStateFlag::csDestroying)) return;
  --FHotTrackStep;
  if (FHotTrackStep <= 0) {
    SuspendFade();
    FHotTrackStep = 0;
  }
  RepaintNow();
}

// ---- clicks ----------------------------------------------------------------------------------

bool TLbButton::FireClick() {
  if (!Visible() || !Enabled() || !bDown) return false;
  bDown = false;
  if (OnClick) OnClick(this);
  if (FModalResult != 0)
    if (TForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
  if (TPopupMenu* menu = PopupMenu()) {
    const TPoint p = ClientToScreen(Point(0, Height()));
    menu->Popup(p.X, p.Y);
  }
  return true;
}

void TLbButton::Click() {
  bDown = true;
  // A click that cannot happen (hidden or disabled button) must not leave the button looking
  // pressed the next time it is shown.
  if (!FireClick()) bDown = false;
  // The inherited click: the OnClick event already ran in the click step; an attached action
  // is executed.
  FActionClient.Execute();
}

void TLbButton::ActionChange(TBasicAction* Sender, bool CheckDefaults) {
  ControlActionChange(this, Sender, CheckDefaults);
  auto* a = dynamic_cast<TCustomAction*>(Sender);
  if (!a || !a->ActionList()) return;
  TImageList* images = a->ActionList()->Images();
  if (images && a->ImageIndex() >= 0 && a->ImageIndex() < images->Count() && FGlyph->Empty())
    CopyActionImage(a);
}

void TLbButton::CopyActionImage(TCustomAction* Action) {
  TImageList* images = Action->ActionList()->Images();
  FGlyph->SetSize(images->Width(), images->Height());
  TCanvas* c = FGlyph->Canvas();
  c->Brush()->SetColor(clFuchsia);
  c->FillRect(TRect{0, 0, images->Width(), images->Height()});
  images->Draw(c, 0, 0, Action->ImageIndex(), true);
  FNumGlyphs = 1;
  RepaintNow();
}

void TLbButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Enabled() && Button == mbLeft) {
    bDown = true;
    if (CanFocus()) SetFocus();
    RepaintNow();
  }
}

void TLbButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (bDown) Click();
  bDown = false;
  RepaintNow();
}

bool TLbButton::IsAccelerator(Char c) const {
  const String caption = Caption();
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != u'&') continue;
    if (caption[i + 1] == u'&') {
      ++i;  // "&&" is a literal ampersand
      continue;
    }
    return AnsiUpperCase(String(1, caption[i + 1])) == AnsiUpperCase(String(1, c));
  }
  return false;
}

void TLbButton::DropHotTrack() {
  mouseInside_ = false;
  bCursorOnButton = false;
  bDown = false;
  FKeyDown = 0;
  SuspendFade();
  FHotTrackStep = 0;
}

bool TLbButton::ParentShowing() const { return Parent() && Parent()->Showing(); }

void TLbButton::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSEENTER:
      // Notices about a child (LParam set to another control) do not concern a button.
      if (Message.LParam != 0 && Message.LParam != reinterpret_cast<intptr_t>(this)) return;
      mouseInside_ = true;
      if (Enabled() && Visible() && ParentShowing()) {
        bCursorOnButton = true;
        FHotTrackStep = 8;
        RepaintNow();
        if (OnMouseEnter) OnMouseEnter(this);
      }
      return;
    case CM_MOUSELEAVE:
      if (Message.LParam != 0 && Message.LParam != reinterpret_cast<intptr_t>(this)) return;
      mouseInside_ = false;
      bCursorOnButton = false;
      if (FSlowDecease) {
        ResumeFade();
      } else {
        FHotTrackStep = 0;
        RepaintNow();
      }
      if (Enabled() && Visible() && ParentShowing() && OnMouseExit) OnMouseExit(this);
      return;
    case WM_TIMER:
      if (Message.WParam == kFadeTimerId) {
        if (FThreadRunning) HotTrackTick(this);
        return;
      }
      break;
    case CN_KEYDOWN:
      TCustomControl::WndProc(Message);
      if (Enabled() && (Message.WParam == VK_RETURN || Message.WParam == VK_SPACE)) {
        FKeyDown = static_cast<Word>(Message.WParam);
        bDown = true;
        RepaintNow();
      }
      return;
    case CN_KEYUP:
      TCustomControl::WndProc(Message);
      // Only the release of a key this button saw go down clicks it: the release of an Enter
      // that closed a dialog arrives here after the dialog has gone.
      if (FKeyDown != 0 && Message.WParam == FKeyDown) {
        FKeyDown = 0;
        Click();
      }
      RepaintNow();
      return;
    case WM_KILLFOCUS:
      if (FKeyDown != 0) {
        FKeyDown = 0;
        bDown = false;
      }
      break;
    case CM_DIALOGCHAR:
      if (IsAccelerator(static_cast<Char>(Message.WParam)) && Visible() && Enabled() && ParentShowing()) {
        Click();
        Message.Result = 1;
        return;
      }
      break;
    case CM_DIALOGKEY: {
      const TShiftState shift = KeyDataToShiftState(Message.LParam);
      const bool noModifiers =
          !shift.Contains(ssShift) && !shift.Contains(ssCtrl) && !shift.Contains(ssAlt);
      const bool takes = (Message.WParam == VK_RETURN && FDefault) ||
                         (Message.WParam == VK_ESCAPE && FCancel && noModifiers && Visible() && Enabled());
      if (takes) {
        TForm* form = FindOwnerForm(this);
        TWinControl* active = form ? form->ActiveControl() : nullptr;
        if (active) {
          const String name = UpperCase(active->ClassName());
          // A focused push button handles Enter itself.
          if (Pos(u"BUTTON", name) > 0 && Pos(u"RADIOBUTTON", name) == 0) break;
        }
        Click();
        Message.Result = 1;
        return;
      }
      break;
    }
    case CM_FOCUSCHANGED:
      TCustomControl::WndProc(Message);
      RepaintNow();
      return;
    case CM_SHOWINGCHANGED:
    case CM_VISIBLECHANGED:
      TCustomControl::WndProc(Message);
      // A hidden window gets no mouse-leave: a button hidden under the mouse (the one that
      // closed its dialog) would come back highlighted. It is lit again when the mouse enters.
      if (!Showing()) DropHotTrack();
      return;
    default:
      break;
  }
  TCustomControl::WndProc(Message);
}

// ---- painting --------------------------------------------------------------------------------

void TLbButton::RepaintNow() { Repaint(); }

void TLbButton::Paint() {
  const TComponentState state = ComponentState();
  if (!Visible() || state.Contains(TComponentStateFlag::csLoading) ||
      state.Contains(TComponentStateFlag::csDestroying))
    return;
  const int W = Width(), H = Height();
  if (W <= 0 || H <= 0) return;
  const bool focused = Focused();
  const bool hot = bCursorOnButton || focused;

  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(W, H);
  TFont font;
  font.Assign(hot && FUseHTFont ? FHTFont.get() : Font());
  TCanvas* bc = bmp.Canvas();
  const bool transparent = FStyle == bsModern || FStyle == bsShape || FStyle == bsQuicken;
  if (transparent) {
    bc->Brush()->SetColor(clFuchsia);
    bc->FillRect(Rect(0, 0, W, H));
    bmp.SetTransparentColor(clFuchsia);
    bmp.SetTransparent(true);
  }
  TLbButtonFace face{.Width = W,
                     .Height = H,
                     .HotTrackStep = FHotTrackStep,
                     .NumGlyphs = FNumGlyphs,
                     .Glyph = FGlyph.get(),
                     .Pressed = bDown,
                     .Hot = hot,
                     .Enabled = Enabled(),
                     .Flat = FFlat,
                     .WordWrap = FWordWrap,
                     .PopupAttached = PopupMenu() != nullptr,
                     .Style = FStyle,
                     .Color = Color(),
                     .ColorWhenDown = FColorWhenDown,
                     .HotTrackColor = FHotTrackColor,
                     .LightColor = FLightColor,
                     .ShadowColor = FShadowColor,
                     .Font = &font,
                     .Layout = FLayout,
                     .Caption = Caption(),
                     .Alignment = FAlignment};
  if (FStyle == bsOld && focused) {
    // Drawn two pixels smaller and moved one down and right inside the black outline.
    face.Width = W - 2;
    face.Height = H - 2;
    if (bDown) face.LightColor = FShadowColor;
    DrawLbButton(bc, face);
    TBitmap shifted;
    shifted.Assign(&bmp);
    shifted.SetTransparent(false);
    bc->Draw(1, 1, &shifted);
    bc->Brush()->SetStyle(bsClear);
    bc->Pen()->SetStyle(psSolid);
    bc->Pen()->SetColor(clBlack);
    bc->Rectangle(0, 0, W, H);
  } else {
    DrawLbButton(bc, face);
  }
  TCanvas* canvas = Canvas();
  canvas->Draw(0, 0, &bmp);
  if (focused && Enabled() && FStyle != bsShape) canvas->DrawFocusRect(Rect(4, 4, W - 4, H - 4));
}
