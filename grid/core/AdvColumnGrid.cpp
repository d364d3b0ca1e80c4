// The column grid: its column objects, their collection, and the grid that keeps the collection
// in step with its columns.
#include "grid/core/AdvColumnGrid.h"

#include <algorithm>

#include "grid/foundation/ZazAdez.h"
#include "platform/ClassRegistry.h"

namespace {

int MulDivInt(int Number, int Numerator, int Denominator) {
  if (Denominator == 0) return -1;
  const int64_t p = static_cast<int64_t>(Number) * Numerator;
  // Rounded half away from zero, as the system's MulDiv.
  const int64_t q = (p >= 0 ? p + Denominator / 2 : p - Denominator / 2) / Denominator;
  return static_cast<int>(q);
}

// Streamed forms make the column grid and its columns by name.
const bool kColumnGridClassesRegistered = [] {
  RegisterComponentClass<TAdvColumnGrid>(u"TAdvColumnGrid");
  RegisterClass(u"TGridColumnItem", [](TComponent*) -> TPersistent* { return New<TGridColumnItem>(nullptr); });
  RegisterClass(u"TGridColumnCollection", [](TComponent* AOwner) -> TPersistent* {
    return New<TGridColumnCollection>(dynamic_cast<TAdvColumnGrid*>(AOwner));
  });
  return true;
}();

}  // namespace

// =============================================================================================
// TGridColumnItem

TGridColumnItem::TGridColumnItem(TCollection* ACollection)
    : TCollectionItem(ACollection),
      FOwnerCollection(dynamic_cast<TGridColumnCollection*>(ACollection)),
      FFont(std::make_unique<TFont>()),
      FComboList(std::make_unique<TStringList>()),
      FPrintFont(std::make_unique<TFont>()),
      FBorderPen(std::make_unique<TPen>()),
      FPrintBorderPen(std::make_unique<TPen>()),
      FFilter(std::make_unique<TStringList>()),
      FHeaderFont(std::make_unique<TFont>()) {
  FBorderPen->SetColor(clSilver);
  FPrintBorderPen->SetColor(clBlack);
  TAdvColumnGrid* grid = Grid();
  if (!grid) return;
  FFont->Assign(grid->Font());
  FHeaderFont->Assign(grid->Font());
  FPrintFont->Assign(grid->Font());
  FColor = grid->Color();
  FFont->OnChange = [this](TObject*) { UpdateInCollection(); };
  FHeaderFont->OnChange = [this](TObject*) { UpdateInCollection(); };
  FBorderPen->OnChange = [this](TObject*) { UpdateInCollection(); };
  FFilter->OnChange = [this](TObject*) { Repaint(); };
}

TGridColumnItem::~TGridColumnItem() = default;

TAdvColumnGrid* TGridColumnItem::Grid() const { return FOwnerCollection ? FOwnerCollection->Grid() : nullptr; }

void TGridColumnItem::UpdateInCollection() {
  if (FOwnerCollection && Collection() == FOwnerCollection) FOwnerCollection->Update(this);
}

void TGridColumnItem::Repaint() {
  if (TAdvColumnGrid* grid = Grid()) grid->InvalidateGrid();
}

String TGridColumnItem::GetDisplayName() const {
  if (!FName.empty()) return u"Col " + IntToStr(Index()) + u": " + FName;
  return u"Column " + IntToStr(Index());
}

int TGridColumnItem::Width() const {
  TAdvColumnGrid* grid = Grid();
  return grid ? grid->GetAllColWidths(Index()) : 0;
}

void TGridColumnItem::SetWidth(int Value) {
  if (TAdvColumnGrid* grid = Grid()) grid->SetAllColWidths(Index(), Value);
}

void TGridColumnItem::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  Repaint();
}

void TGridColumnItem::SetHeaderAlignment(TAlignment Value) {
  FHeaderAlignment = Value;
  Repaint();
}

void TGridColumnItem::SetFloatFormat(const String& Value) {
  FFloatFormat = Value;
  Repaint();
}

