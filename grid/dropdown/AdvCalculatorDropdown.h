#pragma once
// A numeric drop-down edit whose popup is a pocket calculator working without operator
// precedence: each operator key completes the pending operation with the shown number first.
#include <memory>

#include "grid/dropdown/AdvCalculatorButtonPanel.h"
#include "grid/dropdown/AdvDropDown.h"

class TAdvCalculatorDropdown : public TAdvCustomDropDown {
 public:
  explicit TAdvCalculatorDropdown(TComponent* AOwner);
  ~TAdvCalculatorDropdown() override;
  String ClassName() const override { return u"TAdvCalculatorDropdown"; }

  TButtonAppearance* CalcButtonAppearance() const { return FCalcButtonAppearance.get(); }
  void SetCalcButtonAppearance(TButtonAppearance* Value) { FCalcButtonAppearance->Assign(Value); }
  bool ShowThousandSeparator() const { return FShowThousandSeparator; }
  void SetShowThousandSeparator(bool Value);
  double Value();
  void SetValue(double Value);
  TCustomButtonPanel* ButtonPanel() const { return FAdvButtonPanel; }
  // The memory register.
  double Memory() const { return FMVal; }

  // The equals operation.
  void CalcResult();
  // A key of the panel by its index, as a click on it.
  void ButtonPanelClick(int Index);

  virtual void BeforeCalculatorKey() {}
  void CreateDropDownForm() override;
  void BeforeDropDown() override;
  void DropDownKeyDown(Word& Key, TShiftState Shift) override;
  void DropDownKeyPress(Char& Key) override;
  void SetComponentStyle(TQELStyle AStyle) override;
  void WndProc(TMessage& Message) override;

 private:
  // The text with thousand separators removed, as a number; a text that is no number reads as 0.
  double Converted() const;
  void CompletePending();
  void OperatorKey(int Operation);
  void Percent();
  void ClearAll(bool Accumulator);
  bool AtMaxLength() const;
  // The rules of a character typed into the edit; true when it is consumed.
  bool EditChar(Char Key);

  TCustomButtonPanel* FAdvButtonPanel = nullptr;  // owned by the popup form
  int FDecim = 0;
  bool FNewval = false;
  double FPrevval = 0;
  int FPrevop = -1;
  bool FCalcClosed = true;
  std::unique_ptr<TButtonAppearance> FCalcButtonAppearance;
  double FMVal = 0;
  bool FShowThousandSeparator = false;
};
