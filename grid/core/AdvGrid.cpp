// The string grid object: what it owns, its defaults, its window, loading, copying, following its
// form's size, and the unit's registrations.
#include "grid/core/AdvGrid.h"

#include <algorithm>
#include <cstddef>
#include <map>
#include <vector>

#include "grid/core/AdvRichEdit.h"
#include "grid/foundation/AdvObjOverlay.h"
#include "grid/foundation/AdvXPVS.h"
#include "grid/core/AdvGridItemPool.h"
#include "platform/MemoryBlocks.h"
#include "platform/ClassRegistry.h"
#include "platform/Messages.h"

namespace {

// Process-wide state of the grid unit, made on first use (before the first grid exists).
struct TGridUnit {
  unsigned GridEditDone = RegisterWindowMessage(u"GridEditDone");
  unsigned DTPShiftFocus = RegisterWindowMessage(u"DTPShiftFocus");
  unsigned CellsFormat = 0;
  TAdvStringGrid* FocusGrid = nullptr;
  TCursor LinkCursor = crDefault;
  bool DatePickerSupported = false;
  uintptr_t MessageHook = 0;
};

// Clipboard formats share the registered numbers' range; the same name gives the same number.
unsigned RegisterClipboardFormat(const String& Name) {
  static std::map<String, unsigned> formats;
  auto it = formats.find(Name);
  if (it != formats.end()) return it->second;
  unsigned id = 0xC000u + 0x2000u + static_cast<unsigned>(formats.size());
  formats.emplace(Name, id);
  return id;
}

TGridUnit& GridUnit() {
  static TGridUnit* unit = [] {
    auto* u = new TGridUnit;  // lives for the process
    u->MessageHook = SetCallWndProcHook(&TAdvStringGrid::GridCallWndProcHook);
    u->DatePickerSupported = GetDllFileVersion(u"comctl32.dll") > 0x00040045;  // above 4.69
    u->CellsFormat = RegisterClipboardFormat(u"TAdvStringGrid Cells");
    return u;
  }();
  return *unit;
}

// Streamed forms make the string grid, and the controls it streams with, by name.
const bool kStringGridClassRegistered = [] {
  RegisterComponentClass<TAdvStringGrid>(u"TAdvStringGrid");
  RegisterComponentClass<TDropList>(u"TDropList");
  // The arrow parents itself to its owner, so only a windowed owner can be its parent; any
  // other owner still owns it.
  RegisterClass(u"TArrowWindow", [](TComponent* AOwner) -> TPersistent* {
    auto* parent = dynamic_cast<TWinControl*>(AOwner);
    auto* arrow = New<TArrowWindow>(parent, arrUp);
    if (AOwner && !parent) AOwner->InsertComponent(arrow);
    return arrow;
  });
  RegisterComponentClass<TGridCombo>(u"TGridCombo");
  RegisterComponentClass<TGridTransEdit>(u"TGridTransEdit");
  RegisterComponentClass<TGridTransCombo>(u"TGridTransCombo");
  RegisterComponentClass<TGridCheckBox>(u"TGridCheckBox");
  RegisterComponentClass<TGridEditBtn>(u"TGridEditBtn");
  RegisterComponentClass<TGridUnitEditBtn>(u"TGridUnitEditBtn");
  RegisterComponentClass<TGridButton>(u"TGridButton");
  RegisterComponentClass<THeaderDragButton>(u"THeaderDragButton");
  RegisterComponentClass<TControlEdit>(u"TControlEdit");
  RegisterComponentClass<TControlCombo>(u"TControlCombo");
  RegisterComponentClass<TScrollBar>(u"TScrollBar");
  RegisterComponentClass<TAdvRichEdit>(u"TAdvRichEdit");
  RegisterComponentClass<TFooterPanel>(u"TFooterPanel");
  RegisterComponentClass<TSearchPanel>(u"TSearchPanel");
  return true;
}();

constexpr uintptr_t kGridTimerId = 111;
constexpr unsigned kGridTimerInterval = 500;
constexpr TCursor kHandCursor = -21;

}  // namespace

// =============================================================================================
// Locale

Char LocaleTimeSeparator() { return FormatSettings().TimeSeparator; }
Char LocaleDateSeparator() { return FormatSettings().DateSeparator; }
Char LocaleThousandSeparator() { return FormatSettings().ThousandSeparator; }
Char LocaleDecimalSeparator() { return FormatSettings().DecimalSeparator; }
String LocaleShortDateFormat() { return FormatSettings().ShortDateFormat; }
String LocaleShortTimeFormat() { return FormatSettings().ShortTimeFormat; }
String LocaleLongTimeFormat() { return FormatSettings().LongTimeFormat; }