void TGridColumnItem::SetHeader(const String& Value) {
  FColumnHeader = Value;
  TAdvColumnGrid* grid = Grid();
  if (!grid) return;
  if (grid->FixedRows() > 0 && !grid->FColMoving) {
    grid->SetCellEx(Index(), 0, Value);
    UpdateInCollection();
  }
  TStringList* headers = grid->ColumnHeaders();
  TUpdateScope<TStrings> scope(headers);
  headers->Clear();
  for (int i = 0; i < FOwnerCollection->Count(); ++i) headers->Add(FOwnerCollection->Items(i)->Header());
}

void TGridColumnItem::SetFont(TFont* Value) {
  FFont->Assign(Value);
  UpdateInCollection();
}

void TGridColumnItem::SetHeaderFont(TFont* Value) {
  FHeaderFont->Assign(Value);
  Repaint();
}

void TGridColumnItem::SetBorderPen(TPen* Value) {
  FBorderPen->Assign(Value);
  UpdateInCollection();
}

void TGridColumnItem::SetColor(TColor Value) {
  FColor = Value;
  UpdateInCollection();
}

void TGridColumnItem::SetShowBands(bool Value) {
  FShowBands = Value;
  UpdateInCollection();
}

void TGridColumnItem::SetFixed(bool Value) {
  FFixed = Value;
  UpdateInCollection();
}

void TGridColumnItem::SetPassword(bool Value) {
  FPassword = Value;
  UpdateInCollection();
}

void TGridColumnItem::SetBorders(TCellBorders Value) {
  FBorders = Value;
  UpdateInCollection();
}

void TGridColumnItem::SetEditor(TEditorType Value) {
  if (FEditorType == Value) return;
  // Only a data check box changes what the cells show.
  const bool repaint = FEditorType == edDataCheckBox || Value == edDataCheckBox;
  FEditorType = Value;
  if (repaint) Repaint();
}

void TGridColumnItem::CopySettings(const TGridColumnItem& s, bool Visuals) {
  // Font, pen and list copies go through the objects' own Assign; their change links stay off
  // so that nothing repaints while a column is copied.
  auto copyQuiet = [](auto* Dest, auto* Source) {
    TNotifyEvent keep = std::move(Dest->OnChange);
    Dest->OnChange = nullptr;
    Dest->Assign(Source);
    Dest->OnChange = std::move(keep);
  };
  FAlignment = s.FAlignment;
  FHeaderAlignment = s.FHeaderAlignment;
  copyQuiet(FBorderPen.get(), s.FBorderPen.get());
  FBorders = s.FBorders;
  FCheckFalse = s.FCheckFalse;
  FCheckTrue = s.FCheckTrue;
  FEditLength = s.FEditLength;
  FEditLink = s.FEditLink;
  FEditMask = s.FEditMask;
  FEditorType = s.FEditorType;
  FFixed = s.FFixed;
  FPassword = s.FPassword;
  copyQuiet(FPrintBorderPen.get(), s.FPrintBorderPen.get());
  FPrintBorders = s.FPrintBorders;
  FPrintColor = s.FPrintColor;
  copyQuiet(FPrintFont.get(), s.FPrintFont.get());
  FReadOnly = s.FReadOnly;
  FSortPrefix = s.FSortPrefix;
  FSortStyle = s.FSortStyle;
  FSortSuffix = s.FSortSuffix;
  FSpinMax = s.FSpinMax;
  FSpinMin = s.FSpinMin;
  FSpinStep = s.FSpinStep;
  FColumnPopup = s.FColumnPopup;
  FShowBands = s.FShowBands;
  FMinSize = s.FMinSize;
  FMaxSize = s.FMaxSize;
  FAutoMinSize = s.FAutoMinSize;
  FAutoMaxSize = s.FAutoMaxSize;
  copyQuiet(FFilter.get(), s.FFilter.get());
  FFilterCaseSensitive = s.FFilterCaseSensitive;
  FDefIdx = s.FDefIdx;
  FFloatFormat = s.FFloatFormat;
  if (Visuals) {
    if (TAdvColumnGrid* grid = Grid()) {
      FColor = grid->Color();
      copyQuiet(FFont.get(), grid->Font());
    }
    return;
  }
  FColor = s.FColor;
  copyQuiet(FFont.get(), s.FFont.get());
  FColumnHeader = s.FColumnHeader;
  copyQuiet(FHeaderFont.get(), s.FHeaderFont.get());
  FName = s.FName;
  FTag = s.FTag;
  copyQuiet(FComboList.get(), s.FComboList.get());
  FDropDownCount = s.FDropDownCount;
}

