#include "grid/dropdown/AdvDropDownAppearance.h"

namespace {

// A button item's change goes to its collection's OnChange, the collection being the sender.
template <class TButtons>
void DropDownButtonChanged(TCollection* Collection) {
  auto* buttons = dynamic_cast<TButtons*>(Collection);
  if (buttons && buttons->OnChange) buttons->OnChange(buttons);
}

template <class T, class TButtons>
void StoreAndNotify(T& Field, const T& Value, TCollection* Collection) {
  if (Field == Value) return;
  Field = Value;
  DropDownButtonChanged<TButtons>(Collection);
}

}  // namespace

// ---- buttons ------------------------------------------------------------------------------------

void THeaderButton::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<THeaderButton*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  SetCaption(s->FCaption);
  FImageIndex = s->FImageIndex;
  SetEnabled(s->FEnabled);
  SetWidth(s->FWidth);
  SetHeight(s->FHeight);
}

void THeaderButton::SetCaption(const String& Value) { StoreAndNotify<String, THeaderButtons>(FCaption, Value, Collection()); }
void THeaderButton::SetEnabled(bool Value) { StoreAndNotify<bool, THeaderButtons>(FEnabled, Value, Collection()); }
void THeaderButton::SetWidth(int Value) { StoreAndNotify<int, THeaderButtons>(FWidth, Value, Collection()); }

void TFooterButton::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TFooterButton*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  SetCaption(s->FCaption);
  FImageIndex = s->FImageIndex;
  FModalResult = s->FModalResult;
  SetEnabled(s->FEnabled);
  SetWidth(s->FWidth);
  SetHeight(s->FHeight);
}

void TFooterButton::SetCaption(const String& Value) { StoreAndNotify<String, TFooterButtons>(FCaption, Value, Collection()); }
void TFooterButton::SetEnabled(bool Value) { StoreAndNotify<bool, TFooterButtons>(FEnabled, Value, Collection()); }
void TFooterButton::SetWidth(int Value) { StoreAndNotify<int, TFooterButtons>(FWidth, Value, Collection()); }

THeaderButtons::THeaderButtons(TPersistent* AOwner)
    : TOwnedCollection(AOwner, [](TCollection* c) -> TCollectionItem* { return New<THeaderButton>(c); }),
      FOwner(AOwner) {}

TFooterButtons::TFooterButtons(TPersistent* AOwner)
    : TCollection([](TCollection* c) -> TCollectionItem* { return New<TFooterButton>(c); }), FOwner(AOwner) {}

// ---- header -------------------------------------------------------------------------------------

THeaderAppearance::THeaderAppearance(TPersistent* AOwner) : TDropDownStripAppearance(AOwner) {
  FFont->SetName(u"Tahoma");
}

void THeaderAppearance::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<THeaderAppearance*>(Source);
  if (!s) return;
  FColorTo = s->FColorTo;
  FColor = s->FColor;
  FBorderColor = s->FBorderColor;
  FCaption = s->FCaption;
  FFont->Assign(s->FFont.get());
  FImageIndex = s->FImageIndex;
  FBorderWidth = s->FBorderWidth;
  FGradientDirection = s->FGradientDirection;
  FHeight = s->FHeight;
  SetVisible(s->FVisible);
  FButtonAlignment = s->FButtonAlignment;
  FButtons->Assign(s->FButtons.get());
}

void THeaderAppearance::AssignColors(TPersistent* Source) {
  auto* s = dynamic_cast<THeaderAppearance*>(Source);
  if (!s) return;
  FColorTo = s->FColorTo;
  FColor = s->FColor;
  FBorderColor = s->FBorderColor;
  FFont->Assign(s->FFont.get());
  FGradientDirection = s->FGradientDirection;
}

// ---- footer -------------------------------------------------------------------------------------


void TFooterAppearance::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TFooterAppearance*>(Source);
  if (!s) return;
  FBorderColor = s->FBorderColor;
  FColor = s->FColor;
  FColorTo = s->FColorTo;
  FGradientDirection = s->FGradientDirection;
  FFont->Assign(s->FFont.get());
  FCaption = s->FCaption;
  FSizeGrip = s->FSizeGrip;
  FBorderWidth = s->FBorderWidth;
  FHeight = s->FHeight;
  FImageIndex = s->FImageIndex;
  SetVisible(s->FVisible);
  FButtonAlignment = s->FButtonAlignment;
  FButtons->Assign(s->FButtons.get());
}

void TFooterAppearance::AssignColors(TPersistent* Source) {
  auto* s = dynamic_cast<TFooterAppearance*>(Source);
  if (!s) return;
  FBorderColor = s->FBorderColor;
  FColor = s->FColor;
  FColorTo = s->FColorTo;
  FGradientDirection = s->FGradientDirection;
  FFont->Assign(s->FFont.get());
}
