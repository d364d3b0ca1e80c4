#pragma once
// The table form frame: the modal dialog in which the user edits one or two tables of a
// configuration and saves them to the form's table file. A form declares its grids (columns with
// header and hint texts, editor kind and items, maximum length, file attribute and read default;
// key column, Enable column, check-box kind) in a TTableFormDef and derives from TTableForm; it
// gets the title and button strips, the grids (on a page control when there are two), the texts
// of Set_Lang, the reset-and-load of FormShow, the copy flags, the four row buttons, header
// hints, the click in column 0, Enter and double-click bindings, and OK = check, save, close.
// Cancel writes nothing. A form departs from the frame by overriding the virtual steps below.
#include <memory>
#include <vector>

#include "grid/core/AdvColumnGrid.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"
#include "shell/TableFile.h"
#include "shell/UDialogFrame.h"

class TLbButton;

// One data column (real column 1 .. n) of a table form's grid.
struct TTableColumnDef {
  int Header = -1;                // UI text of the header (row 0)
  int Hint = -1;                  // UI text of the header hint
  TEditorType Editor = edNormal;  // edNormal, edComboList, edComboEdit, edDataCheckBox
  std::vector<String> Items;      // fixed list items; a form may fill them in Set_Limits
  int MaxLength = 0;              // 0: no limit
  int Width = 64;
  String Attribute;               // the table file's attribute of the column
  TMissingAttr Missing = TMissingAttr::Keep;
  String Default;                 // read default with TMissingAttr::Default
  int DefaultWhenColumn = 0;      // the default only while this column's cell is DefaultWhenText
  String DefaultWhenText;
  String IfEmpty;                 // a cell still empty after its row was read gets this text
};

struct TTableGridDef {
  String Name;              // the grid's component name (ACG_...)
  String Sheet;             // its tab sheet when the form has a page control
  int SheetCaption = -1;    // UI text of the tab
  int NumberHeader = -1;    // UI text of column 0's header ("N")
  std::vector<TTableColumnDef> Columns;  // columns 1 .. n, in order
  int DataRows = 256;
  int KeyColumn = 1;        // the table ends at the first row whose key cell, trimmed, is empty
  bool EnableColumn = true; // column 1 is the "Enable" check box ("Y" after a reset and an insert)
  bool CheckBoxCells = false;  // cells carry check boxes: the _CB row operations
  bool FreedRowEnabled = false;  // _CB delete: column 1's box of the freed last row checked
  int DeleteQuestion = -1;  // this grid's delete question (-1: the form's); "%d" takes the row number
  String Section;           // the file's section of this table (empty: rows under the root)
  bool SectionOptional = false;  // a file without the section leaves this table empty
  bool TrimKey = true;      // false: a key cell of blanks does not end the table
  std::vector<TTableChoiceAttr> Choices;  // read-only attributes standing for flag columns
  // A plain TAdvStringGrid instead of a column grid: headers written into row 0, widths by
  // ColWidths, and every edDataCheckBox column given a cell check box whose state the file reads
  // (box set unless the text is exactly "N") and writes ("Y" or "N"). Uses the _CB row operations.
  bool StringGrid = false;
  // The table's rows are the grid's rows below the header, as many as the form set at this
  // showing (at most DataRows): the file loads into and saves from only those.
  bool RowsFollowGrid = false;
};

struct TTableFormDef {
  String Name;              // the form's component name (FSNMP_Trap_Access)
  int ClientWidth = 800;
  int ClientHeight = 400;
  int Caption = -1;         // UI text of the form caption
  int Description = -1;     // UI text of L_SW_Desc
  int ButtonCaptions = -1;  // six UI texts: OK, Cancel, Delete Row, Insert Row, Copy Row, Paste Row
  int ButtonHints = -1;     // six UI texts in the same order
  int DeleteQuestion = -1;  // UI text before the row number ("%d" in it takes the number instead)
  bool ClickSelectsRow = true;  // a click in column 0 selects that row
  String Root;              // the table file's root element
  std::vector<TTableGridDef> Grids;  // one or two
  // The six buttons 110 x 28 from the left (16, 134, ...) in the order OK, Cancel, Delete Row,
  // Insert Row, Copy Row, Paste Row; false: the row buttons left, OK and Cancel at the right.
  bool ButtonsFromLeft = false;
  // Header hints looked up by the displayed column rather than the real one.
  bool HintByDisplayedColumn = false;
};

// Sets the texts of a form whose block starts at Base: caption Base, description Base + 1, the
// six button captions from Base + 2 and their hints from Base + 8.
void Use_Text_Block(TTableFormDef& Def, int Base);

// The table file's description built from the declared columns.
TTableLayout Table_Form_Layout(const TTableFormDef& Def);

// The program makes a table form on its first use instead of at start-up. Its creation reads no
// text that Set_Lang leaves (the language change retexts it all) and nothing that changes after
// start-up, so the form made late is the one start-up would have made. Returns Global, creating
// it as a form of the application the first time.
// Fills a Position column's list with the byte numbers 0 .. Count - 1.
void Fill_Position_List(TStrings* Items, int Count);

