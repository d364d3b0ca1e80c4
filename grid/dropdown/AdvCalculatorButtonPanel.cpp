// The calculator's key panel: key table, arrangement, painting and the press-release click rule.
#include "grid/dropdown/AdvCalculatorButtonPanel.h"

#include <algorithm>

#include "grid/dropdown/AdvDropDownDraw.h"

// ---- one key -------------------------------------------------------------------------------------

TButtonItem::TButtonItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FImage(std::make_unique<TPicture>()) {}

void TButtonItem::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TButtonItem*>(Source);
  if (!s) {
    TCollectionItem::Assign(Source);
    return;
  }
  FCaption = s->FCaption;
  FCaptionColor = s->FCaptionColor;
  FTag = s->FTag;
  FImageIndex = s->FImageIndex;
  FImage->Assign(s->FImage.get());
  FEnabled = s->FEnabled;
  FName = s->FName;
}

TButtonItems::TButtonItems(TPersistent* AOwner)
    : TCollection([](TCollection* c) -> TCollectionItem* { return New<TButtonItem>(c); }), FOwner(AOwner) {}

void TButtonItems::Update(TCollectionItem* Item) {
  TCollection::Update(Item);
  if (OnChange) OnChange(this);
}

// ---- key look ------------------------------------------------------------------------------------

TButtonAppearance::TButtonAppearance() : FFont(std::make_unique<TFont>()) {
  FColorChecked = ShadeColor(static_cast<TColor>(0xF5F0E1), -10, -10, 0);
  FColorCheckedTo = ShadeColor(static_cast<TColor>(0xF9D2B2), -10, -10, 0);
  FColorDisabled = ShadeColor(clWhite, -5, -5, -5);
  FColorDisabledTo = ShadeColor(clWhite, -5, -5, -5);
  FFont->SetSize(10);
  FFont->SetStyle(TFontStyles{fsBold});
}

void TButtonAppearance::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TButtonAppearance*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  FGlowColorHot = s->FGlowColorHot;
  FGlowColorDown = s->FGlowColorDown;
  SetBorderColor(s->FBorderColor);
  SetBorderColorHot(s->FBorderColorHot);
  SetBorderColorDown(s->FBorderColorDown);
  SetBorderColorChecked(s->FBorderColorChecked);
  SetColor(s->FColor);
  SetColorTo(s->FColorTo);
  SetColorHot(s->FColorHot);
  SetColorHotTo(s->FColorHotTo);
  SetColorDown(s->FColorDown);
  SetColorDownTo(s->FColorDownTo);
  SetColorChecked(s->FColorChecked);
  SetColorCheckedTo(s->FColorCheckedTo);
  SetColorDisabled(s->FColorDisabled);
  SetColorDisabledTo(s->FColorDisabledTo);
  FShineColor = s->FShineColor;
  FFont->Assign(s->FFont.get());
  FTextColor = s->FTextColor;
  FSpecialTextColor = s->FSpecialTextColor;
}

// ---- the panel -----------------------------------------------------------------------------------

namespace {
struct TCalcKeyRow {
  const char16_t* Caption;
  const char16_t* Name;
  int Tag;
  bool Special;
};
// In collection order; the calculator goes by the tags.
constexpr TCalcKeyRow kCalcKeys[] = {
    {u"", u"BTN_ON", 30, false},     {u"Back", u"BTN_BACK", 31, true}, {u"CE", u"BTN_CE", 32, true},
    {u"C", u"BTN_C", 16, true},      {u"MC", u"BTN_MC", 33, true},     {u"MR", u"BTN_MR", 34, true},
    {u"MS", u"BTN_MS", 35, true},    {u"M+", u"BTN_M+", 36, true},     {u"0", u"BTN_0", 0, false},
    {u"1", u"BTN_1", 1, false},      {u"4", u"BTN_4", 4, false},       {u"7", u"BTN_7", 7, false},
    {u"8", u"BTN_8", 8, false},      {u"5", u"BTN_5", 5, false},       {u"2", u"BTN_2", 2, false},
    {u"+/-", u"BTN_+/-", 14, false}, {u".", u"BTN_.", 15, false},      {u"3", u"BTN_3", 3, false},
    {u"6", u"BTN_6", 6, false},      {u"9", u"BTN_9", 9, false},       {u"/", u"BTN_/", 13, true},
    {u"*", u"BTN_*", 12, true},      {u"-", u"BTN_-", 11, true},       {u"+", u"BTN_+", 10, true},
    {u"=", u"BTN_=", 17, true},      {u"1/x", u"BTN_1/x", 38, false},  {u"%", u"BTN_%", 18, false},
    {u"sqrt", u"BTN_sqrt", 37, true},
};
// Collection index of the key at each main row (y1..y4) and column (x0..x5).
constexpr int kCalcGrid[4][6] = {
    {4, 11, 12, 19, 20, 27},  // MC 7 8 9 / sqrt
    {5, 10, 13, 18, 21, 26},  // MR 4 5 6 * %
    {6, 9, 14, 17, 22, 25},   // MS 1 2 3 - 1/x
    {7, 8, 15, 16, 23, 24},   // M+ 0 +/- . + =
};
}  // namespace