// =============================================================================================
// TGridItem

namespace {

// Fixed-size blocks for the hidden-row records, in slabs carved from their start as records are
// made. Once no record is alive the slabs are kept for the next ones (a filter is mostly applied
// again, and memory written a moment ago is far quicker to write than fresh pages), their pages
// handed back to the system for it to take when it needs them. The grid lives on the UI thread only.
class TGridItemPool {
 public:
  void* Take(size_t Size) {
    ++FLive;
    if (FFree) {
      void* p = FFree;
      FFree = *static_cast<void**>(FFree);
      --FSpare;
      return p;
    }
    while (FNext == FEnd) {
      if (FOpen == FSlabs.size()) Grow(Size, kPerSlab);
      FNext = FSlabs[FOpen].first;
      FEnd = FNext + FSlabs[FOpen].second;
      ++FOpen;
    }
    void* p = FNext;
    FNext += FStep;
    --FSpare;
    return p;
  }
  void Give(void* P) {
    *static_cast<void**>(P) = FFree;
    FFree = P;
    ++FSpare;
    if (--FLive == 0) {
      if (FReleaseWanted) {
        Release();
        return;
      }
      // Carved again from the first slab on: the records of the next filter lie in order.
      FFree = nullptr;
      FNext = FEnd = nullptr;
      FOpen = 0;
    }
  }
  // The slabs go back to the system now or, while records are alive, once the last one goes.
  void Release() {
    FReleaseWanted = FLive > 0;
    if (FReleaseWanted) return;
    for (const auto& [s, bytes] : FSlabs) FreePresentBlock(s, bytes);
    FSlabs.clear();
    FFree = nullptr;
    FNext = FEnd = nullptr;
    FOpen = 0;
    FSpare = 0;
  }
  // Room for Count more records in one block.
  void Reserve(size_t Size, size_t Count) {
    if (Count > FSpare) Grow(Size, Count - FSpare);
  }

 private:
  static constexpr size_t kPerSlab = 1024;
  // A slab after the others: carved once those are.
  void Grow(size_t Size, size_t Count) {
    FStep = (std::max(Size, sizeof(void*)) + alignof(std::max_align_t) - 1) & ~(alignof(std::max_align_t) - 1);
    Count = std::max(Count, kPerSlab);
    char* slab = static_cast<char*>(AllocatePresentBlock(FStep * Count));
    FSlabs.emplace_back(slab, FStep * Count);
    FSpare += Count;
  }
  std::vector<std::pair<char*, size_t>> FSlabs;
  void* FFree = nullptr;
  char* FNext = nullptr;  // the uncarved part of the slab being carved
  char* FEnd = nullptr;
  size_t FOpen = 0;  // the next slab to carve
  size_t FStep = 0;
  size_t FLive = 0;
  size_t FSpare = 0;  // free blocks and uncarved ones
  bool FReleaseWanted = false;
};

TGridItemPool& GridItemPool() {
  // Never destroyed: a record freed during the program's exit still finds it.
  static TGridItemPool* pool = new TGridItemPool;
  return *pool;
}

}  // namespace

void* TGridItem::operator new(size_t Size) {
  if (Size != sizeof(TGridItem)) return ::operator new(Size);
  return GridItemPool().Take(Size);
}

void TGridItem::operator delete(void* P, size_t Size) {
  if (!P) return;
  if (Size != sizeof(TGridItem)) {
    ::operator delete(P);
    return;
  }
  GridItemPool().Give(P);
}

void ReserveGridItems(int Count) {
  if (Count > 0) GridItemPool().Reserve(sizeof(TGridItem), static_cast<size_t>(Count));
}

void ReleaseGridItemRoom() { GridItemPool().Release(); }

TGridItem::TGridItem(TCollection* ACollection) : TCollectionItem(ACollection) {}

TGridItem::~TGridItem() { delete FItems; }

TStrings* TGridItem::Items() const {
  if (!FItems) FItems = new TStringList;
  if (FHoldsStored) {
    FItems->Clear();
    int k = 0;
    for (int c = 0; c < FStoredCount; ++c) {
      if (k < FStored.Count() && FStored.Col(k) == c) {
        FItems->AddObject(FStored.Text(k), FStored.Object(k));
        ++k;
      } else {
        FItems->Add(String());
      }
    }
    FStored.Clear();
    FHoldsStored = false;
  }
  return FItems;
}