template <class TFormT>
TFormT* Table_Form_On_Demand(TFormT*& Global) {
  if (!Global) Application->CreateForm(Global);
  return Global;
}

class TTableForm : public TForm, public TDialogFrame {
 public:
  TTableForm(TComponent* AOwner, const TTableFormDef& Def);
  ~TTableForm() override;

  TLbButton* Btn_DelRow = nullptr;
  TLbButton* Btn_InsRow = nullptr;
  TLbButton* Btn_CopyRow = nullptr;
  TLbButton* Btn_PasteRow = nullptr;
  TPageControl* PageControl1 = nullptr;    // only with two grids
  std::vector<TTabSheet*> Sheets;          // by grid, with PageControl1
  std::vector<TAdvColumnGrid*> Grids;      // in the declared order
  std::vector<std::unique_ptr<TStringList>> Hint_Lists;  // by grid: entry c - 1 is column c's hint
  std::vector<bool> Copy_Flags;            // by grid: a row of it was copied during this showing
  // Every grid in the declared order, column grids and plain string grids alike; Grids holds
  // nullptr where the table is a plain string grid.
  std::vector<TAdvStringGrid*> String_Grids;

  const TTableFormDef& Def() const { return FDef; }
  const TTableLayout& Layout() const { return FLayout; }
  // The grid of the visible page (the only grid of a one-grid form) and its index.
  TAdvColumnGrid* Active_Grid() const;
  int Active_Grid_Index() const;
  // The grid the row buttons act on: the visible page's; a form may follow another rule.
  virtual int Row_Grid_Index() const { return Active_Grid_Index(); }
  // After a paste, insert or delete changed grid Index (a form that keeps lists stores them).
  virtual void After_Row_Change(int Index) { (void)Index; }
  int Grid_Index(const TObject* Grid) const;
  // True while the form shows less than its file holds (a load failed part-way or the file has
  // more rows than a grid): OK then asks before it overwrites the file.
  bool Load_Incomplete() const { return FLoad_Incomplete; }

  // ---- the frame's steps (a form overrides what it does differently) ----
  virtual void FormCreate(TObject* Sender);
  virtual void Set_Lang();
  virtual void FormShow(TObject* Sender);
  // Column 0 the row number, Enable "Y", every other cell (hidden ones included) empty.
  virtual void Reset_Grids();
  // Limits and the lists that depend on them.
  virtual void Set_Limits() {}
  // Loads the table file into the reset grids; a failure is reported and marks the form as
  // showing less than the file.
  virtual void Load_Tables();
  virtual void After_Load() {}
  // The check routine: true when the tables may be saved.
  virtual bool Check_Tables() { return true; }
  virtual void Save_Tables();
  // The table file's full path.
  virtual String File_Path() const = 0;

  virtual void Btn_OKClick(TObject* Sender);
  virtual void Btn_DelRowClick(TObject* Sender);
  virtual void Btn_InsRowClick(TObject* Sender);
  virtual void Btn_CopyRowClick(TObject* Sender);
  virtual void Btn_PasteRowClick(TObject* Sender);

  // ---- grid events, bound to every grid ----
  virtual void Grid_KeyPress(TObject* Sender, Char& Key);
  virtual void Grid_DblClickCell(TObject* Sender, int ARow, int ACol);
  virtual void Grid_ClickCell(TObject* Sender, int ARow, int ACol);
  virtual void Grid_Hint(TObject* Sender, int ARow, int ACol, String& Hint);
  virtual void Grid_CheckBoxClick(TObject* Sender, int ACol, int ARow, bool State) {
    (void)Sender, (void)ACol, (void)ARow, (void)State;
  }

 protected:
  // The data cells of grid Index as the table-file engine reads and writes them.
  TTableCells* Cells(int Index) const { return FCells[static_cast<size_t>(Index)].get(); }
  // The frame's grid events (key press, hint, check-box click, click and double click on a cell)
  // bound to a grid; a form binds a grid of its own with it.
  void BindGridEvents(TAdvStringGrid* Grid);
  // For a form that loads its file itself: OK asks before it overwrites a file shown incompletely.
  void Set_Load_Incomplete(bool Value) { FLoad_Incomplete = Value; }
  // Asks the delete question (UI text Question; its "%d", or its end, takes Row); true on Yes.
  static bool Confirm_Delete_Row(int Question, int Row);
  // A check routine's error box: UI text Error_Row, the row number and Failure joined.
  static void Show_Row_Error(int Error_Row, int Row, const String& Failure);

 private:
  void BuildControls();
  TAdvColumnGrid* BuildGrid(TWinControl* Parent, const TTableGridDef& G);
  TAdvStringGrid* BuildStringGrid(TWinControl* Parent, const TTableGridDef& G);

  TTableFormDef FDef;
  TTableLayout FLayout;
  std::vector<std::unique_ptr<TTableCells>> FCells;
  bool FLoad_Incomplete = false;
};
