#pragma once
// The strips at the top and bottom of a drop-down popup: a background, a border line, an image
// and a mini-HTML caption, and one popup push button per entry of the drop-down's header or footer
// button collection. The footer also draws a size grip from which the user resizes the popup.
#include <vector>

#include "grid/dropdown/AdvDropDownAppearance.h"
#include "grid/dropdown/AdvDropDownPushButton.h"
#include "platform/Classes.h"
#include "platform/Controls.h"

class TAdvCustomDropDown;
using TDrawBackGroundEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect)>;
using TGetTextEvent = std::function<void(TObject* Sender, String& Text)>;

// A pointer list whose indexed access is bounds-tested.
class TDbgList : public TList {
 public:
  // Raises for Index >= Count: "Index out of bounds in list read access".
  void* GetItemsEx(int Index) const;
  // Raises for Index >= Count: "Index out of bounds in list write access".
  void SetItemsEx(int Index, void* Value);
  void AssignList(TList* ListA);
};

// What the header and the footer share; TAppearance is THeaderAppearance or TFooterAppearance.
template <class TAppearance>
class TAdvDropDownStrip : public TCustomControl {
 public:
  explicit TAdvDropDownStrip(TComponent* AOwner);
  ~TAdvDropDownStrip() override;

  TAppearance* Appearance() const { return FAppearance.get(); }
  void SetAppearance(TAppearance* Value) { FAppearance->Assign(Value); }
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  TAdvCustomDropDown* AdvDropDown() const { return FAdvDropDown; }
  void SetAdvDropDown(TAdvCustomDropDown* DropDown);
  int ButtonCount() const { return FButtonList.Count(); }
  TAdvButton* Buttons(int Index) const { return static_cast<TAdvButton*>(FButtonList.GetItemsEx(Index)); }

  void BuildButtons();
  virtual void CreateButtons();
  virtual void ClearButtons();
  virtual void ArrangeButtons();
  virtual void UpdateButtons();
  // Where the buttons are laid out (client coordinates).
  virtual TRect ButtonArea() const;

  void WndProc(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TDrawBackGroundEvent OnDrawBackGround;
  TGetTextEvent OnGetText;

 protected:
  void Paint() override;
  // The border lines of the strip (header: bottom; footer: top) and the rest of the frame when
  // the popup has no border of its own.
  virtual void DrawStripBorder(TCanvas* Canvas, const TRect& R) = 0;
  virtual void DrawAfterCaption(TCanvas* Canvas, const TRect& R) { (void)Canvas; (void)R; }
  virtual void ButtonClicked(int Index) = 0;
  virtual void ConfigureButton(TAdvButton* Button, int Index) { (void)Button; (void)Index; }
  // The drop-down's popup has a border of its own.
  bool PopupHasBorder() const;

  std::unique_ptr<TAppearance> FAppearance;
  TImageList* FImages = nullptr;
  TAdvCustomDropDown* FAdvDropDown = nullptr;
  TDbgList FButtonList;
};

class TAdvHeader : public TAdvDropDownStrip<THeaderAppearance> {
 public:
  explicit TAdvHeader(TComponent* AOwner);
  String ClassName() const override { return u"TAdvHeader"; }

 protected:
  void DrawStripBorder(TCanvas* Canvas, const TRect& R) override;
  void ButtonClicked(int Index) override;
};

class TAdvFooter : public TAdvDropDownStrip<TFooterAppearance> {
 public:
  explicit TAdvFooter(TComponent* AOwner);
  String ClassName() const override { return u"TAdvFooter"; }
  TRect ButtonArea() const override;
  // The grip is drawn and active: SizeGrip on, a drop-down bound and its popup sizeable.
  bool GripOn() const;
  // The rectangle the grip is drawn in.
  TRect GripRect() const;
  void WndProc(TMessage& Message) override;

 protected:
  void DrawStripBorder(TCanvas* Canvas, const TRect& R) override;
  void DrawAfterCaption(TCanvas* Canvas, const TRect& R) override;
  void ButtonClicked(int Index) override;
  void ConfigureButton(TAdvButton* Button, int Index) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  bool InGrip(int X, int Y) const;
  void RestoreCursor();
  TCursor FOldCursor = crDefault;
};
