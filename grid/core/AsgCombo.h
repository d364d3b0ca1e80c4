#pragma once
// The pack's combo box: the platform combo box with a frame and drop-down button of its own
// (flat, coloured, themed or classic), focus and border colours, and a caption label that follows
// the control. TAsgCustomCombo holds it all; TAsgComboBox only publishes it.
#include "grid/core/AsgLabel.h"
#include "platform/StdCtrls.h"

class TAsgCustomCombo : public TComboBox {
 public:
  explicit TAsgCustomCombo(TComponent* AOwner);
  ~TAsgCustomCombo() override;
  String ClassName() const override { return u"TAsgCustomCombo"; }
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetEnabled(bool v) override;
  void SetVisible(bool v) override;
  void WndProc(TMessage& Message) override;

  // Takes the current colour as the one to return to after the focus leaves.
  void Init();
  // Selects the first item equal to AString (the list's comparison); nothing when there is none.
  void SelectItem(const String& AString);

  bool AutoFocus() const { return FAutoFocus; }
  void SetAutoFocus(bool v) { FAutoFocus = v; }
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor v);
  int ButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(int v);  // 14 to 32; other values are ignored
  bool DisabledBorder() const { return FDisabledBorder; }
  void SetDisabledBorder(bool v) { FDisabledBorder = v; }
  bool Flat() const { return FFlat; }
  void SetFlat(bool v);
  TColor FlatLineColor() const { return FFlatLineColor; }
  void SetFlatLineColor(TColor v);
  bool FlatParentColor() const { return FFlatParentColor; }
  void SetFlatParentColor(bool v);
  bool Etched() const { return FEtched; }
  void SetEtched(bool v);
  bool FocusBorder() const { return FFocusBorder; }
  void SetFocusBorder(bool v) { FFocusBorder = v; }
  TColor FocusBorderColor() const { return FFocusBorderColor; }
  void SetFocusBorderColor(TColor v) { FFocusBorderColor = v; }
  TColor FocusColor() const { return FFocusColor; }
  void SetFocusColor(TColor v) { FFocusColor = v; }
  bool FocusLabel() const { return FFocusLabel; }
  void SetFocusLabel(bool v) { FFocusLabel = v; }
  int DropWidth() const { return FDropWidth; }
  void SetDropWidth(int v);
  // While loading the colour is also the loaded colour (the one Flat returns to).
  void SetColor(TColor c);

  String LabelCaption() const;
  void SetLabelCaption(const String& v);  // creates the label on first use
  TLabelPosition LabelPosition() const { return FLabelPosition; }
  void SetLabelPosition(TLabelPosition v);
  int LabelMargin() const { return FLabelMargin; }
  void SetLabelMargin(int v);
  bool LabelTransparent() const { return FLabelTransparent; }
  void SetLabelTransparent(bool v);
  bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
  void SetLabelAlwaysEnabled(bool v);
  TFont* LabelFont() const { return FLabelFont.get(); }
  void SetLabelFont(TFont* v);
  TLabel* ComboLabel() const { return FLabel; }

  // Drop-down button colours; ButtonColor clNone draws the themed or classic button.
  TColor ButtonColor = clNone;
  TColor ButtonColorHot = clNone;
  TColor ButtonColorDown = clNone;
  TColor ButtonTextColor = clNone;
  TColor ButtonTextColorHot = clNone;
  TColor ButtonTextColorDown = clNone;
  TColor ButtonBorderColor = clNone;
  bool IsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool v) { FIsWinXP = v; }
  bool IsVista() const { return FIsVista; }
  void SetIsVista(bool v) { FIsVista = v; }
  bool HasFocus() const { return FHasFocus; }
  // The character of the edit part at client X (EM_CHARFROMPOS): the caret position before it,
  // -1 for the list style or outside the edit part.
  int CharFromPos(int X) const;
  bool MouseInControl() const { return FMouseInControl; }
  bool ButtonHover() const { return FButtonHover; }

  TNotifyEvent OnDropUp;

  // Painting of the control's own parts (canvas origin at the window's top-left corner): the
  // client part (button, when the control paints itself), and the frame.
  bool PaintsClient() const;
  void PaintButton(TCanvas* Canvas);
  void PaintFrame(TCanvas* Canvas);
  void PaintOverlay(TCanvas* Canvas) override;

 protected:
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void LayoutLabel();
  bool Themed() const;
  // Active: the mouse is over the control or it is the form's active control.
  bool HotOrActive() const;
  TColor ParentBrushColor() const;

 private:
  void FocusGained();
  void FocusLost();
  void RepaintFrame() { Invalidate(); }

  bool FAutoFocus = false;
  bool FFlat = false;
  bool FEtched = false;
  TColor FOldColor = clWindow;
  TColor FLoadedColor = clWindow;
  bool FOldParentColor = false;
  int FButtonWidth = 19;
  bool FFocusBorder = false;
  bool FMouseInControl = false;
  int FDropWidth = 0;
  bool FIsWinXP = false;
  bool FIsThemed = false;
  bool FButtonHover = false;
  bool FLabelAlwaysEnabled = false;
  bool FLabelTransparent = false;
  int FLabelMargin = 4;
  std::unique_ptr<TFont> FLabelFont;
  TLabelPosition FLabelPosition = lpLeftTop;
  TLabel* FLabel = nullptr;
  bool FFlatParentColor = true;
  TColor FFocusColor = clNone;
  TColor FFocusBorderColor = clNone;
  TColor FBorderColor = clNone;
  bool FDisabledBorder = true;
  TColor FNormalColor = clWindow;
  bool FHasFocus = false;
  bool FFocusLabel = false;
  TColor FFlatLineColor = clNone;
  bool FIsVista = false;
};

class TAsgComboBox : public TAsgCustomCombo {
 public:
  explicit TAsgComboBox(TComponent* AOwner) : TAsgCustomCombo(AOwner) {}
  String ClassName() const override { return u"TAsgComboBox"; }
};