void TGridColumnItem::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TGridColumnItem*>(Source);
  if (!s || s == this) return;
  CopySettings(*s, false);
}

void TGridColumnItem::AssignVisuals(TPersistent* Source) {
  auto* s = dynamic_cast<TGridColumnItem*>(Source);
  if (!s || s == this) return;
  CopySettings(*s, true);
}

String TGridColumnItem::GetRows(int DRow) const {
  TAdvColumnGrid* grid = Grid();
  return grid ? grid->GetCellEx(Index(), DRow) : String();
}

void TGridColumnItem::SetRows(int DRow, const String& Value) {
  if (TAdvColumnGrid* grid = Grid()) grid->SetCellEx(Index(), DRow, Value);
}

int TGridColumnItem::GetInts(int DRow) const {
  TAdvColumnGrid* grid = Grid();
  return grid ? grid->GetInts(Index(), DRow) : 0;
}

void TGridColumnItem::SetInts(int DRow, int Value) {
  if (TAdvColumnGrid* grid = Grid()) grid->SetInts(Index(), DRow, Value);
}

double TGridColumnItem::GetFloats(int DRow) const {
  TAdvColumnGrid* grid = Grid();
  return grid ? grid->GetFloats(Index(), DRow) : 0;
}

void TGridColumnItem::SetFloats(int DRow, double Value) {
  if (TAdvColumnGrid* grid = Grid()) grid->SetFloats(Index(), DRow, Value);
}

TDateTime TGridColumnItem::GetDates(int DRow) const {
  TAdvColumnGrid* grid = Grid();
  return grid ? grid->GetDates(Index(), DRow) : TDateTime{};
}

void TGridColumnItem::SetDates(int DRow, TDateTime Value) {
  if (TAdvColumnGrid* grid = Grid()) grid->SetDates(Index(), DRow, Value);
}

TDateTime TGridColumnItem::GetTimes(int DRow) const {
  TAdvColumnGrid* grid = Grid();
  return grid ? grid->GetTimes(Index(), DRow) : TDateTime{};
}

void TGridColumnItem::SetTimes(int DRow, TDateTime Value) {
  if (TAdvColumnGrid* grid = Grid()) grid->SetTimes(Index(), DRow, Value);
}

// =============================================================================================
// TGridColumnCollection

TGridColumnCollection::TGridColumnCollection(TAdvColumnGrid* AOwner)
    : TCollection([](TCollection* c) { return New<TGridColumnItem>(c); }), FOwner(AOwner) {}

TPersistent* TGridColumnCollection::GetOwner() { return FOwner; }

TGridColumnItem* TGridColumnCollection::Add() {
  auto* item = static_cast<TGridColumnItem*>(TCollection::Add());
  if (Count() > 1) item->AssignVisuals(Items(Count() - 2));
  return item;
}

TGridColumnItem* TGridColumnCollection::Insert(int Index) {
  return static_cast<TGridColumnItem*>(TCollection::Insert(Index));
}

void TGridColumnCollection::Update(TCollectionItem* Item) {
  TCollection::Update(Item);
  if (UpdateCount() > 0 || FNoRecursiveUpdate || !FOwner || FOwner->Loading()) return;
  // A collection being built (the grid's own columns not yet set) has nothing to bring in step.
  if (FOwner->Columns() != this) return;
  const int n = Count() - FOwner->NumHiddenColumns();
  if (n != FOwner->ColCount() && FOwner->FixedCols() < n) FOwner->SetColCount(n);
  FOwner->SyncHeaders();
  FOwner->Invalidate();
}

