#pragma once
// A drop-down edit of multi-line text: its popup holds a memo; the edit shows the first line,
// with "..." when it is cut or more lines follow.
#include <memory>

#include "grid/dropdown/AdvDropDown.h"
#include "platform/Menus.h"

class TAdvMemoDropDown : public TAdvCustomDropDown {
 public:
  explicit TAdvMemoDropDown(TComponent* AOwner);
  ~TAdvMemoDropDown() override;
  String ClassName() const override { return u"TAdvMemoDropDown"; }

  bool AutoDrop() const { return FAutoDrop; }
  void SetAutoDrop(bool Value) { FAutoDrop = Value; }
  TStringList* MemoText() const { return FMemoText.get(); }
  void SetMemoText(TStrings* Value);
  TPopupMenu* MemoPopup() const { return FMemoPopup; }
  void SetMemoPopup(TPopupMenu* Value) { FMemoPopup = Value; }
  TScrollStyle MemoScrollBars() const { return FMemoScrollBars; }
  void SetMemoScrollBars(TScrollStyle Value) { FMemoScrollBars = Value; }
  bool MemoReadOnly() const { return FMemoReadOnly; }
  void SetMemoReadOnly(bool Value);
  TMemo* Memo() const { return FMemo; }

  TNotifyEvent OnMemoChange;

  void CreateDropDownForm() override;
  void BeforeDropDown() override;
  void DoHideDropDown(bool Cancel) override;
  void AfterDropUp() override;
  void ControlKeyDown(Word& Key, TShiftState Shift) override;
  void ControlKeyUp(Word& Key, TShiftState Shift) override;
  void ControlKeyPress(Char& Key) override;

 protected:
  void Change() override;
  void DoEnter() override;

 private:
  // The edit's text from MemoText: the first line, cut with "..." to the text rectangle.
  void UpdateEditFromMemoText();
  void MemoKeyDown(Word& Key, TShiftState Shift);

  TPopupMenu* FMemoPopup = nullptr;
  std::unique_ptr<TStringList> FMemoText;
  TMemo* FMemo = nullptr;  // owned by the control
  TScrollStyle FMemoScrollBars = ssNone;
  bool FMemoReadOnly = false;
  bool FInternalUpdate = false;
  bool FAutoDrop = false;
};
