#include "shell/UTableForm.h"

#include <algorithm>

#include "button/LbButton.h"
#include "platform/Dialogs.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"
#include "shell/UShellGlyphs.h"
#include "shell/UUnreadFile.h"

namespace {

constexpr int kRowButtonWidth = 110;
constexpr int kRowButtonGap = 6;
constexpr int kNumberColumnWidth = 40;

constexpr int kLeftButtonsFirst = 16;
constexpr int kLeftButtonsStep = 118;

// A grid's data rows as the table-file engine sees them. In a plain string grid a cell with a
// check box is its state: "Y" or "N" when written, set by any text but "N" when read. (A column
// grid's data check box is its text, kept as the file holds it.)
class TGridCells : public TTableCells {
 public:
  TGridCells(TAdvStringGrid* Grid, int Rows, bool Boxes, bool FollowGrid = false)
      : FGrid(Grid), FRows(Rows), FBoxes(Boxes), FFollowGrid(FollowGrid) {}
  int RowCount() const override { return FFollowGrid ? std::min(FRows, FGrid->RowCount() - 1) : FRows; }
  String Cell(int Col, int Row) const override {
    bool state = false;
    if (FBoxes && FGrid->GetCheckBoxState(Col, Row, state)) return state ? u"Y" : u"N";
    return FGrid->GetCellEx(Col, Row);
  }
  void SetCell(int Col, int Row, const String& Text) override {
    bool state = false;
    if (FBoxes && FGrid->GetCheckBoxState(Col, Row, state))
      FGrid->SetCheckBoxState(Col, Row, Text != u"N");
    else
      FGrid->SetCellEx(Col, Row, Text);
  }

 private:
  TAdvStringGrid* FGrid;
  int FRows;
  bool FBoxes;
  bool FFollowGrid;
};

TLbButton* AddRowButton(TPanel* Row, const String& Name, int Left) {
  auto* b = Add_Control<TLbButton>(Row, Name);
  b->SetBounds(Left, 6, kRowButtonWidth, 28);
  Apply_Dialog_Button_Look(b);
  b->SetShowHint(true);
  return b;
}

}  // namespace

TTableLayout Table_Form_Layout(const TTableFormDef& Def) {
  TTableLayout layout;
  layout.Root = Def.Root;
  for (const TTableGridDef& g : Def.Grids) {
    TTableSection s;
    s.Name = g.Section;
    s.KeyColumn = g.KeyColumn;
    s.TrimKey = g.TrimKey;
    s.Optional = g.SectionOptional;
    s.Choices = g.Choices;
    for (size_t i = 0; i < g.Columns.size(); ++i) {
      const TTableColumnDef& c = g.Columns[i];
      const int col = static_cast<int>(i) + 1;
      if (!c.Attribute.empty()) s.Attrs.push_back({c.Attribute, col, c.Missing, c.Default});
      if (c.DefaultWhenColumn > 0) s.DefaultConditions.push_back({col, c.DefaultWhenColumn, c.DefaultWhenText});
      if (!c.IfEmpty.empty()) s.EmptyDefaults.emplace_back(col, c.IfEmpty);
    }
    layout.Sections.push_back(std::move(s));
  }
  return layout;
}

void Use_Text_Block(TTableFormDef& Def, int Base) {
  Def.Caption = Base;
  Def.Description = Base + 1;
  Def.ButtonCaptions = Base + 2;
  Def.ButtonHints = Base + 8;
}

TTableForm::TTableForm(TComponent* AOwner, const TTableFormDef& Def)
    : TForm(AOwner), FDef(Def), FLayout(Table_Form_Layout(Def)) {
  SetName(Def.Name);
  Apply_Form_Look(this);
  SetShowHint(true);
  BuildControls();
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
}

TTableForm::~TTableForm() = default;

void Fill_Position_List(TStrings* Items, int Count) {
  Items->BeginUpdate();
  Items->Clear();
  for (int i = 0; i < Count; ++i) Items->Add(IntToStr(i));
  Items->EndUpdate();
}