void TGridItem::SetItems(TStrings* v) {
  FStored.Clear();
  FHoldsStored = false;
  if (v == FItems) return;
  delete FItems;
  FItems = v;
}

void TGridItem::SetStoredCells(TStringGrid::TStoredRow&& Cells, int Count) {
  if (FItems) FItems->Clear();
  FStored = std::move(Cells);
  FStoredCount = Count;
  FHoldsStored = true;
}

TStringGrid::TStoredRow TGridItem::TakeStoredCells() {
  TStringGrid::TStoredRow out = std::move(FStored);
  FStored.Clear();
  FHoldsStored = false;
  return out;
}

void TGridItem::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TGridItem*>(Source);
  if (!s) {
    TCollectionItem::Assign(Source);
    return;
  }
  FIdx = s->FIdx;
  FHeight = s->FHeight;
  FLevel = s->FLevel;
  Items()->Assign(s->Items());
}

// =============================================================================================
// Unit services

unsigned TAdvStringGrid::GridEditDoneMessage() { return GridUnit().GridEditDone; }
unsigned TAdvStringGrid::DTPShiftFocusMessage() { return GridUnit().DTPShiftFocus; }
unsigned TAdvStringGrid::CellsClipboardFormat() { return GridUnit().CellsFormat; }
TAdvStringGrid* TAdvStringGrid::FocusWindowGrid() { return GridUnit().FocusGrid; }
bool TAdvStringGrid::DatePickerSupported() { return GridUnit().DatePickerSupported; }
void TAdvStringGrid::SetFocusWindowGrid(TAdvStringGrid* Grid) { GridUnit().FocusGrid = Grid; }

TForm* TAdvStringGrid::FindParentForm(TControl* Control) {
  for (TControl* c = Control; c; c = c->Parent())
    if (auto* f = dynamic_cast<TForm*>(c)) return f;
  return nullptr;
}

TGridFocusWindow* TAdvStringGrid::FocusWindow() {
  if (!FFocusWindow && !Designing() && !FDestroying) FFocusWindow = new TGridFocusWindow(this);
  return FFocusWindow;
}

TRect TAdvStringGrid::FocusWindowRect() const {
  TRect r = TCustomGrid::CellRect(Col(), Row());
  TPoint tl = ClientToScreen(Point(r.Left, r.Top));
  return Rect(tl.X - 4, tl.Y - 4, tl.X + r.Width() + 5, tl.Y + r.Height() + 5);
}

// =============================================================================================
// Life

TAdvStringGrid::TAdvStringGrid(TComponent* AOwner) : TBaseGrid(AOwner) {
  GridUnit();  // the unit's registrations come before the first grid
  FVisibleCol.fill(true);
}