void TGridColumnCollection::SetOrganization() {
  if (FOwner && FOwner->Columns() == this) {
    const bool was = FNoRecursiveUpdate;
    FNoRecursiveUpdate = true;
    FOwner->SyncColumnCount();
    FNoRecursiveUpdate = was;
  }
  for (int i = 0; i < Count(); ++i) Items(i)->FDefIdx = i;
}

void TGridColumnCollection::ResetOrganization() {
  if (!FOwner) return;
  // Every move takes a column nearer its home, so Count passes always suffice; the bound keeps
  // a grid that refuses a move from looping for ever.
  for (int pass = 0; pass <= Count(); ++pass) {
    bool moved = false;
    for (int i = 0; i < Count(); ++i) {
      const int home = Items(i)->DefIdx();
      if (home < i && home >= 0) {
        FOwner->MoveColumn(i, home);
        moved = true;
      }
    }
    if (!moved) return;
  }
}

// =============================================================================================
// TAdvColumnGrid

TAdvColumnGrid::TAdvColumnGrid(TComponent* AOwner) : TAdvStringGrid(AOwner) {}

void TAdvColumnGrid::AfterConstruction() {
  TAdvStringGrid::AfterConstruction();
  FColumnCollection = CreateColumns();
  FColumnCollection->SetNoRecursiveUpdate(true);
  SyncColumnCount();
  FColumnCollection->SetNoRecursiveUpdate(false);
  FColMoving = false;
  FSaveCol.reset(New<TGridColumnItem>(nullptr));
}

TAdvColumnGrid::~TAdvColumnGrid() {
  // The columns go before the string grid; freeing them must not feed back into the grid.
  FDestroyingColumns = true;
  if (FColumnCollection) {
    FColumnCollection->SetNoRecursiveUpdate(true);
    FColumnCollection.reset();
  }
  FSaveCol.reset();
}

std::unique_ptr<TGridColumnCollection> TAdvColumnGrid::CreateColumns() {
  return std::make_unique<TGridColumnCollection>(this);
}

void TAdvColumnGrid::SetColumns(TGridColumnCollection* Value) {
  if (Value && Value != FColumnCollection.get()) FColumnCollection->Assign(Value);
}

void TAdvColumnGrid::SyncColumnCount() {
  if (!FColumnCollection) return;
  const int want = ColCount() + NumHiddenColumns();
  while (FColumnCollection->Count() < want) FColumnCollection->Add();
  while (FColumnCollection->Count() > want) FColumnCollection->Delete(FColumnCollection->Count() - 1);
}

void TAdvColumnGrid::SyncHeaders() {
  if (!FColumnCollection || FixedRows() < 1) return;
  TStringList* headers = ColumnHeaders();
  TUpdateScope<TStrings> scope(headers);
  headers->Clear();
  for (int i = 0; i < FColumnCollection->Count(); ++i) {
    TGridColumnItem* c = FColumnCollection->Items(i);
    if (c->FColumnHeader.empty()) {
      String cell = GetCellEx(i, 0);
      if (!cell.empty()) c->FColumnHeader = cell;
    }
    headers->Add(c->FColumnHeader);
  }
}

void TAdvColumnGrid::SetColCount(int Value) {
  TAdvStringGrid::SetColCount(Value);
  if (!FColumnCollection) return;
  const bool was = FColumnCollection->NoRecursiveUpdate();
  FColumnCollection->SetNoRecursiveUpdate(true);
  SyncColumnCount();
  FColumnCollection->SetNoRecursiveUpdate(was);
}

void TAdvColumnGrid::Loaded() {
  TAdvStringGrid::Loaded();
  FColumnCollection->SetNoRecursiveUpdate(true);
  SyncColumnCount();
  FColumnCollection->SetNoRecursiveUpdate(false);
  FColumnCollection->SetOrganization();
}

void TAdvColumnGrid::CellsLoaded() {
  TAdvStringGrid::CellsLoaded();
  if (!FColumnCollection) return;
  const bool was = FColumnCollection->NoRecursiveUpdate();
  FColumnCollection->SetNoRecursiveUpdate(true);
  SyncColumnCount();
  FColumnCollection->SetNoRecursiveUpdate(was);
}