void TTableForm::BuildControls() {
  int okLeft = FDef.ClientWidth - 2 * (kRowButtonWidth + kRowButtonGap) - 2;
  int cancelLeft = okLeft + kRowButtonWidth + kRowButtonGap;
  int rowLeft = 8;
  int rowStep = kRowButtonWidth + kRowButtonGap;
  if (FDef.ButtonsFromLeft) {
    okLeft = kLeftButtonsFirst;
    cancelLeft = kLeftButtonsFirst + kLeftButtonsStep;
    rowLeft = kLeftButtonsFirst + 2 * kLeftButtonsStep;
    rowStep = kLeftButtonsStep;
  }
  Build_Dialog_Frame(this, *this, {.OkLeft = okLeft, .CancelLeft = cancelLeft});
  Btn_OK->SetModalResult(mrNone);
  Btn_Cancel->SetModalResult(mrCancel);
  Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };

  Btn_DelRow = AddRowButton(P_Button, u"Btn_DelRow", rowLeft);
  Btn_InsRow = AddRowButton(P_Button, u"Btn_InsRow", rowLeft + rowStep);
  Btn_CopyRow = AddRowButton(P_Button, u"Btn_CopyRow", rowLeft + 2 * rowStep);
  Btn_PasteRow = AddRowButton(P_Button, u"Btn_PasteRow", rowLeft + 3 * rowStep);
  Btn_DelRow->OnClick = [this](TObject* s) { Btn_DelRowClick(s); };
  Btn_InsRow->OnClick = [this](TObject* s) { Btn_InsRowClick(s); };
  Btn_CopyRow->OnClick = [this](TObject* s) { Btn_CopyRowClick(s); };
  Btn_PasteRow->OnClick = [this](TObject* s) { Btn_PasteRowClick(s); };

  TWinControl* parent = this;
  if (FDef.Grids.size() > 1) {
    PageControl1 = Add_Control<TPageControl>(this, u"PageControl1");
    PageControl1->SetAlign(alClient);
  }
  for (const TTableGridDef& g : FDef.Grids) {
    if (PageControl1) {
      auto* sheet = New<TTabSheet>(PageControl1);
      sheet->SetName(g.Sheet);
      sheet->SetPageControl(PageControl1);
      Sheets.push_back(sheet);
      parent = sheet;
    }
    TAdvColumnGrid* grid = g.StringGrid ? nullptr : BuildGrid(parent, g);
    TAdvStringGrid* any = grid ? grid : BuildStringGrid(parent, g);
    Grids.push_back(grid);
    String_Grids.push_back(any);
    FCells.push_back(std::make_unique<TGridCells>(any, g.DataRows, g.StringGrid, g.RowsFollowGrid));
    Copy_Flags.push_back(false);
  }
}

// What every table's grid has: its size, the fixed header row and number column, editing. A
// template, as the column grid's sizing keeps its column items in step.
template <class TGrid>
static void SetUpTableGrid(TGrid* Grid, const TTableGridDef& G) {
  Grid->SetAlign(alClient);
  Grid->SetColCount(static_cast<int>(G.Columns.size()) + 1);
  Grid->SetRowCount(G.DataRows + 1);
  Grid->SetFixedCols(1);
  Grid->SetFixedRows(1);
  Grid->SetDefaultRowHeight(21);
  TGridOptions options = TGridOptions(Grid->Options()).Include(goEditing).Include(goColSizing);
  if (G.StringGrid) options = options.Include(goRowSizing);
  Grid->SetOptions(options);
  Grid->SetShowHint(true);
}

TAdvColumnGrid* TTableForm::BuildGrid(TWinControl* Parent, const TTableGridDef& G) {
  auto* grid = Add_Control<TAdvColumnGrid>(Parent, G.Name);
  SetUpTableGrid(grid, G);
  BindGridEvents(grid);
  TGridColumnCollection* cols = grid->Columns();
  cols->Items(0)->SetWidth(kNumberColumnWidth);
  for (size_t i = 0; i < G.Columns.size(); ++i) {
    const TTableColumnDef& d = G.Columns[i];
    TGridColumnItem* c = cols->Items(static_cast<int>(i) + 1);
    c->SetEditor(d.Editor);
    c->SetEditLength(d.MaxLength);
    c->SetWidth(d.Width);
    c->ComboItems()->Clear();
    for (const String& item : d.Items) c->ComboItems()->Add(item);
  }
  return grid;
}

TAdvStringGrid* TTableForm::BuildStringGrid(TWinControl* Parent, const TTableGridDef& G) {
  auto* grid = Add_Control<TAdvStringGrid>(Parent, G.Name);
  SetUpTableGrid(grid, G);
  BindGridEvents(grid);
  grid->SetColWidths(0, kNumberColumnWidth);
  for (size_t i = 0; i < G.Columns.size(); ++i) {
    const int c = static_cast<int>(i) + 1;
    grid->SetColWidths(c, G.Columns[i].Width);
    if (G.Columns[i].Editor == edDataCheckBox) grid->AddCheckBoxColumn(c);
  }
  return grid;
}

void TTableForm::BindGridEvents(TAdvStringGrid* Grid) {
  Grid->OnKeyPress = [this](TObject* s, Char& k) { Grid_KeyPress(s, k); };
  Grid->OnGridHint = [this](TObject* s, int r, int c, String& h) { Grid_Hint(s, r, c, h); };
  Grid->OnCheckBoxClick = [this](TObject* s, int c, int r, bool st) { Grid_CheckBoxClick(s, c, r, st); };
  Grid->OnClickCell = [this](TObject* s, int r, int c) { Grid_ClickCell(s, r, c); };
  Grid->OnDblClickCell = [this](TObject* s, int r, int c) { Grid_DblClickCell(s, r, c); };
}