TCustomButtonPanel::TCustomButtonPanel(TComponent* AOwner)
    : TCustomControl(AOwner),
      FButtons(std::make_unique<TButtonItems>(this)),
      FButtonAppearance(std::make_unique<TButtonAppearance>()) {
  FButtons->OnChange = [this](TObject*) {
    if (!FAdvDropDown) Invalidate();
  };
  FButtonAppearance->OnChange = [this](TObject*) {
    if (!FAdvDropDown) Invalidate();
  };
  SetDoubleBuffered(true);
}

TCustomButtonPanel::~TCustomButtonPanel() {
  FButtons->OnChange = nullptr;
  FButtonAppearance->OnChange = nullptr;
  if (FImages) FImages->RemoveFreeNotification(this);
  if (FEdit) FEdit->RemoveFreeNotification(this);
}

void TCustomButtonPanel::SetImages(TImageList* Value) {
  if (FImages == Value) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  ArrangeButtons();
  Invalidate();
}

void TCustomButtonPanel::SetEdit(TWinControl* Value) {
  if (FEdit) FEdit->RemoveFreeNotification(this);
  FEdit = Value;
  if (FEdit) FEdit->FreeNotification(this);
}

void TCustomButtonPanel::SetButtonPanelType(TButtonPanelType Value) {
  if (FButtonPanelType == Value) return;
  FButtonPanelType = Value;
  ArrangeButtons();
  Invalidate();
}

void TCustomButtonPanel::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FImages) FImages = nullptr;
  if (AComponent == FEdit) FEdit = nullptr;
}

void TCustomButtonPanel::Loaded() {
  TCustomControl::Loaded();
  if (!FAdvDropDown) CreateButtons();
}

void TCustomButtonPanel::ButtonClick(int Index) {
  if (OnButtonClick) OnButtonClick(this, Index);
}

TRect TCustomButtonPanel::GetButtonRect(int Index) const {
  if (Index < 0 || Index >= FButtons->Count()) return Rect(-1, -1, -1, -1);
  return FButtons->Items(Index)->Rect();
}

int TCustomButtonPanel::ButtonAtPos(int X, int Y) const {
  for (int i = 0; i < FButtons->Count(); ++i)
    if (PtInRect(FButtons->Items(i)->Rect(), Point(X, Y))) return i;
  return -1;
}

TRect TCustomButtonPanel::GetButtonArea() const {
  TRect r = ClientRect();
  InflateRect(r, -FOffSetX, -FOffSetY);
  return r;
}

void TCustomButtonPanel::InvalidateButton(int Index) {
  if (Index < 0 || Index >= FButtons->Count()) return;
  TRect r = GetButtonRect(Index);
  InflateRect(r, 8, 8);
  (void)r;  // the neighbours' shared edges repaint with it
  Invalidate();
}

bool TCustomButtonPanel::ExistingDisabled(int Index) const {
  return Index >= 0 && Index < FButtons->Count() && !FButtons->Items(Index)->Enabled();
}

void TCustomButtonPanel::DrawButtonNow(int Index) {
  // Painting goes through the paint message; the key shows at the next one.
  InvalidateButton(Index);
}

void TCustomButtonPanel::SetButtonHot(int Index) {
  if (Index == FHotButton || ExistingDisabled(Index)) return;
  const int old = FHotButton;
  FHotButton = -1;
  InvalidateButton(old);
  FHotButton = Index;
  if (Index >= 0) DrawButtonNow(Index);
}

void TCustomButtonPanel::SetButtonDown(int Index) {
  if (Index == FDownButton || ExistingDisabled(Index)) return;
  const int old = FDownButton;
  FDownButton = -1;
  InvalidateButton(old);
  FDownButton = Index;
  if (Index >= 0) DrawButtonNow(Index);
}

void TCustomButtonPanel::ClearButtons() { FButtons->Clear(); }

void TCustomButtonPanel::ResetButtons() {
  ClearButtons();
  CreateButtons();
}

