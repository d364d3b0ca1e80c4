#pragma once
// The grid's cell editors over the multi-column drop-down (edGridDropDown) and the grid drop-down
// (edAdvGridDropDown): the shared drop-down wrapper (AdvGridDropDownEditor.h) over these two
// drop-downs, which live above the grid; this library registers their making with the grid.
#include "grid/core/AdvGridDropDownEditor.h"
#include "grid/griddropdown/AdvGridDropDown.h"
#include "grid/griddropdown/AdvMultiColumnDropDown.h"

// What both add to the shared wrapper: Esc, or a refused value, with the popup open cancels the
// popup first, for closing it otherwise takes its current row into the value.
template <class TBase>
class TGridLookupDropDownEditor : public TGridDropDownEditor<TBase> {
 public:
  explicit TGridLookupDropDownEditor(TComponent* AOwner) : TGridDropDownEditor<TBase>(AOwner) {}

 protected:
  void PutBackText(const String& Text) override {
    if (this->DroppedDown()) this->HideDropDown(true);
    this->SetTextDirect(Text);
  }
};

// The editor of edGridDropDown.
class TGridGridDropDown : public TGridLookupDropDownEditor<TAdvMultiColumnDropDown> {
 public:
  explicit TGridGridDropDown(TComponent* AOwner) : TGridLookupDropDownEditor(AOwner) {}
  String ClassName() const override { return u"TGridGridDropDown"; }
};

// The editor of edAdvGridDropDown.
class TGridAdvGridDropDown : public TGridLookupDropDownEditor<TCustomAdvGridDropDown> {
 public:
  explicit TGridAdvGridDropDown(TComponent* AOwner) : TGridLookupDropDownEditor(AOwner) {}
  String ClassName() const override { return u"TGridAdvGridDropDown"; }
  // The grid shown in the popup (the owning grid is TGridDropDownEditor::Grid).
  TAdvStringGrid* Grid() const { return GetPopupGrid(); }
};