void TAdvStringGrid::AfterConstruction() {
  TBaseGrid::AfterConstruction();
  const bool designing = Designing();
  FNewAtDesign = designing && Owner() &&
                 !Owner()->ComponentState().Contains(TComponentStateFlag::csReading) &&
                 !Owner()->ComponentState().Contains(TComponentStateFlag::csLoading);

  // Objects 1 to 36.
  FFooterPanel = new TFooterPanel(this);
  FFooterPanel->SetAlign(alBottom);
  FFooterPanel->SetHeight(0);
  FSearchPanel = new TSearchPanel(this);
  FSearchPanel->SetAlign(alBottom);
  FSearchPanel->SetHeight(0);
  cf = std::make_unique<TFont>();
  FFocusHelper = std::make_unique<TFocusHelper>(this);
  FSearchFooter = std::make_unique<TSearchFooter>(this, FNewAtDesign);
  FSearchFooter->OnChange = [this](TObject*) { UpdateSearchPanel(); };
  FFloatingFooter = std::make_unique<TFloatingFooter>(this);
  FPrintSettings = std::make_unique<TPrintSettings>();
  FHTMLSettings = std::make_unique<THTMLSettings>();
  FSortSettings = std::make_unique<TSortSettings>(this);
  FDragDropSettings = std::make_unique<TDragDropSettings>();
  FDragDropSettings->OnOleDropTargetChange = [this](bool v) { OleDropTargetChanged(v); };
  FDragScrollOptions = std::make_unique<TDragScrollOptions>();
  FControlLook = std::make_unique<TControlLook>(this);
  FNavigation = std::make_unique<TNavigation>();
  FColumnSize = std::make_unique<TColumnSize>();
  FColumnSize->OnChange = [this](TObject*) {
    if (Parent()) StretchColumn(FColumnSize->StretchColumn());
  };
  FCellNode = std::make_unique<TCellNode>();
  FCellNode->OnChange = [this](TObject*) { Invalidate(); };
  FBands = std::make_unique<TBands>();
  FBands->OnChange = [this](TObject*) { Invalidate(); };
  FSizeWhileTyping = std::make_unique<TSizeWhileTyping>();
  FMouseActions = std::make_unique<TMouseActions>(this);
  FMouseActions->OnInvalidate = [this](TObject*) { Invalidate(); };
  FMouseActions->OnIsDesigning = [this](TObject*, bool& IsDesigning) { IsDesigning = Designing(); };
  FMouseActions->OnDisableEdit = [this](TObject*) { SetOptions(TGridOptions(Options()).Exclude(goEditing)); };
  FGrouping = std::make_unique<TGrouping>();
  FColumnHeaders = std::make_unique<TStringList>();
  FColumnHeaders->OnChange = [this](TObject*) {
    ColumnHeadersChanged();
    ShowColumnHeaders();
  };
  FImageCache = std::make_unique<THTMLPictureCache>();
  FOrigColSizes = std::make_unique<TIntList>(0, 0);
  FFixedFont = std::make_unique<TFont>();
  FFixedFont->SetName(u"Tahoma");
  FFixedFont->SetStyle(TFontStyles(fsBold));
  FFixedFont->OnChange = [this](TObject*) { Invalidate(); };
  FActiveCellFont = std::make_unique<TFont>();
  FActiveCellFont->SetStyle(TFontStyles(fsBold));
  if (designing) FActiveCellFont->SetName(u"Tahoma");
  FActiveCellFont->OnChange = [this](TObject*) { Invalidate(); };
  FRowHeaders = std::make_unique<TStringList>();
  FRowHeaders->OnChange = [this](TObject*) { ShowRowHeaders(); };
  Sortlist = std::make_unique<TStringList>();
  FLookupItems = std::make_unique<TStringList>();
  FRowSelect = std::make_unique<TList>();
  FColSelect = std::make_unique<TList>();
  FSortIndexes = std::make_unique<TSortIndexList>();
  FSortRowXRef = std::make_unique<TIntList>(0, 0);
  FMergedColumns = std::make_unique<TIntList>(0, 0);
  FMergedColumns->OnChange = [this](TObject*, int, int) { MergedColumnsChanged(); };
  FSelectedCells = std::make_unique<TIntList>(0, 0);
  FSelectedRows = std::make_unique<TIntList>(0, 0);
  FModifiedRows = std::make_unique<TIntList>(0, 0);
  FEnabledRows = std::make_unique<TIntList>(0, 0);
  FRowIndicator = std::make_unique<TBitmap>();
  FBackGround = std::make_unique<TBackGround>(this);
  FScrollHintWnd = new THTMLHintWindow(this);
  SetCustomHintShow(true);  // cell hints: the grid answers the hint request
  FScrollHintWnd->SetVisible(false);
  FControlList = std::make_unique<TControlList>();
  FProgressAppearance = std::make_unique<TGridProgressAppearance>();
  FProgressAppearance->OnChange = [this](TObject*) { Invalidate(); };
  FSyncGrid = std::make_unique<TSyncGrid>(this);

  // Counts and size, then objects 37 to 40.
  SetRowCount(10);
  SetBounds(Left(), Top(), 400, 250);
  FGridItems = std::make_unique<TCollection>([](TCollection* c) { return New<TGridItem>(c); });
  FFilter = std::make_unique<TFilter>(this);
  FAutoSize = false;
  FBalloonSettings = std::make_unique<TBalloonSettings>();
  FBalloonSettings->OnEnableChange = [this](TObject*) { BalloonEnableChanged(); };
  FShowModified = std::make_unique<TShowModified>();
  FShowModified->OnChange = [this](TObject*) { TCustomGrid::InvalidateCol(0); };

  // Following the form's size (run time, a form as owner).
  if (!designing) {
    if (auto* form = dynamic_cast<TForm*>(Owner())) FollowForm(form);
  }

  FVisibleCol.fill(true);
  FNumHidden = 0;
  FDelimiter = 0;
  FFloatFormat = u"%.2f";
  FPasswordChar = u'*';
  FCheckTrue = u"Y";
  FCheckFalse = u"N";

  SetDefaultRowHeight(22);
  FFixedRowHeight = DefaultRowHeight();

  const TPlatformProfile& profile = PlatformProfile();
  FIsWinXP = IsWindowsXPOrLater(profile);
  FIsWin7 = profile.WinMajor > 6 || (profile.WinMajor == 6 && profile.WinMinor > 0);
  const int comCtl = GetDllFileVersion(u"COMCTL32.DLL");
  FIsComCtl6 = comCtl != -1 && ((comCtl >> 16) & 0xFF) > 5;
  FBorderColor = FIsWinXP ? TColor(0xB99D7F) : TColor(0x808080);
  FScrollWidth = 17;  // the system's vertical scroll bar width
  FIsWinVista = IsVistaOrLater(profile);
  FQELGradTo = ColorToRGB(clBtnFace);

  // Objects 41 to 48.
  FNotifierList = std::make_unique<TList>();
  FColumnOrder = std::make_unique<TIntList>(0, 0);
  FCellGraphic = std::make_unique<TCellGraphic>();
  FIgnoreColumns = std::make_unique<TIntList>(0, 0);
  FFilterDropDown = std::make_unique<TFilterDropDown>();
  FFilterDropDown->OnChange = [this](TObject*) { Invalidate(); };
  // The grid's children are owned by it and take it as their parent only when a part of the grid
  // shows them: the platform makes a control's window as soon as it has a parent, which would
  // make the grid's own window here, before its form has parented it.
  FDropList = new TDropList(this);
  FDropList->SetBounds(0, 0, 0, 0);
  FDropList->SetVisible(false);
  FDropCheckList = new TDropCheckList(this);
  FDropCheckList->SetBounds(0, 0, 0, 0);
  FDropCheckList->SetVisible(false);
  FDropList->OnSelect = [this](TObject*, int Index) { DoFilterSelect(Index); };
  FDropCheckList->OnSelect = [this](TObject*, int Index) { DoFilterCheck(Index); };
  FDropList->OnCancel = [this](TObject*) { FilterListCancel(); };
  FDropCheckList->OnCancel = [this](TObject*) { FilterListCancel(); };
  FFilterList = std::make_unique<TStringList>();
  FFilterList->SetDuplicates(dupIgnore);
  FFilterList->SetSorted(true);
  FInitLeftCol = LeftCol();
  FInitTopRow = TCustomGrid::TopRow();

  if (!designing) {
    // Objects 49 to 59: hidden, disabled children until a part of the grid shows them.
    auto hidden = [](TControl* c, bool disable) {
      c->SetVisible(false);
      if (disable) c->SetEnabled(false);
    };
    // The block-focus frame and the column-move arrows are overlay windows that take the grid
    // as their parent at once; they are made when first needed (FocusWindow, and the moving of
    // columns), so that the grid's window is not made before its form has parented it.
    EditCombo = new TGridCombo(this);
    hidden(EditCombo, true);
    EditCombo->SetIsWinXP(FIsWinXP);
    EditCombo->SetIsVista(FIsWinVista && FIsComCtl6);
    EditTrans = new TGridTransEdit(this);
    hidden(EditTrans, false);
    EditTrans->SetBorderStyle(bsNone);
    ComboTrans = new TGridTransCombo(this);
    hidden(ComboTrans, false);
    EditCheck = new TGridCheckBox(this);
    hidden(EditCheck, true);
    EditBtn = new TGridEditBtn(this);
    hidden(EditBtn, true);
    EditBtn->SetButtonCaption(u"...");
    EditBtn->SetBorderStyle(bsNone);
    EditBtn->SetIsWinXP(FIsWinXP);
    UnitEditBtn = new TGridUnitEditBtn(this);
    hidden(UnitEditBtn, true);
    UnitEditBtn->SetButtonCaption(u"...");
    UnitEditBtn->SetBorderStyle(bsNone);
    GridButton = new TGridButton(this);
    hidden(GridButton, true);
    MoveButton = new THeaderDragButton(this);
    hidden(MoveButton, true);
    MoveButton->Grid = this;
    FEditControl = new TControlEdit(this);
    hidden(FEditControl, false);
    FComboControl = new TControlCombo(this);
    hidden(FComboControl, false);
    FScrollBar = new TScrollBar(this);
    FScrollBar->SetVisible(false);
    FPaintScrollBar = new TScrollBar(this);
    FPaintScrollBar->SetVisible(false);
    FStyle = tsWindowsXP;
    EditMode = false;
    EditControl = edNormal;
  }
  GridUnit().LinkCursor = kHandCursor;
  RegisterGridCursors();
}

