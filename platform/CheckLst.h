#pragma once
// A list box whose items carry a check box each.
#include <vector>

#include "platform/StdCtrls.h"

class TCheckListBox : public TListBox {
 public:
  explicit TCheckListBox(TComponent* AOwner);
  String ClassName() const override { return u"TCheckListBox"; }
  // Indexes outside the items read false and are ignored on write.
  bool Checked(int Index) const;
  void SetChecked(int Index, bool Value);
  void WndProc(TMessage& Message) override;
  // A toggle by the user: a press on an item's check box, or Space on the selected item.
  TNotifyEvent OnClickCheck;

 protected:
  void DefaultChar(Char Key) override;
  virtual void ClickCheck();
  void PaintItemPrefix(TCanvas* Canvas, int Index, TRect& ItemRect) override;

 private:
  static constexpr int kBoxWidth = 16;  // the check box column at the left of each item
  void Toggle(int Index);
  void SyncChecks() const;
  mutable std::vector<bool> FChecked;
};
