// Radio groups in one cell, radio buttons grouped down a column, balloons carried by cells and
// check boxes, and expand cells that switch their row between two heights.
#include <algorithm>

#include "grid/core/AdvGrid.h"

namespace {

constexpr TCellTypes kBalloonCarriers{ctCheckBox, ctDataCheckBox, ctRadioButton};

}  // namespace

// =============================================================================================
// Radio groups

void TAdvStringGrid::AddRadio(int ACol, int ARow, bool DirRadio, int IdxRadio, TStrings* sl) {
  if (ACol < 0 || ARow < 0) return;
  TCellGraphic* cg = CreateCellGraphic(ACol, ARow);
  cg->SetCellType(ctRadio);
  cg->SetCellBitmap(sl);
  cg->SetCellCreated(false);
  cg->SetCellIndex(IdxRadio);
  cg->SetCellBoolean(DirRadio);
  cg->SetCellAngle(sl ? sl->Count() : 0);
}

TStrings* TAdvStringGrid::CreateRadio(int ACol, int ARow, bool DirRadio, int IdxRadio) {
  if (ACol < 0 || ARow < 0) return nullptr;
  auto* sl = new TStringList;
  AddRadio(ACol, ARow, DirRadio, IdxRadio, sl);
  GetCellGraphic(ACol, ARow)->SetCellCreated(true);  // the group owns its list
  return sl;
}

bool TAdvStringGrid::GetRadioIdx(int ACol, int ARow, int& IdxRadio) {
  TCellGraphic* cg = GetCellGraphic(ACol, ARow);
  if (!cg) return false;
  IdxRadio = cg->CellIndex();
  return cg->CellType() == ctRadio;
}

bool TAdvStringGrid::SetRadioIdx(int ACol, int ARow, int IdxRadio) {
  // Only a radio group's index: another object's CellIndex is its size, image or height.
  TCellGraphic* cg = GetCellGraphic(ACol, ARow);
  if (!cg || cg->CellType() != ctRadio) return false;
  cg->SetCellIndex(IdxRadio);
  if (IdxRadio == -1) SetCellEx(ACol, ARow, String());
  RepaintRealCell(ACol, ARow);
  return true;
}

TStrings* TAdvStringGrid::GetRadioStrings(int ACol, int ARow) {
  if (ACol < 0 || ARow < 0) return nullptr;
  const TPoint b = BaseCell(ACol, ARow);
  TCellGraphic* cg = GetCellGraphic(b.X, b.Y);
  if (!cg || cg->CellType() != ctRadio) return nullptr;
  return dynamic_cast<TStrings*>(cg->CellBitmap());
}

void TAdvStringGrid::RemoveRadio(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRadio); }

void TAdvStringGrid::AdvanceRadioIndex(int ACol, int ARow, bool CheckEditable) {
  TCellGraphic* cg = GetCellGraphic(ACol, ARow);
  if (!cg || cg->CellType() != ctRadio) return;
  if (CheckEditable && !FControlLook->RadioAlwaysActive()) {
    bool can = true;
    CanEditCell(ACol, ARow, can);
    if (!can) return;
  }
  auto* options = dynamic_cast<TStrings*>(cg->CellBitmap());
  // The options present now: a list filled after CreateRadio counts too.
  const int count = options ? options->Count() : 0;
  if (count == 0) return;
  const int stored = cg->CellIndex();
  int next = stored >= 0 ? stored + 1 : options->IndexOf(GetCellEx(ACol, ARow)) + 1;
  if (next >= count) next = 0;
  if (stored >= -1) cg->SetCellIndex(next);
  cg->SetCellVar(next);
  SetCellEx(ACol, ARow, options->Strings(next));
}

// =============================================================================================
// Radio buttons

void TAdvStringGrid::AddRadioButton(int ACol, int ARow, bool State) {
  if (ACol < 0 || ARow < 0 || ACol >= AllColCount() || ARow >= AllRowCount()) throw EAdvGridError(u"Invalid cell");
  CreateCellGraphic(ACol, ARow)->SetRadioButton(State, true, haBeforeText, CellVAlignFromText(FVAlignment));
}

void TAdvStringGrid::AddRadioButtonColumn(int ACol) {
  for (int r = FixedRows(); r < RowCount(); ++r) AddRadioButton(ACol, r, false);
}

void TAdvStringGrid::RemoveRadioButton(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRadioButton); }

void TAdvStringGrid::RemoveRadioButtonColumn(int ACol) {
  for (int r = FixedRows(); r < RowCount(); ++r)
    if (HasRadioButton(ACol, r)) RemoveRadioButton(ACol, r);
}

bool TAdvStringGrid::IsRadioButtonChecked(int ACol, int ARow) {
  if (ACol < 0 || ARow < 0) return false;
  const TPoint b = BaseCell(ACol, ARow);
  TCellGraphic* cg = GetCellGraphic(b.X, b.Y);
  return cg && cg->CellType() == ctRadioButton && cg->CellBoolean();
}

bool TAdvStringGrid::SetRadioButtonState(int ACol, int ARow, bool State) {
  if (ACol < 0 || ARow < 0) return false;
  const TPoint b = BaseCell(ACol, ARow);
  TCellGraphic* cg = GetCellGraphic(b.X, b.Y);
  if (!cg || cg->CellType() != ctRadioButton) return false;
  if (cg->CellBoolean() != State) {
    cg->SetCellBoolean(State);
    RepaintRealCell(b.X, b.Y);
  }
  return true;
}

void TAdvStringGrid::SetRadioButtonColumnIndex(int ACol, int Index) {
  for (int r = FixedRows(); r < RowCount(); ++r) SetRadioButtonState(ACol, r, r == Index);
}