TAdvStringGrid::~TAdvStringGrid() {
  FDestroying = true;
  if (!Designing()) BalloonDone();
  if (FColumnSize && FColumnSize->Save()) SaveColSizes();
  LeaveForm();
  FollowThemeNotifier(false);
  RevokeGridDropTarget();
  if (GridUnit().FocusGrid == this) GridUnit().FocusGrid = nullptr;
  ClearTextOnly = false;
  SaveHiddenCells = false;
  // Hidden columns' cells come back into the grid; every properties object and cell object this
  // grid made, in a slot (beyond the current counts too) or in a hidden row's record, is freed by
  // the base grid, which owns them all.
  UnHideColumnsAll();
  SetCursor(FRestoreCursor);
  ReleaseGridItemRoom();
}

// =============================================================================================
// Window and loading

void TAdvStringGrid::CreateWnd() {
  if (FDestroying) return;
  TBaseGrid::CreateWnd();
  if (!Parent()) return;
  if (!Designing()) {
    for (TScrollBar* bar : {FScrollBar, FPaintScrollBar}) {
      if (!bar) continue;
      bar->SetParent(this);
      bar->SetVisible(false);
      bar->SetTabStop(false);
      bar->SetKind(sbVertical);
      // The steps the grid gives an in-cell bar's arrows and track.
      bar->SetSmallChange(10);
      bar->SetLargeChange(100);
    }
    if (FBalloonSettings->Enable()) BalloonInit();
  }
  FFooterPanel->SetParent(this);
  FFooterPanel->SetVisible(FFloatingFooter->Visible());
  FFooterPanel->SetHeight(FFloatingFooter->Visible() ? FFloatingFooter->Height() : 0);
  if (OnCreatedFloatingFooter) OnCreatedFloatingFooter(this);
  FSearchPanel->SetParent(this);
  FSearchPanel->SetVisible(FSearchFooter->Visible());
  FSearchPanel->SetHeight(FSearchFooter->Visible() ? TSearchPanel::kPanelHeight : 0);
  FSearchPanel->PlaceControls();
  UpdateSearchPanel();
  if (OnCreatedSearchFooter) OnCreatedSearchFooter(this);
  if (FColumnSize->Save()) LoadColSizes();
  SetTimer(this, kGridTimerId, kGridTimerInterval);
  if (FIsWinXP) FIsWinXP = IsThemeActive();
  SetUpWheel();
  if (FScrollType == ssMetro && !Loading()) UpdateScrollIndicators();
  if (FScrollType == ssNormal || Loading()) return;
  FIsFlat = InitializeFlatSB();
  SetFlatScrollWidth();
  SetFlatScrollColor();
}

