#include "grid/dropdown/AdvDropDown.h"

#include <algorithm>

#include "grid/dropdown/AdvDropDownDraw.h"
#include "grid/dropdown/AdvDropDownForm.h"
#include "grid/dropdown/AdvDropDownStyles.h"
#include "grid/foundation/ZazAdezDraw.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"

TPoint DropDownLabelPlace(TLabelPosition Position, const TRect& E, TSize L, int W, int M) {
  const int centred = E.Top + (E.Height() - L.cy) / 2;
  const int bottom = E.Top + E.Height() - L.cy;
  const int above = E.Top - L.cy - M;
  const int below = E.Top + E.Height() + M;
  const int middle = E.Left + (E.Width() - L.cx) / 2;
  const int right = E.Left + E.Width() + M;
  switch (Position) {
    case lpLeftTop: return {E.Left - W - M, E.Top};
    case lpLeftCenter: return {E.Left - W - M, centred};
    case lpLeftBottom: return {E.Left - W - M, bottom};
    case lpTopLeft: return {E.Left, above};
    case lpBottomLeft: return {E.Left, below};
    case lpLeftTopLeft: return {E.Left - M, E.Top};
    case lpLeftCenterLeft: return {E.Left - M, centred};
    case lpLeftBottomLeft: return {E.Left - M, bottom};
    case lpTopCenter: return {middle, above};
    case lpBottomCenter: return {middle, below};
    case lpRightTop: return {right, E.Top};
    case lpRightCenter: return {right, centred};
    case lpRighBottom: return {right, bottom};
    case lpTopRight: return {E.Left + E.Width() - L.cx, above};
    default: return {E.Left + E.Width() - L.cx, below};  // lpBottomRight
  }
}

// ---- construction ------------------------------------------------------------------------------

TAdvCustomDropDown::TAdvCustomDropDown(TComponent* AOwner)
    : TCustomMaskEdit(AOwner),
      FDropDownHeader(std::make_unique<THeaderAppearance>(this)),
      FButtonAppearance(std::make_unique<TAdvButtonAppearance>()),
      FDropDownFooter(std::make_unique<TFooterAppearance>(this)),
      FLabelFont(std::make_unique<TFont>()) {
  SetBounds(Left(), Top(), 200, 21);
  CreateDropDownForm();
  CreateDropDownButton();
  TControlStyle style = ControlStyle();
  style.Exclude(csSetCaption);
  SetControlStyle(style);
  SetReadOnly(false);
  SetText(u"");
  FOldText.clear();
  const auto stripsChanged = [this](TObject*) { StripsChanged(); };
  FDropDownHeader->OnChange = stripsChanged;
  FDropDownHeader->OnButtonsChanged = stripsChanged;
  FDropDownFooter->OnChange = stripsChanged;
  FDropDownFooter->OnButtonsChanged = stripsChanged;
  // The platform profile is a themed modern system: XP or later, common controls 6.
  FIsWinXP = true;
  FIsThemed = true;
  SetSelectionColorStyle(scOffice2007);
  SetComponentStyle(tsOffice2007Luna);
  FLabelFont->OnChange = [this](TObject*) { UpdateLabel(); };
  // The first layout, which the window's creation would bring.
  ResizeControl();
}

TAdvCustomDropDown::~TAdvCustomDropDown() {
  FLabelFont->OnChange = nullptr;
  FDropDownHeader->OnChange = nullptr;
  FDropDownHeader->OnButtonsChanged = nullptr;
  FDropDownFooter->OnChange = nullptr;
  FDropDownFooter->OnButtonsChanged = nullptr;
  if (FDropDownForm) FDropDownForm->SetAdvDropDown(nullptr);
  delete FDropDownForm;
  FDropDownForm = nullptr;
  if (FLabel && !FLabel->ComponentState().Contains(TComponentStateFlag::csDestroying)) delete FLabel;
  FLabel = nullptr;
}

void TAdvCustomDropDown::StripsChanged() {
  if (FDropDownForm && FDropDownForm->Visible()) FDropDownForm->InitializeAndUpdate();
}

