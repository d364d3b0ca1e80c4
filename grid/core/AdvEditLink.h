#pragma once
// Custom cell editors: an application derives from TEditLink and gives the grid a control of its
// own, which the grid opens over the cell (esInplace) or in a borderless popup form at the cell
// (esPopup), fills with the cell text, and reads back when the edit ends.
#include "platform/Classes.h"
#include "platform/Controls.h"
#include "platform/Forms.h"
#include "platform/Graphics.h"

class TAdvStringGrid;

enum TEditStyle : uint8_t { esInplace, esPopup };

class TEditLink : public TComponent {
 public:
  explicit TEditLink(TComponent* AOwner);
  ~TEditLink() override;
  String ClassName() const override { return u"TEditLink"; }

  // The key filter: the link's control calls it from its key-down event.
  virtual void EditKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
  virtual TWinControl* GetEditControl() { return nullptr; }
  virtual void CreateEditor(TWinControl* AParent) { (void)AParent; }
  virtual void DestroyEditor() {}
  virtual void SetFocus(bool Value);
  virtual void SetRect(TRect R);
  virtual void SetVisible(bool Value);
  virtual void SetProperties() {}
  virtual void SetCellProps(TColor AColor, TFont* AFont) {
    (void)AColor;
    (void)AFont;
  }
  virtual String GetEditorValue() { return String(); }
  virtual void SetEditorValue(const String& s) { (void)s; }

  void EditExit(TObject* Sender);
  // The popup form's deactivation.
  void FormExit(TObject* Sender);
  String GetCellValue();
  void SetCellValue(const String& s);
  TWinControl* GetParent();
  void RestoreWinProc();
  void HideEditor();

  TAdvStringGrid* Grid() const { return FOwner; }
  TPoint EditCell() const { return FEditCell; }
  TForm* PopupForm() const { return FPopupForm; }
  bool WantKeyLeftRight() const { return FWantKeyLeftRight; }
  void SetWantKeyLeftRight(bool v) { FWantKeyLeftRight = v; }
  bool WantKeyUpDown() const { return FWantKeyUpDown; }
  void SetWantKeyUpDown(bool v) { FWantKeyUpDown = v; }
  bool WantKeyHomeEnd() const { return FWantKeyHomeEnd; }
  void SetWantKeyHomeEnd(bool v) { FWantKeyHomeEnd = v; }
  bool WantKeyPriorNext() const { return FWantKeyPriorNext; }
  void SetWantKeyPriorNext(bool v) { FWantKeyPriorNext = v; }
  bool WantKeyReturn() const { return FWantKeyReturn; }
  void SetWantKeyReturn(bool v) { FWantKeyReturn = v; }
  bool WantKeyEscape() const { return FWantKeyEscape; }
  void SetWantKeyEscape(bool v) { FWantKeyEscape = v; }
  TEditStyle EditStyle() const { return FEditStyle; }
  void SetEditStyle(TEditStyle v) { FEditStyle = v; }
  int PopupWidth() const { return FPopupWidth; }
  void SetPopupWidth(int v) { FPopupWidth = v; }
  int PopupHeight() const { return FPopupHeight; }
  void SetPopupHeight(int v) { FPopupHeight = v; }
  int Tag() const { return FTag; }
  void SetTag(int v) { FTag = v; }
  bool AutoPopupWidth() const { return FAutoPopupWidth; }
  void SetAutoPopupWidth(bool v) { FAutoPopupWidth = v; }
  int PopupLeft() const { return FPopupLeft; }
  void SetPopupLeft(int v) { FPopupLeft = v; }
  int PopupTop() const { return FPopupTop; }
  void SetPopupTop(int v) { FPopupTop = v; }
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool v) { FWantReturns = v; }
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool v) { FWantTabs = v; }

 private:
  friend class TAdvStringGrid;
  // The grid takes the focus back from the link itself.
  void FocusGridForced();

  TAdvStringGrid* FOwner = nullptr;
  bool FWantKeyLeftRight = false;
  bool FWantKeyUpDown = false;
  bool FWantKeyHomeEnd = false;
  bool FWantKeyPriorNext = false;
  bool FWantKeyReturn = false;
  bool FWantKeyEscape = false;
  TEditStyle FEditStyle = esInplace;
  TForm* FPopupForm = nullptr;
  int FPopupWidth = 0;
  int FPopupHeight = 0;
  bool FForcedExit = false;
  TPoint FEditCell{};
  int FTag = 0;
  bool FAutoPopupWidth = false;
  int FPopupLeft = -1;
  int FPopupTop = -1;
  bool FSubClassed = false;
  bool FWantReturns = false;
  bool FWantTabs = false;
  TControl::TWndMethod FSavedWndProc;
};

// The one popup form of the edit links ("gridform"); made on first use.
TForm* EditLinkPopupForm();