void TCustomButtonPanel::CreateButtons() {
  if (FButtons->Count() > 0) return;
  if (FButtonPanelType == plCalculator) {
    FButtons->BeginUpdate();
    for (const TCalcKeyRow& k : kCalcKeys) {
      TButtonItem* item = FButtons->Add();
      item->SetCaption(k.Caption);
      item->SetName(k.Name);
      item->SetTag(k.Tag);
      item->SetSpecial(k.Special);
      if (k.Special) item->SetCaptionColor(static_cast<TColor>(0x000080));
    }
    FButtons->EndUpdate();
  }
  ArrangeButtons();
}

void TCustomButtonPanel::ArrangeButtons() {
  if (FButtonPanelType != plCalculator || FButtons->Count() < static_cast<int>(std::size(kCalcKeys))) return;
  const TRect a = GetButtonArea();
  constexpr int g = 4;
  const int w = (a.Right - a.Left - 2 * g) / 6;
  const int h = (a.Bottom - a.Top - g) / 5;
  const int y0 = a.Top;
  const int y1 = a.Top + h + g;
  const int ys[4] = {y1, y1 + h - 1, y1 + 2 * (h - 1), y1 + 3 * (h - 1)};
  const int x0 = a.Left;
  const int x1 = x0 + w + g;
  const int x2 = x1 + w - 1;
  const int x3 = x2 + w - 1;
  const int x4 = x3 + w + g;
  const int x5 = x4 + w - 1;
  const int xs[6] = {x0, x1, x2, x3, x4, x5};
  const int e = x5 + w;
  auto place = [this](int Index, int L, int T, int W, int H) {
    TButtonItem* item = FButtons->Items(Index);
    item->SetLeft(L);
    item->SetTop(T);
    item->SetWidth(W);
    item->SetHeight(H);
  };
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 6; ++col) place(kCalcGrid[row][col], xs[col], ys[row], w, h);
  place(0, x0, y0, w, h);
  const int s = x0 + w + g;
  const int v = (e - s - 2 * g) / 3;
  place(1, s, y0, v, h);
  place(2, s + v + g, y0, v, h);
  place(3, s + 2 * v + 2 * g, y0, e - (s + 2 * v + 2 * g), h);
}

void TCustomButtonPanel::GetButtonSize(int& W, int& H) {
  TCanvas* c = Canvas();
  c->Font()->Assign(Font());
  int imageW = 0, imageH = 0, textW = 0, textH = 0;
  for (int i = 0; i < FButtons->Count(); ++i) {
    TButtonItem* item = FButtons->Items(i);
    if (item->Image()->Graphic() && !item->Image()->Graphic()->Empty()) {
      imageW = std::max(imageW, item->Image()->Width());
      imageH = std::max(imageH, item->Image()->Height());
    } else if (FImages && item->ImageIndex() >= 0) {
      imageW = std::max(imageW, FImages->Width());
      imageH = std::max(imageH, FImages->Height());
    }
    const TSize t = c->TextExtent(item->Caption());
    textW = std::max(textW, t.cx);
    textH = std::max(textH, t.cy);
  }
  if (FButtonLayout == ilCaptionLeft || FButtonLayout == ilCaptionRight) {
    W = 2 * FButtonOffSetX + (imageW > 0 ? imageW : 0) + (imageW > 0 && textW > 0 ? FCaptionGap : 0) + textW;
    H = std::max(textH, imageH) + 2 * FButtonOffSetY;
  } else {
    W = std::max(textW, imageW) + 2 * FButtonOffSetX;
    H = 2 * FButtonOffSetY + (imageH > 0 ? imageH : 0) + (imageH > 0 && textH > 0 ? FCaptionGap : 0) + textH;
  }
}