void TAdvCustomDropDown::Loaded() {
  TCustomMaskEdit::Loaded();
  FParentFnt = ParentFont();
  SetEditRect();
  ResizeControl();
  if (FButton) FButton->SetEnabled(Enabled());
  if (FLabel && !FLabelAlwaysEnabled) FLabel->SetEnabled(Enabled());
  UpdateLabel();
  if (FLabel && ParentFont()) FLabel->Font()->Assign(Font());
}

String TAdvCustomDropDown::Version() const {
  const uint32_t v = GetVersionNr();
  return IntToStr(static_cast<int>(v >> 24)) + u"." + IntToStr(static_cast<int>((v >> 16) & 0xFF)) + u"." +
         IntToStr(static_cast<int>((v >> 8) & 0xFF)) + u"." + IntToStr(static_cast<int>(v & 0xFF));
}

// ---- the button and the layout -------------------------------------------------------------------

void TAdvCustomDropDown::CreateDropDownButton() {
  if (FButton) return;
  FButton = new TDropDownEditButton(this);
  FButton->SetParent(this);
  FButton->OnClick = [this](TObject*) { DropDownButtonClick(); };
  UpdateDropDownButton();
}

void TAdvCustomDropDown::UpdateDropDownButton() {
  if (!FButton) return;
  FButton->SetBWidth(FButtonWidth);
  FButton->SetWidth(FButtonWidth);
  FButton->SetHeight(17);
  FButton->SetVisible(true);
  FButton->SetFocusControl(this);
}

int TAdvCustomDropDown::MinimumHeight() const {
  TBitmap measure;
  measure.Canvas()->Font()->Assign(Font());
  const int h = measure.Canvas()->TextHeight(u"0");
  TFont systemFont;
  measure.Canvas()->Font()->Assign(&systemFont);
  const int s = measure.Canvas()->TextHeight(u"0");
  return h + std::min(h, s) / 4;
}

void TAdvCustomDropDown::ResizeControl() {
  if (FResizing) return;
  const int minimum = MinimumHeight();
  if (Height() < minimum) {
    SetHeight(minimum);  // comes back here through the size change
  } else if (FButton) {
    const int w = FButtonWidth;
    if (Ctl3D() && BorderStyle() == bsSingle) {
      const int a = FFlat ? 3 : 4;
      FButton->SetBounds(Width() - w - a, FFlat ? 2 : 0, w, Height() - a);
    } else {
      FButton->SetBounds(Width() - w - (Ctl3D() ? 0 : 2), 1, w, Height() - 2);
    }
    SetEditRect();
  }
  Invalidate();
}

void TAdvCustomDropDown::SetEditRect() {
  TRect r{};
  Perform(EM_GETRECT, 0, reinterpret_cast<intptr_t>(&r));
  r.Bottom = ClientHeight() + 1;
  r.Right = ClientWidth() - (FButton ? FButton->Width() : 0) - 3;
  if (BorderStyle() == bsSingle) {
    r.Top = 1;
    r.Left = 1;
  } else {
    r.Top = 3;
    r.Left = 2;
  }
  FEditRect = r;
  if (!Ctl3D()) ++r.Left;
  Perform(EM_SETRECTNP, 0, reinterpret_cast<intptr_t>(&r));
}

void TAdvCustomDropDown::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  const bool sized = AWidth != Width() || AHeight != Height();
  TCustomMaskEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (sized && FButton) ResizeControl();  // WM_SIZE
  UpdateLabel();
}

void TAdvCustomDropDown::SetDropDownButtonWidth(int Value) {
  if (!FButton || Value == FButtonWidth) return;
  FButtonWidth = Value;
  FButton->SetBWidth(Value);
  FButton->SetWidth(Value);
  if (FButton->HandleAllocated() || HandleAllocated()) ResizeControl();
}

void TAdvCustomDropDown::SetDropDownButtonHint(const String& Value) {
  if (Value == FButtonHint) return;
  FButtonHint = Value;
  if (!FButton) return;
  FButton->SetHint(Value);
  FButton->Button()->SetHint(Value);
  if (!Value.empty()) FButton->SetShowHint(true);
}

