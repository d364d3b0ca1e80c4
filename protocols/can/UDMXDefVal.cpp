#include "protocols/can/UDMXDefVal.h"

#include "gateway/ULoRaWAN_Gateway.h"
#include "button/LbButton.h"
#include "platform/Dialogs.h"
#include "protocols/can/FrameTableForms.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"

TFDMXDefVal* FDMXDefVal = nullptr;

namespace {

constexpr int kDmxChannelsOutOfRange = 3113;

TTableFormDef MakeDmxDef() {
  // OK and Cancel only: their texts are set by the form, not from the frame's six-button block.
  TTableFormDef d = Frame_Form_Def(u"FDMXDefVal", 460, 520, 3100, 3101, -1, -1, -1, u"DMX_Default_Values");
  TTableGridDef g = Frame_Grid(u"ACG_DMX_Def_Val", 3106, TFDMXDefVal::Default_Channels, TFDMXDefVal::Value_Col,
                               {
                                   With_Default(Frame_Column(3107, 3109, u"Default_Value", edNormal, 100), u"0"),
                                   Frame_Column(3108, 3110, u"Mnemonic", edNormal, 250),
                               });
  g.EnableColumn = false;
  d.Grids = {g};
  return d;
}

// The grid's data rows, however many channels the showing has.
class TDmxCells : public TTableCells {
 public:
  explicit TDmxCells(TAdvStringGrid* Grid) : FGrid(Grid) {}
  int RowCount() const override { return FGrid->RowCount() - 1; }
  String Cell(int Col, int Row) const override { return FGrid->GetCellEx(Col, Row); }
  void SetCell(int Col, int Row, const String& Text) override { FGrid->SetCellEx(Col, Row, Text); }

 private:
  TAdvStringGrid* FGrid;
};

}  // namespace

const TTableFormDef& DMX_Def_Val_Form_Def() {
  static const TTableFormDef def = MakeDmxDef();
  return def;
}

const TTableLayout& TFDMXDefVal::File_Layout() {
  static const TTableLayout layout = [] {
    TTableLayout l = Table_Form_Layout(DMX_Def_Val_Form_Def());
    l.RowElement = u"Row";
    l.Sections[0].KeyStop = false;
    l.Sections[0].SkipSurplusRows = true;
    return l;
  }();
  return layout;
}

int DMX_Channel_Count(const String& ParGenPath, String* OutOfRange) {
  String text;
  int64_t n = 0;
  if (!ParGenKey(ParGenPath, u"DMX_Num_Channels", text) || !TryCellToInt64(text, n))
    return TFDMXDefVal::Default_Channels;
  if (n < 1 || n > 65535) {
    if (OutOfRange) *OutOfRange = text;
    return TFDMXDefVal::Default_Channels;
  }
  return static_cast<int>(n);
}

TFDMXDefVal::TFDMXDefVal(TComponent* AOwner) : TTableForm(AOwner, DMX_Def_Val_Form_Def()), ACG_DMX_Def_Val(Grids[0]) {
  for (TLbButton* b : {Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow}) b->SetVisible(false);
}

TFDMXDefVal::~TFDMXDefVal() {
  if (FDMXDefVal == this) FDMXDefVal = nullptr;
}

void TFDMXDefVal::FormCreate(TObject* Sender) {
  TTableForm::FormCreate(Sender);
  Hint = Hint_Lists[0].get();
}

void TFDMXDefVal::Set_Lang() {
  TTableForm::Set_Lang();
  Set_Texts({{Btn_OK, 3102, 3104}, {Btn_Cancel, 3103, 3105}});
}

String TFDMXDefVal::File_Path() const { return Path_DMX_Default_Values; }

void TFDMXDefVal::Reset_Grids() {
  String outOfRange;
  Num_Channels = DMX_Channel_Count(Path_ParGen, &outOfRange);
  if (!outOfRange.empty())
    MessageDlg(Format(UI_Text(kDmxChannelsOutOfRange), {outOfRange}), mtError, TMsgDlgButtons{mbOK});
  TAdvColumnGrid* g = ACG_DMX_Def_Val;
  g->BeginUpdate();
  g->SetRowCount(Num_Channels + 1);
  for (int r = 1; r <= Num_Channels; ++r) {
    g->SetCellEx(0, r, IntToStr(r));
    g->SetCellEx(Value_Col, r, u"0");
    g->SetCellEx(Mnemonic_Col, r, String());
  }
  g->EndUpdate();
}

void TFDMXDefVal::Load_Tables() {
  Set_Load_Incomplete(false);
  TDmxCells cells(ACG_DMX_Def_Val);
  try {
    LoadTableFile(File_Layout(), File_Path(), {&cells});
  } catch (const std::exception& E) {
    Set_Load_Incomplete(true);
    Application->ShowException(E);
  }
}

void TFDMXDefVal::Save_Tables() {
  TDmxCells cells(ACG_DMX_Def_Val);
  SaveTableFile(File_Layout(), {&cells}, File_Path());
}

bool TFDMXDefVal::Controllo_dati() {
  TAdvColumnGrid* g = ACG_DMX_Def_Val;
  for (int r = 1; r < g->RowCount(); ++r) {
    const int32_t v = CellToInt(g->GetCellEx(Value_Col, r));
    if (v < 0 || v > 255) {
      Show_Row_Error(3111, r, UI_Text(3112));
      return false;
    }
  }
  return true;
}
