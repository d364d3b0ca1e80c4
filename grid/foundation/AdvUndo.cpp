#include "grid/foundation/AdvUndo.h"

#include <algorithm>

#include "grid/foundation/BaseGrid.h"

TUndoRedoCollection::TUndoRedoCollection()
    : TCollection([](TCollection* c) -> TCollectionItem* { return New<TUndoRedoItem>(c); }) {}

TAdvGridUndoRedo::TAdvGridUndoRedo(TComponent* AOwner) : TComponent(AOwner), FItems(new TUndoRedoCollection) {}

TAdvGridUndoRedo::~TAdvGridUndoRedo() {
  if (FGrid) {
    FGrid->RemoveFreeNotification(this);
    if (FGrid->UndoRedo() == this) FGrid->SetUndoRedo(nullptr);
    FGrid = nullptr;
  }
  delete FItems;
}

void TAdvGridUndoRedo::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent && AComponent == FGrid) FGrid = nullptr;
  TComponent::Notification(AComponent, Operation);
}

void TAdvGridUndoRedo::SetGrid(TBaseGrid* Value) {
  if (FGrid == Value) return;
  // The link serves both sides: a grid that still holds this component must go on hearing of its
  // destruction, so the link stays while it does.
  if (FGrid && FGrid->UndoRedo() != this) FGrid->RemoveFreeNotification(this);
  FGrid = Value;
  if (FGrid) FGrid->FreeNotification(this);
}

void TAdvGridUndoRedo::SetItems(TUndoRedoCollection* Value) {
  if (Value == FItems) return;
  if (Value) FItems->Assign(Value); else FItems->Clear();
  FLevel = FItems->Count();
}

void TAdvGridUndoRedo::SetLevel(int Value) { FLevel = std::clamp(Value, 0, FItems->Count()); }

TUndoRedoItem* TAdvGridUndoRedo::Append() { return static_cast<TUndoRedoItem*>(FItems->Add()); }

// A new change makes the undone entries unreachable: redoing them later would apply them on
// top of texts they were never based on.
void TAdvGridUndoRedo::DropUndone() {
  FItems->BeginUpdate();
  while (FItems->Count() > FLevel) FItems->Delete(FItems->Count() - 1);
  FItems->EndUpdate();
}

void TAdvGridUndoRedo::RegisterChange(int ACol, int ARow, const String& OldValue, const String& NewValue) {
  DropUndone();
  if (FMaxLevel > 0 && FItems->Count() >= FMaxLevel) FItems->Delete(0);
  TUndoRedoItem* e = Append();
  e->SetCol(ACol);
  e->SetRow(ARow);
  e->SetValue(NewValue);
  e->SetOrigValue(OldValue);
  FLevel = FItems->Count();
}

void TAdvGridUndoRedo::StartSequence() {
  DropUndone();
  Append()->SetSequenceStart(true);
  FLevel = FItems->Count();
}

void TAdvGridUndoRedo::StopSequence() {
  DropUndone();
  Append()->SetSequenceStop(true);
  FLevel = FItems->Count();
}

void TAdvGridUndoRedo::Reset() {
  FItems->Clear();
  FLevel = 0;
}

void TAdvGridUndoRedo::UndoEntry(TUndoRedoItem* e) {
  if (e->IsMarker()) return;  // markers are not cell changes
  if (OnUndo) OnUndo(this, FGrid, e->Col(), e->Row(), FGrid->GetCellEx(e->Col(), e->Row()), e->OrigValue());
  FGrid->SetCellEx(e->Col(), e->Row(), e->OrigValue());
  FGrid->SetCol(FGrid->DisplColIndex(e->Col()));
  FGrid->SetRow(e->Row());
}

void TAdvGridUndoRedo::RedoEntry(TUndoRedoItem* e) {
  if (e->IsMarker()) return;
  if (OnRedo) OnRedo(this, FGrid, e->Col(), e->Row(), FGrid->GetCellEx(e->Col(), e->Row()), e->Value());
  FGrid->SetCellEx(e->Col(), e->Row(), e->Value());
  FGrid->SetCol(FGrid->DisplColIndex(e->Col()));
  FGrid->SetRow(e->Row());
}

void TAdvGridUndoRedo::Undo() {
  if (!FGrid || FLevel <= 0 || FItems->Count() < FLevel) return;
  TUndoRedoItem* top = FItems->Item(FLevel - 1);
  if (top->SequenceStop()) {
    --FLevel;
    while (FLevel > 0 && !FItems->Item(FLevel - 1)->SequenceStart()) {
      UndoEntry(FItems->Item(FLevel - 1));
      --FLevel;
    }
    // Over the start marker, unless the history limit already dropped it.
    if (FLevel > 0) --FLevel;
    FGrid->InvalidateGrid();
  } else {
    UndoEntry(top);
    --FLevel;
  }
}

void TAdvGridUndoRedo::Redo() {
  if (!FGrid || FItems->Count() <= FLevel || FLevel < 0) return;
  ++FLevel;
  TUndoRedoItem* e = FItems->Item(FLevel - 1);
  if (e->SequenceStart()) {
    // Through the changes of the sequence up to and over its stop marker (or the list's end
    // while the sequence is still open).
    while (FItems->Count() > FLevel) {
      TUndoRedoItem* n = FItems->Item(FLevel);
      ++FLevel;
      if (n->SequenceStop()) break;
      RedoEntry(n);
    }
    FGrid->InvalidateGrid();
  } else {
    RedoEntry(e);
  }
}