TBitmap* TAdvCustomDropDown::DropDownButtonGlyph() const { return FButton ? FButton->Glyph() : nullptr; }
void TAdvCustomDropDown::SetDropDownButtonGlyph(TBitmap* Value) {
  if (FButton) FButton->SetGlyph(Value);
}

void TAdvCustomDropDown::SetFlat(bool Value) {
  if (Value == FFlat) return;
  FFlat = Value;
  ResizeControl();
}

void TAdvCustomDropDown::SetDropDownWidth(int Value) {
  if (Value == FDropDownWidth) return;
  FDropDownWidth = Value;
  FUserDropDownWidth = -1;
}

void TAdvCustomDropDown::SetDropDownHeight(int Value) {
  if (Value == FDropDownHeight) return;
  FDropDownHeight = Value;
  FUserDropDownHeight = -1;
}

void TAdvCustomDropDown::SetEditorEnabled(bool Value) {
  FEditorEnabled = Value;
  TControlStyle style = ControlStyle();
  if (Value) style.Include(csDoubleClicks);
  else style.Exclude(csDoubleClicks);
  SetControlStyle(style);
}

void TAdvCustomDropDown::SetImages(TImageList* Value) {
  if (FImages == Value) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
}

void TAdvCustomDropDown::SetFocusControl(TWinControl* Value) {
  if (FFocusControl == Value) return;
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (FFocusControl) FFocusControl->FreeNotification(this);
}

void TAdvCustomDropDown::SetBorderColor(TColor Value) {
  if (Value == FBorderColor) return;
  FBorderColor = Value;
  Invalidate();
  if (FButton) FButton->Invalidate();
}

void TAdvCustomDropDown::SetDisabledBorder(bool Value) {
  if (Value == FDisabledBorder) return;
  FDisabledBorder = Value;
  Invalidate();
}

void TAdvCustomDropDown::SetControl(TControl* Control) {
  if (Control == FControl) return;
  if (FControl) FControl->RemoveFreeNotification(this);
  FControl = Control;
  if (FControl) FControl->FreeNotification(this);
  PlaceDropDownControl();
}

void TAdvCustomDropDown::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomMaskEdit::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FImages) {
    FImages = nullptr;
    Invalidate();
  }
  if (AComponent == FControl) SetControl(nullptr);
  if (AComponent == FFocusControl) FFocusControl = nullptr;
  if (AComponent == FLabel) FLabel = nullptr;
  if (AComponent == FDropDownForm) FDropDownForm = nullptr;
  if (AComponent == FButton) FButton = nullptr;
}

void TAdvCustomDropDown::SetEnabled(bool Value) {
  TCustomMaskEdit::SetEnabled(Value);
  if (FButton) FButton->SetEnabled(Value);
  if (FLabel && !FLabelAlwaysEnabled) FLabel->SetEnabled(Value);
}

void TAdvCustomDropDown::SetVisible(bool Value) {
  TCustomMaskEdit::SetVisible(Value);
  if (FLabel && !FLabel->Caption().empty()) FLabel->SetVisible(Value);
}

void TAdvCustomDropDown::SetParent(TWinControl* AParent) {
  TCustomMaskEdit::SetParent(AParent);
  if (FLabel) {
    FLabel->SetParent(AParent);
    UpdateLabel();
  }
}

// ---- the label -----------------------------------------------------------------------------------

String TAdvCustomDropDown::LabelCaption() const { return FLabel ? FLabel->Caption() : String(); }

void TAdvCustomDropDown::SetLabelCaption(const String& Value) {
  if (!FLabel) {
    FLabel = new TLabel(this);
    FLabel->SetParent(Parent());
    FLabel->SetFocusControl(this);
    FLabel->Font()->Assign(FLabelFont.get());
    FLabel->SetParentFont(ParentFont());
    FLabel->OnClick = [this](TObject*) { LabelClick(); };
    FLabel->OnDblClick = [this](TObject*) { LabelDblClick(); };
  }
  FLabel->SetCaption(Value);
  UpdateLabel();
}