int TAdvStringGrid::GetRadioButtonColumnIndex(int ACol) {
  for (int r = FixedRows(); r < RowCount(); ++r)
    if (IsRadioButtonChecked(ACol, r)) return r;
  return -1;
}

bool TAdvStringGrid::ToggleRadioButtonCell(int ACol, int ARow, bool CheckEditable) {
  TCellGraphic* cg = GetCellGraphic(ACol, ARow);
  if (!cg || cg->CellType() != ctRadioButton) return false;
  if (CheckEditable && !FControlLook->CheckAlwaysActive()) {
    bool can = true;
    CanEditCell(ACol, ARow, can);
    if (!can) return false;
  }
  if (!cg->CellBoolean()) {
    cg->SetCellBoolean(true);
    RepaintRealCell(ACol, ARow);
    for (int r = 0; r < RowCount(); ++r) {
      if (r == ARow) continue;
      TCellGraphic* other = GetCellGraphic(ACol, r);
      if (other && other->CellType() == ctRadioButton && other->CellBoolean()) {
        other->SetCellBoolean(false);
        RepaintRealCell(ACol, r);
      }
    }
  }
  return true;
}

// =============================================================================================
// Balloons

void TAdvStringGrid::AddBalloon(int ACol, int ARow, const String& Title, const String& Text, TBalloonIcon Icon) {
  if (ACol < 0 || ARow < 0) return;
  TCellGraphic* cg = GetCellGraphic(ACol, ARow);
  if (cg && !kBalloonCarriers.Contains(cg->CellType())) return;
  if (cg == FCellGraphic.get()) return;  // the shared object is no cell's
  auto* list = new TStringList;
  list->Add(Title);
  list->Add(Text);
  if (cg) {
    if (cg->CellAngle() == 1) delete cg->CellBitmap();  // a balloon it carried before
    cg->SetCellAngle(1);
  } else {
    cg = CreateCellGraphic(ACol, ARow);
    cg->SetCellType(ctBalloon);
    cg->SetCellAngle(0);
  }
  cg->SetCellIndex(Icon);
  cg->SetCellBitmap(list);
}

void TAdvStringGrid::RemoveBalloon(int ACol, int ARow) {
  TCellGraphic* cg = GetCellGraphic(ACol, ARow);
  if (!cg) return;
  if (kBalloonCarriers.Contains(cg->CellType()) && cg->CellAngle() == 1 && cg != FCellGraphic.get()) {
    delete cg->CellBitmap();
    cg->SetCellBitmap(nullptr);
    cg->SetCellAngle(0);
    return;
  }
  RemoveCellGraphicOfType(ACol, ARow, ctBalloon);
}

bool TAdvStringGrid::IsBalloon(int ACol, int ARow, String& Title, String& Text, TBalloonIcon& Icon) {
  TCellGraphic* cg = GetCellGraphic(ACol, ARow);
  if (!cg) return false;
  const bool own = cg->CellType() == ctBalloon;
  const bool carried = kBalloonCarriers.Contains(cg->CellType()) && cg->CellAngle() == 1;
  if (!own && !carried) return false;
  auto* list = dynamic_cast<TStrings*>(cg->CellBitmap());
  Title = list && list->Count() > 0 ? list->Strings(0) : String();
  Text = list && list->Count() > 1 ? list->Strings(1) : String();
  Icon = static_cast<TBalloonIcon>(std::clamp(cg->CellIndex(), 0, static_cast<int>(biError)));
  return true;
}

// =============================================================================================
// Expand cells

void TAdvStringGrid::AddExpand(int ACol, int ARow, int ExpandedHeight) {
  if (ACol < 0 || ARow < 0 || ARow >= RowCount()) return;
  TCellGraphic* cg = CreateCellGraphic(ACol, ARow);
  cg->SetCellType(ctExpand);
  cg->SetCellAngle(ExpandedHeight);
  cg->SetCellIndex(RowHeights(ARow));
  cg->SetCellVar(0);
}

void TAdvStringGrid::RemoveExpand(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctExpand); }

bool TAdvStringGrid::ToggleExpand(int ACol, int ARow) {
  if (ACol < 0 || ARow < 0) return false;
  const TPoint b = BaseCell(ACol, ARow);
  TCellGraphic* cg = GetCellGraphic(b.X, b.Y);
  if (!cg || cg->CellType() != ctExpand) return false;
  cg->SetCellVar(cg->CellVar() ? 0 : 1);
  return cg->CellVar() != 0;
}

bool TAdvStringGrid::GetExpandState(int ACol, int ARow) {
  if (ACol < 0 || ARow < 0) return false;
  const TPoint b = BaseCell(ACol, ARow);
  TCellGraphic* cg = GetCellGraphic(b.X, b.Y);
  return cg && cg->CellType() == ctExpand && cg->CellVar() != 0;
}

int TAdvStringGrid::GetExpandHeight(int ACol, int ARow, bool Expanded) {
  if (ACol < 0 || ARow < 0) return DefaultRowHeight();
  const TPoint b = BaseCell(ACol, ARow);
  TCellGraphic* cg = GetCellGraphic(b.X, b.Y);
  if (!cg || cg->CellType() != ctExpand) return DefaultRowHeight();
  return Expanded ? cg->CellAngle() : cg->CellIndex();
}

TRect TAdvStringGrid::GetExpandButtonRect(int ACol, int ARow) {
  if (!HasExpand(ACol, ARow)) return TRect{};
  const TRect r = CellRect(DisplColIndex(ACol), ARow);
  return Rect(r.Right - 13, r.Top + 2, r.Right - 2, r.Top + 13);
}
