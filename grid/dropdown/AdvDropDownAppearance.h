#pragma once
// The header and footer settings of a drop-down popup and the push buttons they describe. They
// only hold data and report changes: Visible through OnChange, a button's Caption, Enabled or
// Width through OnButtonsChanged; nothing else notifies, so owners repaint only when it matters.
#include <cstdint>
#include <memory>

#include "platform/Classes.h"
#include "platform/Forms.h"
#include "platform/Graphics.h"

enum TGradientDirection : uint8_t { gdHorizontal, gdVertical };
enum TButtonAlignment : uint8_t { baLeft, baRight };

class THeaderButton : public TCollectionItem {
 public:
  explicit THeaderButton(TCollection* ACollection) : TCollectionItem(ACollection) {}
  String ClassName() const override { return u"THeaderButton"; }
  void Assign(TPersistent* Source) override;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { FImageIndex = Value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }

 private:
  String FCaption;
  int FImageIndex = -1;
  bool FEnabled = true;
  int FWidth = 0;
  int FHeight = 0;
};

class TFooterButton : public TCollectionItem {
 public:
  explicit TFooterButton(TCollection* ACollection) : TCollectionItem(ACollection) {}
  String ClassName() const override { return u"TFooterButton"; }
  void Assign(TPersistent* Source) override;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { FImageIndex = Value; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }

 private:
  String FCaption;
  bool FEnabled = true;
  int FImageIndex = -1;
  TModalResult FModalResult = 0;
  int FWidth = 0;
  int FHeight = 0;
};

class THeaderButtons : public TOwnedCollection {
 public:
  explicit THeaderButtons(TPersistent* AOwner);
  String ClassName() const override { return u"THeaderButtons"; }
  THeaderButton* Add() { return static_cast<THeaderButton*>(TCollection::Add()); }
  THeaderButton* Insert(int Index) { return static_cast<THeaderButton*>(TCollection::Insert(Index)); }
  THeaderButton* Items(int Index) const { return static_cast<THeaderButton*>(TCollection::Items(Index)); }
  void SetItems(int Index, THeaderButton* Value) { Items(Index)->Assign(Value); }
  TNotifyEvent OnChange;

 private:
  TPersistent* FOwner;
};

class TFooterButtons : public TCollection {
 public:
  explicit TFooterButtons(TPersistent* AOwner);
  String ClassName() const override { return u"TFooterButtons"; }
  TFooterButton* Add() { return static_cast<TFooterButton*>(TCollection::Add()); }
  TFooterButton* Insert(int Index) { return static_cast<TFooterButton*>(TCollection::Insert(Index)); }
  TFooterButton* Items(int Index) const { return static_cast<TFooterButton*>(TCollection::Items(Index)); }
  void SetItems(int Index, TFooterButton* Value) { Items(Index)->Assign(Value); }
  TNotifyEvent OnChange;

 protected:
  TPersistent* GetOwner() override { return FOwner; }

 private:
  TPersistent* FOwner;
};

// What the header and the footer settings share: the strip's look, its caption and its buttons.
// Each keeps its own Assign (their copy orders differ) and answers Assign only from its own class.
template <class TButtons>
class TDropDownStripAppearance : public TPersistent {
 public:
  explicit TDropDownStripAppearance(TPersistent* AOwner)
      : FOwner(AOwner), FFont(std::make_unique<TFont>()), FButtons(std::make_unique<TButtons>(AOwner)) {
    FButtons->OnChange = [this](TObject*) {
      if (OnButtonsChanged) OnButtonsChanged(this);
    };
  }
  ~TDropDownStripAppearance() override = default;

  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value) { FColorTo = Value; }
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value) { FCaption = Value; }
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TGradientDirection GradientDirection() const { return FGradientDirection; }
  void SetGradientDirection(TGradientDirection Value) { FGradientDirection = Value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value) {
    if (FVisible == Value) return;
    FVisible = Value;
    if (OnChange) OnChange(this);
  }
  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { FBorderColor = Value; }
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value) { FBorderWidth = Value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { FImageIndex = Value; }
  TButtons* Buttons() const { return FButtons.get(); }
  void SetButtons(TButtons* Value) { FButtons->Assign(Value); }
  TButtonAlignment ButtonAlignment() const { return FButtonAlignment; }
  void SetButtonAlignment(TButtonAlignment Value) { FButtonAlignment = Value; }

  TNotifyEvent OnChange;
  TNotifyEvent OnButtonsChanged;

 protected:
  TPersistent* GetOwner() override { return FOwner; }

  TPersistent* FOwner;
  bool FVisible = true;
  int FHeight = 22;
  int FBorderWidth = 1;
  int FImageIndex = -1;
  String FCaption;
  TColor FColorTo = clWhite;
  TColor FColor = clSilver;
  TColor FBorderColor = clBlack;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TButtons> FButtons;
  TGradientDirection FGradientDirection = gdVertical;
  TButtonAlignment FButtonAlignment = baRight;
};

class THeaderAppearance : public TDropDownStripAppearance<THeaderButtons> {
 public:
  explicit THeaderAppearance(TPersistent* AOwner);
  String ClassName() const override { return u"THeaderAppearance"; }
  // From another header only (anything else is ignored without an error).
  void Assign(TPersistent* Source) override;
  void AssignColors(TPersistent* Source);
};

class TFooterAppearance : public TDropDownStripAppearance<TFooterButtons> {
 public:
  explicit TFooterAppearance(TPersistent* AOwner) : TDropDownStripAppearance(AOwner) {}
  String ClassName() const override { return u"TFooterAppearance"; }
  // From another footer only (anything else is ignored without an error).
  void Assign(TPersistent* Source) override;
  void AssignColors(TPersistent* Source);

  bool SizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool Value) { FSizeGrip = Value; }

 private:
  bool FSizeGrip = true;
};