void TAdvStringGrid::Loaded() {
  TBaseGrid::Loaded();
  FRestoreCursor = TControl::Cursor();
  ApplyColumnHeaders();
  ApplyRowHeaders();
  if (FDropTargetRegistered) {
    FGridDropTarget->SetAcceptText(FDragDropSettings->OleAcceptText());
    FGridDropTarget->SetAcceptFiles(FDragDropSettings->OleAcceptFiles());
    FGridDropTarget->SetAcceptURLs(FDragDropSettings->OleAcceptURLs());
  }
  if (FLook == glQEL) {
    // Applied again so that the look's colours are set.
    FLook = glCustom;
    SetLook(glQEL);
  }
  if (FAutoSize) AutoSizeColumns(false, 4);
  if (FColumnSize->Save()) LoadColSizes();
  FFixedRowsMin = TCustomGrid::FixedRows();
  FFixedColsMin = TCustomGrid::FixedCols();
  FMinRowHeight = DefaultRowHeight();
  FMinColWidth = 10;
  FMaxRowCount = RowCount();
  FLoaded = true;
  TGridOptions opts = Options();
  if (opts.Contains(goAlwaysShowEditor)) {
    FNavigation->SetAlwaysEdit(true);
    opts.Exclude(goAlwaysShowEditor);
    SetOptions(opts);
  }
  if (!Designing() && !FIsWinXP && FControlLook->ControlStyle() == csTheme) FControlLook->SetControlStyle(csClassic);
  FSearchFooter->SetAutoThemeAdapt(FAutoThemeAdapt);
  UpdateScrollBarsAlways(false);
  if (FAutoThemeAdapt && !Designing()) {
    FollowOfficeTheme();
    FollowThemeNotifier(true);
  }
  FOrigColSizes->Clear();
  for (int i = 0; i < ColCount(); ++i) FOrigColSizes->Add(ColWidths(i));
  FColumnOrder->Clear();
  for (int i = 0; i < ColCount(); ++i) FColumnOrder->Add(i);
  if (FBalloonSettings->Enable()) BalloonInit();
  ApplyActiveStyleColors();
}