void TAdvColumnGrid::InsertCols(int ColIndex, int CCount) {
  const int before = TotalColCount();
  TAdvStringGrid::InsertCols(ColIndex, CCount);
  if (!FColumnCollection || TotalColCount() == before) return;
  const bool was = FColumnCollection->NoRecursiveUpdate();
  FColumnCollection->SetNoRecursiveUpdate(true);
  // An index past the last column appends (the string grid puts the cells there too).
  const int at = std::min(ColIndex, FColumnCollection->Count());
  for (int i = 0; i < TotalColCount() - before; ++i) FColumnCollection->Insert(at);
  SyncColumnCount();
  FColumnCollection->SetNoRecursiveUpdate(was);
}

void TAdvColumnGrid::RemoveCols(int ColIndex, int CCount) {
  const int before = TotalColCount();
  TAdvStringGrid::RemoveCols(ColIndex, CCount);
  if (!FColumnCollection) return;
  const bool was = FColumnCollection->NoRecursiveUpdate();
  FColumnCollection->SetNoRecursiveUpdate(true);
  // Only the columns the string grid removed (it stops at the last one).
  for (int i = 0; i < before - TotalColCount() && ColIndex < FColumnCollection->Count(); ++i)
    FColumnCollection->Delete(ColIndex);
  SyncColumnCount();
  FColumnCollection->SetNoRecursiveUpdate(was);
}

TGridColumnItem* TAdvColumnGrid::GetColumnByName(const String& AValue) const {
  if (!FColumnCollection) return nullptr;
  for (int i = 0; i < FColumnCollection->Count(); ++i)
    if (FColumnCollection->Items(i)->Name() == AValue) return FColumnCollection->Items(i);
  return nullptr;
}

TGridColumnItem* TAdvColumnGrid::ColumnAt(int RCol) const {
  if (!FColumnCollection || RCol < 0 || RCol >= FColumnCollection->Count()) return nullptr;
  return FColumnCollection->Items(RCol);
}

bool TAdvColumnGrid::IsNormalColumnRow(int RCol, int DRow) const {
  return ColumnAt(RCol) && RCol >= FixedCols() && DRow >= FixedRows();
}

bool TAdvColumnGrid::IsNormalCell(int RCol, int DRow) const {
  return IsNormalColumnRow(RCol, DRow) && RCol < ColCount() + NumHiddenColumns() - FixedRightCols() &&
         DRow < RowCount() - FixedFooters();
}

int TAdvColumnGrid::GetVersionNr() { return 0x03010301; }

String TAdvColumnGrid::GetVersionString() { return Version() + u" Aug, 2012"; }

void TAdvColumnGrid::Notification(TComponent* AComponent, TOperation Operation) {
  TAdvStringGrid::Notification(AComponent, Operation);
  if (Operation != opRemove || !AComponent || !FColumnCollection) return;
  // An edit link is known here only by its address (a component the application derives).
  const void* gone = AComponent;
  for (int i = 0; i < FColumnCollection->Count(); ++i) {
    TGridColumnItem* c = FColumnCollection->Items(i);
    if (c->FEditLink && static_cast<const void*>(c->FEditLink) == gone) c->FEditLink = nullptr;
    if (c->FColumnPopup && c->FColumnPopup == AComponent) c->FColumnPopup = nullptr;
  }
}

void TAdvColumnGrid::ChangeScale(int M, int D) {
  TAdvStringGrid::ChangeScale(M, D);
  if (M == D || Designing() || !FColumnCollection) return;
  for (int i = 0; i < FColumnCollection->Count(); ++i) {
    TGridColumnItem* c = FColumnCollection->Items(i);
    c->FFont->SetSize(MulDivInt(c->FFont->Size(), M, D));
    c->FHeaderFont->SetSize(MulDivInt(c->FHeaderFont->Size(), M, D));
  }
}