TAdvColumnGrid* TTableForm::Active_Grid() const { return Grids[static_cast<size_t>(Active_Grid_Index())]; }

int TTableForm::Active_Grid_Index() const {
  if (!PageControl1) return 0;
  const int i = PageControl1->ActivePageIndex();
  return i < 0 || i >= static_cast<int>(Grids.size()) ? 0 : i;
}

int TTableForm::Grid_Index(const TObject* Grid) const {
  for (size_t i = 0; i < Grids.size(); ++i)
    if (String_Grids[i] == Grid) return static_cast<int>(i);
  return -1;
}

// ---- creation, texts, show ----

void TTableForm::FormCreate(TObject*) {
  L_SW_Code->SetCaption(Soft_Code);
  SetClientWidth(FDef.ClientWidth);
  SetClientHeight(FDef.ClientHeight);
  if (PageControl1) PageControl1->SetActivePageIndex(0);
  Hint_Lists.clear();
  for (size_t i = 0; i < Grids.size(); ++i) Hint_Lists.push_back(std::make_unique<TStringList>());
  Set_Lang();
}

void TTableForm::Set_Lang() {
  std::vector<TTextEntry> texts{{this, FDef.Caption}, {L_SW_Desc, FDef.Description}};
  TLbButton* buttons[6] = {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow};
  for (int i = 0; i < 6; ++i)
    texts.push_back({buttons[i], FDef.ButtonCaptions < 0 ? -1 : FDef.ButtonCaptions + i,
                     FDef.ButtonHints < 0 ? -1 : FDef.ButtonHints + i});
  for (size_t g = 0; g < Sheets.size(); ++g) texts.push_back({Sheets[g], FDef.Grids[g].SheetCaption});
  Set_Texts(texts);
  for (size_t g = 0; g < String_Grids.size(); ++g) {
    const TTableGridDef& def = FDef.Grids[g];
    // A column grid's header goes through its column item, a plain grid's into row 0.
    auto header = [&](int Col, int Text) {
      if (Grids[g])
        Grids[g]->Columns()->Items(Col)->SetHeader(UI_Text(Text));
      else
        String_Grids[g]->SetCellEx(Col, 0, UI_Text(Text));
    };
    if (def.NumberHeader >= 0) header(0, def.NumberHeader);
    if (g >= Hint_Lists.size()) continue;
    TStringList* hints = Hint_Lists[g].get();
    hints->Clear();
    for (size_t i = 0; i < def.Columns.size(); ++i) {
      const TTableColumnDef& c = def.Columns[i];
      if (c.Header >= 0) header(static_cast<int>(i) + 1, c.Header);
      hints->Add(c.Hint >= 0 ? UI_Text(c.Hint) : String());
    }
  }
}

void TTableForm::FormShow(TObject*) {
  Reset_Grids();
  Set_Limits();
  Load_Tables();
  After_Load();
  for (size_t i = 0; i < Copy_Flags.size(); ++i) Copy_Flags[i] = false;
}

void TTableForm::Reset_Grids() {
  for (size_t g = 0; g < String_Grids.size(); ++g) {
    TAdvStringGrid* grid = String_Grids[g];
    const TTableGridDef& def = FDef.Grids[g];
    const int last = grid->ColCount() + grid->NumHiddenColumns() - 1;
    for (int r = 1; r <= def.DataRows; ++r) {
      grid->SetCellEx(0, r, IntToStr(r));
      for (int c = 1; c <= last; ++c) {
        const bool enable = c == 1 && def.EnableColumn;
        bool state = false;
        if (def.StringGrid && grid->GetCheckBoxState(c, r, state))
          grid->SetCheckBoxState(c, r, enable);
        else
          grid->SetCellEx(c, r, enable ? String(u"Y") : String());
      }
    }
  }
}

void TTableForm::Load_Tables() {
  FLoad_Incomplete = false;
  std::vector<TTableCells*> tables;
  for (const auto& c : FCells) tables.push_back(c.get());
  try {
    LoadTableFile(FLayout, File_Path(), tables);
  } catch (const std::exception& E) {
    FLoad_Incomplete = true;
    Application->ShowException(E);
  }
}

void TTableForm::Save_Tables() {
  std::vector<const TTableCells*> tables;
  for (const auto& c : FCells) tables.push_back(c.get());
  SaveTableFile(FLayout, tables, File_Path());
}

// ---- buttons ----

void TTableForm::Btn_OKClick(TObject*) {
  if (!Check_Tables()) return;
  if (FLoad_Incomplete && !Confirm_Overwrite_Unread_File(File_Path())) return;
  try {
    Save_Tables();
  } catch (const std::exception& E) {
    Application->ShowException(E);
    return;
  }
  FLoad_Incomplete = false;
  SetModalResult(mrOk);
}