void TAdvCustomDropDown::SetLabelPosition(TLabelPosition Value) {
  FLabelPosition = Value;
  UpdateLabel();
}

void TAdvCustomDropDown::SetLabelMargin(int Value) {
  FLabelMargin = Value;
  UpdateLabel();
}

void TAdvCustomDropDown::SetLabelTransparent(bool Value) {
  FLabelTransparent = Value;
  UpdateLabel();
}

void TAdvCustomDropDown::SetLabelFont(TFont* Value) {
  if (!ParentFont()) FLabelFont->Assign(Value);
}

void TAdvCustomDropDown::UpdateLabel() {
  if (!FLabel || !FLabel->Parent()) return;
  FLabel->SetTransparent(FLabelTransparent);
  FLabel->Font()->Assign(FParentFnt ? Font() : FLabelFont.get());
  TBitmap measure;
  measure.Canvas()->Font()->Assign(FLabel->Font());
  TRect r = Rect(0, 0, 1000, 255);
  DrawText(measure.Canvas(), FLabel->Caption(), r, DT_CALCRECT | DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
  const TPoint p = DropDownLabelPlace(FLabelPosition, BoundsRect(), TSize{FLabel->Width(), FLabel->Height()},
                                      r.Width(), FLabelMargin);
  FLabel->SetBounds(p.X, p.Y, FLabel->Width(), FLabel->Height());
  FLabel->SetVisible(Visible());
}

void TAdvCustomDropDown::LabelClick() {
  if (OnLabelClick) OnLabelClick(this);
}
void TAdvCustomDropDown::LabelDblClick() {
  if (OnLabelDblClick) OnLabelDblClick(this);
}

// ---- borders and painting ------------------------------------------------------------------------

void TAdvCustomDropDown::DrawBorders(TCanvas* Canvas) {
  if (Enabled() && !FFlat && FBorderColor == clNone && FFocusBorderColor == clNone) return;
  const TRect r = Rect(0, 0, Width(), Height());
  auto frame = [&](TColor Color, const TRect& R) {
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
    Canvas->FrameRect(R);
  };
  const bool hot = FMouseInControl || (Screen && Screen->ActiveForm() && Screen->ActiveForm()->ActiveControl() == this);
  if (!Enabled() && FIsThemed && FDisabledBorder) {
    frame(0xC0C0C0, r);
  } else if (FBorderColor != clNone) {
    if (!(Focused() && FFocusBorderColor != clNone)) frame(FBorderColor, r);
    else frame(FFocusBorderColor, r);
  } else if (FFocusBorderColor != clNone) {
    if (Focused()) frame(FFocusBorderColor, r);
  } else if (hot) {
    TRect e = r;
    DrawEdge(Canvas, e, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    frame(clBtnFace, e);
  } else {
    const TColor parentColor = Parent() ? Parent()->Color() : clBtnFace;
    frame(parentColor, r);
    frame(parentColor, Rect(1, 1, r.Right - 1, r.Bottom - 1));
  }
  if (FButton) FButton->Button()->SetFocused(hot);
}

void TAdvCustomDropDown::PaintOverlay(TCanvas* Canvas) {
  if (FBorderColor != clNone || FFocusBorderColor != clNone || (!Enabled() && FDisabledBorder) || FFlat)
    DrawBorders(Canvas);
  PaintFocusedText(Canvas);
}

void TAdvCustomDropDown::PaintFocusedText(TCanvas* Canvas) {
  if (FEditorEnabled || !Focused() || !FFocusDraw || !Canvas) return;
  TRect r = Rect(2, 2, Width() - FButtonWidth - 1, Height() - 2);
  Canvas->Brush()->SetStyle(bsSolid);
  Canvas->Brush()->SetColor(clHighlight);
  Canvas->Pen()->SetColor(clBlack);
  Canvas->FillRect(r);
  Canvas->Font()->Assign(Font());
  Canvas->Font()->SetColor(clHighlightText);
  Canvas->Brush()->SetStyle(bsClear);
  r.Left += 2;
  r.Right -= 3;
  DrawText(Canvas, EditText(), r, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
}

// ---- focus and mouse -----------------------------------------------------------------------------

void TAdvCustomDropDown::HandleSetFocusMessage(TMessage& Message) {
  if (Loading()) return;
  TCustomMaskEdit::WndProc(Message);
  if (FEditorEnabled) {
    FOldString = GetText();
    if (AutoSelect()) SelectAll();
    else if (FEditType == etFloat || FEditType == etMoney) SelectBeforeDecimal();
  } else {
    Invalidate();
  }
}

void TAdvCustomDropDown::WMKillFocus(TMessage& Message) {
  if (Loading()) return;
  if (FPrecision > 0 && (FEditType == etFloat || FEditType == etMoney) && (!GetText().empty() || !FAllowNumericNullValue)) {
    const bool modified = FIsModified;
    const bool editModified = Modified();
    SetFloatValue(GetFloatValue());
    FIsModified = modified;
    SetModified(editModified);
  }
  if (FEditType == etNumeric && GetText().empty() && !FAllowNumericNullValue) SetText(u"0");
  if ((FEditType == etFloat || FEditType == etMoney) && GetText().empty() && !FAllowNumericNullValue) SetFloatValue(0);
  TCustomMaskEdit::WndProc(Message);
  if (!FEditorEnabled) Invalidate();
}

void TAdvCustomDropDown::DoEnter() {
  TCustomMaskEdit::DoEnter();
  SetEditRect();
}

void TAdvCustomDropDown::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomMaskEdit::MouseDown(Button, Shift, X, Y);
  if (!FEditorEnabled && Button == mbLeft) DropDownButtonClick();
}

void TAdvCustomDropDown::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FButtonDown) {
    FButtonDown = false;
    SetSelStart(static_cast<int>(Perform(EM_CHARFROMPOS, 0, MakeLParam(X, Y)) & 0xFFFF));
  }
  TCustomMaskEdit::MouseUp(Button, Shift, X, Y);
  CaretOutOfPrefixSuffix();
  if (!FEditorEnabled || ReadOnly()) Invalidate();
}