void TCustomButtonPanel::DrawButton(int Index, TCanvas* ACanvas) {
  if (Index < 0 || Index >= FButtons->Count() || !ACanvas) return;
  TButtonItem* item = FButtons->Items(Index);
  TRect r = item->Rect();
  if (r.Left < 0 && r.Right < 0) return;
  ACanvas->FillRect(r);
  using namespace ThemeParts;
  const int state = !Enabled() ? PBS_DISABLED : Index == FDownButton ? PBS_PRESSED : Index == FHotButton ? PBS_HOT : PBS_NORMAL;
  // Without visual styles the platform's push-button frame control stands in.
  if (!IsThemeActive() || !ThemeDrawBackground(ACanvas, u"button", BP_PUSHBUTTON, state, r)) {
    unsigned flags = DFCS_BUTTONPUSH;
    if (state == PBS_PRESSED) flags |= DFCS_PUSHED;
    if (state == PBS_DISABLED) flags |= DFCS_INACTIVE;
    DrawFrameControl(ACanvas, r, DFC_BUTTON, flags);
  }
  InflateRect(r, -FButtonOffSetX, -FButtonOffSetY);
  ACanvas->Font()->Assign(FButtonAppearance->Font());
  ACanvas->Font()->SetColor(item->Special() ? FButtonAppearance->SpecialTextColor() : FButtonAppearance->TextColor());
  ACanvas->Brush()->SetStyle(bsClear);
  TGraphic* picture = item->Image()->Graphic() && !item->Image()->Graphic()->Empty() ? item->Image()->Graphic() : nullptr;
  const bool listImage = !picture && FImages && item->ImageIndex() >= 0;
  const int imageW = picture ? picture->Width() : listImage ? FImages->Width() : 0;
  const int imageH = picture ? picture->Height() : listImage ? FImages->Height() : 0;
  auto drawImage = [&](int X, int Y) {
    if (picture) ACanvas->Draw(X, Y, picture);
    else if (listImage) FImages->Draw(ACanvas, X, Y, item->ImageIndex(), item->Enabled());
  };
  const bool hasImage = picture || listImage;
  const unsigned align = hasImage ? DT_LEFT : DT_CENTER;
  const String& caption = item->Caption();
  const int midY = r.Top + (r.Bottom - r.Top - imageH) / 2;
  switch (FButtonLayout) {
    case ilCaptionLeft: {
      TRect t = r;
      if (!caption.empty()) t.Right -= imageW;
      DrawText(ACanvas, caption, t, DT_SINGLELINE | DT_VCENTER | align);
      if (hasImage) drawImage(r.Left + (caption.empty() ? 0 : ACanvas->TextWidth(caption) + FCaptionGap), midY);
      break;
    }
    case ilCaptionRight: {
      TRect t = r;
      if (hasImage) {
        drawImage(r.Left, midY);
        t.Left += imageW + FCaptionGap;
      }
      DrawText(ACanvas, caption, t, DT_SINGLELINE | DT_VCENTER | align);
      break;
    }
    case ilCaptionTop: {
      TRect t = r;
      if (!caption.empty()) {
        t.Bottom -= imageH;
        DrawText(ACanvas, caption, t, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        if (hasImage) drawImage(r.Left, t.Top + ACanvas->TextHeight(caption) + FCaptionGap);
      } else if (hasImage) {
        drawImage(r.Left, midY);
      }
      break;
    }
    case ilCaptionBottom: {
      if (caption.empty()) {
        if (hasImage) drawImage(r.Left, midY);
        break;
      }
      if (hasImage) drawImage(r.Left, r.Top);
      TRect t = r;
      t.Top += imageH + (hasImage ? FCaptionGap : 0);
      DrawText(ACanvas, caption, t, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
      break;
    }
  }
}

void TCustomButtonPanel::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Color());
  c->FillRect(ClientRect());
  if (!FAdvDropDown) {
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetColor(clBlack);
    c->Pen()->SetWidth(1);
    c->Rectangle(ClientRect());
  }
  for (int i = 0; i < FButtons->Count(); ++i) {
    if (i == FHotButton) continue;
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    DrawButton(i, c);
  }
  // The hot key last, so that its border lies over its neighbours'.
  if (FHotButton >= 0) {
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    DrawButton(FHotButton, c);
  }
}

void TCustomButtonPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  const int i = ButtonAtPos(X, Y);
  if (i >= 0 && FButtons->Items(i)->Enabled()) SetButtonDown(i);
}

void TCustomButtonPanel::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  const int i = ButtonAtPos(X, Y);
  if (i >= 0) {
    if (i != FHotButton) SetButtonHot(FButtons->Items(i)->Enabled() ? i : -1);
  } else if (FHotButton >= 0) {
    SetButtonHot(-1);
  }
}

void TCustomButtonPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (FDownButton < 0) return;
  const int under = ButtonAtPos(X, Y);
  const int clicked = under == FDownButton ? under : -1;
  SetButtonDown(-1);
  if (clicked >= 0) ButtonClick(clicked);
}

void TCustomButtonPanel::Resize() {
  TCustomControl::Resize();
  ArrangeButtons();
}

void TCustomButtonPanel::WndProc(TMessage& Message) {
  if (Message.Msg == CM_MOUSELEAVE) SetButtonHot(-1);
  TCustomControl::WndProc(Message);
}