void TTableForm::Btn_DelRowClick(TObject*) {
  const int g = Row_Grid_Index();
  TAdvStringGrid* grid = String_Grids[static_cast<size_t>(g)];
  const TTableGridDef& def = FDef.Grids[static_cast<size_t>(g)];
  const int row = grid->GetRowEx();
  if (!Confirm_Delete_Row(def.DeleteQuestion >= 0 ? def.DeleteQuestion : FDef.DeleteQuestion, row)) return;
  if (def.CheckBoxCells || def.StringGrid)
    Grid_Delete_Row_CB(row, grid, def.FreedRowEnabled);
  else
    Grid_Delete_Row(row, Grids[static_cast<size_t>(g)]);
  After_Row_Change(g);
}

bool TTableForm::Confirm_Delete_Row(int Question, int Row) {
  String question = UI_Text(Question);
  const size_t at = question.find(u"%d");
  if (at == String::npos)
    question += IntToStr(Row);
  else
    question.replace(at, 2, IntToStr(Row));
  return MessageDlg(question, mtConfirmation, TMsgDlgButtons{mbYes, mbNo}) == mrYes;
}

void TTableForm::Show_Row_Error(int Error_Row, int Row, const String& Failure) {
  MessageDlg(UI_Text(Error_Row) + IntToStr(Row) + Failure, mtError, TMsgDlgButtons{mbOK});
}

void TTableForm::Btn_InsRowClick(TObject*) {
  const int g = Row_Grid_Index();
  TAdvStringGrid* grid = String_Grids[static_cast<size_t>(g)];
  const TTableGridDef& def = FDef.Grids[static_cast<size_t>(g)];
  if (def.CheckBoxCells || def.StringGrid)
    Grid_Insert_Row_CB(grid->GetRowEx(), grid, def.EnableColumn);
  else
    Grid_Insert_Row(grid->GetRowEx(), Grids[static_cast<size_t>(g)], def.EnableColumn);
  After_Row_Change(g);
}

void TTableForm::Btn_CopyRowClick(TObject*) {
  const int g = Row_Grid_Index();
  TAdvStringGrid* grid = String_Grids[static_cast<size_t>(g)];
  const TTableGridDef& def = FDef.Grids[static_cast<size_t>(g)];
  if (def.CheckBoxCells || def.StringGrid)
    Grid_Copy_Row_CB(grid, grid->GetRowEx());
  else
    Grid_Copy_Row(Grids[static_cast<size_t>(g)], grid->GetRowEx());
  for (size_t i = 0; i < Copy_Flags.size(); ++i) Copy_Flags[i] = static_cast<int>(i) == g;
}

void TTableForm::Btn_PasteRowClick(TObject*) {
  const int g = Row_Grid_Index();
  TAdvStringGrid* grid = String_Grids[static_cast<size_t>(g)];
  const TTableGridDef& def = FDef.Grids[static_cast<size_t>(g)];
  const bool valid = Copy_Flags[static_cast<size_t>(g)];
  if (def.CheckBoxCells || def.StringGrid)
    Grid_Paste_Row_CB(grid, grid->GetRowEx(), valid);
  else
    Grid_Paste_Row(Grids[static_cast<size_t>(g)], grid->GetRowEx(), valid);
  After_Row_Change(g);
}

// ---- grid events ----

void TTableForm::Grid_KeyPress(TObject* Sender, Char& Key) {
  if (auto* grid = dynamic_cast<TAdvStringGrid*>(Sender)) Grid_Enter_Next_Cell(grid, Key);
}

void TTableForm::Grid_DblClickCell(TObject* Sender, int ARow, int ACol) {
  if (auto* grid = dynamic_cast<TAdvStringGrid*>(Sender)) Grid_Auto_Size_Col(grid, ARow, ACol);
}

void TTableForm::Grid_ClickCell(TObject* Sender, int ARow, int ACol) {
  if (!FDef.ClickSelectsRow || ACol != 0 || ARow < 1) return;
  if (auto* grid = dynamic_cast<TAdvStringGrid*>(Sender)) grid->SelectRows(ARow, 1);
}

void TTableForm::Grid_Hint(TObject* Sender, int ARow, int ACol, String& Hint) {
  Hint.clear();
  const int g = Grid_Index(Sender);
  if (g < 0 || ARow != 0 || static_cast<size_t>(g) >= Hint_Lists.size()) return;
  const int c = FDef.HintByDisplayedColumn ? ACol : String_Grids[static_cast<size_t>(g)]->RealColIndex(ACol);
  TStringList* hints = Hint_Lists[static_cast<size_t>(g)].get();
  if (c >= 1 && c - 1 < hints->Count()) Hint = hints->Strings(c - 1);
}