bool TAdvCustomDropDown::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  const bool handled = TCustomMaskEdit::DoMouseWheel(Shift, WheelDelta, MousePos);
  if (WheelDelta < 0) EditMouseWheelDown();
  else EditMouseWheelUp();
  return handled;
}

// ---- selection drawing and styles ----------------------------------------------------------------

void TAdvCustomDropDown::SetSelectionColorStyle(TSelectionColorStyle Style) {
  FSelectionColorStyle = Style;
  switch (Style) {
    case scOffice2007: FSelectionColor = 0xD7FFFD; FSelectionColorTo = 0x58D4FC; break;
    case scWindowsVista: FSelectionColor = 0xFDF8F1; FSelectionColorTo = 0xFCEFD5; break;
    case scWindows7: FSelectionColor = 0xFCEBDC; FSelectionColorTo = 0xFCDBC1; break;
    default: break;
  }
}

namespace {
struct TDropDownSelectionBar {
  TColor MirrorFrom, MirrorTo, TopLine, BottomLine, Outline, InnerCorner;
};
// scOffice2007, scWindowsVista, scWindows7.
constexpr TDropDownSelectionBar kDropDownSelectionBars[3] = {
    {0x58D4FC, 0xB3F1FC, 0xF4FEFF, 0xCAF8FF, 0x8DD7D3, 0xC3D9DF},
    {clNone, clNone, 0xFDFBF6, 0xFDF5E7, 0xFDDE99, 0xFCEDCB},
    {clNone, clNone, 0xFDF4EB, 0xFDEADB, 0xCEA27D, 0xE0C5AE},
};
}  // namespace

void TAdvCustomDropDown::DrawSelection(TCanvas* Canvas, TRect R, TColor BackgroundColor, int Kind) {
  if (FSelectionColorStyle == scCustom) {
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(FSelectionColor);
    Canvas->Pen()->SetColor(FSelectionColor);
    Canvas->FillRect(R);
    return;
  }
  const TDropDownSelectionBar& b = kDropDownSelectionBars[FSelectionColorStyle - 1];
  DrawSelectionBar(Canvas, FSelectionColor, FSelectionColorTo, b.MirrorFrom, b.MirrorTo, b.TopLine, b.BottomLine,
                   b.Outline, b.InnerCorner, BackgroundColor, R, Kind);
}