void TAdvStringGrid::Resize() {
  // The class library's size handling runs also after a stretch: it keeps the view's first
  // cells valid for the new size.
  SizeColumnsToWidth();
  TBaseGrid::Resize();
  if (OnGridResize) OnGridResize(this);
  if (FBackGround->ColorTo() != clNone &&
      (FBackGround->Display() == bdGradientHorz || FBackGround->Display() == bdGradientVert))
    Invalidate();
  UpdateScrollBarsAlways(false);
  UpdateVScrollBar();
  UpdateHScrollBar();
}

// =============================================================================================
// Bounds

unsigned TAdvStringGrid::ScrollBarHeight() const { return 17; }  // SM_CYHSCROLL

void TAdvStringGrid::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (FIntegralHeight && FUpdateCount == 0 && DefaultRowHeight() > 0) {
    bool allColsFit = VisibleColCount() + TCustomGrid::FixedCols() >= ColCount();
    int h = allColsFit ? 0 : static_cast<int>(ScrollBarHeight());
    int b = BorderStyle() == bsSingle ? 2 : 0;
    AHeight = AHeight + b - ((AHeight - h - b) % DefaultRowHeight());
  }
  TBaseGrid::SetBounds(ALeft, ATop, AWidth, AHeight);
  PaintLookBorder();
}

void TAdvStringGrid::SetIntegralHeight(bool Value) {
  FIntegralHeight = Value;
  SetBounds(Left(), Top(), Width(), Height());
}

void TAdvStringGrid::SetBorderColor(TColor Value) {
  if (FBorderColor == Value) return;
  FBorderColor = Value;
  if (Parent() && Parent()->HandleAllocated()) PaintLookBorder();
}

void TAdvStringGrid::SetCursor(TCursor Value) {
  TControl::SetCursor(Value);
  FRestoreCursor = Value;
}

void TAdvStringGrid::SetShowSelection(bool v) {
  if (FShowSelection == v) return;
  FShowSelection = v;
  SetShowSel(v);
  Invalidate();
}

// =============================================================================================
// Following the form's size

void TAdvStringGrid::FollowForm(TForm* Form) {
  FResizeForm = Form;
  FFormWidth = Form->Width();
  FFormHeight = Form->Height();
  Form->FreeNotification(this);
  Form->InstallResizeFilter(this, [this](TControl* Sender) { FormResized(Sender); });
}

void TAdvStringGrid::LeaveForm() {
  if (!FResizeForm) return;
  FResizeForm->RemoveResizeFilter(this);
  FResizeForm->RemoveFreeNotification(this);
  FResizeForm = nullptr;
}

void TAdvStringGrid::FormResized(TControl* Form) {
  int w = Form->Width(), h = Form->Height();
  if (FSizeWithForm) {
    int nw = Width() + w - FFormWidth;
    int nh = Height() + h - FFormHeight;
    if (nw > 0 && nh > 0) SetBounds(Left(), Top(), nw, nh);
  }
  FFormWidth = w;
  FFormHeight = h;
}

void TAdvStringGrid::Notification(TComponent* AComponent, TOperation Operation) {
  // The form is going: it no longer calls this grid, and this grid must not call it.
  if (Operation == opRemove && AComponent && AComponent == FResizeForm) FResizeForm = nullptr;
  if (Operation == opRemove && AComponent && AComponent == FGridImages) FGridImages = nullptr;
  if (Operation == opRemove && AComponent && AComponent == FEditLink) FEditLink = nullptr;
  if (Operation == opRemove && AComponent && AComponent == FFixedDropDownMenu) FFixedDropDownMenu = nullptr;
  if (Operation == opRemove && AComponent && !FDestroying && FSyncGrid && AComponent == FSyncGrid->Grid())
    FSyncGrid->SetGrid(nullptr);
  TBaseGrid::Notification(AComponent, Operation);
}