void TAdvColumnGrid::ColumnMoved(int FromIndex, int ToIndex) {
  TAdvStringGrid::ColumnMoved(FromIndex, ToIndex);
  if (!FColumnCollection) return;
  const bool was = FColumnCollection->NoRecursiveUpdate();
  FColumnCollection->SetNoRecursiveUpdate(true);
  const int top = TopRow();
  // The visibility table has moved already: the real indices are the ones the move began with.
  const int from = FMoveRF >= 0 ? FMoveRF : RealColIndex(FromIndex);
  const int to = FMoveRT >= 0 ? FMoveRT : RealColIndex(ToIndex);
  if (TGridColumnItem* moved = ColumnAt(from); moved && ColumnAt(to)) {
    // The cells and widths have moved already; the column object follows them.
    FColMoving = true;
    {
      TUpdateScope<TCollection> scope(FColumnCollection.get());
      moved->SetIndex(to);
    }
    FColMoving = false;
  }
  SetTopRow(top);
  FColumnCollection->SetNoRecursiveUpdate(was);
  if (OnAfterColumnMoved) OnAfterColumnMoved(this, from, to);
}

int TAdvColumnGrid::GetEditLimit() {
  const int d = Col();
  if (d >= FixedCols())
    if (TGridColumnItem* c = ColumnAt(RealColIndex(d))) return c->EditLength();
  return TAdvStringGrid::GetEditLimit();
}

String TAdvColumnGrid::GetEditMask(int DCol, int DRow) {
  String mask;
  if (DCol >= FixedCols())
    if (TGridColumnItem* c = ColumnAt(RealColIndex(DCol))) mask = c->EditMask();
  String own = TAdvStringGrid::GetEditMask(DCol, DRow);
  return own.empty() ? mask : own;
}

String TAdvColumnGrid::GetCellFloatFormat(int RCol, int DRow) {
  (void)DRow;
  TGridColumnItem* c = ColumnAt(RCol);
  if (c && !c->FloatFormat().empty()) return c->FloatFormat();
  return FloatFormat();
}

String TAdvColumnGrid::GetFormattedCell(int RCol, int DRow) {
  TGridColumnItem* c = ColumnAt(RCol);
  if (!c) return TAdvStringGrid::GetFormattedCell(RCol, DRow);
  String text = GetCellEx(RCol, DRow);
  String fmt = c->FloatFormat();
  bool isFloat = ClassifyNumberText(text) < 2;
  if (OnGetFloatFormat) OnGetFloatFormat(this, RCol, DRow, isFloat, fmt);
  if (fmt.empty() || !isFloat) return text;
  try {
    return Format(fmt, {GetFloats(RCol, DRow)});
  } catch (const Exception&) {
    return text;  // a format that does not fit shows the text as stored
  }
}

void TAdvColumnGrid::ColumnHeadersChanged() {
  TAdvStringGrid::ColumnHeadersChanged();
  if (!FColumnCollection) return;
  TStringList* headers = ColumnHeaders();
  for (int i = 0; i < FColumnCollection->Count() && i < headers->Count(); ++i)
    FColumnCollection->Items(i)->FColumnHeader = headers->Strings(i);
}

void TAdvColumnGrid::DoUpdateColumnSize(int ACol, int& AWidth) {
  if (TGridColumnItem* c = ColumnAt(ACol)) {
    if (c->MinSize() > 0 && AWidth < c->MinSize()) AWidth = c->MinSize();
    if (c->MaxSize() > 0 && AWidth > c->MaxSize()) AWidth = c->MaxSize();
  }
  TAdvStringGrid::DoUpdateColumnSize(ACol, AWidth);
}

void TAdvColumnGrid::DoUpdateAutoColumnSize(int ACol, int& AWidth) {
  if (TGridColumnItem* c = ColumnAt(ACol)) {
    if (c->AutoMinSize() > 0 && AWidth < c->AutoMinSize()) AWidth = c->AutoMinSize();
    if (c->AutoMaxSize() > 0 && AWidth > c->AutoMaxSize()) AWidth = c->AutoMaxSize();
  }
  TAdvStringGrid::DoUpdateAutoColumnSize(ACol, AWidth);
}