void TAdvCustomDropDown::DrawGradientFill(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, TRect R,
                                          TGradientDirection Direction) {
  DrawGradient(Canvas, FromColor, ToColor, static_cast<uint16_t>(std::max(0, Steps)), R, Direction == gdHorizontal);
}

void TAdvCustomDropDown::SetComponentStyle(TQELStyle AStyle) {
  FQELStyle = AStyle;
  const TDropDownPopupStyle* s = DropDownPopupStyle(AStyle);
  if (!s) return;
  SetDropDownColor(s->DropDownColor);
  FDropDownColorTo = s->DropDownColorTo;
  if (s->SetsBorderColor) FDropDownBorderColor = s->DropDownBorderColor;
  ApplyDropDownStripStyle(AStyle, FDropDownHeader.get(), FDropDownFooter.get());
  ApplyDropDownButtonStyle(AStyle, FButtonAppearance.get());
}

void TAdvCustomDropDown::SetColorTones(TColorTones ATones) {
  if (FButton) {
    FButton->SetButtonColor(ATones.Background.BrushColor);
    FButton->SetButtonColorHot(ATones.Hover.BrushColor);
    FButton->SetButtonColorDown(ATones.Selected.BrushColor);
    FButton->SetButtonBorderColor(ATones.Background.BorderColor);
  }
  SetBorderColor(ATones.Background.BorderColor);
}

// ---- Assign --------------------------------------------------------------------------------------

void TAdvCustomDropDown::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TAdvCustomDropDown*>(Source);
  if (!s) return;
  FFocusDraw = s->FFocusDraw;
  FForceShadow = s->FForceShadow;
  FDropDownEnabled = s->FDropDownEnabled;
  FDropDownColor = s->FDropDownColor;
  FDropDownColorTo = s->FDropDownColorTo;
  FDropDownGradient = s->FDropDownGradient;
  FDropDownBorderColor = s->FDropDownBorderColor;
  FDropDownBorderWidth = s->FDropDownBorderWidth;
  FDropDownShadow = s->FDropDownShadow;
  SetDropDownWidth(s->FDropDownWidth);
  SetDropDownHeight(s->FDropDownHeight);
  FDropDownSizeable = s->FDropDownSizeable;
  FEditType = s->FEditType;
  FReturnIsTab = s->FReturnIsTab;
  FLengthLimit = s->FLengthLimit;
  FPrecision = s->FPrecision;
  FPrefix = s->FPrefix;
  FSuffix = s->FSuffix;
  FDefaultHandling = s->FDefaultHandling;
  FCanUndo = s->FCanUndo;
  FExcelStyleDecimalSeparator = s->FExcelStyleDecimalSeparator;
  FValidChars = s->FValidChars;
  FSigned = s->FSigned;
  FAutoThousandSeparator = s->FAutoThousandSeparator;
  FButtonAppearance->Assign(s->FButtonAppearance.get());
  FDropDownHeader->Assign(s->FDropDownHeader.get());
  FDropDownFooter->Assign(s->FDropDownFooter.get());
  FDropPosition = s->FDropPosition;
  SetFlat(s->FFlat);
  SetDropDownButtonWidth(s->FButtonWidth);
  SetDropDownButtonHint(s->FButtonHint);
  SetEditorEnabled(s->FEditorEnabled);
  if (FButton && s->FButton) {
    FButton->SetGlyph(s->FButton->Glyph());
    FButton->SetButtonCaption(s->FButton->ButtonCaption());
  }
  FEtched = s->FEtched;
  SetImages(s->FImages);
  FSelectionColorStyle = s->FSelectionColorStyle;
  FSelectionColor = s->FSelectionColor;
  FSelectionColorTo = s->FSelectionColorTo;
}