// =============================================================================================
// Copying

void TAdvStringGrid::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TAdvStringGrid*>(Source);
  if (!s) return;  // any other source is ignored
  if (s == this) return;
  SetFont(s->Font());
  FActiveCellColor = s->FActiveCellColor;
  FActiveCellColorTo = s->FActiveCellColorTo;
  FActiveCellFont->Assign(s->FActiveCellFont.get());
  FActiveCellShow = s->FActiveCellShow;
  SetActiveRowShow(s->ActiveRowShow());
  SetAlign(s->Align());
  FFilterDropDown->Assign(s->FFilterDropDown.get());
  FAnchorHint = s->FAnchorHint;
  FAutoNumAlign = s->FAutoNumAlign;
  FAutoSize = s->FAutoSize;
  FAutoThemeAdapt = s->FAutoThemeAdapt;
  FAutoFilterUpdate = s->FAutoFilterUpdate;
  FMouseActions->Assign(s->FMouseActions.get());
  FNavigation->Assign(s->FNavigation.get());
  FGrouping->Assign(s->FGrouping.get());
  FSearchFooter->Assign(s->FSearchFooter.get());
  FPrintSettings->Assign(s->FPrintSettings.get());
  FFilter->Assign(s->FFilter.get());
  FHTMLSettings->Assign(s->FHTMLSettings.get());
  FBands->Assign(s->FBands.get());
  FCellNode->Assign(s->FCellNode.get());
  FSortSettings->Assign(s->FSortSettings.get());
  FDragScrollOptions->Assign(s->FDragScrollOptions.get());
  FDragDropSettings->Assign(s->FDragDropSettings.get());
  FProgressAppearance->Assign(s->FProgressAppearance.get());
  FColumnSize->Assign(s->FColumnSize.get());
  FSyncGrid->Assign(s->FSyncGrid.get());
  FFocusHelper->Assign(s->FFocusHelper.get());
  FFixedRowAlways = s->FFixedRowAlways;

  SetColCount(s->ColCount());
  SetRowCount(s->RowCount());
  SetFixedRows(s->FixedRows());
  SetFixedCols(s->FixedCols());
  SetDefaultColWidth(s->DefaultColWidth());
  SetDefaultRowHeight(s->DefaultRowHeight());
  SetFixedRowHeight(s->FixedRowHeight());
  SetFixedColWidth(s->FixedColWidth());
  FInvalidEntryTitle = s->FInvalidEntryTitle;
  FInvalidEntryIcon = s->FInvalidEntryIcon;
  FInvalidEntryText = s->FInvalidEntryText;
  SetOptions(s->Options());
  for (int i = 0; i < s->ColCount(); ++i) SetColWidths(i, s->ColWidths(i));
  FColumnHeaders->Assign(s->FColumnHeaders.get());
  for (int j = 0; j < s->RowCount(); ++j) SetRowHeights(j, s->RowHeights(j));
  FScrollProportional = s->FScrollProportional;
  FScrollSynch = s->FScrollSynch;
  FScrollWidth = s->FScrollWidth;
  FScrollHints = s->FScrollHints;
  FScrollBarAlways = s->FScrollBarAlways;  // stored only: the bars follow with the next update
  SetScrollBars(s->ScrollBars());
  SetScrollColor(s->ScrollColor());
  SetScrollType(s->ScrollType());
  SetScrollWidth(s->ScrollWidth());
  AssignCells(s);
}

void TAdvStringGrid::AssignCells(TPersistent* Source) {
  auto* s = dynamic_cast<TAdvStringGrid*>(Source);
  if (!s) return;
  TMemoryStream ms;
  s->SaveToStream(&ms);
  ms.SetPosition(0);
  LoadFromStream(&ms);
}

// =============================================================================================
// Headers and helpers

void TAdvStringGrid::ApplyColumnHeaders() { ShowColumnHeaders(); }

void TAdvStringGrid::ApplyRowHeaders() { ShowRowHeaders(); }

void TAdvStringGrid::RepaintFooterPanel() {
  if (FFooterPanel && FFloatingFooter && FFloatingFooter->Visible()) FFooterPanel->Invalidate();
}

